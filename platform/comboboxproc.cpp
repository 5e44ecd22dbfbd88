#include <cstring>

#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"

namespace {

int Count(HWND hWnd)
{
    return static_cast<int>(hWnd->Items().size());
}

bool IsDropDownList(HWND hWnd)
{
    return (hWnd->Style() & CBS_TYPEMASK) == CBS_DROPDOWNLIST;
}

// A drop-down list shows its selection; the other kinds have an edit field
// of their own, which a pick fills and which deleting items leaves alone.
void Select(HWND hWnd, int nIndex)
{
    hWnd->SetCurSel(nIndex);
    hWnd->SetText(nIndex >= 0 ? hWnd->Items()[nIndex] : CString());
}

LRESULT Delete(HWND hWnd, int nIndex)
{
    if (nIndex < 0 || nIndex >= Count(hWnd))
        return CB_ERR;
    bool bSelected = hWnd->CurSel() == nIndex;
    hWnd->DeleteItem(nIndex);
    if (bSelected && IsDropDownList(hWnd))
        hWnd->SetText(CString());
    return Count(hWnd);
}

LRESULT FindExact(HWND hWnd, int nStartAfter, const char* psz)
{
    int nCount = Count(hWnd);
    if (nStartAfter < -1 || nStartAfter >= nCount)
        nStartAfter = -1;
    for (int i = 1; i <= nCount; ++i) {
        int nIndex = (nStartAfter + i) % nCount;
        if (hWnd->Items()[nIndex].CompareNoCase(psz) == 0)
            return nIndex;
    }
    return CB_ERR;
}

}  // namespace

LRESULT ComboBoxWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    int nIndex = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case CB_ADDSTRING:
        return hWnd->AddItem(reinterpret_cast<const char*>(lParam));
    case CB_DELETESTRING:
        return Delete(hWnd, nIndex);
    case CB_GETCOUNT:
        return Count(hWnd);
    case CB_GETCURSEL:
        return hWnd->CurSel();
    case CB_SETCURSEL:
        if (nIndex < 0 || nIndex >= Count(hWnd)) {
            Select(hWnd, -1);
            return CB_ERR;
        }
        Select(hWnd, nIndex);
        return nIndex;
    case CB_GETLBTEXT: {
        if (nIndex < 0 || nIndex >= Count(hWnd))
            return CB_ERR;
        const CString& str = hWnd->Items()[nIndex];
        return CopyTextToBuffer(str, static_cast<size_t>(str.GetLength()) + 1, lParam);
    }
    case CB_GETLBTEXTLEN:
        return nIndex < 0 || nIndex >= Count(hWnd) ? CB_ERR : hWnd->Items()[nIndex].GetLength();
    case CB_FINDSTRINGEXACT:
        return FindExact(hWnd, nIndex, reinterpret_cast<const char*>(lParam));
    case CB_RESETCONTENT:
        hWnd->ResetItems();
        hWnd->SetText(CString());
        return 0;
    case WM_SETTEXT:
        // A drop-down list has no edit field to set.
        if (IsDropDownList(hWnd))
            return CB_ERR;
        return DefWindowProc(hWnd, message, wParam, lParam);
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
