// What a merge came to: how it ended, the input or output it ended at and
// why, and the format of the output it wrote.
#pragma once

#include <cstddef>
#include <optional>

#include "merge/outputfile.h"
#include "merge/outputheader.h"
#include "merge/wavereadoutcome.h"
#include "core/cstring.h"

enum class MergeOutcome {
    Merged,
    Declined,           // the user chose no output path; no message
    NoChannels,         // nothing to merge: the configuration has no channels
    CannotLoad,         // nInput's header was refused: read says why
    OtherRate,          // nInput's sample rate is not the first input's
    OtherFormat,        // nInput's sample format is not the first input's
    NoMemory,           // the merge's buffers could not be had
    BextTooLarge,       // the first input's "bext" chunk, to be carried, is too large
    CannotRead,         // nInput's samples or "bext" chunk could not be read
    CannotWriteHeader,  // the output could not be opened or its header written: output says why
    CannotWriteData,    // a write, or putting the output in place, failed: output says why
    Interrupted,        // the program was asked to end (or a check had its answer); no message
};

struct MergeResult {
    MergeOutcome eOutcome = MergeOutcome::Merged;
    std::optional<std::size_t> nInput;  // the input it ended at, in channel order
    WaveReadOutcome read;               // CannotLoad: what the reader made of nInput
    std::optional<int> nReadError;      // CannotRead: the system's error; none when the file shrank
    OutputOutcome output;               // of the output file (not of another sink)
    CString strOutputPath;              // as chosen
    OutputFormat format;                // what the output is, once the inputs are checked

    bool Succeeded() const { return eOutcome == MergeOutcome::Merged; }
};
