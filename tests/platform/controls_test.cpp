// The controls' messages (CB_, LB_, PBM_, BM_) and what a person's input
// does to them and sends to the dialog.
#include <gtest/gtest.h>

#include "platform/cedit.h"
#include "platform/styles.h"
#include "platform/userinput.h"
#include "platform/winapi.h"
#include "tests/platform/testbackend.h"
#include "tests/platform/testdialogs.h"

namespace {

// Runs the test dialog with one action, then closes it.
class ControlsTest : public ::testing::Test {
protected:
    void Run(const std::function<void(CTestDlg&, HWND)>& act)
    {
        CTestDlg dlg;
        backend.loopActions.push_back([&](HWND hDlg) {
            act(dlg, hDlg);
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
    }
    static CString LogOf(HWND hDlg) { return hDlg->FindChild(IDC_LOG)->Text(); }

    CTestBackend backend{&kTestResources};
};

TEST_F(ControlsTest, ComboBoxItemsAndSelectionFollowTheSystemRules)
{
    Run([](CTestDlg& dlg, HWND hDlg) {
        CComboBox& combo = dlg.m_comboList;  // stereo, quadriphony, surround; 1 selected
        EXPECT_EQ(combo.GetCurSel(), 1);
        EXPECT_EQ(hDlg->FindChild(IDC_LIST_COMBO)->Text(), "quadriphony");
        EXPECT_EQ(combo.AddString("surround 5.1"), 3);
        EXPECT_EQ(combo.InsertString(0, "mono"), 0);
        EXPECT_EQ(combo.GetCurSel(), 2) << "an insertion before the selection moves it";
        EXPECT_EQ(combo.DeleteString(0), 4);
        EXPECT_EQ(combo.GetCurSel(), 1);
        EXPECT_EQ(combo.DeleteString(9), CB_ERR);
        CString str;
        EXPECT_EQ(combo.GetLBText(3, str), 12);
        EXPECT_EQ(str, "surround 5.1");
        EXPECT_EQ(combo.GetLBText(4, str), CB_ERR);
        // Whole-item search, ignoring case, starting after the given index.
        EXPECT_EQ(combo.FindStringExact(-1, "SURROUND"), 2);
        EXPECT_EQ(combo.FindStringExact(2, "stereo"), 0) << "wraps around";
        EXPECT_EQ(combo.FindStringExact(-1, "surr"), CB_ERR) << "no prefix match";
        // Deleting the selected item leaves no selection and, for a drop-down
        // list, no text.
        EXPECT_EQ(combo.DeleteString(1), 3);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(hDlg->FindChild(IDC_LIST_COMBO)->Text(), "");
        EXPECT_EQ(combo.SetCurSel(2), 2);
        EXPECT_EQ(combo.SetCurSel(3), CB_ERR);
        EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "an index out of range removes the selection";
        combo.SetWindowText("typed");
        EXPECT_EQ(hDlg->FindChild(IDC_LIST_COMBO)->Text(), "") << "a drop-down list has no edit field";
        combo.ResetContent();
        EXPECT_EQ(combo.GetCount(), 0);
        EXPECT_EQ(LogOf(hDlg), "---") << "no notification for the program's own changes";
    });
}

TEST_F(ControlsTest, ComboBoxEditFieldsKeepTheirTextAndLoseTheSelectionWhenTyped)
{
    Run([](CTestDlg&, HWND hDlg) {
        HWND hEdit = hDlg->FindChild(IDC_EDIT_COMBO);
        EXPECT_EQ(CUserInput::Select(hEdit, 2), "");
        EXPECT_EQ(hEdit->Text(), "surround");
        EXPECT_EQ(LogOf(hDlg), "edit combo 2");
        EXPECT_EQ(CUserInput::Type(hEdit, "surround"), "");
        EXPECT_EQ(hEdit->CurSel(), -1) << "typing, even an item's text, leaves no item selected";
        EXPECT_EQ(LogOf(hDlg), "typed surround");
        ::SendMessage(hEdit, CB_SETCURSEL, 0, 0);
        ::SendMessage(hEdit, CB_DELETESTRING, 0, 0);
        EXPECT_EQ(hEdit->Text(), "stereo") << "the edit field keeps the deleted item's text";

        HWND hSimple = hDlg->FindChild(IDC_SIMPLE_COMBO);
        EXPECT_EQ(CUserInput::Type(hSimple, "Stereo"), "");
        EXPECT_EQ(LogOf(hDlg), "simple Stereo");
        EXPECT_EQ(CUserInput::Type(hDlg->FindChild(IDC_LIST_COMBO), "x"),
                  "ComboBox 104 has no edit field");
        EXPECT_EQ(CUserInput::Select(hSimple, 3), "ComboBox 106 has no item 3");
    });
}

TEST_F(ControlsTest, MultipleSelectionListBox)
{
    Run([](CTestDlg& dlg, HWND hDlg) {
        CListBox& list = dlg.m_listChannels;  // Front Left, Front Right, Front Center; 2 selected
        EXPECT_EQ(list.GetSelCount(), 1);
        EXPECT_EQ(list.SetSel(0), 0);
        EXPECT_EQ(list.SetSel(5), LB_ERR);
        int items[3] = {};
        EXPECT_EQ(list.GetSelItems(3, items), 2);
        EXPECT_EQ(items[0], 0);
        EXPECT_EQ(items[1], 2);
        EXPECT_EQ(list.SendMessage(LB_GETCURSEL), LB_ERR) << "no single selection in this kind";
        // Selection flags travel with their items.
        list.DeleteString(1);
        EXPECT_EQ(list.GetSel(0), 1);
        EXPECT_EQ(list.GetSel(1), 1);
        list.SetSel(-1, FALSE);
        EXPECT_EQ(list.GetSelCount(), 0);
        EXPECT_EQ(CUserInput::Toggle(list.m_hWnd, 1), "");
        EXPECT_EQ(LogOf(hDlg), "channels 1");
        EXPECT_EQ(CUserInput::Toggle(list.m_hWnd, 1), "");
        EXPECT_EQ(LogOf(hDlg), "channels 0");
        CString str;
        EXPECT_EQ(list.GetText(1, str), 12);
        EXPECT_EQ(str, "Front Center");
    });
}

TEST_F(ControlsTest, ProgressBarRangeAndPosition)
{
    Run([](CTestDlg& dlg, HWND) {
        HWND hBar = dlg.m_progress.m_hWnd;  // range 0..4 from OnInitDialog
        EXPECT_EQ(::SendMessage(hBar, PBM_SETRANGE, 0, MAKELPARAM(0, 10)), MAKELPARAM(0, 4));
        EXPECT_EQ(::SendMessage(hBar, PBM_SETPOS, 7, 0), 0);
        EXPECT_EQ(::SendMessage(hBar, PBM_SETPOS, 99, 0), 7);
        EXPECT_EQ(dlg.m_progress.GetPos(), 10) << "clamped to the range";
        ::SendMessage(hBar, PBM_SETRANGE, 0, MAKELPARAM(0, 3));
        EXPECT_EQ(hBar->Pos(), 3) << "a smaller range pulls the position in";
        EXPECT_EQ(::SendMessage(hBar, PBM_GETRANGE, TRUE, 0), 0);
        EXPECT_EQ(::SendMessage(hBar, PBM_GETRANGE, FALSE, 0), 3);
    });
}

TEST_F(ControlsTest, CheckBoxesAndButtons)
{
    Run([](CTestDlg& dlg, HWND hDlg) {
        auto* pOption = static_cast<CButton*>(dlg.GetDlgItem(IDC_OPTION));
        EXPECT_EQ(pOption->GetCheck(), BST_UNCHECKED);
        pOption->SetCheck(BST_CHECKED);
        EXPECT_EQ(LogOf(hDlg), "---") << "the program's own change sends nothing";
        EXPECT_EQ(CUserInput::Check(pOption->m_hWnd, 1), "");
        EXPECT_EQ(LogOf(hDlg), "---") << "already checked: no click";
        EXPECT_EQ(CUserInput::Click(pOption->m_hWnd), "");
        EXPECT_EQ(LogOf(hDlg), "option 0");
        auto* pStep = static_cast<CButton*>(dlg.GetDlgItem(IDC_STEP));
        pStep->SetCheck(BST_CHECKED);
        EXPECT_EQ(pStep->GetCheck(), BST_UNCHECKED) << "a push button has no check state";
        EXPECT_EQ(CUserInput::Check(pStep->m_hWnd, 1), "Button 111 is not a check box");
        EXPECT_EQ(CUserInput::Click(hDlg->FindChild(IDC_LOG)), "Static 110 is not a button");
        pStep->EnableWindow(FALSE);
        EXPECT_EQ(CUserInput::Click(pStep->m_hWnd), "Button 111 is disabled");
    });
}

TEST_F(ControlsTest, EditControlsAndRunTimeControls)
{
    Run([](CTestDlg& dlg, HWND hDlg) {
        EXPECT_EQ(CUserInput::Type(hDlg->FindChild(IDC_NAME), "drums"), "");
        EXPECT_EQ(LogOf(hDlg), "name drums");
        CEdit edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(328, 109, 428, 122), &dlg, 555));
        edit.SetWindowText("FL");
        CString str;
        EXPECT_EQ(edit.GetWindowText(str), 2);
        EXPECT_EQ(str, "FL");
        EXPECT_EQ(hDlg->Children().back(), edit.m_hWnd) << "run-time controls come after the template's";
        EXPECT_EQ(hDlg->FindChild(555)->Rect(), CRect(328, 109, 428, 122));
        EXPECT_FALSE(edit.Create(WS_CHILD, CRect(), &dlg, 556)) << "one window per object";
        CWnd unknown;
        EXPECT_FALSE(unknown.Create("Slider", "", WS_CHILD, CRect(), &dlg, 1));
    });
}

}  // namespace
