#include "tests/qt/qtharness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/cfont.h"
#include "platform/qt/qtstaticpeer.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"

namespace {

// A test that waits for a person who never comes fails instead of hanging.
constexpr int kHangMs = 20000;

std::string Name(HWND hWnd)
{
    return std::string(hWnd->ClassName()) + " " + std::to_string(hWnd->Id());
}

void ExpectItems(HWND hWnd, const QStringList& shown)
{
    QStringList expected;
    for (const CString& strItem : hWnd->Items())
        expected << ToQString(strItem);
    EXPECT_EQ(shown, expected) << Name(hWnd);
}

QStringList ItemsOf(const QListWidget* pList)
{
    QStringList items;
    for (int i = 0; i < pList->count(); ++i)
        items << pList->item(i)->text();
    return items;
}

void ExpectGeometry(HWND hWnd, const QWidget* pWidget)
{
    const CRect& rect = hWnd->Rect();
    QRect shown = pWidget->geometry();
    bool bIcon = hWnd->Kind() == WindowKind::Static && (hWnd->Style() & SS_TYPEMASK) == SS_ICON;
    bool bCheckBox = hWnd->Kind() == WindowKind::Button && (hWnd->Style() & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    bool bDropDown = hWnd->Kind() == WindowKind::ComboBox && (hWnd->Style() & CBS_TYPEMASK) != CBS_SIMPLE;
    EXPECT_EQ(shown.x(), rect.left) << Name(hWnd);
    EXPECT_EQ(shown.y(), rect.top) << Name(hWnd);
    if (bIcon) {
        EXPECT_EQ(shown.size(), QSize(32, 32)) << Name(hWnd);
        return;
    }
    if (bCheckBox) {
        // Wider only as far as its label needs.
        EXPECT_EQ(shown.width(), std::max<int>(rect.Width(), pWidget->sizeHint().width())) << Name(hWnd);
    } else {
        EXPECT_EQ(shown.width(), rect.Width()) << Name(hWnd);
    }
    if (bDropDown) {
        // The closed box; the rest of the rectangle is its list's.
        EXPECT_LE(shown.height(), rect.Height()) << Name(hWnd);
        EXPECT_GE(shown.height(), 18) << Name(hWnd);
    } else {
        EXPECT_EQ(shown.height(), rect.Height()) << Name(hWnd);
    }
}

void ExpectFont(HWND hWnd, const QWidget* pWidget)
{
    HFONT hFont = hWnd->Font();
    if (!hFont)
        return;
    EXPECT_EQ(pWidget->font().pixelSize(), -hFont->logFont.lfHeight) << Name(hWnd);
    EXPECT_EQ(pWidget->font().family(), "Liberation Sans") << Name(hWnd);
    EXPECT_EQ(QFontInfo(pWidget->font()).family(), "Liberation Sans") << Name(hWnd) << ": the font is installed";
}

void ExpectState(HWND hWnd, QWidget* pWidget)
{
    QString strText = ToQString(hWnd->Text());
    switch (hWnd->Kind()) {
    case WindowKind::Button:
        if (auto* pCheck = qobject_cast<QCheckBox*>(pWidget)) {
            EXPECT_EQ(pCheck->text(), strText) << Name(hWnd);
            EXPECT_EQ(pCheck->isChecked(), hWnd->Check() == BST_CHECKED) << Name(hWnd);
        } else if (auto* pPush = qobject_cast<QPushButton*>(pWidget)) {
            EXPECT_EQ(pPush->text(), strText) << Name(hWnd);
            EXPECT_EQ(pPush->isDefault(), (hWnd->Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON) << Name(hWnd);
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as a button";
        }
        break;
    case WindowKind::Static:
        if (auto* pLabel = qobject_cast<QLabel*>(pWidget)) {
            if ((hWnd->Style() & SS_TYPEMASK) == SS_ICON) {
                EXPECT_FALSE(pLabel->pixmap().isNull()) << Name(hWnd);
            } else {
                EXPECT_EQ(pLabel->text(), ToQString(CQtStaticPeer::DisplayText(hWnd->Text(), hWnd->Style())))
                    << Name(hWnd);
            }
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as a label";
        }
        break;
    case WindowKind::Edit:
        if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget)) {
            EXPECT_EQ(pEdit->text(), strText) << Name(hWnd);
            EXPECT_EQ(pEdit->hasFrame(), (hWnd->Style() & WS_BORDER) != 0) << Name(hWnd);
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as an edit field";
        }
        break;
    case WindowKind::ComboBox:
        if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
            QStringList items;
            for (int i = 0; i < pCombo->count(); ++i)
                items << pCombo->itemText(i);
            ExpectItems(hWnd, items);
            EXPECT_EQ(pCombo->currentIndex(), hWnd->CurSel()) << Name(hWnd);
            if (pCombo->isEditable()) {
                EXPECT_EQ(pCombo->lineEdit()->text(), strText) << Name(hWnd);
            }
        } else if (auto* pList = pWidget->findChild<QListWidget*>()) {
            ExpectItems(hWnd, ItemsOf(pList));
            QList<QListWidgetItem*> selected = pList->selectedItems();
            EXPECT_EQ(selected.size(), hWnd->CurSel() >= 0 ? 1 : 0) << Name(hWnd);
            if (!selected.isEmpty()) {
                EXPECT_EQ(pList->row(selected.front()), hWnd->CurSel()) << Name(hWnd);
            }
            EXPECT_EQ(pWidget->findChild<QLineEdit*>()->text(), strText) << Name(hWnd);
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as a combo box";
        }
        break;
    case WindowKind::ListBox:
        if (auto* pList = qobject_cast<QListWidget*>(pWidget)) {
            ExpectItems(hWnd, ItemsOf(pList));
            for (int i = 0; i < pList->count(); ++i)
                EXPECT_EQ(pList->item(i)->isSelected(), hWnd->IsItemSelected(i)) << Name(hWnd) << " item " << i;
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as a list box";
        }
        break;
    case WindowKind::ProgressBar:
        if (auto* pBar = qobject_cast<QProgressBar*>(pWidget)) {
            EXPECT_EQ(pBar->minimum(), hWnd->RangeMin()) << Name(hWnd);
            EXPECT_EQ(pBar->maximum(), hWnd->RangeMax()) << Name(hWnd);
            EXPECT_EQ(pBar->value(), hWnd->Pos()) << Name(hWnd);
        } else {
            ADD_FAILURE() << Name(hWnd) << " is not shown as a progress bar";
        }
        break;
    case WindowKind::Dialog:
        ADD_FAILURE() << Name(hWnd) << " is a dialog inside a dialog";
        break;
    }
}

}  // namespace

