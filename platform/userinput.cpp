#include "platform/userinput.h"

#include "platform/cwnd.h"
#include "platform/messages.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"

namespace {

CString Describe(HWND hWnd)
{
    CString str;
    str.Format("%s %d", hWnd->ClassName(), hWnd->Id());
    return str;
}

// Why a person cannot reach the window, or empty.
CString Unreachable(HWND hWnd)
{
    if (!CWindowRecord::IsWindow(hWnd))
        return "no such window";
    for (HWND h = hWnd; h; h = h->Parent()) {
        if (!h->IsVisible())
            return Describe(hWnd) + " is hidden";
        if (!h->IsEnabled())
            return Describe(hWnd) + " is disabled";
    }
    return CString();
}

void Notify(HWND hControl, WORD nCode)
{
    ::SendMessage(hControl->Parent(), WM_COMMAND,
                  MAKEWPARAM(LOWORD(static_cast<std::uintptr_t>(hControl->Id())), nCode),
                  reinterpret_cast<LPARAM>(hControl));
}

bool IsButton(HWND hWnd, DWORD dwType)
{
    return hWnd->Kind() == WindowKind::Button && (hWnd->Style() & BS_TYPEMASK) == dwType;
}

bool IsPushButton(HWND hWnd)
{
    return IsButton(hWnd, BS_PUSHBUTTON) || IsButton(hWnd, BS_DEFPUSHBUTTON);
}

bool IsCheckBox(HWND hWnd)
{
    return IsButton(hWnd, BS_AUTOCHECKBOX);
}

void TakeFocus(HWND hControl)
{
    CWnd::FromHandle(hControl)->SetFocus();
}

CString NeedsTopLevel(HWND hDialog)
{
    CString strWhy = Unreachable(hDialog);
    if (strWhy.IsEmpty() && hDialog->Parent())
        strWhy = Describe(hDialog) + " is not a dialog";
    return strWhy;
}

}  // namespace

CString CUserInput::Click(HWND hControl)
{
    CString strWhy = Unreachable(hControl);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (!IsPushButton(hControl) && !IsCheckBox(hControl))
        return Describe(hControl) + " is not a button";
    TakeFocus(hControl);
    if (IsCheckBox(hControl))
        hControl->SetCheck(hControl->Check() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    Notify(hControl, BN_CLICKED);
    return CString();
}

CString CUserInput::Check(HWND hControl, int nCheck)
{
    CString strWhy = Unreachable(hControl);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (!IsCheckBox(hControl))
        return Describe(hControl) + " is not a check box";
    if (hControl->Check() == nCheck)
        return CString();
    return Click(hControl);
}

CString CUserInput::Select(HWND hControl, int nIndex)
{
    CString strWhy = Unreachable(hControl);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (hControl->Kind() != WindowKind::ComboBox)
        return Describe(hControl) + " is not a combo box";
    if (nIndex < 0 || nIndex >= static_cast<int>(hControl->Items().size()))
        return Describe(hControl) + " has no item " + CString(std::to_string(nIndex));
    TakeFocus(hControl);
    hControl->SetCurSel(nIndex);
    hControl->SetText(hControl->Items()[static_cast<size_t>(nIndex)]);
    Notify(hControl, CBN_SELCHANGE);
    return CString();
}

CString CUserInput::Toggle(HWND hControl, int nIndex)
{
    CString strWhy = Unreachable(hControl);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (hControl->Kind() != WindowKind::ListBox || !(hControl->Style() & LBS_MULTIPLESEL))
        return Describe(hControl) + " is not a multiple-selection list box";
    if (nIndex < 0 || nIndex >= static_cast<int>(hControl->Items().size()))
        return Describe(hControl) + " has no item " + CString(std::to_string(nIndex));
    TakeFocus(hControl);
    hControl->SetItemSelected(nIndex, !hControl->IsItemSelected(nIndex));
    if (hControl->Style() & LBS_NOTIFY)
        Notify(hControl, LBN_SELCHANGE);
    return CString();
}

CString CUserInput::Type(HWND hControl, const CString& strText)
{
    CString strWhy = Unreachable(hControl);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (!hControl->HasEditField())
        return Describe(hControl) + " has no edit field";
    TakeFocus(hControl);
    hControl->SetText(strText);
    if (hControl->Kind() == WindowKind::Edit) {
        Notify(hControl, EN_CHANGE);
    } else {
        // Typing leaves no item of a combo box selected.
        if (hControl->CurSel() != -1)
            hControl->SetCurSel(-1);
        Notify(hControl, CBN_EDITCHANGE);
    }
    return CString();
}

CString CUserInput::Focus(HWND hControl)
{
    CString strWhy = Unreachable(hControl);
    if (strWhy.IsEmpty())
        TakeFocus(hControl);
    return strWhy;
}

CString CUserInput::Key(HWND hDialog, UINT nVirtualKey)
{
    CString strWhy = NeedsTopLevel(hDialog);
    if (!strWhy.IsEmpty())
        return strWhy;
    int nID;
    if (nVirtualKey == VK_ESCAPE) {
        nID = IDCANCEL;
    } else if (nVirtualKey == VK_RETURN) {
        HWND hFocus = hDialog->FocusChild();
        if (hFocus && IsPushButton(hFocus)) {
            nID = hFocus->Id();
        } else {
            LRESULT lDefId = ::SendMessage(hDialog, DM_GETDEFID, 0, 0);
            nID = HIWORD(static_cast<std::uintptr_t>(lDefId)) == DC_HASDEFID
                      ? static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lDefId)))
                      : IDOK;
        }
    } else {
        return "no such key";
    }
    // The dialog manager does nothing for a disabled button.
    HWND hButton = hDialog->FindChild(nID);
    if (hButton && !hButton->IsEnabled())
        return CString();
    ::SendMessage(hDialog, WM_COMMAND, MAKEWPARAM(LOWORD(static_cast<std::uintptr_t>(nID)), BN_CLICKED),
                  reinterpret_cast<LPARAM>(hButton));
    return CString();
}

CString CUserInput::Close(HWND hDialog)
{
    return SysCommand(hDialog, SC_CLOSE);
}

CString CUserInput::DropFiles(HWND hWnd, const std::vector<CString>& files, POINT point)
{
    CString strWhy = Unreachable(hWnd);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (files.empty())
        return "nothing to drop";
    HWND hTarget = hWnd;
    while (hTarget && !(hTarget->ExStyle() & WS_EX_ACCEPTFILES)) {
        if (!hTarget->Parent())
            return Describe(hWnd) + " takes no dropped files";
        point.x += hTarget->Rect().left;
        point.y += hTarget->Rect().top;
        hTarget = hTarget->Parent();
    }
    ::SendMessage(hTarget, WM_DROPFILES, reinterpret_cast<WPARAM>(AfxCreateDrop(files, point)), 0);
    return CString();
}

CString CUserInput::SysCommand(HWND hDialog, UINT nID)
{
    CString strWhy = NeedsTopLevel(hDialog);
    if (!strWhy.IsEmpty())
        return strWhy;
    if (!(hDialog->Style() & WS_SYSMENU))
        return Describe(hDialog) + " has no system menu";
    ::SendMessage(hDialog, WM_SYSCOMMAND, nID, 0);
    return CString();
}
