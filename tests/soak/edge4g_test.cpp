// The 4 GB edge with real outputs: channels x longest length + 60 exactly at
// 2^32 - 1 is still a RIFF file, one byte more makes it RF64. The inputs
// claim their lengths without taking the disk for them (the first is a
// sparse file with samples at both ends, the others claim more than they
// hold), so only the output needs about 4 GB, one at a time.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/mergerun.h"
#include "tests/support/soundfile.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRate = 48000;
const std::vector<std::int16_t> kHead = {1000, -1000, 2000};
const std::vector<std::int16_t> kTail = {-32768, 12345, -2, 32767};  // the last whole samples of input 0
constexpr char kDanglingByte = 0x7F;                                 // half a sample after them

struct EdgeCase {
    const char* name;
    std::uint32_t nLongest;  // odd, so every channel ends in half a sample
    DWORD dwMask;
    std::string header;  // as the layout says, written out by hand
    int nFormat;
    const char* layoutName;  // what ffprobe calls the mask
};

const char* const kExtensibleTail = "10 00 16 00 10 00";  // bits, cbSize, valid bits
const char* const kSubtypePcm = "01 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71";

std::string Hex(const std::string& text)
{
    std::string bytes;
    std::istringstream in(text);
    for (std::string pair; in >> pair;)
        bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
    return bytes;
}

const EdgeCase kCases[] = {
    // 3 x 1431655745 = 0xFFFFFFC3 data bytes; + 60 = 0xFFFFFFFF.
    {"RIFF at 2^32 - 1", 1431655745, 0x7,
     "RIFF" + Hex("FF FF FF FF") + "WAVE" + "fmt " + Hex("28 00 00 00 FE FF 03 00 80 BB 00 00 00 65 04 00 06 00") +
         Hex(kExtensibleTail) + Hex("07 00 00 00") + Hex(kSubtypePcm) + "data" + Hex("C3 FF FF FF"),
     SF_FORMAT_WAVEX, "3.0"},
    // 4 x 1073741809 = 0xFFFFFFC4 data bytes; + 60 = 2^32. The ds64 chunk:
    // RIFF size 104 - 8 + data = 0x1_00000024, data 0xFFFFFFC4, 536870904 frames.
    {"RF64 at 2^32", 1073741809, 0x33,
     "RF64" + Hex("FF FF FF FF") + "WAVE" + "ds64" +
         Hex("1C 00 00 00 24 00 00 00 01 00 00 00 C4 FF FF FF 00 00 00 00 F8 FF FF 1F 00 00 00 00 00 00 00 00") +
         "fmt " + Hex("28 00 00 00 FE FF 04 00 80 BB 00 00 00 DC 05 00 08 00") + Hex(kExtensibleTail) +
         Hex("33 00 00 00") + Hex(kSubtypePcm) + "data" + Hex("FF FF FF FF"),
     SF_FORMAT_RF64, "quad"},
};

std::string InputHeader(std::uint32_t nClaimed)
{
    return WavBuilder().RiffSize(36 + nClaimed).Fmt(1, kRate, 16).Data("", nClaimed).Bytes();
}

// Claims and holds nLongest bytes, all of them silence but both ends.
void WriteSparseInput(const std::string& path, std::uint32_t nLongest)
{
    const std::string header = InputHeader(nLongest);
    WriteWholeFile(path, header + Samples(kHead));
    fs::resize_file(path, header.size() + nLongest);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::string tail = Samples(kTail) + kDanglingByte;
    file.seekp(static_cast<std::streamoff>(header.size() + nLongest - tail.size()));
    file.write(tail.data(), static_cast<std::streamsize>(tail.size()));
}

std::string Capture(const std::string& command)
{
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// The bytes of the last packet ffprobe reads, from its hex dump
// ("00000010: 3e00 4600 ...  >.F.").
std::string LastPacketBytes(const std::string& probe)
{
    std::istringstream lines(probe.substr(probe.rfind("data=")));
    std::string bytes;
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 10 || line[8] != ':')
            continue;
        std::istringstream groups(line.substr(10, 39));
        for (std::string group; groups >> group;) {
            for (size_t i = 0; i + 1 < group.size(); i += 2)
                bytes += static_cast<char>(std::stoi(group.substr(i, 2), nullptr, 16));
        }
    }
    return bytes;
}

