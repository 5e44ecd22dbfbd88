// CMenu: a window's system menu. A dialog with WS_SYSMENU starts with one
// item, "&Close" (SC_CLOSE); the program appends its own items. Changes
// reach the window's peer.
#pragma once

#include <memory>
#include <vector>

#include "core/cstring.h"
#include "platform/windefs.h"

struct MenuItem {
    UINT nFlags;  // MF_STRING or MF_SEPARATOR
    UINT nID;     // 0 for a separator
    CString strText;
};

class CMenu {
public:
    static std::unique_ptr<CMenu> CreateSystemMenu(HWND hOwnerWnd);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    const std::vector<MenuItem>& Items() const { return m_items; }
    void RevertToSystemMenu();

private:
    explicit CMenu(HWND hOwnerWnd) : m_hOwnerWnd(hOwnerWnd) {}

    HWND m_hOwnerWnd;
    std::vector<MenuItem> m_items;
};
