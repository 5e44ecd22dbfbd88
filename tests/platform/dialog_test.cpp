// The window layer where a scenario cannot look: DDX_Control, the template's
// font, owners of what opens from a dialog, and the order of message dispatch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afxmessagebox.h"
#include "platform/ccombobox.h"
#include "platform/cdataexchange.h"
#include "platform/cdialog.h"
#include "platform/cfont.h"
#include "platform/cprogressctrl.h"
#include "platform/cwinapp.h"
#include "platform/styles.h"
#include "platform/userinput.h"
#include "tests/platform/testbackend.h"

namespace {

constexpr UINT IDD_TEST = 1;
constexpr int IDC_COMBO = 1012;
constexpr int IDC_BAR = 1013;
constexpr int IDC_GO = 1014;

const DialogItemTemplate kItems[] = {
    {"Button", "OK", IDOK, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14},
    {"Button", "Go", IDC_GO, BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 5, 50, 14},
    {"ComboBox", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_TABSTOP, 5, 25, 60, 40},
    {"msctls_progress32", "", IDC_BAR, WS_BORDER, 5, 45, 60, 8},
};
const DialogTemplate kDialogs[] = {
    {IDD_TEST, "Test", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 120, 60,
     "MS Sans Serif", 8, kItems},
};
const ResourceTable kResources = {kDialogs, {}, {}};

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_TEST) {}

    CComboBox m_combo;
    CProgressCtrl m_progress;
    int m_nInitCount = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_COMBO, m_combo);
        DDX_Control(pDX, IDC_BAR, m_progress);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++m_nInitCount;
        m_combo.AddString("stereo");
        return TRUE;
    }
};

class DialogTest : public ::testing::Test {
protected:
    CTestBackend backend{&kResources};
};

// Members are attached once, before OnInitDialog, and let go with the
// window; the template's one font serves all and goes with the dialog.
TEST_F(DialogTest, DdxAttachesMembersAndTheTemplateFontServesAllBothGoWithTheWindow)
{
    CTestDlg dlg;
    HFONT hFont = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(dlg.m_combo.m_hWnd, hDlg->FindChild(IDC_COMBO));
        EXPECT_EQ(dlg.GetDlgItem(IDC_COMBO), &dlg.m_combo);
        EXPECT_EQ(dlg.m_combo.GetCount(), 1) << "attached before OnInitDialog filled it";
        hFont = hDlg->Font();
        ASSERT_NE(hFont, nullptr);
        EXPECT_STREQ(hFont->logFont.lfFaceName, "MS Sans Serif");
        for (HWND hChild : hDlg->Children())
            EXPECT_EQ(hChild->Font(), hFont) << hChild->Id();
        // OnOK exchanges again (saving) and ends the dialog; nothing is attached twice.
        dlg.OnOK();
        EXPECT_EQ(dlg.m_combo.m_hWnd, hDlg->FindChild(IDC_COMBO));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nInitCount, 1);
    EXPECT_EQ(dlg.m_combo.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_progress.m_hWnd, nullptr);
    EXPECT_FALSE(FontObject::IsLive(hFont));

    // The same object runs again with fresh windows.
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(dlg.m_combo.m_hWnd, hDlg->FindChild(IDC_COMBO));
        dlg.EndDialog(7);
    });
    EXPECT_EQ(dlg.DoModal(), 7);
}

// Text set into a one-line field ends at its first line break; a static
// shows every line.
TEST_F(DialogTest, OneLineFieldsKeepTheTextBeforeALineBreak)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND) {
        CWnd edit, combo, label;
        edit.Create("Edit", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 10), &dlg, 201);
        combo.Create("ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(0, 20, 50, 60), &dlg, 202);
        label.Create("Static", "", WS_CHILD | WS_VISIBLE, CRect(0, 70, 50, 80), &dlg, 203);
        const std::tuple<CWnd*, const char*, const char*> cases[] = {
            {&edit, "a\r\nb", "a"}, {&combo, "\rb", ""}, {&label, "two\nlines", "two\nlines"}};
        for (const auto& [pControl, pszText, pszKept] : cases) {
            pControl->SetWindowText(pszText);
            CString strText;
            pControl->GetWindowText(strText);
            EXPECT_EQ(strText, pszKept) << pszText;
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

class CAskingApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        AfxMessageBox("Unable to write the settings file !");
        return FALSE;
    }
};

