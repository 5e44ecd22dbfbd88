// The merge fuzzer's input: one byte of options (1: plain header, 4: "bext"), the first file's length in
// four little-endian bytes, the first file, then the second file. Any bytes
// split somehow, so every mutation is a pair of files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct TwoInputs {
    bool bPlain = false;  // the old-style header instead of WAVE_FORMAT_EXTENSIBLE
    bool bCarryBext = false;  // the first input's "bext" chunk into the output
    std::string first;
    std::string second;
};

inline TwoInputs SplitInputs(const std::uint8_t* pData, std::size_t nSize)
{
    TwoInputs inputs;
    if (nSize < 5)
        return inputs;
    inputs.bPlain = (pData[0] & 1) != 0;
    inputs.bCarryBext = (pData[0] & 4) != 0;
    std::size_t nFirst = pData[1] | (pData[2] << 8) | (pData[3] << 16) | (static_cast<std::size_t>(pData[4]) << 24);
    const char* pFiles = reinterpret_cast<const char*>(pData + 5);
    const std::size_t nFiles = nSize - 5;
    if (nFirst > nFiles)
        nFirst = nFiles;
    inputs.first.assign(pFiles, nFirst);
    inputs.second.assign(pFiles + nFirst, nFiles - nFirst);
    return inputs;
}

inline std::string JoinInputs(const TwoInputs& inputs)
{
    const int nOptions = (inputs.bPlain ? 1 : 0) | (inputs.bCarryBext ? 4 : 0);
    std::string bytes(1, static_cast<char>(nOptions));
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((inputs.first.size() >> (8 * i)) & 0xFF);
    return bytes + inputs.first + inputs.second;
}
