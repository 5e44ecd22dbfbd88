#include "merge/outputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// By what the name holds, not where it is: /dev/shm holds files.
bool IsDirectOutput(const char* pszPath)
{
    struct stat st {};
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
    m_pFile = nullptr;
    for (const CFile* pFile : keepOut) {
        if (LeadsTo(pszPath, *pFile))
            return Fail(OutputError::NamesAnInput, 0);
    }
    if (std::strcmp(pszPath, kStandardOutputName) == 0) {
        const int fd = ::dup(STDOUT_FILENO);
        if (fd < 0 || !m_direct.Attach(fd)) {
            const int nError = fd < 0 ? errno : EBUSY;
            if (fd >= 0)
                ::close(fd);
            return Fail(OutputError::CannotCreate, nError);
        }
        m_pFile = &m_direct;
        return true;
    }
    if (IsDirectOutput(pszPath)) {
        if (!m_direct.Open(pszPath, CFile::modeCreate | CFile::modeWrite))
            return Fail(OutputError::CannotCreate, m_direct.GetSystemError());
        m_pFile = &m_direct;
        return true;
    }
    if (!m_aside.Create(pszPath, InPlace::Refused))
        return Fail(OutputError::CannotCreate, m_aside.GetSystemError());
    m_pFile = &m_aside;
    return true;
}

bool COutputFile::Write(const void* pBuffer, UINT nCount)
{
    if (m_pFile != nullptr && m_pFile->Write(pBuffer, nCount))
        return true;
    return Fail(OutputError::CannotWrite, m_pFile ? m_pFile->GetSystemError() : EBADF);
}

bool COutputFile::Commit()
{
    if (m_pFile == nullptr)
        return Fail(OutputError::CannotReplace, EBADF);
    CFile* pFile = m_pFile;
    m_pFile = nullptr;
    if (pFile->Close())
        return true;
    return Fail(OutputError::CannotReplace, pFile->GetSystemError());
}

bool COutputFile::CommitKeepingOld()
{
    if (m_pFile != &m_aside)
        return Commit();
    m_pFile = nullptr;
    if (m_aside.CloseKeepingOld())
        return true;
    return Fail(OutputError::CannotReplace, m_aside.GetSystemError());
}

void COutputFile::Discard()
{
    m_aside.Discard();
    m_direct.Close();
    m_pFile = nullptr;
}
