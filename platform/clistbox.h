// CListBox: a list box, unsorted; with LBS_MULTIPLESEL a click toggles one
// item and any number of items may be selected.
#pragma once

#include "platform/cwnd.h"

class CListBox : public CWnd {
public:
    int AddString(LPCSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    // Multiple selection: nIndex -1 selects or deselects every item.
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, int* rgIndex) const;
};
