// The built-in behaviour of each window class: what a message does when no
// message map handles it.
#pragma once

#include "core/cstring.h"
#include "platform/windefs.h"

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ToolTipWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Copies text into a caller's buffer of nSize bytes, always terminated;
// returns the number of bytes copied before the terminator.
LRESULT CopyTextToBuffer(const CString& strText, size_t nSize, LPARAM lBuffer);
