// CQtSimpleComboPeer: a simple combo box (CBS_SIMPLE), an edit field over a
// list that is always shown, which Qt has no widget for. Picking an item (a
// click, or Up and Down in either part) reaches the program as
// CBN_SELCHANGE, typing as CBN_EDITCHANGE.
#pragma once

#include "platform/qt/qtpeer.h"

class QLineEdit;
class QListWidget;

class CQtSimpleComboPeer : public CQtPeer {
public:
    CQtSimpleComboPeer(CQtBackend& backend, CWindowRecord& window);

    // A person's pick of item nIndex, or a move of the selection by nStep.
    void Pick(int nIndex);
    void Step(int nStep);

protected:
    void ApplyText() override;
    void ApplyGeometry() override;
    void ApplyStyle() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    void ApplySelection();

    QLineEdit* m_pEdit;
    QListWidget* m_pList;
};
