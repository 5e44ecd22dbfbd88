// CStdioFile: a CFile read and written as lines of text. Lines are written
// with CR LF; on reading, CR LF, a bare LF and a bare CR each end a line,
// and a last line without a line end is read like any other.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/cfile.h"
#include "core/cstring.h"

class CStdioFile : public CFile {
public:
    // A longer line is cut there; the rest of it is skipped unread.
    static constexpr size_t kMaxLineBytes = 1 << 20;

    CStdioFile() = default;
    ~CStdioFile() override;

    // False at the end of the file; rString then holds nothing.
    bool ReadString(CString& rString);
    // Writes the text with every line feed turned into CR LF. The text is
    // buffered; a failure shows in Close() and HasFailed().
    void WriteString(const char* psz);
    // Writes out what is buffered and has the system put it on the disk.
    bool Flush() override;
    // Writes out what is buffered, then closes.
    bool Close() override;

private:
    bool FillReadBuffer();
    bool FlushWriteBuffer();

    // The chunk last read (allocated at the first read, never cleared: a
    // settings file is read in one chunk, and zeroing a whole chunk for it
    // cost more than the reading) and the part of it the read filled.
    std::unique_ptr<char[]> m_pReadChunk;
    std::string_view m_readBuffer;
    size_t m_readPos = 0;
    bool m_atEnd = false;
    bool m_afterCarriageReturn = false;  // a line feed next is still that line's end
    std::string m_writeBuffer;
};
