#include "cli/clihost.h"

#include <unistd.h>

#include <cstdio>

#include "platform/core/interruptsignals.h"

namespace {

constexpr UINT kBarWidth = 40;

}  // namespace

CCliHost::CCliHost(const MergeJob& job)
    : m_job(job), m_bShowProgress(!job.bQuiet && isatty(STDERR_FILENO))
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
    m_nUpper = nUpper;
}

void CCliHost::SetProgressPos(UINT nPos)
{
    if (!m_bShowProgress)
        return;
    if (nPos == 0) {
        // The merge is over: take the bar off the line.
        if (m_nShownPercent >= 0)
            std::fputs("\r\033[K", stderr);
        m_nShownPercent = -1;
        return;
    }
    const UINT nPercent = m_nUpper > 0 ? static_cast<UINT>(100ull * nPos / m_nUpper) : 100;
    if (static_cast<int>(nPercent) != m_nShownPercent)
        DrawBar(nPercent);
}

bool CCliHost::IsInterrupted()
{
    return GetPendingInterrupt() != 0;
}

void CCliHost::DrawBar(UINT nPercent)
{
    char bar[kBarWidth + 1];
    const UINT nFilled = nPercent * kBarWidth / 100;
    for (UINT i = 0; i < kBarWidth; ++i)
        bar[i] = i < nFilled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(stderr, "\r[%s] %3u%%", bar, nPercent);
    std::fflush(stderr);
    m_nShownPercent = static_cast<int>(nPercent);
}
