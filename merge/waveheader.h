// ReadWaveHeader: the one chunk walk of every WAV file Plexora reads, for
// any channel count; and WaveHeader, what it finds. The format rule is the
// caller's, and so is any rule on the channel count beyond the format's.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "merge/formatrule.h"
#include "merge/wavereadoutcome.h"
#include "core/cfile.h"
#include "core/types.h"

enum class WaveContainer {
    Riff,
    Rf64,  // 64-bit sizes in a "ds64" chunk
    Bw64,  // the same layout under another name
};

struct WaveChunk {
    std::array<char, 4> id = {};  // as stored, any bytes
    ULONGLONG nOffset = 0;        // of its 8-byte header
    ULONGLONG nSize = 0;          // as stated, or from "ds64" when it says 0xFFFFFFFF
};

struct WaveHeader {
    WaveContainer eContainer = WaveContainer::Riff;
    WaveFormat format;             // of the first "fmt " chunk
    ULONGLONG nDataBytes = 0;      // of the first "data" chunk, as stated (an unknown one: to the end)
    ULONGLONG nPresentBytes = 0;   // of them, those the file holds: all the data there is
    ULONGLONG nDataStart = 0;      // where its first sample byte is
    // The chunks the walk met within the RIFF size, in file order: the first
    // kMaxListedChunks of them, then only counted.
    std::vector<WaveChunk> chunks;
    ULONGLONG nUnlistedChunks = 0;
    std::optional<WaveChunk> bext;  // the first "bext" chunk (Broadcast Wave)
    std::vector<WaveWarning> warnings;  // what the walk made something of, in file order
};

constexpr size_t kMaxListedChunks = 256;

// Walks the open file's chunks from its start, judging the first "fmt "
// chunk under the format rule (it and the first "data" chunk describe the samples, as
// other readers take them; later ones are ignored with a warning), and
// leaves the file at the first sample byte. Chunks beyond the RIFF size are
// never looked at, unless that size is too small to reach the chunks at all
// (a recorder that stopped before writing it): the walk then goes on to the
// end of the file. A file that ends early is judged by the chunks met so
// far. The outcome says why a file was refused, and where.
WaveReadOutcome ReadWaveHeader(CFile& file, WaveHeader& header);
