#include "analysis/sampledecoder.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace {

// Little-endian integers of S bytes, moved to the top of 32 bits so that one
// scale serves every width; 8-bit samples are unsigned around 128.
template <UINT S>
double DecodeInteger(const BYTE* p)
{
    if constexpr (S == 1) {
        return (static_cast<int>(p[0]) - 128) * (1.0 / 128);
    } else {
        std::uint32_t bits = 0;
        for (UINT i = 0; i < S; ++i)
            bits |= static_cast<std::uint32_t>(p[i]) << (8 * (4 - S + i));
        return static_cast<std::int32_t>(bits) * (1.0 / 2147483648.0);
    }
}

double DecodeFloat32(const BYTE* p)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, p, 4);
    return std::bit_cast<float>(bits);
}

double DecodeFloat64(const BYTE* p)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, p, 8);
    return std::bit_cast<double>(bits);
}

template <UINT S, double (*DecodeOne)(const BYTE*)>
void DecodeFrames(const BYTE* pFrames, size_t nFrames, std::span<double* const> channels)
{
    const size_t nChannels = channels.size();
    for (size_t k = 0; k < nChannels; ++k) {
        const BYTE* p = pFrames + k * S;
        double* pOut = channels[k];
        for (size_t f = 0; f < nFrames; ++f, p += nChannels * S)
            pOut[f] = DecodeOne(p);
    }
}

}  // namespace

CSampleDecoder::CSampleDecoder(const WaveFormat& format)
    : m_eKind(format.eKind), m_nSampleBytes(format.nBitsPerSample / 8u), m_nChannels(format.nChannels)
{
    if (m_eKind == SampleKind::Pcm) {
        // The largest value of the valid bits, as they sit at the top of the sample.
        const int nValid = format.nValidBitsPerSample > 0 ? format.nValidBitsPerSample : format.nBitsPerSample;
        m_largest = 1.0 - std::ldexp(1.0, 1 - nValid);
    }
}

void CSampleDecoder::Decode(const BYTE* pFrames, size_t nFrames, std::span<double* const> channels) const
{
    if (m_eKind == SampleKind::Float) {
        if (m_nSampleBytes == 4)
            DecodeFrames<4, DecodeFloat32>(pFrames, nFrames, channels);
        else
            DecodeFrames<8, DecodeFloat64>(pFrames, nFrames, channels);
        return;
    }
    switch (m_nSampleBytes) {
    case 1: DecodeFrames<1, DecodeInteger<1>>(pFrames, nFrames, channels); break;
    case 2: DecodeFrames<2, DecodeInteger<2>>(pFrames, nFrames, channels); break;
    case 3: DecodeFrames<3, DecodeInteger<3>>(pFrames, nFrames, channels); break;
    default: DecodeFrames<4, DecodeInteger<4>>(pFrames, nFrames, channels); break;
    }
}
