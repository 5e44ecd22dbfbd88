#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"

namespace {

int Count(HWND hWnd)
{
    return static_cast<int>(hWnd->Items().size());
}

bool IsMultiple(HWND hWnd)
{
    return (hWnd->Style() & LBS_MULTIPLESEL) != 0;
}

bool IsValid(HWND hWnd, int nIndex)
{
    return nIndex >= 0 && nIndex < Count(hWnd);
}


LRESULT SetSel(HWND hWnd, bool bSelect, int nIndex)
{
    if (!IsMultiple(hWnd) || (nIndex != -1 && !IsValid(hWnd, nIndex)))
        return LB_ERR;
    for (int i = 0; i < Count(hWnd); ++i)
        if ((nIndex == -1 || i == nIndex) && hWnd->IsItemSelected(i) != bSelect)
            hWnd->SetItemSelected(i, bSelect);
    return 0;
}

LRESULT SelectedItems(HWND hWnd, int nMax, LPARAM lParam)
{
    if (!IsMultiple(hWnd))
        return LB_ERR;
    int* pItems = reinterpret_cast<int*>(lParam);
    int nFound = 0;
    for (int i = 0; i < Count(hWnd) && nFound < nMax; ++i)
        if (hWnd->IsItemSelected(i))
            pItems[nFound++] = i;
    return nFound;
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    int nIndex = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case LB_ADDSTRING:
        return hWnd->AddItem(reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING:
        if (!IsValid(hWnd, nIndex))
            return LB_ERR;
        hWnd->DeleteItem(nIndex);
        return Count(hWnd);
    case LB_RESETCONTENT:
        hWnd->ResetItems();
        return 0;
    case LB_GETCOUNT:
        return Count(hWnd);
    case LB_SETSEL:
        return SetSel(hWnd, wParam != 0, static_cast<int>(lParam));
    case LB_GETSELCOUNT: {
        if (!IsMultiple(hWnd))
            return LB_ERR;
        int nSelected = 0;
        for (int i = 0; i < Count(hWnd); ++i)
            nSelected += hWnd->IsItemSelected(i) ? 1 : 0;
        return nSelected;
    }
    case LB_GETSELITEMS:
        return SelectedItems(hWnd, nIndex, lParam);
    case LB_SETCURSEL:
        if (IsMultiple(hWnd))
            return LB_ERR;
        hWnd->SetCurSel(IsValid(hWnd, nIndex) ? nIndex : -1);
        return IsValid(hWnd, nIndex) ? nIndex : LB_ERR;
    case LB_GETCURSEL:
        return IsMultiple(hWnd) ? LB_ERR : hWnd->CurSel();
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
