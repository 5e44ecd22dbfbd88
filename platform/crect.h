// CRect: a rectangle by its edges; right and bottom lie just outside it.
#pragma once

#include "core/types.h"

class CRect {
public:
    CRect() = default;
    CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}

    LONG Width() const { return right - left; }
    LONG Height() const { return bottom - top; }
    void OffsetRect(LONG dx, LONG dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend bool operator==(const CRect&, const CRect&) = default;

    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

using RECT = CRect;
using LPRECT = CRect*;
