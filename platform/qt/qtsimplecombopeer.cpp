#include "platform/qt/qtsimplecombopeer.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

#include "platform/qt/qtmodellist.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

namespace {

// Up and Down in the edit field move the list's selection, as in Win32.
class CStepKeys : public QObject {
public:
    CStepKeys(CQtSimpleComboPeer& peer, QObject* pParent) : QObject(pParent), m_peer(peer) {}

    bool eventFilter(QObject* /*pWatched*/, QEvent* pEvent) override
    {
        if (pEvent->type() != QEvent::KeyPress)
            return false;
        int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (nKey != Qt::Key_Up && nKey != Qt::Key_Down)
            return false;
        m_peer.Step(nKey == Qt::Key_Up ? -1 : 1);
        return true;
    }

private:
    CQtSimpleComboPeer& m_peer;
};

}  // namespace

CQtSimpleComboPeer::CQtSimpleComboPeer(CQtBackend& backend, CWindowRecord& window)
    : CQtPeer(backend, window)
{
    auto* pBox = new QWidget(ParentWidget());
    m_pEdit = new QLineEdit(pBox);
    m_pList = new CQtModelList(pBox);
    pBox->setFocusProxy(m_pEdit);
    HWND hCombo = &window;
    QObject::connect(m_pEdit, &QLineEdit::textEdited, &m_receiver, [this, hCombo](const QString& strText) {
        if (!IsApplying())
            Act([hCombo, strText] { return CUserInput::Type(hCombo, FromQString(strText)); });
    });
    QObject::connect(m_pList, &QListWidget::itemPressed, &m_receiver, [this](QListWidgetItem* pItem) {
        Pick(m_pList->row(pItem));
    });
    m_pEdit->installEventFilter(new CStepKeys(*this, &m_receiver));
    m_pList->installEventFilter(new CStepKeys(*this, &m_receiver));
    WatchFocus(m_pEdit);
    WatchFocus(m_pList);
    Attach(pBox);
}

void CQtSimpleComboPeer::Pick(int nIndex)
{
    HWND hCombo = &Window();
    if (!IsApplying() && nIndex >= 0)
        Act([hCombo, nIndex] { return CUserInput::Select(hCombo, nIndex); });
}

void CQtSimpleComboPeer::Step(int nStep)
{
    int nCount = static_cast<int>(Window().Items().size());
    if (nCount == 0)
        return;
    int nIndex = Window().CurSel() < 0 ? 0 : std::clamp(Window().CurSel() + nStep, 0, nCount - 1);
    if (nIndex != Window().CurSel())
        Pick(nIndex);
}

void CQtSimpleComboPeer::ApplyText()
{
    QString strText = ToQString(Window().Text());
    if (m_pEdit->text() != strText)
        m_pEdit->setText(strText);
}

void CQtSimpleComboPeer::ApplyGeometry()
{
    CQtPeer::ApplyGeometry();
    const CRect& rect = Window().Rect();
    int nEditHeight = std::min<int>(m_pEdit->sizeHint().height(), rect.Height() / 2);
    m_pEdit->setGeometry(0, 0, rect.Width(), nEditHeight);
    // The list starts right under the field, as Win32 draws it.
    m_pList->setGeometry(0, nEditHeight, rect.Width(), rect.Height() - nEditHeight);
}

void CQtSimpleComboPeer::ApplyStyle()
{
    CQtPeer::ApplyStyle();
    Qt::FocusPolicy policy = (Window().Style() & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
    m_pEdit->setFocusPolicy(policy);
    m_pList->setFocusPolicy(Qt::ClickFocus);
    m_pList->setVerticalScrollBarPolicy((Window().Style() & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
}

void CQtSimpleComboPeer::ApplyState()
{
    m_pList->clear();
    for (const CString& strItem : Window().Items())
        m_pList->addItem(ToQString(strItem));
    ApplySelection();
}

void CQtSimpleComboPeer::ApplyChange(WindowChange change, int nIndex)
{
    switch (change) {
    case WindowChange::ItemInserted:
        m_pList->insertItem(nIndex, ToQString(Window().Items()[static_cast<size_t>(nIndex)]));
        break;
    case WindowChange::ItemDeleted: delete m_pList->takeItem(nIndex); break;
    case WindowChange::ItemsReset: m_pList->clear(); break;
    case WindowChange::Selection: ApplySelection(); break;
    default: break;
    }
}

void CQtSimpleComboPeer::ApplySelection()
{
    m_pList->clearSelection();
    int nSel = Window().CurSel();
    if (QListWidgetItem* pItem = m_pList->item(nSel)) {
        pItem->setSelected(true);
        m_pList->setCurrentRow(nSel, QItemSelectionModel::NoUpdate);
        m_pList->scrollToItem(pItem);
    }
}
