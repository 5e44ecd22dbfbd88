// The stem-set rules as tables of names: the row a file belongs to, the set
// a file is of, and the stems a merged file splits into. Siblings, base names, the output's name
// and their messages are the merging scenarios' (tests/scenarios/merging/).
#include "layout/stemset.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "layout/settings.h"

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
    const std::pair<const char*, DWORD> more[] = {{"5.1", 0x3F}, {"QUAD", 0x33}, {"", 0x3}, {"wide", 0x80000003}, {"big wide", 0x80000003}};
    for (const auto& [pszName, dwMask] : more) {
        auto pConfiguration = std::make_unique<CConfiguration>();
        pConfiguration->m_strName = pszName;
        pConfiguration->m_dwChannelMask = dwMask;
        settings.m_aConfigurations.push_back(std::move(pConfiguration));
    }
    return std::move(settings.m_aConfigurations);
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
        {"/a/xbig wide.wav", 0x80000003, "x"},                // the longer name, though listed later
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
// order, and rows apart that would share a name (a single empty suffix
// shares nothing). Stems beside an absolute path, in a folder without a
// slash, and the message for neighbours sharing one are plexora-split's
// tests.
TEST(StemSetTest, SplitStemsBesideTheFileOrInAFolderAndTheRowsThatWouldShareOne)
{
    SuffixTable suffixes = BuiltInSuffixes();
    suffixes[11] = "";   // Top Center
    suffixes[8] = "FC";  // Back Center as Front Center
    const auto configurations = SplitConfigurations();
    struct Case {
        const char* pszPath;
        const char* pszFolder;
        DWORD dwMask;
        std::vector<std::string> stems;
        std::optional<std::pair<int, int>> sameFile;
    };
    const Case cases[] = {
        {"drumsstereo.wav", "/out/", 0x3, {"/out/drumsFL.wav", "/out/drumsFR.wav"}, {}},
        {"mix.wav", "", 0x800, {"mix.wav"}, {}},
        {"mix.wav", "sub", 0x801, {"sub/mixFL.wav", "sub/mix.wav"}, {}},
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

// A file picked by hand stays beside a newly picked one when it is of its
// set: in its folder, beginning with its base name.
TEST(StemSetTest, AFileIsOfTheSetOfAPickWhenItBeginsWithItsBaseNameInItsFolder)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"/a/drumsFL.wav", "/a/drums_sub.wav", true},   // whatever follows the base name
        {"/a/drumsFL.wav", "/a/drumsLF.rf64", true},
        {"/a/drumsFL.wav", "/a/takeLF.wav", false},
        {"/a/drumsFL.wav", "/a/drumLF.wav", false},      // short of the base name
        {"/a/drumsFL.wav", "/a/DrumsLF.wav", false},     // letter case counts
        {"/a/drumsFL.wav", "/b/drumsLF.wav", false},     // another folder
        {"/a/drumsFL.wav", "/a/drums/LF.wav", false},    // a folder below
        {"/a/FL.wav", "/a/takeLF.wav", true},            // an empty base name: the folder
    };
    for (const auto& [pszPicked, pszFile, bOfSet] : cases) {
        CStemSet stems(0x3F, BuiltInSuffixes());
        stems.SetFile(0, pszPicked);
        EXPECT_EQ(stems.IsInSetOf(0, pszFile), bOfSet) << pszPicked << " and " << pszFile;
    }
}

}  // namespace
