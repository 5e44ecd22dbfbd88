// What a person does to the widgets reaches the program as the message a
// Win32 control or the dialog manager sends, each on a fresh dialog.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <QTest>

#include "platform/modalstack.h"
#include "tests/support/tempdir.h"
#include "tests/qt/qtharness.h"
#include "ui/maindlg.h"
#include "ui/resource.h"
#include "ui/settingsdlg.h"

namespace {

// The WM_COMMAND and WM_SYSCOMMAND messages of the dialog under test.
std::vector<std::tuple<UINT, WPARAM, LPARAM>> g_received;

template <class Dialog>
class CRecorded : public Dialog {
public:
    using Dialog::Dialog;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SYSCOMMAND)
            g_received.emplace_back(message, wParam, lParam);
        return Dialog::WindowProc(message, wParam, lParam);
    }
};

// The part of control nId's widget that is a T.
template <class T>
T* Part(HWND hDialog, int nId)
{
    QWidget* pWidget = WidgetOf(hDialog, nId);
    return qobject_cast<T*>(pWidget) ? qobject_cast<T*>(pWidget) : pWidget->findChild<T*>();
}

void ClickItem(HWND hDialog, int nId, int nRow)
{
    auto* pList = Part<QListWidget>(hDialog, nId);
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pList->item(nRow)).center());
}

// A control in the model: a check box's check, a list box's selected
// items, a combo box's text and selection, an edit's text.
std::string State(HWND hControl)
{
    std::string str = hControl->Kind() == WindowKind::Button ? std::to_string(hControl->Check())
                                                              : hControl->Text().str();
    for (int i = 0; hControl->Kind() == WindowKind::ListBox && i < static_cast<int>(hControl->Items().size()); ++i)
        str += hControl->IsItemSelected(i) ? std::to_string(i) + " " : "";
    return hControl->Kind() == WindowKind::ComboBox ? str + " #" + std::to_string(hControl->CurSel()) : str;
}

struct PersonsAction {
    const char* pszWhat;
    bool bMainDialog;
    std::function<void(HWND hDialog)> act;
    UINT nMessage;  // the first message the program receives, from control nId
    int nId;
    int nCode;
    const char* pszThen;  // the State of control nId afterwards, while the dialog is open
};

const PersonsAction kActions[] = {
    {"a click on a check box", false,
     [](HWND h) { QTest::mouseClick(Part<QCheckBox>(h, IDC_AUTO_PADDING), Qt::LeftButton, {}, QPoint(4, 8)); },
     WM_COMMAND, IDC_AUTO_PADDING, BN_CLICKED, "0"},
    {"a click into a simple combo box's list", false, [](HWND h) { ClickItem(h, IDC_CONFIGURATIONS, 1); },
     WM_COMMAND, IDC_CONFIGURATIONS, CBN_SELCHANGE, "quadriphony #1"},
    {"Up in a simple combo box's field", false,
     [](HWND h) { QTest::keyClick(Part<QLineEdit>(h, IDC_CONFIGURATIONS), Qt::Key_Up); },
     WM_COMMAND, IDC_CONFIGURATIONS, CBN_SELCHANGE, "surround #2"},
    {"Up on a drop-down combo box", false,
     [](HWND h) { QTest::keyClick(Part<QComboBox>(h, IDC_DEFAULT_CONFIGURATION), Qt::Key_Up); },
     WM_COMMAND, IDC_DEFAULT_CONFIGURATION, CBN_SELCHANGE, "surround #2"},
    {"a click on a selected channel", false, [](HWND h) { ClickItem(h, IDC_CHANNELS, 0); },
     WM_COMMAND, IDC_CHANNELS, LBN_SELCHANGE, "1 2 3 4 5 "},
    {"Space on the channel with the focus frame", false,
     [](HWND h) {
         Part<QListWidget>(h, IDC_CHANNELS)->setCurrentRow(6, QItemSelectionModel::NoUpdate);
         QTest::keyClick(Part<QListWidget>(h, IDC_CHANNELS), Qt::Key_Space);
     },
     WM_COMMAND, IDC_CHANNELS, LBN_SELCHANGE, "0 1 2 3 4 5 6 "},
    {"typing in an edit", false, [](HWND h) { QTest::keyClicks(Part<QLineEdit>(h, IDC_SUFFIX_FIRST + 2), "x"); },
     WM_COMMAND, IDC_SUFFIX_FIRST + 2, EN_CHANGE, "FCx"},
    {"typing at the start of a simple combo box's field", false,
     [](HWND h) {
         auto* pEdit = Part<QLineEdit>(h, IDC_CONFIGURATIONS);
         pEdit->setCursorPosition(0);
         QTest::keyClicks(pEdit, "xy");
         EXPECT_EQ(pEdit->cursorPosition(), 2) << "the caret stays where the person types";
     },
     WM_COMMAND, IDC_CONFIGURATIONS, CBN_EDITCHANGE, "xysurround 5.1 #-1"},
    {"pasting two lines into an edit", false,
     [](HWND h) {
         auto* pEdit = Part<QLineEdit>(h, IDC_SUFFIX_FIRST + 2);
         QApplication::clipboard()->setText("x\ny");
         pEdit->selectAll();
         pEdit->paste();
     },
     WM_COMMAND, IDC_SUFFIX_FIRST + 2, EN_CHANGE, "x"},
    {"typing in a drop-down combo box's field", false,
     [](HWND h) { QTest::keyClicks(Part<QLineEdit>(h, IDC_DEFAULT_CONFIGURATION), "!"); },
     WM_COMMAND, IDC_DEFAULT_CONFIGURATION, CBN_EDITCHANGE, "surround 5.1! #-1"},
    {"Escape", false, [](HWND h) { QTest::keyClick(WidgetOf(h), Qt::Key_Escape); },
     WM_COMMAND, IDCANCEL, BN_CLICKED, nullptr},
    {"Enter in an edit", false, [](HWND h) { QTest::keyClick(Part<QLineEdit>(h, IDC_SUFFIX_FIRST), Qt::Key_Return); },
     WM_COMMAND, IDOK, BN_CLICKED, nullptr},
    {"the close box", false, [](HWND h) { WidgetOf(h)->close(); }, WM_SYSCOMMAND, SC_CLOSE, 0, nullptr},
    {"Alt+Space, then C", false,
     [](HWND h) {
         ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOf(h)));
         Later([] {
             if (QWidget* pMenu = QApplication::activePopupWidget())
                 QTest::keyClick(pMenu, Qt::Key_C);
         });
         QTest::keyClick(WidgetOf(h)->focusWidget(), Qt::Key_Space, Qt::AltModifier);
     },
     WM_SYSCOMMAND, SC_CLOSE, 0, nullptr},
    {"the system menu on the dialog's background, About picked", true,
     [](HWND h) {
         Later([] {
             auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
             ASSERT_NE(pMenu, nullptr);
             QStringList items;
             for (QAction* pAction : pMenu->actions())
                 items << (pAction->isSeparator() ? QString("-") : pAction->text());
             EXPECT_EQ(items, QStringList({"&Close", "-", "&About Plexora..."}));
             // The About box opens; Escape closes it.
             Later([] { QTest::keyClick(WidgetOf(CModalStack::Top()), Qt::Key_Escape); });
             QTest::mouseClick(pMenu, Qt::LeftButton, {}, pMenu->actionGeometry(pMenu->actions()[2]).center());
         });
         QPoint background(WidgetOf(h)->width() - 5, WidgetOf(h)->height() - 5);
         QContextMenuEvent event(QContextMenuEvent::Mouse, background, WidgetOf(h)->mapToGlobal(background));
         QApplication::sendEvent(WidgetOf(h), &event);
     },
     WM_SYSCOMMAND, IDM_ABOUTBOX, 0, nullptr},
};

