// The stem-set rules: base names, the row a file belongs to, siblings, the
// output's name, the stems a merged file splits into and the messages, as
// tables of names.
#include "layout/stemset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "layout/settings.h"
#include "tests/support/tempdir.h"

namespace {

SuffixTable BuiltInSuffixes()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    return settings.m_strSuffixes;
}

// The built-in configurations and a few more of the same masks: a shorter
// name that ends a built-in one, a name in other letters, an empty name, and
// a mask with a bit past the table.
std::vector<std::unique_ptr<CConfiguration>> SplitConfigurations()
{
    CSettings settings;
    settings.LoadDefaultSettings();
    const std::pair<const char*, DWORD> more[] = {{"5.1", 0x3F}, {"QUAD", 0x33}, {"", 0x3}, {"wide", 0x80000003}};
    for (const auto& [pszName, dwMask] : more) {
        auto pConfiguration = std::make_unique<CConfiguration>();
        pConfiguration->m_strName = pszName;
        pConfiguration->m_dwChannelMask = dwMask;
        settings.m_aConfigurations.push_back(std::move(pConfiguration));
    }
    return std::move(settings.m_aConfigurations);
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

TEST(GetSplitBaseNameTest, TheNameLessItsExtensionLessTheLongestConfigurationNameOfItsMask)
{
    const std::tuple<const char*, DWORD, const char*> cases[] = {  // path, mask, base name
        {"/a/drumssurround 5.1.wav", 0x3F, "drums"},         // "surround 5.1", not "5.1"
        {"/a/drums5.1.wav", 0x3F, "drums"},
        {"/a/drumssurround 5.1.wav", 0x33, "drumssurround 5.1"},  // not the mask's name
        {"/a/drumsSURROUND 5.1.wav", 0x3F, "drumsSURROUND "},  // letter case counts: "5.1" only
        {"/a/bandquadriphony.wav", 0x33, "band"},
        {"/a/bandQUAD.wav", 0x33, "band"},
        {"/a/xstereo.wav", 0x80000003, "xstereo"},           // masks equal in every bit
        {"/a/xwide.wav", 0x80000003, "x"},
        {"/a/mix.wav", 0x3, "mix"},                          // an empty name removes nothing
        {"surround 5.1.wav", 0x3F, ""},                      // no folder, nothing left
        {"/a/take.1.wav", 0x3F, "take.1"},                   // the last dot begins the extension
        {"/a/mix.wave", 0x3F, "mix"},                        // whatever its length
        {"/a/mix", 0x3F, "mix"},                             // or none at all
        {"/a.b/mix", 0x3F, "mix"},                           // a dot of the folder is no extension
        {"/a/.hidden", 0x3F, ".hidden"},                     // nor one that begins the name
        {"/a/.surround 5.1.wav", 0x3F, "."},
        {"/a/cant\xC3\xA9stereo.wav", 0x3, "cant\xC3\xA9"},    // bytes, not characters
    };
    const auto configurations = SplitConfigurations();
    for (const auto& [pszPath, dwMask, pszBase] : cases)
        EXPECT_EQ(GetSplitBaseName(pszPath, dwMask, configurations), pszBase) << pszPath << " " << dwMask;
}

// The stems of a merged file beside it or in a folder, one per row in row
// order, and names that two rows would share: equal suffixes, or two empty
// ones (a single empty suffix shares nothing).
TEST(StemSetTest, SplitStemsBesideTheFileOrInAFolderAndTheRowsThatWouldShareOne)
{
    SuffixTable suffixes = BuiltInSuffixes();
    suffixes[9] = suffixes[10] = "_S";  // Side Left and Side Right
    suffixes[11] = suffixes[13] = "";   // Top Center and Top Front Center
    suffixes[8] = "FC";                 // Back Center as Front Center
    const auto configurations = SplitConfigurations();
    struct Case {
        const char* pszPath;
        const char* pszFolder;
        DWORD dwMask;
        std::vector<std::string> stems;
        std::optional<std::pair<int, int>> sameFile;
    };
    const Case cases[] = {
        {"/a/drumssurround 5.1.wav", "", 0x3F,
         {"/a/drumsFL.wav", "/a/drumsFR.wav", "/a/drumsFC.wav", "/a/drumsLF.wav", "/a/drumsBL.wav", "/a/drumsBR.wav"},
         {}},
        {"/a/drumsstereo.wav", "/out", 0x3, {"/out/drumsFL.wav", "/out/drumsFR.wav"}, {}},
        {"drumsstereo.wav", "/out/", 0x3, {"/out/drumsFL.wav", "/out/drumsFR.wav"}, {}},
        {"mix.wav", "", 0x800, {"mix.wav"}, {}},
        {"mix.wav", "sub", 0x801, {"sub/mixFL.wav", "sub/mix.wav"}, {}},
        {"/a/x.wav", "", 0x603, {"/a/xFL.wav", "/a/xFR.wav", "/a/x_S.wav", "/a/x_S.wav"}, std::pair(2, 3)},
        {"/a/x.wav", "", 0x2801, {"/a/xFL.wav", "/a/x.wav", "/a/x.wav"}, std::pair(1, 2)},
        {"/a/x.wav", "", 0x10D, {"/a/xFL.wav", "/a/xFC.wav", "/a/xLF.wav", "/a/xFC.wav"}, std::pair(1, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pszPath << " in '" << c.pszFolder << "', mask " << c.dwMask);
        CStemSet set(c.dwMask, suffixes);
        set.NameSplitStems(c.pszPath, c.pszFolder, configurations);
        std::vector<std::string> stems;
        for (int r = 0; r < set.GetRowCount(); ++r)
            stems.push_back(set.GetFile(r).str());
        EXPECT_EQ(stems, c.stems);
        EXPECT_EQ(set.FindRowsWithSameFile(), c.sameFile);
    }
    CStemSet set(0x603, suffixes);
    set.NameSplitStems("/a/x.wav", "", configurations);
    EXPECT_EQ(set.FormatRowsWithSameFile(2, 3), "The channels 'Side Left' and 'Side Right' would both be written to "
                                                "'/a/x_S.wav'; give them suffixes of their own.");
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
