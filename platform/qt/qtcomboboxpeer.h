// CQtComboBoxPeer: a drop-down list (CBS_DROPDOWNLIST) or a drop-down combo
// box with an edit field (CBS_DROPDOWN). The model's rectangle includes the
// dropped-down list, as a Win32 template states it: the closed box is as
// tall as its field, and the list shows as many items as fit in the rest.
// A pick reaches the program as CBN_SELCHANGE, typing as CBN_EDITCHANGE.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtComboBoxPeer : public CQtPeer {
public:
    CQtComboBoxPeer(CQtBackend& backend, CWindowRecord& window);

protected:
    void ApplyText() override;
    void ApplyGeometry() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    bool HasEditField() const;
    void ApplySelection();
};
