// CReplacingFile: a new version of a text file that readers see whole or
// not at all. It is written under a unique random name in the folder of
// the file it replaces, created new so that no file or link already there
// is ever followed, and renamed over that file when closed. A symbolic
// link is followed to the file it names, which is replaced where it is;
// the replaced file's permission bits are kept.
//
// Only a folder that refuses new files gets the file written in place,
// where a failure cannot keep the old contents.
#pragma once

#include "platform/core/cstdiofile.h"

class CReplacingFile : public CStdioFile {
public:
    CReplacingFile() = default;
    // A replacement not closed is removed; the old file stays as it was.
    ~CReplacingFile() override;

    // Opens the replacement of pszFileName for writing. False when there
    // is no room for it, and for a name that leads to something other than
    // a file (a device, a pipe, a folder), which is never replaced.
    bool Create(const char* pszFileName);
    // Writes out what is buffered, has the system put it on the disk, and
    // renames the new file over the old one. False when anything failed:
    // the new file is then removed and the old one left as it was.
    bool Close() override;

    // pszTarget replaced by a copy of pszSource's bytes and permission bits.
    static bool Copy(const char* pszSource, const char* pszTarget);

private:
    CString m_strTarget;
    CString m_strTemporary;  // empty when written in place
};
