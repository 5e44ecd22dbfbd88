#include "platform/winapi.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/cwnd.h"
#include "platform/windowrecord.h"

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!CWindowRecord::IsWindow(hWnd))
        return 0;
    if (CWnd* pWnd = hWnd->Wnd())
        return AfxCallWndProc(pWnd, message, wParam, lParam);
    return hWnd->ClassProc()(hWnd, message, wParam, lParam);
}

BOOL IsWindow(HWND hWnd)
{
    return CWindowRecord::IsWindow(hWnd) ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND hWnd)
{
    if (!CWindowRecord::IsWindow(hWnd))
        return FALSE;
    CWindowRecord::Destroy(hWnd);
    return TRUE;
}

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(nNumber) * nNumerator;
    std::int64_t denominator = nDenominator;
    bool bNegative = (product < 0) != (denominator < 0);
    std::int64_t magnitude = (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
    std::int64_t result = bNegative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXICON:
    case SM_CYICON: return 32;
    default: return 0;
    }
}
