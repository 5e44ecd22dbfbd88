// The header a merge's output must start with, laid out field by field from
// the RIFF/WAVE format (16-bit samples), independently of the writer.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/wavbuilder.h"

// 68 bytes: a 40-byte WAVE_FORMAT_EXTENSIBLE "fmt " chunk with the mask;
// with bPlain 44 bytes: a 16-byte PCM one. nDataBytes is one channel's length.
inline std::string ExpectedHeader(std::uint16_t nChannels, std::uint32_t nRate, std::uint32_t nDataBytes,
                                  std::uint32_t dwMask, bool bPlain = false)
{
    const std::uint32_t nAllData = nChannels * nDataBytes;
    const std::uint16_t nBlockAlign = static_cast<std::uint16_t>(2 * nChannels);
    std::string header = "RIFF" + Le32(nAllData + (bPlain ? 36 : 60)) + "WAVE" + "fmt ";
    header += Le32(bPlain ? 16 : 40) + Le16(bPlain ? 1 : 0xFFFE) + Le16(nChannels) + Le32(nRate) +
              Le32(nRate * nBlockAlign) + Le16(nBlockAlign) + Le16(16);
    if (!bPlain)
        header += Le16(22) + Le16(16) + Le32(dwMask) + kSubtypePcm;  // cbSize, valid bits, mask, subtype
    return header + "data" + Le32(nAllData);
}
