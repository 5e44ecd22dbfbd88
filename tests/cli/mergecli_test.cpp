// plexora-merge end to end on files given in channel order: how the channels
// are chosen, the usage errors of every mode, failed merges, the progress bar.
#include <gtest/gtest.h>

#include "tests/cli/runprogram.h"

namespace {

std::string Usage(const std::string& message)
{
    return "plexora-merge: " + message + "\nRun with --help for more information.\n";
}

// Each run: the exit status, standard error and output together; a run that
// merges nothing leaves the folder as it was.
TEST(MergeCliTest, ChannelsUsageErrorsAndFailuresOfMergesOfFilesInChannelOrder)
{
    TempDir dir;
    const std::string live = dir / "live.pxr";
    const std::string plain = dir / "plain.pxr";
    WriteWholeFile(live, LiveSettings(0));
    WriteWholeFile(plain, LiveSettings(1));
    const std::string accented = dir / "accented.pxr";
    WriteWholeFile(accented, "[Configurations]\nnumber of configurations = 2\ndefault configuration = 0\n"
                             "configuration #0 = Été\nchannel mask #0 = 3\n"
                             "configuration #1 = ЖИВО\nchannel mask #1 = 1539\n");
    const Stems stems = WriteStems(dir, "in", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                               "13", "14", "15", "16", "17"}, 40);
    const std::string out = dir / "out.wav";
    const std::string stereo = dir / "stereo.wav";
    const std::string missing = dir / "missing.wav";
    WavBuilder().Fmt(2, 48000, 16).Data(Samples({1, 2})).Write(stereo);
    const std::string short_ = dir / "short.wav";
    WavBuilder().Fmt(1, 48000, 16).Data(Samples({7}), 1000).Write(short_);
    const std::string kLongName = std::string(300, 'x') + ".wav";
    auto Line = [](const std::string& text) { return text + "\n"; };
    const std::string kCantWriteHeader = "Unable to process: can't write output header.";
    auto merged = [&](size_t nInputs, std::uint32_t dwMask, bool bPlain = false) {
        return MergedBytes(stems, nInputs, dwMask, bPlain);
    };
    const std::string kNoChannels = "Unable to process: the configuration has no channels.\n";
    const std::string kNotMask = " is not a channel mask (decimal or 0x-hex, 32 bits)";

