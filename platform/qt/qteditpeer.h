// CQtEditPeer: a one-line edit control, framed with WS_BORDER and without a
// frame otherwise. What a person types reaches the model and then the
// program as EN_CHANGE.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtEditPeer : public CQtPeer {
public:
    CQtEditPeer(CQtBackend& backend, CWindowRecord& window);

protected:
    void ApplyText() override;
    void ApplyStyle() override;
};
