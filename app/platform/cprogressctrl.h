// CProgressCtrl: a progress bar, driven by PBM_SETRANGE and PBM_SETPOS.
#pragma once

#include "platform/cwnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper);
    int SetPos(int nPos);
    int GetPos() const;
};
