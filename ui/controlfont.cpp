#include "ui/controlfont.h"

#include <cstring>

#include "platform/cdc.h"
#include "platform/winapi.h"

BOOL CreateControlFont(CFont& font, CWnd& wnd)
{
    LOGFONT logFont;
    std::memset(&logFont, 0, sizeof(logFont));
    // Negative: a character height of 8 points, not a cell height.
    CDC* pDC = wnd.GetDC();
    logFont.lfHeight = -MulDiv(8, pDC->GetDeviceCaps(LOGPIXELSY), 72);
    wnd.ReleaseDC(pDC);
    std::strcpy(logFont.lfFaceName, "Arial");
    return font.CreateFontIndirect(&logFont);
}
