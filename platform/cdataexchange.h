// CDataExchange and DDX_Control: attaching a dialog's member objects to the
// controls its template created, in DoDataExchange.
#pragma once

#include "platform/cwnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    // Marks the exchange as failed; UpdateData then returns FALSE.
    void Fail() { m_bFailed = true; }
    bool HasFailed() const { return m_bFailed; }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    bool m_bFailed = false;
};

// Attaches rControl to the dialog's control nIDC the first time; later calls
// do nothing. A missing control fails the exchange.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
