// What a person does to the widgets reaches the program as the message a
// Win32 control sends, after the model changed: clicks, toggles, picks,
// typing, Tab, Escape, Enter, the close box and the system menu.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <map>

#include "platform/cbutton.h"
#include "platform/cmenu.h"
#include "platform/styles.h"
#include "tests/qt/kindsdlg.h"
#include "tests/qt/qtharness.h"

using namespace kinds;

namespace {

struct Command {
    int nId;
    int nCode;
    HWND hControl;
};

class InputTest : public QtTest {
protected:
    InputTest() : QtTest(&kKindsResources) {}

    // The WM_COMMAND messages the dialog received, in order.
    std::vector<Command> Commands() const
    {
        std::vector<Command> commands;
        for (const RecordedMessage& m : dlg.m_received)
            if (m.nMessage == WM_COMMAND)
                commands.push_back({LOWORD(m.wParam), HIWORD(m.wParam), reinterpret_cast<HWND>(m.lParam)});
        return commands;
    }
    std::vector<WPARAM> SysCommands() const
    {
        std::vector<WPARAM> ids;
        for (const RecordedMessage& m : dlg.m_received)
            if (m.nMessage == WM_SYSCOMMAND)
                ids.push_back(m.wParam);
        return ids;
    }
    HWND Control(int nId) const { return dlg.m_hWnd->FindChild(nId); }
    void PressEscape() { QTest::keyClick(WidgetOf(dlg.m_hWnd), Qt::Key_Escape); }

