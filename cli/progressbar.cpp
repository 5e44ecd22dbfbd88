#include "cli/progressbar.h"

#include <unistd.h>

#include <cstdio>

namespace {

constexpr UINT kBarWidth = 40;

}  // namespace

CProgressBar::CProgressBar(bool bQuiet) : m_bShown(!bQuiet && isatty(STDERR_FILENO))
{
}

void CProgressBar::SetRange(UINT nUpper)
{
    m_nUpper = nUpper;
}

void CProgressBar::SetPos(UINT nPos)
{
    if (!m_bShown)
        return;
    if (nPos == 0) {
        // The work is over: take the bar off the line.
        if (m_nShownPercent >= 0)
            std::fputs("\r\033[K", stderr);
        m_nShownPercent = -1;
        return;
    }
    const UINT nPercent = m_nUpper > 0 ? static_cast<UINT>(100ull * nPos / m_nUpper) : 100;
    if (static_cast<int>(nPercent) != m_nShownPercent)
        Draw(nPercent);
}

void CProgressBar::Draw(UINT nPercent)
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
