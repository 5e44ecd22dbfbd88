// Small dialogs that exercise the window layer: the control kinds, a nested
// dialog, a Yes/No question and an open dialog. The static IDC_LOG shows what
// the dialog last received, so tests and scenarios can see notifications.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/cbutton.h"
#include "platform/ccombobox.h"
#include "platform/cdialog.h"
#include "platform/clistbox.h"
#include "platform/cprogressctrl.h"
#include "platform/cwinapp.h"
#include "platform/headless/namedid.h"
#include "platform/resources.h"

constexpr UINT IDD_TEST = 200;
constexpr UINT IDD_INNER = 201;

constexpr int IDC_OPEN_INNER = 100;
constexpr int IDC_ASK = 101;
constexpr int IDC_PICK_FILE = 102;
constexpr int IDC_OPTION = 103;
constexpr int IDC_LIST_COMBO = 104;
constexpr int IDC_EDIT_COMBO = 105;
constexpr int IDC_CHANNEL_LIST = 107;
constexpr int IDC_NAME = 108;
constexpr int IDC_BAR = 109;
constexpr int IDC_LOG = 110;
constexpr int IDC_STEP = 111;
constexpr int IDC_RUNTIME_FIRST = 500;

extern const ResourceTable kTestResources;
// The ids above by name, for the layer's scenarios.
extern const std::span<const NamedId> kTestNames;

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(CWnd* pParent = nullptr) : CDialog(IDD_TEST, pParent) {}

    CComboBox m_comboList;
    CListBox m_listChannels;
    CProgressCtrl m_progress;
    int m_nInitCount = 0;
    std::vector<std::unique_ptr<CButton>> m_runtime;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void Log(const CString& str);
    void OnOpenInner();
    void OnAsk();
    void OnPickFile();
    void OnOption();
    void OnSelchangeList();
    void OnEditchangeEdit();
    void OnSelchangeChannels();
    void OnStep();

    DECLARE_MESSAGE_MAP()
};

class CInnerDlg : public CDialog {
public:
    explicit CInnerDlg(CWnd* pParent = nullptr) : CDialog(IDD_INNER, pParent) {}
};

// Runs CTestDlg as its main window.
class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
