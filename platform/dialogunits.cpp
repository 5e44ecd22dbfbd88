#include "platform/dialogunits.h"

#include "platform/winapi.h"

namespace {
constexpr int kBaseX = 6;
constexpr int kBaseY = 13;
constexpr int kReferenceDpi = 96;
}  // namespace

int MapDialogX(int x, int nDpi)
{
    return MulDiv(x, kBaseX * nDpi, 4 * kReferenceDpi);
}

int MapDialogY(int y, int nDpi)
{
    return MulDiv(y, kBaseY * nDpi, 8 * kReferenceDpi);
}

CRect MapDialogRect(int x, int y, int cx, int cy, int nDpi)
{
    return CRect(MapDialogX(x, nDpi), MapDialogY(y, nDpi), MapDialogX(x + cx, nDpi),
                 MapDialogY(y + cy, nDpi));
}
