#include <gtest/gtest.h>

#include <filesystem>

#include "layout/settings.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/childprocess.h"

namespace {

namespace fs = std::filesystem;

CSettings BuiltInSettings()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    return settings;
}

std::vector<std::string> FolderListing(const TempDir& dir, const std::string& folder = "")
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path() / folder))
        names.push_back(entry.path().filename().string());
    return names;
}

bool SaveBuiltInSettings(const std::string& path)
{
    return BuiltInSettings().SaveSettings(path.c_str());
}

TEST(SaveSettingsTest, BuiltInSettingsAreWrittenByteForByte)
{
    TempDir dir;
    ASSERT_TRUE(SaveBuiltInSettings(dir / "settings.pxr"));
    EXPECT_EQ(ReadWholeFile(dir / "settings.pxr"), kBuiltInSettingsFile);
    EXPECT_EQ(FolderListing(dir), std::vector<std::string>{"settings.pxr"});
}

TEST(SaveSettingsTest, BuiltInFileReadsBackWithLfOnlyAndNoFinalLineEnd)
{
    std::string lfOnly;
    for (char c : kBuiltInSettingsFile) {
        if (c != '\r')
            lfOnly += c;
    }
    lfOnly.pop_back();
    for (const std::string& bytes : {kBuiltInSettingsFile, lfOnly}) {
        CSettings settings = Load(bytes);
        CSettings builtIn = BuiltInSettings();
        EXPECT_EQ(ConfigurationsOf(settings), kBuiltInConfigurations);
        EXPECT_EQ(settings.m_nDefaultConfiguration, 3);
        EXPECT_EQ(settings.m_strSuffixes, builtIn.m_strSuffixes);
        EXPECT_TRUE(settings.m_bAutoPadding && settings.m_bAutoLoading && settings.m_bAutoExport);
        EXPECT_FALSE(settings.m_bNoExtensible);
    }
}

TEST(SaveSettingsTest, AwkwardValuesRoundTrip)
{
    const std::string longName(600, 'n');
    const std::string longSuffix(1000, 's');
    CSettings settings;
    settings.m_bAutoPadding = false;
    settings.m_bAutoLoading = true;
    settings.m_bAutoExport = false;
    settings.m_bNoExtensible = true;
    const char* suffixes[] = {"", "  padded  ", "a = b", "=", " ", "x\ty", "_L", "%s%d"};
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        settings.m_strSuffixes[i] = i < 8 ? CString(suffixes[i]) : CString(longSuffix + std::to_string(i));
    const Configurations configurations = {
        {"", 0}, {" lead", 0x80000000}, {"trail ", 0xFFFFFFFF}, {"with = sign", 0xFFFC0003},
        {longName, 0x3FFFF}, {"surround 5.1", 0x3F}};
    for (const auto& [name, mask] : configurations) {
        settings.m_aConfigurations.push_back(std::make_unique<CConfiguration>());
        settings.m_aConfigurations.back()->m_strName = name;
        settings.m_aConfigurations.back()->m_dwChannelMask = mask;
    }
    settings.m_nDefaultConfiguration = 4;

    TempDir dir;
    ASSERT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    const std::string bytes = ReadWholeFile(dir / "settings.pxr");
    EXPECT_NE(bytes.find("\r\nconfiguration #4 = " + longName + "\r\nchannel mask #4 = 262143\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\nchannel mask #1 = 2147483648\r\nconfiguration #2 = trail \r\n"
                         "channel mask #2 = 4294967295\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\nFront Left = \r\nFront Right =   padded  \r\n"), std::string::npos);

    CSettings loaded = Load(bytes);
    EXPECT_EQ(ConfigurationsOf(loaded), configurations);
    EXPECT_EQ(loaded.m_nDefaultConfiguration, 4);
    EXPECT_EQ(loaded.m_strSuffixes, settings.m_strSuffixes);
    EXPECT_FALSE(loaded.m_bAutoPadding);
    EXPECT_TRUE(loaded.m_bAutoLoading);
    EXPECT_FALSE(loaded.m_bAutoExport);
    EXPECT_TRUE(loaded.m_bNoExtensible);
}

TEST(SaveSettingsTest, MoreThan65535ConfigurationsRoundTrip)
{
    CSettings settings;
    constexpr int kCount = 70000;
    for (int i = 0; i < kCount; ++i) {
        settings.m_aConfigurations.push_back(std::make_unique<CConfiguration>());
        settings.m_aConfigurations.back()->m_strName.Format("c%d", i);
        settings.m_aConfigurations.back()->m_dwChannelMask = static_cast<DWORD>(i) * 65537u;
    }
    settings.m_nDefaultConfiguration = kCount - 1;
    TempDir dir;
    ASSERT_TRUE(settings.SaveSettings((dir / "settings.pxr").c_str()));
    const std::string bytes = ReadWholeFile(dir / "settings.pxr");
    EXPECT_NE(bytes.find("\r\nnumber of configurations = 70000\r\ndefault configuration = 69999\r\n"),
              std::string::npos);
    EXPECT_TRUE(bytes.ends_with("\r\nconfiguration #69999 = c69999\r\nchannel mask #69999 = 292557167\r\n"));

    CSettings loaded = Load(bytes);
    loaded.RepairConfigurations();
    EXPECT_EQ(ConfigurationsOf(loaded), ConfigurationsOf(settings));
    EXPECT_EQ(loaded.m_nDefaultConfiguration, kCount - 1);
}

// Folders and files with given permissions, for a child that obeys them.
class SavePermissionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::permissions(m_dir.path(), fs::perms::owner_all | fs::perms::others_read |
                                          fs::perms::others_exec | fs::perms::group_read |
                                          fs::perms::group_exec);
        fs::create_directory(m_dir.path() / "app");
    }
    void TearDown() override
    {
        fs::permissions(m_dir.path() / "app", fs::perms::owner_all);
    }
    void Restrict(const std::string& name, fs::perms perms)
    {
        fs::permissions(m_dir.path() / name, perms);
    }
    std::string Settings() const { return m_dir / "app/settings.pxr"; }

    TempDir m_dir;
    const fs::perms m_readOnly = fs::perms::owner_read | fs::perms::group_read |
                                 fs::perms::others_read;
    const fs::perms m_readOnlyFolder = m_readOnly | fs::perms::owner_exec | fs::perms::group_exec |
                                       fs::perms::others_exec;
    const fs::perms m_writable = m_readOnly | fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write;
};

TEST_F(SavePermissionsTest, ReadOnlyFolderIsWrittenInPlace)
{
    WriteWholeFile(Settings(), std::string(5000, 'o'));
    Restrict("app/settings.pxr", m_writable);
    Restrict("app", m_readOnlyFolder);
    EXPECT_TRUE(RunInChild([&] { return SaveBuiltInSettings(Settings()); }, true));
    EXPECT_EQ(ReadWholeFile(Settings()), kBuiltInSettingsFile);
}

}  // namespace
