// HeaderCursor: reads a WAV file's header fields in order and knows where it
// is, so that every outcome of the chunk walk can name its byte.
#pragma once

#include <array>

#include "merge/wavereadoutcome.h"
#include "core/cfile.h"
#include "core/types.h"

class HeaderCursor {
public:
    // Starts at the beginning of the open file.
    explicit HeaderCursor(CFile& file);

    // False for a pipe or a device that cannot seek: its header cannot be
    // read and its samples read again from the data start.
    bool IsSeekable() const { return m_bSeekable; }
    ULONGLONG FileBytes() const { return m_nFileBytes; }
    ULONGLONG Offset() const { return m_nOffset; }

    // False when fewer than nCount bytes could be read.
    bool Read(BYTE* pBuffer, UINT nCount);
    // After a short read: whether the file ended right where it began, not
    // inside what was read.
    bool EndedBetween() const { return m_bEndedBetween; }
    // False, at the end of the file, when the file ends before nCount bytes.
    bool Skip(ULONGLONG nCount);

    // Why the last read came up short: a read error, or the end of the file.
    WaveReadOutcome Failure(WaveReadError eAtEnd) const;

private:
    // Loads the window from the cursor on.
    void Fill();

    CFile& m_file;
    // Fields are served from a window of the file: a walk over many small
    // chunks then costs a read per window instead of one per field, and a
    // skip within the window costs nothing.
    std::array<BYTE, 4096> m_window;
    ULONGLONG m_nWindowAt = 0;
    UINT m_nWindowBytes = 0;
    ULONGLONG m_nFileBytes = 0;
    ULONGLONG m_nOffset = 0;
    bool m_bEndedBetween = false;
    bool m_bSeekable = false;
};
