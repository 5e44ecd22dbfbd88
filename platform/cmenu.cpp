#include "platform/cmenu.h"

#include "platform/windowrecord.h"

std::unique_ptr<CMenu> CMenu::CreateSystemMenu(HWND hOwnerWnd)
{
    std::unique_ptr<CMenu> pMenu(new CMenu(hOwnerWnd));
    pMenu->m_items.push_back({MF_STRING, SC_CLOSE, "&Close"});
    return pMenu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    if (nFlags & MF_SEPARATOR)
        m_items.push_back({MF_SEPARATOR, 0, CString()});
    else
        m_items.push_back({MF_STRING, static_cast<UINT>(nIDNewItem), CString(lpszNewItem)});
    m_hOwnerWnd->Changed(WindowChange::SystemMenu);
    return TRUE;
}

void CMenu::RevertToSystemMenu()
{
    m_items.assign(1, {MF_STRING, SC_CLOSE, "&Close"});
    m_hOwnerWnd->Changed(WindowChange::SystemMenu);
}
