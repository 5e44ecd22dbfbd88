// Settings files written out by hand, and ways to load and inspect them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "layout/settings.h"
#include "tests/support/tempdir.h"

// The file written from the built-in settings, byte for byte.
inline const std::string kBuiltInSettingsFile =
    "Plexora settings file\r\n"
    "Channel configurations and options of Plexora\r\n"
    "version: 1\r\n"
    "revision: 0\r\n"
    "\r\n"
    "\r\n"
    "[Options]\r\n"
    "auto padding = 1\r\n"
    "auto loading = 1\r\n"
    "auto export = 1\r\n"
    "no WAVE_FORMAT_EXTENSIBLE = 0\r\n"
    "\r\n"
    "[Suffixes]\r\n"
    "Front Left = FL\r\n"
    "Front Right = FR\r\n"
    "Front Center = FC\r\n"
    "Low Frequency = LF\r\n"
    "Back Left = BL\r\n"
    "Back Right = BR\r\n"
    "Front Left of Center = FLC\r\n"
    "Front Right of Center = FRC\r\n"
    "Back Center = BC\r\n"
    "Side Left = SL\r\n"
    "Side Right = SR\r\n"
    "Top Center = TC\r\n"
    "Top Front Left = TFL\r\n"
    "Top Front Center = TFC\r\n"
    "Top Front Right = TFR\r\n"
    "Top Back Left = TBL\r\n"
    "Top Back Center = TBC\r\n"
    "Top Back Right = TBR\r\n"
    "\r\n"
    "[Configurations]\r\n"
    "number of configurations = 5\r\n"
    "default configuration = 3\r\n"
    "configuration #0 = stereo\r\n"
    "channel mask #0 = 3\r\n"
    "configuration #1 = quadriphony\r\n"
    "channel mask #1 = 51\r\n"
    "configuration #2 = surround\r\n"
    "channel mask #2 = 263\r\n"
    "configuration #3 = surround 5.1\r\n"
    "channel mask #3 = 63\r\n"
    "configuration #4 = surround 7.1\r\n"
    "channel mask #4 = 255\r\n";

using Configurations = std::vector<std::pair<std::string, DWORD>>;

inline const Configurations kBuiltInConfigurations = {
    {"stereo", 0x3}, {"quadriphony", 0x33}, {"surround", 0x107}, {"surround 5.1", 0x3F},
    {"surround 7.1", 0xFF}};

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
