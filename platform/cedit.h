// CEdit: a one-line edit control; its text is the window text, which ends
// before the first line break it was given.
#pragma once

#include "platform/cwnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
};
