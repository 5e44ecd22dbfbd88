// CDC: a device context of one window: its logical resolution, and icon
// drawing, which reaches the window's peer while it paints.
#pragma once

#include "platform/windefs.h"

class CDC {
public:
    explicit CDC(HWND hWnd) : m_hWnd(hWnd) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC GetSafeHdc() { return this; }
    // LOGPIXELSX and LOGPIXELSY: the backend's logical dpi; 0 for anything else.
    int GetDeviceCaps(int nIndex) const;
    BOOL DrawIcon(int x, int y, HICON hIcon);

protected:
    HWND m_hWnd;
};
