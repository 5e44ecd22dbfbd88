// A whole merge of two fuzzed inputs, with or without the first input's "bext" chunk. Beyond surviving it, the merge
// must succeed exactly when both files read as mono of one sample format
// and rate, show one message otherwise, leave no output after a failure,
// never touch its inputs, and write each channel as its file holds it,
// then the format's silence.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz/fuzzcheck.h"
#include "fuzz/scratchfile.h"
#include "fuzz/twoinputs.h"
#include "merge/mergeengine.h"
#include "tests/support/mergecheck.h"
#include "tests/support/tempdir.h"
#include "tests/support/testhost.h"

namespace {

// Longer claims only make the merge write more silence; a little more than
// one block reaches the second block, and more costs time and finds nothing new.
constexpr ULONGLONG kMaxClaimedBytes = kMergeBlockBytes + 4;

// What the reader makes of one file, taken before the merge.
struct Probe {
    bool bAccepted = false;
    DWORD nSampleRate = 0;
    SampleKind eKind = SampleKind::Pcm;
    WORD nBits = 0;
    WORD nValidBits = 0;
    ULONGLONG nDataBytes = 0;
    std::string present;  // the data bytes the file holds
    std::string bext;     // its first "bext" chunk, header and pad byte included
};

Probe ProbeInput(const std::string& path, const std::string& bytes)
{
    Probe probe;
    CInputWave wave;
    wave.m_strPath = CString(path);
    if (!wave.ReadInputHeader())
        return probe;
    probe.bAccepted = true;
    probe.nSampleRate = wave.m_nSampleRate;
    probe.eKind = wave.m_eSampleKind;
    probe.nBits = wave.m_nBitsPerSample;
    probe.nValidBits = wave.m_nValidBitsPerSample;
    probe.nDataBytes = wave.m_nDataBytes;
    const auto start = static_cast<std::size_t>(wave.m_file.Seek(0, CFile::current));
    probe.present = bytes.substr(start, std::min<ULONGLONG>(wave.m_nDataBytes, bytes.size() - start));
    if (wave.m_bextChunk) {
        const std::size_t nSize = wave.m_bextChunk->nSize;
        probe.bext = bytes.substr(wave.m_bextChunk->nOffset, 8 + nSize) + std::string(nSize % 2, '\0');
    }
    return probe;
}

bool HaveOneFormat(const Probe& a, const Probe& b)
{
    return a.nSampleRate == b.nSampleRate && a.eKind == b.eKind && a.nBits == b.nBits && a.nValidBits == b.nValidBits;
}

// The header's length before the "bext" chunk and the "data" chunk header.
std::size_t FormatPartBytes(const Probe& probe, bool bPlain)
{
    if (!bPlain)
        return 12 + 8 + 40;
    return probe.eKind == SampleKind::Float ? 12 + 8 + 18 + 12 : 12 + 8 + 16;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const TempDir dir;
    static const ScratchFile inputs[] = {{dir, "a.wav"}, {dir, "b.wav"}};
    const TwoInputs files = SplitInputs(pData, nSize);
    const std::string paths[] = {inputs[0].Path(), inputs[1].Path()};
    const std::string output = dir / "out.wav";
    inputs[0].Write(files.first);
    inputs[1].Write(files.second);
    const Probe probes[] = {ProbeInput(paths[0], files.first), ProbeInput(paths[1], files.second)};
    const bool bMergeable = probes[0].bAccepted && probes[1].bAccepted && HaveOneFormat(probes[0], probes[1]);
    const ULONGLONG nLongest = std::max(probes[0].nDataBytes, probes[1].nDataBytes);
    if (bMergeable && nLongest > kMaxClaimedBytes)
        return 0;

    TestHost host;
    host.outputPath = output;
    host.bPlain = files.bPlain;
    host.bCarryBext = files.bCarryBext;
    CMergeEngine engine(host);
    const bool bMerged = engine.Merge({CString(paths[0]), CString(paths[1])}).Succeeded();

    FuzzCheck(bMerged == bMergeable, "the merge succeeds exactly when both inputs fit together");
    const std::size_t nWarnings = engine.GetInput(0).m_warnings.size() + engine.GetInput(1).m_warnings.size();
    FuzzCheck(host.messages.size() == (bMerged ? nWarnings : 1u),
              "one message for a failed merge, one per warning otherwise");
    FuzzCheck(!engine.HoldsResources(), "every file is closed and every buffer released");
    FuzzCheck(ReadWholeFile(paths[0]) == files.first && ReadWholeFile(paths[1]) == files.second,
              "the inputs are untouched");
    FuzzCheck(std::filesystem::exists(output) == bMerged, "an output exists exactly after a success");
    if (!bMerged)
        return 0;

    const Probe& first = probes[0];
    const std::string written = ReadWholeFile(output);
    const std::string bext = files.bCarryBext ? first.bext : "";
    const std::size_t nFormatPart = FormatPartBytes(first, files.bPlain);
    const std::size_t nHeader = nFormatPart + bext.size() + 8;
    const std::size_t nData = 2 * static_cast<std::size_t>(nLongest);
    const std::size_t nSampleBytes = first.nBits / 8;
    const char silence = first.eKind == SampleKind::Pcm && first.nBits == 8 ? '\x80' : '\0';
    FuzzCheck(written.size() == nHeader + nData + nData % 2,
              "the output holds the header, both channels in full and a pad byte after odd data");
    FuzzCheck(written.compare(0, 4, "RIFF") == 0 && written.compare(nHeader - 8, 4, "data") == 0,
              "a RIFF output with its data chunk last in the header");
    FuzzCheck(written.compare(nFormatPart, bext.size(), bext) == 0, "the first input's bext chunk when carried");
    FuzzCheck(written.compare(nHeader, nData,
                              ExpectedData({probes[0].present, probes[1].present}, nLongest, nSampleBytes, silence)) ==
                  0,
              "each channel carries its file's data, then silence");
    std::filesystem::remove(output);
    return 0;
}
