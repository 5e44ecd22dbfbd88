#include "merge/outputcomparer.h"

#include <algorithm>
#include <cstring>
#include <new>

void COutputComparer::Decide(CheckResult eResult, ULONGLONG nOffset, int nSystemError)
{
    m_outcome = {eResult, nOffset, nSystemError};
    m_bDecided = true;
    m_file.Close();
}

bool COutputComparer::Open(const char* pszPath, std::span<const CFile* const>)
{
    // Reading the file an input also is harms nothing.
    m_nOffset = 0;
    m_header.clear();
    m_outcome = {};
    m_bDecided = false;
    if (!m_file.Open(pszPath, CFile::modeRead | CFile::shareDenyNone))
        Decide(CheckResult::Missing, 0, m_file.GetSystemError());
    return true;
}

bool COutputComparer::Write(const void* pBuffer, UINT nCount)
{
    const auto* pMade = static_cast<const BYTE*>(pBuffer);
    if (m_nOffset == 0)
        m_header.assign(pMade, pMade + nCount);
    if (m_bDecided)
        return true;
    try {
        m_read.resize(nCount);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const UINT nRead = m_file.Read(m_read.data(), nCount);
    // memcmp for the common case, many times faster than a loop that also says where.
    if (std::memcmp(pMade, m_read.data(), nRead) != 0) {
        const auto mismatch = std::mismatch(pMade, pMade + nRead, m_read.data());
        Decide(CheckResult::Differs, m_nOffset + static_cast<ULONGLONG>(mismatch.first - pMade));
    } else if (m_file.HasFailed()) {
        Decide(CheckResult::CannotRead, m_nOffset + nRead, m_file.GetSystemError());
    } else if (nRead < nCount) {
        Decide(CheckResult::Shorter, m_nOffset + nRead);
    }
    m_nOffset += nCount;
    return true;
}

bool COutputComparer::Commit()
{
    if (m_bDecided)
        return true;
    BYTE extra = 0;
    if (m_file.Read(&extra, 1) > 0)
        Decide(CheckResult::Longer, m_nOffset);
    else if (m_file.HasFailed())
        Decide(CheckResult::CannotRead, m_nOffset, m_file.GetSystemError());
    else
        Decide(CheckResult::Identical, m_nOffset);
    return true;
}

void COutputComparer::Discard()
{
    m_file.Close();
}
