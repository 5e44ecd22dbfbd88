// The few free functions of the window system that the program calls.
#pragma once

#include "platform/windefs.h"

// Sends a message to a window: its object's WindowProc, or the built-in
// behaviour of its class when no object is attached. 0 for no window.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);
// Destroys a window and everything it owns (CWindowRecord::Destroy).
BOOL DestroyWindow(HWND hWnd);
// nNumber * nNumerator / nDenominator through 64 bits, rounded half away
// from zero; -1 when nDenominator is 0 or the result does not fit.
int MulDiv(int nNumber, int nNumerator, int nDenominator);
// SM_CXICON and SM_CYICON (32); 0 for anything else.
int GetSystemMetrics(int nIndex);