using InputTest = QtTest;

TEST_F(InputTest, EachActionReachesTheProgramAsItsMessage)
{
    for (const PersonsAction& action : kActions) {
        SCOPED_TRACE(action.pszWhat);
        CSettings settings;
        settings.LoadDefaultSettings();
        CRecorded<CMainDlg> mainDlg(settings);
        CRecorded<CSettingsDlg> settingsDlg(settings);
        CDialog& dlg = action.bMainDialog ? static_cast<CDialog&>(mainDlg) : settingsDlg;
        g_received.clear();
        HWND hSender = nullptr;
        Later([&] {
            HWND hDialog = dlg.m_hWnd;
            hSender = hDialog->FindChild(action.nId);
            action.act(hDialog);
            if (CWindowRecord::IsWindow(hDialog) && !hDialog->IsDialogEnded()) {
                if (action.pszThen) {
                    EXPECT_EQ(State(hSender), action.pszThen);
                }
                ExpectPeersMatchModel(hDialog);
                dlg.EndDialog(IDCANCEL);
            }
        });
        dlg.DoModal();
        ASSERT_FALSE(g_received.empty());
        auto [nMessage, wParam, lParam] = g_received.front();
        EXPECT_EQ(nMessage, action.nMessage);
        EXPECT_EQ(LOWORD(wParam), action.nId);
        EXPECT_EQ(HIWORD(wParam), action.nCode);
        if (nMessage == WM_COMMAND) {
            EXPECT_EQ(lParam, reinterpret_cast<LPARAM>(hSender)) << "the sender's handle, none for IDOK and IDCANCEL";
        }
    }
}

// A file manager's drop reaches the window through Qt's own delivery; on a
// row's label it is that row's pick.
TEST_F(InputTest, AFileDroppedFromAFileManagerGoesToTheRowUnderThePoint)
{
    const TempDir dir;
    WriteWholeFile(dir / "drumsLF.wav", "");
    CSettings settings;
    settings.LoadDefaultSettings();
    settings.m_bAutoLoading = false;
    CMainDlg dlg(settings);
    Later([&] {
        QMimeData data;
        // A link that is no file is dropped along, never taken.
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir / "drumsLF.wav")),
                      QUrl("https://example.org/not-a-file.wav")});
        const CRect& backRight = dlg.m_hWnd->FindChild(IDC_CHANNEL_LABEL_FIRST + 5)->Rect();
        const QPoint at(backRight.left + 4, backRight.top + 4);
        QWindow* pWindow = WidgetOf(dlg.m_hWnd)->windowHandle();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pWindow, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pWindow, &dropped);
        EXPECT_EQ(dlg.m_hWnd->FindChild(IDC_CHANNEL_LABEL_FIRST + 5)->Text(), dir / "drumsLF.wav");
        EXPECT_EQ(dlg.m_hWnd->FindChild(IDC_CHANNEL_LABEL_FIRST + 3)->Text(), "---");
        dlg.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

}  // namespace
