#include "merge/outputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

// The file a name leads to through symbolic links, which may not exist yet
// (a dangling link names the file it will create).
std::string FollowLinks(const std::string& strPath)
{
    fs::path path = strPath;
    std::error_code ec;
    for (int i = 0; i < kMaxLinks && fs::is_symlink(path, ec); ++i) {
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path.string();
}

// The permission bits a new file gets from this process.
mode_t NewFileMode()
{
    const mode_t umaskBits = ::umask(0);
    ::umask(umaskBits);
    return 0666 & ~umaskBits;
}

bool IsDirectOutput(const char* pszPath)
{
    struct stat st {};
    if (std::strncmp(pszPath, "/dev/", 5) == 0)
        return true;
    return ::stat(pszPath, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

// Whether the name leads to the file that is open in file.
bool LeadsTo(const char* pszPath, const CFile& file)
{
    const bool bStandardOutput = std::strcmp(pszPath, kStandardOutputName) == 0;
    return file.IsSameFileAs(bStandardOutput ? "/proc/self/fd/1" : pszPath);
}

}  // namespace

CString DescribeOutputOutcome(const CString& strPath, const OutputOutcome& outcome)
{
    const char* pszPath = strPath.GetString();
    const char* pszReason = std::strerror(outcome.nSystemError);
    CString strText;
    switch (outcome.eError) {
    case OutputError::None:
        break;
    case OutputError::NamesAnInput:
        strText.Format("The output '%s' is one of the inputs.", pszPath);
        break;
    case OutputError::CannotCreate:
        strText.Format("The output '%s' can't be created: %s.", pszPath, pszReason);
        break;
    case OutputError::CannotWrite:
        strText.Format("The output '%s' can't be written: %s.", pszPath, pszReason);
        break;
    case OutputError::CannotReplace:
        strText.Format("The output '%s' can't be put in place: %s.", pszPath, pszReason);
        break;
    }
    return strText;
}

COutputFile::~COutputFile()
{
    Discard();
}

bool COutputFile::Fail(OutputError eError, int nSystemError)
{
    m_outcome = {eError, nSystemError};
    return false;
}

bool COutputFile::Open(const char* pszPath, std::span<const CFile* const> keepOut)
{
    m_outcome = {};
    m_strTempPath.clear();
    for (const CFile* pFile : keepOut) {
        if (LeadsTo(pszPath, *pFile))
            return Fail(OutputError::NamesAnInput, 0);
    }
    if (std::strcmp(pszPath, kStandardOutputName) == 0) {
        const int fd = ::dup(STDOUT_FILENO);
        if (fd < 0 || !m_file.Attach(fd)) {
            const int nError = fd < 0 ? errno : EBUSY;
            if (fd >= 0)
                ::close(fd);
            return Fail(OutputError::CannotCreate, nError);
        }
        return true;
    }
    if (IsDirectOutput(pszPath)) {
        if (!m_file.Open(pszPath, CFile::modeCreate | CFile::modeWrite))
            return Fail(OutputError::CannotCreate, m_file.GetSystemError());
        return true;
    }
    return OpenAside(FollowLinks(pszPath));
}

bool COutputFile::OpenAside(const std::string& strTarget)
{
    struct stat target {};
    const bool bReplaces = ::stat(strTarget.c_str(), &target) == 0;
    if (bReplaces && S_ISDIR(target.st_mode))
        return Fail(OutputError::CannotCreate, EISDIR);
    // A file made read-only is kept, as it would be if written in place.
    if (bReplaces && ::access(strTarget.c_str(), W_OK) != 0)
        return Fail(OutputError::CannotCreate, errno);

    // Hidden beside the target, under a name nobody else can have taken.
    const fs::path targetPath = strTarget;
    const fs::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : fs::path(".");
    std::string strName = ".";
    strName += targetPath.filename().string();
    strName += ".XXXXXX";
    std::string strTemp = (folder / strName).string();
    const int fd = ::mkostemp(strTemp.data(), O_CLOEXEC);
    if (fd < 0)
        return Fail(OutputError::CannotCreate, errno);
    const mode_t mode = bReplaces ? (target.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd, mode) != 0 || !m_file.Attach(fd)) {
        const int nError = errno;
        ::close(fd);
        ::unlink(strTemp.c_str());
        return Fail(OutputError::CannotCreate, nError);
    }
    m_strTargetPath = strTarget;
    m_strTempPath = strTemp;
    return true;
}

bool COutputFile::Write(const void* pBuffer, UINT nCount)
{
    if (m_file.Write(pBuffer, nCount))
        return true;
    return Fail(OutputError::CannotWrite, m_file.GetSystemError());
}

bool COutputFile::Commit()
{
    if (!m_file.Close()) {
        Fail(OutputError::CannotReplace, m_file.GetSystemError());
        Discard();
        return false;
    }
    if (m_strTempPath.empty())
        return true;
    if (std::rename(m_strTempPath.c_str(), m_strTargetPath.c_str()) != 0) {
        Fail(OutputError::CannotReplace, errno);
        Discard();
        return false;
    }
    m_strTempPath.clear();
    return true;
}

void COutputFile::Discard()
{
    m_file.Close();
    if (!m_strTempPath.empty())
        ::unlink(m_strTempPath.c_str());
    m_strTempPath.clear();
}
