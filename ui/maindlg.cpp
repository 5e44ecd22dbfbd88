#include "ui/maindlg.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/afxmessagebox.h"
#include "core/interruptsignals.h"
#include "platform/cfiledialog.h"
#include "platform/cmenu.h"
#include "platform/cpaintdc.h"
#include "platform/cdataexchange.h"
#include "platform/cwinapp.h"
#include "platform/dialogunits.h"
#include "platform/styles.h"
#include "platform/windowrecord.h"
#include "platform/winapi.h"
#include "ui/aboutdlg.h"
#include "ui/controlfont.h"
#include "ui/resource.h"
#include "ui/settingsdlg.h"

namespace {

const DialogItemTemplate kMainItems[] = {
    {"Button", "Process", IDC_PROCESS, BS_DEFPUSHBUTTON | WS_TABSTOP, 265, 116, 50, 14},
    {"msctls_progress32", "", IDC_PROGRESS, WS_BORDER, 5, 116, 198, 11},
    {"Button", "Settings...", IDC_SETTINGS, BS_PUSHBUTTON | WS_TABSTOP, 213, 116, 50, 14},
    {"Button", "About...", IDC_ABOUT, BS_PUSHBUTTON | WS_TABSTOP, 317, 116, 50, 14},
    {"ComboBox", "", IDC_CONFIGURATION, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 6, 1, 95, 71},
};

// Row geometry in client pixels; it does not scale with the dpi.
constexpr int kRowPitch = 26;
constexpr int kDialogWidth = 564;
constexpr int kDialogHeightWithoutRows = 82;
constexpr int kBottomControlsEnd = 52;  // below the last row's button bottom, by one pitch

// The first row that two or more of the dropped files fit, with those files;
// an empty list when each row has one file at most.
std::vector<CString> FilesForOneRow(const std::vector<int>& rows, const std::vector<CString>& files, int& nRow)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<CString> same;
        for (size_t j = i; j < rows.size(); ++j) {
            if (rows[j] == rows[i])
                same.push_back(files[j]);
        }
        if (same.size() > 1) {
            nRow = rows[i];
            return same;
        }
    }
    return {};
}

}  // namespace

const DialogTemplate kMainDialogTemplate = {
    IDD_MAIN,
    "Plexora",
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    WS_EX_APPWINDOW,
    0, 0, 370, 132,
    "MS Sans Serif", 8,
    kMainItems,
};

BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_ABOUT, OnAbout)
    ON_BN_CLICKED(IDC_SETTINGS, OnSettings)
    ON_BN_CLICKED(IDC_PROCESS, OnProcess)
    ON_CBN_SELCHANGE(IDC_CONFIGURATION, OnSelchangeConfiguration)
END_MESSAGE_MAP()

CMainDlg::CMainDlg(CSettings& settings, CWnd* pParent)
    : CDialog(IDD_MAIN, pParent), m_settings(settings), m_merge(*this)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_CONFIGURATION, m_comboConfiguration);
}

BOOL CMainDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The About item at the end of the system menu.
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    CreateControlFont(m_font, *this);
    m_toolTip.Create(this);

    for (const auto& pConfiguration : m_settings.m_aConfigurations)
        m_comboConfiguration.AddString(pConfiguration->m_strName);
    m_comboConfiguration.SetCurSel(m_settings.m_nDefaultConfiguration);

    BuildChannelRows();

    // Stems come from a file manager too, dropped on the window or named on
    // the command line; those are dropped once the window runs.
    DragAcceptFiles();
    if (!m_strFilesToOpen.empty())
        PostMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(AfxCreateDrop(m_strFilesToOpen, POINT{})));
    return TRUE;
}

const CConfiguration* CMainDlg::SelectedConfiguration()
{
    short nSel = static_cast<short>(m_comboConfiguration.GetCurSel());
    if (nSel < 0 || static_cast<size_t>(nSel) >= m_settings.m_aConfigurations.size())
        return nullptr;
    return m_settings.m_aConfigurations[static_cast<size_t>(nSel)].get();
}

