// CSampleDecoder: interleaved frames of any sample format the reader
// takes, as one run of doubles per channel where full scale is 1.0, the
// scale level meters and loudness meters measure in.
#pragma once

#include <span>

#include "merge/formatrule.h"
#include "core/types.h"

class CSampleDecoder {
public:
    explicit CSampleDecoder(const WaveFormat& format);

    UINT GetFrameBytes() const { return m_nSampleBytes * m_nChannels; }

    // Sample k of frame f of pFrames into channels[k][f], for f below nFrames.
    void Decode(const BYTE* pFrames, size_t nFrames, std::span<double* const> channels) const;

    // The format's largest and smallest values on that scale: a sample at
    // either is clipped. Integers reach -1.0 but stop one step short of 1.0
    // (of the valid bits, for 20 bits in 24); float stops at ±1.0, beyond
    // which a fixed-point copy would clip.
    double GetLargest() const { return m_largest; }
    double GetSmallest() const { return m_smallest; }

private:
    SampleKind m_eKind;
    UINT m_nSampleBytes;
    UINT m_nChannels;
    double m_largest = 1.0;
    double m_smallest = -1.0;
};
