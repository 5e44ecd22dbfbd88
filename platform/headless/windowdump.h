// CWindowDump: a window and its children as text, one line each, for the
// scenario command `dump` and for mismatch reports.
#pragma once

#include "core/cstring.h"
#include "platform/windefs.h"

class CWindowDump {
public:
    static CString Dump(HWND hWnd);
    // One control: id, class, text, rectangle in the parent's client
    // pixels, then its state.
    static CString Describe(HWND hWnd);
    // A text as the script language writes it.
    static CString Quote(const CString& strText);
};
