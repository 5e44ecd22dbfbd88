// One merge of a plexora-merge run: the inputs, where they go and how.
#pragma once

#include <vector>

#include "core/cstring.h"
#include "core/types.h"

struct MergeJob {
    std::vector<CString> inputs;  // in channel order
    DWORD dwChannelMask = 0;      // written as it is, extensible header only
    CString strOutputPath;
    bool bNoExtensible = false;
    bool bCarryBext = false;      // the first input's "bext" chunk into the output
    bool bQuiet = false;          // no progress bar, no summary
    bool bCheck = false;          // compare with the output written before; write nothing
};

// Runs the merge engine on the job. On success a summary line goes to
// standard output (unless quiet, and to standard error when the audio goes
// to standard output); on failure the engine's message and the reason of
// the file that failed (or the two formats that differ) go to standard
// error, or, when a signal interrupted the merge, one line saying the
// output was not written. Every input may have any format the reader
// takes. True when the output was written.
//
// With bCheck the merge's bytes are compared with the output instead, and
// the answer is one line (checkreport.h); true when they are the same.
bool RunMergeJob(const MergeJob& job);
