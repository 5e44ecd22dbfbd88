// Message dispatch: WindowProc first, then the message maps from the most
// derived class down, then the built-in behaviour of the window's class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cbutton.h"
#include "platform/cdialog.h"
#include "platform/styles.h"
#include "platform/userinput.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"

namespace {

constexpr UINT IDD_TRACE = 1;
constexpr int IDC_FIRST = 1000;
constexpr int IDC_SECOND = 1001;
constexpr int IDC_COMBO = 1012;
constexpr int IDC_ROW = 666;

const DialogItemTemplate kItems[] = {
    {"Button", "First", IDC_FIRST, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14},
    {"Button", "Second", IDC_SECOND, BS_PUSHBUTTON | WS_TABSTOP, 60, 5, 50, 14},
    {"ComboBox", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_TABSTOP, 5, 25, 60, 40},
};
const DialogTemplate kDialogs[] = {
    {IDD_TRACE, "Trace", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 120, 60,
     nullptr, 0, kItems},
};
const ResourceTable kResources = {kDialogs, {}, {}};

std::vector<std::string> g_trace;

class CTraceBase : public CDialog {
public:
    CTraceBase() : CDialog(IDD_TRACE) {}

protected:
    void OnFirstInBase() { g_trace.push_back("base first"); }
    void OnSecondInBase() { g_trace.push_back("base second"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTraceBase, CDialog)
    ON_BN_CLICKED(IDC_FIRST, OnFirstInBase)
    ON_BN_CLICKED(IDC_SECOND, OnSecondInBase)
END_MESSAGE_MAP()

class CTraceDlg : public CTraceBase {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND)
            g_trace.push_back("proc " + std::to_string(message) + " " + std::to_string(LOWORD(wParam)) +
                              "/" + std::to_string(HIWORD(wParam)));
        return CTraceBase::WindowProc(message, wParam, lParam);
    }

    void OnSysCommand(UINT nID, LPARAM /*lParam*/)
    {
        g_trace.push_back("syscommand " + std::to_string(nID));
        // A nested message must not disturb what Default() passes on.
        SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
        if ((nID & 0xFFF0) != 16)
            Default();
    }
    void OnCancel() override
    {
        g_trace.push_back("cancel");
        CTraceBase::OnCancel();
    }

protected:
    void OnFirst() { g_trace.push_back("derived first"); }
    void OnComboChange() { g_trace.push_back("combo change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTraceDlg, CTraceBase)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDC_FIRST, OnFirst)
    ON_CBN_SELCHANGE(IDC_COMBO, OnComboChange)
END_MESSAGE_MAP()

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { g_trace.clear(); }
    CTestBackend backend{&kResources};
};

TEST_F(DispatchTest, WindowProcSeesCommandsBeforeTheMapsAndDerivedMapsWin)
{
    CTraceDlg dlg;
    backend.loopActions.push_back([](HWND hDlg) {
        EXPECT_EQ(CUserInput::Click(hDlg->FindChild(IDC_FIRST)), "");
        EXPECT_EQ(CUserInput::Click(hDlg->FindChild(IDC_SECOND)), "");
        CUserInput::Key(hDlg, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    std::vector<std::string> expected = {
        "proc 273 1000/0", "derived first",    // the derived map hides the base's entry
        "proc 273 1001/0", "base second",      // and the base map still serves the rest
        "proc 273 2/0",    "cancel",
    };
    EXPECT_EQ(g_trace, expected);
}

TEST_F(DispatchTest, RunTimeControlsWithoutMapEntriesStillReachWindowProc)
{
    CTraceDlg dlg;
    CButton row;
    backend.loopActions.push_back([&](HWND hDlg) {
        ASSERT_TRUE(row.Create("Front Left", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(8, 29, 152, 52),
                               &dlg, IDC_ROW));
        EXPECT_EQ(CUserInput::Click(row.m_hWnd), "");
        // The clicked push button took the focus.
        EXPECT_EQ(hDlg->FocusChild(), row.m_hWnd);
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(g_trace, std::vector<std::string>{"proc 273 666/0"});
    EXPECT_EQ(row.m_hWnd, nullptr) << "destroyed with its dialog";
}

TEST_F(DispatchTest, NotificationEntriesMatchTheirCodeAndId)
{
    CTraceDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        HWND hCombo = hDlg->FindChild(IDC_COMBO);
        ::SendMessage(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stereo"));
        // A code other than CBN_SELCHANGE, and a menu-style command without a
        // control (whose code counts as 0), do not reach the handler.
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(hCombo));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO, CBN_SELCHANGE), 0);
        EXPECT_EQ(CUserInput::Select(hCombo, 0), "");
        // A menu-style command is code 0 whatever the high word says.
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIRST, 7), 0);
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    std::vector<std::string> expected = {"proc 273 1012/5", "proc 273 1012/1", "proc 273 1012/1",
                                         "combo change",    "proc 273 1000/7", "derived first"};
    EXPECT_EQ(g_trace, expected);
}

TEST_F(DispatchTest, DefaultPassesTheCurrentMessageToTheBuiltInBehaviour)
{
    CTraceDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        // Handled by the map only: nothing else happens.
        EXPECT_EQ(CUserInput::SysCommand(hDlg, 17), "");
        EXPECT_FALSE(hDlg->IsDialogEnded());
        EXPECT_EQ(hDlg->Text(), "Renamed") << "unmapped messages reach the built-in behaviour";
        // SC_CLOSE with low bits set: Default() closes like the close box.
        EXPECT_EQ(CUserInput::SysCommand(hDlg, SC_CLOSE | 3), "");
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    std::vector<std::string> expected = {"proc 274 17/0", "syscommand 17", "proc 274 61539/0",
                                         "syscommand 61539", "proc 273 2/0", "cancel"};
    EXPECT_EQ(g_trace, expected);
}

TEST_F(DispatchTest, AClosedDialogHasNoWindowLeft)
{
    CTraceDlg dlg;
    backend.loopActions.push_back([&](HWND /*hDlg*/) {
        EXPECT_NE(dlg.GetDlgItem(IDC_FIRST), nullptr);
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_FIRST), nullptr);
    EXPECT_EQ(dlg.SendMessage(WM_GETTEXTLENGTH), 0);
    EXPECT_FALSE(::IsWindow(nullptr));
}

}  // namespace
