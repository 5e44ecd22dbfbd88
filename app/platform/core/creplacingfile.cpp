#include "platform/core/creplacingfile.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
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

// Drawn afresh from the system for every name, so that processes forked
// from one parent never draw the same names.
std::string RandomName()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device device;
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::string name;
    for (int i = 0; i < 8; ++i)
        name += kAlphabet[pick(device)];
    return name;
}

}  // namespace

CReplacingFile::~CReplacingFile()
{
    if (!m_strTemporary.IsEmpty()) {
        CFile::Close();
        CFile::Remove(m_strTemporary);
    }
}

bool CReplacingFile::Create(const char* pszFileName)
{
    if (IsOpen() || pszFileName == nullptr)
        return false;
    m_strTarget = FollowLinks(pszFileName);
    struct stat old {};
    const bool bReplaces = ::stat(m_strTarget, &old) == 0;
    if (bReplaces && !S_ISREG(old.st_mode))
        return false;

    for (int nTry = 0; nTry < kMaxNameTries; ++nTry) {
        const CString strTemporary = m_strTarget + "." + CString(RandomName()) + ".tmp";
        FileError error = FileError::None;
        if (Open(strTemporary, modeCreateNew | modeWrite | typeText, &error)) {
            m_strTemporary = strTemporary;
            // Nobody may read the new file whom the old one kept out. A file
            // system without permission bits has none to keep.
            if (bReplaces)
                ::fchmod(Descriptor(), old.st_mode & 07777);
            return true;
        }
        if (error == FileError::AccessDenied)
            return Open(m_strTarget, modeCreate | modeWrite | typeText);
        if (error != FileError::NameTaken)
            return false;
    }
    return false;
}

bool CReplacingFile::Close()
{
    if (!IsOpen())
        return true;
    const bool bFlushed = Flush();
    const bool bWritten = CStdioFile::Close() && bFlushed;
    if (m_strTemporary.IsEmpty())
        return bWritten;
    const CString strTemporary = m_strTemporary;
    m_strTemporary.Empty();
    if (bWritten && CFile::Rename(strTemporary, m_strTarget))
        return true;
    CFile::Remove(strTemporary);
    return false;
}

bool CReplacingFile::Copy(const char* pszSource, const char* pszTarget)
{
    CFile source;
    struct stat st {};
    if (!source.Open(pszSource, modeRead | shareDenyWrite) || ::stat(pszSource, &st) != 0)
        return false;
    CReplacingFile target;
    if (!target.Create(pszTarget))
        return false;
    ::fchmod(target.Descriptor(), st.st_mode & 07777);
    char buffer[65536];
    for (UINT n; (n = source.Read(buffer, sizeof buffer)) > 0;) {
        if (!target.Write(buffer, n))
            return false;
    }
    return !source.HasFailed() && target.Close();
}
