// CCliHost: the command line's side of a merge. The output path, mask,
// header style and "bext" chunk come from the job; messages, progress and
// signals are the terminal's.
#pragma once

#include "cli/mergejob.h"
#include "cli/terminalhost.h"
#include "merge/mergehost.h"

class CCliHost : public CTerminalHost<IMergeHost> {
public:
    explicit CCliHost(const MergeJob& job);

    bool ChooseOutputPath(CString& strOutputPath) override;
    DWORD GetChannelMask() override;
    bool GetNoExtensible() override;
    bool GetCarryBext() override;

private:
    const MergeJob& m_job;
};
