// The command line of plexora-split, parsed and checked for what can be
// checked without the settings.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct SplitOptions {
    std::vector<std::string> files;               // the multichannel files, split one after the other
    std::optional<std::string> strConfiguration;  // -c: the speakers of files without a usable mask
    std::optional<std::string> strFolder;         // -o: where the stems go; beside each file without it
    std::optional<char> tagSeparator;             // -t: stems named by channel tags after it
    std::optional<std::string> strSettingsPath;   // --settings
    bool bForce = false;                          // -f: existing stems are replaced
    bool bQuiet = false;                          // -q: no progress bar, no summary
};

// Parses argv into options. True when the program should go on; otherwise
// nExitCode says how to end: 0 after --help or --version, 2 after a usage
// error, whose message has been printed on standard error.
bool ParseSplitOptions(int argc, char** argv, SplitOptions& options, int& nExitCode);
