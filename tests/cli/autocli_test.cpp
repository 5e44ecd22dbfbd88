// plexora-merge --auto end to end: sets of sibling files in a temporary
// folder, merged by the built program.
#include <gtest/gtest.h>

#include "tests/cli/runprogram.h"
#include "tests/layout/settingsfixtures.h"
#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace {

// Writes base + suffix + ".wav" for each suffix, mono 16-bit at 48 kHz; the
// k-th file holds 2k bytes less than nBytes, so padding shows. Returns the
// data of each file, in the order given.
std::vector<std::string> WriteSet(const TempDir& dir, const std::string& base,
                                  const std::vector<std::string>& suffixes, size_t nBytes, int nSeed = 0)
{
    std::vector<std::string> data;
    for (size_t k = 0; k < suffixes.size(); ++k) {
        data.push_back(PatternBytes(nBytes - 2 * k, nSeed + static_cast<int>(k)));
        WavBuilder().Fmt(1, 48000, 16).Data(data.back()).Write(dir / (base + suffixes[k] + ".wav"));
    }
    return data;
}

const std::vector<std::string> kSurround51Suffixes = {"FL", "FR", "FC", "LF", "BL", "BR"};

TEST(AutoCliTest, AFullSetIsMergedIntoTheAutomaticName)
{
    TempDir dir;
    const std::vector<std::string> data = WriteSet(dir, "drums", kSurround51Suffixes, 1000);
    const std::string expected = ExpectedHeader(6, 48000, 1000, 0x3F) + ExpectedData(data, 1000);
    const std::string out = dir / "drumssurround 5.1.wav";

    // Any file of the set will do: here Low Frequency's.
    const Outcome outcome = RunMerge(dir, {"--auto", dir / "drumsLF.wav"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out.rfind("Wrote '" + out + "': 6 channels, 48000 Hz", 0), 0u) << outcome.out;
    EXPECT_EQ(ReadWholeFile(out), expected);
    const SoundFile sound = ReadSoundFile(out);
    EXPECT_EQ(sound.nChannels, 6);
    EXPECT_EQ(Samples(sound.samples), ExpectedData(data, 1000));
    EXPECT_EQ(sound.channelMap,
              (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER, SF_CHANNEL_MAP_LFE,
                                SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}));

    // -o names the output instead; an existing one is replaced.
    WriteWholeFile(dir / "mine.wav", "old");
    EXPECT_EQ(RunMerge(dir, {"--auto", "-q", "-o", dir / "mine.wav", dir / "drumsBR.wav"}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(dir / "mine.wav"), expected);
}

TEST(AutoCliTest, AMissingSiblingIsReportedAndTheSetRefused)
{
    TempDir dir;
    WriteSet(dir, "drums", {"FL", "FR", "FC", "BL"}, 100);
    WriteWholeFile(dir / "drumssurround 5.1.wav", "an earlier merge");
    const std::vector<std::string> before = FilesIn(dir);

    const Outcome outcome = RunMerge(dir, {"--auto", dir / "drumsFC.wav"});
    EXPECT_EQ(outcome.nExitCode, 1);
    EXPECT_EQ(outcome.err, "Unable to find the file '" + dir / "drumsLF.wav" + "'.\n"
                           "Unable to find the file '" + dir / "drumsBR.wav" + "'.\n"
                           "You have not selected a wave file for the channel 'Low Frequency' !\n");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(FilesIn(dir), before);
    EXPECT_EQ(ReadWholeFile(dir / "drumssurround 5.1.wav"), "an earlier merge");
}

TEST(AutoCliTest, ASuffixInOtherLetterCaseStaysInTheBaseName)
{
    TempDir dir;
    const std::vector<std::string> data = WriteSet(dir, "drums", {"fl", "flFR"}, 40);
    WriteSet(dir, "drums", {"FL", "FR"}, 40, 7);  // the other set, not to be taken

    const Outcome outcome = RunMerge(dir, {"--auto", "-c", "stereo", dir / "drumsfl.wav"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
    EXPECT_EQ(ReadWholeFile(dir / "drumsflstereo.wav"), ExpectedHeader(2, 48000, 40, 0x3) + ExpectedData(data, 40));

    const Outcome missing = RunMerge(dir, {"--auto", "-c", "stereo", dir / "drumsFr.wav"});
    EXPECT_EQ(missing.nExitCode, 1);
    EXPECT_EQ(missing.err, "Unable to find the file '" + dir / "drumsFrFR.wav" + "'.\n"
                           "You have not selected a wave file for the channel 'Front Right' !\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "drumsFrstereo.wav"));
}

TEST(AutoCliTest, TheLongestSuffixPicksTheRow)
{
    TempDir dir;
    const std::vector<std::string> all = {"FL", "FR",  "FC",  "LF",  "BL",  "BR",  "FLC", "FRC", "BC",
                                          "SL", "SR",  "TC",  "TFL", "TFC", "TFR", "TBL", "TBC", "TBR"};
    const std::vector<std::string> data = WriteSet(dir, "drums", all, 64);
    const std::string settings = dir / "all.pxr";
    std::vector<std::string> lines = {"[Suffixes]"};
    const char* const names[] = {"Front Left",  "Front Right",    "Front Center",     "Low Frequency",
                                 "Back Left",   "Back Right",     "Front Left of Center", "Front Right of Center",
                                 "Back Center", "Side Left",      "Side Right",       "Top Center",
                                 "Top Front Left", "Top Front Center", "Top Front Right", "Top Back Left",
                                 "Top Back Center", "Top Back Right"};
    for (size_t i = 0; i < all.size(); ++i)
        lines.push_back(std::string(names[i]) + " = " + all[i]);
    lines.insert(lines.end(), {"[Configurations]", "number of configurations = 1", "default configuration = 0",
                               "configuration #0 = everything", "channel mask #0 = 262143"});
    WriteWholeFile(settings, Lines(lines));

    // drumsTFL.wav is Top Front Left's, so the base name is "drums", not "drumsT".
    const Outcome outcome = RunMerge(dir, {"--settings", settings, "--auto", dir / "drumsTFL.wav"});
    EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
    EXPECT_EQ(ReadWholeFile(dir / "drumseverything.wav"),
              ExpectedHeader(18, 48000, 64, 0x3FFFF) + ExpectedData(data, 64));
    const SoundFile sound = ReadSoundFile(dir / "drumseverything.wav");
    EXPECT_EQ(sound.nChannels, 18);
    EXPECT_EQ(Samples(sound.samples), ExpectedData(data, 64));
}

TEST(AutoCliTest, SeveralSetsOneAfterTheOther)
{
    TempDir dir;
    const std::vector<std::string> drums = WriteSet(dir, "drums", {"FL", "FR"}, 30, 1);
    const std::vector<std::string> bass = WriteSet(dir, "bass", {"FL", "FR"}, 50, 3);
    WriteSet(dir, "lone", {"FR"}, 10);
    WriteSet(dir, "wide", {"FL"}, 10);
    WavBuilder().Fmt(2, 48000, 16).Data(Samples({1, 2})).Write(dir / "wideFR.wav");

    const std::string wideFR = dir / "wideFR.wav";
    const Outcome outcome = RunMerge(
        dir, {"--auto", "-c", "stereo", dir / "drumsFL.wav", dir / "loneFR.wav", dir / "wideFL.wav", dir / "bassFR.wav"});
    EXPECT_EQ(outcome.nExitCode, 1);
    EXPECT_EQ(outcome.err, "Unable to find the file '" + dir / "loneFL.wav" + "'.\n"
                           "You have not selected a wave file for the channel 'Front Left' !\n"
                           "plexora-merge: the set of '" + dir / "loneFR.wav" + "' was not merged.\n"
                           "Enable to process:\nFile '" + wideFR + "' can't be loaded.\n"
                           "The file '" + wideFR + "' is not mono !\n"
                           "plexora-merge: the set of '" + dir / "wideFL.wav" + "' was not merged.\n");
    const std::string drumsOut = dir / "drumsstereo.wav";
    const std::string bassOut = dir / "bassstereo.wav";
    EXPECT_EQ(outcome.out.rfind("Wrote '" + drumsOut + "'", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("\nWrote '" + bassOut + "'"), std::string::npos) << outcome.out;
    EXPECT_EQ(ReadWholeFile(drumsOut), ExpectedHeader(2, 48000, 30, 0x3) + ExpectedData(drums, 30));
    EXPECT_EQ(ReadWholeFile(bassOut), ExpectedHeader(2, 48000, 50, 0x3) + ExpectedData(bass, 50));
    EXPECT_EQ(Samples(ReadSoundFile(bassOut).samples), ExpectedData(bass, 50));
    EXPECT_FALSE(std::filesystem::exists(dir / "lonestereo.wav"));
    EXPECT_FALSE(std::filesystem::exists(dir / "widestereo.wav"));

    const Outcome good = RunMerge(dir, {"--auto", "-q", "-c", "stereo", dir / "bassFL.wav", dir / "drumsFR.wav"});
    EXPECT_EQ(good.nExitCode, 0);
    EXPECT_EQ(good.out + good.err, "");
}

TEST(AutoCliTest, UsageErrorsCreateNothing)
{
    TempDir dir;
    WriteSet(dir, "drums", {"FL", "FR"}, 10);
    const std::vector<std::string> before = FilesIn(dir);
    const std::string fl = dir / "drumsFL.wav";
    const std::string fr = dir / "drumsFR.wav";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--auto"}, "--auto needs at least one file"},
        {{"--auto", "-m", "3", fl}, "--auto takes the channels and the output name from a configuration; "
                                    "name it with -c, not -m"},
        {{"--auto", "-o", dir / "x.wav", fl, fr},
         "-o names one output; with several --auto files each set is named after its own files"},
        {{"--auto", "-c", "mono", fl},
         "no configuration is named 'mono'. The configurations are: 'stereo', 'quadriphony', 'surround', "
         "'surround 5.1', 'surround 7.1'"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, 2);
        EXPECT_EQ(outcome.err, "plexora-merge: " + message + "\nRun with --help for more information.\n");
        EXPECT_EQ(FilesIn(dir), before);
    }
}

}  // namespace
