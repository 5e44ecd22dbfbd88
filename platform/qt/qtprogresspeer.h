// CQtProgressPeer: a progress bar. Each step is painted at once, and the
// window keeps painting while the handler that steps it runs on.
#pragma once

#include "platform/qt/qtpeer.h"

class CQtProgressPeer : public CQtPeer {
public:
    CQtProgressPeer(CQtBackend& backend, CWindowRecord& window);

protected:
    void ApplyState() override;
    void ApplyChange(WindowChange change, int nIndex) override;
};
