#include "ui/settingsdlg.h"

#include <vector>

#include "layout/configuration.h"
#include "platform/afxmessagebox.h"
#include "platform/cdataexchange.h"
#include "platform/cwinapp.h"
#include "platform/styles.h"
#include "ui/controlfont.h"
#include "ui/resource.h"

namespace {

const DialogItemTemplate kSettingsItems[] = {
    {"Button", "Automatically pad shortest samples with silence", IDC_AUTO_PADDING,
     BS_AUTOCHECKBOX | WS_TABSTOP, 7, 7, 164, 10},
    {"Button", "Automatically load samples with same base name", IDC_AUTO_LOADING,
     BS_AUTOCHECKBOX | WS_TABSTOP, 7, 18, 170, 10},
    {"Button", "Use old style (do not use WAVE_FORMAT_EXTENSIBLE)", IDC_NO_EXTENSIBLE,
     BS_AUTOCHECKBOX | WS_TABSTOP, 7, 40, 201, 10},
    {"ListBox", "", IDC_CHANNELS,
     LBS_MULTIPLESEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
     116, 66, 97, 147},
    {"Button", "Automatically save resulting file using base name", IDC_AUTO_EXPORT,
     BS_AUTOCHECKBOX | WS_TABSTOP, 7, 29, 169, 10},
    {"Static", "Suffixes", IDC_STATIC, SS_LEFT | WS_GROUP, 218, 54, 38, 8},
    {"Static", "Channels", IDC_STATIC, SS_LEFT | WS_GROUP, 116, 54, 38, 8},
    {"Static", "Configurations", IDC_STATIC, SS_LEFT | WS_GROUP, 7, 54, 48, 8},
    {"Button", "Add", IDC_ADD, BS_PUSHBUTTON | WS_TABSTOP, 7, 154, 50, 14},
    {"Button", "Remove", IDC_REMOVE, BS_PUSHBUTTON | WS_TABSTOP, 60, 154, 50, 14},
    {"ComboBox", "", IDC_CONFIGURATIONS, CBS_SIMPLE | WS_VSCROLL | WS_TABSTOP, 7, 66, 103, 84},
    {"Static", "Default Configuration", IDC_STATIC, SS_LEFT | WS_GROUP, 7, 173, 91, 8},
    {"ComboBox", "", IDC_DEFAULT_CONFIGURATION, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 7, 184, 103, 72},
};

// The suffix edits, in client pixels: one column of 18, 13 pixels apart,
// beside the channel list. Like the main dialog's rows they do not scale.
constexpr int kSuffixLeft = 328;
constexpr int kSuffixRight = 428;
constexpr int kSuffixTop = 109;
constexpr int kSuffixHeight = 13;

}  // namespace

const DialogTemplate kSettingsTemplate = {
    IDD_SETTINGS,
    "Settings...",
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    0, 0, 293, 218,
    "MS Sans Serif", 8,
    kSettingsItems,
};

BEGIN_MESSAGE_MAP(CSettingsDlg, CDialog)
    ON_BN_CLICKED(IDC_ADD, OnAddConfiguration)
    ON_BN_CLICKED(IDC_REMOVE, OnRemoveConfiguration)
    ON_CBN_SELCHANGE(IDC_CONFIGURATIONS, OnSelchangeConfigurations)
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(CSettings& settings, CWnd* pParent)
    : CDialog(IDD_SETTINGS, pParent), m_settings(settings)
{
}

// The suffix edits' windows went with the dialog's; their objects go here.
CSettingsDlg::~CSettingsDlg() = default;

void CSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEFAULT_CONFIGURATION, m_comboDefaultConfiguration);
    DDX_Control(pDX, IDC_CONFIGURATIONS, m_comboConfigurations);
    DDX_Control(pDX, IDC_CHANNELS, m_listChannels);
}

BOOL CSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CreateControlFont(m_font, *this);

    // List item i and suffix edit i are speaker position i.
    for (int i = 0; i < kSpeakerPositionCount; ++i) {
        m_listChannels.AddString(kSpeakerPositions[i].pszName);
        int nTop = kSuffixTop + kSuffixHeight * i;
        m_pSuffixEdit[i] = std::make_unique<CEdit>();
        // Framed, so that the fields look as editable as they are.
        m_pSuffixEdit[i]->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_LEFT,
                                 CRect(kSuffixLeft, nTop, kSuffixRight, nTop + kSuffixHeight), this,
                                 static_cast<UINT>(IDC_SUFFIX_FIRST + i));
        m_pSuffixEdit[i]->SetFont(&m_font, TRUE);
        m_pSuffixEdit[i]->SetWindowText(m_settings.m_strSuffixes[static_cast<size_t>(i)]);
    }

    for (const auto& pConfiguration : m_settings.m_aConfigurations) {
        m_comboConfigurations.AddString(pConfiguration->m_strName);
        m_comboDefaultConfiguration.AddString(pConfiguration->m_strName);
    }
    m_comboConfigurations.SetCurSel(m_settings.m_nDefaultConfiguration);
    m_comboDefaultConfiguration.SetCurSel(m_settings.m_nDefaultConfiguration);
    m_nOpeningDefault = m_settings.m_nDefaultConfiguration;

    OnSelchangeConfigurations();

    // The template leaves every check box unchecked.
    if (m_settings.m_bAutoPadding)
        CheckBox(IDC_AUTO_PADDING)->SetCheck(BST_CHECKED);
    if (m_settings.m_bAutoLoading)
        CheckBox(IDC_AUTO_LOADING)->SetCheck(BST_CHECKED);
    if (m_settings.m_bAutoExport)
        CheckBox(IDC_AUTO_EXPORT)->SetCheck(BST_CHECKED);
    if (m_settings.m_bNoExtensible)
        CheckBox(IDC_NO_EXTENSIBLE)->SetCheck(BST_CHECKED);
    return TRUE;
}

