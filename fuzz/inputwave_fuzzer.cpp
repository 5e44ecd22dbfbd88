// ReadInputHeader on arbitrary bytes: no crash, hang, leak or stray read,
// and the record is left as promised either way.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzzcheck.h"
#include "merge/inputwave.h"
#include "tests/support/tempdir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    static const TempDir dir;
    const std::string path = dir / "input.wav";
    const std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    WriteWholeFile(path, bytes);

    CInputWave wave;
    wave.m_strPath = CString(path);
    if (!wave.ReadInputHeader()) {
        FuzzCheck(!wave.m_file.IsOpen(), "a refused file is closed");
        FuzzCheck(!wave.m_readOutcome.Succeeded() && wave.m_readOutcome.nOffset <= nSize,
                  "a refusal has a reason, decided within the file");
        FuzzCheck(!DescribeWaveReadOutcome(wave.m_strPath, wave.m_readOutcome).IsEmpty(), "every reason has a text");
        return 0;
    }
    FuzzCheck(wave.m_file.IsOpen(), "an accepted file stays open");
    FuzzCheck(wave.m_nChannels == 1 && wave.m_nBitsPerSample == 16, "only mono 16-bit is accepted");
    FuzzCheck(wave.m_readOutcome.Succeeded(), "no reason given for an accepted file");
    FuzzCheck(wave.m_dwPadBytes == 0 && wave.m_block.empty(), "no padding and no block yet");
    const LONGLONG lDataStart = wave.m_file.Seek(0, CFile::current);
    FuzzCheck(lDataStart >= 20 && static_cast<std::size_t>(lDataStart) <= nSize,
              "the data starts after a chunk header and within the file");
    FuzzCheck(bytes.compare(static_cast<std::size_t>(lDataStart) - 8, 4, "data") == 0,
              "the data start follows a \"data\" chunk header");
    FuzzCheck(wave.m_dwPresentBytes <= wave.m_dwDataBytes &&
                  wave.m_dwPresentBytes == std::min<std::size_t>(wave.m_dwDataBytes, nSize - lDataStart),
              "the bytes present are those of the data chunk that the file holds");
    return 0;
}
