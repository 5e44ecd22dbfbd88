#include "tests/platform/testdialogs.h"

#include <string>

#include "platform/afxmessagebox.h"
#include "platform/cdataexchange.h"
#include "platform/cfiledialog.h"
#include "platform/styles.h"

namespace {

const DialogItemTemplate kTestItems[] = {
    {"Button", "Open", IDC_OPEN_INNER, BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 80, 50, 14},
    {"Button", "Ask", IDC_ASK, BS_PUSHBUTTON | WS_TABSTOP, 62, 80, 50, 14},
    {"Button", "File", IDC_PICK_FILE, BS_PUSHBUTTON | WS_TABSTOP, 114, 80, 50, 14},
    {"Button", "Option", IDC_OPTION, BS_AUTOCHECKBOX | WS_TABSTOP, 10, 5, 60, 10},
    {"ComboBox", "", IDC_LIST_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 20, 60, 50},
    {"ComboBox", "", IDC_EDIT_COMBO, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP, 75, 20, 60, 50},
    {"ListBox", "", IDC_CHANNEL_LIST, LBS_MULTIPLESEL | LBS_NOTIFY | WS_BORDER | WS_TABSTOP, 10, 35, 60, 40},
    {"Edit", "", IDC_NAME, ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 75, 35, 60, 12},
    {"msctls_progress32", "", IDC_BAR, WS_BORDER, 75, 50, 60, 8},
    {"Static", "---", IDC_LOG, SS_LEFT | SS_NOPREFIX, 75, 62, 120, 8},
    {"Button", "Step", IDC_STEP, BS_PUSHBUTTON, 140, 62, 30, 14},
};

const DialogItemTemplate kInnerItems[] = {
    {"Static", "Inside", IDC_STATIC, SS_LEFT, 5, 5, 60, 8},
};

const DialogTemplate kDialogs[] = {
    {IDD_TEST, "Test", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     WS_EX_APPWINDOW, 0, 0, 200, 100, "MS Sans Serif", 8, kTestItems},
    {IDD_INNER, "Inner", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0,
     100, 40, "MS Sans Serif", 8, kInnerItems},
};

const NamedId kNames[] = {
    NAMED_ID(IDD_TEST),         NAMED_ID(IDD_INNER),         NAMED_ID(IDC_OPEN_INNER),
    NAMED_ID(IDC_ASK),          NAMED_ID(IDC_PICK_FILE),     NAMED_ID(IDC_OPTION),
    NAMED_ID(IDC_LIST_COMBO),   NAMED_ID(IDC_EDIT_COMBO),    NAMED_ID(IDC_CHANNEL_LIST),
    NAMED_ID(IDC_NAME),         NAMED_ID(IDC_BAR),           NAMED_ID(IDC_LOG),
    NAMED_ID(IDC_STEP),         NAMED_ID(IDC_RUNTIME_FIRST),
};

}  // namespace

const ResourceTable kTestResources = {kDialogs, {}, {}};
const std::span<const NamedId> kTestNames = kNames;

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_BN_CLICKED(IDC_OPEN_INNER, OnOpenInner)
    ON_BN_CLICKED(IDC_ASK, OnAsk)
    ON_BN_CLICKED(IDC_PICK_FILE, OnPickFile)
    ON_BN_CLICKED(IDC_OPTION, OnOption)
    ON_BN_CLICKED(IDC_STEP, OnStep)
    ON_CBN_SELCHANGE(IDC_LIST_COMBO, OnSelchangeList)
    ON_CBN_EDITCHANGE(IDC_EDIT_COMBO, OnEditchangeEdit)
    ON_LBN_SELCHANGE(IDC_CHANNEL_LIST, OnSelchangeChannels)
END_MESSAGE_MAP()

void CTestDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_COMBO, m_comboList);
    DDX_Control(pDX, IDC_CHANNEL_LIST, m_listChannels);
    DDX_Control(pDX, IDC_BAR, m_progress);
}

BOOL CTestDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ++m_nInitCount;
    for (const char* psz : {"stereo", "quadriphony", "surround"}) {
        m_comboList.AddString(psz);
        static_cast<CComboBox*>(GetDlgItem(IDC_EDIT_COMBO))->AddString(psz);
    }
    m_comboList.SetCurSel(1);
    for (const char* psz : {"Front Left", "Front Right", "Front Center"})
        m_listChannels.AddString(psz);
    m_listChannels.SetSel(2);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 4));
    return TRUE;
}

void CTestDlg::Log(const CString& str)
{
    GetDlgItem(IDC_LOG)->SetWindowText(str);
}

void CTestDlg::OnOpenInner()
{
    CInnerDlg dlg;
    INT_PTR nResult = dlg.DoModal();
    Log("inner " + CString(std::to_string(nResult)));
}

void CTestDlg::OnAsk()
{
    int nAnswer = AfxMessageBox("Proceed ?\nReally", MB_YESNO);
    Log(nAnswer == IDYES ? "yes" : nAnswer == IDNO ? "no" : "other");
}

void CTestDlg::OnPickFile()
{
    CFileDialog dlg(TRUE, "*.wav", "", OFN_HIDEREADONLY, "Wave files (*.wav)|*.wav|", nullptr);
    Log(dlg.DoModal() == IDOK ? "picked " + dlg.GetPathName() : CString("cancelled"));
}

void CTestDlg::OnOption()
{
    Log("option " + CString(std::to_string(static_cast<CButton*>(GetDlgItem(IDC_OPTION))->GetCheck())));
}

void CTestDlg::OnSelchangeList()
{
    CString strText;
    m_comboList.GetLBText(m_comboList.GetCurSel(), strText);
    Log("list " + strText);
}

void CTestDlg::OnEditchangeEdit()
{
    CString strText;
    GetDlgItem(IDC_EDIT_COMBO)->GetWindowText(strText);
    Log("typed " + strText);
}

void CTestDlg::OnSelchangeChannels()
{
    Log("channels " + CString(std::to_string(m_listChannels.GetSelCount())));
}

void CTestDlg::OnStep()
{
    m_progress.SetPos(m_progress.GetPos() + 1);
    // A control made at run time joins the tab order after the template's.
    auto* pButton = new CButton;
    int nIndex = m_progress.GetPos();
    pButton->Create("Row", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                    CRect(8, 200 + nIndex, 40, 220 + nIndex), this, IDC_RUNTIME_FIRST + nIndex);
    m_runtime.emplace_back(pButton);
}

BOOL CTestApp::InitInstance()
{
    CTestDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
