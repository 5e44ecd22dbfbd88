// Files dropped on a window, handed over as the shell hands them to a Win32
// program: a window that called DragAcceptFiles gets WM_DROPFILES with a
// drop handle in wParam, asks it for the files and the point with
// DragQueryFile and DragQueryPoint, and frees it with DragFinish. A drop on
// a child that takes no files goes to the nearest ancestor that does, with
// the point in that ancestor's client pixels (CUserInput::DropFiles).
#pragma once

#include <vector>

#include "core/cstring.h"
#include "platform/windefs.h"

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct DropFiles {
    std::vector<CString> files;
    POINT point;  // in the client pixels of the window that takes the drop
};

// A new drop handle; the window that gets it frees it with DragFinish.
HDROP AfxCreateDrop(std::vector<CString> files, POINT point);

// Lets hWnd take dropped files (WS_EX_ACCEPTFILES), or no longer.
void DragAcceptFiles(HWND hWnd, BOOL bAccept);
// With iFile 0xFFFFFFFF the number of files; otherwise the length of file
// iFile's path, copied into lpszFile when it is not null (cut to cch - 1
// bytes and ended with '\0'). 0 for a file that is not there.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
// Where the files were dropped; TRUE when inside the client area.
BOOL DragQueryPoint(HDROP hDrop, POINT* lpPoint);
void DragFinish(HDROP hDrop);
