// plexora-fuzz-seeds FOLDER
// Writes the fuzzers' starting corpora into FOLDER/inputwave, FOLDER/settings
// and FOLDER/merge: WAV files of every chunk layout, sample format and
// container the tests use, settings files as written and as typed by hand,
// and pairs of WAV files.
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/twoinputs.h"
#include "layout/settings.h"
#include "tests/support/mergecheck.h"
#include "tests/support/tempdir.h"
#include "tests/support/wavbuilder.h"

namespace {

namespace fs = std::filesystem;

using Seeds = std::vector<std::pair<std::string, std::string>>;  // name, bytes

Seeds WavSeeds()
{
    const std::string samples = Samples({0x1234, -2, 7, -32768, 32767});
    const std::string block = PatternBytes(2 * 1024 + 1, 5);
    const std::string plain = WavBuilder().Fmt(1, 44100, 16).Data(samples).Bytes();
    return {
        {"plain", plain},
        {"around", WavBuilder().Chunk("LIST", "abc").Chunk("JUNK", "").Fmt(1, 48000, 16, 18).Chunk("bext", "12345")
                       .Data(samples).Chunk("smpl", std::string(36, '\x55')).Chunk("LIST", "zz").Bytes()},
        {"extensible", WavBuilder().Fmt(1, 96000, 16, 40).Data(samples).Bytes()},
        {"fmt-after-data", WavBuilder().Data(samples).Fmt(1, 22050, 16).Bytes()},
        {"two-data", WavBuilder().Fmt(1, 44100, 16).Data(Samples({1, 1})).Data(samples).Bytes()},
        {"odd-data", WavBuilder().Data("\x01\x02\x03").Fmt(1, 44100, 16).Bytes()},
        {"claims-more", WavBuilder().Fmt(1, 44100, 16).Data(samples, 1000).Bytes()},
        {"claims-block", WavBuilder().Fmt(1, 44100, 16).Data(block, 102401).Bytes()},
        {"streamed", WavBuilder().RiffSize(0xFFFFFFFF).Fmt(1, 44100, 16).Data(samples, 0xFFFFFFFF).Bytes()},
        {"truncated-after-data",
         WavBuilder().Fmt(1, 44100, 16).Data(samples).Chunk("LIST", std::string(20, 'x')).Bytes().substr(0, 60)},
        {"short-fmt-size", WavBuilder().Chunk("fmt ", plain.substr(20, 16), 0).Data(samples).Bytes()},
        {"odd-riff-size", WavBuilder().RiffSize(static_cast<std::uint32_t>(plain.size() - 7))
                              .Fmt(1, 44100, 16).Data(samples).Bytes()},
        {"past-riff-size", WavBuilder().RiffSize(4 + 24 + 18).Fmt(1, 44100, 16).Data(samples).Data("zz").Bytes()},
        {"riff-size-4", WavBuilder().RiffSize(4).Fmt(1, 44100, 16).Data(samples).Bytes()},
        {"huge-junk", WavBuilder().RiffSize(0xFFFFFFFF).Chunk("JUNK", "", 0xFFFFFFF0).Fmt(1, 44100, 16).Bytes()},
        {"24-bit", WavBuilder().Fmt(1, 44100, 24).Data(samples).Bytes()},
        {"stereo", WavBuilder().Fmt(2, 44100, 16).Data(samples).Bytes()},
        {"8-bit-stereo", WavBuilder().Fmt(2, 44100, 8).Data(samples).Bytes()},
        {"lower-case", WavBuilder().RiffTag("riff").FormType("wave").Fmt(1, 44100, 16).Data(samples).Bytes()},
        {"no-fmt", WavBuilder().Data(samples).Bytes()},
        {"no-data", WavBuilder().Fmt(1, 44100, 16).Chunk("LIST", "info").Bytes()},
        {"rate-48k", WavBuilder().Fmt(1, 48000, 16).Data(block).Bytes()},
    };
}

// The formats and containers the reader takes, and what it refuses.
Seeds DeliveredSeeds()
{
    const std::string samples = PatternBytes(48, 7);
    const std::string pcm24 = WavBuilder().FmtTag(1, 1, 48000, 24).Bytes().substr(20, 16);
    return {
        {"u8", WavBuilder().FmtTag(1, 1, 8000, 8).Data(samples).Bytes()},
        {"s24", WavBuilder().FmtTag(1, 1, 48000, 24, 18).Data(samples).Bytes()},
        {"s20-in-24", WavBuilder().FmtExtensible(1, 48000, 24, 20, 0x4, kSubtypePcm).Data(samples).Bytes()},
        {"s24-in-32", WavBuilder().FmtExtensible(1, 48000, 32, 24, 0x4, kSubtypePcm).Data(samples).Bytes()},
        {"s32", WavBuilder().FmtTag(1, 1, 48000, 32).Data(samples).Bytes()},
        {"f32-fact", WavBuilder().FmtTag(3, 1, 48000, 32, 18).Chunk("fact", Le32(12)).Data(samples).Bytes()},
        {"f64", WavBuilder().FmtExtensible(1, 48000, 64, 64, 0x4, kSubtypeFloat).Data(samples).Bytes()},
        {"rf64", WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(4 + 36 + 24 + 8 + 48, 48, 16)
                     .Chunk("fmt ", pcm24).Data(samples, 0xFFFFFFFF).Bytes()},
        {"rf64-claims-more", WavBuilder().RiffTag("RF64").RiffSize(0xFFFFFFFF).Ds64(0x100000100, 0x100000000, 0)
                                 .Chunk("fmt ", pcm24).Data(samples, 0xFFFFFFFF).Bytes()},
        {"bw64", WavBuilder().RiffTag("BW64").Ds64(0, 0, 0).FmtTag(3, 1, 48000, 64, 18).Data(samples).Bytes()},
        {"rf64-no-ds64", WavBuilder().RiffTag("RF64").Chunk("fmt ", pcm24).Data(samples).Bytes()},
        {"bext", WavBuilder().Chunk("bext", std::string(603, 'b')).FmtTag(1, 1, 48000, 24).Data(samples).Bytes()},
        {"a-law", WavBuilder().FmtTag(6, 1, 8000, 8).Data(samples).Bytes()},
        {"mu-law", WavBuilder().FmtTag(7, 1, 8000, 8).Data(samples).Bytes()},
        {"adpcm-subformat", WavBuilder().FmtExtensible(1, 44100, 16, 16, 0x4,
                                                       Hex("02 00 00 00 00 00 10 00 80 00 00 AA 00 38 9B 71"))
                                .Data(samples).Bytes()},
        {"unknown-subformat", WavBuilder().FmtExtensible(1, 44100, 16, 16, 0x4, std::string(16, '\x5A'))
                                  .Data(samples).Bytes()},
        {"short-extensible", WavBuilder().Chunk("fmt ", WavBuilder().Fmt(1, 48000, 16, 40).Bytes().substr(20, 18))
                                 .Data(samples).Bytes()},
        {"24-in-4-bytes", WavBuilder().FmtTag(1, 1, 48000, 24, 16, 4).Data(samples).Bytes()},
        {"rate-0", WavBuilder().FmtTag(1, 1, 0, 24).Data(samples).Bytes()},
        {"stereo-24", WavBuilder().FmtExtensible(2, 48000, 24, 24, 0x3, kSubtypePcm).Data(samples).Bytes()},
    };
}

CSettings AwkwardSettings()
{
    CSettings settings;
    settings.m_bAutoLoading = true;
    settings.m_bNoExtensible = true;
    const char* suffixes[] = {"", "  padded  ", "a = b", "=", " ", "x\ty", "_L", "%s%d"};
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        settings.m_strSuffixes[i] = suffixes[i % 8];
    const std::pair<const char*, DWORD> configurations[] = {
        {"", 0}, {" lead", 0x80000000}, {"trail ", 0xFFFFFFFF}, {"with = sign", 0xFFFC0003}, {"surround 5.1", 0x3F}};
    for (const auto& [pszName, dwMask] : configurations)
        settings.AddConfiguration(pszName, dwMask);
    settings.m_nDefaultConfiguration = 4;
    return settings;
}

std::string SavedBytes(const CSettings& settings)
{
    TempDir dir;
    settings.SaveSettings((dir / "settings.pxr").c_str());
    return ReadWholeFile(dir / "settings.pxr");
}

std::string WithoutCarriageReturns(std::string bytes)
{
    std::erase(bytes, '\r');
    return bytes;
}

Seeds SettingsSeeds()
{
    CSettings builtIn;
    builtIn.LoadDefaultSettings();
    const std::string written = SavedBytes(builtIn);
    return {
        {"built-in", written},
        {"built-in-lf", WithoutCarriageReturns(written)},
        {"awkward", SavedBytes(AwkwardSettings())},
        {"empty", ""},
        {"by-hand",
         "[options]\r\n[Options] \r\nauto padding = 2\r\nauto loading=1\r\nauto export = 1 ;\r\n"
         "[Suffixes]\r\nFront Left of Center = FLC\r\nFront Right = FR\r\nFront Left = late\r\n"
         "[Configurations]\r\ndefault configuration = -1\r\nconfiguration #0 = skipped\r\n"
         "number of configurations = 3\r\ndefault configuration = 0\r\n"
         "configuration #0 = a\r\nchannel mask #0 = 4294967295\r\nconfiguration #1 = b\r\n"
         "channel mask #x = 1\r\nconfiguration #2 = c"},
        {"negative-count", "[Configurations]\nnumber of configurations = -5\ndefault configuration = 0\n"
                           "configuration #0 = a\nchannel mask #0 = 3\n"},
    };
}

Seeds MergeSeeds(const Seeds& wavs, const Seeds& delivered)
{
    Seeds seeds;
    const std::string& plain = wavs.front().second;
    for (const auto& [name, bytes] : wavs) {
        seeds.emplace_back(name + "+plain", JoinInputs({false, false, bytes, plain}));
        seeds.emplace_back("plain+" + name + "-old-style", JoinInputs({true, false, plain, bytes}));
    }
    // Each delivered format with itself, plain or extensible, its bext chunk carried.
    for (const auto& [name, bytes] : delivered) {
        seeds.emplace_back(name + "+itself", JoinInputs({false, true, bytes, bytes}));
        seeds.emplace_back(name + "+itself-plain", JoinInputs({true, false, bytes, bytes}));
        seeds.emplace_back(name + "+s24", JoinInputs({false, false, bytes, delivered[1].second}));
    }
    return seeds;
}

bool WriteSeeds(const fs::path& folder, const Seeds& seeds)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const auto& [name, bytes] : seeds) {
        WriteWholeFile((folder / name).string(), bytes);
        if (fs::file_size(folder / name, ec) != bytes.size())
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plexora-fuzz-seeds FOLDER\n");
        return 2;
    }
    const fs::path folder = argv[1];
    const Seeds wavs = WavSeeds();
    const Seeds delivered = DeliveredSeeds();
    Seeds allWavs = wavs;
    allWavs.insert(allWavs.end(), delivered.begin(), delivered.end());
    if (!WriteSeeds(folder / "inputwave", allWavs) || !WriteSeeds(folder / "settings", SettingsSeeds()) ||
        !WriteSeeds(folder / "merge", MergeSeeds(wavs, delivered))) {
        std::fprintf(stderr, "plexora-fuzz-seeds: can't write the seeds into '%s'\n", argv[1]);
        return 1;
    }
    return 0;
}