void CSettingsDlg::OnSelchangeConfigurations()
{
    int nSel = m_comboConfigurations.GetCurSel();
    if (nSel == CB_ERR)
        return;
    DWORD dwMask = m_settings.m_aConfigurations[static_cast<size_t>(nSel)]->m_dwChannelMask;
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        m_listChannels.SetSel(i, (dwMask & kSpeakerPositions[i].dwMask) != 0);
}

void CSettingsDlg::OnAddConfiguration()
{
    // The name as typed, blanks included.
    CString strName;
    m_comboConfigurations.GetWindowText(strName);
    if (strName.IsEmpty()) {
        AfxMessageBox("You have to enter a name for the new configuration first !");
        return;
    }
    if (m_comboConfigurations.FindStringExact(-1, strName) != CB_ERR) {
        AfxMessageBox("There is already a configuration with that name !");
        return;
    }
    int nSelected = m_listChannels.GetSelCount();
    if (nSelected <= 0) {
        AfxMessageBox("You must first select the channels for this configuration !");
        return;
    }
    if (nSelected == 1 &&
        AfxMessageBox("Warning: this configuration has only one channel !\nDo you want to proceed ?",
                      MB_YESNO) != IDYES)
        return;

    std::vector<int> positions(static_cast<size_t>(nSelected));
    m_listChannels.GetSelItems(nSelected, positions.data());

    // Appended last everywhere: the new index is the old count in all four.
    m_comboConfigurations.AddString(strName);
    m_settings.AddConfiguration(strName, GetMaskOfPositions(positions));
    m_comboDefaultConfiguration.AddString(strName);
    if (CWnd* pMainCombo = MainConfigurationCombo())
        pMainCombo->SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strName.GetString()));
}

void CSettingsDlg::OnRemoveConfiguration()
{
    int nSel = m_comboConfigurations.GetCurSel();
    if (nSel == CB_ERR) {
        AfxMessageBox("You must select a configuration first !");
        return;
    }
    // The main dialog's rows belong to its configuration: it stays.
    CWnd* pMainCombo = MainConfigurationCombo();
    if (pMainCombo && nSel == static_cast<int>(pMainCombo->SendMessage(CB_GETCURSEL))) {
        AfxMessageBox("This configuration can't be removed.\n"
                      "This is the configuration curently selected in Plexora.");
        return;
    }

    // The same index goes everywhere; the combo boxes' selections after it
    // move down with their configurations.
    m_comboConfigurations.DeleteString(static_cast<UINT>(nSel));
    m_settings.m_aConfigurations.erase(m_settings.m_aConfigurations.begin() + nSel);
    bool bWasDefault = m_comboDefaultConfiguration.GetCurSel() == nSel;
    m_comboDefaultConfiguration.DeleteString(static_cast<UINT>(nSel));
    if (bWasDefault)
        m_comboDefaultConfiguration.SetCurSel(0);
    if (pMainCombo)
        pMainCombo->SendMessage(CB_DELETESTRING, static_cast<WPARAM>(nSel), 0);

    if (m_nOpeningDefault == nSel)
        m_nOpeningDefault = 0;
    else if (m_nOpeningDefault > nSel)
        --m_nOpeningDefault;
}

void CSettingsDlg::StoreSettings()
{
    for (int i = 0; i < kSpeakerPositionCount; ++i)
        m_pSuffixEdit[i]->GetWindowText(m_settings.m_strSuffixes[static_cast<size_t>(i)]);

    m_settings.m_bAutoPadding = CheckBox(IDC_AUTO_PADDING)->GetCheck() == BST_CHECKED;
    m_settings.m_bAutoLoading = CheckBox(IDC_AUTO_LOADING)->GetCheck() == BST_CHECKED;
    m_settings.m_bAutoExport = CheckBox(IDC_AUTO_EXPORT)->GetCheck() == BST_CHECKED;
    m_settings.m_bNoExtensible = CheckBox(IDC_NO_EXTENSIBLE)->GetCheck() == BST_CHECKED;

    // A default box typed over has no selection: the default stays the one
    // it named at opening.
    int nDefault = m_comboDefaultConfiguration.GetCurSel();
    m_settings.m_nDefaultConfiguration = nDefault != CB_ERR ? nDefault : m_nOpeningDefault;
}

void CSettingsDlg::OnOK()
{
    StoreSettings();
    CDialog::OnOK();
}

void CSettingsDlg::OnCancel()
{
    StoreSettings();
    CDialog::OnCancel();
}

CButton* CSettingsDlg::CheckBox(int nID) const
{
    return static_cast<CButton*>(GetDlgItem(nID));
}

CWnd* CSettingsDlg::MainConfigurationCombo() const
{
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd ? pMainWnd->GetDlgItem(IDC_CONFIGURATION) : nullptr;
}
