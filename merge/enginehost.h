// What every engine of Plexora needs from the program that runs it: a place
// for its one message, a progress display and a way to learn that it was
// asked to end. The desktop dialog, the command lines and the tests each
// provide these, so no engine touches a window.
#pragma once

#include "core/types.h"

class IEngineHost {
public:
    virtual ~IEngineHost() = default;

    // Shows one text to the user (with OK only) and returns once it is read.
    virtual void ShowMessage(const char* pszText) = 0;

    // The progress of the block loop: a range 0..nUpper, then positions in
    // it; 0 once the loop is over.
    virtual void SetProgressRange(UINT nUpper) = 0;
    virtual void SetProgressPos(UINT nPos) = 0;

    // True once the program was asked to end (a signal): the engine stops
    // before its next block, shows no message and leaves no output.
    virtual bool IsInterrupted() { return false; }
};

// How far an engine got when it failed: once its blocks are being copied,
// the progress is taken back too.
enum class FailureStage { BeforeCopy, InCopy };

// The one way every engine ends a failed run: its one message (pszMessage,
// none when null), unless the program was asked to end.
inline void ReportFailure(IEngineHost& host, const char* pszMessage, FailureStage eStage)
{
    if (eStage == FailureStage::InCopy)
        host.SetProgressPos(0);
    if (pszMessage != nullptr && !host.IsInterrupted())
        host.ShowMessage(pszMessage);
}
