#include "platform/clistbox.h"

#include <vector>

#include "platform/winapi.h"

int CListBox::AddString(LPCSTR lpszItem)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex, 0));
}

void CListBox::ResetContent()
{
    SendMessage(LB_RESETCONTENT, 0, 0);
}

int CListBox::GetCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return static_cast<int>(SendMessage(LB_SETSEL, static_cast<WPARAM>(bSelect), nIndex));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETSELCOUNT, 0, 0));
}

int CListBox::GetSelItems(int nMaxItems, int* rgIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems),
                                          reinterpret_cast<LPARAM>(rgIndex)));
}
