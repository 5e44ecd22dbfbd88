// The command line of plexora-merge, parsed and checked.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"

struct MergeOptions {
    std::string strOutputPath;
    std::vector<std::string> inputs;  // in channel order
    DWORD dwChannelMask = 0;          // from -m, or the built-in layout for the input count
    bool bNoExtensible = false;       // --plain
    bool bQuiet = false;              // -q: no progress bar, no summary
};

// Parses argv into options. True when the merge should run; otherwise
// nExitCode says how to end: 0 after --help, 2 after a usage error, whose
// message has been printed on standard error.
bool ParseMergeOptions(int argc, char** argv, MergeOptions& options, int& nExitCode);

// Reads a channel mask written in decimal or as 0x-hex; false for anything
// else or for a value beyond 32 bits.
bool ParseChannelMask(const std::string& strText, DWORD& dwMask);
