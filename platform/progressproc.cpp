#include <algorithm>

#include "platform/messages.h"
#include "platform/windowprocs.h"
#include "platform/windowrecord.h"

namespace {

int Clamp(int nPos, int nMin, int nMax)
{
    return nMax < nMin ? nMin : std::clamp(nPos, nMin, nMax);
}

}  // namespace

LRESULT ProgressWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PBM_SETRANGE: {
        LRESULT lPrevious = MAKELRESULT(static_cast<WORD>(hWnd->RangeMin()),
                                        static_cast<WORD>(hWnd->RangeMax()));
        int nMin = LOWORD(static_cast<std::uintptr_t>(lParam));
        int nMax = HIWORD(static_cast<std::uintptr_t>(lParam));
        hWnd->SetProgress(nMin, nMax, Clamp(hWnd->Pos(), nMin, nMax));
        return lPrevious;
    }
    case PBM_SETPOS: {
        int nPrevious = hWnd->Pos();
        int nPos = Clamp(static_cast<int>(static_cast<std::intptr_t>(wParam)), hWnd->RangeMin(),
                         hWnd->RangeMax());
        if (nPos != nPrevious)
            hWnd->SetProgress(hWnd->RangeMin(), hWnd->RangeMax(), nPos);
        return nPrevious;
    }
    case PBM_GETRANGE:
        return wParam ? hWnd->RangeMin() : hWnd->RangeMax();
    default:
        return DefWindowProc(hWnd, message, wParam, lParam);
    }
}
