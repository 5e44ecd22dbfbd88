// CToolTipCtrl: the tips of a window's controls. Each tool is a control of
// the window the tip control was created for; its tip shows while the
// pointer rests on it, and a screen reader reads it as the control's
// description.
#pragma once

#include "platform/cwnd.h"

constexpr UINT TTF_IDISHWND = 0x0001;  // uId is the tool's window

// The fields of Win32's TOOLINFO that a tool of a control needs.
struct TOOLINFO {
    UINT uFlags = 0;
    UINT_PTR uId = 0;  // with TTF_IDISHWND, the tool's own window
    LPCSTR lpszText = nullptr;
};

class CToolTipCtrl : public CWnd {
public:
    // The tip control of pParentWnd, which owns it and destroys it with itself.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd);
};
