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

#include <cstdio>
#include <cstdlib>

#include "platform/cfont.h"
#include "platform/qt/qtstaticpeer.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "ui/plexoraresources.h"

namespace {

// A test that waits for a person who never comes fails instead of hanging.
constexpr int kHangMs = 20000;
// The running test's hang timer; what is left of its Later actions goes with it.
QObject* g_pRunningTest = nullptr;

std::string Name(HWND hWnd)
{
    return std::string(hWnd->ClassName()) + " " + std::to_string(hWnd->Id());
}

QString Joined(const QListWidget* pList)
{
    QStringList items;
    for (int i = 0; i < pList->count(); ++i)
        items << pList->item(i)->text() + (pList->item(i)->isSelected() ? "*" : "");
    return items.join('|');
}

// What a widget shows, in words that Modelled uses too.
QStringList Shown(QWidget* pWidget)
{
    if (auto* pCheck = qobject_cast<QCheckBox*>(pWidget))
        return {"check box", pCheck->text(), pCheck->isChecked() ? "checked" : ""};
    if (auto* pPush = qobject_cast<QPushButton*>(pWidget))
        return {"push button", pPush->text(), pPush->isDefault() ? "default" : ""};
    if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
        return pLabel->pixmap().isNull() ? QStringList{"label", pLabel->text()}
                                         : QStringList{"icon", QString::number(pLabel->pixmap().deviceIndependentSize().width())};
    if (auto* pEdit = qobject_cast<QLineEdit*>(pWidget))
        return {"edit", pEdit->text(), pEdit->hasFrame() ? "framed" : ""};
    if (auto* pCombo = qobject_cast<QComboBox*>(pWidget)) {
        QStringList items;
        for (int i = 0; i < pCombo->count(); ++i)
            items << pCombo->itemText(i) + (i == pCombo->currentIndex() ? "*" : "");
        return {"combo box", items.join('|'), pCombo->isEditable() ? pCombo->lineEdit()->text() : "no field"};
    }
    if (auto* pBar = qobject_cast<QProgressBar*>(pWidget))
        return {"progress", QString("%1 %2 %3").arg(pBar->minimum()).arg(pBar->maximum()).arg(pBar->value())};
    if (auto* pList = qobject_cast<QListWidget*>(pWidget))
        return {"list box", Joined(pList)};
    auto* pList = pWidget->findChild<QListWidget*>();
    auto* pEdit = pWidget->findChild<QLineEdit*>();
    if (pList && pEdit) {
        // Its list is always shown, from under the field to the bottom.
        bool bListShown = pList->isVisibleTo(pWidget) && pList->y() >= pEdit->geometry().bottom() &&
                          pList->geometry().bottom() + 1 == pWidget->height();
        return {"simple combo box", Joined(pList), pEdit->text(), bListShown ? "list shown" : "list hidden"};
    }
    return {"unknown widget"};
}

// What a window must show, from the model and Win32's rules.
QStringList Modelled(HWND hWnd)
{
    QString strText = ToQString(hWnd->Text());
    DWORD dwStyle = hWnd->Style();
    QStringList items;
    for (int i = 0; i < static_cast<int>(hWnd->Items().size()); ++i) {
        bool bSelected = hWnd->Kind() == WindowKind::ListBox ? hWnd->IsItemSelected(i) : hWnd->CurSel() == i;
        items << ToQString(hWnd->Items()[static_cast<size_t>(i)]) + (bSelected ? "*" : "");
    }
    QString strItems = items.join('|');
    switch (hWnd->Kind()) {
    case WindowKind::Button:
        if ((dwStyle & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            return {"check box", strText, hWnd->Check() == BST_CHECKED ? "checked" : ""};
        return {"push button", strText, (dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? "default" : ""};
    case WindowKind::Static:
        if ((dwStyle & SS_TYPEMASK) == SS_ICON)
            return {"icon", "32"};
        return {"label", ToQString(CQtStaticPeer::DisplayText(hWnd->Text(), dwStyle))};
    case WindowKind::Edit: return {"edit", strText, (dwStyle & WS_BORDER) ? "framed" : ""};
    case WindowKind::ComboBox:
        switch (dwStyle & CBS_TYPEMASK) {
        case CBS_SIMPLE: return {"simple combo box", strItems, strText, "list shown"};
        case CBS_DROPDOWN: return {"combo box", strItems, strText};
        default: return {"combo box", strItems, "no field"};
        }
    case WindowKind::ListBox: return {"list box", strItems};
    case WindowKind::ProgressBar:
        return {"progress", QString("%1 %2 %3").arg(hWnd->RangeMin()).arg(hWnd->RangeMax()).arg(hWnd->Pos())};
    case WindowKind::Dialog: break;
    case WindowKind::ToolTip: return {"a tip control among the controls"};
    }
    return {"a dialog inside a dialog"};
}

// The widget's place: the model's rectangle, except that an icon takes its
// own size, a check box may grow to show its whole label, and a drop-down
// box shows closed, as tall as its field, the rest being its list's.
void ExpectGeometry(HWND hWnd, const QWidget* pWidget, const QString& strKind)
{
    const CRect& rect = hWnd->Rect();
    QRect shown = pWidget->geometry();
    QSize expected = strKind == "icon" ? QSize(32, 32) : QSize(rect.Width(), rect.Height());
    bool bWidth = strKind == "check box" ? shown.width() >= expected.width() : shown.width() == expected.width();
    bool bHeight = strKind == "combo box" ? shown.height() <= expected.height() && shown.height() >= 18
                                          : shown.height() == expected.height();
    EXPECT_TRUE(shown.topLeft() == QPoint(rect.left, rect.top) && bWidth && bHeight)
        << Name(hWnd) << " at " << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height()
        << " for " << rect.left << "," << rect.top << " " << rect.Width() << "x" << rect.Height();
}

}  // namespace

QtTest::QtTest()
{
    AfxSetBackend(&backend);
    AfxSetResourceTable(&kPlexoraResources);
    m_hang.setSingleShot(true);
    QObject::connect(&m_hang, &QTimer::timeout, [] {
        std::fputs("the test waited for a person who never came\n", stderr);
        std::abort();
    });
    m_hang.start(kHangMs);
    g_pRunningTest = &m_hang;
}

QtTest::~QtTest()
{
    g_pRunningTest = nullptr;
    AfxSetResourceTable(nullptr);
    AfxSetBackend(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Later(std::function<void()> fn)
{
    // A timer, not a posted event: the backend keeps painting during the
    // program's handlers without firing timers, so fn never runs inside one.
    QTimer::singleShot(1, g_pRunningTest, std::move(fn));
}

void TypeFileName(const QString& strName)
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
        EXPECT_EQ(pWidget->toolTip(), ToQString(hChild->ToolTip())) << Name(hChild);
        EXPECT_EQ(pWidget->accessibleDescription(), ToQString(hChild->ToolTip())) << Name(hChild);
        nShownChildren += hChild->IsVisible() ? 1 : 0;
        QStringList modelled = Modelled(hChild);
        EXPECT_EQ(Shown(pWidget), modelled) << Name(hChild);
        ExpectGeometry(hChild, pWidget, modelled.front());
        if (HFONT hFont = hChild->Font()) {
            EXPECT_EQ(pWidget->font().pixelSize(), -hFont->logFont.lfHeight) << Name(hChild);
            EXPECT_EQ(pWidget->font().family() + " " + QFontInfo(pWidget->font()).family(),
                      "Liberation Sans Liberation Sans")
                << Name(hChild) << " asks for " << hFont->logFont.lfFaceName << "; drawn with the font installed";
        }
    }
    int nVisibleWidgets = 0;
    for (QWidget* pWidget : pDialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        nVisibleWidgets += !pWidget->isWindow() && pWidget->isVisibleTo(pDialog) ? 1 : 0;
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
