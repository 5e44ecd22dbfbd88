#include "cli/clihost.h"

CCliHost::CCliHost(const MergeJob& job, const COutputComparer* pComparer)
    : CTerminalHost(job.bQuiet), m_job(job), m_pComparer(pComparer)
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

bool CCliHost::IsInterrupted()
{
    return CTerminalHost::IsInterrupted() || (m_pComparer != nullptr && m_pComparer->IsDecided());
}
