#include <algorithm>
#include <cstring>

#include "platform/dropfiles.h"
#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"

LRESULT CopyTextToBuffer(const CString& strText, size_t nSize, LPARAM lBuffer)
{
    char* pBuffer = reinterpret_cast<char*>(lBuffer);
    if (nSize == 0 || pBuffer == nullptr)
        return 0;
    size_t nCopied = std::min(static_cast<size_t>(strText.GetLength()), nSize - 1);
    std::memcpy(pBuffer, strText.GetString(), nCopied);
    pBuffer[nCopied] = '\0';
    return static_cast<LRESULT>(nCopied);
}

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT:
        hWnd->SetText(reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyTextToBuffer(hWnd->Text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return hWnd->Text().GetLength();
    case WM_SETFONT:
        hWnd->SetFont(reinterpret_cast<HFONT>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(hWnd->Font());
    case WM_SETICON: {
        bool bBig = wParam == ICON_BIG;
        HICON hPrevious = hWnd->Icon(bBig);
        hWnd->SetIcon(bBig, reinterpret_cast<HICON>(lParam));
        return reinterpret_cast<LRESULT>(hPrevious);
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE: ::SendMessage(hWnd, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: hWnd->SetIconic(true); break;
        case SC_RESTORE: hWnd->SetIconic(false); break;
        default: break;
        }
        return 0;
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(hWnd->Icon(true));
    case WM_DROPFILES:
        // Nobody took the files: the handle is freed all the same.
        DragFinish(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        return 0;
    }
}

LRESULT DefDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE: {
        // The close box and the system menu's Close act like a Cancel button.
        HWND hCancel = hWnd->FindChild(IDCANCEL);
        if (!hCancel || hCancel->IsEnabled())
            ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(hCancel));
        return 0;
    }
    case DM_GETDEFID:
        for (HWND hChild : hWnd->Children()) {
            if (hChild->Kind() == WindowKind::Button &&
                (hChild->Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                return MAKELRESULT(LOWORD(static_cast<std::uintptr_t>(hChild->Id())), DC_HASDEFID);
        }
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
