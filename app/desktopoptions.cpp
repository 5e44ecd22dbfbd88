#include "app/desktopoptions.h"

#include <CLI/CLI.hpp>

#include "plexoraversion.h"

namespace {

constexpr const char* kDescription =
    "The desktop program of Plexora, which merges mono WAV stems, one per speaker position,\n"
    "into one interleaved multichannel WAV file. It needs a desktop session; plexora-merge\n"
    "does the same from the command line.";

constexpr const char* kFooter =
    "The settings (options, suffixes, configurations) are kept in settings.pxr beside the program\n"
    "while you may write its folder, else in $XDG_CONFIG_HOME/plexora (~/.config/plexora).";

}  // namespace

bool ParseDesktopOptions(int argc, char** argv, DesktopOptions& options, int& nExitCode)
{
    CLI::App app(kDescription, "plexora");
    app.footer(kFooter);
    app.add_option("FILE", options.files, "WAV files to put in the rows, as if dropped on the window")
        ->type_name("");
    app.set_version_flag("--version", "plexora " PLEXORA_VERSION, "Print the version and exit");
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return "plexora: " + std::string(e.what()) + "\nRun with --help for more information.\n";
    });
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        nExitCode = app.exit(e) == 0 ? 0 : 2;
        return false;
    }
    return true;
}
