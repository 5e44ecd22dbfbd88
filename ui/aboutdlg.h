// CAboutDlg: the About box, with the program's icon, name and version. It
// has no buttons: Escape and the close box (Cancel) and Enter (OK) end it.
#pragma once

#include "platform/cdialog.h"
#include "platform/dialogtemplate.h"

extern const DialogTemplate kAboutBoxTemplate;

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
