#include "platform/ctooltipctrl.h"
#include "platform/messages.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"

// The tip is kept with the tool's window, whose peer shows it: a tool that
// goes takes its tip along.
LRESULT ToolTipWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TTM_ADDTOOL:
    case TTM_UPDATETIPTEXT: {
        const auto* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
        const auto hTool = pInfo ? reinterpret_cast<HWND>(pInfo->uId) : nullptr;
        if (!pInfo || !(pInfo->uFlags & TTF_IDISHWND) || !CWindowRecord::IsWindow(hTool))
            return FALSE;
        hTool->SetToolTip(pInfo->lpszText ? pInfo->lpszText : "");
        return TRUE;
    }
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
