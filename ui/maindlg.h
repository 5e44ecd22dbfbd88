// CMainDlg: the main window. A drop-down list of the configurations along
// the top; one row per channel of the selected configuration (a button
// captioned with the speaker position's name and a label with the chosen
// file, "---" while there is none), created at run time; the progress bar
// and the Settings..., Process and About... buttons below the last row. The
// dialog resizes itself to its rows.
//
// The dialog hosts the merge engine: the engine's members are the merge
// state, and the dialog gives it the channel mask, the old-style option,
// its messages and its progress bar.
#pragma once

#include <array>
#include <memory>

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
#include "platform/dialogtemplate.h"

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
    void OnAbout();
    void OnSettings();
    void OnSelchangeConfiguration();

    // Picks the file of row nRow and, with auto loading, its siblings.
    void OnChannelButton(WORD nRow);
    // Merges the rows' files, one channel per row in row order.
    void OnProcess();
    // The rows of the selected configuration as a set of stems, with the
    // files their labels show ("---" is none).
    CStemSet GetRowStems();

    CSettings& m_settings;
    CProgressCtrl m_progress;
    CComboBox m_comboConfiguration;
    HICON m_hIcon;
    CFont m_font;
    std::array<std::unique_ptr<CButton>, kSpeakerPositionCount> m_pChannelButton;
    std::array<std::unique_ptr<CStatic>, kSpeakerPositionCount> m_pChannelLabel;
    CMergeEngine m_merge;  // the merge state
    WORD m_nChannelRows = 0;

    DECLARE_MESSAGE_MAP()
};
