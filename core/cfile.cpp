#include "core/cfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

// What one open of a file allows others to do, and what it does itself.
struct OpenRecord {
    int fd;
    dev_t device;
    ino_t inode;
    bool writes;
    bool deniesRead;
    bool deniesWrite;
};

class ShareTable {
public:
    bool Admit(const OpenRecord& candidate)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const OpenRecord& open : m_records) {
            if (open.device != candidate.device || open.inode != candidate.inode)
                continue;
            bool candidateReads = !candidate.writes;
            if ((candidate.writes && open.deniesWrite) || (candidateReads && open.deniesRead) ||
                (open.writes && candidate.deniesWrite) || (!open.writes && candidate.deniesRead))
                return false;
        }
        m_records.push_back(candidate);
        return true;
    }

    void Release(int fd)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::erase_if(m_records, [fd](const OpenRecord& r) { return r.fd == fd; });
    }

private:
    std::mutex m_mutex;
    std::vector<OpenRecord> m_records;
};

ShareTable& Shares()
{
    static ShareTable table;
    return table;
}

// Advisory locks tell other processes what this open denies: a shared lock
// keeps writers out, an exclusive one everybody. A file system without
// locks still opens; only a lock held elsewhere refuses.
bool TakeAdvisoryLock(int fd, bool exclusive)
{
    if (flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0)
        return true;
    return errno != EWOULDBLOCK;
}

}  // namespace

CFile::~CFile()
{
    Close();
}

bool CFile::Open(const char* pszFileName, UINT nOpenFlags)
{
    if (IsOpen())
        return false;
    m_nSystemError = 0;
    if (pszFileName == nullptr || *pszFileName == '\0') {
        m_nSystemError = ENOENT;
        return false;
    }
    const bool writes = (nOpenFlags & modeWrite) != 0;
    const bool createsNew = (nOpenFlags & modeCreateNew) != 0;
    const bool creates = createsNew || (nOpenFlags & modeCreate) != 0;
    const UINT share = nOpenFlags & 0x70;
    const bool deniesWrite = share != shareDenyNone && share != shareDenyRead;
    const bool deniesRead = share == shareCompat || share == shareExclusive || share == shareDenyRead;

    // Never truncate at open: the share check must pass first. Never wait at
    // open either: a FIFO without a peer would block for ever.
    int flags = (writes ? O_WRONLY : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
    bool created = false;
    int fd = -1;
    if (creates) {
        fd = ::open(pszFileName, flags | O_CREAT | O_EXCL, 0666);
        created = fd >= 0;
    }
    if (fd < 0 && !createsNew)
        fd = ::open(pszFileName, flags);
    if (fd < 0) {
        m_nSystemError = errno;
        return false;
    }

    auto refuse = [&](int nError) {
        m_nSystemError = nError;
        ::close(fd);
        if (created)
            ::unlink(pszFileName);
        return false;
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return refuse(errno);
    if (S_ISDIR(st.st_mode))
        return refuse(EISDIR);
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
        return refuse(errno);
    if (!Shares().Admit({fd, st.st_dev, st.st_ino, writes, deniesRead, deniesWrite}))
        return refuse(EBUSY);
    bool lockExclusive = deniesRead || writes;
    if ((deniesWrite || deniesRead) && !TakeAdvisoryLock(fd, lockExclusive)) {
        Shares().Release(fd);
        return refuse(EBUSY);
    }
    if (creates && writes && !created && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) {
        const int nError = errno;
        Shares().Release(fd);
        return refuse(nError);
    }
    m_fd = fd;
    m_bFailed = false;
    m_nDevice = st.st_dev;
    m_nInode = st.st_ino;
    return true;
}

bool CFile::IsDevice() const
{
    struct stat st {};
    return IsOpen() && ::fstat(m_fd, &st) == 0 && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode));
}

bool CFile::Attach(int fd)
{
    struct stat st {};
    if (IsOpen() || fd < 0 || ::fstat(fd, &st) != 0)
        return false;
    if (!Shares().Admit({fd, st.st_dev, st.st_ino, true, false, false}))
        return false;
    m_fd = fd;
    m_bFailed = false;
    m_nSystemError = 0;
    m_nDevice = st.st_dev;
    m_nInode = st.st_ino;
    return true;
}

UINT CFile::Read(void* pBuffer, UINT nCount)
{
    if (!IsOpen()) {
        MarkFailed(EBADF);
        return 0;
    }
    auto* p = static_cast<char*>(pBuffer);
    UINT total = 0;
    while (total < nCount) {
        ssize_t n = ::read(m_fd, p + total, nCount - total);
        if (n > 0) {
            total += static_cast<UINT>(n);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            MarkFailed(errno);
            break;
        }
    }
    return total;
}

bool CFile::Write(const void* pBuffer, UINT nCount)
{
    if (!IsOpen()) {
        MarkFailed(EBADF);
        return false;
    }
    const auto* p = static_cast<const char*>(pBuffer);
    UINT total = 0;
    while (total < nCount) {
        ssize_t n = ::write(m_fd, p + total, nCount - total);
        if (n > 0) {
            total += static_cast<UINT>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // write() returning 0 for a non-empty buffer: no room, as a full disk says.
            MarkFailed(n < 0 ? errno : ENOSPC);
            return false;
        }
    }
    return true;
}

LONGLONG CFile::Seek(LONGLONG lOffset, SeekPosition nFrom)
{
    if (!IsOpen())
        return -1;
    int whence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    off_t pos = ::lseek(m_fd, static_cast<off_t>(lOffset), whence);
    return pos < 0 ? -1 : static_cast<LONGLONG>(pos);
}

bool CFile::Flush()
{
    // EINVAL: a file that cannot be synchronised at all, which is no failure.
    if (!IsOpen())
        MarkFailed(EBADF);
    else if (::fsync(m_fd) != 0 && errno != EINVAL)
        MarkFailed(errno);
    return !m_bFailed;
}

bool CFile::Close()
{
    if (!IsOpen())
        return true;
    Shares().Release(m_fd);
    bool closed = ::close(m_fd) == 0;
    if (!closed && !m_bFailed)
        MarkFailed(errno);
    m_fd = -1;
    return closed && !m_bFailed;
}

bool CFile::IsSameFileAs(const char* pszFileName) const
{
    struct stat named {};
    return IsOpen() && ::stat(pszFileName, &named) == 0 && named.st_dev == m_nDevice &&
           named.st_ino == m_nInode;
}

bool CFile::IsSameFileAs(const CFile& other) const
{
    return IsOpen() && other.IsOpen() && m_nDevice == other.m_nDevice && m_nInode == other.m_nInode;
}

bool CFile::Remove(const char* pszFileName)
{
    return ::unlink(pszFileName) == 0;
}

bool CFile::Rename(const char* pszOldName, const char* pszNewName)
{
    return std::rename(pszOldName, pszNewName) == 0;
}
