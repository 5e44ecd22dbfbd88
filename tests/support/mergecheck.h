// What a merge must leave behind, derived independently of the engine.
#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/tempdir.h"

// Distinct bytes per seed, so that a swapped channel or a shifted block shows.
inline std::string PatternBytes(size_t nLength, int nSeed)
{
    std::string bytes(nLength, '\0');
    for (size_t i = 0; i < nLength; ++i)
        bytes[i] = static_cast<char>((i * 31 + static_cast<size_t>(nSeed) * 97 + i / 251) & 0xFF);
    return bytes;
}

// The output's data, frame by frame: channel k carries the whole samples
// present in input k, then silence (a dangling part of a sample is silence
// too), cut at channels x longest length bytes.
inline std::string ExpectedData(const std::vector<std::string>& present, size_t nLongest, size_t nSampleBytes = 2,
                                char silence = '\0')
{
    std::string data;
    for (size_t f = 0; nSampleBytes * f < nLongest; ++f) {
        for (const std::string& bytes : present) {
            const bool bWhole = nSampleBytes * (f + 1) <= bytes.size();
            data += bWhole ? bytes.substr(nSampleBytes * f, nSampleBytes) : std::string(nSampleBytes, silence);
        }
    }
    data.resize(present.size() * nLongest);
    return data;
}

inline std::vector<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<std::string> FilesIn(const TempDir& dir)
{
    return FilesIn(dir.path());
}