    CKindsDlg dlg;
};

TEST_F(InputTest, ClicksOnCheckBoxesAndPushButtonsSendBnClicked)
{
    HWND hPad = nullptr;
    HWND hAsk = nullptr;
    Later([&] {
        hPad = Control(IDC_PAD);
        hAsk = Control(IDC_ASK);
        auto* pPad = ControlWidget<QCheckBox>(dlg.m_hWnd, IDC_PAD);
        QTest::mouseClick(pPad, Qt::LeftButton, {}, QPoint(4, pPad->height() / 2));
        EXPECT_EQ(Control(IDC_PAD)->Check(), BST_CHECKED);
        EXPECT_TRUE(pPad->isChecked());
        EXPECT_EQ(dlg.m_hWnd->FocusChild(), Control(IDC_PAD)) << "a click takes the focus";
        QTest::keyClick(pPad, Qt::Key_Space);
        EXPECT_EQ(Control(IDC_PAD)->Check(), BST_UNCHECKED);
        EXPECT_FALSE(pPad->isChecked());

        // A question asked by the click's handler, answered No.
        Later([] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(pBox, nullptr);
            EXPECT_EQ(pBox->text(), "Proceed ?");
            QTest::mouseClick(pBox->button(QMessageBox::No), Qt::LeftButton);
        });
        QTest::mouseClick(ControlWidget<QPushButton>(dlg.m_hWnd, IDC_ASK), Qt::LeftButton);
        EXPECT_EQ(dlg.m_nLastAnswer, IDNO);
        PressEscape();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    std::vector<Command> commands = Commands();
    std::vector<std::pair<int, int>> received;
    for (const Command& c : commands)
        received.emplace_back(c.nId, c.nCode);
    std::vector<std::pair<int, int>> expected = {
        {IDC_PAD, BN_CLICKED}, {IDC_PAD, BN_CLICKED}, {IDC_ASK, BN_CLICKED}, {IDCANCEL, BN_CLICKED}};
    ASSERT_EQ(received, expected);
    EXPECT_EQ(commands[0].hControl, hPad) << "the check box sends its own handle";
    EXPECT_EQ(commands[2].hControl, hAsk);
    EXPECT_EQ(commands[3].hControl, nullptr) << "Escape comes from no control";
}

TEST_F(InputTest, PicksAndTogglesSendSelectionChanges)
{
    std::map<int, HWND> handles;
    Later([&] {
        HWND hDialog = dlg.m_hWnd;
        for (int nId : {IDC_CHOICE, IDC_NAMES, IDC_CHANNELS})
            handles[nId] = Control(nId);
        // The drop-down list: by keyboard, then from its list.
        auto* pChoice = ControlWidget<QComboBox>(hDialog, IDC_CHOICE);
        QTest::keyClick(pChoice, Qt::Key_Down);
        EXPECT_EQ(Control(IDC_CHOICE)->CurSel(), 4);
        EXPECT_EQ(Control(IDC_CHOICE)->Text(), "surround 7.1");
        pChoice->showPopup();
        QAbstractItemView* pView = pChoice->view();
        EXPECT_GE(pView->window()->geometry().top(), pChoice->mapToGlobal(QPoint(0, pChoice->height() - 1)).y())
            << "the list drops below the box";
        QTest::mouseClick(pView->viewport(), Qt::LeftButton, {},
                          pView->visualRect(pView->model()->index(0, 0)).center());
        EXPECT_EQ(Control(IDC_CHOICE)->CurSel(), 0);
        EXPECT_EQ(pChoice->currentText(), "stereo");

        // The simple combo box: a click into its list, then Up in its field.
        QWidget* pNames = ControlWidget(hDialog, IDC_NAMES);
        auto* pNamesList = pNames->findChild<QListWidget*>();
        QTest::mouseClick(pNamesList->viewport(), Qt::LeftButton, {},
                          pNamesList->visualItemRect(pNamesList->item(1)).center());
        EXPECT_EQ(Control(IDC_NAMES)->CurSel(), 1);
        EXPECT_EQ(pNames->findChild<QLineEdit*>()->text(), "quadriphony");
        QTest::keyClick(pNames->findChild<QLineEdit*>(), Qt::Key_Up);
        EXPECT_EQ(Control(IDC_NAMES)->CurSel(), 0);
        EXPECT_EQ(Control(IDC_NAMES)->Text(), "stereo");

        // The multiple-selection list: each click toggles one item; so does Space.
        auto* pChannels = ControlWidget<QListWidget>(hDialog, IDC_CHANNELS);
        auto clickItem = [pChannels](int nRow) {
            QTest::mouseClick(pChannels->viewport(), Qt::LeftButton, {},
                              pChannels->visualItemRect(pChannels->item(nRow)).center());
        };
        clickItem(2);
        clickItem(0);
        EXPECT_FALSE(Control(IDC_CHANNELS)->IsItemSelected(0));
        EXPECT_TRUE(Control(IDC_CHANNELS)->IsItemSelected(1));
        EXPECT_TRUE(Control(IDC_CHANNELS)->IsItemSelected(2));
        QTest::keyClick(pChannels, Qt::Key_Space);
        EXPECT_TRUE(Control(IDC_CHANNELS)->IsItemSelected(0)) << "Space toggles the item with the focus frame";
        ExpectPeersMatchModel(hDialog);
        PressEscape();
    });
    dlg.DoModal();
    std::vector<std::pair<int, int>> received;
    for (const Command& c : Commands()) {
        received.emplace_back(c.nId, c.nCode);
        if (c.nId != IDCANCEL) {
            EXPECT_EQ(c.hControl, handles[c.nId]) << "the notification carries the control's handle";
        }
    }
    std::vector<std::pair<int, int>> expected = {
        {IDC_CHOICE, CBN_SELCHANGE},   {IDC_CHOICE, CBN_SELCHANGE},   {IDC_NAMES, CBN_SELCHANGE},
        {IDC_NAMES, CBN_SELCHANGE},    {IDC_CHANNELS, LBN_SELCHANGE}, {IDC_CHANNELS, LBN_SELCHANGE},
        {IDC_CHANNELS, LBN_SELCHANGE}, {IDCANCEL, BN_CLICKED}};
    EXPECT_EQ(received, expected);
}

TEST_F(InputTest, TypingSendsChangesAndEnterRunsTheDefaultButton)
{
    Later([this] {
        HWND hDialog = dlg.m_hWnd;
        QTest::keyClicks(ControlWidget(hDialog, IDC_NAME), "ab");
        EXPECT_EQ(Control(IDC_NAME)->Text(), "ab");
        QTest::keyClicks(ControlWidget(hDialog, IDC_SUFFIX_FIRST + 2), "BR");
        EXPECT_EQ(Control(IDC_SUFFIX_FIRST + 2)->Text(), "BR");

        auto* pDefault = ControlWidget<QComboBox>(hDialog, IDC_DEFAULT);
        pDefault->lineEdit()->selectAll();
        QTest::keyClicks(pDefault->lineEdit(), "my");
        EXPECT_EQ(Control(IDC_DEFAULT)->Text(), "my");
        EXPECT_EQ(Control(IDC_DEFAULT)->CurSel(), -1) << "typing leaves no item selected";
        EXPECT_EQ(pDefault->lineEdit()->text(), "my");
        EXPECT_EQ(pDefault->currentIndex(), -1);

        auto* pNamesEdit = ControlWidget(hDialog, IDC_NAMES)->findChild<QLineEdit*>();
        pNamesEdit->setCursorPosition(0);
        QTest::keyClicks(pNamesEdit, "x");
        EXPECT_EQ(Control(IDC_NAMES)->Text(), "xsurround 5.1");
        EXPECT_EQ(pNamesEdit->cursorPosition(), 1) << "the caret stays where the person types";
        EXPECT_EQ(Control(IDC_NAMES)->CurSel(), -1);
        ExpectPeersMatchModel(hDialog);

        // Enter in an edit field runs the default push button.
        QTest::keyClick(ControlWidget(hDialog, IDC_NAME), Qt::Key_Return);
        EXPECT_EQ(ControlWidget<QProgressBar>(hDialog, IDC_BAR)->value(), 5);
        PressEscape();
    });
    dlg.DoModal();
    std::vector<std::pair<int, int>> received;
    for (const Command& c : Commands())
        received.emplace_back(c.nId, c.nCode);
    const int kSuffix = IDC_SUFFIX_FIRST + 2;
    std::vector<std::pair<int, int>> expected = {
        {IDC_NAME, EN_CHANGE},         {IDC_NAME, EN_CHANGE},           {kSuffix, EN_CHANGE},
        {kSuffix, EN_CHANGE},          {IDC_DEFAULT, CBN_EDITCHANGE},   {IDC_DEFAULT, CBN_EDITCHANGE},
        {IDC_NAMES, CBN_EDITCHANGE},   {IDC_RUN, BN_CLICKED},           {IDCANCEL, BN_CLICKED}};
    EXPECT_EQ(received, expected);
}

TEST_F(InputTest, TabFollowsTheTemplateThenRunTimeControlsAndEnterPressesTheFocusedButton)
{
    Later([this] {
        HWND hDialog = dlg.m_hWnd;
        // A control made at run time, like a channel row.
        CButton row;
        row.Create("Row", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(300, 300, 400, 323), &dlg, 40);
        EXPECT_EQ(hDialog->FocusChild(), Control(IDC_RUN)) << "the first tab stop starts with the focus";
        ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(hDialog)));
        std::vector<int> order;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(WidgetOf(hDialog)->focusWidget(), Qt::Key_Tab);
            order.push_back(hDialog->FocusChild() ? hDialog->FocusChild()->Id() : 0);
        }
        std::vector<int> expected = {IDC_ASK,  IDC_PAD,      IDC_OLD_STYLE, IDC_NAME, IDC_CHOICE,
                                     IDC_NAMES, IDC_CHANNELS, IDC_DEFAULT,   40,       IDC_RUN};
        EXPECT_EQ(order, expected);

        QTest::keyClick(WidgetOf(hDialog)->focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(hDialog->FocusChild(), Control(IDC_ASK));
        Later([] {
            auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(pBox, nullptr);
            QTest::keyClick(pBox, Qt::Key_Return);
        });
        QTest::keyClick(WidgetOf(hDialog)->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dlg.m_nLastAnswer, IDYES) << "Yes is the question's default button";
        PressEscape();
    });
    dlg.DoModal();
    ASSERT_GE(Commands().size(), 2u);
    EXPECT_EQ(Commands()[0].nId, IDC_ASK) << "Enter on a focused push button presses it";
}

