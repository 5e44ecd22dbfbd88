// CFile: an unbuffered byte file that never throws.
//
// Share modes are honoured the way the program expects from its platform:
// within this process by file identity (device and inode, so a second path,
// a symbolic link or a hard link to an open file is the same file), and
// across processes by advisory locks. An open that the share modes forbid
// fails before the file is changed in any way.
#pragma once

#include "platform/core/types.h"

// Why an open failed, as far as a caller acts on it.
enum class FileError {
    None,
    NameTaken,     // modeCreateNew found a file or a link at the name
    AccessDenied,  // refused by permissions or a read-only file system
    Other,
};

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
        // file or a link, fails the open and is never followed.
        modeCreateNew = 0x100000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // On failure *pError, when given, says why.
    bool Open(const char* pszFileName, UINT nOpenFlags, FileError* pError = nullptr);
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
    // True while pszFileName names the file this object opened (the same
    // device and inode): false once it was removed, replaced or its folder
    // deleted.
    bool IsSameFileAs(const char* pszFileName) const;

    static bool Remove(const char* pszFileName);
    static bool Rename(const char* pszOldName, const char* pszNewName);

protected:
    int Descriptor() const { return m_fd; }
    void MarkFailed() { m_bFailed = true; }

private:
    int m_fd = -1;
    bool m_bFailed = false;
    ULONGLONG m_nDevice = 0;  // the identity of the file opened
    ULONGLONG m_nInode = 0;
};
