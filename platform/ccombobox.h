// CComboBox: a combo box of any of the three kinds (CBS_DROPDOWNLIST,
// CBS_DROPDOWN with an edit field, CBS_SIMPLE with an edit field over an
// always-visible list), never sorted. The window text is the edit field's
// text, or the selected item's for a drop-down list.
#pragma once

#include "platform/cwnd.h"

class CComboBox : public CWnd {
public:
    int AddString(LPCSTR lpszString);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
    // Case-insensitive search for a whole item, starting after nIndexStart
    // (-1: from the first item) and wrapping around.
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
};
