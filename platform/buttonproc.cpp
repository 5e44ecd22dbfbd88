#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"

LRESULT ButtonWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool bCheckBox = (hWnd->Style() & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    switch (message) {
    case BM_GETCHECK:
        return bCheckBox ? hWnd->Check() : BST_UNCHECKED;
    case BM_SETCHECK:
        if (bCheckBox && hWnd->Check() != static_cast<int>(wParam))
            hWnd->SetCheck(wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
        return 0;
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
