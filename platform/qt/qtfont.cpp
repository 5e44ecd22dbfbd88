#include "platform/qt/qtfont.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>
#include <cstring>

QString QtFontFamily(const char* pszFaceName)
{
    if (std::strcmp(pszFaceName, "MS Sans Serif") == 0 || std::strcmp(pszFaceName, "Arial") == 0)
        return QStringLiteral("Liberation Sans");
    return QString::fromUtf8(pszFaceName);
}

QFont QtFont(const LOGFONT& logFont)
{
    QFont font;
    if (logFont.lfFaceName[0] != '\0')
        font.setFamily(QtFontFamily(logFont.lfFaceName));
    if (logFont.lfWeight != 0)
        font.setWeight(logFont.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    if (logFont.lfHeight < 0) {
        font.setPixelSize(std::abs(logFont.lfHeight));
    } else if (logFont.lfHeight > 0) {
        // Scale the em size so that ascent plus descent fill the cell.
        font.setPixelSize(logFont.lfHeight);
        int nCell = QFontMetrics(font).ascent() + QFontMetrics(font).descent();
        if (nCell > 0)
            font.setPixelSize(std::max(1, logFont.lfHeight * logFont.lfHeight / nCell));
    }
    return font;
}