TEST(Edge4GTest, OutputsAtTheRiffLimitAndJustPastIt)
{
    for (const EdgeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const size_t nChannels = c.dwMask == 0x7 ? 3 : 4;
        std::vector<std::string> inputs = {dir / "in0.wav"};
        WriteSparseInput(inputs[0], c.nLongest);
        // The others hold three samples each; one claims less than the
        // longest, so the merge pads it.
        for (size_t k = 1; k < nChannels; ++k) {
            inputs.push_back(dir / ("in" + std::to_string(k) + ".wav"));
            const std::uint32_t nClaimed = k == 2 ? c.nLongest - 1001 : c.nLongest;
            const auto s = static_cast<std::int16_t>(10 * k);
            WriteWholeFile(inputs.back(), InputHeader(nClaimed) + Samples({static_cast<std::int16_t>(s + 1),
                                                                              static_cast<std::int16_t>(s + 2),
                                                                              static_cast<std::int16_t>(s + 3)}));
        }

        Merge merge;
        merge.host.outputPath = dir / "out.wav";
        merge.host.dwMask = c.dwMask;
        ASSERT_TRUE(merge.Run(inputs));
        EXPECT_TRUE(merge.host.messages.empty());
        const std::string output = dir / "out.wav";
        const std::uintmax_t nData = nChannels * static_cast<std::uintmax_t>(c.nLongest);
        EXPECT_EQ(fs::file_size(output), c.header.size() + nData);
        std::ifstream file(output, std::ios::binary);
        std::string header(c.header.size(), '\0');
        file.read(header.data(), static_cast<std::streamsize>(header.size()));
        EXPECT_TRUE(header == c.header) << "the header differs from the layout";

        // libsndfile: the format, the mask, the first frames and the last.
        const long long nFrames = c.nLongest / 2;
        const SoundFile head = ReadSoundFile(output, 0, 4);
        ASSERT_TRUE(head.bOpened);
        EXPECT_EQ(head.nFormat, c.nFormat | SF_FORMAT_PCM_16);
        EXPECT_EQ(head.nChannels, static_cast<int>(nChannels));
        EXPECT_EQ(head.nSampleRate, static_cast<int>(kRate));
        EXPECT_EQ(head.nFrames, nFrames);
        std::vector<int> map = {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_CENTER};
        if (nChannels == 4)
            map = {SF_CHANNEL_MAP_LEFT, SF_CHANNEL_MAP_RIGHT, SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT};
        EXPECT_EQ(head.channelMap, map);
        std::vector<short> first;
        for (size_t f = 0; f < 4; ++f) {
            for (size_t k = 0; k < nChannels; ++k)
                first.push_back(f == 3 ? 0 : k == 0 ? kHead[f] : static_cast<short>(10 * k + f + 1));
        }
        EXPECT_EQ(head.samples, first);
        const SoundFile tail = ReadSoundFile(output, nFrames - 4, 4);
        std::vector<short> last;
        for (std::int16_t sample : kTail) {
            last.push_back(sample);
            last.insert(last.end(), nChannels - 1, 0);
        }
        EXPECT_EQ(tail.samples, last);

        // ffprobe: the same, and the last bytes as its demuxer delivers them:
        // the four last frames, then the cut frame, whose first channel's
        // half sample is silence.
        if (!Capture("command -v ffprobe").empty()) {
            const std::string quoted = "'" + output + "'";
            const std::string stream = Capture("ffprobe -v error -select_streams a:0 -show_entries "
                                               "stream=codec_name,channels,channel_layout,duration_ts "
                                               "-of default=nw=1 " + quoted);
            EXPECT_EQ(stream, "codec_name=pcm_s16le\nchannels=" + std::to_string(nChannels) +
                                  "\nchannel_layout=" + c.layoutName +
                                  "\nduration_ts=" + std::to_string(nFrames) + "\n");
            const std::string seek = std::to_string(static_cast<double>(nFrames - 1000) / kRate);
            const std::string packet = LastPacketBytes(
                Capture("ffprobe -v error -select_streams a:0 -read_intervals " + seek +
                        "% -show_entries packet=data -show_data -of default=nw=1 " + quoted));
            std::string lastBytes;
            for (std::int16_t sample : kTail)
                lastBytes += Samples({sample}) + std::string(2 * (nChannels - 1), '\0');
            lastBytes += std::string(nChannels, '\0');  // C x L leaves C bytes of a last frame
            ASSERT_GE(packet.size(), lastBytes.size());
            EXPECT_TRUE(packet.substr(packet.size() - lastBytes.size()) == lastBytes)
                << "the last bytes differ";
        }
        fs::remove(output);
    }
}

}  // namespace
