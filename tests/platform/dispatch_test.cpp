// Message dispatch: WindowProc first, then the message maps from the most
// derived class down, then the built-in behaviour of the window's class.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cdialog.h"
#include "platform/styles.h"
#include "platform/userinput.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"

namespace {

constexpr UINT IDD_TRACE = 1;
constexpr int IDC_COMBO = 1012;

const DialogItemTemplate kItems[] = {
    {"Button", "OK", IDOK, BS_PUSHBUTTON | WS_TABSTOP, 5, 5, 50, 14},
    {"ComboBox", "", IDC_COMBO, CBS_DROPDOWNLIST | WS_TABSTOP, 5, 25, 60, 40},
};
const DialogTemplate kDialogs[] = {
    {IDD_TRACE, "Trace", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 120, 60,
     nullptr, 0, kItems},
};
const ResourceTable kResources = {kDialogs, {}, {}};

std::vector<std::string> g_trace;

// Its map hides CDialog's entry for IDOK and leaves IDCANCEL to CDialog's.
class CTraceDlg : public CDialog {
public:
    CTraceDlg() : CDialog(IDD_TRACE) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND)
            g_trace.push_back("proc " + std::to_string(message) + " " + std::to_string(LOWORD(wParam)) +
                              "/" + std::to_string(HIWORD(wParam)));
        return CDialog::WindowProc(message, wParam, lParam);
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
        CDialog::OnCancel();
    }

protected:
    void OnOkHere() { g_trace.push_back("ok here"); }
    void OnComboChange() { g_trace.push_back("combo change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTraceDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDOK, OnOkHere)
    ON_CBN_SELCHANGE(IDC_COMBO, OnComboChange)
END_MESSAGE_MAP()

TEST(DispatchTest, WindowProcThenTheDerivedMapThenTheBaseMapThenTheBuiltInBehaviour)
{
    CTestBackend backend{&kResources};
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
        ::SendMessage(hDlg->FindChild(IDC_COMBO), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stereo"));
        for (const Case& c : cases) {
            g_trace.clear();
            c.act(dlg, hDlg);
            EXPECT_EQ(g_trace, c.trace) << c.pszWhat;
        }
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