TEST_F(InputTest, TheCloseBoxSendsScCloseAndCancels)
{
    Later([this] { WidgetOf(dlg.m_hWnd)->close(); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(SysCommands(), std::vector<WPARAM>{SC_CLOSE});
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].nId, IDCANCEL);
}

TEST_F(InputTest, TheSystemMenuShowsOnTheBackgroundAndOnAltSpace)
{
    Later([this] {
        HWND hDialog = dlg.m_hWnd;
        CMenu* pMenu = dlg.GetSystemMenu(FALSE);
        pMenu->AppendMenu(MF_SEPARATOR);
        pMenu->AppendMenu(MF_STRING, 0x10, "&About Kinds...");
        QWidget* pDialog = WidgetOf(hDialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog));

        // A right click on the dialog's background; the About item is picked.
        Later([] {
            auto* pPopup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(pPopup, nullptr);
            QStringList texts;
            for (QAction* pAction : pPopup->actions())
                texts << (pAction->isSeparator() ? QString("-") : pAction->text());
            EXPECT_EQ(texts, QStringList({"&Close", "-", "&About Kinds..."}));
            QTest::mouseClick(pPopup, Qt::LeftButton, {}, pPopup->actionGeometry(pPopup->actions()[2]).center());
        });
        QPoint background(pDialog->width() - 5, pDialog->height() - 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, background, pDialog->mapToGlobal(background));
        QApplication::sendEvent(pDialog, &event);
        EXPECT_EQ(SysCommands(), std::vector<WPARAM>{0x10});

        // Alt+Space, then the Close item by its mnemonic; shortcuts work in
        // the active window.
        pDialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog));
        Later([] {
            auto* pPopup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(pPopup, nullptr);
            QTest::keyClick(pPopup, Qt::Key_C);
        });
        QTest::keyClick(pDialog->focusWidget(), Qt::Key_Space, Qt::AltModifier);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(SysCommands(), (std::vector<WPARAM>{0x10, SC_CLOSE}));
}

