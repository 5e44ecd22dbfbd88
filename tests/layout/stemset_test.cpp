// The stem-set rules as tables of names: the row a file belongs to, the set
// a file is of, its siblings, and the stems a merged file splits into. Sets
// named by suffixes and the messages are the merging scenarios'.
#include "layout/stemset.h"

#include <gtest/gtest.h>

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
    const std::pair<const char*, DWORD> more[] = {
        {"5.1", 0x3F}, {"QUAD", 0x33}, {"", 0x3}, {"wide", 0x80000003}, {"big wide", 0x80000003}};
    for (const auto& [pszName, dwMask] : more)
        settings.AddConfiguration(pszName, dwMask);
    return std::move(settings.m_aConfigurations);
}

TEST(GetSplitBaseNameTest, TheNameLessItsExtensionLessTheLongestConfigurationNameOfItsMask)
{
    const std::tuple<const char*, DWORD, const char*, char> cases[] = {  // path, mask, base name, tag separator
        {"/a/drumssurround 5.1.wav", 0x3F, "drums", 0},         // "surround 5.1", not "5.1"
        {"/a/drumssurround 5.1.wav", 0x33, "drumssurround 5.1", 0},  // not the mask's name
        {"/a/drumsSURROUND 5.1.wav", 0x3F, "drumsSURROUND ", 0},  // letter case counts: "5.1" only
        {"/a/bandQUAD.wav", 0x33, "band", 0},
        {"/a/xstereo.wav", 0x80000003, "xstereo", 0},           // masks equal in every bit
        {"/a/xbig wide.wav", 0x80000003, "x", 0},                // the longer name, though listed later
        {"/a/mix.wav", 0x3, "mix", 0},                          // an empty name removes nothing
        {"surround 5.1.wav", 0x3F, "", 0},                      // no folder, nothing left
        {"/a/take.1.wav", 0x3F, "take.1", 0},                   // the last dot begins the extension
        {"/a/mix", 0x3F, "mix", 0},                             // or none at all
        {"/a.b/mix", 0x3F, "mix", 0},                           // a dot of the folder is no extension
        {"/a/.hidden", 0x3F, ".hidden", 0},                     // nor one that begins the name
        {"/a/cant\xC3\xA9stereo.wav", 0x3, "cant\xC3\xA9", 0},    // bytes, not characters
        {"/a/mix.surround 5.1.wav", 0x3F, "mix.", 0},
        // For tags the separator before the configuration name goes too, whichever it is.
        {"/a/mix.surround 5.1.wav", 0x3F, "mix", '.'},
        {"/a/take_stereo.wav", 0x3, "take", '-'},
        {"/a/take__stereo.wav", 0x3, "take_", '.'},  // one separator only
        {"/a/take_.wav", 0x3, "take_", '.'},          // none before a name that was not there
        {"/a/_stereo.wav", 0x3, "", '_'},
    };
    const auto configurations = SplitConfigurations();
    for (const auto& [pszPath, dwMask, pszBase, chSeparator] : cases) {
        const auto separator = chSeparator ? std::optional(chSeparator) : std::nullopt;
        EXPECT_EQ(GetSplitBaseName(pszPath, dwMask, configurations, separator), pszBase) << pszPath << " " << dwMask;
    }
}

// The stems of a merged file beside it or in a folder, one per row in row
// order, and rows apart that would share a name (a single empty suffix
// shares nothing); the split's messages are plexora-split's tests.
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
        std::optional<char> tagSeparator;
    };
    const Case cases[] = {
        {"drumsstereo.wav", "/out/", 0x3, {"/out/drumsFL.wav", "/out/drumsFR.wav"}, {}, {}},
        {"mix.wav", "", 0x800, {"mix.wav"}, {}, {}},
        {"mix.wav", "sub", 0x801, {"sub/mixFL.wav", "sub/mix.wav"}, {}, {}},
        {"/a/x.wav", "", 0x10D, {"/a/xFL.wav", "/a/xFC.wav", "/a/xLF.wav", "/a/xFC.wav"}, std::pair(1, 3), {}},
        // By tags: Ls and Rs are Side where there are Side positions, Lsr and
        // Rsr Back; a position without a tag, its suffix after the separator.
        {"/a/x.wav", "/o", 0x6FF,
         {"/o/x_L.wav", "/o/x_R.wav", "/o/x_C.wav", "/o/x_LFE.wav", "/o/x_Lsr.wav", "/o/x_Rsr.wav", "/o/x_Lc.wav",
          "/o/x_Rc.wav", "/o/x_Ls.wav", "/o/x_Rs.wav"}, {}, '_'},
        {"m.wav", "", 0x1903, {"m-L.wav", "m-R.wav", "m-Cs.wav", "m-.wav", "m-TFL.wav"}, {}, '-'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pszPath << " in '" << c.pszFolder << "', mask " << c.dwMask);
        CStemSet set(c.dwMask, suffixes);
        set.NameSplitStems(c.pszPath, c.pszFolder, configurations, c.tagSeparator);
        std::vector<std::string> stems;
        for (int r = 0; r < set.GetRowCount(); ++r)
            stems.push_back(set.GetFile(r).str());
        EXPECT_EQ(stems, c.stems);
        EXPECT_EQ(set.FindRowsWithSameFile(), c.sameFile);
    }
}

