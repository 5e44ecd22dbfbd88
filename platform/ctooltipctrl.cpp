#include "platform/ctooltipctrl.h"

#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"

namespace {

TOOLINFO ToolOf(CWnd* pWnd, LPCSTR lpszText)
{
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND;
    info.uId = reinterpret_cast<UINT_PTR>(pWnd ? pWnd->GetSafeHwnd() : nullptr);
    info.lpszText = lpszText;
    return info;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    if (m_hWnd || !pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;
    // A popup of its own, as Win32 makes it: not one of the dialog's controls.
    WindowCreateParams params;
    params.kind = WindowKind::ToolTip;
    params.dwStyle = WS_POPUP | dwStyle;
    params.hOwner = pParentWnd->GetSafeHwnd();
    return CreateWindowRecord(params);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText)
{
    TOOLINFO info = ToolOf(pWnd, lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd)
{
    TOOLINFO info = ToolOf(pWnd, lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&info));
}
