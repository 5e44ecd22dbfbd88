// CStatic: a static text, or an icon (SS_ICON).
#pragma once

#include "platform/cwnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);
};
