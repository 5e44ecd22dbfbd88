#include "platform/cdialog.h"

#include <cstring>

#include "platform/backend.h"
#include "platform/cfont.h"
#include "platform/dialogunits.h"
#include "platform/modalstack.h"
#include "platform/resources.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

HFONT CreateTemplateFont(const DialogTemplate& dialogTemplate, int nDpi)
{
    LOGFONT logFont = {};
    logFont.lfHeight = -MulDiv(dialogTemplate.wPointSize, nDpi, 72);
    std::strncpy(logFont.lfFaceName, dialogTemplate.pszFontFace ? dialogTemplate.pszFontFace : "",
                 LF_FACESIZE - 1);
    return FontObject::Create(logFont);
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    const DialogTemplate* pTemplate = AfxFindDialogTemplate(m_nIDTemplate);
    if (!pTemplate || m_hWnd)
        return -1;

    HWND hOwner = m_pParentWnd && m_pParentWnd->m_hWnd ? m_pParentWnd->m_hWnd->TopLevel() : CModalStack::Top();
    bool bEnableOwner = hOwner && hOwner->IsEnabled();
    if (bEnableOwner)
        CWnd::FromHandle(hOwner)->EnableWindow(FALSE);

    m_nModalResult = -1;
    if (CreateFromTemplate(*pTemplate, hOwner)) {
        HWND hDialog = m_hWnd;
        CModalStack::Push(hDialog);
        HWND hFirst = FirstTabStop();
        LRESULT lSetFocus = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), 0);
        if (lSetFocus && ::IsWindow(hFirst))
            CWnd::FromHandle(hFirst)->SetFocus();
        if (::IsWindow(hDialog) && !hDialog->IsDialogEnded()) {
            hDialog->SetStyle(hDialog->Style() | WS_VISIBLE);
            AfxGetBackend().ModalServices().RunModalLoop(hDialog);
        }
        if (::IsWindow(hDialog))
            hDialog->SetStyle(hDialog->Style() & ~WS_VISIBLE);
        CModalStack::Pop(hDialog);
    }
    if (bEnableOwner && ::IsWindow(hOwner))
        CWnd::FromHandle(hOwner)->EnableWindow(TRUE);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_hWnd) {
        m_hWnd->SetDialogEnded(true);
        AfxGetBackend().ModalServices().EndModalLoop(m_hWnd);
    }
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return OnInitDialog();
}

bool CDialog::CreateFromTemplate(const DialogTemplate& dialogTemplate, HWND hOwner)
{
    int nDpi = AfxGetBackend().LogicalDpi();
    CRect client = MapDialogRect(dialogTemplate.x, dialogTemplate.y, dialogTemplate.cx,
                                 dialogTemplate.cy, nDpi);
    CRect outer = client;
    if ((dialogTemplate.dwStyle & WS_CAPTION) == WS_CAPTION) {
        outer.right += 2 * CWindowRecord::kFrame;
        outer.bottom += 2 * CWindowRecord::kFrame + CWindowRecord::kCaption;
    }
    if (hOwner) {
        CRect ownerClient = hOwner->ClientScreenRect();
        outer.OffsetRect(ownerClient.left, ownerClient.top);
    }

    WindowCreateParams params;
    params.kind = WindowKind::Dialog;
    params.strText = dialogTemplate.pszCaption;
    // Shown only once initialised, whatever the template says.
    params.dwStyle = dialogTemplate.dwStyle & ~WS_VISIBLE;
    params.dwExStyle = dialogTemplate.dwExStyle;
    params.rect = outer;
    params.hOwner = hOwner;
    HWND hDialog = CWindowRecord::Create(params);
    if (!hDialog || !SubclassWindow(hDialog))
        return false;

    HFONT hFont = nullptr;
    if (dialogTemplate.dwStyle & DS_SETFONT) {
        hFont = CreateTemplateFont(dialogTemplate, nDpi);
        hDialog->AdoptFont(hFont);
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        WindowCreateParams control;
        if (!CWindowRecord::KindFromClassName(item.pszClass, control.kind))
            continue;
        control.strText = item.pszText;
        control.dwStyle = item.dwStyle | WS_CHILD | WS_VISIBLE;
        control.rect = MapDialogRect(item.x, item.y, item.cx, item.cy, nDpi);
        control.hParent = hDialog;
        control.nId = item.nId;
        HWND hControl = CWindowRecord::Create(control);
        if (item.nIconId != 0)
            hControl->SetIcon(true, AfxFindIcon(item.nIconId));
        if (hFont)
            ::SendMessage(hControl, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    return true;
}

HWND CDialog::FirstTabStop() const
{
    for (HWND hChild : m_hWnd->Children())
        if ((hChild->Style() & WS_TABSTOP) && hChild->IsVisible() && hChild->IsEnabled())
            return hChild;
    return nullptr;
}
