// CButton: a push button or an automatic check box.
#pragma once

#include "platform/cwnd.h"

class CButton : public CWnd {
public:
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
};
