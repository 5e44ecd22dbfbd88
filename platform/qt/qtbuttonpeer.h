// CQtButtonPeer: a push button (the default push button drawn as the
// default) or an automatic check box. A click reaches the program as
// BN_CLICKED; a check box's state changes only in the model, which then
// shows it. Qt draws a check box's box and gap wider than Win32 does, so a
// check box whose label would be cut grows to the right to show it whole.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtButtonPeer : public CQtPeer {
public:
    CQtButtonPeer(CQtBackend& backend, CWindowRecord& window);

protected:
    void ApplyText() override;
    void ApplyGeometry() override;
    void ApplyFont() override;
    void ApplyStyle() override;
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;

private:
    bool IsCheckBox() const;
};
