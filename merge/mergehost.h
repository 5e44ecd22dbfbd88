// What the merge engine needs from the program that runs it. The desktop
// dialog, the command line and the tests each provide these services, so
// the engine never touches a window.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/types.h"

class IMergeHost {
public:
    virtual ~IMergeHost() = default;

    // Sets strOutputPath and returns true, or returns false when the user
    // declines; the merge then ends without a message.
    virtual bool ChooseOutputPath(CString& strOutputPath) = 0;

    // The selected configuration's channel mask and the old-style option
    // (a plain PCM header instead of WAVE_FORMAT_EXTENSIBLE), asked for when
    // the header is written.
    virtual DWORD GetChannelMask() = 0;
    virtual bool GetNoExtensible() = 0;
    // Whether the first input's "bext" chunk (Broadcast Wave) goes into the
    // output; the desktop program never asks for it.
    virtual bool GetCarryBext() { return false; }

    // Shows one text to the user (with OK only) and returns once it is read.
    virtual void ShowMessage(const char* pszText) = 0;

    // The progress of the block loop: a range 0..nUpper, then positions in it.
    virtual void SetProgressRange(UINT nUpper) = 0;
    virtual void SetProgressPos(UINT nPos) = 0;

    // True once the program was asked to end (a signal): the merge stops
    // before its next block, shows no message and leaves no output.
    virtual bool IsInterrupted() { return false; }
};
