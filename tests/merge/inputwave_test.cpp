#include "merge/inputwave.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace {

const std::string kSamples = Samples({0x1234, -2, 7});  // 34 12 FE FF 07 00
const std::string kFmt8000 = WavBuilder().Fmt(1, 8000, 16).Bytes().substr(20, 16);  // the payload alone

// Writes the bytes to a file and reads its header.
bool ReadHeader(const TempDir& dir, const std::string& bytes, CInputWave& wave)
{
    wave.m_strPath = CString(dir / "input.wav");
    WriteWholeFile(wave.m_strPath.str(), bytes);
    return wave.ReadInputHeader();
}

struct AcceptCase {
    const char* name;
    std::string bytes;
    DWORD nSampleRate = 44100;
    DWORD dwDataBytes = 6;
    std::string firstSample = "\x34\x12";  // the bytes at the data start
};

TEST(InputWaveTest, AcceptsMono16BitFilesAndStopsAtTheFirstSample)
{
    const AcceptCase cases[] = {
        {"other chunks around, odd sizes padded",
         WavBuilder().Chunk("LIST", "abc").Chunk("JUNK", "").Fmt(1, 48000, 16, 18).Chunk("bext", "12345")
             .Data(kSamples).Chunk("smpl", std::string(36, '\x55')).Chunk("LIST", "zz").Bytes(), 48000},
        {"extensible fmt of 40 bytes", WavBuilder().Fmt(1, 96000, 16, 40).Data(kSamples).Bytes(), 96000},
        {"fmt after data", WavBuilder().Data(kSamples).Fmt(1, 22050, 16).Bytes(), 22050},
        {"the last data chunk wins",
         WavBuilder().Fmt(1, 44100, 16).Data(Samples({1, 1})).Data(Samples({9, 8, 7})).Bytes(), 44100, 6,
         std::string("\x09\x00", 2)},
        {"odd data size kept, its pad byte skipped", WavBuilder().Data("\x01\x02\x03").Fmt(1, 44100, 16).Bytes(),
         44100, 3, "\x01\x02"},
        {"data claiming more than the file holds", WavBuilder().Fmt(1, 44100, 16).Data(kSamples, 1000).Bytes(),
         44100, 1000},
        {"streamed: unknown data size runs to the end of the file",
         WavBuilder().RiffSize(0xFFFFFFFF).Fmt(1, 44100, 16).Data(kSamples, 0xFFFFFFFF).Bytes()},
        {"file ends inside a chunk after the data",  // 10 of its 20 bytes missing
         WavBuilder().Fmt(1, 44100, 16).Data(kSamples).Chunk("LIST", std::string(20, 'x')).Bytes().substr(0, 68)},
        {"fmt stating fewer than 16 bytes is read as 16",
         WavBuilder().Chunk("fmt ", kFmt8000, 0).Data(kSamples).Bytes(), 8000},
        {"chunks past the RIFF size are never looked at",
         WavBuilder().RiffSize(4 + 24 + 14).Fmt(1, 44100, 16).Data(kSamples).Data(Samples({5})).Bytes()},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CInputWave wave;
        ASSERT_TRUE(ReadHeader(dir, c.bytes, wave));
        EXPECT_EQ(wave.m_nSampleRate, c.nSampleRate);
        EXPECT_EQ(wave.m_dwDataBytes, c.dwDataBytes);
        char first[2] = {};
        EXPECT_EQ(wave.m_file.Read(first, 2), 2u);
        EXPECT_EQ(std::string(first, 2), c.firstSample);
    }
}

struct RejectCase {
    const char* name;
    std::string bytes;
    WaveReadError eError;
    ULONGLONG nOffset;  // where the reader decided
};

