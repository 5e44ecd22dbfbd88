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

bool ReadHeader(const TempDir& dir, const std::string& bytes, CInputWave& wave)
{
    wave.m_strPath = CString(dir / "input.wav");
    WriteWholeFile(wave.m_strPath.str(), bytes);
    return wave.ReadInputHeader();
}

// What a file is read as: its format, the whole samples of its data chunk
// that it holds, the bytes where the reader leaves it, and the warnings.
struct AcceptCase {
    const char* name;
    std::string bytes;
    SampleKind eKind = SampleKind::Pcm;
    WORD nBits = 16, nValidBits = 16;
    ULONGLONG nDataBytes = 6;
    DWORD nSampleRate = 44100;
    std::string first = kSamples;
    std::vector<WaveWarning> warnings = {};
};

// The chunk walk on mono 16-bit files, then the PCM depths, 64-bit float and
// RF64's sizes in 64 bits. BW64, plain float, a crashed recorder's sizes and
// later fmt and data chunks are plexora-info's tests, as are short "fmt "
// and "ds64" chunks and RF64 without one.
TEST(InputWaveTest, AcceptsWhatTheReaderReadsAndStopsAtTheFirstSample)
{
    const std::string kPlainPcm24 = WavBuilder().FmtTag(1, 1, 44100, 24).Bytes().substr(20, 16);
    const AcceptCase cases[] = {
        {"other chunks around, odd sizes padded",
         WavBuilder().Chunk("LIST", "abc").Chunk("JUNK", "").Fmt(1, 44100, 16, 18).Chunk("bext", "12345")
             .Data(kSamples).Chunk("smpl", std::string(36, '\x55')).Chunk("LIST", "zz").Bytes()},
        {"extensible fmt of 40 bytes", WavBuilder().Fmt(1, 96000, 16, 40).Data(kSamples).Bytes(), SampleKind::Pcm, 16,
         16, 6, 96000},
        {"a part of a sample at the end is none; the pad byte skipped",
         WavBuilder().Data("\x01\x02\x03").Fmt(1, 44100, 16).Bytes(), SampleKind::Pcm, 16, 16, 2, 44100, "\x01\x02"},
        {"RIFF size up to the data: the fmt chunk after it is read",
         WavBuilder().RiffSize(4 + 14).Data(kSamples).Fmt(1, 22050, 16).Bytes(), SampleKind::Pcm, 16, 16, 6, 22050,
         kSamples, {{WaveReadWarning::ShortRiffSize, 4, 18}}},
        {"streamed: unknown data size runs to the end of the file",
         WavBuilder().RiffSize(0xFFFFFFFF).Fmt(1, 44100, 16).Data(kSamples, 0xFFFFFFFF).Bytes()},
        {"file ends inside a chunk after the data",  // 10 of its 20 bytes missing
         WavBuilder().Fmt(1, 44100, 16).Data(kSamples).Chunk("LIST", std::string(20, 'x')).Bytes().substr(0, 68)},
        {"chunks past the RIFF size, an odd one rounded down, are never looked at",
         WavBuilder().RiffSize(4 + 24 + 14 + 1).Fmt(1, 44100, 16).Data(kSamples).Data(Samples({5})).Bytes()},
        {"8-bit", WavBuilder().FmtTag(1, 1, 44100, 8).Data(kSamples).Bytes(), SampleKind::Pcm, 8, 8},
        {"24-bit: a part of a sample at the end is none",
         WavBuilder().FmtTag(1, 1, 44100, 24).Data(kSamples + "\x09\x08").Bytes(), SampleKind::Pcm, 24, 24},
        {"20 bits in a plain fmt take 24", WavBuilder().FmtTag(1, 1, 44100, 20).Data(kSamples).Bytes(),
         SampleKind::Pcm, 24, 20},
        {"20 valid bits in 24", WavBuilder().FmtExtensible(1, 44100, 24, 20, 0x4, kSubtypePcm).Data(kSamples).Bytes(),
         SampleKind::Pcm, 24, 20},
        {"valid bits 0 are all", WavBuilder().FmtExtensible(1, 44100, 32, 0, 0, kSubtypePcm).Data(kSamples).Bytes(),
         SampleKind::Pcm, 32, 32, 4},
        {"64-bit float extensible",
         WavBuilder().FmtExtensible(1, 44100, 64, 64, 0x4, kSubtypeFloat).Data(kSamples).Bytes(), SampleKind::Float, 64,
         64, 0},
        {"RF64 declaring 5 GB that the file does not hold",
         WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(5000000100, 5000000010, 1666666670)
             .Chunk("fmt ", kPlainPcm24).Data(kSamples, 0xFFFFFFFF).Bytes(),
         SampleKind::Pcm, 24, 24, 6, 44100, kSamples, {{WaveReadWarning::MissingDataBytes, 72, 5000000010 - 6}}},
        {"RF64: the data size in ds64, and chunks past its RIFF size never looked at",
         WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(4 + 36 + 24 + 14, 6, 2).Chunk("fmt ", kPlainPcm24)
             .Data(kSamples, 0xFFFFFFFF).Chunk("fmt ", kFmt8000).Bytes(),
         SampleKind::Pcm, 24, 24},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CInputWave wave;
        ASSERT_TRUE(ReadHeader(dir, c.bytes, wave)) << DescribeWaveReadOutcome("", wave.m_readOutcome).str();
        EXPECT_EQ(wave.m_eSampleKind, c.eKind);
        EXPECT_EQ(wave.m_nBitsPerSample, c.nBits);
        EXPECT_EQ(wave.m_nValidBitsPerSample, c.nValidBits);
        EXPECT_EQ(wave.m_nSampleRate, c.nSampleRate);
        EXPECT_EQ(wave.m_nDataBytes, c.nDataBytes);
        EXPECT_EQ(wave.m_warnings, c.warnings);
        std::string first(c.first.size(), '\0');
        EXPECT_EQ(wave.m_file.Read(first.data(), static_cast<UINT>(first.size())), first.size());
        EXPECT_EQ(first, c.first);
    }
}

