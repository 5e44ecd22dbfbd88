// CString: a byte string. Compares are byte for byte and case-sensitive
// unless a function says otherwise; lengths count bytes.
#pragma once

#include <string>
#include <string_view>

#include "core/types.h"

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* p, int nLength) : m_str(p, static_cast<size_t>(nLength)) {}
    CString(std::string str) : m_str(std::move(str)) {}
    CString(std::string_view sv) : m_str(sv) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return m_str[static_cast<size_t>(i)]; }
    const char* GetString() const { return m_str.c_str(); }
    operator const char*() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // The first or middle nCount bytes; counts are clamped to the string.
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    bool EndsWith(const CString& suffix) const;
    // Ignores letter case as FoldCase (casefold.h) folds it: Unicode's in
    // UTF-8 text, ASCII letters' only in other bytes.
    int CompareNoCase(const char* psz) const;

    // The string resource nID; false (and empty) when the program has none
    // or it is empty. Defined by the window layer, which holds the resources.
    bool LoadString(UINT nID);

    // printf-style formatting of any length.
    void Format(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const char* psz) { m_str += psz; return *this; }
    CString& operator+=(char c) { m_str += c; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + b); }
    friend CString operator+(const char* a, const CString& b) { return CString(a + b.m_str); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == b; }

private:
    std::string m_str;
};
