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

LRESULT Insert(HWND hWnd, int nIndex, LPARAM lParam)
{
    if (nIndex == -1)
        nIndex = Count(hWnd);
    if (nIndex < 0 || nIndex > Count(hWnd))
        return LB_ERR;
    hWnd->InsertItem(nIndex, reinterpret_cast<const char*>(lParam));
    if (hWnd->CurSel() >= nIndex)
        hWnd->SetCurSel(hWnd->CurSel() + 1);
    return nIndex;
}

LRESULT Delete(HWND hWnd, int nIndex)
{
    if (!IsValid(hWnd, nIndex))
        return LB_ERR;
    int nSel = hWnd->CurSel();
    hWnd->DeleteItem(nIndex);
    if (nSel == nIndex)
        hWnd->SetCurSel(-1);
    else if (nSel > nIndex)
        hWnd->SetCurSel(nSel - 1);
    return Count(hWnd);
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
        return Insert(hWnd, -1, lParam);
    case LB_INSERTSTRING:
        return Insert(hWnd, nIndex, lParam);
    case LB_DELETESTRING:
        return Delete(hWnd, nIndex);
    case LB_RESETCONTENT:
        hWnd->ResetItems();
        return 0;
    case LB_GETCOUNT:
        return Count(hWnd);
    case LB_GETTEXT: {
        if (!IsValid(hWnd, nIndex))
            return LB_ERR;
        const CString& str = hWnd->Items()[nIndex];
        return CopyTextToBuffer(str, static_cast<size_t>(str.GetLength()) + 1, lParam);
    }
    case LB_GETTEXTLEN:
        return IsValid(hWnd, nIndex) ? hWnd->Items()[nIndex].GetLength() : LB_ERR;
    case LB_SETSEL:
        return SetSel(hWnd, wParam != 0, static_cast<int>(lParam));
    case LB_GETSEL:
        if (!IsValid(hWnd, nIndex))
            return LB_ERR;
        return IsMultiple(hWnd) ? hWnd->IsItemSelected(nIndex) : hWnd->CurSel() == nIndex;
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
