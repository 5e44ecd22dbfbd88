// One file of a plexora-split run: what is split, where its stems go and how.
#pragma once

#include <optional>

#include "layout/settings.h"
#include "core/cstring.h"

struct SplitJob {
    CString strFile;
    CString strFolder;                               // of the stems; empty: beside the file
    std::optional<char> tagSeparator;                // stems named by channel tags after it, not by suffixes
    const CConfiguration* pConfiguration = nullptr;  // -c: the speakers of a file without a usable mask
    bool bForce = false;                             // existing stems are replaced
    bool bQuiet = false;                             // no progress bar, no summary
};

// Reads the file's header, names the speaker of every channel and its stem
// (the settings' configurations and suffixes), refuses names that clash, that
// lead to the file itself or (without bForce) exist already, and runs the
// split engine. On success a summary line goes to standard output (unless
// quiet); on failure the engine's message and the reason of what failed, or
// the program's own line, go to standard error, or, when a signal
// interrupted the split, one line saying the file was not split. Any format
// the reader takes, with any channel count. True when the stems were
// written.
bool RunSplitJob(const SplitJob& job, const CSettings& settings);
