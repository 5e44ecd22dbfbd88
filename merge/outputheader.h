// The RIFF/WAVE header of a merge's output, up to the "data" chunk header.
#pragma once

#include "merge/outputfile.h"
#include "platform/core/types.h"

struct OutputFormat {
    WORD nChannels = 0;        // one per input
    DWORD nSampleRate = 0;
    WORD nBitsPerSample = 0;
    DWORD dwDataBytes = 0;     // the longest input's data length; every channel is this long
    DWORD dwChannelMask = 0;   // written as it is, extensible layout only
    bool bNoExtensible = false;  // the old-style plain PCM layout
};

// Plain PCM 44 bytes, extensible 68; RF64 adds a 36-byte "ds64" chunk.
constexpr UINT kMaxOutputHeaderBytes = 104;

// True when the 32-bit RIFF size cannot describe the output
// (channels x data length + 36 or + 60 beyond 0xFFFFFFFF).
bool NeedsRF64(const OutputFormat& format);

// Lays the header out into pHeader (room for kMaxOutputHeaderBytes) and
// returns its length. The RF64 form has "RF64" and 0xFFFFFFFF in place of
// the RIFF tag and size, a "ds64" chunk with the true 64-bit sizes after
// "WAVE", the same "fmt " chunk, and 0xFFFFFFFF as the "data" size.
UINT ComposeOutputHeader(const OutputFormat& format, bool bRF64, BYTE* pHeader);

// Writes the header into the opened output, RF64 when NeedsRF64 says so.
bool WriteOutputHeader(COutputFile& fileOutput, const OutputFormat& format);
