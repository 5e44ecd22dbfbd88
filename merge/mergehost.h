// What the merge engine needs from the program that runs it beyond every
// engine's services: the output path, the channel mask and the header style.
#pragma once

#include "merge/enginehost.h"
#include "core/cstring.h"
#include "core/types.h"

class IMergeHost : public IEngineHost {
public:
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
};
