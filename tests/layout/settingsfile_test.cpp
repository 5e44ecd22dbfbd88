// The settings file as written: the built-in record byte for byte, awkward
// values and more than 65 535 configurations read back, and a folder that
// takes no new file.
#include <gtest/gtest.h>

#include <filesystem>

#include "layout/settings.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/childprocess.h"
#include "tests/support/mergecheck.h"

namespace fs = std::filesystem;

namespace {

const std::string kBuiltInSettingsFile =
    "Plexora settings file\r\nChannel configurations and options of Plexora\r\nversion: 1\r\nrevision: 0\r\n"
    "\r\n\r\n"
    "[Options]\r\nauto padding = 1\r\nauto loading = 1\r\nauto export = 1\r\nno WAVE_FORMAT_EXTENSIBLE = 0\r\n"
    "\r\n"
    "[Suffixes]\r\n"
    "Front Left = FL\r\nFront Right = FR\r\nFront Center = FC\r\nLow Frequency = LF\r\n"
    "Back Left = BL\r\nBack Right = BR\r\nFront Left of Center = FLC\r\nFront Right of Center = FRC\r\n"
    "Back Center = BC\r\nSide Left = SL\r\nSide Right = SR\r\nTop Center = TC\r\n"
    "Top Front Left = TFL\r\nTop Front Center = TFC\r\nTop Front Right = TFR\r\n"
    "Top Back Left = TBL\r\nTop Back Center = TBC\r\nTop Back Right = TBR\r\n"
    "\r\n"
    "[Configurations]\r\nnumber of configurations = 5\r\ndefault configuration = 3\r\n"
    "configuration #0 = stereo\r\nchannel mask #0 = 3\r\n"
    "configuration #1 = quadriphony\r\nchannel mask #1 = 51\r\n"
    "configuration #2 = surround\r\nchannel mask #2 = 263\r\n"
    "configuration #3 = surround 5.1\r\nchannel mask #3 = 63\r\n"
    "configuration #4 = surround 7.1\r\nchannel mask #4 = 255\r\n";

bool SaveBuiltInSettings(const std::string& path)
{
    CSettings settings;
    settings.LoadDefaultSettings();
    return settings.SaveSettings(path.c_str());
}

TEST(SaveSettingsTest, TheBuiltInRecordIsWrittenByteForByte)
{
    TempDir dir;
    ASSERT_TRUE(SaveBuiltInSettings(dir / "settings.pxr"));
    EXPECT_EQ(ReadWholeFile(dir / "settings.pxr"), kBuiltInSettingsFile);
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"settings.pxr"});
}

TEST(SaveSettingsTest, AwkwardValuesAndMoreThan65535ConfigurationsReadBack)
{
    CSettings settings;
    settings.m_bAutoLoading = settings.m_bNoExtensible = true;
    const char* const suffixes[] = {"", "  padded  ", "a = b", "=", " ", "x\ty", "_L", "%s%d"};
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        settings.m_strSuffixes[i] = i < 8 ? CString(suffixes[i]) : CString(std::string(1000, 's') + std::to_string(i));
    const std::string longName(600, 'n');
    Configurations configurations = {
        {"", 0}, {" lead", 0x80000000}, {"trail ", 0xFFFFFFFF}, {"with = sign", 0xFFFC0003}, {longName, 0x3FFFF}};
    while (configurations.size() < 70000)
        configurations.emplace_back('c' + std::to_string(configurations.size()),
                                    static_cast<DWORD>(configurations.size()) * 65537u);
    for (const auto& [name, mask] : configurations) {
        settings.m_aConfigurations.push_back(std::make_unique<CConfiguration>());
        settings.m_aConfigurations.back()->m_strName = name;
        settings.m_aConfigurations.back()->m_dwChannelMask = mask;
    }
    settings.m_nDefaultConfiguration = 69999;

    TempDir dir;
    ASSERT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    const std::string bytes = ReadWholeFile(dir / "settings.pxr");
    // Masks in unsigned decimal, values untrimmed; the rest shows in what reads back.
    EXPECT_NE(bytes.find("\r\nchannel mask #1 = 2147483648\r\nconfiguration #2 = trail \r\n"
                         "channel mask #2 = 4294967295\r\n"),
              std::string::npos);

    CSettings loaded = Load(bytes);
    loaded.RepairConfigurations();
    EXPECT_EQ(ConfigurationsOf(loaded), configurations);
    EXPECT_EQ(loaded.m_strSuffixes, settings.m_strSuffixes);
    EXPECT_EQ(loaded.m_nDefaultConfiguration, 69999);
    EXPECT_FALSE(loaded.m_bAutoPadding || loaded.m_bAutoExport);
    EXPECT_TRUE(loaded.m_bAutoLoading && loaded.m_bNoExtensible);
}

// A line break that reaches a value is written as a blank, so that every
// value keeps its one line and the file reads back whole.
TEST(SaveSettingsTest, ALineBreakInAValueIsWrittenAsABlank)
{
    CSettings settings;
    settings.LoadDefaultSettings();
    settings.m_strSuffixes[0] = "L\r\nx";
    settings.m_strSuffixes[17] = "\n";
    settings.m_aConfigurations[1]->m_strName = "two\nlines\r";
    TempDir dir;
    ASSERT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    std::string expected = kBuiltInSettingsFile;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"= FL\r", "= L  x\r"},
                                   {"= TBR\r", "=  \r"},
                                   {"= quadriphony\r", "= two lines \r"}})
        expected.replace(expected.find(from), from.size(), to);
    EXPECT_EQ(ReadWholeFile(dir / "settings.pxr"), expected);
}

// Where no temporary file can be made beside it, the old file is written
// in place (by an unprivileged child when the tests run as root).
TEST(SaveSettingsTest, AFolderThatTakesNoNewFileGetsTheFileWrittenInPlace)
{
    TempDir dir;
    const std::string path = dir / "app/settings.pxr";
    fs::create_directory(dir / "app");
    WriteWholeFile(path, std::string(5000, 'o'));
    fs::permissions(path, fs::perms::all);
    fs::permissions(dir.path(), fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(dir / "app", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
    EXPECT_TRUE(RunInChild([&] { return SaveBuiltInSettings(path); }, true));
    fs::permissions(dir / "app", fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(ReadWholeFile(path), kBuiltInSettingsFile);
    EXPECT_EQ(FilesIn(dir / "app"), std::vector<std::string>{"settings.pxr"});
}

}  // namespace
