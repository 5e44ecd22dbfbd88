// CFile: an unbuffered byte file that never throws.
//
// Share modes are honoured the way the program expects from its platform:
// within this process by file identity (device and inode, so a second path,
// a symbolic link or a hard link to an open file is the same file), and
// across processes by advisory locks. An open that the share modes forbid
// fails before the file is changed in any way.
#pragma once

#include "core/types.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        shareCompat = 0x0000,  // treated as exclusive, as on the original platform
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,  // create, or empty an existing file
        typeText = 0x4000,
        // Create a file that must not exist yet: whatever holds the name, a
        // file or a link, fails the open (EEXIST) and is never followed.
        modeCreateNew = 0x100000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    bool Open(const char* pszFileName, UINT nOpenFlags);
    // Takes over fd, a descriptor opened elsewhere (a new temporary file, a
    // duplicate of standard output), for writing; Close closes it. False for
    // a descriptor that is not open.
    bool Attach(int fd);
    bool IsOpen() const { return m_fd >= 0; }
    // A character or block device (a terminal, /dev/zero, a disk) rather
    // than a file: reading it may never end.
    bool IsDevice() const;

    // Reads up to nCount bytes, fewer only at the end of the file or on an
    // error; 0 at the end. An error marks the file as failed.
    UINT Read(void* pBuffer, UINT nCount);
    // Writes all nCount bytes, or marks the file as failed and returns false.
    bool Write(const void* pBuffer, UINT nCount);
    // Returns the new position from the beginning, or -1 on failure.
    LONGLONG Seek(LONGLONG lOffset, SeekPosition nFrom);
    // Has the system put what was written on the disk; false (and the file
    // marked as failed) when it cannot.
    virtual bool Flush();
    // Does nothing for a file that is not open; false when the system
    // reported an error on closing or the file had failed before.
    virtual bool Close();

    bool HasFailed() const { return m_bFailed; }
    // The system's error number (errno) of the last open, read, write, flush
    // or close that failed; EBUSY when the share modes refused an open, EEXIST
    // when modeCreateNew found the name taken. 0 when none did.
    int GetSystemError() const { return m_nSystemError; }
    // True while pszFileName names the file this object opened (the same
    // device and inode): false once it was removed, replaced or its folder
    // deleted.
    bool IsSameFileAs(const char* pszFileName) const;
    // True when both objects have the same file open.
    bool IsSameFileAs(const CFile& other) const;

    static bool Remove(const char* pszFileName);
    static bool Rename(const char* pszOldName, const char* pszNewName);

protected:
    int Descriptor() const { return m_fd; }
    void MarkFailed(int nSystemError)
    {
        m_bFailed = true;
        m_nSystemError = nSystemError;
    }

private:
    int m_fd = -1;
    bool m_bFailed = false;
    int m_nSystemError = 0;
    ULONGLONG m_nDevice = 0;  // the identity of the file opened
    ULONGLONG m_nInode = 0;
};
