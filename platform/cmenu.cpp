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

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0 || nPos >= static_cast<int>(m_items.size()))
        return static_cast<UINT>(-1);
    return m_items[static_cast<size_t>(nPos)].nID;
}

void CMenu::RevertToSystemMenu()
{
    m_items.assign(1, {MF_STRING, SC_CLOSE, "&Close"});
    m_hOwnerWnd->Changed(WindowChange::SystemMenu);
}
