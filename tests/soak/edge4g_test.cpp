// The 4 GB edge with real outputs: channels x longest length + 60 at 2^32 - 2
// (the largest even size) is still a RIFF file, two bytes more make it RF64.
// The inputs are sparse files, so only the output takes about 4 GB of disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRate = 48000;
const std::vector<std::int16_t> kTail = {-32768, 12345, -2, 32767};  // the last whole samples of input 0
constexpr char kDanglingByte = 0x7F;                                 // half a sample after them

// A sparse input of nHeld data bytes ending in end, with the RIFF size of a
// streaming writer: a mono input of 4 GB has no other.
void WriteSparseInput(const std::string& path, std::uint32_t nHeld, const std::string& end)
{
    std::ofstream sparse(path, std::ios::binary);
    sparse << WavBuilder().RiffSize(0xFFFFFFFF).Fmt(1, kRate, 16).Data("", nHeld).Bytes();  // 44 bytes
    sparse.seekp(static_cast<std::streamoff>(44 + nHeld - end.size()));
    sparse << end;
}

struct EdgeCase {
    const char* name;
    std::uint32_t nLongest;  // whole samples
    DWORD dwMask;
    int nFormat;
    std::vector<int> channelMap;  // libsndfile's reading of the mask
};

TEST(Edge4GTest, OutputsAtTheRiffLimitAndJustPastIt)
{
    const EdgeCase cases[] = {
        // 0xFFFFFFC2 data bytes; + 60 = 0xFFFFFFFE.
        {"RIFF at 2^32 - 2", 0xFFFFFFC2, 0x4, SF_FORMAT_WAVEX, {SF_CHANNEL_MAP_CENTER}},
        // 2 x 2147483618 = 0xFFFFFFC4 data bytes; + 60 = 2^32.
        {"RF64 at 2^32", 2147483618, 0x3, SF_FORMAT_RF64, {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const size_t nChannels = c.channelMap.size();
        std::vector<std::string> inputs = {dir / "in0.wav"};
        WriteSparseInput(inputs[0], c.nLongest + 1, Samples(kTail) + kDanglingByte);
        for (size_t k = 1; k < nChannels; ++k) {
            inputs.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            WriteSparseInput(inputs[k], c.nLongest, std::string(2, '\0'));
        }
        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        merge.host.dwMask = c.dwMask;
        ASSERT_TRUE(merge.Run(inputs));
        EXPECT_TRUE(merge.host.messages.empty());
        const std::string output = dir / "out.wav";
        const bool bRF64 = c.nFormat == SF_FORMAT_RF64;
        EXPECT_EQ(fs::file_size(output), (bRF64 ? 104 : 68) + nChannels * static_cast<std::uintmax_t>(c.nLongest));

        // libsndfile's reading; with the size above, the half sample is none.
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
        fs::remove(output);
    }
}

}  // namespace
