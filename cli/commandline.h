// What the programs' command lines share: CLI11 set up alike (our usage
// lines, --version, usage errors worded as exitstatus.h words them) and
// parsing that says how the program ends when it ends there.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Sets app (named after its program) up with the footer, and with pszUsage
// instead of CLI11's usage line unless it is null.
void SetUpCommandLine(CLI::App& app, const char* pszUsage, const char* pszFooter);

// Parses argv. False when the program ends here, with its exit status in
// nExitCode: succeeded after --help or --version, a usage error (printed)
// otherwise.
bool ParseCommandLine(CLI::App& app, int argc, char** argv, int& nExitCode);

// --settings FILE, the settings file to read instead of the desktop
// program's; none when not given.
void AddSettingsOption(CLI::App& app, std::optional<std::string>& settingsPath);

// Runs each file on its own, in order; one failure does not stop the rest,
// and with several files names the file that failed ("plexora-split: 'a.wav'
// was not split.", from pszNotDone, a format of one %s). A signal stops the
// run at once. The exit status: succeeded, failed when a file failed, or
// 128 + the signal's number; a signal that comes once the last file is done
// stops nothing.
int RunEachFile(const std::vector<std::string>& files, const std::function<bool(const std::string&)>& run,
                const char* pszNotDone);
