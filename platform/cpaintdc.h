// CPaintDC: the device context a WM_PAINT handler paints with.
#pragma once

#include "platform/cdc.h"
#include "platform/cwnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd) : CDC(pWnd->m_hWnd) {}
};
