// A message box for people, as AfxMessageBox shows it: the caption given
// (the program's name), the text, an exclamation mark with OK, a question
// mark with Yes and No.
#pragma once

#include <QWidget>

#include "core/cstring.h"
#include "platform/windefs.h"

// IDOK, IDYES or IDNO. Escape or the close box answer OK, or No.
int QtMessageBox(QWidget* pOwner, const CString& strText, const CString& strCaption, UINT nType);
