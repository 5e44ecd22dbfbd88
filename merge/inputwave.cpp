#include "merge/inputwave.h"

#include <algorithm>
#include <cstring>

namespace {

// Streaming writers that cannot know the length in advance write this size.
constexpr DWORD kUnknownDataBytes = 0xFFFFFFFF;
constexpr ULONGLONG kFormatFieldsBytes = 16;
constexpr ULONGLONG kChannelsField = 2;       // within the "fmt " fields
constexpr ULONGLONG kBitsPerSampleField = 14;

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

ULONGLONG Padded(DWORD dwSize)
{
    return static_cast<ULONGLONG>(dwSize) + (dwSize & 1);
}

// Reads the header fields in order and knows where it is, so that every
// outcome can name its byte.
class HeaderCursor {
public:
    explicit HeaderCursor(CFile& file) : m_file(file)
    {
        const LONGLONG lEnd = m_file.Seek(0, CFile::end);
        m_nFileBytes = lEnd > 0 ? static_cast<ULONGLONG>(lEnd) : 0;
        m_file.Seek(0, CFile::begin);
    }

    ULONGLONG FileBytes() const { return m_nFileBytes; }

    ULONGLONG Offset() const { return m_nOffset; }

    bool Read(BYTE* pBuffer, UINT nCount)
    {
        const UINT nRead = m_file.Read(pBuffer, nCount);
        m_nOffset += nRead;
        m_bEndedBetween = nRead == 0;
        return nRead == nCount;
    }

    // After a short read: whether the file ended right where it began, not
    // inside what was read.
    bool EndedBetween() const { return m_bEndedBetween; }

    // False, at the end of the file, when the file ends before nCount bytes.
    bool Skip(ULONGLONG nCount)
    {
        if (nCount == 0)
            return true;
        if (nCount > m_nFileBytes - std::min(m_nOffset, m_nFileBytes)) {
            m_nOffset = m_nFileBytes;
            return false;
        }
        const LONGLONG nPos = m_file.Seek(static_cast<LONGLONG>(nCount), CFile::current);
        if (nPos < 0)
            return false;
        m_nOffset = static_cast<ULONGLONG>(nPos);
        return true;
    }

    // Why the last read came up short: a read error, or the end of the file.
    WaveReadOutcome Failure(WaveReadError eAtEnd) const
    {
        if (m_file.HasFailed())
            return {WaveReadError::ReadError, m_nOffset, m_file.GetSystemError()};
        return {eAtEnd, m_nOffset, 0};
    }

private:
    CFile& m_file;
    ULONGLONG m_nFileBytes = 0;
    ULONGLONG m_nOffset = 0;
    bool m_bEndedBetween = false;
};

}  // namespace

bool CInputWave::ReadInputHeader()
{
    if (!m_file.Open(m_strPath, CFile::modeRead | CFile::shareDenyWrite)) {
        m_readOutcome = {WaveReadError::CannotOpen, 0, m_file.GetSystemError()};
        return false;
    }
    m_readOutcome = WalkChunks();
    if (!m_readOutcome.Succeeded()) {
        m_file.Close();
        return false;
    }
    return true;
}

// The walk counts the RIFF size as the file states it. It ends early when the
// file ends, a read fails or a chunk size carries the position past 32 bits;
// the chunks met so far then decide. Every "fmt " chunk is checked where it
// is met.
WaveReadOutcome CInputWave::WalkChunks()
{
    HeaderCursor cursor(m_file);
    BYTE riff[12];
    if (!cursor.Read(riff, 4) || !IsTag(riff, "RIFF")) {
        const WaveReadOutcome failure = cursor.Failure(WaveReadError::NotRiff);
        return failure.eError == WaveReadError::NotRiff ? WaveReadOutcome{WaveReadError::NotRiff, 0, 0} : failure;
    }
    if (!cursor.Read(riff + 4, 8))
        return cursor.Failure(WaveReadError::Truncated);
    if (!IsTag(riff + 8, "WAVE"))
        return {WaveReadError::NotWave, 8, 0};
    const DWORD dwRiffSize = Le32(riff + 4) & ~1u;

    bool bHaveFormat = false;
    bool bHaveData = false;
    bool bCutShort = false;  // the file ends inside a chunk header or the format fields
    WORD nChannels = 0;
    DWORD nSampleRate = 0;
    WORD nBitsPerSample = 0;
    DWORD dwDataBytes = 0;
    ULONGLONG nDataStart = 0;

    for (ULONGLONG walk = 4; walk < dwRiffSize;) {
        BYTE chunk[8];
        if (!cursor.Read(chunk, 8)) {
            bCutShort = !cursor.EndedBetween();
            break;
        }
        const DWORD dwSize = Le32(chunk + 4);
        if (IsTag(chunk, "fmt ")) {
            // The first 16 bytes are read whatever size the chunk states.
            const ULONGLONG nFields = cursor.Offset();
            BYTE fmt[kFormatFieldsBytes];
            if (!cursor.Read(fmt, sizeof fmt)) {
                bCutShort = true;
                break;
            }
            nChannels = Le16(fmt + kChannelsField);
            nSampleRate = Le32(fmt + 4);
            nBitsPerSample = Le16(fmt + kBitsPerSampleField);
            if (nBitsPerSample != 16)
                return {WaveReadError::NotSixteenBit, nFields + kBitsPerSampleField, 0};
            if (nChannels != 1)
                return {WaveReadError::NotMono, nFields + kChannelsField, 0};
            bHaveFormat = true;
            if (dwSize > kFormatFieldsBytes && !cursor.Skip(Padded(dwSize) - kFormatFieldsBytes)) {
                bCutShort = true;
                break;
            }
        } else if (IsTag(chunk, "data")) {
            nDataStart = cursor.Offset();
            dwDataBytes = dwSize;
            bHaveData = true;
            // A data chunk may claim more than the file holds; its samples
            // are then padded, so the walk just ends here.
            if (!cursor.Skip(Padded(dwSize)))
                break;
        } else if (!cursor.Skip(Padded(dwSize))) {
            bCutShort = true;
            break;
        }
        walk += 8 + Padded(dwSize);
    }

    if (m_file.HasFailed())
        return cursor.Failure(WaveReadError::ReadError);
    const WaveReadError eMissing = bCutShort     ? WaveReadError::Truncated
                                   : !bHaveFormat ? WaveReadError::NoFormat
                                                  : WaveReadError::NoData;
    if (!bHaveFormat || !bHaveData)
        return {eMissing, cursor.Offset(), 0};
    const ULONGLONG present = cursor.FileBytes() - nDataStart;
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
    const auto lDataStart = static_cast<LONGLONG>(nDataStart);
    if (m_file.Seek(lDataStart, CFile::begin) != lDataStart)
        return cursor.Failure(WaveReadError::ReadError);
    return {};
}
