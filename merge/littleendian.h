// Fields of a RIFF file as they are stored: little-endian integers and
// four-byte tags compared exactly (case counts).
#pragma once

#include <cstring>

#include "core/types.h"

inline WORD Le16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

inline DWORD Le32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

inline ULONGLONG Le64(const BYTE* p)
{
    return static_cast<ULONGLONG>(Le32(p)) | (static_cast<ULONGLONG>(Le32(p + 4)) << 32);
}

inline bool IsTag(const BYTE* p, const char* pszTag)
{
    return std::memcmp(p, pszTag, 4) == 0;
}
