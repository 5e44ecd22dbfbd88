// plexora-info: what WAV files hold, for people or, with --json, for scripts.
// Exit status: 0 every file was read, 1 a file could not be read, 2 usage error.
#include <cstdio>

#include "cli/commandline.h"
#include "cli/exitstatus.h"
#include "cli/mergesettings.h"
#include "cli/waveinfo.h"

namespace {

constexpr const char* kDescription =
    "Shows what WAV files hold: container, sample format, channels, sample rate, frames and\n"
    "duration, the channel mask with its speakers and the configuration that has it, and the\n"
    "chunks with their sizes.";

constexpr const char* kFooter =
    "Files: RIFF, RF64 or BW64 WAV files of integer PCM (8, 16, 24 or 32 bits) or IEEE float\n"
    "(32 or 64 bits), with a plain or a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk and any number\n"
    "of channels. For any other file a line says why it cannot be read.\n\n"
    "The configurations come from --settings FILE, else from the desktop program's\n"
    "settings.pxr (plexora-merge --list names it), else are the built-in ones.\n\n"
    "Examples:\n"
    "  plexora-info 'drumssurround 5.1.wav'\n"
    "  plexora-info --json stems/*.wav\n\n"
    "Exit status: 0 every file was read, 1 a file could not be read, 2 usage error.";

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app(kDescription, "plexora-info");
    SetUpCommandLine(app, nullptr, kFooter);
    std::vector<std::string> files;
    std::string strSettings;
    bool bJson = false;
    app.add_option("FILE", files, "WAV files")->type_name("")->required();
    app.add_flag("--json", bJson, "One JSON object per file, one per line");
    CLI::Option* pSettings =
        app.add_option("--settings", strSettings, "The settings file to read")->type_name("FILE");
    int nExitCode = kExitSucceeded;
    if (!ParseCommandLine(app, argc, argv, nExitCode))
        return nExitCode;

    CSettings settings;
    std::string strError;
    const std::optional<std::string> settingsPath =
        pSettings->count() > 0 ? std::optional<std::string>(strSettings) : std::nullopt;
    if (!LoadMergeSettings(settingsPath, "plexora-info", settings, strError)) {
        PrintUsageError("plexora-info", strError);
        return kExitUsage;
    }

    bool bShownOne = false;  // a blank line between the files shown
    for (const std::string& strFile : files) {
        const WaveInfo info = ReadWaveInfo(CString(strFile), settings);
        const bool bRead = info.outcome.Succeeded();
        std::fflush(stdout);
        for (const WaveWarning& warning : bRead ? info.header.warnings : std::vector<WaveWarning>())
            std::fprintf(stderr, "%s\n", DescribeWaveWarning(info.strPath, warning).GetString());
        if (!bRead)
            nExitCode = kExitFailed;
        if (bJson) {
            std::fputs(FormatWaveInfoJson(info).c_str(), stdout);
        } else if (bRead) {
            std::fputs(bShownOne ? "\n" : "", stdout);
            std::fputs(FormatWaveInfo(info).c_str(), stdout);
            bShownOne = true;
        } else {
            std::fflush(stdout);
            std::fputs(FormatWaveInfo(info).c_str(), stderr);
        }
    }
    return nExitCode;
}
