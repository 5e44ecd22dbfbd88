#include "platform/qt/qtlistboxpeer.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

#include "platform/qt/qtmodellist.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

namespace {

class CToggleList : public CQtModelList {
public:
    CToggleList(CQtListBoxPeer* pPeer, QWidget* pParent) : CQtModelList(pParent), m_pPeer(pPeer) {}
    void Detach() { m_pPeer = nullptr; }

protected:
    void mousePressEvent(QMouseEvent* pEvent) override
    {
        CQtModelList::mousePressEvent(pEvent);
        QModelIndex index = indexAt(pEvent->position().toPoint());
        if (m_pPeer && pEvent->button() == Qt::LeftButton && index.isValid())
            m_pPeer->Toggle(index.row());
    }

    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if (pEvent->key() == Qt::Key_Space && pEvent->modifiers() == Qt::NoModifier) {
            pEvent->accept();
            if (m_pPeer && currentIndex().isValid())
                m_pPeer->Toggle(currentIndex().row());
            return;
        }
        CQtModelList::keyPressEvent(pEvent);
    }

private:
    CQtListBoxPeer* m_pPeer;
};

}  // namespace

CQtListBoxPeer::CQtListBoxPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    auto* pList = new CToggleList(this, ParentWidget());
    WatchFocus(pList);
    Attach(pList);
}

CQtListBoxPeer::~CQtListBoxPeer()
{
    if (auto* pList = static_cast<CToggleList*>(Widget()))
        pList->Detach();
}

void CQtListBoxPeer::Toggle(int nIndex)
{
    HWND hList = &Window();
    if (!IsApplying() && (Window().Style() & LBS_MULTIPLESEL))
        Act([hList, nIndex] { return CUserInput::Toggle(hList, nIndex); });
}

void CQtListBoxPeer::ApplyStyle()
{
    CQtPeer::ApplyStyle();
    auto* pList = static_cast<QListWidget*>(Widget());
    pList->setFrameShape((Window().Style() & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    pList->setVerticalScrollBarPolicy((Window().Style() & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
}

void CQtListBoxPeer::ApplyState()
{
    auto* pList = static_cast<QListWidget*>(Widget());
    pList->clear();
    for (const CString& strItem : Window().Items())
        pList->addItem(ToQString(strItem));
    for (int i = 0; i < pList->count(); ++i)
        ApplySelection(i);
}

void CQtListBoxPeer::ApplyChange(WindowChange change, int nIndex)
{
    auto* pList = static_cast<QListWidget*>(Widget());
    switch (change) {
    case WindowChange::ItemInserted:
        pList->insertItem(nIndex, ToQString(Window().Items()[static_cast<size_t>(nIndex)]));
        ApplySelection(nIndex);
        break;
    case WindowChange::ItemDeleted: delete pList->takeItem(nIndex); break;
    case WindowChange::ItemsReset: pList->clear(); break;
    case WindowChange::Selection:
        if (nIndex >= 0) {
            ApplySelection(nIndex);
        } else {
            for (int i = 0; i < pList->count(); ++i)
                ApplySelection(i);
        }
        break;
    default: break;
    }
}

void CQtListBoxPeer::ApplySelection(int nIndex)
{
    auto* pList = static_cast<QListWidget*>(Widget());
    QListWidgetItem* pItem = pList->item(nIndex);
    if (!pItem)
        return;
    bool bSelected = (Window().Style() & LBS_MULTIPLESEL) ? Window().IsItemSelected(nIndex)
                                                          : Window().CurSel() == nIndex;
    pItem->setSelected(bSelected);
}
