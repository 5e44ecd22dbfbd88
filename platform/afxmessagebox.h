// AfxMessageBox: a modal message box owned by the active window and
// captioned with the application's name. Returns the button pressed.
#pragma once

#include "platform/windefs.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
