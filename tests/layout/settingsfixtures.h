// Settings files written out by hand, and ways to load and inspect them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "layout/settings.h"
#include "tests/support/tempdir.h"

using Configurations = std::vector<std::pair<std::string, DWORD>>;

// Lines as a person might type them, each ended by CR LF.
inline std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Loads bytes into a record that may already hold values.
inline void LoadInto(CSettings& settings, const std::string& bytes)
{
    TempDir dir;
    WriteWholeFile(dir / "settings.pxr", bytes);
    EXPECT_TRUE(settings.LoadSettings((dir / "settings.pxr").c_str()));
}

inline CSettings Load(const std::string& bytes)
{
    CSettings settings;
    LoadInto(settings, bytes);
    return settings;
}

inline Configurations ConfigurationsOf(const CSettings& settings)
{
    Configurations result;
    for (const auto& pConfiguration : settings.m_aConfigurations)
        result.emplace_back(pConfiguration->m_strName.str(), pConfiguration->m_dwChannelMask);
    return result;
}
