#include "merge/headercursor.h"

#include <algorithm>

HeaderCursor::HeaderCursor(CFile& file) : m_file(file)
{
    const LONGLONG lEnd = m_file.Seek(0, CFile::end);
    m_nFileBytes = lEnd > 0 ? static_cast<ULONGLONG>(lEnd) : 0;
    m_bSeekable = lEnd >= 0 && m_file.Seek(0, CFile::begin) == 0;
}

bool HeaderCursor::Read(BYTE* pBuffer, UINT nCount)
{
    const UINT nRead = m_file.Read(pBuffer, nCount);
    m_nOffset += nRead;
    m_bEndedBetween = nRead == 0;
    return nRead == nCount;
}

bool HeaderCursor::Skip(ULONGLONG nCount)
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

WaveReadOutcome HeaderCursor::Failure(WaveReadError eAtEnd) const
{
    if (m_file.HasFailed())
        return {WaveReadError::ReadError, m_nOffset, m_file.GetSystemError()};
    return {eAtEnd, m_nOffset, 0};
}
