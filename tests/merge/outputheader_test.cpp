#include "merge/outputheader.h"

#include <gtest/gtest.h>

#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace {

OutputFormat Format(WORD nChannels, DWORD nSampleRate, ULONGLONG nDataBytes, DWORD dwMask, bool bPlain,
                    WORD nBits = 16, SampleKind eKind = SampleKind::Pcm)
{
    return {.nChannels = nChannels, .nSampleRate = nSampleRate, .nBitsPerSample = nBits, .nDataBytes = nDataBytes,
            .dwChannelMask = dwMask, .bNoExtensible = bPlain, .eKind = eKind, .nValidBitsPerSample = 0, .bext = {}};
}

std::string Compose(const OutputFormat& format, bool bRF64)
{
    const std::vector<BYTE> header = ComposeOutputHeader(format, bRF64);
    return std::string(header.begin(), header.end());
}

// RF64 headers (the programs' tests lay out RIFF ones of every format), an
// odd data length, and a carried "bext" chunk with its pad byte.
TEST(OutputHeaderTest, Rf64OddLengthsAndBextLaidOutByteForByte)
{
    OutputFormat withBext = Format(1, 44100, 4, 0x4, true);
    withBext.bext = {'a', 'b', 'c'};
    const std::tuple<const char*, OutputFormat, bool, std::string> cases[] = {
        // Six channels of 1 GiB each: 6 GiB of data, 0x20000000 frames.
        {"16-bit, six channels as RF64", Format(6, 48000, 0x40000000, 0x3F, false), true,
         "RF64" + Hex("FF FF FF FF") + "WAVEds64" +
             Hex("1C 00 00 00  60 00 00 80 01 00 00 00  00 00 00 80 01 00 00 00  00 00 00 20 00 00 00 00  "
                 "00 00 00 00") + "fmt " +
             Hex("28 00 00 00  FE FF  06 00  80 BB 00 00  00 CA 08 00  0C 00  10 00  16 00  10 00  3F 00 00 00") +
             kSubtypePcm + "data" + Hex("FF FF FF FF")},
        // Two channels of 2 GiB: 2^28 frames.
        {"plain 64-bit float as RF64", Format(2, 48000, 0x80000000, 0x3, true, 64, SampleKind::Float), true,
         "RF64" + Hex("FF FF FF FF") + "WAVEds64" +
             Hex("1C 00 00 00  56 00 00 00 01 00 00 00  00 00 00 00 01 00 00 00  00 00 00 10 00 00 00 00  "
                 "00 00 00 00") + "fmt " +
             Hex("12 00 00 00  03 00  02 00  80 BB 00 00  00 B8 0B 00  10 00  40 00  00 00") + "fact" +
             Hex("04 00 00 00  00 00 00 10") + "data" + Hex("FF FF FF FF")},
        // The RIFF size counts the pad byte that follows odd data.
        {"plain 8-bit, odd length", Format(1, 8000, 11, 0x4, true, 8), false,
         "RIFF" + Hex("30 00 00 00") + "WAVEfmt " +
             Hex("10 00 00 00  01 00  01 00  40 1F 00 00  40 1F 00 00  01 00  08 00") + "data" + Hex("0B 00 00 00")},
        {"a bext chunk of odd size", withBext, false,
         "RIFF" + Hex("34 00 00 00") + "WAVEfmt " +
             Hex("10 00 00 00  01 00  01 00  44 AC 00 00  88 58 01 00  02 00  10 00") + "bext" +
             Hex("03 00 00 00  61 62 63 00") + "data" + Hex("04 00 00 00")},
    };
    for (const auto& [pszName, format, bRF64, expected] : cases) {
        SCOPED_TRACE(pszName);
        EXPECT_EQ(NeedsRF64(format), bRF64);
        EXPECT_EQ(Compose(format, bRF64), expected);
    }
}

// The 32-bit RIFF size holds channels x length, its pad byte when odd, + 60
// (36 plain) up to 0xFFFFFFFF; one byte more, and the written header is RF64.
TEST(OutputHeaderTest, Rf64ExactlyWhenTheRiffSizeOverflows)
{
    struct Boundary {
        WORD nChannels;
        DWORD dwLastFitting;
        bool bPlain;
    };
    for (const Boundary& b : {Boundary{1, 0xFFFFFFFF - 61, false}, Boundary{1, 0xFFFFFFFF - 37, true},
                              Boundary{3, (0xFFFFFFFFu - 61) / 3, false}}) {
        SCOPED_TRACE(testing::Message() << b.nChannels << " channels, plain " << b.bPlain);
        for (const DWORD dwLength : {b.dwLastFitting, b.dwLastFitting + 1}) {
            const OutputFormat format = Format(b.nChannels, 48000, dwLength, 0x4, b.bPlain);
            const bool bRF64 = dwLength > b.dwLastFitting;
            TempDir dir;
            COutputFile file;
            ASSERT_TRUE(file.Open((dir / "out.wav").c_str(), {}) && WriteOutputHeader(file, format) && file.Commit());
            const std::string written = ReadWholeFile(dir / "out.wav");
            const std::uint32_t nRiffSize = b.nChannels * dwLength + (b.bPlain ? 36 : 60);
            EXPECT_EQ(written.substr(0, 8), bRF64 ? "RF64" + Le32(0xFFFFFFFF) : "RIFF" + Le32(nRiffSize));
            EXPECT_EQ(written.size(), (b.bPlain ? 44u : 68u) + (bRF64 ? 36u : 0u));
        }
    }
}

TEST(OutputHeaderTest, SmallRf64FileReadsBackElsewhere)
{
    TempDir dir;
    const std::string path = dir / "small.wav";
    WriteWholeFile(path, Compose(Format(2, 44100, 8, 0x3, false), true) + Samples({1, -1, 2, -2, 3, -3, 4, -4}));

    const SoundFile sound = ReadSoundFile(path);
    EXPECT_EQ(sound.nFormat, SF_FORMAT_RF64 | SF_FORMAT_PCM_16);
    EXPECT_EQ(sound.samples, (std::vector<short>{1, -1, 2, -2, 3, -3, 4, -4}));
    EXPECT_EQ(sound.channelMap, (std::vector<int>{SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT}));
}

}  // namespace
