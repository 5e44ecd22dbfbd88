// The blocks the engines move samples in: of every channel, one block at a
// time, of whole samples only. A merge reads one such block of every input,
// a split writes one of every stem.
#pragma once

#include "core/types.h"

// One channel's block: 51200 samples of 16 bits; of wider samples the whole
// ones that fit.
constexpr UINT kMergeBlockBytes = 102400;

// The bytes of a block of samples of nSampleBytes: 102400, 102399 of 24-bit samples.
inline UINT GetBlockBytes(UINT nSampleBytes)
{
    return kMergeBlockBytes - kMergeBlockBytes % nSampleBytes;
}

// Of nBytes in all, the part that falls into the block of nBlockBytes
// starting at done.
inline UINT BlockPart(ULONGLONG nBytes, ULONGLONG done, UINT nBlockBytes)
{
    const ULONGLONG left = done < nBytes ? nBytes - done : 0;
    return left < nBlockBytes ? static_cast<UINT>(left) : nBlockBytes;
}
