#include "merge/inputwave.h"

#include <cstring>

namespace {

// Streaming writers that cannot know the length in advance write this size.
constexpr DWORD kUnknownDataBytes = 0xFFFFFFFF;

WORD Le16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD Le32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

bool IsTag(const BYTE* p, const char* pszTag)
{
    return std::memcmp(p, pszTag, 4) == 0;
}

bool ReadExactly(CFile& file, BYTE* pBuffer, UINT nCount)
{
    return file.Read(pBuffer, nCount) == nCount;
}

bool SkipBytes(CFile& file, ULONGLONG nCount)
{
    return nCount == 0 || file.Seek(static_cast<LONGLONG>(nCount), CFile::current) >= 0;
}

ULONGLONG Padded(DWORD dwSize)
{
    return static_cast<ULONGLONG>(dwSize) + (dwSize & 1);
}

}  // namespace

bool CInputWave::ReadInputHeader()
{
    m_strFormatError.Empty();
    if (!m_file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    if (!WalkChunks()) {
        m_file.Close();
        return false;
    }
    return true;
}

// The walk counts the RIFF size as the file states it. It ends early when the
// file ends, a read fails or a chunk size carries the position past 32 bits;
// the chunks met so far then decide.
bool CInputWave::WalkChunks()
{
    BYTE riff[12];
    if (!ReadExactly(m_file, riff, 4) || !IsTag(riff, "RIFF"))
        return false;
    if (!ReadExactly(m_file, riff + 4, 8) || !IsTag(riff + 8, "WAVE"))
        return false;
    const DWORD dwRiffSize = Le32(riff + 4) & ~1u;

    bool bHaveFormat = false;
    bool bHaveData = false;
    WORD nChannels = 0;
    DWORD nSampleRate = 0;
    WORD nBitsPerSample = 0;
    DWORD dwDataBytes = 0;
    LONGLONG lDataStart = 0;

    for (ULONGLONG walk = 4; walk < dwRiffSize;) {
        BYTE chunk[8];
        if (!ReadExactly(m_file, chunk, 8))
            break;
        const DWORD dwSize = Le32(chunk + 4);
        if (IsTag(chunk, "fmt ")) {
            // The first 16 bytes are read whatever size the chunk states.
            BYTE fmt[16];
            if (!ReadExactly(m_file, fmt, 16))
                break;
            nChannels = Le16(fmt + 2);
            nSampleRate = Le32(fmt + 4);
            nBitsPerSample = Le16(fmt + 14);
            if (nBitsPerSample != 16) {
                m_strFormatError.Format("The file '%s' is not in 16-bit !", m_strPath.GetString());
                return false;
            }
            if (nChannels != 1) {
                m_strFormatError.Format("The file '%s' is not mono !", m_strPath.GetString());
                return false;
            }
            bHaveFormat = true;
            if (dwSize > 16 && !SkipBytes(m_file, Padded(dwSize) - 16))
                break;
        } else if (IsTag(chunk, "data")) {
            lDataStart = m_file.Seek(0, CFile::current);
            if (lDataStart < 0)
                break;
            dwDataBytes = dwSize;
            bHaveData = true;
            if (!SkipBytes(m_file, Padded(dwSize)))
                break;
        } else if (!SkipBytes(m_file, Padded(dwSize))) {
            break;
        }
        walk += 8 + Padded(dwSize);
    }

    if (m_file.HasFailed() || !bHaveFormat || !bHaveData)
        return false;
    const LONGLONG lEnd = m_file.Seek(0, CFile::end);
    if (lEnd < lDataStart)
        return false;
    const ULONGLONG present = static_cast<ULONGLONG>(lEnd - lDataStart);
    // Take streamed data to run to the end of the file rather than padding
    // the output with gigabytes of silence.
    if (dwDataBytes == kUnknownDataBytes)
        dwDataBytes = present < kUnknownDataBytes ? static_cast<DWORD>(present) : kUnknownDataBytes;

    m_nChannels = static_cast<BYTE>(nChannels);
    m_nBitsPerSample = nBitsPerSample;
    m_nSampleRate = nSampleRate;
    m_dwDataBytes = dwDataBytes;
    m_dwPresentBytes = present < dwDataBytes ? static_cast<DWORD>(present) : dwDataBytes;
    m_dwPadBytes = 0;
    m_pBlock = nullptr;
    return m_file.Seek(lDataStart, CFile::begin) == lDataStart;
}
