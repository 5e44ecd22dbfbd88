// plexora-merge end to end: the built program run as a user would.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/runprogram.h"
#include "tests/support/mergecheck.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

// The k-th stem holds 2k bytes less than the first, so that padding shows.
std::string StemData(int k, size_t nBytes)
{
    return PatternBytes(nBytes - 2 * static_cast<size_t>(k), k);
}

std::vector<std::string> WriteStems(const TempDir& dir, int nStems, size_t nBytes)
{
    std::vector<std::string> paths;
    for (int k = 0; k < nStems; ++k) {
        paths.push_back(dir / ("stem" + std::to_string(k) + ".wav"));
        WavBuilder().Fmt(1, 48000, 16).Data(StemData(k, nBytes)).Write(paths.back());
    }
    return paths;
}

std::string ExpectedStemData(int nStems, size_t nBytes)
{
    std::vector<std::string> present;
    for (int k = 0; k < nStems; ++k)
        present.push_back(StemData(k, nBytes));
    return ExpectedData(present, nBytes);
}

TEST(MergeCliTest, MergesWithTheBuiltInLayoutAndReplacesTheOutput)
{
    TempDir dir;
    std::vector<std::string> args = WriteStems(dir, 6, 10);
    WriteWholeFile(dir / "out.wav", std::string(3000, 'x'));
    args.insert(args.begin(), {"-o", dir / "out.wav"});
    const Outcome outcome = RunMerge(dir, args);
    EXPECT_EQ(outcome.nExitCode, 0);
    EXPECT_EQ(outcome.err, "") << "no progress bar when standard error is not a terminal";
    EXPECT_EQ(outcome.out.rfind("Wrote '" + dir / "out.wav" + "': 6 channels, 48000 Hz", 0), 0u) << outcome.out;

    const std::string out = ReadWholeFile(dir / "out.wav");
    EXPECT_EQ(out.substr(40, 4), Le32(0x3F));
    EXPECT_EQ(out.substr(68), ExpectedStemData(6, 10));
    const SoundFile sound = ReadSoundFile(dir / "out.wav");
    EXPECT_EQ(Samples(sound.samples), ExpectedStemData(6, 10));
    EXPECT_EQ(sound.channelMap,
              (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER, SF_CHANNEL_MAP_LFE,
                                SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}));
}

TEST(MergeCliTest, MaskPlainAndQuietOptions)
{
    struct Case {
        std::vector<std::string> options;
        int nStems;
        std::string maskBytes;  // at offset 40; empty for the plain header
        bool bQuiet;
    };
    const Case cases[] = {
        {{"-m", "7", "-q"}, 3, Le32(0x7), true},
        {{"--mask", "0X80000003"}, 2, Le32(0x80000003), false},  // bits past the 18 speakers pass through
        {{"-m", "0x4", "--plain", "--quiet"}, 1, "", true},
        {{"-m", "0x3FFFF"}, 18, Le32(0x3FFFF), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options));
        TempDir dir;
        std::vector<std::string> args = WriteStems(dir, c.nStems, 40);
        args.insert(args.begin(), c.options.begin(), c.options.end());
        args.insert(args.begin(), {"-o", dir / "out.wav"});
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, 0) << outcome.err;
        EXPECT_EQ(outcome.out.empty(), c.bQuiet);

        const std::string out = ReadWholeFile(dir / "out.wav");
        const size_t nHeader = c.maskBytes.empty() ? 44 : 68;
        EXPECT_EQ(out.substr(nHeader), ExpectedStemData(c.nStems, 40));
        EXPECT_EQ(out.substr(nHeader - 8, 4), "data");
        if (!c.maskBytes.empty()) {
            EXPECT_EQ(out.substr(40, 4), c.maskBytes);
        }
        const SoundFile sound = ReadSoundFile(dir / "out.wav");
        EXPECT_EQ(Samples(sound.samples), ExpectedStemData(c.nStems, 40));
        EXPECT_EQ(sound.nFormat, (c.maskBytes.empty() ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
    }
}

TEST(MergeCliTest, UsageErrorsExitWith2AndCreateNothing)
{
    TempDir dir;
    const std::vector<std::string> three = WriteStems(dir, 3, 4);
    const std::string out = dir / "out.wav";
    const std::vector<std::vector<std::string>> cases = {
        {three[0], three[1]},                                 // no output
        {"-o", out, three[0], three[1], three[2]},            // no built-in layout of 3
        {"-o", out},                                          // nor of 0
        {"-o", out, "-m", "0x3", three[0], three[1], three[2]},
        {"-o", out, "-m", "0x80000003", three[0]},
        {"-o", out, "-m", "0xZZ", three[0]},
        {"-o", out, "-m", "-1", three[0]},
        {"-o", out, "-m", "12abc", three[0]},
        {"-o", out, "-m", "0x", three[0]},
        {"-o", out, "-m", "0x100000000", three[0]},
        {"-o", out, "--frobnicate", three[0], three[1]},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, 2);
        EXPECT_NE(outcome.err, "");
        EXPECT_FALSE(fs::exists(out));
    }
    EXPECT_EQ(RunMerge(dir, {"--help"}).nExitCode, 0);
}

