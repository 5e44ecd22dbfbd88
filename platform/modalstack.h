// CModalStack: the dialogs whose modal loops are running, innermost last.
// The innermost one is the active window: the one a person acts in.
#pragma once

#include <vector>

#include "platform/windefs.h"

class CModalStack {
public:
    static void Push(HWND hDialog);
    static void Pop(HWND hDialog);
    static HWND Top();
    static const std::vector<HWND>& Dialogs();
};
