// plexora-split end to end: merges split back bit for bit, the speakers and
// names of the stems, and what is refused before anything is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "merge/channelblock.h"
#include "merge/waveheader.h"
#include "tests/cli/runprogram.h"
#include "tests/support/commandoutput.h"
#include "tests/support/soundfile.h"

namespace {

// The built-in suffixes in table order, written out again.
const std::vector<std::string> kSuffixes = {"FL", "FR",  "FC", "LF", "BL",  "BR",  "FLC", "FRC", "BC",
                                            "SL", "SR",  "TC", "TFL", "TFC", "TFR", "TBL", "TBC", "TBR"};

Outcome Split(const TempDir& dir, const std::vector<std::string>& args)
{
    return RunMerge(dir, args, PLEXORA_SPLIT_EXE);
}

// The stems of base in folder: base + the suffix of every bit of the mask.
std::vector<std::string> StemNames(const std::string& folder, const std::string& base, DWORD dwMask)
{
    std::vector<std::string> names;
    for (size_t i = 0; i < kSuffixes.size(); ++i) {
        if (dwMask & (1u << i))
            names.push_back(folder + "/" + base + kSuffixes[i] + ".wav");
    }
    return names;
}

// Channel k of interleaved frames, sample by sample.
std::string ChannelOf(const std::string& frames, size_t nChannels, size_t k, size_t nSampleBytes)
{
    std::string channel;
    for (size_t at = k * nSampleBytes; at + nSampleBytes <= frames.size(); at += nChannels * nSampleBytes)
        channel += frames.substr(at, nSampleBytes);
    return channel;
}

// Float samples that a conversion would change: NaNs with payloads (a
// signalling one too), denormals, -0 and infinity.
const std::string kFloat32Specials = Hex("01 00 80 7F  45 23 C1 7F  FF FF FF FF  01 00 00 00  FF FF 7F 80  "
                                         "00 00 00 80  00 00 80 7F");
const std::string kFloat64Specials = Hex("01 00 00 00 00 00 F0 7F  01 00 EF BE AD DE F8 7F  01 00 00 00 00 00 00 00  "
                                         "FF FF FF FF FF FF 0F 80  00 00 00 00 00 00 00 80");

// stems -> plexora-merge -> plexora-split in every format, plain and
// extensible, of RIFF, RF64 and BW64 stems: the merge laid out by hand (the
// format's silence for a part of a sample and the padding) and read so by
// libsndfile, each stem that channel behind a plain header. Lengths cross the
// blocks; 2, 4, 6 and 8 channels interleave frame by frame, other counts
// channel by channel.
TEST(SplitCliTest, MergedAndSplitInEveryFormatBitForBit)
{
    constexpr size_t kBlock = kMergeBlockBytes;
    struct Case {
        SampleLayout layout;  // of the stems merged and of the merge; the split stems are plain
        bool bPlain;          // the merge's header
        DWORD dwMask;
        std::vector<size_t> lengths;
        int nSoundFormat;
        WaveContainer eContainer = WaveContainer::Riff;  // of the stems merged
        std::string specials = {};                       // the first stem's first samples
    };
    const Case cases[] = {
        {{8, 8}, false, 0x7, {101, 100, 7}, SF_FORMAT_PCM_U8},
        {{8, 8}, true, 0x3, {3 * kBlock + 2, 7}, SF_FORMAT_PCM_U8},
        {{16, 16}, false, 0x3F, {2 * kBlock + 6, 1000, 2, 0, kBlock, kBlock + 2}, SF_FORMAT_PCM_16},
        {{24, 24}, false, 0x3, {kBlock - 1 + 300, 31}, SF_FORMAT_PCM_24, WaveContainer::Rf64},
        {{24, 24}, true, 0x33, {3 * kBlock + 3, 3001, 3, 0}, SF_FORMAT_PCM_24},
        {{24, 20}, false, 0x3FFFF, {3, 6, 9, 12, 15, 18, 21, 24, 27, 30, 33, 36, 39, 42, 45, 48, 51, 300},
         SF_FORMAT_PCM_24},
        {{32, 24}, false, 0x3, {kBlock + 4, 41}, SF_FORMAT_PCM_32},
        {{32, 32}, true, 0xFF, {4, 8, 12, 16, 20, 24, 28, kBlock + 4}, SF_FORMAT_PCM_32},
        {{32, 32, true}, false, 0x33, {kBlock, 36, 0, 4}, SF_FORMAT_FLOAT, WaveContainer::Riff, kFloat32Specials},
        {{64, 64, true}, false, 0x3F, {8 * 1000 + 5, 16, kBlock + 8 * 7, 24, 7, 8}, SF_FORMAT_DOUBLE,
         WaveContainer::Bw64, kFloat64Specials},
        {{64, 64, true}, true, 0x3, {kBlock + 8, 81}, SF_FORMAT_DOUBLE, WaveContainer::Riff, kFloat64Specials},
    };
    TempDir dir;
    std::filesystem::create_directory(dir / "split");
    for (const Case& c : cases) {
        const auto [nBits, nValidBits, bFloat] = c.layout;
        SCOPED_TRACE(testing::Message() << nBits << "-bit" << (bFloat ? " float" : "") << ", mask " << c.dwMask);
        const size_t nBytes = nBits / 8;
        const char silence = nBits == 8 ? '\x80' : '\0';
        std::vector<std::string> args = {"-q", "-m", std::to_string(c.dwMask), "-o", dir / "take.wav"};
        if (c.bPlain)
            args.push_back("--plain");
        std::vector<std::string> present;
        for (size_t k = 0; k < c.lengths.size(); ++k) {
            const size_t nLength = c.lengths[k];
            present.push_back(PatternBytes(nLength, static_cast<int>(k)));
            if (k == 0)
                present[0].replace(0, c.specials.size(), c.specials);
            args.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WavBuilder stem;
            if (c.eContainer == WaveContainer::Rf64)  // the sizes in "ds64" only, a 24-byte "fmt " chunk
                stem.RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(4 + 36 + 24 + 8 + nLength + nLength % 2, nLength, 0);
            else if (c.eContainer == WaveContainer::Bw64)  // the sizes in 32 bits where they fit
                stem.RiffTag("BW64").Ds64(0, 0, 0);
            if (bFloat)  // with the frame count
                stem.FmtTag(3, 1, 48000, nBits, 18).Chunk("fact", Le32(static_cast<std::uint32_t>(nLength / nBytes)));
            else if (nValidBits < nBits)
                stem.FmtExtensible(1, 48000, nBits, nValidBits, 0x4, kSubtypePcm);
            else
                stem.FmtTag(1, 1, 48000, nBits);
            const bool bRf64 = c.eContainer == WaveContainer::Rf64;
            stem.Data(present.back(), bRf64 ? std::optional<std::uint32_t>(0xFFFFFFFF) : std::nullopt);
            if (!bRf64)  // never part of the samples
                stem.Chunk("LIST", std::string(64, '\x7F'));
            stem.Write(args.back());
        }
        ASSERT_EQ(RunMerge(dir, args).nExitCode, 0);

        const size_t nMerged = *std::max_element(c.lengths.begin(), c.lengths.end());
        EXPECT_TRUE(ReadWholeFile(dir / "take.wav") ==
                    ExpectedHeader(static_cast<std::uint16_t>(present.size()), 48000,
                                   static_cast<std::uint32_t>(nMerged), c.dwMask, c.bPlain, c.layout) +
                        ExpectedData(present, nMerged, nBytes, silence) +
                        std::string(present.size() * nMerged % 2, '\0'))
            << "the merge differs";
        EXPECT_EQ(ReadSoundFile(dir / "take.wav").nFormat,
                  (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | c.nSoundFormat);
        const std::vector<std::string> merged = ReadSoundChannels(dir / "take.wav");
        ASSERT_EQ(merged.size(), present.size());
        EXPECT_EQ(Split(dir, {"-q", "-o", dir / "split", dir / "take.wav"}), (Outcome{0, "", ""}));
        const std::string header = ExpectedHeader(1, 48000, static_cast<std::uint32_t>(nMerged), 0, true,
                                                  {nBits, nBits, bFloat});
        const std::vector<std::string> stems = StemNames(dir / "split", "take", c.dwMask);
        ASSERT_EQ(stems.size(), c.lengths.size());
        for (size_t k = 0; k < stems.size(); ++k) {
            SCOPED_TRACE(stems[k]);
            const std::string whole = present[k].substr(0, present[k].size() / nBytes * nBytes);
            const std::string expected = whole + std::string(nMerged - whole.size(), silence);
            EXPECT_TRUE(merged[k] == expected) << "libsndfile reads other samples in the merge";
            EXPECT_TRUE(ReadWholeFile(stems[k]) == header + expected + std::string(nMerged % 2, '\0'))
                << "the stem differs";
            std::filesystem::remove(stems[k]);
        }
        EXPECT_EQ(FilesIn(dir / "split"), std::vector<std::string>{});
    }
}

// Files of sox and ffmpeg, RF64 too: six mono ones merge into each input's
// samples as libsndfile reads them, then silence; the 5.1 file the writer
// joins of them splits into that file's channels.
TEST(SplitCliTest, FilesOfSoxAndFfmpegMergedAndSplit)
{
    if (CommandOutput("command -v sox").empty() || CommandOutput("command -v ffmpeg").empty())
        GTEST_SKIP() << "sox or ffmpeg is not installed";
    struct Writer {
        bool bSox;           // else ffmpeg
        std::string format;  // the writer's options for it
        int nSoundFormat;
        char silence;
    };
    const Writer writers[] = {
        {true, "-b 8 -e unsigned-integer", SF_FORMAT_PCM_U8, '\x80'},
        {true, "-b 16", SF_FORMAT_PCM_16, 0},
        {true, "-b 24", SF_FORMAT_PCM_24, 0},
        {true, "-b 32 -e floating-point", SF_FORMAT_FLOAT, 0},
        {false, "-c:a pcm_s32le -rf64 always", SF_FORMAT_PCM_32, 0},
        {false, "-c:a pcm_f64le -rf64 always", SF_FORMAT_DOUBLE, 0},
    };
    TempDir dir;
    const std::string joined = dir / "joined.wav";
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.format);
        const auto write = [&](const std::string& sources, const std::string& file, const std::string& effects) {
            const std::string tool = w.bSox ? "sox -D" : "ffmpeg -nostdin -v error -y";
            return std::system((tool + sources + " " + w.format + " '" + file + "'" + effects).c_str());
        };
        std::vector<std::string> args = {"-q", "-m", "0x3F", "-o", dir / "merged.wav"};
        std::string joinedInputs = w.bSox ? " -M" : "";
        for (const std::string seconds : {"0.1", "0.05", "0.0213", "0.03", "0.02", "0.01"}) {
            args.push_back(dir / ("in" + seconds + ".wav"));
            ASSERT_EQ(w.bSox ? write(" -n -r 48000", args.back(), " synth " + seconds + " sine 440")
                             : write(" -f lavfi -i sine=frequency=440:sample_rate=48000:duration=" + seconds,
                                     args.back(), ""),
                      0);
            joinedInputs += (w.bSox ? " '" : " -i '") + args.back() + "'";
        }
        ASSERT_EQ(write(joinedInputs + (w.bSox ? "" : " -filter_complex join=inputs=6:channel_layout=5.1"), joined, ""),
                  0);
        ASSERT_EQ(RunMerge(dir, args).nExitCode, 0);
        ASSERT_EQ(Split(dir, {"-q", "-f", joined}), (Outcome{0, "", ""}));
        EXPECT_EQ(ReadSoundFile(dir / "merged.wav").nFormat, SF_FORMAT_WAVEX | w.nSoundFormat);
        const std::vector<std::string> merged = ReadSoundChannels(dir / "merged.wav");
        const std::vector<std::string> channels = ReadSoundChannels(joined);
        const std::vector<std::string> stems = StemNames(dir.path().string(), "joined", 0x3F);
        ASSERT_EQ(merged.size(), 6u);
        ASSERT_EQ(channels.size(), 6u);
        for (size_t k = 0; k < 6; ++k) {
            const std::vector<std::string> input = ReadSoundChannels(args[5 + k]);
            ASSERT_EQ(input.size(), 1u);
            EXPECT_TRUE(merged[k] == input[0] + std::string(merged[0].size() - input[0].size(), w.silence)) << k;
            EXPECT_TRUE(ReadSoundChannels(stems[k]) == std::vector<std::string>{channels[k]}) << stems[k];
        }
    }
}

