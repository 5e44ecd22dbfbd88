// The stem-set rules: base names, the row a file belongs to, siblings, the
// output's name and the messages, as tables of names.
#include "layout/stemset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "layout/settings.h"
#include "tests/support/tempdir.h"

namespace {

SuffixTable BuiltInSuffixes()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    return settings.m_strSuffixes;
}

TEST(GetBaseNameTest, ThePathLess4BytesLessTheSuffixWhenItEndsWithIt)
{
    const char* const cases[][3] = {  // path, suffix, base name
        {"/Audio/drumsFL.wav", "FL", "/Audio/drums"},
        {"/Audio/take2.wav", "FR", "/Audio/take2"},
        {"/Audio/drums_FL.wav", "FL", "/Audio/drums_"},
        {"/Audio/drumsfl.wav", "FL", "/Audio/drumsfl"},    // letter case counts
        {"/Audio/drumsFL.wave", "FL", "/Audio/drumsFL."},  // 4 bytes, not the extension
        {"/Audio/voice_L.wav", "_L", "/Audio/voice"},
        {"/Audio/drumsFL.wav", "", "/Audio/drumsFL"},      // an empty suffix removes nothing
        {"a.w", "FL", ""},                                 // shorter than 4 bytes
        {"/A/kick.w\xC3\xA9", "", "/A/kick"},              // bytes, not characters
    };
    for (const auto& [pszPath, pszSuffix, pszBase] : cases)
        EXPECT_EQ(GetBaseName(pszPath, pszSuffix), pszBase) << pszPath << " " << pszSuffix;
}

TEST(StemSetTest, TheRowOfAFileIsTheLongestSuffixBeforeTheLast4Bytes)
{
    SuffixTable suffixes = BuiltInSuffixes();
    suffixes[9] = suffixes[10] = "_S";  // Side Left and Side Right
    suffixes[11] = "";                  // Top Center
    const std::tuple<const char*, DWORD, int> cases[] = {
        {"/a/drumsTFL.wav", 0x3FFFF, 12},  // Top Front Left, not Front Left
        {"/a/drumsBC.wav", 0x107, 3},      // a row, not a position index
        {"/a/drumsBR.wav", 0x3, 0},        // no Back Right in stereo: no match
        {"/a/drumsBr.wav", 0x3F, 0},       // letter case counts
        {"/a/drumsBR.wave", 0x3F, 0},      // the last 4 bytes go, whatever they are
        {"/a/drumsBR.wav", 0, 0},          // no rows at all
        {"/a/voice_S.wav", 0x603, 2},      // equal suffixes: the first row
        {"/a/voice.wav", 0x80B, 3},        // an empty suffix ends every name: it beats no match
        {"/a/voiceFL.wav", 0x80B, 0},      // and loses to any other
    };
    for (const auto& [pszFile, dwMask, nRow] : cases)
        EXPECT_EQ(CStemSet(dwMask, suffixes).FindRowOfFile(pszFile), nRow) << pszFile;
}

// Picking drumsBR.wav for Back Right of 5.1 with drumsLF.wav missing: the
// others are found in row order, the missing one is reported and its row
// keeps its file; the output is named after row 0's file.
TEST(StemSetTest, SiblingsInRowOrderTheMissingOneReportedAndTheOutputBesideRow0)
{
    const TempDir dir;
    for (const char* pszName : {"drumsFL.wav", "drumsFR.wav", "drumsFC.wav", "drumsBL.wav", "drumsBR.wav"})
        std::ofstream(dir / pszName) << "x";
    const CString strBase = (dir / "drums").c_str();

    CStemSet stems(0x3F, BuiltInSuffixes());
    stems.SetFile(3, "/earlier/kick.wav");
    stems.SetFile(5, strBase + "BR.wav");
    std::vector<std::string> heard;
    stems.LoadSiblings(5, [&](int nRow, const CString& strSibling, SiblingStatus status) {
        heard.push_back(std::to_string(nRow) + (status == SiblingStatus::Found ? " found " : " missing ") +
                        strSibling.Mid(strBase.GetLength()).str());
    });
    EXPECT_EQ(heard, (std::vector<std::string>{"0 found FL.wav", "1 found FR.wav", "2 found FC.wav",
                                               "3 missing LF.wav", "4 found BL.wav"}));
    EXPECT_EQ(stems.GetFile(3), "/earlier/kick.wav");
    EXPECT_EQ(stems.GetFile(0), strBase + "FL.wav");
    EXPECT_EQ(stems.FindRowWithoutFile(), -1);
    EXPECT_EQ(stems.GetOutputPath("surround 5.1"), strBase + "surround 5.1.wav");
    EXPECT_EQ(CStemSet::FormatMissingSibling(strBase + "LF.wav"),
              "Unable to find the file '" + strBase + "LF.wav'.");
}

TEST(StemSetTest, TheFirstRowWithoutAFileIsNamedByItsSpeaker)
{
    CStemSet stems(0x107, BuiltInSuffixes());  // FL FR FC BC
    EXPECT_EQ(stems.FindRowWithoutFile(), 0);
    stems.SetFile(0, "/a/xFL.wav");
    stems.SetFile(1, "/a/xFR.wav");
    stems.SetFile(3, "/a/xBC.wav");
    EXPECT_EQ(stems.FindRowWithoutFile(), 2);
    EXPECT_EQ(stems.FormatRowWithoutFile(2), "You have not selected a wave file for the channel 'Front Center' !");
    EXPECT_EQ(CStemSet(0, BuiltInSuffixes()).GetOutputPath("none"), "");
}

}  // namespace
