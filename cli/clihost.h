// CCliHost: the command line's side of a merge. The output path, mask,
// header style and "bext" chunk come from the job; messages go to standard
// error, and the progress is a bar there while it is a terminal. A caught
// signal interrupts the merge.
#pragma once

#include "cli/mergejob.h"
#include "cli/progressbar.h"
#include "merge/mergehost.h"

class CCliHost : public IMergeHost {
public:
    explicit CCliHost(const MergeJob& job);

    bool ChooseOutputPath(CString& strOutputPath) override;
    DWORD GetChannelMask() override;
    bool GetNoExtensible() override;
    bool GetCarryBext() override;
    void ShowMessage(const char* pszText) override;
    void SetProgressRange(UINT nUpper) override;
    void SetProgressPos(UINT nPos) override;
    bool IsInterrupted() override;

private:
    const MergeJob& m_job;
    CProgressBar m_bar;
};