// "@" in an expected text is the test's folder.
std::string InFolder(const std::string& text, const TempDir& dir)
{
    std::string result;
    for (char c : text)
        result += c == '@' ? dir.path().string() : std::string(1, c);
    return result;
}

// 16-bit files of five frames whose channels all differ.
std::string Frames(size_t nChannels, int nSeed = 1)
{
    return PatternBytes(nChannels * 2 * 5, nSeed);
}

std::string Extensible(std::uint16_t nChannels, DWORD dwMask)
{
    return WavBuilder().FmtExtensible(nChannels, 48000, 16, 16, dwMask, kSubtypePcm).Data(Frames(nChannels)).Bytes();
}

std::string Plain(std::uint16_t nChannels)
{
    return WavBuilder().Fmt(nChannels, 48000, 16).Data(Frames(nChannels)).Bytes();
}

// Each case in a folder of its own: a split writes exactly the stems named,
// each its channel behind a plain header; a refused one writes nothing.
TEST(SplitCliTest, SpeakersNamesAndRefusals)
{
    struct Case {
        const char* pszName;
        std::string file;   // its name in the folder
        std::string bytes;
        std::vector<std::string> options;
        int nExitCode;
        std::vector<std::string> stems;  // in channel order
        std::string err = {};
        std::string out = {};
    };
    const std::string drums = "drumssurround 5.1.wav";
    const Case cases[] = {
        {"the mask names the channels", drums, Extensible(6, 0x3F), {}, 0,
         {"drumsFL", "drumsFR", "drumsFC", "drumsLF", "drumsBL", "drumsBR"}, "",
         "Split '@/drumssurround 5.1.wav': 6 channels, 48000 Hz, 16-bit PCM, 5 frames (0.00 s), the speakers of "
         "its channel mask 0x3F, into '@/drumsFL.wav', '@/drumsFR.wav', '@/drumsFC.wav', '@/drumsLF.wav', "
         "'@/drumsBL.wav', '@/drumsBR.wav'.\n"},
        {"and -c does not change them", drums, Extensible(6, 0x3F), {"-q", "-c", "stereo"}, 0,
         {"drumsFL", "drumsFR", "drumsFC", "drumsLF", "drumsBL", "drumsBR"}},
        {"no mask: the first configuration with 6 channels", "mixsurround 5.1.wav", Plain(6), {}, 0,
         {"mixFL", "mixFR", "mixFC", "mixLF", "mixBL", "mixBR"}, "",
         "Split '@/mixsurround 5.1.wav': 6 channels, 48000 Hz, 16-bit PCM, 5 frames (0.00 s), the speakers of the "
         "configuration 'surround 5.1', into '@/mixFL.wav', '@/mixFR.wav', '@/mixFC.wav', '@/mixLF.wav', "
         "'@/mixBL.wav', '@/mixBR.wav'.\n"},
        {"no mask, -c", "take.wav", Plain(4), {"-q", "-c", "surround"}, 0, {"takeFL", "takeFR", "takeFC", "takeBC"}},
        {"a mask of 3 speakers for 2 channels", "xstereo.wav", Extensible(2, 0x7), {"-q"}, 0, {"xFL", "xFR"}},
        {"bits past the table name no channel", "wide.wav", Extensible(2, 0x80000030), {"-q"}, 0, {"wideBL", "wideBR"}},
        {"mono without a mask", "voice.wav", Plain(1), {}, 0, {"voiceFC"}, "",
         "Split '@/voice.wav': 1 channel, 48000 Hz, 16-bit PCM, 5 frames (0.00 s), Front Center for its one "
         "channel, into '@/voiceFC.wav'.\n"},
        {"mono with a mask", "voice.wav", Extensible(1, 0x2), {"-q"}, 0, {"voiceFR"}},
        {"a settings file's configuration and suffixes", "gigLive.wav", Plain(2), {"-q", "--settings", "@/live.pxr"},
         0, {"gig_L", "gig_R"}},
        {"-t: the channel tags after the separator", "mix_surround 5.1.wav", Extensible(6, 0x3F), {"-q", "-t", "."},
         0, {"mix.L", "mix.R", "mix.C", "mix.LFE", "mix.Ls", "mix.Rs"}},
        {"-t: Ls and Rs are the Side positions where there are some", "band.wav", Extensible(6, 0x60F),
         {"-q", "--tags", " "}, 0, {"band L", "band R", "band C", "band LFE", "band Ls", "band Rs"}},
        {"RF64", "long.wav",
         WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(4 + 36 + 48 + 8 + 20, 20, 5)
             .FmtExtensible(2, 48000, 16, 16, 0x3, kSubtypePcm).Data(Frames(2), 0xFFFFFFFF).Bytes(),
         {"-q"}, 0, {"longFL", "longFR"}},
        // What the file does not hold although its header speaks of it is left out, and said.
        {"a data chunk claiming more than the file holds", "claims.wav",
         WavBuilder().FmtExtensible(2, 48000, 16, 16, 0x3, kSubtypePcm).Data(Frames(2), 100).Bytes(), {"-q"}, 0,
         {"claimsFL", "claimsFR"},
         "The file '@/claims.wav' holds 80 bytes fewer than its data chunk states; its data ends where the file "
         "does.\n"},
        {"a part of a frame at the end", "part.wav",
         WavBuilder().FmtExtensible(2, 48000, 16, 16, 0x3, kSubtypePcm).Data(Frames(2) + "x").Bytes(), {"-q"}, 0,
         {"partFL", "partFR"},
         "plexora-split: the last 1 byte of '@/part.wav' is a part of a frame; it was left out.\n"},
        // Refused: the reason on standard error, nothing written.
        {"no mask, no configuration", "odd.wav", Plain(3), {"-q"}, 1, {},
         "plexora-split: '@/odd.wav' has 3 channels and no channel mask, and no configuration has 3 channels: "
         "name one with -c.\n"},
        {"no mask, -c of other channels", "odd.wav", Plain(3), {"-q", "-c", "stereo"}, 1, {},
         "plexora-split: '@/odd.wav' has 3 channels and no channel mask, but the configuration 'stereo' has 2 "
         "channels.\n"},
        {"a mask of 2 speakers for 3 channels", "odd.wav", Extensible(3, 0x3), {"-q"}, 1, {},
         "plexora-split: '@/odd.wav' has 3 channels and a channel mask (0x3) of 2 speakers, and no configuration "
         "has 3 channels: name one with -c.\n"},
        {"empty suffixes", "y.wav", Extensible(2, 0x6000), {"-q", "--settings", "@/live.pxr"}, 1, {},
         "The channels 'Top Front Center' and 'Top Front Right' would both be written to '@/y.wav'; give them "
         "suffixes of their own.\n"},
        {"-t with nothing before the tags", "_surround 5.1.wav", Extensible(6, 0x3F), {"-q", "-t", "_"}, 1, {},
         "plexora-split: '@/_surround 5.1.wav' leaves no base name to put before the channel tags; rename it, or "
         "split it without -t.\n"},
        {"a compressed format", "mulaw.wav", WavBuilder().FmtTag(7, 2, 8000, 8).Data("abcd").Bytes(), {"-q"}, 1, {},
         "Unable to split:\nFile '@/mulaw.wav' can't be loaded.\nThe file '@/mulaw.wav' is in mu-law (format tag "
         "0x0007), not in PCM or IEEE float.\n"},
        // Usage errors.
        {"-o names no folder", drums, Extensible(6, 0x3F), {"-o", "@/nowhere"}, 2, {},
         "plexora-split: -o names the folder of the stems; '@/nowhere' is not a folder\nRun with --help for more "
         "information.\n"},
        {"-t takes a separator of channel tags", drums, Extensible(6, 0x3F), {"-t", "x"}, 2, {},
         "plexora-split: -t takes the separator before the channel tags: '.', '_', '-' or ' ', not 'x'\nRun with "
         "--help for more information.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        TempDir dir;
        WriteWholeFile(dir / "live.pxr", LiveSettings());
        WriteWholeFile(dir / c.file, c.bytes);
        const std::vector<std::string> before = FilesIn(dir);
        std::vector<std::string> args;
        for (const std::string& option : c.options)
            args.push_back(InFolder(option, dir));
        args.push_back(dir / c.file);
        EXPECT_EQ(Split(dir, args), (Outcome{c.nExitCode, InFolder(c.out, dir), InFolder(c.err, dir)}));

        std::vector<std::string> after = before;
        for (const std::string& stem : c.stems)
            after.push_back(stem + ".wav");
        std::sort(after.begin(), after.end());
        EXPECT_EQ(FilesIn(dir), after);
        const std::string frames = Frames(c.stems.size());
        for (size_t k = 0; k < c.stems.size(); ++k)
            EXPECT_EQ(ReadWholeFile(dir / (c.stems[k] + ".wav")),
                      ExpectedHeader(1, 48000, 10, 0, true) + ChannelOf(frames, c.stems.size(), k, 2))
                << c.stems[k];
    }
}

// Stems that exist are named in one message and kept, unless -f; -o puts
// them in a folder; a stem that is the file through a link, or that cannot
// be replaced (another's in a sticky folder), stops the split.
TEST(SplitCliTest, ExistingStemsFoldersAndLinks)
{
    TempDir dir;
    const std::string drums = dir / "drumssurround 5.1.wav";
    WriteWholeFile(drums, Extensible(6, 0x3F));
    const std::vector<std::string> stems = StemNames(dir.path().string(), "drums", 0x3F);
    WriteWholeFile(stems[2], "an earlier FC");
    WriteWholeFile(stems[5], "an earlier BR");
    const std::vector<std::string> before = FilesIn(dir);

    EXPECT_EQ(Split(dir, {drums}),
              (Outcome{1, "", "These stems exist already (-f replaces them):\n" + stems[2] + "\n" + stems[5] + "\n"}));
    EXPECT_EQ(FilesIn(dir), before);
    EXPECT_EQ(ReadWholeFile(stems[2]), "an earlier FC");
    EXPECT_EQ(ReadWholeFile(stems[5]), "an earlier BR");

    EXPECT_EQ(Split(dir, {"-q", "-f", drums}), (Outcome{0, "", ""}));
    for (size_t k = 0; k < stems.size(); ++k)
        EXPECT_EQ(ReadWholeFile(stems[k]), ExpectedHeader(1, 48000, 10, 0, true) + ChannelOf(Frames(6), 6, k, 2));

    std::filesystem::create_directory(dir / "out");
    EXPECT_EQ(Split(dir, {"-q", "-o", dir / "out/", drums}).nExitCode, 0);
    for (size_t k = 0; k < stems.size(); ++k)
        EXPECT_EQ(ReadWholeFile(dir / ("out/drums" + kSuffixes[k] + ".wav")), ReadWholeFile(stems[k]));

    const std::string link = dir / "out/inFL.wav";
    std::filesystem::create_symlink(dir / "in.wav", link);
    WriteWholeFile(dir / "in.wav", Extensible(2, 0x3));
    EXPECT_EQ(Split(dir, {"-q", "-f", "-o", dir / "out", dir / "in.wav"}),
              (Outcome{1, "", "The stem '" + link + "' is the file being split.\n"}));
    EXPECT_FALSE(std::filesystem::exists(dir / "out/inFR.wav"));

    // In a shared sticky folder, as the user nobody, the old stems are
    // nobody's but the last, which is root's: -f replaces none of them.
    if (geteuid() != 0)
        GTEST_SKIP() << "the sticky folder's row runs the split as another user, which needs root";
    namespace fs = std::filesystem;
    const fs::path shared = dir / "shared";
    fs::create_directory(shared);
    fs::permissions(dir.path(), fs::perms(0755));
    fs::permissions(shared, fs::perms(01777));
    WriteWholeFile(shared / "drumssurround 5.1.wav", Extensible(6, 0x3F));
    const std::vector<std::string> old = StemNames(shared, "drums", 0x3F);
    for (const std::string& stem : old) {
        WriteWholeFile(stem, "an earlier " + stem);
        fs::permissions(stem, fs::perms(0666));
        ASSERT_EQ(chown(stem.c_str(), stem == old.back() ? 0 : 65534, stem == old.back() ? 0 : 65534), 0);
    }
    const std::vector<std::string> inShared = FilesIn(shared);
    EXPECT_EQ(RunMerge(dir, {"--reuid=nobody", "--regid=nogroup", "--clear-groups", PLEXORA_SPLIT_EXE, "-q", "-f",
                             shared / "drumssurround 5.1.wav"}, "/usr/bin/setpriv"),
              (Outcome{1, "", "Unable to split: can't write output header.\nThe output '" + old.back() +
                                  "' can't be created: Operation not permitted.\n"}));
    EXPECT_EQ(FilesIn(shared), inShared) << "a temporary file was left";
    for (const std::string& stem : old)
        EXPECT_EQ(ReadWholeFile(stem), "an earlier " + stem);
}

}  // namespace
