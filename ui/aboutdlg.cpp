#include "ui/aboutdlg.h"

#include "platform/styles.h"
#include "ui/resource.h"

namespace {

const DialogItemTemplate kAboutItems[] = {
    {"Static", "", IDC_STATIC, SS_ICON, 11, 11, 20, 20, IDR_MAINFRAME},
    {"Static", "Plexora Version 1.0", IDC_STATIC, SS_LEFT | SS_NOPREFIX | WS_GROUP, 40, 10, 119, 8},
    {"Static", "(C) 2026 the Plexora developers", IDC_STATIC, SS_LEFT | WS_GROUP, 40, 22, 119, 8},
};

}  // namespace

const DialogTemplate kAboutBoxTemplate = {
    IDD_ABOUTBOX, "About Plexora", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0,
    0, 0, 171, 44, "MS Sans Serif", 8, kAboutItems,
};

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}
