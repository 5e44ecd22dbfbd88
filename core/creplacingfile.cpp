#include "core/creplacingfile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxLinks = 40;  // as many as the system follows
constexpr int kMaxNameTries = 100;

// The file a name ends at once its links are followed; for a link to
// nothing, the name it would create.
std::string FollowLinks(std::string path)
{
    for (int nLink = 0; nLink < kMaxLinks; ++nLink) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n <= 0 || static_cast<size_t>(n) == sizeof target)
            break;
        const size_t nSlash = path.rfind('/');
        const std::string folder = nSlash == std::string::npos ? std::string() : path.substr(0, nSlash + 1);
        path = target[0] == '/' ? std::string(target, static_cast<size_t>(n))
                                : folder + std::string(target, static_cast<size_t>(n));
    }
    return path;
}

// From the system's generator, which reseeds in a forked child, so that
// processes forked from one parent never draw the same names; a
// std::random_device made per name cost more than the save it named.
std::string RandomName()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name;
    for (int i = 0; i < 8; ++i)
        name += kAlphabet[::arc4random_uniform(sizeof kAlphabet - 1)];
    return name;
}

// ".NAME.RANDOM" in the target's folder: hidden beside it.
CString TemporaryName(const CString& strTarget)
{
    const std::string& target = strTarget.str();
    const size_t nSlash = target.rfind('/');
    const size_t nName = nSlash == std::string::npos ? 0 : nSlash + 1;
    std::string name = target.substr(0, nName);
    name += '.';
    name += target.substr(nName);
    name += '.';
    name += RandomName();
    return CString(std::move(name));
}

bool RefusesNewFiles(int nError)
{
    return nError == EACCES || nError == EPERM || nError == EROFS;
}

// Why the file old at strTarget cannot be replaced, or 0. A file without a
// write bit is read-only for root too, who passes access(2); in a folder
// that keeps others' files (sticky) only the owner of the file or of the
// folder may rename over it.
int ReasonNotToReplace(const CString& strTarget, const struct stat& old)
{
    if ((old.st_mode & 0222) == 0)
        return EACCES;
    if (::faccessat(AT_FDCWD, strTarget, W_OK, AT_EACCESS) != 0)
        return errno;
    const std::string& target = strTarget.str();
    const size_t nSlash = target.rfind('/');
    const std::string folder = nSlash == std::string::npos ? "." : target.substr(0, nSlash + 1);
    struct stat st {};
    const uid_t user = ::geteuid();
    if (user != 0 && ::stat(folder.c_str(), &st) == 0 && (st.st_mode & S_ISVTX) && old.st_uid != user &&
        st.st_uid != user)
        return EPERM;
    return 0;
}

}  // namespace

CReplacingFile::~CReplacingFile()
{
    Discard();
}

bool CReplacingFile::Create(const char* pszFileName, InPlace inPlace)
{
    if (IsOpen() || pszFileName == nullptr)
        return false;
    m_strTarget = FollowLinks(pszFileName);
    struct stat old {};
    const bool bReplaces = ::stat(m_strTarget, &old) == 0;
    if (bReplaces && !S_ISREG(old.st_mode)) {
        MarkFailed(S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    if (const int nReason = bReplaces ? ReasonNotToReplace(m_strTarget, old) : 0) {
        MarkFailed(nReason);
        return false;
    }

    for (int nTry = 0; nTry < kMaxNameTries; ++nTry) {
        const CString strTemporary = TemporaryName(m_strTarget);
        if (Open(strTemporary, modeCreateNew | modeWrite)) {
            m_strTemporary = strTemporary;
            // Nobody may read the new file whom the old one kept out. A file
            // system without permission bits has none to keep.
            if (bReplaces)
                ::fchmod(Descriptor(), old.st_mode & 07777);
            return true;
        }
        if (RefusesNewFiles(GetSystemError()) && inPlace == InPlace::Allowed)
            return Open(m_strTarget, modeCreate | modeWrite);
        if (GetSystemError() != EEXIST)
            return false;
    }
    return false;
}

bool CReplacingFile::Close()
{
    if (!IsOpen())
        return !HasFailed();
    const bool bWritten = CStdioFile::Close();
    if (m_strTemporary.IsEmpty())
        return bWritten;
    const CString strTemporary = m_strTemporary;
    m_strTemporary.Empty();
    if (bWritten && CFile::Rename(strTemporary, m_strTarget))
        return true;
    if (bWritten)
        MarkFailed(errno);
    CFile::Remove(strTemporary);
    return false;
}

bool CReplacingFile::CloseKeepingOld()
{
    if (!IsOpen() || m_strTemporary.IsEmpty())
        return Close();
    const bool bWritten = CStdioFile::Close();
    const CString strTemporary = m_strTemporary;
    m_strTemporary.Empty();
    if (!bWritten) {
        CFile::Remove(strTemporary);
        return false;
    }
    struct stat old {};
    if (::lstat(m_strTarget, &old) == 0) {
        for (int nTry = 0; m_strOld.IsEmpty() && nTry < kMaxNameTries; ++nTry) {
            const CString strOld = TemporaryName(m_strTarget);
            if (::renameat2(AT_FDCWD, m_strTarget, AT_FDCWD, strOld, RENAME_NOREPLACE) == 0)
                m_strOld = strOld;
            else if (errno != EEXIST)
                break;
        }
        if (m_strOld.IsEmpty()) {
            MarkFailed(errno);
            CFile::Remove(strTemporary);
            return false;
        }
    }
    if (!CFile::Rename(strTemporary, m_strTarget)) {
        MarkFailed(errno);
        CFile::Remove(strTemporary);
        Revert();
        return false;
    }
    m_bPlaced = true;
    return true;
}

bool CReplacingFile::Revert()
{
    const bool bPlaced = m_bPlaced;
    m_bPlaced = false;
    if (!m_strOld.IsEmpty()) {
        const CString strOld = m_strOld;
        m_strOld.Empty();
        return CFile::Rename(strOld, m_strTarget);
    }
    return !bPlaced || CFile::Remove(m_strTarget);
}

void CReplacingFile::DropOld()
{
    if (!m_strOld.IsEmpty())
        CFile::Remove(m_strOld);
    m_strOld.Empty();
    m_bPlaced = false;
}

void CReplacingFile::Discard()
{
    CFile::Close();
    if (!m_strTemporary.IsEmpty())
        CFile::Remove(m_strTemporary);
    m_strTemporary.Empty();
}

bool CReplacingFile::Copy(const char* pszSource, const char* pszTarget)
{
    CFile source;
    struct stat st {};
    if (!source.Open(pszSource, modeRead | shareDenyWrite) || ::stat(pszSource, &st) != 0)
        return false;
    // Nothing but a file: a pipe or a device would give an empty copy.
    if (!S_ISREG(st.st_mode))
        return false;
    CReplacingFile target;
    if (!target.Create(pszTarget, InPlace::Allowed))
        return false;
    ::fchmod(target.Descriptor(), st.st_mode & 07777);
    char buffer[65536];
    for (UINT n; (n = source.Read(buffer, sizeof buffer)) > 0;) {
        if (!target.Write(buffer, n))
            return false;
    }
    return !source.HasFailed() && target.Flush() && target.Close();
}