struct RejectCase {
    const char* name;
    std::string bytes;
    WaveReadError eError;
    ULONGLONG nOffset;  // where the reader decided
    DWORD dwValue = 0;  // of the field that decided
    const char* reason = nullptr;  // of 'x.wav', where no test of the programs shows it
};

// What the reader refuses, where it decided and on which field's value; the
// file is closed.
TEST(InputWaveTest, RejectsWithTheReasonWhereItWasDecidedAndClosesTheFile)
{
    const std::string kJunkPastTheEnd =
        WavBuilder().RiffSize(0xFFFFFFFF).Chunk("JUNK", "", 0xFFFFFFF0).Fmt(1, 44100, 16).Data(kSamples).Bytes();
    const std::string kAmbisonicB = Hex("01 00 00 00 21 07 D3 11 86 44 C8 C1 CA 00 00 00");
    const std::string kSubtypeAdpcm = Hex("02 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71");
    const std::string kExtensible18 = WavBuilder().Fmt(1, 48000, 16, 40).Bytes().substr(20, 18);
    const RejectCase cases[] = {
        {"empty file", "", WaveReadError::NotRiff, 0},
        {"lower-case riff", WavBuilder().RiffTag("riff").Fmt(1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotRiff, 0},
        {"lower-case wave", WavBuilder().FormType("wave").Fmt(1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotWave, 8},
        {"ends inside the RIFF header", std::string("RIFF\x04\x00", 6), WaveReadError::Truncated, 6},
        {"chunk ids compared by case", WavBuilder().Chunk("FMT ", kFmt8000).Chunk("DATA", kSamples).Bytes(),
         WaveReadError::NoFormat, 12 + 24 + 14},
        {"16-bit stereo", WavBuilder().Chunk("LIST", "a").Fmt(2, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::NotMono, 32, 2},
        {"no data chunk", WavBuilder().Fmt(1, 44100, 16).Chunk("LIST", "info").Bytes(), WaveReadError::NoData, 48, 0,
         "The file 'x.wav' has no \"data\" chunk (the chunk walk ended at byte 48)."},
        {"ends inside the fmt fields", WavBuilder().Fmt(1, 44100, 16).Bytes().substr(0, 32),
         WaveReadError::Truncated, 32},
        {"ends inside a chunk header", WavBuilder().RiffSize(100).Fmt(1, 44100, 16).Bytes() + "da",
         WaveReadError::Truncated, 38},
        {"a chunk size past the end of the file ends the walk", kJunkPastTheEnd, WaveReadError::Truncated,
         kJunkPastTheEnd.size()},
        {"an unknown tag", WavBuilder().FmtTag(0x1234, 1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::UnsupportedFormat, 20, 0x1234,
         "The file 'x.wav' has the format tag 0x1234, which is neither PCM nor IEEE float."},
        {"an ADPCM SubFormat", WavBuilder().FmtExtensible(1, 44100, 16, 16, 4, kSubtypeAdpcm).Data(kSamples).Bytes(),
         WaveReadError::UnsupportedFormat, 44, 2},
        {"an Ambisonics SubFormat", WavBuilder().FmtExtensible(1, 44100, 16, 16, 4, kAmbisonicB).Data(kSamples).Bytes(),
         WaveReadError::UnknownSubFormat, 44, 0,
         "The file 'x.wav' has a WAVE_FORMAT_EXTENSIBLE SubFormat (at byte 44) that is neither PCM nor IEEE float."},
        {"an extensible fmt of 18 bytes", WavBuilder().Chunk("fmt ", kExtensible18).Data(kSamples).Bytes(),
         WaveReadError::ShortExtensible, 16, 18,
         "The file 'x.wav' has a WAVE_FORMAT_EXTENSIBLE \"fmt \" chunk of 18 bytes, short of 40."},
        {"0 bits", WavBuilder().FmtTag(1, 1, 44100, 0, 16, 2).Data(kSamples).Bytes(),
         WaveReadError::UnsupportedPcmDepth, 34, 0},
        {"12 bits in an extensible container",
         WavBuilder().FmtExtensible(1, 44100, 12, 12, 4, kSubtypePcm).Data(kSamples).Bytes(),
         WaveReadError::UnsupportedPcmDepth, 34, 12,
         "The file 'x.wav' has PCM samples of 12 bits; 8, 16, 24 and 32 bits can be read."},
        {"16-bit float", WavBuilder().FmtTag(3, 1, 44100, 16).Data(kSamples).Bytes(),
         WaveReadError::UnsupportedFloatDepth, 34, 16,
         "The file 'x.wav' has IEEE float samples of 16 bits; 32 and 64 bits can be read."},
        {"25 valid bits in 24", WavBuilder().FmtExtensible(1, 44100, 24, 25, 4, kSubtypePcm).Data(kSamples).Bytes(),
         WaveReadError::OddValidBits, 38, 25,
         "The file 'x.wav' states 25 valid bits per sample, which its samples cannot hold."},
        {"float, 24 valid bits", WavBuilder().FmtExtensible(1, 44100, 32, 24, 4, kSubtypeFloat).Data(kSamples).Bytes(),
         WaveReadError::OddValidBits, 38, 24},
        {"no channels", WavBuilder().FmtTag(1, 0, 44100, 16, 16, 0).Data(kSamples).Bytes(), WaveReadError::NoChannels,
         22, 0, "The file 'x.wav' has no channels."},
        {"24 bits in 4 bytes of a plain fmt", WavBuilder().FmtTag(1, 1, 44100, 24, 16, 4).Data(kSamples).Bytes(),
         WaveReadError::OddBlockAlign, 32, 4,
         "The file 'x.wav' states a block alignment of 4 bytes, which does not match its channels and bits per "
         "sample."},
        {"a sample rate of 0", WavBuilder().FmtTag(1, 1, 0, 24).Data(kSamples).Bytes(), WaveReadError::ZeroSampleRate,
         24, 0, "The file 'x.wav' has a sample rate of 0 Hz."},
        {"the first fmt chunk is judged",
         WavBuilder().FmtTag(7, 1, 8000, 8).Fmt(1, 44100, 16).Data(kSamples).Bytes(), WaveReadError::UnsupportedFormat,
         20, 7},
        {"RF64 ending inside its ds64", WavBuilder().RiffTag("RF64").Ds64(0, 0, 0).Bytes().substr(0, 30),
         WaveReadError::Truncated, 30},
        {"an extensible fmt ending inside its extension", WavBuilder().Fmt(1, 44100, 16, 40).Bytes().substr(0, 50),
         WaveReadError::Truncated, 50},
    };
    for (const RejectCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        CInputWave wave;
        EXPECT_FALSE(ReadHeader(dir, c.bytes, wave));
        EXPECT_FALSE(wave.m_file.IsOpen());
        EXPECT_EQ(wave.m_readOutcome.eError, c.eError);
        EXPECT_EQ(wave.m_readOutcome.nOffset, c.nOffset);
        EXPECT_EQ(wave.m_readOutcome.dwValue, c.dwValue);
        if (c.reason) {
            EXPECT_EQ(DescribeWaveReadOutcome("x.wav", wave.m_readOutcome), c.reason);
        }
    }
    // A read failing half way, and a warning, with the singular of "bytes".
    EXPECT_EQ(DescribeWaveReadOutcome("x.wav", {WaveReadError::ReadError, 12, EIO}),
              "The file 'x.wav' can't be read at byte 12: Input/output error.");
    EXPECT_EQ(DescribeWaveWarning("x.wav", {WaveReadWarning::MissingDataBytes, 36, 1}),
              "The file 'x.wav' holds 1 byte fewer than its data chunk states; its data ends where the file does.");
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
        // The manifest speaks of a reader of 16 bits only: a depth it refuses
        // may be one this reader takes.
        if (reason.starts_with("bits")) {
            EXPECT_TRUE(!bAccepted || wave.m_nBitsPerSample != 16) << reason;
            continue;
        }
        ASSERT_EQ(bAccepted, expect == "accept") << reason;
        if (!bAccepted) {
            const WaveReadError eError = wave.m_readOutcome.eError;
            if (reason.starts_with("channel"))
                EXPECT_EQ(eError, WaveReadError::NotMono) << reason;
            else
                EXPECT_TRUE(eError == WaveReadError::NoFormat || eError == WaveReadError::Truncated) << reason;
            continue;
        }
        EXPECT_EQ(wave.m_nSampleRate, std::stoul(rate));
        EXPECT_EQ(wave.m_nDataBytes, std::stoul(presentBytes));
        EXPECT_EQ(wave.m_file.Seek(0, CFile::current), std::stoll(dataStart));
    }
    EXPECT_GT(nRows, 20);
}

}  // namespace
