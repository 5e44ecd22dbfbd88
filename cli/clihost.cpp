#include "cli/clihost.h"

#include <cstdio>

#include "platform/core/interruptsignals.h"

CCliHost::CCliHost(const MergeJob& job) : m_job(job), m_bar(job.bQuiet)
{
}

bool CCliHost::ChooseOutputPath(CString& strOutputPath)
{
    strOutputPath = m_job.strOutputPath;
    return true;
}

DWORD CCliHost::GetChannelMask()
{
    return m_job.dwChannelMask;
}

bool CCliHost::GetNoExtensible()
{
    return m_job.bNoExtensible;
}

bool CCliHost::GetCarryBext()
{
    return m_job.bCarryBext;
}

void CCliHost::ShowMessage(const char* pszText)
{
    std::fprintf(stderr, "%s\n", pszText);
}

void CCliHost::SetProgressRange(UINT nUpper)
{
    m_bar.SetRange(nUpper);
}

void CCliHost::SetProgressPos(UINT nPos)
{
    m_bar.SetPos(nPos);
}

bool CCliHost::IsInterrupted()
{
    return GetPendingInterrupt() != 0;
}
