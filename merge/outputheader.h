// The RIFF/WAVE header of a merge's output, up to the "data" chunk header.
#pragma once

#include <vector>

#include "merge/outputfile.h"
#include "merge/sampleformat.h"
#include "core/types.h"

struct OutputFormat {
    WORD nChannels = 0;        // one per input
    DWORD nSampleRate = 0;
    WORD nBitsPerSample = 0;   // the bits each sample takes
    ULONGLONG nDataBytes = 0;  // the longest input's data length; every channel is this long
    DWORD dwChannelMask = 0;   // written as it is, extensible layout only
    bool bNoExtensible = false;  // the old-style plain layout
    SampleKind eKind = SampleKind::Pcm;
    WORD nValidBitsPerSample = 0;  // extensible layout only; 0 for all of nBitsPerSample
    std::vector<BYTE> bext;        // a "bext" chunk's contents to carry before the data; none when empty
};

// True when the 32-bit RIFF size cannot describe the output (channels x
// data length + the header after the RIFF size, beyond 0xFFFFFFFF).
bool NeedsRF64(const OutputFormat& format);

// The header's bytes: "RIFF", "WAVE", the "fmt " chunk (plain PCM 16 bytes,
// plain IEEE float 18 followed by a "fact" chunk with the frame count, or
// WAVE_FORMAT_EXTENSIBLE 40 with the mask, the valid bits and the PCM or
// float SubFormat), the "bext" chunk if any, the "data" chunk header. The
// RF64 form has "RF64" and 0xFFFFFFFF in place of the RIFF tag and size, a
// "ds64" chunk with the true 64-bit sizes after "WAVE", the same chunks,
// and 0xFFFFFFFF as the "data" size.
std::vector<BYTE> ComposeOutputHeader(const OutputFormat& format, bool bRF64);

// Writes the header into the opened output (in one piece), RF64 when
// NeedsRF64 says so.
bool WriteOutputHeader(IOutputSink& output, const OutputFormat& format);

// Writes the pad byte that follows a "data" chunk of odd size (8-bit
// samples, odd channels and frames), which the RIFF size counts; nothing
// after an even one.
bool WriteDataPad(IOutputSink& output, const OutputFormat& format);
