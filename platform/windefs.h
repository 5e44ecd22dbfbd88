// Handle types, command ids and the small constants of the window system,
// with the values the class library's programs are written against.
#pragma once

#include <cstdint>

#include "core/types.h"

class CWindowRecord;
class CDC;
class CMenu;
struct FontObject;
struct IconResource;
struct DropFiles;

using HWND = CWindowRecord*;
using HFONT = FontObject*;
using HICON = const IconResource*;
using HCURSOR = HICON;
using HDC = CDC*;
using HMENU = CMenu*;
using HDROP = DropFiles*;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;

constexpr WPARAM MAKEWPARAM(WORD low, WORD high)
{
    return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr LRESULT MAKELRESULT(WORD low, WORD high) { return MAKELPARAM(low, high); }

// Dialog command ids and message box results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
constexpr int IDC_STATIC = -1;

// Message box styles.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;

// System commands; the system uses the low four bits of the id internally.
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;

// Menu flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

// WM_SETICON kinds.
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;

// Button check states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// GetDeviceCaps and GetSystemMetrics indices.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;

// DM_GETDEFID answers with this in the high word when there is a default button.
constexpr WORD DC_HASDEFID = 0x534B;

// Virtual keys the dialog manager handles.
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;

// File dialog flags.
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// Combo box and list box error results.
constexpr int CB_ERR = -1;
constexpr int LB_ERR = -1;