QtTest::QtTest(const ResourceTable* pResources)
{
    AfxSetBackend(&backend);
    AfxSetResourceTable(pResources);
    m_hang.setSingleShot(true);
    QObject::connect(&m_hang, &QTimer::timeout, [] {
        std::fputs("the test waited for a person who never came\n", stderr);
        std::abort();
    });
    m_hang.start(kHangMs);
}

QtTest::~QtTest()
{
    AfxSetResourceTable(nullptr);
    AfxSetBackend(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtTest::Later(std::function<void()> fn)
{
    // A timer, not a posted event: the backend keeps painting during the
    // program's handlers without firing timers, so fn never runs inside one.
    QTimer::singleShot(1, qApp, std::move(fn));
}

void QtTest::TypeFileName(const QString& strName)
{
    auto* pDialog = ActiveModal<QFileDialog>();
    if (!pDialog)
        return;
    auto* pEdit = pDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(pEdit, nullptr);
    pEdit->setText(strName);
    QTest::keyClick(pEdit, Qt::Key_Return);
}

void ExpectPeersMatchModel(HWND hDialog)
{
    QWidget* pDialog = CQtPeer::WidgetOf(hDialog);
    ASSERT_NE(pDialog, nullptr);
    CRect client = hDialog->ClientRect();
    EXPECT_EQ(pDialog->size(), QSize(client.Width(), client.Height()));
    EXPECT_EQ(pDialog->windowTitle(), ToQString(hDialog->Text()));
    EXPECT_EQ(pDialog->isVisible(), hDialog->IsVisible());
    EXPECT_TRUE(pDialog->isEnabled()) << "a disabled dialog is not greyed";

    int nShownChildren = 0;
    for (HWND hChild : hDialog->Children()) {
        QWidget* pWidget = CQtPeer::WidgetOf(hChild);
        if (!pWidget) {
            ADD_FAILURE() << Name(hChild) << " has no widget";
            continue;
        }
        EXPECT_EQ(pWidget->parentWidget(), pDialog) << Name(hChild);
        EXPECT_EQ(pWidget->isVisibleTo(pDialog), hChild->IsVisible()) << Name(hChild);
        EXPECT_EQ(pWidget->isEnabled(), hChild->IsEnabled()) << Name(hChild);
        nShownChildren += hChild->IsVisible() ? 1 : 0;
        ExpectGeometry(hChild, pWidget);
        ExpectFont(hChild, pWidget);
        ExpectState(hChild, pWidget);
    }
    int nVisibleWidgets = 0;
    for (QWidget* pWidget : pDialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        nVisibleWidgets += pWidget->isVisibleTo(pDialog) ? 1 : 0;
    EXPECT_EQ(nVisibleWidgets, nShownChildren) << "widgets of destroyed windows are still shown";
}

int main(int argc, char** argv)
{
    // Real widgets, drawn off the screen whatever the session has.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
