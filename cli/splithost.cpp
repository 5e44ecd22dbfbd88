#include "cli/splithost.h"

#include <cstdio>

#include "platform/core/interruptsignals.h"

void CSplitHost::ShowMessage(const char* pszText)
{
    std::fprintf(stderr, "%s\n", pszText);
}

void CSplitHost::SetProgressRange(UINT nUpper)
{
    m_bar.SetRange(nUpper);
}

void CSplitHost::SetProgressPos(UINT nPos)
{
    m_bar.SetPos(nPos);
}

bool CSplitHost::IsInterrupted()
{
    return GetPendingInterrupt() != 0;
}
