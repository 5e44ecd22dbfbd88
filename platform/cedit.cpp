#include "platform/cedit.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("Edit", "", dwStyle, rect, pParentWnd, nID);
}