// The engine's one message, and for a format refusal the reader's reason
// on the next line; exit 1 and no output.
TEST(MergeCliTest, FailedMergesExitWith1AndSayWhy)
{
    TempDir dir;
    const std::vector<std::string> stems = WriteStems(dir, 2, 4);
    WavBuilder().Fmt(2, 48000, 16).Data(Samples({1, 2})).Write(dir / "stereo.wav");
    WavBuilder().Fmt(1, 48000, 24).Data("abc").Write(dir / "deep.wav");
    WriteWholeFile(dir / "rate.wav", MonoWav({1}, 44100));
    const std::string kept = ReadWholeFile(stems[1]);
    const std::vector<std::string> before = FilesIn(dir);

    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::string out = dir / "out.wav";
    const std::string stereo = dir / "stereo.wav";
    const std::string deep = dir / "deep.wav";
    const Case cases[] = {
        {{"-o", out, stems[0], stereo},
         "Enable to process:\nFile '" + stereo + "' can't be loaded.\nThe file '" + stereo + "' is not mono !\n"},
        {{"-o", out, deep, stems[0]},
         "Enable to process:\nFile '" + deep + "' can't be loaded.\nThe file '" + deep + "' is not in 16-bit !\n"},
        {{"-o", out, stems[0], dir / "none.wav"}, "Enable to process:\nFile '" + dir / "none.wav" + "' can't be loaded.\n"},
        {{"-o", out, stems[0], dir / "rate.wav"},
         "Unable to process:\nFile '" + dir / "rate.wav" + "' has not the same sample rate.\n"},
        {{"-o", out, "-m", "0"}, "Unable to process: the configuration has no channels.\n"},
        {{"-o", stems[1], stems[0], stems[1]}, "Unable to process: can't write output header.\n"},
        {{"-o", "/dev/full", stems[0], stems[1]}, "Unable to process: can't write output header.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const Outcome outcome = RunMerge(dir, c.args);
        EXPECT_EQ(outcome.nExitCode, 1);
        EXPECT_EQ(outcome.err, c.err);
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(FilesIn(dir), before);
    }
    EXPECT_EQ(ReadWholeFile(stems[1]), kept);
}

TEST(MergeCliTest, AFullDiskLeavesNoPartialOutput)
{
    TempDir dir;
    WavBuilder().Fmt(1, 48000, 16).Data(std::string(300000, '\x11')).Write(dir / "a.wav");
    WavBuilder().Fmt(1, 48000, 16).Data(std::string(300000, '\x22')).Write(dir / "b.wav");
    RunOptions options;
    options.fileSizeLimit = 200000;
    const Outcome outcome = RunMerge(dir, {"-o", dir / "out.wav", dir / "a.wav", dir / "b.wav"}, options);
    EXPECT_EQ(outcome.nExitCode, 1);
    EXPECT_EQ(outcome.err, "Unable to process: can't write output data.\n");
    EXPECT_EQ(FilesIn(dir), (std::vector<std::string>{"a.wav", "b.wav"}));
}

TEST(MergeCliTest, ProgressBarOnlyOnATerminalAndNotWithQuiet)
{
    TempDir dir;
    WavBuilder().Fmt(1, 48000, 16).Data(std::string(1000000, '\x11')).Write(dir / "a.wav");
    WavBuilder().Fmt(1, 48000, 16).Data(std::string(10, '\x22')).Write(dir / "b.wav");
    RunOptions terminal;
    terminal.bTerminal = true;
    const Outcome shown = RunMerge(dir, {"-o", dir / "out.wav", dir / "a.wav", dir / "b.wav"}, terminal);
    EXPECT_EQ(shown.nExitCode, 0);
    EXPECT_NE(shown.err.find("] 100%"), std::string::npos) << shown.err;
    EXPECT_NE(shown.err.find("[####"), std::string::npos) << shown.err;

    const Outcome quiet = RunMerge(dir, {"-q", "-o", dir / "out.wav", dir / "a.wav", dir / "b.wav"}, terminal);
    EXPECT_EQ(quiet.nExitCode, 0);
    EXPECT_EQ(quiet.err, "");
}

}  // namespace