// The row a file belongs to (a drop on the window, --auto): the settings'
// suffixes first, then a channel tag after a separator, in 5.1 (0x3F), 5.1
// with Side positions (0x60F), 7.1 with Side and Back (0x63F) and stereo.
TEST(StemSetTest, TheRowOfAFileIsTheLongestSuffixElseItsChannelTag)
{
    SuffixTable suffixes = BuiltInSuffixes();
    suffixes[9] = suffixes[10] = "_S";  // Side Left and Side Right
    suffixes[11] = "";                  // Top Center
    const std::tuple<const char*, DWORD, int> cases[] = {
        {"/a/drumsTFL.wav", 0x3FFFF, 12},  // Top Front Left, not Front Left
        {"/a/drumsBC.wav", 0x107, 3},      // a row, not a position index
        {"/a/drumsBR.wav", 0x3, -1},       // no Back Right in stereo: no match
        {"/a/drumsBr.wav", 0x3F, -1},      // letter case counts
        {"/a/drumsBR.wave", 0x3F, -1},     // the last 4 bytes go, whatever they are
        {"/a/drumsBR.wav", 0, -1},         // no rows at all
        {"/a/voice_S.wav", 0x603, 2},      // equal suffixes: the first row
        {"/a/voice.wav", 0x80B, 3},        // an empty suffix ends every name: it beats no match
        {"/a/voiceFL.wav", 0x80B, 0},      // and loses to any other
        {"/a/voice.R.wav", 0x80B, 3},      // and to it a tag loses too
        // Tags after any of the separators, in any letter case.
        {"/a/mix.L.wav", 0x3F, 0},
        {"/a/mix_r.wav", 0x3F, 1},
        {"/a/mix-C.wav", 0x3F, 2},
        {"/a/mix Lfe.wav", 0x3F, 3},
        {"/a/take_lf.wav", 0x3F, 3},       // LF as a tag: "lf" is not the suffix
        {"/a/mix.LF.wav", 0x3F, 3},        // the suffix, of the same row
        {"/a/mix.Ls.wav", 0x3F, 4},        // Ls is not L
        {"/a/mix.Lrs.wav", 0x3F, 4},
        {"/a/mix.Lss.wav", 0x3F, -1},      // no Side positions
        {"/a/mix.Ls.wav", 0x60F, 4},       // Side Left, row 4 here
        {"/a/mix.Ls.wav", 0x63F, 6},
        {"/a/mix.rss.wav", 0x63F, 7},
        {"/a/mix.LSR.wav", 0x63F, 4},
        {"/a/mix.C.wav", 0x3, -1},         // no Front Center in stereo
        {"/a/mix.Lc.wav", 0xFF, 6},
        {"/a/mix.Cs.wav", 0x107, 3},
        // Traps: a tag-like base before a suffix, a tag without a separator,
        // with nothing before it, or inside a word.
        {"/a/vocal_LFL.wav", 0x3F, 0},     // base vocal_L, suffix FL
        {"/a/vocal_L.R.wav", 0x3F, 1},
        {"/a/mixL.wav", 0x3F, -1},
        {"/a/.L.wav", 0x3F, -1},
        {"_R.wav", 0x3F, -1},
        {"/a.x/L.wav", 0x3F, -1},
        {"/a/mix.Lx.wav", 0x3F, -1},
        {"/a/mix..L.wav", 0x3F, 0},
    };
    for (const auto& [pszFile, dwMask, nRow] : cases)
        EXPECT_EQ(CStemSet(dwMask, suffixes).FindRowBySuffix(pszFile), nRow) << pszFile << " " << dwMask;
}

