// The command line of plexora-merge, parsed and checked for what can be
// checked without the settings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/exitstatus.h"
#include "core/types.h"

struct MergeOptions {
    std::optional<std::string> strOutputPath;        // -o; --auto names each output without it
    std::vector<std::string> files;                  // the inputs in channel order, or one file of each --auto set
    std::optional<DWORD> dwChannelMask;              // -m
    std::optional<std::string> strConfiguration;     // -c
    std::optional<std::string> strSettingsPath;      // --settings
    bool bAuto = false;                              // --auto
    bool bList = false;                              // --list
    bool bPlain = false;                             // --plain: a plain header whatever the settings say
    bool bBext = false;                              // --bext: the first input's "bext" chunk into the output
    bool bQuiet = false;                             // -q: no progress bar, no summary
    bool bCheck = false;                             // --check: compare with the output, write nothing
};

// Parses argv into options. True when the program should go on; otherwise
// nExitCode says how to end: 0 after --help, 2 after a usage error, whose
// message has been printed on standard error.
bool ParseMergeOptions(int argc, char** argv, MergeOptions& options, int& nExitCode);

// Reads a channel mask written in decimal or as 0x-hex; false for anything
// else or for a value beyond 32 bits.
bool ParseChannelMask(const std::string& strText, DWORD& dwMask);
