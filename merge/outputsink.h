// IOutputSink: where a merge's bytes go, header first, then the frames: the
// output file, or, for a check, a comparer with a file written before.
#pragma once

#include <span>

#include "core/cfile.h"
#include "core/types.h"

class IOutputSink {
public:
    virtual ~IOutputSink() = default;

    // Opens the sink for the output named pszPath; keepOut are the files
    // the merge reads, which an output must not be.
    virtual bool Open(const char* pszPath, std::span<const CFile* const> keepOut) = 0;
    virtual bool Write(const void* pBuffer, UINT nCount) = 0;
    // After the last byte: puts the output in place.
    virtual bool Commit() = 0;
    // Whatever stopped the merge before.
    virtual void Discard() = 0;
};
