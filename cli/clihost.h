// CCliHost: the command line's side of a merge. The output path, mask,
// header style and "bext" chunk come from the job; messages, progress and
// signals are the terminal's. A check ends the merge as soon as its
// comparer has its answer, as if interrupted.
#pragma once

#include "cli/mergejob.h"
#include "cli/terminalhost.h"
#include "merge/mergehost.h"
#include "merge/outputcomparer.h"

class CCliHost : public CTerminalHost<IMergeHost> {
public:
    explicit CCliHost(const MergeJob& job, const COutputComparer* pComparer = nullptr);

    bool ChooseOutputPath(CString& strOutputPath) override;
    DWORD GetChannelMask() override;
    bool GetNoExtensible() override;
    bool GetCarryBext() override;
    bool IsInterrupted() override;

private:
    const MergeJob& m_job;
    const COutputComparer* m_pComparer;
};
