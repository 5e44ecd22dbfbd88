// CSplitHost: the command line's side of a split. Messages go to standard
// error, and the progress is a bar there while it is a terminal. A caught
// signal interrupts the split.
#pragma once

#include "cli/progressbar.h"
#include "merge/enginehost.h"

class CSplitHost : public IEngineHost {
public:
    explicit CSplitHost(bool bQuiet) : m_bar(bQuiet) {}

    void ShowMessage(const char* pszText) override;
    void SetProgressRange(UINT nUpper) override;
    void SetProgressPos(UINT nPos) override;
    bool IsInterrupted() override;

private:
    CProgressBar m_bar;
};
