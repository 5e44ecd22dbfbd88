// What reading a WAV file's header came to: a reason, the byte offset where
// the reader decided it and, when the system refused, its error number. The
// texts shown to people are composed from it here and nowhere else.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/types.h"

enum class WaveReadError {
    None,
    CannotOpen,     // the system refused to open it
    NotRiff,        // no "RIFF" at byte 0
    NotWave,        // no "WAVE" at byte 8
    NoFormat,       // the walk ended without a "fmt " chunk
    NoData,         // the walk ended without a "data" chunk
    Truncated,      // the file ends before a header the reader needs
    ReadError,      // the system failed a read
    NotSixteenBit,  // a "fmt " chunk states other than 16 bits per sample
    NotMono,        // a "fmt " chunk states other than one channel
};

struct WaveReadOutcome {
    WaveReadError eError = WaveReadError::None;
    ULONGLONG nOffset = 0;  // where the reader decided: the field, chunk or end it met
    int nSystemError = 0;   // errno, for CannotOpen and ReadError

    bool Succeeded() const { return eError == WaveReadError::None; }
};

// The reason line for a file that failed: "The file '...' is not mono !",
// "The file '...' has no "data" chunk (the chunk walk ended at byte 44).", ...
// Empty for a file that was read.
CString DescribeWaveReadOutcome(const CString& strPath, const WaveReadOutcome& outcome);
