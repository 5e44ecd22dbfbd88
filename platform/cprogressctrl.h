// CProgressCtrl: a progress bar, driven by PBM_SETRANGE and PBM_SETPOS.
#pragma once

#include "platform/cwnd.h"

class CProgressCtrl : public CWnd {
public:
    int SetPos(int nPos);
};
