// ReadInputHeader on arbitrary bytes, and the general header reader for any
// channel count: no crash, hang, leak or stray read, the records left as
// promised either way, and a mono input exactly where the header is mono.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzzcheck.h"
#include "fuzz/scratchfile.h"
#include "merge/inputwave.h"

namespace {

bool IsDeliveredFormat(SampleKind eKind, WORD nBits, WORD nValidBits)
{
    const bool bDepth = eKind == SampleKind::Float ? nBits == 32 || nBits == 64
                                                   : nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
    const bool bValid = eKind == SampleKind::Float ? nValidBits == nBits : nValidBits >= 1 && nValidBits <= nBits;
    return bDepth && bValid;
}

// True when the file was accepted as an input.
bool CheckInput(const std::string& path, const std::string& bytes)
{
    CInputWave wave;
    wave.m_strPath = CString(path);
    if (!wave.ReadInputHeader()) {
        FuzzCheck(!wave.m_file.IsOpen(), "a refused file is closed");
        FuzzCheck(!wave.m_readOutcome.Succeeded() && wave.m_readOutcome.nOffset <= bytes.size(),
                  "a refusal has a reason, decided within the file");
        FuzzCheck(!DescribeWaveReadOutcome(wave.m_strPath, wave.m_readOutcome).IsEmpty(), "every reason has a text");
        return false;
    }
    FuzzCheck(wave.m_file.IsOpen(), "an accepted file stays open");
    FuzzCheck(IsDeliveredFormat(wave.m_eSampleKind, wave.m_nBitsPerSample, wave.m_nValidBitsPerSample) &&
                  wave.m_nSampleRate != 0,
              "only delivered formats of a sample rate are accepted");
    FuzzCheck(wave.m_readOutcome.Succeeded(), "no reason given for an accepted file");
    FuzzCheck(wave.m_block.empty(), "no block yet");
    const LONGLONG lDataStart = wave.m_file.Seek(0, CFile::current);
    FuzzCheck(lDataStart >= 20 && static_cast<std::size_t>(lDataStart) <= bytes.size(),
              "the data starts after a chunk header and within the file");
    FuzzCheck(bytes.compare(static_cast<std::size_t>(lDataStart) - 8, 4, "data") == 0,
              "the data start follows a \"data\" chunk header");
    FuzzCheck(wave.m_nDataBytes <= bytes.size() - static_cast<std::size_t>(lDataStart) &&
                  wave.m_nDataBytes % (wave.m_nBitsPerSample / 8u) == 0,
              "the data are whole samples that the file holds");
    if (wave.m_bextChunk)
        FuzzCheck(wave.m_bextChunk->nOffset + 8 + wave.m_bextChunk->nSize <= bytes.size() &&
                      bytes.compare(wave.m_bextChunk->nOffset, 4, "bext") == 0,
                  "a bext chunk is one the file holds whole");
    return true;
}

// The reader for any channel count: every chunk it lists is where it says;
// the channel count of a header it read.
std::optional<WORD> CheckHeader(const std::string& path, const std::string& bytes)
{
    CFile file;
    FuzzCheck(file.Open(path.c_str(), CFile::modeRead), "the file opens");
    WaveHeader header;
    if (!ReadWaveHeader(file, header).Succeeded())
        return std::nullopt;
    FuzzCheck(header.format.nChannels > 0, "a read header has channels");
    for (const WaveChunk& chunk : header.chunks)
        FuzzCheck(chunk.nOffset + 8 <= bytes.size() && bytes.compare(chunk.nOffset, 4, chunk.id.data(), 4) == 0,
                  "every chunk listed has its header where the list says");
    FuzzCheck(header.nUnlistedChunks == 0 || header.chunks.size() == kMaxListedChunks,
              "chunks go unlisted only past the limit");
    return header.format.nChannels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const TempDir dir;
    static const ScratchFile input(dir, "input.wav");
    const std::string& path = input.Path();
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    input.Write(bytes);

    const bool bInput = CheckInput(path, bytes);
    const std::optional<WORD> nChannels = CheckHeader(path, bytes);
    FuzzCheck(bInput == (nChannels == 1), "an input is accepted exactly when its header is read and mono");
    return 0;
}
