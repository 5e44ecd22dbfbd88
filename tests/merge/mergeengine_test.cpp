#include "merge/mergeengine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "tests/support/expectedheader.h"
#include "tests/support/mergecheck.h"
#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/wavbuilder.h"

namespace {

// Block edges (0, 102400, 102401 bytes), odd lengths, padding, a data chunk
// claiming more than its file holds, chunks after the data, the progress
// calls, and every interleave: the common channel counts and any other.
// One engine merges them all in turn, as the dialog does, so nothing may
// carry over from one merge to the next.
TEST(MergeEngineTest, BlockEdgesOddLengthsAndPadding)
{
    struct Case {
        std::vector<size_t> lengths;  // the data bytes each input holds
        DWORD dwMask;
        bool bPlain;
        size_t nFirstClaims = 0;  // the data length input 0 states, when more than it holds
    };
    const Case cases[] = {
        {{20, 8}, 0x3, false},  // ten samples and four
        {{0, 0}, 0x3, false},
        {{kMergeBlockBytes, kMergeBlockBytes}, 0x3, false},
        {{kMergeBlockBytes + 1, 10}, 0x3, true},
        {{7}, 0x4, false},
        {{40, 60}, 0x3, false, 100},
        {{7, kMergeBlockBytes + 1, 0}, 0x7, false},
        {{1000, 2 * kMergeBlockBytes + 6, 3, 0}, 0x33, false},
        {{11, 20, 30, 40, kMergeBlockBytes - 1}, 0x37, true},
        {{5, 6, 7, 8, 9, 3 * kMergeBlockBytes}, 0x3F, false},
        {{8, 7, 6, 5, 4, 3, 2, kMergeBlockBytes + 2}, 0xFF, false},
    };
    TempDir dir;
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    for (const Case& c : cases) {
        std::vector<std::string> paths, present;
        std::vector<size_t> claims;
        for (size_t k = 0; k < c.lengths.size(); ++k) {
            present.push_back(PatternBytes(c.lengths[k], static_cast<int>(k)));
            claims.push_back(k == 0 && c.nFirstClaims ? c.nFirstClaims : c.lengths[k]);
            paths.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WavBuilder wav = WavBuilder().Fmt(1, 48000, 16).Data(present[k], static_cast<std::uint32_t>(claims[k]));
            if (claims[k] == c.lengths[k])
                wav.Chunk("LIST", std::string(64, '\x7F'));  // never part of the samples
            wav.Write(paths[k]);
        }
        const size_t nLongest = *std::max_element(claims.begin(), claims.end());
        SCOPED_TRACE(testing::Message() << c.lengths.size() << " inputs, longest " << nLongest);
        merge.host.dwMask = c.dwMask;
        merge.host.bPlain = c.bPlain;
        merge.host.progress.clear();
        ASSERT_TRUE(merge.Run(paths));
        EXPECT_TRUE(merge.host.messages.empty());

        const std::string out = ReadWholeFile(dir / "out.wav");
        const std::string header = ExpectedHeader(static_cast<std::uint16_t>(c.lengths.size()), 48000,
                                                  static_cast<std::uint32_t>(nLongest), c.dwMask, c.bPlain);
        EXPECT_EQ(out.substr(0, header.size()), header);
        EXPECT_TRUE(out.substr(header.size()) == ExpectedData(present, nLongest)) << "sample data differs";
        std::vector<std::string> progress{"range " + std::to_string(nLongest / kMergeBlockBytes + 1)};
        for (size_t b = 1; b <= nLongest / kMergeBlockBytes + 1; ++b)
            progress.push_back("pos " + std::to_string(b));
        progress.push_back("pos 0");
        EXPECT_EQ(merge.host.progress, progress);
        for (size_t k = 0; k < claims.size(); ++k)
            EXPECT_EQ(merge.inputs[k]->m_dwPadBytes, nLongest - claims[k]);

        const SoundFile sound = ReadSoundFile(dir / "out.wav");
        EXPECT_EQ(sound.nFormat, (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | SF_FORMAT_PCM_16);
        EXPECT_EQ(sound.nChannels, static_cast<int>(c.lengths.size()));
        EXPECT_EQ(sound.nSampleRate, 48000);
        EXPECT_EQ(sound.nFrames, static_cast<long long>(nLongest / 2));
    }
}

// Float samples that a conversion would change: NaNs with payloads (a
// signalling one too), denormals, -0 and infinity.
const std::string kFloat32Specials = Hex("01 00 80 7F  45 23 C1 7F  FF FF FF FF  01 00 00 00  FF FF 7F 80  "
                                         "00 00 00 80  00 00 80 7F");
const std::string kFloat64Specials = Hex("01 00 00 00 00 00 F0 7F  01 00 EF BE AD DE F8 7F  01 00 00 00 00 00 00 00  "
                                         "FF FF FF FF FF FF 0F 80  00 00 00 00 00 00 00 80");

using WavOf = std::string (*)(const std::string& data);

struct FormatCase {
    const char* name;
    WavOf wav;            // a mono input holding the data
    SampleLayout layout;  // of the inputs and the output
    char silence;
    int nSoundFormat;     // libsndfile's subtype for the output
    DWORD dwMask;
    bool bPlain = false;
    std::string specials = {};  // the first input's first samples
};

// Every sample format, plain and extensible, RF64 and BW64 inputs, each at
// a channel count of its own so that every interleave runs: each channel is
// its input's whole samples bit for bit, read back by libsndfile too, then
// the format's silence (0x80 for 8-bit) for its dangling bytes and its
// padding. The first input spans three blocks of whole samples and part of
// a fourth.
TEST(MergeEngineTest, EveryFormatBitForBitThenItsSilence)
{
    const FormatCase cases[] = {
        {"8-bit", [](const std::string& d) { return WavBuilder().FmtTag(1, 1, 48000, 8).Data(d).Bytes(); },
         {8, 8}, '\x80', SF_FORMAT_PCM_U8, 0x3},
        {"8-bit, plain", [](const std::string& d) { return WavBuilder().FmtTag(1, 1, 48000, 8).Data(d).Bytes(); },
         {8, 8}, '\x80', SF_FORMAT_PCM_U8, 0x7, true},
        {"16-bit", [](const std::string& d) { return WavBuilder().Fmt(1, 48000, 16, 40).Data(d).Bytes(); },
         {16, 16}, 0, SF_FORMAT_PCM_16, 0x33},
        {"24-bit", [](const std::string& d) { return WavBuilder().FmtTag(1, 1, 48000, 24, 18).Data(d).Bytes(); },
         {24, 24}, 0, SF_FORMAT_PCM_24, 0x3F},
        {"24-bit, plain", [](const std::string& d) { return WavBuilder().FmtTag(1, 1, 48000, 24).Data(d).Bytes(); },
         {24, 24}, 0, SF_FORMAT_PCM_24, 0x7, true},
        {"20 valid bits in 24",
         [](const std::string& d) {
             return WavBuilder().FmtExtensible(1, 48000, 24, 20, 0x4, kSubtypePcm).Data(d).Bytes();
         },
         {24, 20}, 0, SF_FORMAT_PCM_24, 0xFF},
        {"24 valid bits in 32",
         [](const std::string& d) {
             return WavBuilder().FmtExtensible(1, 48000, 32, 24, 0x4, kSubtypePcm).Data(d).Bytes();
         },
         {32, 24}, 0, SF_FORMAT_PCM_32, 0x3},
        {"32-bit, plain", [](const std::string& d) { return WavBuilder().FmtTag(1, 1, 48000, 32).Data(d).Bytes(); },
         {32, 32}, 0, SF_FORMAT_PCM_32, 0x1F, true},
        {"32-bit float with its fact chunk",
         [](const std::string& d) {
             return WavBuilder().FmtTag(3, 1, 48000, 32, 18).Chunk("fact", Le32(7)).Data(d).Bytes();
         },
         {32, 32, true}, 0, SF_FORMAT_FLOAT, 0x3F, false, kFloat32Specials},
        {"32-bit float, plain",
         [](const std::string& d) {
             return WavBuilder().FmtExtensible(1, 48000, 32, 32, 0x4, kSubtypeFloat).Data(d).Bytes();
         },
         {32, 32, true}, 0, SF_FORMAT_FLOAT, 0x33, true, kFloat32Specials},
        {"64-bit float",
         [](const std::string& d) {
             return WavBuilder().FmtExtensible(1, 48000, 64, 0, 0x4, kSubtypeFloat).Data(d).Bytes();
         },
         {64, 64, true}, 0, SF_FORMAT_DOUBLE, 0x3, false, kFloat64Specials},
        {"64-bit float in BW64, plain",
         [](const std::string& d) {
             return WavBuilder().RiffTag("BW64").Ds64(0, 0, 0).FmtTag(3, 1, 48000, 64, 18).Data(d).Bytes();
         },
         {64, 64, true}, 0, SF_FORMAT_DOUBLE, 0xFF, true, kFloat64Specials},
        {"24-bit in RF64",
         [](const std::string& d) {
             return WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(4 + 36 + 24 + 8 + d.size(), d.size(), 0)
                 .FmtTag(1, 1, 48000, 24).Data(d, 0xFFFFFFFF).Bytes();
         },
         {24, 24}, 0, SF_FORMAT_PCM_24, 0x7},
    };
    TempDir dir;
    Merge merge;
    merge.eRule = WaveFormatRule::Delivered;
    merge.host.outputPath = dir / "out.wav";
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t nBytes = c.layout.nBits / 8;
        const size_t nBlockBytes = kMergeBlockBytes - kMergeBlockBytes % nBytes;
        std::vector<std::string> paths, present;
        for (int k = 0; k < std::popcount(c.dwMask); ++k) {
            const size_t nLengths[] = {3 * nBlockBytes + nBytes + 1, 1000 * nBytes + 1, 7};
            const size_t nLength = k < 3 ? nLengths[k] : (37 * k + 1) * nBytes;
            present.push_back(PatternBytes(nLength, k));
            if (k == 0)
                present[0].replace(0, c.specials.size(), c.specials);
            paths.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WriteWholeFile(paths.back(), c.wav(present.back()));
        }
        const size_t nLongest = present[0].size();
        merge.host.dwMask = c.dwMask;
        merge.host.bPlain = c.bPlain;
        merge.host.progress.clear();
        ASSERT_TRUE(merge.Run(paths)) << testing::PrintToString(merge.host.messages);

        const std::string out = ReadWholeFile(dir / "out.wav");
        const std::string header = ExpectedHeader(static_cast<std::uint16_t>(paths.size()), 48000,
                                                  static_cast<std::uint32_t>(nLongest), c.dwMask, c.bPlain, c.layout);
        EXPECT_EQ(out.substr(0, header.size()), header);
        EXPECT_TRUE(out.substr(header.size()) == ExpectedData(present, nLongest, nBytes, c.silence))
            << "sample data differs";
        EXPECT_EQ(merge.host.progress.front(), "range 4");

        const SoundFile sound = ReadSoundFile(dir / "out.wav");
        EXPECT_EQ(sound.nFormat, (c.bPlain ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | c.nSoundFormat);
        EXPECT_EQ(sound.nFrames, static_cast<long long>(nLongest / nBytes));
        const std::vector<std::string> channels = ReadSoundChannels(dir / "out.wav");
        ASSERT_EQ(channels.size(), paths.size());
        for (size_t k = 0; k < paths.size(); ++k) {
            const size_t nWhole = present[k].size() / nBytes * nBytes;
            const std::string expected = present[k].substr(0, nWhole) + std::string(nLongest / nBytes * nBytes - nWhole,
                                                                                     c.silence);
            EXPECT_TRUE(channels[k] == expected) << "channel " << k << " as libsndfile reads it";
        }
    }
}

// The inputs must share one sample format: PCM or float, container bits
// and valid bits. The engine's bit-depth message names the second file;
// the engine says which one it was, for the host's line naming both.
TEST(MergeEngineTest, AMixOfFormatsIsRefusedBeforeAnyOutput)
{
    const std::string kData = PatternBytes(48, 1);
    const std::pair<std::string, std::string> pairs[] = {
        {WavBuilder().Fmt(1, 48000, 16).Data(kData).Bytes(), WavBuilder().FmtTag(1, 1, 48000, 24).Data(kData).Bytes()},
        {WavBuilder().FmtTag(1, 1, 48000, 24).Data(kData).Bytes(),
         WavBuilder().FmtExtensible(1, 48000, 24, 20, 4, kSubtypePcm).Data(kData).Bytes()},
        {WavBuilder().FmtTag(1, 1, 48000, 32).Data(kData).Bytes(), WavBuilder().FmtTag(3, 1, 48000, 32).Data(kData).Bytes()},
        {WavBuilder().FmtExtensible(1, 48000, 32, 24, 4, kSubtypePcm).Data(kData).Bytes(),
         WavBuilder().FmtTag(1, 1, 48000, 32).Data(kData).Bytes()},
        {WavBuilder().FmtTag(3, 1, 48000, 32).Data(kData).Bytes(), WavBuilder().FmtTag(3, 1, 48000, 64).Data(kData).Bytes()},
    };
    TempDir dir;
    Merge merge;
    merge.eRule = WaveFormatRule::Delivered;
    merge.host.outputPath = dir / "out.wav";
    const std::vector<std::string> paths = {dir / "a.wav", dir / "b.wav", dir / "c.wav"};
    for (const auto& [first, second] : pairs) {
        WriteWholeFile(paths[0], first);
        WriteWholeFile(paths[1], second);
        WriteWholeFile(paths[2], first);
        merge.host.messages.clear();
        EXPECT_FALSE(merge.Run(paths));
        EXPECT_EQ(merge.host.messages,
                  std::vector<std::string>{Message("Unable to process:\nFile '%s' has not the same bit depth.", paths[1])});
        EXPECT_EQ(merge.engine.m_nOtherFormatInput, 1);
        EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
    }
    // A merge that passes its checks names no input.
    WriteWholeFile(paths[1], pairs[0].first);
    WriteWholeFile(paths[2], pairs[0].first);
    WriteWholeFile(paths[0], pairs[0].first);
    EXPECT_TRUE(merge.Run(paths));
    EXPECT_EQ(merge.engine.m_nOtherFormatInput, -1);
}

// With the host asking for it, the first input's "bext" chunk goes before
// the output's data byte for byte, pad byte and all; another input's never.
TEST(MergeEngineTest, TheFirstInputsBextChunkWhenTheHostCarriesIt)
{
    const std::string kOddBext = "Description of a take" + std::string(582, ' ');  // 603 bytes
    const std::string kData = PatternBytes(12, 2);
    TempDir dir;
    Merge merge;
    merge.eRule = WaveFormatRule::Delivered;
    merge.host.outputPath = dir / "out.wav";
    merge.host.bPlain = true;
    const std::vector<std::string> paths = {dir / "a.wav", dir / "b.wav"};
    const std::string kHeader = ExpectedHeader(2, 48000, 12, 0, true, {24, 24});
    struct Case {
        const char* name;
        std::string first, second;
        bool bCarry;
        std::string chunk;  // expected before the "data" chunk header
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"carried", WavBuilder().Chunk("bext", kOddBext).FmtTag(1, 1, 48000, 24).Data(kData).Chunk("bext", "late").Bytes(),
         WavBuilder().FmtTag(1, 1, 48000, 24).Chunk("bext", "second").Data(kData).Bytes(), true,
         "bext" + Le32(603) + kOddBext + std::string(1, '\0'), {}},
        {"not asked for", WavBuilder().Chunk("bext", kOddBext).FmtTag(1, 1, 48000, 24).Data(kData).Bytes(),
         WavBuilder().FmtTag(1, 1, 48000, 24).Data(kData).Bytes(), false, "", {}},
        {"only the second has one", WavBuilder().FmtTag(1, 1, 48000, 24).Data(kData).Bytes(),
         WavBuilder().FmtTag(1, 1, 48000, 24).Chunk("bext", "second").Data(kData).Bytes(), true, "", {}},
        {"too large to carry",
         WavBuilder().Chunk("bext", std::string((1 << 20) + 2, 'x')).FmtTag(1, 1, 48000, 24).Data(kData).Bytes(),
         WavBuilder().FmtTag(1, 1, 48000, 24).Data(kData).Bytes(), true, "",
         {Message("Unable to process:\nFile '%s' has a \"bext\" chunk too large to carry.", paths[0])}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWholeFile(paths[0], c.first);
        WriteWholeFile(paths[1], c.second);
        merge.host.bCarryBext = c.bCarry;
        merge.host.messages.clear();
        std::filesystem::remove(dir / "out.wav");
        EXPECT_EQ(merge.Run(paths), c.messages.empty());
        EXPECT_EQ(merge.host.messages, c.messages);
        if (!c.messages.empty()) {
            EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
            continue;
        }
        const std::string out = ReadWholeFile(dir / "out.wav");
        const size_t nFmtEnd = kHeader.size() - 8;
        const std::uint32_t nRiffSize = static_cast<std::uint32_t>(kHeader.size() - 8 + c.chunk.size() + 24);
        EXPECT_EQ(out, "RIFF" + Le32(nRiffSize) + kHeader.substr(8, nFmtEnd - 8) + c.chunk + kHeader.substr(nFmtEnd) +
                           ExpectedData({kData, kData}, 12, 3));
    }
}

// Without channels there is no format to write: refused before the output
// path is asked for.
TEST(MergeEngineTest, NoChannelsIsRefusedBeforeThePathIsChosen)
{
    TempDir dir;
    Merge merge;
    merge.host.outputPath = dir / "out.wav";
    EXPECT_FALSE(merge.Run({}));
    EXPECT_EQ(merge.host.nChooserCalls, 0);
    EXPECT_EQ(merge.host.messages, std::vector<std::string>{"Unable to process: the configuration has no channels."});
    EXPECT_TRUE(FilesIn(dir).empty());
}

}  // namespace
