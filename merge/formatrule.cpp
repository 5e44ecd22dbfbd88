#include "merge/formatrule.h"

#include <cstring>

#include "merge/littleendian.h"

namespace {

WaveReadOutcome Refusal(WaveReadError eError, const FormatFields& fields, ULONGLONG nField, DWORD dwValue = 0)
{
    return {eError, fields.nOffset + nField, 0, dwValue};
}

// The kind of samples the tag, or the SubFormat of WAVE_FORMAT_EXTENSIBLE,
// names; a refusal for any other.
WaveReadOutcome JudgeKind(const FormatFields& fields, SampleKind& eKind)
{
    WORD wTag = fields.wFormatTag;
    if (wTag == kFormatExtensible) {
        if (std::memcmp(fields.subFormat + 2, kSubFormatTail, sizeof kSubFormatTail) != 0)
            return Refusal(WaveReadError::UnknownSubFormat, fields, kSubFormatField);
        wTag = Le16(fields.subFormat);
    }
    if (wTag != kFormatPcm && wTag != kFormatIeeeFloat) {
        const ULONGLONG nField = fields.wFormatTag == kFormatExtensible ? kSubFormatField : kFormatTagField;
        return Refusal(WaveReadError::UnsupportedFormat, fields, nField, wTag);
    }
    eKind = wTag == kFormatPcm ? SampleKind::Pcm : SampleKind::Float;
    return {};
}

bool IsReadDepth(SampleKind eKind, WORD nBits)
{
    if (eKind == SampleKind::Float)
        return nBits == 32 || nBits == 64;
    return nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
}

// A plain chunk's samples take whole bytes: 20 bits are carried in 24. In
// WAVE_FORMAT_EXTENSIBLE the bits per sample are the container and the
// valid bits (0 for all of them) what it carries.
WaveReadOutcome JudgeDepth(const FormatFields& fields, WaveFormat& format)
{
    const bool bExtensible = fields.wFormatTag == kFormatExtensible;
    const WORD nStated = fields.wBitsPerSample;
    const WORD nContainer = bExtensible || format.eKind == SampleKind::Float
                                ? nStated
                                : static_cast<WORD>((nStated + 7u) / 8u * 8u);
    const WaveReadError eDepth =
        format.eKind == SampleKind::Float ? WaveReadError::UnsupportedFloatDepth : WaveReadError::UnsupportedPcmDepth;
    if (nStated == 0 || !IsReadDepth(format.eKind, nContainer))
        return Refusal(eDepth, fields, kBitsPerSampleField, nStated);
    WORD nValid = bExtensible ? fields.wValidBitsPerSample : nStated;
    if (nValid == 0)
        nValid = nContainer;
    if (nValid > nContainer || (format.eKind == SampleKind::Float && nValid != nContainer))
        return Refusal(WaveReadError::OddValidBits, fields, kValidBitsField, nValid);
    format.nBitsPerSample = nContainer;
    format.nValidBitsPerSample = nValid;
    return {};
}

}  // namespace

WaveReadOutcome JudgeFormat(const FormatFields& fields, WaveFormat& format)
{
    format = WaveFormat{};
    format.nOffset = fields.nOffset;
    format.wFormatTag = fields.wFormatTag;
    format.nChannels = fields.nChannels;
    format.nSampleRate = fields.nSampleRate;
    if (WaveReadOutcome kind = JudgeKind(fields, format.eKind); !kind.Succeeded())
        return kind;
    if (WaveReadOutcome depth = JudgeDepth(fields, format); !depth.Succeeded())
        return depth;
    if (fields.nChannels == 0)
        return Refusal(WaveReadError::NoChannels, fields, kChannelsField);
    // A block alignment that disagrees leaves the sample layout in doubt
    // (24 bits in 4 bytes, or a wrong field?), and a guess would not be exact.
    const DWORD nFrameBytes = static_cast<DWORD>(fields.nChannels) * (format.nBitsPerSample / 8u);
    if (fields.nBlockAlign != nFrameBytes)
        return Refusal(WaveReadError::OddBlockAlign, fields, kBlockAlignField, fields.nBlockAlign);
    if (fields.nSampleRate == 0)
        return Refusal(WaveReadError::ZeroSampleRate, fields, kSampleRateField);
    if (fields.wFormatTag == kFormatExtensible)
        format.dwChannelMask = fields.dwChannelMask;
    return {};
}