// Siblings of a file named by a tag, in its folder: base name, separator
// and any tag of the row in any letter case; the name looked for in the
// table's letters; two fitting files are named, never chosen between.
TEST(StemSetTest, SiblingsOfATaggedFileFollowItsBaseNameAndSeparator)
{
    TempDir dir;
    for (const char* name : {"mix.L.wav", "mix.R.wav", "mix.c.wav", "mix.LF.wav", "mix.Lfe.wav", "mix.Ls.wav",
                             "mix.Rs.WAV", "Mix.Rs.wav", "mix_Rs.wav", "mix.L.R.wav", "m.L.wav", "m.TC.wav"})
        WriteWholeFile(dir / name, "");
    const SuffixTable suffixes = BuiltInSuffixes();
    struct Case {
        DWORD dwMask;
        int nFromRow;
        const char* pszFile;
        std::vector<std::tuple<int, SiblingStatus, std::string, std::vector<std::string>>> lookups;
        const char* pszOutput;  // from row 0's file
    };
    const Case cases[] = {
        {0x3F, 0, "mix.L.wav",
         {{1, SiblingStatus::Found, "mix.R.wav", {"mix.R.wav"}},
          {2, SiblingStatus::Found, "mix.c.wav", {"mix.c.wav"}},
          {3, SiblingStatus::Ambiguous, "mix.LFE.wav", {"mix.LF.wav", "mix.Lfe.wav"}},
          {4, SiblingStatus::Found, "mix.Ls.wav", {"mix.Ls.wav"}},
          {5, SiblingStatus::Missing, "mix.Rs.wav", {}}},
         "mix.surround 5.1.wav"},
        // Read by its suffix LF first, as a set named by suffixes always was.
        {0x9, 1, "mix.LF.wav", {{0, SiblingStatus::Missing, "mix.FL.wav", {}}}, nullptr},
        // Not the row's own tag: the whole name is the base name.
        {0x3, 1, "mix.L.wav", {{0, SiblingStatus::Missing, "mix.LFL.wav", {}}}, nullptr},
        // A position without a tag: its suffix after the separator.
        {0x803, 0, "m.L.wav",
         {{1, SiblingStatus::Missing, "m.R.wav", {}}, {2, SiblingStatus::Found, "m.TC.wav", {"m.TC.wav"}}},
         "m.stereo.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszFile);
        CStemSet set(c.dwMask, suffixes);
        set.SetFile(c.nFromRow, dir / c.pszFile);
        std::vector<std::tuple<int, SiblingStatus, std::string, std::vector<std::string>>> lookups;
        set.LoadSiblings(c.nFromRow, [&](int nRow, const SiblingLookup& sibling) {
            std::vector<std::string> matches;
            for (const CString& strMatch : sibling.matches)
                matches.push_back(strMatch.str().substr(dir.path().string().size() + 1));
            lookups.emplace_back(nRow, sibling.eStatus, sibling.strPath.str().substr(dir.path().string().size() + 1),
                                 matches);
        });
        EXPECT_EQ(lookups, c.lookups);
        if (c.pszOutput) {
            EXPECT_EQ(set.GetOutputPath(c.dwMask == 0x3F ? "surround 5.1" : "stereo"), dir / c.pszOutput);
        }
    }
}

// A file picked by hand stays beside a newly picked one when it is of its
// set: in its folder, beginning with its base name.
TEST(StemSetTest, AFileIsOfTheSetOfAPickWhenItBeginsWithItsBaseNameInItsFolder)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"/a/drumsFL.wav", "/a/drums_sub.wav", true},   // whatever follows the base name
        {"/a/drumsFL.wav", "/a/drumLF.wav", false},      // short of the base name
        {"/a/drumsFL.wav", "/a/DrumsLF.wav", false},     // letter case counts
        {"/a/drumsFL.wav", "/a/drums/LF.wav", false},    // a folder below
        {"/a/FL.wav", "/a/takeLF.wav", true},            // an empty base name: the folder
        {"/a/mix.L.wav", "/a/mix.sub.wav", true},        // named by tags: the base name and separator
        {"/a/mix.L.wav", "/a/mixLF.wav", false},
    };
    for (const auto& [pszPicked, pszFile, bOfSet] : cases) {
        CStemSet stems(0x3F, BuiltInSuffixes());
        stems.SetFile(0, pszPicked);
        EXPECT_EQ(stems.IsInSetOf(0, pszFile), bOfSet) << pszPicked << " and " << pszFile;
    }
}

}  // namespace
