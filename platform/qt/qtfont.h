// Fonts of the model (LOGFONT) as Qt fonts. The faces the program's
// templates and controls ask for, "MS Sans Serif" and "Arial", are drawn with
// Liberation Sans, which has Arial's metrics.
#pragma once

#include <QFont>

#include "platform/cfont.h"

// The family that draws a LOGFONT face name.
QString QtFontFamily(const char* pszFaceName);
// A negative height asks for that character height (em size) in pixels, a
// positive one for that cell height (ascent plus descent), 0 for the default.
QFont QtFont(const LOGFONT& logFont);
