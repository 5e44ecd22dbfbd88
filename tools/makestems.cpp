// plexora-make-stems [-r RATE] [-s SECONDS] [-b BITS] [--float] FILE...
// Writes one mono WAV per FILE (16-bit PCM unless told otherwise), each a
// sine tone of its own pitch, for the demo merge and the benchmark.
#include <CLI/CLI.hpp>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "merge/outputheader.h"

namespace {

constexpr UINT kChunkSamples = 51200;
constexpr double kLevel = 0.3;  // of full scale

// One sample of v (-1 to 1) at kLevel, little-endian, into p.
void EncodeSample(double v, SampleKind eKind, UINT nBytes, BYTE* p)
{
    ULONGLONG bits = 0;
    if (eKind == SampleKind::Float && nBytes == 4) {
        bits = std::bit_cast<DWORD>(static_cast<float>(kLevel * v));
    } else if (eKind == SampleKind::Float) {
        bits = std::bit_cast<ULONGLONG>(kLevel * v);
    } else if (nBytes == 2) {
        bits = static_cast<WORD>(std::lround(9830 * v));  // the demo stems' level since the first one
    } else {
        const double fullScale = std::ldexp(1.0, static_cast<int>(8 * nBytes - 1)) - 1;
        const long long sample = std::llround(kLevel * fullScale * v);
        bits = static_cast<ULONGLONG>(nBytes == 1 ? sample + 128 : sample);  // 8-bit samples are unsigned
    }
    for (UINT i = 0; i < nBytes; ++i)
        p[i] = static_cast<BYTE>(bits >> (8 * i));
}

bool WriteStem(const std::string& strPath, DWORD nSampleRate, double seconds, double frequency, SampleKind eKind,
               WORD nBits)
{
    const UINT nBytes = nBits / 8u;
    const ULONGLONG nSamples = static_cast<ULONGLONG>(seconds * nSampleRate);
    if (nSamples * nBytes > 0xFFFFFFFF - 50)
        return false;
    OutputFormat format;
    format.nChannels = 1;
    format.nSampleRate = nSampleRate;
    format.nBitsPerSample = nBits;
    format.eKind = eKind;
    format.nDataBytes = nSamples * nBytes;
    format.bNoExtensible = true;

    COutputFile file;
    if (!file.Open(strPath.c_str(), {}) || !WriteOutputHeader(file, format))
        return false;
    std::vector<BYTE> chunk(kChunkSamples * nBytes);
    const double step = 2 * std::numbers::pi * frequency / nSampleRate;
    for (ULONGLONG first = 0; first < nSamples; first += kChunkSamples) {
        const ULONGLONG nCount = std::min<ULONGLONG>(kChunkSamples, nSamples - first);
        for (ULONGLONG i = 0; i < nCount; ++i)
            EncodeSample(std::sin(step * double(first + i)), eKind, nBytes, &chunk[i * nBytes]);
        if (!file.Write(chunk.data(), static_cast<UINT>(nCount * nBytes)))
            return false;
    }
    return file.Commit();
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app("Writes mono WAV stems, each a sine tone of its own pitch.", "plexora-make-stems");
    DWORD nSampleRate = 48000;
    double seconds = 3;
    WORD nBits = 16;
    bool bFloat = false;
    std::vector<std::string> files;
    app.add_option("-r,--rate", nSampleRate, "Sample rate in Hz")->check(CLI::Range(1u, 1000000u));
    app.add_option("-s,--seconds", seconds, "Length of every stem")->check(CLI::Range(0.0, 20000.0));
    app.add_option("-b,--bits", nBits, "Bits per sample: 8, 16, 24 or 32; 32 or 64 with --float")
        ->check(CLI::IsMember({8, 16, 24, 32, 64}));
    app.add_flag("--float", bFloat, "IEEE float samples instead of integers");
    app.add_option("files", files, "The stems to write; the n-th sounds n fourths above 220 Hz")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    if (bFloat ? nBits != 32 && nBits != 64 : nBits == 64) {
        std::fprintf(stderr, "plexora-make-stems: %u-bit %s samples are not written\n", static_cast<unsigned>(nBits),
                     bFloat ? "float" : "integer");
        return 2;
    }

    const SampleKind eKind = bFloat ? SampleKind::Float : SampleKind::Pcm;
    for (size_t i = 0; i < files.size(); ++i) {
        const double frequency = 220 * std::pow(2.0, 5.0 * static_cast<double>(i) / 12);
        if (!WriteStem(files[i], nSampleRate, seconds, frequency, eKind, nBits)) {
            std::fprintf(stderr, "plexora-make-stems: can't write '%s'\n", files[i].c_str());
            return 1;
        }
    }
    return 0;
}