    struct Case {
        std::vector<std::string> options;  // followed by the first nInputs stems
        size_t nInputs;
        int nExitCode;
        std::string err;
        std::string output;  // what out.wav holds afterwards
        std::string summary;  // standard output after the path
    };
    const Case cases[] = {
        // The first built-in configuration with as many channels, or -m.
        {{"-o", out}, 6, 0, "", merged(6, 0x3F),
         "6 channels, 48000 Hz, 16-bit, 20 frames (0.00 s), WAVE_FORMAT_EXTENSIBLE header with channel mask 0x3F."},
        {{"-m", "7", "-q", "-o", out}, 3, 0, "", merged(3, 0x7), ""},
        {{"--mask", "0X80000003", "--quiet", "-o", out}, 2, 0, "", merged(2, 0x80000003), ""},  // bits past the 18 pass
        {{"-m", "0x3FFFF", "--plain", "-o", out}, 18, 0, "", merged(18, 0, true),
         "18 channels, 48000 Hz, 16-bit, 20 frames (0.00 s), plain PCM header."},
        // A settings file: the exact name first, else the only one equal ignoring letter case, in UTF-8 too;
        // its old-style option.
        {{"--settings", live, "-q", "-c", "LIVE", "-o", out}, 4, 0, "", merged(4, 0x603), ""},
        {{"--settings", live, "-q", "-c", "wIDE", "-o", out}, 2, 0, "", merged(2, 0x80000003), ""},
        {{"--settings", accented, "-q", "-c", "ÉTÉ", "-o", out}, 2, 0, "", merged(2, 0x3), ""},
        {{"--settings", accented, "-q", "-c", "живо", "-o", out}, 4, 0, "", merged(4, 0x603), ""},
        {{"--settings", live, "-q", "-o", out}, 2, 0, "", merged(2, 0x3), ""},
        {{"--settings", live, "-q", "-o", out}, 4, 0, "", merged(4, 0x603), ""},
        {{"--settings", plain, "-q", "-o", out}, 2, 0, "", merged(2, 0, true), ""},
        {{"--settings", live, "-q", "--plain", "-o", out}, 2, 0, "", merged(2, 0, true), ""},
        // Usage errors.
        {{}, 2, 2, Usage("no output file: give it with -o, or let --auto name it"), "", ""},
        {{"-o", out}, 3, 2, Usage("no configuration has 3 channels; name one with -c or give the channel mask with -m"),
         "", ""},
        {{"-o", out, "-m", "0x80000003"}, 1, 2, Usage("the channel mask has 2 speaker bits; the number of inputs is 1"),
         "", ""},
        {{"-o", out, "-m", "12abc"}, 1, 2, Usage("'12abc'" + kNotMask), "", ""},
        {{"-o", out, "-m", "0x100000000"}, 1, 2, Usage("'0x100000000'" + kNotMask), "", ""},
        {{"-o", out, "-c", "stereo", "-m", "3"}, 2, 2, Usage("-c and -m both choose the channels; give one of them"),
         "", ""},
        {{"--settings", live, "-o", out, "-c", "live"}, 2, 2,
         Usage("'live' matches 2 configurations when letter case is ignored; give the name exactly. "
               "The configurations are: 'Live', 'LIVE', 'Wide', 'none'"), "", ""},
        {{"--settings", live, "-o", out, "-c", "Live"}, 3, 2,
         Usage("the configuration 'Live' has 2 channels; the number of inputs is 3"), "", ""},
        {{"--settings", dir / "none.pxr", "-o", out}, 2, 2,
         Usage("can't read the settings file '" + dir / "none.pxr" + "'"), "", ""},
        {{"--list"}, 1, 2, Usage("--list merges nothing; it takes no files, -o, -c, -m or --auto"), "", ""},
        {{"--auto"}, 0, 2, Usage("--auto needs at least one file"), "", ""},
        {{"--auto", "-m", "3"}, 1, 2,
         Usage("--auto takes the channels and the output name from a configuration; name it with -c, not -m"), "", ""},
        {{"--auto", "-o", out}, 2, 2,
         Usage("-o names one output; with several --auto files each set is named after its own files"), "", ""},
        {{"--auto", "-c", "mono"}, 1, 2,
         Usage("no configuration is named 'mono'. The configurations are: 'stereo', 'quadriphony', 'surround', "
               "'surround 5.1', 'surround 7.1'"), "", ""},
        {{"-o", out, "--frobnicate"}, 1, 2, Usage("The following argument was not expected: --frobnicate"), "", ""},
        // Failed merges: the engine's one message, "\n" a line break, and a reader's reason on the next line.
        {{"-o", out, stereo}, 1, 1,
         "Enable to process:\nFile '" + stereo + "' can't be loaded.\nThe file '" + stereo + "' is not mono !\n", "", ""},
        {{"-o", dir / "no/such/out.wav"}, 2, 1,
         Line(kCantWriteHeader) + Line("The output '" + dir / "no/such/out.wav" + "' can't be created: No such file or directory."), "", ""},
        {{"-o", dir.path()}, 2, 1,
         Line(kCantWriteHeader) + Line("The output '" + dir.path().string() + "' can't be created: Is a directory."), "", ""},
        {{"-o", dir / kLongName}, 2, 1,
         Line(kCantWriteHeader) + Line("The output '" + dir / kLongName + "' can't be created: File name too long."), "", ""},
        {{"-o", out}, 0, 2, Usage("no input files were given"), "", ""},
        {{"-o", out, "-q", "-m", "4", short_}, 0, 0,
         "plexora-merge: '" + short_ + "' holds 998 bytes fewer than its data chunk states; they were merged as silence.\n",
         ExpectedHeader(1, 48000, 1000, 0x4, false) + Samples({7}) + std::string(998, '\0'), ""},
        {{"-o", out, missing}, 1, 1,
         "Enable to process:\nFile '" + missing + "' can't be loaded.\nThe file '" + missing +
             "' can't be opened: No such file or directory.\n", "", ""},
        {{"--settings", live, "-c", "none", "--auto"}, 1, 1, kNoChannels, "", ""},
    };
    const std::vector<std::string> before = FilesIn(dir);
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.end(), stems.paths.begin(), stems.paths.begin() + static_cast<long>(c.nInputs));
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunMerge(dir, args);
        EXPECT_EQ(outcome.nExitCode, c.nExitCode);
        EXPECT_EQ(outcome.err, c.err) << "no progress bar when standard error is not a terminal";
        EXPECT_EQ(outcome.out, c.summary.empty() ? "" : "Wrote '" + out + "': " + c.summary + "\n");
        if (c.output.empty()) {
            EXPECT_EQ(FilesIn(dir), before);
        } else {
            EXPECT_EQ(ReadWholeFile(out), c.output);
            std::filesystem::remove(out);
        }
    }
    EXPECT_EQ(RunMerge(dir, {"--help"}).nExitCode, 0);
}

TEST(MergeCliTest, AProgressBarOnlyOnATerminalAndNotWithQuiet)
{
    TempDir dir;
    const Stems stems = WriteStems(dir, "in", {"0", "1"}, 1000000);
    const std::vector<std::string> args = {"-o", dir / "out.wav", stems.paths[0], stems.paths[1]};
    const Outcome shown = RunMerge(dir, args, PLEXORA_MERGE_EXE, true);
    EXPECT_EQ(shown.nExitCode, 0);
    EXPECT_NE(shown.err.find("[####"), std::string::npos) << shown.err;
    EXPECT_NE(shown.err.find("] 100%"), std::string::npos) << shown.err;

    std::vector<std::string> quiet = args;
    quiet.insert(quiet.begin(), "-q");
    EXPECT_EQ(RunMerge(dir, quiet, PLEXORA_MERGE_EXE, true).err, "");
}

}  // namespace