void CMainDlg::BuildChannelRows()
{
    DeleteChannelRows();

    // Without a selection there is nothing to show: no rows.
    const CConfiguration* pConfiguration = SelectedConfiguration();
    DWORD dwMask = pConfiguration ? pConfiguration->m_dwChannelMask : 0;

    m_rows.Reset(dwMask);
    WORD r = 0;
    for (int k = 0; k < kSpeakerPositionCount; ++k) {
        if (!(dwMask & kSpeakerPositions[k].dwMask))
            continue;
        int nTop = kRowPitch * r;
        m_pChannelButton[r] = std::make_unique<CButton>();
        m_pChannelButton[r]->Create(kSpeakerPositions[k].pszName,
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    CRect(8, 29 + nTop, 152, 52 + nTop), this,
                                    static_cast<UINT>(IDC_CHANNEL_BUTTON_FIRST + r));
        m_pChannelButton[r]->SetFont(&m_font, TRUE);
        m_pChannelLabel[r] = std::make_unique<CStatic>();
        m_pChannelLabel[r]->Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_LEFT,
                                   CRect(170, 33 + nTop, 540, 54 + nTop), this,
                                   static_cast<UINT>(IDC_CHANNEL_LABEL_FIRST + r));
        m_pChannelLabel[r]->SetFont(&m_font, TRUE);
        m_pChannelLabel[r]->SetWindowText(m_rows.GetLabelText(r));
        m_toolTip.AddTool(m_pChannelLabel[r].get(), "");
        ++r;
    }
    m_nChannelRows = r;

    SetWindowPos(nullptr, 0, 0, DialogWidth(), kRowPitch * r + kDialogHeightWithoutRows,
                 SWP_NOMOVE | SWP_NOZORDER);
    MoveBottomControl(IDC_PROGRESS);
    MoveBottomControl(IDC_PROCESS);
    MoveBottomControl(IDC_SETTINGS);
    MoveBottomControl(IDC_ABOUT);
}

int CMainDlg::DialogWidth()
{
    // Above 96 dpi the template's controls, in dialog units, spread wider than
    // 564 pixels; the window never cuts off the About... button.
    CDC* pDC = GetDC();
    int nDpi = pDC->GetDeviceCaps(LOGPIXELSX);
    ReleaseDC(pDC);
    int nTemplateWidth = MapDialogX(kMainDialogTemplate.cx, nDpi) + 2 * CWindowRecord::kFrame;
    return std::max(kDialogWidth, nTemplateWidth);
}

void CMainDlg::DeleteChannelRows()
{
    // Each window goes before its object.
    for (int r = 0; r < kSpeakerPositionCount; ++r) {
        if (m_pChannelButton[r])
            m_pChannelButton[r]->DestroyWindow();
        m_pChannelButton[r].reset();
        if (m_pChannelLabel[r])
            m_pChannelLabel[r]->DestroyWindow();
        m_pChannelLabel[r].reset();
    }
}

void CMainDlg::MoveBottomControl(UINT nID)
{
    CRect dialog, control;
    GetWindowRect(&dialog);
    CWnd* pControl = GetDlgItem(LOWORD(nID));
    pControl->GetWindowRect(&control);
    int nWidth = control.Width();
    int nHeight = control.Height();
    // Client x for a dialog frame 3 pixels wide: the control keeps its column.
    int x = control.left - dialog.left - 3;
    int nBottom = kRowPitch * m_nChannelRows + kBottomControlsEnd;
    pControl->MoveWindow(x, nBottom - nHeight, nWidth, nHeight, TRUE);
}

short CMainDlg::GetChannelSpeaker(WORD nRow)
{
    const CConfiguration* pConfiguration = SelectedConfiguration();
    if (!pConfiguration)
        return -1;
    return static_cast<short>(GetSpeakerOfRow(pConfiguration->m_dwChannelMask, nRow));
}

BOOL CMainDlg::DestroyWindow()
{
    DeleteChannelRows();
    return CDialog::DestroyWindow();
}

void CMainDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CMainDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CMainDlg::OnAbout()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

// The settings dialog changes the record in place and this dialog's combo box
// directly; the rows stay as they are.
void CMainDlg::OnSettings()
{
    CSettingsDlg dlgSettings(m_settings);
    dlgSettings.DoModal();
}

