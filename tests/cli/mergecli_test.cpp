// plexora-merge end to end on files given in channel order: how the channels
// are chosen, the usage errors of every mode, failed merges, the progress bar.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/cli/runprogram.h"
#include "tests/support/soundfile.h"

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
    WriteWholeFile(accented, "[Configurations]\nnumber of configurations = 1\ndefault configuration = 0\n"
                             "configuration #0 = Été\nchannel mask #0 = 3\n");
    const Stems stems = WriteStems(dir, "in", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                                               "13", "14", "15", "16", "17"}, 40);
    const std::string out = dir / "out.wav";
    // Written to a pipe (a placeholder data size), at another rate, read through a pipe, held by another
    // program that took it for itself; one 8-bit sample.
    const std::string piped = WriteWav(dir, "piped.wav", WavBuilder().Fmt(1, 48000, 16).Data(Samples({7}), 0x7FFFF000));
    const std::string rate44 = WriteWav(dir, "rate44.wav", WavBuilder().Fmt(1, 44100, 16).Data(Samples({7})));
    const std::string fifo = dir / "fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string locked = WriteWav(dir, "locked.wav", WavBuilder().Fmt(1, 48000, 16).Data(Samples({7})));
    const int nLockedFd = ::open(locked.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(nLockedFd, LOCK_EX), 0);
    const std::string byte = WriteWav(dir, "byte.wav", WavBuilder().FmtTag(1, 1, 48000, 8).Data("\x42"));
    // Other formats: 24-bit, float of 4 and 2 samples, mu-law; 20 bits in 24 and 32-bit PCM, which differ
    // from 24-bit and float in their valid bits or their kind only.
    const std::string deepData = PatternBytes(30, 1);
    const std::vector<std::string> floatData = {PatternBytes(16, 3), PatternBytes(8, 4)};
    const std::string deep = WriteWav(dir, "deep.wav", WavBuilder().FmtTag(1, 1, 48000, 24).Data(deepData));
    const std::string floats =
        WriteWav(dir, "floats.wav", WavBuilder().FmtTag(3, 1, 48000, 32, 18).Chunk("fact", Le32(4)).Data(floatData[0]));
    const std::string halfFloats =
        WriteWav(dir, "half.wav", WavBuilder().FmtTag(3, 1, 48000, 32, 18).Chunk("fact", Le32(2)).Data(floatData[1]));
    const std::string mulaw = WriteWav(dir, "mulaw.wav", WavBuilder().FmtTag(7, 1, 8000, 8).Data("abc"));
    const std::string twenty =
        WriteWav(dir, "twenty.wav", WavBuilder().FmtExtensible(1, 48000, 24, 20, 0x4, kSubtypePcm).Data(deepData));
    const std::string int32 = WriteWav(dir, "int32.wav", WavBuilder().FmtTag(1, 1, 48000, 32).Data(floatData[0]));
    const std::string kNotMask = " is not a channel mask (decimal or 0x-hex, 32 bits)";

    struct Case {
        std::vector<std::string> options;  // followed by the first nInputs stems
        size_t nInputs;
        int nExitCode;
        std::string err;
        std::string output = {};   // what out.wav holds afterwards
        std::string summary = {};  // standard output after the path
    };
    const Case cases[] = {
        // The first built-in configuration with as many channels, or -m.
        {{"-o", out}, 6, 0, "", MergedBytes(stems, 6, 0x3F),
         "6 channels, 48000 Hz, 16-bit PCM, 20 frames (0.00 s), WAVE_FORMAT_EXTENSIBLE header with channel mask 0x3F."},
        {{"--mask", "0X80000003", "--quiet", "-o", out}, 2, 0, "", MergedBytes(stems, 2, 0x80000003)},  // bit 31
        {{"-m", "0x3FFFF", "--plain", "-o", out}, 18, 0, "", MergedBytes(stems, 18, 0, true),
         "18 channels, 48000 Hz, 16-bit PCM, 20 frames (0.00 s), plain PCM header."},
        {{"-q", "-m", "0xFFFFFFFF", "-o", out}, 18, 0, "", MergedBytes(stems, 18, 0xFFFFFFFF)},
        // A settings file: the exact name first, else the only one equal ignoring letter case, in UTF-8 too;
        // by the channel count; its old-style option.
        {{"--settings", live, "-q", "-c", "LIVE", "-o", out}, 4, 0, "", MergedBytes(stems, 4, 0x603)},
        {{"--settings", accented, "-q", "-c", "ÉTÉ", "-o", out}, 2, 0, "", MergedBytes(stems, 2, 0x3)},
        {{"--settings", live, "-q", "-o", out}, 2, 0, "", MergedBytes(stems, 2, 0x3)},
        {{"--settings", plain, "-q", "-o", out}, 2, 0, "", MergedBytes(stems, 2, 0, true)},
        // Usage errors.
        {{}, 2, 2, Usage("no output file: give it with -o, or let --auto name it")},
        {{"-o", out}, 3, 2,
         Usage("no configuration has 3 channels; name one with -c or give the channel mask with -m")},
        {{"-o", out, "-m", "0x80000003"}, 1, 2,
         Usage("the channel mask has 2 speaker bits; the number of inputs is 1")},
        {{"-o", out, "-m", "12abc"}, 1, 2, Usage("'12abc'" + kNotMask)},
        {{"-o", out, "-m", "0x100000000"}, 1, 2, Usage("'0x100000000'" + kNotMask)},
        {{"-o", out, "-c", "stereo", "-m", "3"}, 2, 2, Usage("-c and -m both choose the channels; give one of them")},
        {{"--settings", live, "-o", out, "-c", "live"}, 2, 2,
         Usage("'live' matches 2 configurations when letter case is ignored; give the name exactly. "
               "The configurations are: 'Live', 'LIVE', 'Wide', 'none'")},
        {{"--settings", live, "-o", out, "-c", "Live"}, 3, 2,
         Usage("the configuration 'Live' has 2 channels; the number of inputs is 3")},
        {{"--settings", dir / "none.pxr", "-o", out}, 2, 2,
         Usage("can't read the settings file '" + dir / "none.pxr" + "'")},
        // A device would be read for ever.
        {{"--list", "--settings", "/dev/zero"}, 0, 2, Usage("the settings file '/dev/zero' is a device, not a file")},
        {{"--list"}, 1, 2, Usage("--list merges nothing; it takes no files, -o, -c, -m, --auto or --check")},
        {{"--check", "-o", "-"}, 1, 2, Usage("--check compares with a file; '-o -' names none")},
        {{"--auto"}, 0, 2, Usage("--auto needs at least one file")},
        {{"--auto", "-m", "3"}, 1, 2,
         Usage("--auto takes the channels and the output name from a configuration; name it with -c, not -m")},
        {{"--auto", "-o", out}, 2, 2,
         Usage("-o names one output; with several --auto files each set is named after its own files")},
        {{"--auto", "-c", "mono"}, 1, 2,
         Usage("no configuration is named 'mono'. The configurations are: 'stereo', 'quadriphony', 'surround', "
               "'surround 5.1', 'surround 7.1'")},
        {{"-o", out, "--frobnicate"}, 1, 2, Usage("The following argument was not expected: --frobnicate")},
        // Failed merges: the engine's one message, "\n" a line break, and a reader's reason on the next line.
        {{"-o", dir / "no/such/out.wav"}, 2, 1,
         "Unable to process: can't write output header.\nThe output '" + dir / "no/such/out.wav" +
             "' can't be created: No such file or directory.\n"},
        {{"-o", out}, 0, 2, Usage("no input files were given")},
        // A warning: a data size that claims more than the file holds.
        {{"-o", out, "-q", "-m", "4", piped}, 0, 0,
         "The file '" + piped + "' holds 2147479550 bytes fewer than its data chunk states; its data ends where the "
         "file does.\n", ExpectedHeader(1, 48000, 2, 0x4, false) + Samples({7})},
        // One 8-bit sample: odd data, and its pad byte; the singular.
        {{"-o", out, "-m", "4", byte}, 0, 0, "", ExpectedHeader(1, 48000, 1, 0x4, false, {8, 8}) + "\x42" + '\0',
         "1 channel, 48000 Hz, 8-bit PCM, 1 frame (0.00 s), WAVE_FORMAT_EXTENSIBLE header with channel mask 0x4."},
        {{"-o", out, "-m", "3", rate44}, 1, 1,
         "Unable to process:\nFile '" + stems.paths[0] + "' has not the same sample rate.\nThe file '" +
             stems.paths[0] + "' is at 48000 Hz; the first file, '" + rate44 + "', is at 44100 Hz.\n"},
        {{"-o", out, "-m", "3", stems.paths[0], locked}, 0, 1,
         "Enable to process:\nFile '" + locked + "' can't be loaded.\nThe file '" + locked +
             "' can't be opened: Device or resource busy.\n"},
        {{"-o", out, "-m", "4", fifo}, 0, 1,
         "Enable to process:\nFile '" + fifo + "' can't be loaded.\nThe file '" + fifo +
             "' is not a file that can be read twice.\n"},
        // A mix of formats (valid bits, kind): the engine's message and a line naming both; a compressed format.
        {{"-o", out, "-m", "3", deep, twenty}, 0, 1,
         "Unable to process:\nFile '" + twenty + "' has not the same bit depth.\nThe file '" + twenty +
             "' is 20-bit PCM in 24-bit samples; the first file, '" + deep + "', is 24-bit PCM.\n"},
        {{"-o", out, "-m", "3", floats, int32}, 0, 1,
         "Unable to process:\nFile '" + int32 + "' has not the same bit depth.\nThe file '" + int32 +
             "' is 32-bit PCM; the first file, '" + floats + "', is 32-bit float.\n"},
        {{"-o", out, "-m", "4", mulaw}, 0, 1,
         "Enable to process:\nFile '" + mulaw + "' can't be loaded.\nThe file '" + mulaw +
             "' is in mu-law (format tag 0x0007), not in PCM or IEEE float.\n"},
        // Another format merges into its own; --bext without a chunk to carry says so.
        {{"--plain", "-o", out, floats, halfFloats}, 0, 0, "",
         ExpectedHeader(2, 48000, 16, 0, true, {32, 32, true}) + ExpectedData(floatData, 16, 4),
         "2 channels, 48000 Hz, 32-bit float, 4 frames (0.00 s), plain IEEE float header."},
        {{"-q", "--bext", "-o", out}, 2, 0, "plexora-merge: '" + stems.paths[0] + "' has no \"bext\" chunk to carry.\n",
         MergedBytes(stems, 2, 0x3)},
        {{"--settings", live, "-c", "none", "--auto"}, 1, 1,
         "Unable to process: the configuration has no channels.\n"},
    };
    const std::vector<std::string> before = FilesIn(dir);
    for (const Case& c : cases) {
        std::vector<std::string> args = c.options;
        args.insert(args.end(), stems.paths.begin(), stems.paths.begin() + static_cast<long>(c.nInputs));
        SCOPED_TRACE(testing::PrintToString(args));
        const Outcome outcome = RunMerge(dir, args);
        const std::string summary = c.summary.empty() ? "" : "Wrote '" + out + "': " + c.summary + "\n";
        EXPECT_EQ(outcome, (Outcome{c.nExitCode, summary, c.err})) << "no progress bar unless on a terminal";
        if (c.output.empty()) {
            EXPECT_EQ(FilesIn(dir), before);
        } else {
            EXPECT_EQ(ReadWholeFile(out), c.output);
            std::filesystem::remove(out);
        }
    }
    ::close(nLockedFd);
}

