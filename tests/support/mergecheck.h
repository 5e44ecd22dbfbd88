// What a merge must leave behind, derived independently of the engine.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

// Distinct bytes per seed, so that a swapped channel or a shifted block shows.
inline std::string PatternBytes(size_t nLength, int nSeed)
{
    std::string bytes(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        bytes[i] = static_cast<char>((i * 31 + static_cast<size_t>(nSeed) * 97 + i / 251) & 0xFF);
    return bytes;
}

// The output's data, frame by frame: channel k carries the whole samples
// present in input k, then silence (a dangling half sample is silence too),
// cut at channels x longest length bytes.
inline std::string ExpectedData(const std::vector<std::string>& present, size_t nLongest)
{
    std::string data;
    for (size_t f = 0; 2 * f < nLongest; ++f) {
        for (const std::string& bytes : present)
            data += 2 * f + 1 < bytes.size() ? bytes.substr(2 * f, 2) : std::string(2, '\0');
    }
    data.resize(present.size() * nLongest);
    return data;
}

// The whole output file, its header written out field by field: a "fmt "
// chunk of 40 bytes (WAVE_FORMAT_EXTENSIBLE: 16 valid bits, the channel
// mask, the PCM subformat) or, old style, of 16 bytes (plain PCM); then the
// data chunk, whose odd length gets no pad byte.
inline std::string ExpectedOutput(const std::vector<std::string>& present, size_t nLongest,
                                  std::uint32_t nRate, std::uint32_t dwMask, bool bPlain)
{
    const auto nChannels = static_cast<std::uint16_t>(present.size());
    const std::string data = ExpectedData(present, nLongest);
    std::string fmt = Le16(bPlain ? 1 : 0xFFFE) + Le16(nChannels) + Le32(nRate) +
                      Le32(nRate * 2 * nChannels) + Le16(static_cast<std::uint16_t>(2 * nChannels)) +
                      Le16(16);
    if (!bPlain) {
        fmt += Le16(22) + Le16(16) + Le32(dwMask) +
               std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
    }
    const std::string body = "WAVEfmt " + Le32(static_cast<std::uint32_t>(fmt.size())) + fmt + "data" +
                             Le32(static_cast<std::uint32_t>(data.size())) + data;
    return "RIFF" + Le32(static_cast<std::uint32_t>(body.size())) + body;
}

inline std::vector<std::string> FilesIn(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
