// The 4 GB edge with real outputs: channels x longest length + 60 exactly at
// 2^32 - 1 is still a RIFF file, one byte more makes it RF64. The inputs
// claim their lengths without taking the disk for them (the first is a
// sparse file with samples at both ends, the others claim more than they
// hold), so only the output needs about 4 GB, one at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/ffprobe.h"
#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRate = 48000;
const std::vector<std::int16_t> kTail = {-32768, 12345, -2, 32767};  // the last whole samples of input 0
constexpr char kDanglingByte = 0x7F;                                 // half a sample after them

std::string InputHeader(std::uint32_t nClaimed)
{
    return WavBuilder().RiffSize(36 + nClaimed).Fmt(1, kRate, 16).Data("", nClaimed).Bytes();
}

struct EdgeCase {
    const char* name;
    std::uint32_t nLongest;  // odd, so every channel ends in half a sample
    DWORD dwMask;
    int nFormat;
    std::vector<int> channelMap;  // libsndfile's reading of the mask
    const char* layoutName;       // ffprobe's
};

TEST(Edge4GTest, OutputsAtTheRiffLimitAndJustPastIt)
{
    const EdgeCase cases[] = {
        // 3 x 1431655745 = 0xFFFFFFC3 data bytes; + 60 = 0xFFFFFFFF.
        {"RIFF at 2^32 - 1", 1431655745, 0x7, SF_FORMAT_WAVEX,
         {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER}, "3.0"},
        // 4 x 1073741809 = 0xFFFFFFC4 data bytes; + 60 = 2^32.
        {"RF64 at 2^32", 1073741809, 0x33, SF_FORMAT_RF64,
         {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT}, "quad"},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const size_t nChannels = c.channelMap.size();
        // The first claims and holds nLongest bytes, a hole of silence but the end.
        std::vector<std::string> inputs = {dir / "in0.wav"};
        const std::string end = Samples(kTail) + kDanglingByte;
        std::ofstream sparse(inputs[0], std::ios::binary);
        sparse << InputHeader(c.nLongest);  // 44 bytes
        sparse.seekp(static_cast<std::streamoff>(44 + c.nLongest - end.size()));
        sparse << end;
        sparse.close();
        // The others claim as much and hold nothing: silence.
        for (size_t k = 1; k < nChannels; ++k) {
            inputs.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WriteWholeFile(inputs[k], InputHeader(c.nLongest));
        }
        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        merge.host.dwMask = c.dwMask;
        ASSERT_TRUE(merge.Run(inputs));
        EXPECT_TRUE(merge.host.messages.empty());
        const std::string output = dir / "out.wav";
        const bool bRF64 = c.nFormat == SF_FORMAT_RF64;
        EXPECT_EQ(fs::file_size(output), (bRF64 ? 104 : 68) + nChannels * static_cast<std::uintmax_t>(c.nLongest));

        // libsndfile: the format, the mask and the last frames.
        const long long nFrames = c.nLongest / 2;
        const SoundFile tail = ReadSoundFile(output, nFrames - 4, 4);
        EXPECT_EQ(tail.nFormat, c.nFormat | SF_FORMAT_PCM_16);
        EXPECT_EQ(tail.nChannels, static_cast<int>(nChannels));
        EXPECT_EQ(tail.nFrames, nFrames);
        EXPECT_EQ(tail.channelMap, c.channelMap);
        std::vector<short> last;
        for (std::int16_t sample : kTail) {
            last.push_back(sample);
            last.insert(last.end(), nChannels - 1, 0);
        }
        EXPECT_EQ(tail.samples, last);

        // The last bytes: the four last frames, then the cut frame, whose first
        // channel's half sample is silence (C x L leaves C bytes of a last frame).
        const std::string lastBytes = Samples(last) + std::string(nChannels, '\0');
        std::ifstream file(output, std::ios::binary);
        file.seekg(-static_cast<std::streamoff>(lastBytes.size()), std::ios::end);
        std::string read(lastBytes.size(), '\0');
        file.read(read.data(), static_cast<std::streamsize>(read.size()));
        EXPECT_TRUE(read == lastBytes) << "the last bytes differ";

        // ffprobe: the same format and length.
        if (HaveFfprobe()) {
            EXPECT_EQ(ProbeStream(output), "codec_name=pcm_s16le\nsample_rate=48000\nchannels=" +
                                               std::to_string(nChannels) + "\nchannel_layout=" + c.layoutName +
                                               "\nduration_ts=" + std::to_string(nFrames) + "\n");
        }
        fs::remove(output);
    }
}

}  // namespace
