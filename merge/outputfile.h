// COutputFile: the output of a merge, which never costs the user a file.
//
// A name that holds a regular file, or none yet, is written aside
// (CReplacingFile): Commit renames it over that file once everything is
// written and closed; until then the name and what it holds are untouched,
// and a discarded output leaves no temporary file behind. A folder that
// takes no new file gets no output. Anything else a name holds (a pipe, a
// device) and "-" (standard output) are written directly, front to back.
#pragma once

#include <span>

#include "merge/outputsink.h"
#include "core/cfile.h"
#include "core/creplacingfile.h"
#include "core/cstring.h"
#include "core/types.h"

// The name that stands for standard output, as command lines take it.
constexpr const char* kStandardOutputName = "-";

enum class OutputError {
    None,
    NamesAnInput,   // the name leads to a file the merge reads
    CannotCreate,   // neither the temporary file nor a direct output could be opened
    CannotWrite,    // a write failed
    CannotReplace,  // closing or renaming the temporary file failed
};

struct OutputOutcome {
    OutputError eError = OutputError::None;
    int nSystemError = 0;  // errno, but for NamesAnInput
};

// The reason line for an output that failed, naming it; empty for none.
CString DescribeOutputOutcome(const CString& strPath, const OutputOutcome& outcome);

class COutputFile : public IOutputSink {
public:
    COutputFile() = default;
    COutputFile(const COutputFile&) = delete;
    COutputFile& operator=(const COutputFile&) = delete;
    // An output neither committed nor discarded is discarded.
    ~COutputFile() override;

    // Opens the output named pszPath unless it leads to one of the open files
    // in keepOut (by device and inode: a path, a link or a hard link to it).
    // Nothing is created or changed when this fails.
    bool Open(const char* pszPath, std::span<const CFile* const> keepOut) override;
    bool IsOpen() const { return m_pFile != nullptr && m_pFile->IsOpen(); }
    bool Write(const void* pBuffer, UINT nCount) override;
    // Closes the output and puts it in place; false, with the temporary file
    // removed, when the close or the rename fails.
    bool Commit() override;
    // Commit for one of several outputs put in place together: an old file
    // is kept aside until DropOld, or put back by Revert (which removes a
    // new file that replaced none). A direct output has nothing to keep.
    bool CommitKeepingOld();
    bool Revert() { return m_aside.Revert(); }
    void DropOld() { m_aside.DropOld(); }
    // Closes the output; a temporary file is removed, a direct output keeps
    // what was written.
    void Discard() override;

    const OutputOutcome& Outcome() const { return m_outcome; }

private:
    bool Fail(OutputError eError, int nSystemError);

    CReplacingFile m_aside;
    CFile m_direct;
    CFile* m_pFile = nullptr;  // the one of them in use
    OutputOutcome m_outcome;
};
