#include "merge/interleave.h"

#include <algorithm>
#include <cstring>

namespace {

// W bytes between a slot of the frames and a sample of a block, in the
// direction the writable side says: into the frames for a merge, out of
// them for a split.
template <UINT W>
void Exchange(BYTE* pFrame, const BYTE* pBlock)
{
    std::memcpy(pFrame, pBlock, W);
}

template <UINT W>
void Exchange(const BYTE* pFrame, BYTE* pBlock)
{
    std::memcpy(pBlock, pFrame, W);
}

// Frame by frame with the sample size and channel count known to the
// compiler, for the common layouts: each copy is one or two moves, the
// inner loop unrolls, and every buffer is walked in order. 24-bit samples
// move as overlapping 4-byte moves, each one's fourth byte overwritten by
// the next sample written there: one load and one store per sample instead
// of two of each, reading and writing one byte past the last sample.
template <UINT S, UINT C, class Frame, class Block>
void ExchangeFrames(Frame* __restrict pFrames, Block* const* blocks, UINT nSamples)
{
    constexpr UINT W = S == 3 ? 4 : S;
    Block* block[C];  // copied, so that no byte written can be taken to alias them
    std::copy_n(blocks, C, block);
    for (UINT s = 0; s < nSamples; ++s) {
        for (UINT k = 0; k < C; ++k)
            Exchange<W>(pFrames + (s * C + k) * S, block[k] + s * S);
    }
}

// Channel by channel, for any count; the same result as above. Moves are
// exact: the byte past the last channel's slot in a frame is the first
// channel's slot in the next, written already.
template <UINT S, class Frame, class Block>
void ExchangeChannels(Frame* pFrames, std::span<Block* const> blocks, UINT nSamples)
{
    const size_t count = blocks.size();
    for (size_t k = 0; k < count; ++k) {
        Block* pBlock = blocks[k];
        for (size_t s = 0; s < nSamples; ++s)
            Exchange<S>(pFrames + (s * count + k) * S, pBlock + s * S);
    }
}

template <UINT S, class Frame, class Block>
void ExchangeSamplesOf(Frame* pFrames, std::span<Block* const> blocks, UINT nSamples)
{
    switch (blocks.size()) {
    case 2: ExchangeFrames<S, 2>(pFrames, blocks.data(), nSamples); break;
    case 4: ExchangeFrames<S, 4>(pFrames, blocks.data(), nSamples); break;
    case 6: ExchangeFrames<S, 6>(pFrames, blocks.data(), nSamples); break;
    case 8: ExchangeFrames<S, 8>(pFrames, blocks.data(), nSamples); break;
    default: ExchangeChannels<S>(pFrames, blocks, nSamples); break;
    }
}

template <class Frame, class Block>
void ExchangeSamples(Frame* pFrames, std::span<Block* const> blocks, UINT nSampleBytes, UINT nSamples)
{
    switch (nSampleBytes) {
    case 1: ExchangeSamplesOf<1>(pFrames, blocks, nSamples); break;
    case 2: ExchangeSamplesOf<2>(pFrames, blocks, nSamples); break;
    case 3: ExchangeSamplesOf<3>(pFrames, blocks, nSamples); break;
    case 4: ExchangeSamplesOf<4>(pFrames, blocks, nSamples); break;
    case 8: ExchangeSamplesOf<8>(pFrames, blocks, nSamples); break;
    default: break;
    }
}

}  // namespace

void InterleaveBlocks(BYTE* pFrames, std::span<const BYTE* const> blocks, UINT nSampleBytes, UINT nSamples)
{
    ExchangeSamples(pFrames, blocks, nSampleBytes, nSamples);
}

void DeinterleaveFrames(const BYTE* pFrames, std::span<BYTE* const> blocks, UINT nSampleBytes, UINT nSamples)
{
    ExchangeSamples(pFrames, blocks, nSampleBytes, nSamples);
}
