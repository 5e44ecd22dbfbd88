// What reading a WAV file's header came to: a reason, the byte offset where
// the reader decided it and, when the system refused, its error number. The
// texts shown to people are composed from it here and nowhere else.
#pragma once

#include "core/cstring.h"
#include "core/types.h"

enum class WaveReadError {
    None,
    CannotOpen,     // the system refused to open it
    NotSeekable,    // a pipe or a device: its header cannot be read and its samples again
    NotRiff,        // no "RIFF" at byte 0
    NotWave,        // no "WAVE" at byte 8
    NoFormat,       // the walk ended without a "fmt " chunk
    NoData,         // the walk ended without a "data" chunk
    Truncated,      // the file ends before a header the reader needs
    ReadError,      // the system failed a read
    NotMono,        // an input of a merge with other than one channel
    ShortFormat,    // a "fmt " chunk under 16 bytes: its size
    // The refusals of the format rule; dwValue holds the field named.
    UnsupportedFormat,      // a format tag (or SubFormat) other than PCM and IEEE float: the tag
    UnknownSubFormat,       // a WAVE_FORMAT_EXTENSIBLE SubFormat outside the tag-based GUIDs
    ShortExtensible,        // a WAVE_FORMAT_EXTENSIBLE "fmt " chunk under 40 bytes: its size
    UnsupportedPcmDepth,    // PCM of other than 8, 16, 24 or 32 bits: the bits
    UnsupportedFloatDepth,  // IEEE float of other than 32 or 64 bits: the bits
    OddValidBits,           // valid bits beyond the sample, or short of a float: the valid bits
    NoChannels,             // a channel count of 0
    OddBlockAlign,          // a block alignment other than channels x bytes per sample: the alignment
    ZeroSampleRate,         // a sample rate of 0
    NoDs64,                 // an RF64 or BW64 file that does not begin with a "ds64" chunk
    ShortDs64,              // a "ds64" chunk under 24 bytes: its size
};

struct WaveReadOutcome {
    WaveReadError eError = WaveReadError::None;
    ULONGLONG nOffset = 0;  // where the reader decided: the field, chunk or end it met
    int nSystemError = 0;   // errno, for CannotOpen and ReadError
    DWORD dwValue = 0;      // the value of the field that decided a refused format

    bool Succeeded() const { return eError == WaveReadError::None; }
};

// What the reader met in a file it read and made something of: each is
// worth a line to the user, the merge or split goes on.
enum class WaveReadWarning {
    MissingDataBytes,  // the "data" chunk claims more than the file holds: the bytes missing
    ShortRiffSize,     // a RIFF size too small to reach the chunks, so the file was read to its end: the size
    LaterFormat,       // a "fmt " chunk after the first one, ignored: at nOffset
    SecondData,        // a "data" chunk after the first one, ignored: at nOffset
};

struct WaveWarning {
    WaveReadWarning eWarning = WaveReadWarning::MissingDataBytes;
    ULONGLONG nOffset = 0;  // of the chunk it is about
    ULONGLONG nValue = 0;   // the number it is about

    bool operator==(const WaveWarning&) const = default;
};

// The reason line for a file that failed: "The file '...' is not mono !",
// "The file '...' has no "data" chunk (the chunk walk ended at byte 44).", ...
// Empty for a file that was read.
CString DescribeWaveReadOutcome(const CString& strPath, const WaveReadOutcome& outcome);

// The reason line for a file whose samples failed to be read after its
// header was: "The file '...' can't be read: Input/output error."
CString DescribeSampleReadError(const CString& strPath, int nSystemError);

// The warning line, naming the file: "The file '...' holds 12 bytes fewer
// than its data chunk states; its data ends where the file does."
CString DescribeWaveWarning(const CString& strPath, const WaveWarning& warning);