void CMainDlg::OnSelchangeConfiguration()
{
    BuildChannelRows();
}

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        // Any notification code; a row that is not shown has nothing to fill.
        const int nRow = LOWORD(wParam) - IDC_CHANNEL_BUTTON_FIRST;
        if (nRow >= 0 && nRow < m_nChannelRows)
            OnChannelButton(static_cast<WORD>(nRow));
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

CStemSet CMainDlg::GetRowStems() const
{
    return m_rows.GetStems(m_settings.m_strSuffixes);
}

void CMainDlg::OnChannelButton(WORD nRow)
{
    CString strFilter;
    strFilter.LoadString(IDS_STEM_FILTER);
    CFileDialog dlgFile(TRUE, "*.wav", "", OFN_HIDEREADONLY, strFilter, nullptr);
    if (dlgFile.DoModal() != IDOK)
        return;
    // A typed name that does not exist is taken too; Process reports it.
    SetRowFile(nRow, dlgFile.GetPathName());
}

void CMainDlg::SetRowFile(WORD nRow, const CString& strPath, std::span<const int> rowsToKeep)
{
    m_rows.SetFile(nRow, strPath, RowSource::Picked);
    if (m_settings.m_bAutoLoading)
        LoadSiblings(nRow, rowsToKeep);
    ShowRows();
}

void CMainDlg::LoadSiblings(WORD nRow, std::span<const int> rowsToKeep)
{
    // The other rows take the files of the same base name with their own
    // suffixes; a row without one is emptied rather than left holding a
    // file of another set, which Process would merge without a word.
    CStemSet stems = GetRowStems();
    std::vector<int> kept(rowsToKeep.begin(), rowsToKeep.end());
    for (int r = 0; r < m_rows.GetCount(); ++r) {
        const std::optional<RowFile>& file = m_rows.GetFile(r);
        if (r != nRow && file && file->eSource == RowSource::Picked && stems.IsInSetOf(nRow, file->strPath))
            kept.push_back(r);
    }
    std::vector<CString> missing;
    std::vector<CString> ambiguous;  // the message of each row that two files fit
    stems.LoadSiblings(
        nRow,
        [this, &stems, &missing, &ambiguous](int nSibling, const SiblingLookup& sibling) {
            if (sibling.eStatus == SiblingStatus::Found) {
                m_rows.SetFile(nSibling, sibling.strPath, RowSource::Sibling);
                return;
            }
            // Neither a missing nor an ambiguous sibling leaves the row a
            // file of another set.
            m_rows.ClearFile(nSibling);
            if (sibling.eStatus == SiblingStatus::Missing)
                missing.push_back(sibling.strPath);
            else
                ambiguous.push_back(stems.FormatAmbiguousSibling(nSibling, sibling.matches));
        },
        kept);
    // The messages stand over the rows they speak of.
    ShowRows();
    if (!missing.empty())
        AfxMessageBox(CStemSet::FormatMissingSiblings(missing), MB_OK);
    for (const CString& strMessage : ambiguous)
        AfxMessageBox(strMessage, MB_OK);
}

void CMainDlg::ShowRows()
{
    for (WORD r = 0; r < m_nChannelRows; ++r) {
        m_pChannelLabel[r]->SetWindowText(m_rows.GetLabelText(r));
        m_toolTip.UpdateTipText(m_rows.GetToolTip(r), m_pChannelLabel[r].get());
    }
}

void CMainDlg::OnDropFiles(HDROP hDropInfo)
{
    std::vector<CString> files;
    const UINT nFiles = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nFiles; ++i) {
        std::string path(DragQueryFile(hDropInfo, i, nullptr, 0), '\0');
        DragQueryFile(hDropInfo, i, path.data(), static_cast<UINT>(path.size() + 1));
        files.emplace_back(std::move(path));
    }
    POINT point;
    const bool bInside = DragQueryPoint(hDropInfo, &point);
    DragFinish(hDropInfo);
    if (files.empty())
        return;

    DropOnRows(files, bInside ? RowAtPoint(point) : -1);
}

int CMainDlg::RowAtPoint(const POINT& point)
{
    auto contains = [&point](const CWnd* pControl) {
        const CRect& rect = pControl->GetSafeHwnd()->Rect();
        return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
    };
    for (WORD r = 0; r < m_nChannelRows; ++r) {
        if (contains(m_pChannelButton[r].get()) || contains(m_pChannelLabel[r].get()))
            return r;
    }
    return -1;
}

