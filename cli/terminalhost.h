// CTerminalHost: what every command line gives its engine. Messages go to
// standard error, the progress is a bar there while it is a terminal, and a
// caught signal interrupts the engine. Host is the engine's host interface;
// a merge adds its own questions on top.
#pragma once

#include <cstdio>

#include "cli/progressbar.h"
#include "merge/enginehost.h"
#include "core/interruptsignals.h"

template <class Host>
class CTerminalHost : public Host {
public:
    explicit CTerminalHost(bool bQuiet) : m_bar(bQuiet) {}

    void ShowMessage(const char* pszText) override { std::fprintf(stderr, "%s\n", pszText); }
    void SetProgressRange(UINT nUpper) override { m_bar.SetRange(nUpper); }
    void SetProgressPos(UINT nPos) override { m_bar.SetPos(nPos); }
    bool IsInterrupted() override { return GetPendingInterrupt() != 0; }

private:
    CProgressBar m_bar;
};

// A split asks nothing more of its host.
using CSplitHost = CTerminalHost<IEngineHost>;
