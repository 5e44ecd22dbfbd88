#include "platform/cfont.h"

#include <unordered_set>

namespace {

std::unordered_set<HFONT>& LiveFonts()
{
    static std::unordered_set<HFONT> live;
    return live;
}

}  // namespace

HFONT FontObject::Create(const LOGFONT& logFont)
{
    HFONT hFont = new FontObject{logFont};
    // The face name is always terminated, whatever the caller filled in.
    hFont->logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    LiveFonts().insert(hFont);
    return hFont;
}

void FontObject::Delete(HFONT hFont)
{
    if (LiveFonts().erase(hFont) != 0)
        delete hFont;
}

bool FontObject::IsLive(HFONT hFont)
{
    return hFont != nullptr && LiveFonts().count(hFont) != 0;
}

CFont::~CFont()
{
    DeleteObject();
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont)
{
    if (m_hObject || !lpLogFont)
        return FALSE;
    m_hObject = FontObject::Create(*lpLogFont);
    return TRUE;
}

BOOL CFont::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    FontObject::Delete(m_hObject);
    m_hObject = nullptr;
    return TRUE;
}