TEST_F(InputTest, WhileAHandlerRunsTheBarMovesAndTheWindowTakesNoInput)
{
    std::vector<int> shown;
    dlg.m_onStep = [&](int nPos) {
        HWND hDialog = dlg.m_hWnd;
        shown.push_back(ControlWidget<QProgressBar>(hDialog, IDC_BAR)->value());
        EXPECT_FALSE(backend.CanAct(hDialog));
        if (nPos == 2) {
            QTest::keyClick(WidgetOf(hDialog), Qt::Key_Escape);
            WidgetOf(hDialog)->close();
            QTest::mouseClick(ControlWidget(hDialog, IDC_ASK), Qt::LeftButton);
        }
    };
    Later([this] {
        QTest::mouseClick(ControlWidget(dlg.m_hWnd, IDC_RUN), Qt::LeftButton);
        EXPECT_TRUE(backend.CanAct(dlg.m_hWnd)) << "input is taken again once the handler returned";
        PressEscape();
    });
    dlg.DoModal();
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5})) << "each step is shown at once";
    ASSERT_EQ(Commands().size(), 2u) << "nothing done during the handler reached the program";
    EXPECT_EQ(Commands()[0].nId, IDC_RUN);
    EXPECT_EQ(Commands()[1].nId, IDCANCEL);
    EXPECT_TRUE(SysCommands().empty());
}

}  // namespace