TEST(InputWaveTest, RejectsWhatIsNotMono16BitWithItsReasonAndWhereAndClosesTheFile)
{
    const std::string kJunkPastTheEnd =
        WavBuilder().RiffSize(0xFFFFFFFF).Chunk("JUNK", "", 0xFFFFFFF0).Fmt(1, 44100, 16).Data(kSamples).Bytes();
    const RejectCase cases[] = {
        {"empty file", "", WaveReadError::NotRiff, 0},
        {"lower-case riff", WavBuilder().RiffTag("riff").Fmt(1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotRiff, 0},
        {"lower-case wave", WavBuilder().FormType("wave").Fmt(1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotWave, 8},
        {"ends inside the RIFF header", std::string("RIFF\x04\x00", 6), WaveReadError::Truncated, 6},
        {"chunk ids compared by case", WavBuilder().Chunk("FMT ", kFmt8000).Chunk("DATA", kSamples).Bytes(),
         WaveReadError::NoFormat, 12 + 24 + 14},
        {"24-bit mono", WavBuilder().Fmt(1, 44100, 24).Data(kSamples).Bytes(), WaveReadError::NotSixteenBit, 34},
        {"16-bit stereo", WavBuilder().Chunk("LIST", "a").Fmt(2, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotMono, 32},
        {"8-bit stereo fails on the depth first", WavBuilder().Fmt(2, 44100, 8).Data(kSamples).Bytes(),
         WaveReadError::NotSixteenBit, 34},
        {"no fmt chunk", WavBuilder().Data(kSamples).Bytes(), WaveReadError::NoFormat, 26},
        {"no data chunk", WavBuilder().Fmt(1, 44100, 16).Chunk("LIST", "info").Bytes(), WaveReadError::NoData, 48},
        {"RIFF size of 4: no chunk is read", WavBuilder().RiffSize(4).Fmt(1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NoFormat, 12},
        {"ends inside the fmt fields", WavBuilder().Fmt(1, 44100, 16).Bytes().substr(0, 32),
         WaveReadError::Truncated, 32},
        {"ends inside a chunk header", WavBuilder().RiffSize(100).Fmt(1, 44100, 16).Bytes() + "da",
         WaveReadError::Truncated, 38},
        {"a chunk size past the end of the file ends the walk", kJunkPastTheEnd, WaveReadError::Truncated,
         kJunkPastTheEnd.size()},
    };
    for (const RejectCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CInputWave wave;
        EXPECT_FALSE(ReadHeader(dir, c.bytes, wave));
        EXPECT_FALSE(wave.m_file.IsOpen());
        EXPECT_EQ(wave.m_readOutcome.eError, c.eError);
        EXPECT_EQ(wave.m_readOutcome.nOffset, c.nOffset);
    }
}

TEST(InputWaveTest, TheReasonLines)
{
    const std::tuple<WaveReadOutcome, const char*> cases[] = {
        {{WaveReadError::NotSixteenBit, 34, 0}, "The file 'x.wav' is not in 16-bit !"},
        {{WaveReadError::NotMono, 22, 0}, "The file 'x.wav' is not mono !"},
        {{WaveReadError::CannotOpen, 0, ENOENT}, "The file 'x.wav' can't be opened: No such file or directory."},
        {{WaveReadError::NoData, 48, 0}, "The file 'x.wav' has no \"data\" chunk (the chunk walk ended at byte 48)."},
        {{WaveReadError::ReadError, 12, EIO}, "The file 'x.wav' can't be read at byte 12: Input/output error."},
        {WaveReadOutcome{}, ""},
    };
    for (const auto& [outcome, pszText] : cases)
        EXPECT_EQ(DescribeWaveReadOutcome("x.wav", outcome), pszText);

    CInputWave wave;
    wave.m_strPath = "/no/such/folder/x.wav";
    EXPECT_FALSE(wave.ReadInputHeader());
    EXPECT_EQ(wave.m_readOutcome.eError, WaveReadError::CannotOpen);
    EXPECT_EQ(wave.m_readOutcome.nSystemError, ENOENT);
}

// Files written by other programs, with what the reader must make of each.
TEST(InputWaveTest, PeerFilesAsTheManifestSays)
{
    const char* shared = std::getenv("PLEXORA_SHARED");
    const std::filesystem::path folder = std::filesystem::path(shared ? shared : "") / "testdata/peer-wav";
    std::ifstream manifest(folder / "MANIFEST.tsv");
    if (!shared || !manifest)
        GTEST_SKIP() << "no peer WAV files at " << folder;

    std::string line;
    int nRows = 0;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream row(line);
        std::string fields[7];
        for (std::string& field : fields)
            std::getline(row, field, '\t');
        const auto& [name, expect, rate, dataBytes, presentBytes, dataStart, reason] = fields;
        SCOPED_TRACE(name);
        ++nRows;

        CInputWave wave;
        wave.m_strPath = CString((folder / name).string());
        const bool bAccepted = wave.ReadInputHeader();
        ASSERT_EQ(bAccepted, expect == "accept") << reason;
        if (!bAccepted) {
            const WaveReadError eError = wave.m_readOutcome.eError;
            if (reason.starts_with("bits"))
                EXPECT_EQ(eError, WaveReadError::NotSixteenBit) << reason;
            else if (reason.starts_with("channel"))
                EXPECT_EQ(eError, WaveReadError::NotMono) << reason;
            else
                EXPECT_TRUE(eError == WaveReadError::NoFormat || eError == WaveReadError::Truncated) << reason;
            continue;
        }
        EXPECT_EQ(wave.m_nSampleRate, std::stoul(rate));
        EXPECT_EQ(wave.m_dwDataBytes, std::stoul(dataBytes));
        EXPECT_EQ(wave.m_dwPresentBytes, std::stoul(presentBytes));
        EXPECT_EQ(wave.m_file.Seek(0, CFile::current), std::stoll(dataStart));
    }
    EXPECT_GT(nRows, 20);
}

}  // namespace
