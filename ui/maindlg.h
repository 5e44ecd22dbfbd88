// CMainDlg: the main window. A drop-down list of the configurations along
// the top; one row per channel of the selected configuration (a button
// captioned with the speaker position's name and a label with the chosen
// file, "---" while there is none, whose tip tells what the file holds),
// created at run time; the progress bar and the Settings..., Process and
// About... buttons below the last row. The dialog resizes itself to its
// rows, whose files CChannelRows keeps.
//
// The dialog hosts the merge engine: the engine's members are the merge
// state, and the dialog gives it the channel mask, the old-style option,
// its messages and its progress bar.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "layout/settings.h"
#include "layout/speakerposition.h"
#include "layout/stemset.h"
#include "merge/mergeengine.h"
#include "merge/mergehost.h"
#include "platform/cbutton.h"
#include "platform/ccombobox.h"
#include "platform/cdialog.h"
#include "platform/cfont.h"
#include "platform/cprogressctrl.h"
#include "platform/cstatic.h"
#include "platform/ctooltipctrl.h"
#include "platform/dialogtemplate.h"
#include "platform/dropfiles.h"
#include "ui/channelrows.h"

extern const DialogTemplate kMainDialogTemplate;

class CMainDlg : public CDialog, public IMergeHost {
public:
    // The dialog reads and changes the settings record in place.
    explicit CMainDlg(CSettings& settings, CWnd* pParent = nullptr);
    ~CMainDlg() override;

    // Deletes the rows, then the window.
    BOOL DestroyWindow() override;
    // The speaker position of row nRow of the selected configuration, or -1.
    short GetChannelSpeaker(WORD nRow);

    // IMergeHost. The output path is the automatic name beside row 0's file
    // (base name + configuration name + ".wav") or the user's choice in a
    // save dialog; false when the user cancels it.
    bool ChooseOutputPath(CString& strOutputPath) override;
    DWORD GetChannelMask() override;
    bool GetNoExtensible() override;
    void ShowMessage(const char* pszText) override;
    void SetProgressRange(UINT nUpper) override;
    void SetProgressPos(UINT nPos) override;
    // True once the program was asked to end by a signal.
    bool IsInterrupted() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Row buttons are made at run time and have no map entry: their
    // WM_COMMAND is caught here, then passed on like every message.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void BuildChannelRows();
    void DeleteChannelRows();
    void MoveBottomControl(UINT nID);
    int DialogWidth();
    // The selected configuration, or null when the box has no selection.
    const CConfiguration* SelectedConfiguration();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    // Files dropped on a row go to it as if picked through its button;
    // dropped anywhere else, each goes to the row its suffix names.
    void OnDropFiles(HDROP hDropInfo);
    void OnAbout();
    void OnSettings();
    void OnSelchangeConfiguration();

    // Picks the file of row nRow and, with auto loading, its siblings.
    void OnChannelButton(WORD nRow);
    // Row nRow takes strPath and, with auto loading, the other rows its
    // siblings, all but the rows in rowsToKeep.
    void SetRowFile(WORD nRow, const CString& strPath, std::span<const int> rowsToKeep = {});
    // The other rows take the siblings of row nRow's file; a row whose
    // sibling is missing is emptied, and the missing ones are named in one
    // message. Kept as they are: the rows in rowsToKeep, and the rows picked
    // by hand whose files are of the same set (CStemSet::IsInSetOf).
    void LoadSiblings(WORD nRow, std::span<const int> rowsToKeep);
    // Every label and tip shows what its row holds.
    void ShowRows();
    // Each file to the row whose suffix ends its name (the first to
    // nFirstRow when that is a row: dropped on it); the siblings of the first
    // for the rows no file went to; one message for the files that fit no row.
    void DropOnRows(const std::vector<CString>& files, int nFirstRow);
    // The row whose button or label lies under a point of the client area, or -1.
    int RowAtPoint(const POINT& point);
    // Merges the rows' files, one channel per row in row order.
    void OnProcess();
    // The rows of the selected configuration as a set of stems, with their files.
    CStemSet GetRowStems() const;

    CSettings& m_settings;
    CProgressCtrl m_progress;
    CComboBox m_comboConfiguration;
    HICON m_hIcon;
    CFont m_font;
    std::array<std::unique_ptr<CButton>, kSpeakerPositionCount> m_pChannelButton;
    std::array<std::unique_ptr<CStatic>, kSpeakerPositionCount> m_pChannelLabel;
    CToolTipCtrl m_toolTip;  // the labels' tips
    CChannelRows m_rows;     // what the rows hold; the labels show it
    CMergeEngine m_merge;  // the merge state
    WORD m_nChannelRows = 0;

public:
    // The files named on the command line: dropped on the window once it runs.
    std::vector<CString> m_strFilesToOpen;

protected:

    DECLARE_MESSAGE_MAP()
};
