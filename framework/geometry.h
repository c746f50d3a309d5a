// CSize and CRect: SIZE and RECT with the few MFC helpers the framework's own code uses.
// Plain integer arithmetic; no points, offsets, unions or intersections.
#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(SIZE size) : SIZE(size) {}  // NOLINT: implicit, as in MFC
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    operator LPRECT() { return this; }         // NOLINT: as in MFC
    operator LPCRECT() const { return this; }  // NOLINT
};
