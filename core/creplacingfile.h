// CReplacingFile: a new version of a file that readers see whole or not at
// all. It is written under a hidden, unique random name in the folder of
// the file it replaces, created new so that no file or link already there
// is ever followed, and renamed over that file when closed. A symbolic link
// is followed to the file it names, which is replaced where it is; the
// replaced file's permission bits are kept (a new file gets those the
// process gives new files), and a read-only file is never replaced, nor one
// the rename would be refused (another's file in a sticky folder).
#pragma once

#include "core/cstdiofile.h"

// When the folder refuses a new file: write the file in place, where a
// failure cannot keep the old contents (a settings file must be saved
// somehow), or give up (an output that cannot be written aside is not
// written at all).
enum class InPlace { Allowed, Refused };

class CReplacingFile : public CStdioFile {
public:
    CReplacingFile() = default;
    // A replacement not closed is discarded.
    ~CReplacingFile() override;

    // Opens the replacement of pszFileName for writing. False, with the
    // system's reason in GetSystemError(), when there is no room for it, for
    // a read-only file, and for a name that leads to something other than a
    // file (a device, a pipe, a folder), which is never replaced.
    bool Create(const char* pszFileName, InPlace inPlace);
    // Writes out what is buffered and renames the new file over the old one.
    // False when anything failed: the new file is then removed and the old one
    // left as it was. (Flush first to have it on the disk before the rename.)
    bool Close() override;
    // Closes and removes the new file; the old one stays as it was.
    void Discard();

    // For one of several files replaced together: like Close, but the old
    // file is first moved aside under a hidden name, where it stays until
    // DropOld removes it or Revert puts it back (and, when there was none,
    // removes the new one). A failure leaves the old file in place.
    bool CloseKeepingOld();
    bool Revert();
    void DropOld();

    // pszTarget replaced by a copy of pszSource's bytes and permission bits.
    static bool Copy(const char* pszSource, const char* pszTarget);

private:
    CString m_strTarget;
    CString m_strTemporary;  // empty when written in place
    CString m_strOld;        // the old file moved aside by CloseKeepingOld
    bool m_bPlaced = false;  // CloseKeepingOld renamed the new file into place
};
