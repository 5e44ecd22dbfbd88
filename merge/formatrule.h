// The rule a reader applies to each "fmt " chunk it meets: which sample
// formats it takes, and what it makes of the fields. It takes what sound
// engineers deliver: integer PCM of 8, 16, 24 or 32 bits or IEEE float of
// 32 or 64 bits, in a plain or WAVE_FORMAT_EXTENSIBLE "fmt " chunk, with any
// number of channels.
#pragma once

#include <optional>

#include "merge/sampleformat.h"
#include "merge/wavereadoutcome.h"
#include "core/types.h"

// The fields of one "fmt " chunk as stored.
struct FormatFields {
    ULONGLONG nOffset = 0;  // of wFormatTag, the first field
    WORD wFormatTag = 0;
    WORD nChannels = 0;
    DWORD nSampleRate = 0;
    WORD nBlockAlign = 0;
    WORD wBitsPerSample = 0;
    // The extension of WAVE_FORMAT_EXTENSIBLE.
    WORD wValidBitsPerSample = 0;
    DWORD dwChannelMask = 0;
    BYTE subFormat[16] = {};
};

// What a "fmt " chunk that passed its rule says of the samples.
struct WaveFormat {
    ULONGLONG nOffset = 0;  // of the chunk's first field
    WORD wFormatTag = 0;    // as stated
    SampleKind eKind = SampleKind::Pcm;
    WORD nChannels = 0;
    DWORD nSampleRate = 0;
    WORD nBitsPerSample = 0;       // the bits a sample takes in the file
    WORD nValidBitsPerSample = 0;  // of them, those that carry the signal
    std::optional<DWORD> dwChannelMask;  // WAVE_FORMAT_EXTENSIBLE only
};

// Offsets of the fields within a "fmt " chunk.
constexpr ULONGLONG kFormatTagField = 0;
constexpr ULONGLONG kChannelsField = 2;
constexpr ULONGLONG kSampleRateField = 4;
constexpr ULONGLONG kBlockAlignField = 12;
constexpr ULONGLONG kBitsPerSampleField = 14;
constexpr ULONGLONG kValidBitsField = 18;
constexpr ULONGLONG kSubFormatField = 24;

// Judges one chunk's fields: none, with format filled, when the rule takes
// them; otherwise the refusal, at the field that decided it.
WaveReadOutcome JudgeFormat(const FormatFields& fields, WaveFormat& format);