std::string Field(const std::string& text, size_t nBytes)
{
    return text + std::string(nBytes - text.size(), '\0');
}

// --bext carries the first file's first "bext" chunk byte for byte (a Pro
// Tools one too), and no other; one too large to carry fails the merge.
TEST(MergeCliTest, BextCarriesTheFirstFilesChunk)
{
    TempDir dir;
    const std::string history = "A=PCM,F=48000,W=24,M=mono,T=take2\r\n";  // odd: a pad byte follows
    const std::string bext = Field("Take 12, close mic", 256) + Field("Plexora tests", 32) + Field("REF-0001", 32) +
                             "2024-05-0112:34:56" + Le32(0x12345678) + Le32(1) + Le16(1) + std::string(254, '\0') +
                             history;
    const std::string a = dir / "a.wav";
    const std::string b = dir / "b.wav";
    const std::string plain = dir / "plain.wav";
    const std::string large = dir / "large.wav";
    WavBuilder().Chunk("bext", bext).FmtTag(1, 1, 48000, 24).Data(PatternBytes(30, 1)).Chunk("bext", "late").Write(a);
    WavBuilder().FmtTag(1, 1, 48000, 24).Data(PatternBytes(24, 2)).Chunk("bext", "not this one").Write(b);
    WavBuilder().FmtTag(1, 1, 48000, 24).Data(PatternBytes(24, 3)).Write(plain);
    WavBuilder().Chunk("bext", std::string((1 << 20) + 2, 'x')).FmtTag(1, 1, 48000, 24).Data("abc").Write(large);
    const std::string out = dir / "out.wav";

    ASSERT_EQ(RunMerge(dir, {"-q", "--bext", "-m", "3", "-o", out, a, b}).nExitCode, 0);
    const std::string written = ReadWholeFile(out);
    EXPECT_EQ(written.substr(68 - 8, 8 + bext.size() + 1), "bext" + Le32(static_cast<std::uint32_t>(bext.size())) +
                                                               bext + std::string(1, '\0'));
    EXPECT_EQ(written.substr(68 + 1 + bext.size(), 4), "data");
    SF_INFO info{};
    SNDFILE* sf = sf_open(out.c_str(), SFM_READ, &info);
    ASSERT_NE(sf, nullptr);
    SF_BROADCAST_INFO broadcast{};
    EXPECT_EQ(sf_command(sf, SFC_GET_BROADCAST_INFO, &broadcast, sizeof broadcast), SF_TRUE);
    sf_close(sf);
    EXPECT_STREQ(broadcast.description, "Take 12, close mic");
    EXPECT_EQ(std::string(broadcast.coding_history, broadcast.coding_history_size), history);

    ASSERT_EQ(RunMerge(dir, {"-q", "-m", "3", "-o", out, a, b}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(out).find("bext"), std::string::npos);
    ASSERT_EQ(RunMerge(dir, {"-q", "--bext", "-m", "3", "-o", out, plain, b}).nExitCode, 0);
    EXPECT_EQ(ReadWholeFile(out).find("bext"), std::string::npos);
    EXPECT_EQ(RunMerge(dir, {"-q", "--bext", "-m", "3", "-o", out, large, b}),
              (Outcome{1, "", "Unable to process:\nFile '" + large + "' has a \"bext\" chunk too large to carry.\n"}));

    const char* shared = std::getenv("PLEXORA_SHARED");
    const std::string proTools = std::string(shared ? shared : "") + "/testdata/peer-wav/pro_tools_bext.wav";
    if (!shared || !std::filesystem::exists(proTools))
        GTEST_SKIP() << "no peer WAV files";
    ASSERT_EQ(RunMerge(dir, {"-q", "--bext", "-m", "3", "-o", out, proTools, proTools}).nExitCode, 0);
    EXPECT_NE(ReadWholeFile(out).find(ReadWholeFile(proTools).substr(112, 8 + 602)), std::string::npos);
}

// Both programs: the bar, then the line cleared for what follows.
TEST(MergeCliTest, AProgressBarOnlyOnATerminalAndNotWithQuietInBothPrograms)
{
    TempDir dir;
    const Stems stems = WriteStems(dir, "in", {"0", "1"}, 1000000);
    const std::string out = dir / "out.wav";
    const std::pair<const char*, std::vector<std::string>> runs[] = {
        {PLEXORA_MERGE_EXE, {"-o", out, stems.paths[0], stems.paths[1]}}, {PLEXORA_SPLIT_EXE, {"-f", out}}};
    for (const auto& [program, args] : runs) {
        SCOPED_TRACE(program);
        const Outcome shown = RunMerge(dir, args, program, true);
        EXPECT_EQ(shown.nExitCode, 0);
        EXPECT_NE(shown.err.find("[####"), std::string::npos) << shown.err;
        EXPECT_NE(shown.err.find("] 100%\r\033[K"), std::string::npos) << shown.err;
        std::vector<std::string> quiet = args;
        quiet.insert(quiet.begin(), "-q");
        EXPECT_EQ(RunMerge(dir, quiet, program, true).err, "");
    }
}

}  // namespace

