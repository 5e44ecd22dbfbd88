// Dialog units to pixels. The base units are fixed at 6 x 13 pixels at
// 96 dpi and scale with the logical dpi: x pixels = x * 6 / 4 and
// y pixels = y * 13 / 8 at 96 dpi, rounded like MulDiv. Rectangles are
// mapped edge by edge, as the system's dialog manager does.
#pragma once

#include "platform/crect.h"

int MapDialogX(int x, int nDpi);
int MapDialogY(int y, int nDpi);
CRect MapDialogRect(int x, int y, int cx, int cy, int nDpi);
