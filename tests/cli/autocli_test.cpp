// plexora-merge --auto end to end: sets of sibling files in a temporary
// folder, merged by the built program.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/runprogram.h"
#include "tests/support/soundfile.h"

namespace {

TEST(AutoCliTest, AnyFileOfASetMergesItWithItsSiblingsIntoTheAutomaticNameOrIntoO)
{
    TempDir dir;
    const Stems drums = WriteStems(dir, "drums", {"FL", "FR", "FC", "LF", "BL", "BR"}, 1000);
    const std::string out = dir / "drumssurround 5.1.wav";

    const Outcome outcome = RunMerge(dir, {"--auto", dir / "drumsLF.wav"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_TRUE(outcome.out.starts_with("Wrote '" + out + "': 6 channels")) << outcome.out;
    EXPECT_EQ(ReadWholeFile(out), MergedBytes(drums, 6, 0x3F));
    EXPECT_EQ(ReadSoundFile(out).channelMap,
              (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER, SF_CHANNEL_MAP_LFE,
                                SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}));

    // Through a symbolic link the file it names is replaced, keeping its permission bits.
    WriteWholeFile(dir / "mine.wav", "old");
    std::filesystem::permissions(dir / "mine.wav", std::filesystem::perms(0640));
    std::filesystem::create_symlink("mine.wav", dir / "link.wav");
    EXPECT_EQ(RunMerge(dir, {"--auto", "-q", "-o", dir / "link.wav", dir / "drumsBR.wav"}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "mine.wav"), MergedBytes(drums, 6, 0x3F));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.wav"));
    EXPECT_EQ(std::filesystem::status(dir / "mine.wav").permissions(), std::filesystem::perms(0640));

    // A settings file's suffixes, default configuration and old-style option; --plain overriding it.
    WriteWholeFile(dir / "live.pxr", LiveSettings(0));
    WriteWholeFile(dir / "plain.pxr", LiveSettings(1));
    const Stems x = WriteStems(dir, "x", {"_L", "_R", "_SL", "_SR"}, 30);
    EXPECT_EQ(RunMerge(dir, {"--settings", dir / "plain.pxr", "-q", "--auto", dir / "x_R.wav"}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "xLIVE.wav"), MergedBytes(x, 4, 0, true));
    EXPECT_EQ(RunMerge(dir, {"--settings", dir / "live.pxr", "--plain", "-q", "--auto", "-c", "Live", dir / "x_R.wav"})
                  .nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "xLive.wav"), MergedBytes(x, 2, 0, true));

    // A '/' in the configuration's name stays in this folder, as a '-'.
    WriteWholeFile(dir / "film.pxr", "[Suffixes]\nFront Left = FL\nFront Right = FR\n[Configurations]\n"
                                     "number of configurations = 1\ndefault configuration = 0\n"
                                     "configuration #0 = film L/R\nchannel mask #0 = 3\n");
    EXPECT_EQ(RunMerge(dir, {"--settings", dir / "film.pxr", "-q", "--auto", dir / "drumsFR.wav"}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "drumsfilm L-R.wav"), MergedBytes(drums, 2, 0x3));
}

// Each set is merged or refused on its own, once however many of its stems
// are named, the failures reported and counted in the exit status: missing
// siblings (in row order, then the first row without a file), a suffix in
// another letter case (kept in the base name), a sibling the engine refuses,
// and two files of one channel tag. Tags in any letter case name a set
// whose output takes the base name and the separator.
TEST(AutoCliTest, SeveralSetsOneAfterTheOther)
{
    TempDir dir;
    const Stems drums = WriteStems(dir, "drums", {"FL", "FR", "FC", "BC"}, 30, 1);
    WriteStems(dir, "lone", {"FL", "FC"}, 10);
    const Stems lower = WriteStems(dir, "case", {"fl", "flFR", "flFC", "flBC"}, 20, 2);
    WriteStems(dir, "case", {"FL", "FR", "FC", "BC"}, 20, 3);  // not to be taken
    WriteStems(dir, "wide", {"FL", "FR", "FC"}, 10);
    const std::string wideBC = dir / "wideBC.wav";
    WavBuilder().Fmt(2, 48000, 16).Data(Samples({1, 2})).Write(wideBC);
    const Stems bass = WriteStems(dir, "bass", {"FL", "FR", "FC", "BC"}, 50, 4);
    const Stems mix = WriteStems(dir, "mix", {".L", ".r", ".C", ".cS"}, 40, 5);
    WriteStems(dir, "two", {"-L", "-R", "-C", "-c", "-Cs"}, 10);
    WriteWholeFile(dir / "lonesurround.wav", "an earlier merge");

    const Outcome outcome =
        RunMerge(dir, {"--auto", "-c", "surround", dir / "drumsFC.wav", dir / "loneFC.wav", dir / "drumsFL.wav",
                       dir / "casefl.wav", dir / "wideFL.wav", dir / "loneFL.wav", dir / "bassBC.wav",
                       dir / "drumsBC.wav", dir / "mix.cS.wav", dir / "two-R.wav", dir / "mix.L.wav"});
    EXPECT_EQ(outcome.nExitCode, 1);
    EXPECT_EQ(outcome.err, "Unable to find the file '" + dir / "loneFR.wav" + "'.\n"
                           "Unable to find the file '" + dir / "loneBC.wav" + "'.\n"
                           "You have not selected a wave file for the channel 'Front Right' !\n"
                           "plexora-merge: the set of '" + dir / "loneFC.wav" + "' was not merged.\n"
                           "Enable to process:\nFile '" + wideBC + "' can't be loaded.\n"
                           "The file '" + wideBC + "' is not mono !\n"
                           "plexora-merge: the set of '" + dir / "wideFL.wav" + "' was not merged.\n"
                           "These files all fit the channel 'Front Center'; keep one of them:\n" +
                           dir / "two-C.wav" + "\n" + dir / "two-c.wav" + "\n"
                           "You have not selected a wave file for the channel 'Front Center' !\n"
                           "plexora-merge: the set of '" + dir / "two-R.wav" + "' was not merged.\n");
    EXPECT_TRUE(outcome.out.starts_with("Wrote '" + dir / "drumssurround.wav" + "'")) << outcome.out;
    EXPECT_NE(outcome.out.find("\nWrote '" + dir / "caseflsurround.wav" + "'"), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.out.find("\nWrote '" + dir / "mix.surround.wav" + "'"),
              outcome.out.rfind("\nWrote '")) << "not the last set merged: " << outcome.out;
    EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 4) << "a set merged twice: " << outcome.out;
    EXPECT_EQ(ReadWholeFile(dir / "drumssurround.wav"), MergedBytes(drums, 4, 0x107));
    EXPECT_EQ(ReadWholeFile(dir / "caseflsurround.wav"), MergedBytes(lower, 4, 0x107));
    EXPECT_EQ(ReadWholeFile(dir / "basssurround.wav"), MergedBytes(bass, 4, 0x107));
    EXPECT_EQ(ReadWholeFile(dir / "mix.surround.wav"), MergedBytes(mix, 4, 0x107));
    EXPECT_EQ(ReadWholeFile(dir / "lonesurround.wav"), "an earlier merge");
    EXPECT_FALSE(std::filesystem::exists(dir / "widesurround.wav"));
}

}  // namespace
