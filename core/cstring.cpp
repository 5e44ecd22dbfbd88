#include "core/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "core/casefold.h"

namespace {

size_t Clamp(int n, size_t limit)
{
    return n <= 0 ? 0 : std::min(static_cast<size_t>(n), limit);
}

}  // namespace

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, Clamp(nCount, m_str.size())));
}

CString CString::Mid(int nFirst) const
{
    return CString(m_str.substr(Clamp(nFirst, m_str.size())));
}

CString CString::Mid(int nFirst, int nCount) const
{
    size_t first = Clamp(nFirst, m_str.size());
    return CString(m_str.substr(first, Clamp(nCount, m_str.size() - first)));
}

bool CString::EndsWith(const CString& suffix) const
{
    return m_str.size() >= suffix.m_str.size() &&
           m_str.compare(m_str.size() - suffix.m_str.size(), std::string::npos, suffix.m_str) == 0;
}

int CString::CompareNoCase(const char* psz) const
{
    int nCompare = FoldCase(m_str).compare(FoldCase(psz ? psz : ""));
    return nCompare < 0 ? -1 : nCompare > 0 ? 1 : 0;
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
    } else {
        m_str.assign(static_cast<size_t>(n), '\0');
        std::vsnprintf(m_str.data(), static_cast<size_t>(n) + 1, pszFormat, args);
    }
    va_end(args);
}
