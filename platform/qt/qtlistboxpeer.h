// CQtListBoxPeer: a list box. In a multiple-selection list box
// (LBS_MULTIPLESEL) a click, or Space on the item with the focus frame,
// toggles one item, which reaches the program as LBN_SELCHANGE (with
// LBS_NOTIFY). Qt never selects on its own: the model's selection is shown.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtListBoxPeer : public CQtPeer {
public:
    CQtListBoxPeer(CQtBackend& backend, CWindowRecord& window);
    ~CQtListBoxPeer() override;

    // A person's toggle of item nIndex.
    void Toggle(int nIndex);

protected:
    void ApplyStyle() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    void ApplySelection(int nIndex);
};
