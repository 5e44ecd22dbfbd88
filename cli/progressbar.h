// CProgressBar: an engine's progress as a bar on standard error, drawn only
// while standard error is a terminal and the user did not ask for quiet.
#pragma once

#include "core/types.h"

class CProgressBar {
public:
    explicit CProgressBar(bool bQuiet);

    // As IEngineHost's: a range 0..nUpper, then positions in it; 0 takes
    // the bar off the line.
    void SetRange(UINT nUpper);
    void SetPos(UINT nPos);

private:
    void Draw(UINT nPercent);

    const bool m_bShown;
    UINT m_nUpper = 0;
    int m_nShownPercent = -1;  // -1 while no bar is on the screen
};
