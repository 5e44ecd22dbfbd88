#include "merge/interleave.h"

#include <cstring>

namespace {

constexpr size_t kMaxUnrolledChannels = 8;

// Frame by frame with the sample size and channel count known to the
// compiler, for the common layouts: each copy is one or two moves, the
// inner loop unrolls, and the output is written in order.
template <UINT S, UINT C>
void InterleaveFrames(BYTE* __restrict pOut, const BYTE* const* in, UINT nSamples)
{
    for (UINT s = 0; s < nSamples; ++s) {
        for (UINT k = 0; k < C; ++k)
            std::memcpy(pOut + (s * C + k) * S, in[k] + s * S, S);
    }
}

// 24-bit samples as overlapping 4-byte moves, each one's fourth byte
// overwritten by the next: one load and one store per sample instead of
// two of each. Reads and writes one byte past the last sample.
template <UINT C>
void InterleaveFrames24(BYTE* __restrict pOut, const BYTE* const* in, UINT nSamples)
{
    for (UINT s = 0; s < nSamples; ++s) {
        for (UINT k = 0; k < C; ++k) {
            DWORD v;
            std::memcpy(&v, in[k] + s * 3, 4);
            std::memcpy(pOut + (s * C + k) * 3, &v, 4);
        }
    }
}

// Channel by channel, for any count; the same result as above.
template <UINT S>
void InterleaveChannels(BYTE* pOut, const std::vector<CInputWave*>& inputs, UINT nSamples)
{
    const size_t count = inputs.size();
    for (size_t k = 0; k < count; ++k) {
        const BYTE* pIn = inputs[k]->m_block.data();
        for (size_t s = 0; s < nSamples; ++s)
            std::memcpy(pOut + (s * count + k) * S, pIn + s * S, S);
    }
}

template <UINT S, UINT C>
void InterleaveFramesOf(BYTE* pOut, const BYTE* const* in, UINT nSamples)
{
    if constexpr (S == 3)
        InterleaveFrames24<C>(pOut, in, nSamples);
    else
        InterleaveFrames<S, C>(pOut, in, nSamples);
}

template <UINT S>
void InterleaveSamplesOf(BYTE* pOut, const std::vector<CInputWave*>& inputs, UINT nSamples)
{
    const BYTE* in[kMaxUnrolledChannels] = {};
    for (size_t k = 0; k < inputs.size() && k < kMaxUnrolledChannels; ++k)
        in[k] = inputs[k]->m_block.data();
    switch (inputs.size()) {
    case 2: InterleaveFramesOf<S, 2>(pOut, in, nSamples); break;
    case 4: InterleaveFramesOf<S, 4>(pOut, in, nSamples); break;
    case 6: InterleaveFramesOf<S, 6>(pOut, in, nSamples); break;
    case 8: InterleaveFramesOf<S, 8>(pOut, in, nSamples); break;
    default: InterleaveChannels<S>(pOut, inputs, nSamples); break;
    }
}

}  // namespace

void InterleaveBlocks(BYTE* pOut, const std::vector<CInputWave*>& inputs, UINT nSampleBytes, UINT nSamples)
{
    switch (nSampleBytes) {
    case 1: InterleaveSamplesOf<1>(pOut, inputs, nSamples); break;
    case 2: InterleaveSamplesOf<2>(pOut, inputs, nSamples); break;
    case 3: InterleaveSamplesOf<3>(pOut, inputs, nSamples); break;
    case 4: InterleaveSamplesOf<4>(pOut, inputs, nSamples); break;
    case 8: InterleaveSamplesOf<8>(pOut, inputs, nSamples); break;
    default: break;
    }
}
