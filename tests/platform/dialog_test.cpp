// Dialogs where a scenario cannot look: DDX_Control, the modal stack and the
// template's font. Geometry, default OK and Cancel processing and what a
// person does to the controls are the layer scenarios' (scenarios/).
#include <gtest/gtest.h>

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

TEST_F(DialogTest, DdxAttachesMembersOnceAndTheyLetGoWithTheWindow)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND hDlg) {
        EXPECT_EQ(dlg.m_comboList.m_hWnd, hDlg->FindChild(IDC_LIST_COMBO));
        EXPECT_EQ(dlg.GetDlgItem(IDC_LIST_COMBO), &dlg.m_comboList);
        EXPECT_EQ(dlg.m_comboList.GetCount(), 3) << "attached before OnInitDialog filled it";
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

TEST_F(DialogTest, AMissingControlOrTemplateFailsTheDialogBeforeItRuns)
{
    CMissingControlDlg dlg;
    EXPECT_EQ(dlg.DoModal(), -1);
    CDialog unknown(12345);
    EXPECT_EQ(unknown.DoModal(), -1);  // no modal loop ran: none was queued
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

// What the program sets into a one-line edit field ends at its first line
// break, as what a person types does (scenarios/layer-controls.txt); a
// static shows every line.
TEST_F(DialogTest, OneLineFieldsKeepTheTextBeforeALineBreak)
{
    CTestDlg dlg;
    backend.loopActions.push_back([&](HWND) {
        const std::tuple<int, const char*, const char*> cases[] = {
            {IDC_NAME, "a\r\nb", "a"}, {IDC_EDIT_COMBO, "\rb", ""}, {IDC_LOG, "two\nlines", "two\nlines"}};
        for (const auto& [nId, pszText, pszKept] : cases) {
            dlg.GetDlgItem(nId)->SetWindowText(pszText);
            CString strText;
            dlg.GetDlgItem(nId)->GetWindowText(strText);
            EXPECT_EQ(strText, pszKept) << nId << " " << pszText;
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

// One template font for the dialog and every control, gone with the dialog.
// The program's own shared fonts are the ui tests'.
TEST_F(DialogTest, TheTemplateFontIsSharedAndGoesWithTheDialog)
{
    CTestDlg dlg;
    HFONT hFont = nullptr;
    backend.loopActions.push_back([&](HWND hDlg) {
        hFont = hDlg->Font();
        ASSERT_NE(hFont, nullptr);
        EXPECT_STREQ(hFont->logFont.lfFaceName, "MS Sans Serif");
        for (HWND hChild : hDlg->Children())
            EXPECT_EQ(hChild->Font(), hFont) << hChild->Id();
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    EXPECT_FALSE(FontObject::IsLive(hFont));
}

}  // namespace
