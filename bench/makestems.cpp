// plexora-make-stems [-r RATE] [-s SECONDS] FILE...
// Writes one mono 16-bit WAV per FILE, each a sine tone of its own pitch,
// for the demo merge and the benchmark.
#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "merge/outputheader.h"

namespace {

constexpr UINT kChunkSamples = 51200;

bool WriteStem(const std::string& strPath, DWORD nSampleRate, double seconds, double frequency)
{
    const ULONGLONG nSamples = static_cast<ULONGLONG>(seconds * nSampleRate);
    if (nSamples * 2 > 0xFFFFFFFF - 36)
        return false;
    OutputFormat format;
    format.nChannels = 1;
    format.nSampleRate = nSampleRate;
    format.nBitsPerSample = 16;
    format.dwDataBytes = static_cast<DWORD>(nSamples * 2);
    format.bNoExtensible = true;

    COutputFile file;
    if (!file.Open(strPath.c_str(), {}) || !WriteOutputHeader(file, format))
        return false;
    std::vector<BYTE> chunk(kChunkSamples * 2);
    const double step = 2 * std::numbers::pi * frequency / nSampleRate;
    for (ULONGLONG first = 0; first < nSamples; first += kChunkSamples) {
        const ULONGLONG nCount = std::min<ULONGLONG>(kChunkSamples, nSamples - first);
        for (ULONGLONG i = 0; i < nCount; ++i) {
            const auto sample = static_cast<short>(std::lround(9830 * std::sin(step * double(first + i))));
            chunk[2 * i] = static_cast<BYTE>(sample & 0xFF);
            chunk[2 * i + 1] = static_cast<BYTE>((sample >> 8) & 0xFF);
        }
        if (!file.Write(chunk.data(), static_cast<UINT>(nCount * 2)))
            return false;
    }
    return file.Commit();
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app("Writes mono 16-bit WAV stems, each a sine tone of its own pitch.", "plexora-make-stems");
    DWORD nSampleRate = 48000;
    double seconds = 3;
    std::vector<std::string> files;
    app.add_option("-r,--rate", nSampleRate, "Sample rate in Hz")->check(CLI::Range(1u, 1000000u));
    app.add_option("-s,--seconds", seconds, "Length of every stem")->check(CLI::Range(0.0, 20000.0));
    app.add_option("files", files, "The stems to write; the n-th sounds n fourths above 220 Hz")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }

    for (size_t i = 0; i < files.size(); ++i) {
        const double frequency = 220 * std::pow(2.0, 5.0 * static_cast<double>(i) / 12);
        if (!WriteStem(files[i], nSampleRate, seconds, frequency)) {
            std::fprintf(stderr, "plexora-make-stems: can't write '%s'\n", files[i].c_str());
            return 1;
        }
    }
    return 0;
}
