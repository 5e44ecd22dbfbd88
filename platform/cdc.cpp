#include "platform/cdc.h"

#include "platform/backend.h"
#include "platform/windowrecord.h"

int CDC::GetDeviceCaps(int nIndex) const
{
    if (nIndex == LOGPIXELSX || nIndex == LOGPIXELSY)
        return AfxGetBackend().LogicalDpi();
    return 0;
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!CWindowRecord::IsWindow(m_hWnd) || !hIcon)
        return FALSE;
    if (IWindowPeer* pPeer = m_hWnd->Peer())
        pPeer->DrawIcon(x, y, hIcon);
    return TRUE;
}
