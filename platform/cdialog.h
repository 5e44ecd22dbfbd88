// CDialog: a modal dialog built from a template in dialog units.
//
// DoModal creates the window and its controls from the template, gives them
// the template's font, sends WM_INITDIALOG (OnInitDialog, which runs
// DoDataExchange), puts the first tab stop in focus when it returns TRUE,
// disables the owner (the given parent, or else the active window) and runs
// the backend's modal loop until EndDialog. Then it hides the dialog,
// enables the owner again and calls the virtual DestroyWindow.
//
// Default processing ends the dialog: the IDOK command (Enter with no other
// push button in focus) runs OnOK, the IDCANCEL command (Escape, the close
// box, the system menu's Close) runs OnCancel.
#pragma once

#include "platform/cwnd.h"

struct DialogTemplate;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // The value given to EndDialog, or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    bool CreateFromTemplate(const DialogTemplate& dialogTemplate, HWND hOwner);
    HWND FirstTabStop() const;

    int m_nModalResult = -1;
};
