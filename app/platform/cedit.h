// CEdit: a one-line edit control; its text is the window text.
#pragma once

#include "platform/cwnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
};
