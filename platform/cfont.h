// CFont and LOGFONT: a font described by height and face name. A window
// given a font with WM_SETFONT shares it; it does not copy it.
#pragma once

#include "platform/windefs.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight;  // negative: character height in pixels; positive: cell height
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];
};

// What an HFONT points at. Deleted fonts are remembered as dead, so that a
// window still holding one reads as having no font.
struct FontObject {
    LOGFONT logFont;

    static HFONT Create(const LOGFONT& logFont);
    static void Delete(HFONT hFont);
    static bool IsLive(HFONT hFont);
};

class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont();

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL DeleteObject();

    HFONT m_hObject = nullptr;
};
