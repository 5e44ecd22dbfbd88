#include "platform/qt/qtprogresspeer.h"

#include <QProgressBar>

#include "platform/qt/qtbackend.h"

CQtProgressPeer::CQtProgressPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    auto* pBar = new QProgressBar(ParentWidget());
    pBar->setTextVisible(false);
    Attach(pBar);
}

void CQtProgressPeer::ApplyState()
{
    auto* pBar = static_cast<QProgressBar*>(Widget());
    if (Window().RangeMax() <= Window().RangeMin()) {
        // An empty range shows an empty bar (Qt would animate a busy bar).
        pBar->setRange(0, 1);
        pBar->setValue(0);
        return;
    }
    pBar->setRange(Window().RangeMin(), Window().RangeMax());
    pBar->setValue(Window().Pos());
}

void CQtProgressPeer::ApplyChange(WindowChange change, int /*nIndex*/)
{
    if (change != WindowChange::Progress)
        return;
    // QProgressBar paints a visible change at once; the rest of the window
    // gets its turn too.
    ApplyState();
    Backend().KeepPainting();
}
