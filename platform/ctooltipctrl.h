// CToolTipCtrl: the tips of a window's controls. Each tool is a control of
// the window the tip control was created for; its tip shows while the
// pointer rests on it, and a screen reader reads it as the control's
// description.
#pragma once

#include "platform/cwnd.h"

constexpr UINT TTF_IDISHWND = 0x0001;  // uId is the tool's window
constexpr UINT TTF_SUBCLASS = 0x0010;  // the tip finds the pointer by itself

struct TOOLINFO {
    UINT cbSize = sizeof(TOOLINFO);
    UINT uFlags = 0;
    HWND hwnd = nullptr;  // the window the tool belongs to
    UINT_PTR uId = 0;     // with TTF_IDISHWND, the tool's own window
    LPCSTR lpszText = nullptr;
};

class CToolTipCtrl : public CWnd {
public:
    // The tip control of pParentWnd, which owns it and destroys it with itself.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd);
};
