#include "tests/qt/kindsdlg.h"

#include <cstring>

#include "platform/afxmessagebox.h"
#include "platform/ccombobox.h"
#include "platform/cdc.h"
#include "platform/clistbox.h"
#include "platform/icofile.h"
#include "platform/styles.h"
#include "platform/winapi.h"

using namespace kinds;

namespace {

const DialogItemTemplate kItems[] = {
    {"Button", "Run", IDC_RUN, BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 154, 50, 14},
    {"Button", "&Ask", IDC_ASK, BS_PUSHBUTTON | WS_TABSTOP, 60, 154, 50, 14},
    {"Button", "Automatically pad shortest samples with silence", IDC_PAD, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 7, 164, 10},
    {"Button", "Use old style (do not use WAVE_FORMAT_EXTENSIBLE)", IDC_OLD_STYLE, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 18, 201, 10},
    {"Static", "Left && &right", IDC_PREFIXED, SS_LEFT | WS_GROUP, 116, 54, 60, 8},
    {"Static", "Version 1.0 & more", IDC_NOPREFIX, SS_LEFT | SS_NOPREFIX | WS_GROUP, 180, 54, 100, 8},
    {"Static", "", IDC_STATIC, SS_ICON, 250, 7, 20, 20, IDI_KINDS},
    {"Edit", "", IDC_NAME, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 33, 100, 12},
    {"ComboBox", "", IDC_CHOICE, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 116, 33, 95, 71},
    {"ComboBox", "", IDC_NAMES, CBS_SIMPLE | WS_VSCROLL | WS_TABSTOP, 7, 66, 103, 84},
    {"ListBox", "", IDC_CHANNELS,
     LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 116, 66, 97,
     80},
    {"msctls_progress32", "", IDC_BAR, WS_BORDER, 116, 154, 97, 11},
    {"ComboBox", "", IDC_DEFAULT, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 7, 184, 103, 72},
};

const DialogTemplate kDialogs[] = {
    {IDD_KINDS, "Kinds", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 293, 218,
     "MS Sans Serif", 8, kItems},
};

// A small icon of two colours and a transparent corner, to tell images apart.
constexpr const char* kIcon16[16] = {
    "................", ".99999999999999.", ".99999999999999.", ".99999999999999.",
    ".99999999999999.", ".99999999999999.", ".99999999999999.", ".99999999999999.",
    ".cccccccccccccc.", ".cccccccccccccc.", ".cccccccccccccc.", ".cccccccccccccc.",
    ".cccccccccccccc.", ".cccccccccccccc.", ".cccccccccccccc.", "................",
};
constexpr auto kIcoFile = BuildIcoFile<IcoFileBytes({16})>({{16, kIcon16}});

const IconResource kIcons[] = {{IDI_KINDS, kIcoFile}};

}  // namespace

const ResourceTable kKindsResources = {kDialogs, {}, kIcons};

BEGIN_MESSAGE_MAP(CKindsDlg, CDialog)
    ON_BN_CLICKED(IDC_RUN, OnRun)
    ON_BN_CLICKED(IDC_ASK, OnAsk)
END_MESSAGE_MAP()

BOOL CKindsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bar.SubclassDlgItem(IDC_BAR, this);
    m_bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 5));
    auto* pChoice = static_cast<CComboBox*>(GetDlgItem(IDC_CHOICE));
    auto* pDefault = static_cast<CComboBox*>(GetDlgItem(IDC_DEFAULT));
    auto* pNames = static_cast<CComboBox*>(GetDlgItem(IDC_NAMES));
    for (const char* psz : {"stereo", "quadriphony", "surround", "surround 5.1", "surround 7.1"}) {
        pChoice->AddString(psz);
        pDefault->AddString(psz);
        pNames->AddString(psz);
    }
    pChoice->SetCurSel(3);
    pDefault->SetCurSel(3);
    pNames->SetCurSel(3);
    auto* pChannels = static_cast<CListBox*>(GetDlgItem(IDC_CHANNELS));
    for (const char* psz : {"Front Left", "Front Right", "Front Center", "Low Frequency", "Back Left",
                            "Back Right", "Front Left of Center", "Front Right of Center"})
        pChannels->AddString(psz);
    pChannels->SetSel(0);
    pChannels->SetSel(1);

    LOGFONT logFont = {};
    CDC* pDC = GetDC();
    logFont.lfHeight = -MulDiv(8, pDC->GetDeviceCaps(LOGPIXELSY), 72);
    ReleaseDC(pDC);
    std::strcpy(logFont.lfFaceName, "Arial");
    m_font.CreateFontIndirect(&logFont);
    const char* const kSuffixes[kSuffixCount] = {"FL", "FR", ""};
    for (int i = 0; i < kSuffixCount; ++i) {
        m_pSuffix[i] = std::make_unique<CEdit>();
        m_pSuffix[i]->Create(WS_CHILD | WS_VISIBLE | ES_LEFT, CRect(328, 109 + 13 * i, 428, 122 + 13 * i), this,
                             IDC_SUFFIX_FIRST + i);
        m_pSuffix[i]->SetFont(&m_font);
        m_pSuffix[i]->SetWindowText(kSuffixes[i]);
    }
    return TRUE;
}

LRESULT CKindsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_SYSCOMMAND)
        m_received.push_back({message, wParam, lParam});
    return CDialog::WindowProc(message, wParam, lParam);
}

void CKindsDlg::OnRun()
{
    for (int nPos = 1; nPos <= 5; ++nPos) {
        m_bar.SetPos(nPos);
        if (m_onStep)
            m_onStep(nPos);
    }
}

void CKindsDlg::OnAsk()
{
    m_nLastAnswer = AfxMessageBox("Proceed ?", MB_YESNO);
}