void CMainDlg::DropOnRows(const std::vector<CString>& files, int nFirstRow)
{
    const CStemSet stems = GetRowStems();
    std::vector<int> rows;  // the row of each file that fits one, in drop order
    std::vector<CString> fitting;
    std::vector<CString> unfit;
    for (const CString& strFile : files) {
        const int nRow = rows.empty() && unfit.empty() && nFirstRow >= 0 ? nFirstRow : stems.FindRowBySuffix(strFile);
        if (nRow < 0) {
            unfit.push_back(strFile);
        } else {
            rows.push_back(nRow);
            fitting.push_back(strFile);
        }
    }
    // Two takes for one channel would be merged unnoticed: nothing changes.
    int nSharedRow = -1;
    if (const std::vector<CString> shared = FilesForOneRow(rows, fitting, nSharedRow); !shared.empty()) {
        AfxMessageBox(stems.FormatAmbiguousSibling(nSharedRow, shared), MB_OK);
        return;
    }
    if (!rows.empty())
        SetRowFile(static_cast<WORD>(rows.front()), fitting.front(), rows);
    for (size_t i = 1; i < rows.size(); ++i)
        m_rows.SetFile(rows[i], fitting[i], RowSource::Picked);
    ShowRows();
    if (!unfit.empty()) {
        CString strConfiguration;
        m_comboConfiguration.GetLBText(m_comboConfiguration.GetCurSel(), strConfiguration);
        AfxMessageBox(CStemSet::FormatFilesWithoutRow(unfit, strConfiguration), MB_OK);
    }
}

void CMainDlg::OnProcess()
{
    const CStemSet stems = GetRowStems();
    const int nEmptyRow = stems.FindRowWithoutFile();
    if (nEmptyRow >= 0) {
        AfxMessageBox(stems.FormatRowWithoutFile(nEmptyRow), MB_OK);
        return;
    }

    // One input per row, in row order: row r becomes channel r. The engine
    // shows what became of the merge.
    std::vector<CString> inputPaths;
    for (int r = 0; r < stems.GetRowCount(); ++r)
        inputPaths.push_back(stems.GetFile(r));
    m_merge.Merge(inputPaths);
}

bool CMainDlg::ChooseOutputPath(CString& strOutputPath)
{
    // The engine asks only when there is at least one row.
    if (m_settings.m_bAutoExport) {
        CString strConfiguration;
        m_comboConfiguration.GetLBText(m_comboConfiguration.GetCurSel(), strConfiguration);
        // Beside row 0's file; an existing file of that name is replaced.
        strOutputPath = GetRowStems().GetOutputPath(strConfiguration);
        return true;
    }

    CString strFilter;
    strFilter.LoadString(IDS_WAVE_FILTER);
    CFileDialog dlgFile(FALSE, "*.wav", "", OFN_HIDEREADONLY, strFilter, nullptr);
    dlgFile.m_ofn.Flags |= OFN_OVERWRITEPROMPT;
    dlgFile.m_ofn.lpstrInitialDir = nullptr;
    dlgFile.m_ofn.nFilterIndex = 0;
    if (dlgFile.DoModal() != IDOK)
        return false;
    strOutputPath = dlgFile.GetPathName();
    return true;
}

DWORD CMainDlg::GetChannelMask()
{
    const CConfiguration* pConfiguration = SelectedConfiguration();
    return pConfiguration ? pConfiguration->m_dwChannelMask : 0;
}

bool CMainDlg::GetNoExtensible()
{
    return m_settings.m_bNoExtensible;
}

// A failed merge's message gains the engine's reason for the input it ended
// at.
void CMainDlg::ShowMessage(const char* pszText)
{
    CString strText = pszText;
    const CString strFault = m_merge.DescribeInputFault();
    if (!strFault.IsEmpty())
        strText += "\n" + strFault;
    AfxMessageBox(strText, MB_OK);
}

void CMainDlg::SetProgressRange(UINT nUpper)
{
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(nUpper)));
}

void CMainDlg::SetProgressPos(UINT nPos)
{
    m_progress.SendMessage(PBM_SETPOS, nPos, 0);
}

bool CMainDlg::IsInterrupted()
{
    return GetPendingInterrupt() != 0;
}
