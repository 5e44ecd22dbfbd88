// The --auto rows of one file, without running the program.
#include "cli/autoset.h"

#include <gtest/gtest.h>

#include "tests/support/tempdir.h"

namespace {

constexpr DWORD kSurround51 = 0x3F;
constexpr DWORD kAllPositions = 0x3FFFF;

CSettings BuiltInSettings()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    return settings;
}

int RowOf(const char* pszFile, DWORD dwMask, const CSettings& settings = BuiltInSettings())
{
    return FindRowOfFile(pszFile, GetChannelPositions(dwMask), settings);
}

TEST(FindRowOfFileTest, TheLongestSuffixBeforeTheLast4BytesWins)
{
    EXPECT_EQ(RowOf("/a/drumsFL.wav", kSurround51), 0);
    EXPECT_EQ(RowOf("/a/drumsBR.wav", kSurround51), 5);
    EXPECT_EQ(RowOf("/a/drumsLF.wav", kSurround51), 3);
    // Top Front Left, not Front Left; and Front Left of Center, not Front Center.
    EXPECT_EQ(RowOf("/a/drumsTFL.wav", kAllPositions), 12);
    EXPECT_EQ(RowOf("/a/drumsFLC.wav", kAllPositions), 6);
    EXPECT_EQ(RowOf("/a/drumsTBR.wav", kAllPositions), 17);
    // Only the configuration's own positions count: no TFL in 5.1, so FL.
    EXPECT_EQ(RowOf("/a/drumsTFL.wav", kSurround51), 0);
    EXPECT_EQ(RowOf("/a/drumsBC.wav", 0x107), 3);
}

TEST(FindRowOfFileTest, NoMatchMeansRowZero)
{
    EXPECT_EQ(RowOf("/a/drumsbr.wav", kSurround51), 0) << "letter case counts";
    EXPECT_EQ(RowOf("/a/drumsBr.wav", kSurround51), 0);
    EXPECT_EQ(RowOf("/a/take2.wav", kSurround51), 0);
    EXPECT_EQ(RowOf("/a/drumsBR.wave", kSurround51), 0) << "the last 4 bytes go, whatever they are";
    EXPECT_EQ(RowOf("BR", kSurround51), 0);
    EXPECT_EQ(RowOf("/a/drumsBR.wav", 0), 0) << "no rows at all";
}

TEST(FindRowOfFileTest, SuffixesOfTheSettingsRecord)
{
    CSettings settings = BuiltInSettings();
    settings.m_strSuffixes[0] = "_L";
    settings.m_strSuffixes[1] = "_R";
    settings.m_strSuffixes[5] = "_R";  // the same as Front Right: the first row wins
    settings.m_strSuffixes[3] = "";    // ends every name, so it beats no match at all
    EXPECT_EQ(RowOf("/a/voice_L.wav", kSurround51, settings), 0);
    EXPECT_EQ(RowOf("/a/voice_R.wav", kSurround51, settings), 1);
    EXPECT_EQ(RowOf("/a/voiceFL.wav", kSurround51, settings), 3);
    EXPECT_EQ(RowOf("/a/voiceBL.wav", kSurround51, settings), 4);
}

class FillAutoSetTest : public testing::Test {
protected:
    void Touch(const std::string& name) { WriteWholeFile(m_dir / name, "x"); }
    CString Path(const std::string& name) const { return CString(m_dir / name); }

    TempDir m_dir;
    CSettings m_settings = BuiltInSettings();
};

TEST_F(FillAutoSetTest, EveryRowGetsItsSiblingWhicheverFileIsGiven)
{
    for (const char* pszSuffix : {"FL", "FR", "FC", "LF", "BL", "BR"})
        Touch(std::string("drums") + pszSuffix + ".wav");
    const std::vector<CString> expected = {Path("drumsFL.wav"), Path("drumsFR.wav"), Path("drumsFC.wav"),
                                           Path("drumsLF.wav"), Path("drumsBL.wav"), Path("drumsBR.wav")};
    for (const CString& strGiven : expected) {
        const AutoSet set = FillAutoSet(strGiven, kSurround51, m_settings);
        EXPECT_EQ(set.positions, (std::vector<int>{0, 1, 2, 3, 4, 5}));
        EXPECT_EQ(set.files, expected) << strGiven;
        EXPECT_TRUE(set.missing.empty());
        EXPECT_EQ(FindRowWithoutFile(set), -1);
        EXPECT_EQ(GetAutoOutputPath(set, "surround 5.1", m_settings), Path("drumssurround 5.1.wav"));
    }
}

TEST_F(FillAutoSetTest, MissingSiblingsStayEmptyAndAreListedInRowOrder)
{
    for (const char* pszSuffix : {"FL", "FR", "FC", "BL"})
        Touch(std::string("drums") + pszSuffix + ".wav");
    const AutoSet set = FillAutoSet(Path("drumsFC.wav"), kSurround51, m_settings);
    EXPECT_EQ(set.files, (std::vector<CString>{Path("drumsFL.wav"), Path("drumsFR.wav"), Path("drumsFC.wav"), "",
                                               Path("drumsBL.wav"), ""}));
    EXPECT_EQ(set.missing, (std::vector<CString>{Path("drumsLF.wav"), Path("drumsBR.wav")}));
    EXPECT_EQ(FindRowWithoutFile(set), 3);
}

TEST_F(FillAutoSetTest, TheSiblingsOfAFileWithoutSuffixAndOfAFiveByteExtension)
{
    Touch("take1.wav");
    Touch("take1FR.wav");
    AutoSet set = FillAutoSet(Path("take1.wav"), 0x3, m_settings);
    EXPECT_EQ(set.files, (std::vector<CString>{Path("take1.wav"), Path("take1FR.wav")}));

    Touch("kickFL.wave");
    Touch("kickFL.FR.wav");
    set = FillAutoSet(Path("kickFL.wave"), 0x3, m_settings);
    EXPECT_EQ(set.files, (std::vector<CString>{Path("kickFL.wave"), Path("kickFL.FR.wav")}));
    EXPECT_EQ(GetAutoOutputPath(set, "surround 5.1", m_settings), Path("kickFL.surround 5.1.wav"));
}

// The output is named after row 0's file, whichever row the given file took.
TEST(AutoOutputPathTest, BaseNameOfRowZeroPlusConfigurationName)
{
    CSettings settings = BuiltInSettings();
    settings.m_strSuffixes[0] = "_L";
    AutoSet set;
    set.positions = {0, 1};
    set.files = {"/Audio/voice_L.wav", "/Audio/other_R.wav"};
    EXPECT_EQ(GetAutoOutputPath(set, "surround 5.1", settings), "/Audio/voicesurround 5.1.wav");
    EXPECT_EQ(GetAutoOutputPath(AutoSet{}, "surround 5.1", settings), "") << "no rows, no name";
}

}  // namespace
