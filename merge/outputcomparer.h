// COutputComparer: the sink of a check. It reads the file a merge wrote
// before alongside the bytes the merge makes now and finds the first that
// differ, writing nothing. Once it has its answer, the rest of the merge
// cannot change it (IsDecided), so its host may end the merge there.
#pragma once

#include <vector>

#include "merge/outputsink.h"
#include "core/cfile.h"
#include "core/types.h"

enum class CheckResult {
    Identical,  // every byte, and no more
    Missing,    // the file cannot be opened
    Differs,    // at nOffset
    Shorter,    // the file ends at nOffset
    Longer,     // the file goes on past nOffset, the merge's end
    CannotRead, // the system failed a read at nOffset
};

struct CheckOutcome {
    CheckResult eResult = CheckResult::Identical;
    ULONGLONG nOffset = 0;
    int nSystemError = 0;  // errno, for Missing and CannotRead
};

class COutputComparer : public IOutputSink {
public:
    bool Open(const char* pszPath, std::span<const CFile* const> keepOut) override;
    bool Write(const void* pBuffer, UINT nCount) override;
    bool Commit() override;
    void Discard() override;

    bool IsDecided() const { return m_bDecided; }
    const CheckOutcome& Outcome() const { return m_outcome; }
    // The merge's header: the bytes of its first write.
    const std::vector<BYTE>& GetHeader() const { return m_header; }

private:
    void Decide(CheckResult eResult, ULONGLONG nOffset, int nSystemError = 0);

    CFile m_file;
    std::vector<BYTE> m_read;  // the file's bytes for one write
    std::vector<BYTE> m_header;
    ULONGLONG m_nOffset = 0;   // of the next byte the merge makes
    CheckOutcome m_outcome;
    bool m_bDecided = false;
};
