// The samples a WAV file holds, as far as Plexora reads them: integer PCM
// or IEEE float, the bits each sample takes and the bits that carry the
// signal. Their names for people, their silence and the format tags that
// say which they are.
#pragma once

#include "core/cstring.h"
#include "core/types.h"

enum class SampleKind {
    Pcm,    // integers: unsigned in 8 bits, signed in more
    Float,  // IEEE 754
};

constexpr WORD kFormatPcm = 1;
constexpr WORD kFormatIeeeFloat = 3;
constexpr WORD kFormatExtensible = 0xFFFE;

// The SubFormat GUIDs of WAVE_FORMAT_EXTENSIBLE: the format tag in the first
// two bytes, then this tail.
constexpr BYTE kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                     0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// "16-bit PCM", "20-bit PCM in 24-bit samples", "32-bit float".
CString DescribeSampleFormat(SampleKind eKind, WORD nBitsPerSample, WORD nValidBitsPerSample);

// What a sample of silence is made of: 0x80 in 8-bit PCM, whose samples are
// unsigned, 0 in every other format.
BYTE GetSilenceByte(SampleKind eKind, WORD nBitsPerSample);

// The name of a format tag that is neither PCM nor float ("A-law",
// "IMA ADPCM", ...), or null for a tag without a name here.
const char* GetFormatTagName(WORD wFormatTag);
