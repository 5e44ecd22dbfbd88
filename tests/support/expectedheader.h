// The header a merge's output must start with, laid out field by field from
// the RIFF/WAVE format, independently of the writer.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/wavbuilder.h"

// The samples of an output: 16-bit PCM unless said otherwise.
struct SampleLayout {
    std::uint16_t nBits = 16;       // the container
    std::uint16_t nValidBits = 16;
    bool bFloat = false;
};

// A 40-byte WAVE_FORMAT_EXTENSIBLE "fmt " chunk with the mask (68 bytes in
// all); with bPlain a 16-byte PCM one (44 bytes), or for float an 18-byte
// one and a "fact" chunk with the frame count (58 bytes). nDataBytes is one
// channel's length; the RIFF size counts the pad byte after odd data.
inline std::string ExpectedHeader(std::uint16_t nChannels, std::uint32_t nRate, std::uint32_t nDataBytes,
                                  std::uint32_t dwMask, bool bPlain = false, SampleLayout samples = {})
{
    const std::uint32_t nAllData = nChannels * nDataBytes;
    const std::uint16_t nBytes = samples.nBits / 8;
    const std::uint16_t nBlockAlign = static_cast<std::uint16_t>(nBytes * nChannels);
    const bool bPlainFloat = bPlain && samples.bFloat;
    const std::uint32_t nFmtBytes = bPlain ? (bPlainFloat ? 18 : 16) : 40;
    const std::uint32_t nFactBytes = bPlainFloat ? 12 : 0;
    std::string header = "RIFF" + Le32(nAllData + nAllData % 2 + 20 + nFmtBytes + nFactBytes) + "WAVE" + "fmt ";
    header += Le32(nFmtBytes) + Le16(bPlain ? (samples.bFloat ? 3 : 1) : 0xFFFE) + Le16(nChannels) + Le32(nRate) +
              Le32(nRate * nBlockAlign) + Le16(nBlockAlign) + Le16(samples.nBits);
    if (bPlainFloat)
        header += Le16(0) + "fact" + Le32(4) + Le32(nDataBytes / nBytes);  // cbSize; the frame count
    if (!bPlain)  // cbSize, valid bits, mask, subtype
        header += Le16(22) + Le16(samples.nValidBits) + Le32(dwMask) + (samples.bFloat ? kSubtypeFloat : kSubtypePcm);
    return header + "data" + Le32(nAllData);
}