// A message box before any window has no owner and the executable's base
// name for its caption. What opens from a modal dialog is owned by it and
// keeps it disabled until it ends.
TEST_F(DialogTest, WhatOpensFromAModalDialogIsOwnedByItAndAMessageBoxHasTheProgramsName)
{
    backend.boxAnswers = {IDOK, IDOK};
    CAskingApp app;
    AfxWinMain(app, "/opt/tools/plexora.bin");
    ASSERT_EQ(backend.boxes.size(), 1u);
    EXPECT_EQ(backend.boxes[0].strCaption, "plexora") << "without the folder and the extension";
    EXPECT_EQ(backend.boxes[0].hOwner, nullptr) << "no window yet";

    CTestDlg outer, inner;
    backend.loopActions.push_back([&](HWND hOuter) {
        AfxMessageBox("Proceed ?");
        EXPECT_EQ(backend.boxes.back().hOwner, hOuter);
        backend.loopActions.push_back([&](HWND hInner) {
            EXPECT_EQ(hInner->Owner(), hOuter);
            EXPECT_EQ(CUserInput::Click(hOuter->FindChild(IDOK)), "Button 1 is disabled");
            inner.EndDialog(IDOK);
        });
        inner.DoModal();
        EXPECT_TRUE(hOuter->IsEnabled());
        outer.EndDialog(IDOK);
    });
    outer.DoModal();
}

std::vector<std::string> g_trace;

// Its map hides CDialog's entry for IDOK and leaves IDCANCEL to CDialog's.
class CTraceDlg : public CTestDlg {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND)
            g_trace.push_back("proc " + std::to_string(message) + " " + std::to_string(LOWORD(wParam)) +
                              "/" + std::to_string(HIWORD(wParam)));
        return CTestDlg::WindowProc(message, wParam, lParam);
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
        CTestDlg::OnCancel();
    }

protected:
    void OnOkHere() { g_trace.push_back("ok here"); }
    void OnComboChange() { g_trace.push_back("combo change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTraceDlg, CTestDlg)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDOK, OnOkHere)
    ON_CBN_SELCHANGE(IDC_COMBO, OnComboChange)
END_MESSAGE_MAP()

TEST_F(DialogTest, DispatchIsWindowProcThenTheDerivedMapThenTheBaseMapThenTheBuiltInBehaviour)
{
    auto command = [](CTraceDlg& dlg, int nId, WORD nCode, HWND hFrom) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nId, nCode), reinterpret_cast<LPARAM>(hFrom));
    };
    struct Case {
        const char* pszWhat;
        std::function<void(CTraceDlg&, HWND)> act;
        std::vector<std::string> trace;
    };
    const Case cases[] = {
        {"the derived map hides the base's entry, so OK does not end the dialog",
         [](CTraceDlg&, HWND h) {
             CUserInput::Click(h->FindChild(IDOK));
             EXPECT_FALSE(h->IsDialogEnded());
         },
         {"proc 273 1/0", "ok here"}},
        {"a notification entry matches its code",
         [](CTraceDlg&, HWND h) { CUserInput::Select(h->FindChild(IDC_COMBO), 0); },
         {"proc 273 1012/1", "combo change"}},
        {"Enter with the focus on the combo box is the default button's, which no map has",
         [](CTraceDlg&, HWND h) { CUserInput::Key(h, VK_RETURN); },
         {"proc 273 1014/0"}},
        {"another code of the same control",
         [&](CTraceDlg& d, HWND h) { command(d, IDC_COMBO, CBN_EDITCHANGE, h->FindChild(IDC_COMBO)); },
         {"proc 273 1012/5"}},
        {"without a control the code counts as 0, whatever the high word",
         [&](CTraceDlg& d, HWND) {
             command(d, IDC_COMBO, CBN_SELCHANGE, nullptr);
             command(d, IDOK, 7, nullptr);
         },
         {"proc 273 1012/1", "proc 273 1/7", "ok here"}},
        {"a mapped message goes no further unless the handler says so",
         [](CTraceDlg&, HWND h) {
             CUserInput::SysCommand(h, 17);
             EXPECT_EQ(h->Text(), "Renamed") << "an unmapped message reaches the built-in behaviour";
         },
         {"proc 274 17/0", "syscommand 17"}},
        {"Default() passes on the message being handled, Close with low bits set; the base map cancels",
         [](CTraceDlg&, HWND h) { CUserInput::SysCommand(h, SC_CLOSE | 3); },
         {"proc 274 61539/0", "syscommand 61539", "proc 273 2/0", "cancel"}},
    };
    CTraceDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        for (const Case& c : cases) {
            g_trace.clear();
            c.act(dlg, hDlg);
            EXPECT_EQ(g_trace, c.trace) << c.pszWhat;
        }
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
