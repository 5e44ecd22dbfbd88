#include "merge/headercursor.h"

#include <algorithm>
#include <cstring>

HeaderCursor::HeaderCursor(CFile& file) : m_file(file)
{
    const LONGLONG lEnd = m_file.Seek(0, CFile::end);
    m_nFileBytes = lEnd > 0 ? static_cast<ULONGLONG>(lEnd) : 0;
    m_bSeekable = lEnd >= 0 && m_file.Seek(0, CFile::begin) == 0;
}

bool HeaderCursor::Read(BYTE* pBuffer, UINT nCount)
{
    if (m_nOffset < m_nWindowAt || m_nOffset + nCount > m_nWindowAt + m_nWindowBytes)
        Fill();
    const ULONGLONG nAvailable = m_nWindowAt + m_nWindowBytes - m_nOffset;
    const auto nRead = static_cast<UINT>(std::min<ULONGLONG>(nCount, nAvailable));
    if (nRead != 0)
        std::memcpy(pBuffer, m_window.data() + (m_nOffset - m_nWindowAt), nRead);
    m_nOffset += nRead;
    m_bEndedBetween = nRead == 0;
    return nRead == nCount;
}

void HeaderCursor::Fill()
{
    m_nWindowAt = m_nOffset;
    m_nWindowBytes = 0;
    const auto lOffset = static_cast<LONGLONG>(m_nOffset);
    if (m_file.Seek(lOffset, CFile::begin) == lOffset)
        m_nWindowBytes = m_file.Read(m_window.data(), static_cast<UINT>(m_window.size()));
}

bool HeaderCursor::Skip(ULONGLONG nCount)
{
    if (nCount > m_nFileBytes - std::min(m_nOffset, m_nFileBytes)) {
        m_nOffset = m_nFileBytes;
        return false;
    }
    m_nOffset += nCount;
    return true;
}

WaveReadOutcome HeaderCursor::Failure(WaveReadError eAtEnd) const
{
    if (m_file.HasFailed())
        return {WaveReadError::ReadError, m_nOffset, m_file.GetSystemError()};
    return {eAtEnd, m_nOffset, 0};
}
