// Dialog templates: a dialog and its controls laid out in dialog units, the
// way a resource script states them.
#pragma once

#include <span>

#include "platform/windefs.h"

struct DialogItemTemplate {
    const char* pszClass;  // "Button", "Static", "Edit", "ComboBox", "ListBox", "msctls_progress32"
    const char* pszText;
    int nId;               // IDC_STATIC for controls the program never addresses
    DWORD dwStyle;         // besides WS_CHILD and WS_VISIBLE, which every item has
    short x, y, cx, cy;    // dialog units
    UINT nIconId = 0;      // SS_ICON statics: the icon resource they show
};

struct DialogTemplate {
    UINT nId;  // IDD_...
    const char* pszCaption;
    DWORD dwStyle;
    DWORD dwExStyle;
    short x, y, cx, cy;  // dialog units; the size is the client area's
    const char* pszFontFace;  // with DS_SETFONT
    WORD wPointSize;
    std::span<const DialogItemTemplate> items;
};
