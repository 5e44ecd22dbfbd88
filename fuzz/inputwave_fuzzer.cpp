// ReadInputHeader on arbitrary bytes under both format rules, and the
// general header reader for any channel count: no crash, hang, leak or
// stray read, and the records are left as promised either way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzcheck.h"
#include "merge/inputwave.h"
#include "tests/support/tempdir.h"

namespace {

bool IsDeliveredFormat(SampleKind eKind, WORD nBits, WORD nValidBits)
{
    const bool bDepth = eKind == SampleKind::Float ? nBits == 32 || nBits == 64
                                                   : nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
    const bool bValid = eKind == SampleKind::Float ? nValidBits == nBits : nValidBits >= 1 && nValidBits <= nBits;
    return bDepth && bValid;
}

void CheckInput(const std::string& path, const std::string& bytes, WaveFormatRule eRule)
{
    CInputWave wave;
    wave.m_strPath = CString(path);
    wave.m_eFormatRule = eRule;
    if (!wave.ReadInputHeader()) {
        FuzzCheck(!wave.m_file.IsOpen(), "a refused file is closed");
        FuzzCheck(!wave.m_readOutcome.Succeeded() && wave.m_readOutcome.nOffset <= bytes.size(),
                  "a refusal has a reason, decided within the file");
        FuzzCheck(!DescribeWaveReadOutcome(wave.m_strPath, wave.m_readOutcome).IsEmpty(), "every reason has a text");
        return;
    }
    FuzzCheck(wave.m_file.IsOpen(), "an accepted file stays open");
    FuzzCheck(wave.m_nChannels == 1, "only mono is accepted");
    if (eRule == WaveFormatRule::SixteenBitMono)
        FuzzCheck(wave.m_nBitsPerSample == 16 && wave.m_eSampleKind == SampleKind::Pcm, "only 16-bit is accepted");
    else
        FuzzCheck(IsDeliveredFormat(wave.m_eSampleKind, wave.m_nBitsPerSample, wave.m_nValidBitsPerSample) &&
                      wave.m_nSampleRate != 0,
                  "only delivered formats of a sample rate are accepted");
    FuzzCheck(wave.m_readOutcome.Succeeded(), "no reason given for an accepted file");
    FuzzCheck(wave.m_dwPadBytes == 0 && wave.m_block.empty(), "no padding and no block yet");
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
}

// The reader for any channel count: every chunk it lists is where it says.
void CheckHeader(const std::string& path, const std::string& bytes)
{
    CFile file;
    FuzzCheck(file.Open(path.c_str(), CFile::modeRead), "the file opens");
    WaveHeader header;
    if (!ReadWaveHeader(file, WaveFormatRule::Delivered, header).Succeeded())
        return;
    FuzzCheck(header.format.nChannels > 0, "a read header has channels");
    for (const WaveChunk& chunk : header.chunks)
        FuzzCheck(chunk.nOffset + 8 <= bytes.size() && bytes.compare(chunk.nOffset, 4, chunk.id.data(), 4) == 0,
                  "every chunk listed has its header where the list says");
    FuzzCheck(header.nUnlistedChunks == 0 || header.chunks.size() == kMaxListedChunks,
              "chunks go unlisted only past the limit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const TempDir dir;
    const std::string path = dir / "input.wav";
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    WriteWholeFile(path, bytes);

    CheckInput(path, bytes, WaveFormatRule::SixteenBitMono);
    CheckInput(path, bytes, WaveFormatRule::Delivered);
    CheckHeader(path, bytes);
    return 0;
}
