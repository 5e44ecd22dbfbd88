// Dialogs: template geometry in dialog units, the template font, default OK
// and Cancel processing, DDX_Control and the modal stack.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/cdataexchange.h"
#include "platform/cfont.h"
#include "platform/modalstack.h"
#include "platform/userinput.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"
#include "tests/platform/testdialogs.h"

namespace {

class DialogTest : public ::testing::Test {
protected:
    CTestBackend backend{&kTestResources};
};

struct Geometry {
    int nDpi;
    CRect outer;
    CRect client;
    CRect openButton;
    LONG lFontHeight;
};

class DialogGeometryTest : public DialogTest, public ::testing::WithParamInterface<Geometry> {};

TEST_P(DialogGeometryTest, TemplatesMapThroughBaseUnitsScaledByDpi)
{
    const Geometry& expected = GetParam();
    backend.nDpi = expected.nDpi;
    CTestDlg dlg;
    HFONT hFont = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(hDlg->Rect(), expected.outer);
        EXPECT_EQ(hDlg->ClientRect(), expected.client);
        EXPECT_EQ(hDlg->Rect().Width() - hDlg->ClientRect().Width(), 6);
        EXPECT_EQ(hDlg->Rect().Height() - hDlg->ClientRect().Height(), 25);
        HWND hOpen = hDlg->FindChild(IDC_OPEN_INNER);
        EXPECT_EQ(hOpen->Rect(), expected.openButton);
        // On the screen a child sits inside the frame (3) and under the caption (19).
        CRect screen, dialog;
        dlg.GetDlgItem(IDC_OPEN_INNER)->GetWindowRect(&screen);
        dlg.GetWindowRect(&dialog);
        EXPECT_EQ(screen.left - dialog.left - 3, expected.openButton.left);
        EXPECT_EQ(screen.top - dialog.top - 22, expected.openButton.top);
        // One template font, shared by every control.
        hFont = hDlg->Font();
        ASSERT_NE(hFont, nullptr);
        EXPECT_EQ(hFont->logFont.lfHeight, expected.lFontHeight);
        EXPECT_STREQ(hFont->logFont.lfFaceName, "MS Sans Serif");
        for (HWND hChild : hDlg->Children())
            EXPECT_EQ(hChild->Font(), hFont) << hChild->Id();
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_FALSE(FontObject::IsLive(hFont)) << "the template font goes with its dialog";
}

INSTANTIATE_TEST_SUITE_P(Dpi, DialogGeometryTest,
                         ::testing::Values(Geometry{96, CRect(0, 0, 306, 188), CRect(0, 0, 300, 163),
                                                    CRect(15, 130, 90, 153), -11},
                                           Geometry{120, CRect(0, 0, 381, 228), CRect(0, 0, 375, 203),
                                                    CRect(19, 163, 113, 191), -13}),
                         [](const auto& param) { return "Dpi" + std::to_string(param.param.nDpi); });

TEST_F(DialogTest, EscapeEnterCloseBoxAndSystemMenuCloseEndTheDialog)
{
    struct Case {
        const char* pszName;
        std::function<void(HWND)> act;
        INT_PTR nResult;
    };
    const Case cases[] = {
        {"escape", [](HWND h) { EXPECT_EQ(CUserInput::Key(h, VK_ESCAPE), ""); }, IDCANCEL},
        {"enter", [](HWND h) { EXPECT_EQ(CUserInput::Key(h, VK_RETURN), ""); }, IDOK},
        {"close box", [](HWND h) { EXPECT_EQ(CUserInput::Close(h), ""); }, IDCANCEL},
        {"system menu", [](HWND h) { EXPECT_EQ(CUserInput::SysCommand(h, SC_CLOSE), ""); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        CInnerDlg dlg;
        backend.loopActions.push_back(c.act);
        EXPECT_EQ(dlg.DoModal(), c.nResult) << c.pszName;
    }
}

TEST_F(DialogTest, EnterPressesTheFocusedPushButtonElseTheDefaultButton)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        // Initial focus: the first tab stop, the default button "Open".
        EXPECT_EQ(hDlg->FocusChild(), hDlg->FindChild(IDC_OPEN_INNER));
        EXPECT_EQ(CUserInput::Click(hDlg->FindChild(IDC_STEP)), "");
        EXPECT_EQ(CUserInput::Key(hDlg, VK_RETURN), "");
        EXPECT_EQ(dlg.m_progress.GetPos(), 2);
        // With the focus on an edit control, Enter is the default button's.
        EXPECT_EQ(CUserInput::Type(hDlg->FindChild(IDC_NAME), "x"), "");
        EXPECT_EQ(CUserInput::Key(hDlg, VK_RETURN), "");
        EXPECT_EQ(hDlg->FindChild(IDC_LOG)->Text(), "inner 2");
        CUserInput::Key(hDlg, VK_ESCAPE);
    });
    backend.loopActions.push_back([](HWND hInner) { CUserInput::Key(hInner, VK_ESCAPE); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(backend.loopsRun.size(), 2u);
}

TEST_F(DialogTest, DdxAttachesMembersOnceAndTheyLetGoWithTheWindow)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(dlg.m_comboList.m_hWnd, hDlg->FindChild(IDC_LIST_COMBO));
        EXPECT_EQ(dlg.GetDlgItem(IDC_LIST_COMBO), &dlg.m_comboList);
        EXPECT_EQ(dlg.m_comboList.GetCount(), 3);
        EXPECT_EQ(dlg.m_listChannels.GetSelCount(), 1);
        // OnOK exchanges again (saving) and ends the dialog; nothing is attached twice.
        dlg.OnOK();
        EXPECT_EQ(dlg.m_comboList.m_hWnd, hDlg->FindChild(IDC_LIST_COMBO));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nInitCount, 1);
    EXPECT_EQ(dlg.m_comboList.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_progress.m_hWnd, nullptr);

