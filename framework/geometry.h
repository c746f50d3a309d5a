// CPoint, CSize and CRect: POINT, SIZE and RECT with MFC's arithmetic and conversions.
// Plain integer arithmetic; no mapping modes and no rounding rules beyond C++'s.
#pragma once

#include <windows.h>

#include <algorithm>
#include <utility>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int x, int y) : SIZE{x, y} {}
    CSize(SIZE size) : SIZE(size) {}  // NOLINT: implicit, as in MFC

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x, int y) : POINT{x, y} {}
    CPoint(POINT pt) : POINT(pt) {}  // NOLINT: implicit, as in MFC

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void SetPoint(int nX, int nY) {
        x = nX;
        y = nY;
    }
    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    CPoint& operator+=(SIZE size) {
        Offset(size.cx, size.cy);
        return *this;
    }
    CPoint& operator-=(SIZE size) {
        Offset(-size.cx, -size.cy);
        return *this;
    }
    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CSize operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}   // NOLINT: implicit, as in MFC
    CRect(LPCRECT lprc) : RECT(*lprc) {}  // NOLINT
    CRect(POINT pt, SIZE size) : RECT{pt.x, pt.y, pt.x + size.cx, pt.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }         // NOLINT: as in MFC
    operator LPCRECT() const { return this; }  // NOLINT

    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT pt) const {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }
    BOOL EqualRect(LPCRECT lprc) const {
        return left == lprc->left && top == lprc->top && right == lprc->right &&
               bottom == lprc->bottom;
    }

    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lprc) { *this = CRect(lprc); }
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void NormalizeRect() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // As IntersectRect does: no overlap leaves an all-zero rectangle and FALSE.
    BOOL IntersectRect(LPCRECT lprc1, LPCRECT lprc2);
    BOOL UnionRect(LPCRECT lprc1, LPCRECT lprc2);

    bool operator==(const RECT& rc) const { return EqualRect(&rc); }
    bool operator!=(const RECT& rc) const { return !EqualRect(&rc); }
    CRect& operator+=(POINT pt) {
        OffsetRect(pt);
        return *this;
    }
    CRect& operator-=(POINT pt) {
        OffsetRect(-pt.x, -pt.y);
        return *this;
    }
    CRect operator+(POINT pt) const {
        CRect rc(*this);
        rc.OffsetRect(pt);
        return rc;
    }
    CRect operator-(POINT pt) const {
        CRect rc(*this);
        rc.OffsetRect(-pt.x, -pt.y);
        return rc;
    }
};

inline BOOL CRect::IntersectRect(LPCRECT lprc1, LPCRECT lprc2) {
    CRect rc(std::max(lprc1->left, lprc2->left), std::max(lprc1->top, lprc2->top),
             std::min(lprc1->right, lprc2->right), std::min(lprc1->bottom, lprc2->bottom));
    if (CRect(lprc1).IsRectEmpty() || CRect(lprc2).IsRectEmpty() || rc.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = rc;
    return TRUE;
}

inline BOOL CRect::UnionRect(LPCRECT lprc1, LPCRECT lprc2) {
    const bool bEmpty1 = CRect(lprc1).IsRectEmpty();
    const bool bEmpty2 = CRect(lprc2).IsRectEmpty();
    if (bEmpty1 && bEmpty2) {
        SetRectEmpty();
        return FALSE;
    }
    if (bEmpty1 || bEmpty2) {
        *this = bEmpty1 ? CRect(lprc2) : CRect(lprc1);
        return TRUE;
    }
    *this = CRect(std::min(lprc1->left, lprc2->left), std::min(lprc1->top, lprc2->top),
                  std::max(lprc1->right, lprc2->right), std::max(lprc1->bottom, lprc2->bottom));
    return TRUE;
}
