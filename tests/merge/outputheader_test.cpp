#include "merge/outputheader.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace {

// "52 49 46 46" -> "RIFF"
std::string Hex(const char* pszHex)
{
    std::string bytes;
    unsigned v = 0;
    int n = 0;
    while (std::sscanf(pszHex, " %2x%n", &v, &n) == 1) {
        bytes += static_cast<char>(v);
        pszHex += n;
    }
    return bytes;
}

const char* const kSubtypePcm = "01 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71";

OutputFormat Format(WORD nChannels, DWORD nSampleRate, DWORD dwDataBytes, DWORD dwMask, bool bPlain)
{
    OutputFormat f;
    f.nChannels = nChannels;
    f.nSampleRate = nSampleRate;
    f.nBitsPerSample = 16;
    f.dwDataBytes = dwDataBytes;
    f.dwChannelMask = dwMask;
    f.bNoExtensible = bPlain;
    return f;
}

std::string Compose(const OutputFormat& format, bool bRF64)
{
    BYTE header[kMaxOutputHeaderBytes];
    const UINT nLength = ComposeOutputHeader(format, bRF64, header);
    return std::string(reinterpret_cast<const char*>(header), nLength);
}

TEST(OutputHeaderTest, ExtensibleAndPlainLayoutsByteForByte)
{
    // Two channels at 44100 Hz, 1000 data bytes each.
    EXPECT_EQ(Compose(Format(2, 44100, 1000, 0x3, false), false),
              "RIFF" + Hex("0C 08 00 00") + "WAVEfmt " +
                  Hex("28 00 00 00  FE FF  02 00  44 AC 00 00  10 B1 02 00  04 00  10 00  16 00  10 00  03 00 00 00") +
                  Hex(kSubtypePcm) + "data" + Hex("D0 07 00 00"));
    EXPECT_EQ(Compose(Format(2, 44100, 1000, 0x3, true), false),
              "RIFF" + Hex("F4 07 00 00") + "WAVEfmt " +
                  Hex("10 00 00 00  01 00  02 00  44 AC 00 00  10 B1 02 00  04 00  10 00") + "data" +
                  Hex("D0 07 00 00"));
    // The mask goes in exactly as given.
    EXPECT_EQ(Compose(Format(6, 48000, 0, 0x3F, false), false).substr(40, 4), Hex("3F 00 00 00"));
    EXPECT_EQ(Compose(Format(2, 48000, 0, 0x80000003, false), false).substr(40, 4), Hex("03 00 00 80"));
}

TEST(OutputHeaderTest, Rf64LayoutByteForByte)
{
    // Six channels of 1 GiB each: 6 GiB of data, 0x20000000 frames.
    EXPECT_EQ(Compose(Format(6, 48000, 0x40000000, 0x3F, false), true),
              "RF64" + Hex("FF FF FF FF") + "WAVE" + "ds64" +
                  Hex("1C 00 00 00  60 00 00 80 01 00 00 00  00 00 00 80 01 00 00 00  "
                      "00 00 00 20 00 00 00 00  00 00 00 00") +
                  "fmt " +
                  Hex("28 00 00 00  FE FF  06 00  80 BB 00 00  00 CA 08 00  0C 00  10 00  16 00  10 00  3F 00 00 00") +
                  Hex(kSubtypePcm) + "data" + Hex("FF FF FF FF"));
}

// The 32-bit RIFF size holds channels x length + 60 (36 plain) up to
// 0xFFFFFFFF; one byte more needs RF64.
TEST(OutputHeaderTest, Rf64ExactlyWhenTheRiffSizeOverflows)
{
    struct Boundary {
        WORD nChannels;
        DWORD dwLastFitting;
        bool bPlain;
    };
    for (const Boundary& b : {Boundary{1, 0xFFFFFFFF - 60, false}, Boundary{1, 0xFFFFFFFF - 36, true},
                              Boundary{2, 0x7FFFFFE1, false}, Boundary{18, (0xFFFFFFFFu - 60) / 18, false}}) {
        SCOPED_TRACE(testing::Message() << b.nChannels << " channels, plain " << b.bPlain);
        const OutputFormat fits = Format(b.nChannels, 48000, b.dwLastFitting, 0x4, b.bPlain);
        const OutputFormat over = Format(b.nChannels, 48000, b.dwLastFitting + 1, 0x4, b.bPlain);
        EXPECT_FALSE(NeedsRF64(fits));
        EXPECT_TRUE(NeedsRF64(over));

        TempDir dir;
        CFile file;
        ASSERT_TRUE(WriteOutputHeader(file, (dir / "fits.wav").c_str(), fits));
        file.Close();
        const std::string header = ReadWholeFile(dir / "fits.wav");
        EXPECT_EQ(header.substr(0, 4), "RIFF");
        EXPECT_EQ(header.size(), b.bPlain ? 44u : 68u);
        const unsigned long long riffSize = 4 + 8 + (b.bPlain ? 16 : 40) + 8 +
                                            static_cast<unsigned long long>(b.nChannels) * b.dwLastFitting;
        EXPECT_EQ(header.substr(4, 4), Le32(static_cast<std::uint32_t>(riffSize)));

        ASSERT_TRUE(WriteOutputHeader(file, (dir / "over.wav").c_str(), over));
        file.Close();
        const std::string rf64 = ReadWholeFile(dir / "over.wav");
        EXPECT_EQ(rf64.substr(0, 4), "RF64");
        EXPECT_EQ(rf64.size(), b.bPlain ? 80u : 104u);
    }
}

std::string Capture(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

TEST(OutputHeaderTest, SmallRf64FileReadsBackElsewhere)
{
    TempDir dir;
    const std::string path = dir / "small.wav";
    WriteWholeFile(path, Compose(Format(2, 44100, 8, 0x3, false), true) + Samples({1, -1, 2, -2, 3, -3, 4, -4}));

    const SoundFile sound = ReadSoundFile(path);
    ASSERT_TRUE(sound.bOpened);
    EXPECT_EQ(sound.nFormat & SF_FORMAT_TYPEMASK, SF_FORMAT_RF64);
    EXPECT_EQ(sound.nFormat & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_16);
    EXPECT_EQ(sound.nChannels, 2);
    EXPECT_EQ(sound.nSampleRate, 44100);
    EXPECT_EQ(sound.samples, (std::vector<short>{1, -1, 2, -2, 3, -3, 4, -4}));

    if (Capture("command -v ffprobe").empty())
        GTEST_SKIP() << "ffprobe is not installed";
    const std::string probe = Capture("ffprobe -v error -show_entries stream=codec_name,channels,sample_rate,"
                                  "channel_layout,duration_ts -of default=nw=1 '" + path + "'");
    for (const char* line : {"codec_name=pcm_s16le\n", "sample_rate=44100\n", "channels=2\n",
                             "channel_layout=stereo\n", "duration_ts=4\n"})
        EXPECT_NE(probe.find(line), std::string::npos) << line << " not in:\n" << probe;
}

}  // namespace
