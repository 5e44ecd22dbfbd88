// The font of the controls the dialogs create at run time: 8-point Arial at
// the window's resolution, every other LOGFONT field zero.
#pragma once

#include "platform/cfont.h"
#include "platform/cwnd.h"

// Creates the font into font, measuring on wnd's device context (taken and
// released at once). FALSE when font already holds one.
BOOL CreateControlFont(CFont& font, CWnd& wnd);