// --check names the first difference from the output laid out by hand, and
// writes nothing; --auto finds the output by its name.
TEST(MergeCliTest, CheckComparesAnOutputWithWhatItsStemsMake)
{
    TempDir dir;
    const Stems stems = WriteStems(dir, "take", {"FL", "FR"}, 40);
    const std::string merged = MergedBytes(stems, 2, 0x3);  // 68-byte header, 80 bytes of frames
    const std::string out = dir / "takestereo.wav";
    const auto changed = [&](size_t nOffset) {
        std::string bytes = merged;
        bytes[nOffset] = static_cast<char>(bytes[nOffset] ^ 1);
        return bytes;
    };
    const std::string differs = "plexora-merge: '" + out + "' differs from what its files make at byte ";
    const struct {
        std::optional<std::string> bytes;  // none: no output at all
        Outcome expected;
    } cases[] = {
        {merged, {0, "'" + out + "' is what its 2 files make, byte for byte (148 bytes).\n", ""}},
        {changed(40), {1, "", differs + "40: the \"fmt \" chunk's channel mask.\n"}},
        {changed(68 + 3 * 4 + 2), {1, "", differs + "82: frame 3, channel 2 (Front Right).\n"}},
        {merged.substr(0, 100),
         {1, "", "plexora-merge: '" + out + "' is shorter than what its files make: it ends at byte 100, frame 8, "
                 "channel 1 (Front Left).\n"}},
        {merged + "x",
         {1, "", "plexora-merge: '" + out + "' is longer than what its files make: it goes on past byte 148.\n"}},
        {std::nullopt, {1, "", "plexora-merge: '" + out + "' can't be opened: No such file or directory.\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.out + c.expected.err);
        std::filesystem::remove(out);
        if (c.bytes)
            WriteWholeFile(out, *c.bytes);
        EXPECT_EQ(RunMerge(dir, {"--check", "-o", out, stems.paths[0], stems.paths[1]}), c.expected);
        EXPECT_EQ(std::filesystem::exists(out), c.bytes.has_value());
        EXPECT_EQ(ReadWholeFile(out), c.bytes.value_or(""));
    }
    WriteWholeFile(out, merged);
    EXPECT_EQ(RunMerge(dir, {"--check", "-q", "--auto", "-c", "stereo", stems.paths[1]}), (Outcome{0, "", ""}));
}