    // The same object runs again with fresh windows.
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(dlg.m_comboList.m_hWnd, hDlg->FindChild(IDC_LIST_COMBO));
        dlg.EndDialog(7);
    });
    EXPECT_EQ(dlg.DoModal(), 7);
}

class CMissingControlDlg : public CDialog {
public:
    CMissingControlDlg() : CDialog(IDD_INNER) {}
    CButton m_missing;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 999, m_missing); }
};

TEST_F(DialogTest, AMissingControlFailsTheExchangeAndTheDialog)
{
    CMissingControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(backend.loopsRun.empty());
    CDialog unknown(12345);
    EXPECT_EQ(unknown.DoModal(), -1) << "no such template";
}

TEST_F(DialogTest, ModalDialogsNestAndDisableTheirOwners)
{
    CTestDlg dlg;
    HWND hMain = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        hMain = hDlg;
        EXPECT_EQ(CModalStack::Dialogs(), std::vector<HWND>{hDlg});
        EXPECT_EQ(CUserInput::Click(hDlg->FindChild(IDC_OPEN_INNER)), "");
        // Back from the inner dialog: enabled, active and focused as before.
        EXPECT_TRUE(hDlg->IsEnabled());
        EXPECT_EQ(CWnd::GetActiveWindow(), &dlg);
        EXPECT_EQ(hDlg->FocusChild(), hDlg->FindChild(IDC_OPEN_INNER));
        EXPECT_EQ(hDlg->FindChild(IDC_LOG)->Text(), "inner 2");
        CUserInput::Close(hDlg);
    });
    backend.loopActions.push_back([&](HWND hInner) {
        EXPECT_EQ(CModalStack::Dialogs(), (std::vector<HWND>{hMain, hInner}));
        EXPECT_EQ(hInner->Owner(), hMain);
        EXPECT_FALSE(hMain->IsEnabled());
        EXPECT_EQ(CWnd::GetActiveWindow()->m_hWnd, hInner);
        EXPECT_TRUE(hInner->IsVisible()) << "shown though its template is not WS_VISIBLE";
        // A person cannot reach the disabled owner.
        EXPECT_EQ(CUserInput::Click(hMain->FindChild(IDC_STEP)), "Button 111 is disabled");
        CUserInput::Key(hInner, VK_ESCAPE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(CModalStack::Dialogs().empty());
}

TEST_F(DialogTest, PeersMirrorCreationChangesAndDestruction)
{
    backend.bWithPeers = true;
    CInnerDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        backend.peerLog.clear();
        dlg.SetWindowText("Renamed");
        dlg.MoveWindow(1, 2, 30, 40);
        EXPECT_EQ(hDlg->Text(), "Renamed");
        dlg.EndDialog(IDOK);
    });
    backend.peerLog.clear();
    dlg.DoModal();
    // Text (0), then Rect (1), then on closing the dialog is hidden (Style,
    // 2) and its static goes before the dialog itself.
    std::vector<std::string> expected = {"0 change 0 -1", "0 change 1 -1", "0 change 2 -1",
                                         "-1 destroy", "0 destroy"};
    EXPECT_EQ(backend.peerLog, expected);
}

TEST_F(DialogTest, TheIconStaticShowsItsIconResource)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        auto children = hDlg->Children();
        auto it = std::find_if(children.begin(), children.end(),
                               [](HWND h) { return h->Icon(true) != nullptr; });
        ASSERT_NE(it, children.end());
        EXPECT_EQ((*it)->Icon(true)->nId, IDI_TEST);
        EXPECT_EQ((*it)->Id(), IDC_STATIC);
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

}  // namespace
