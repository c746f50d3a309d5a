// Rectangle helpers of user32.
#include <algorithm>

#include <windows.h>

BOOL WINAPI SetRect(LPRECT prc, int xLeft, int yTop, int xRight, int yBottom) {
    if (!prc) return FALSE;
    *prc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT prc) {
    return SetRect(prc, 0, 0, 0, 0);
}

BOOL WINAPI CopyRect(LPRECT prcDst, const RECT* prcSrc) {
    if (!prcDst || !prcSrc) return FALSE;
    *prcDst = *prcSrc;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT prc, int dx, int dy) {
    if (!prc) return FALSE;
    *prc = RECT{prc->left + dx, prc->top + dy, prc->right + dx, prc->bottom + dy};
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT prc, int dx, int dy) {
    if (!prc) return FALSE;
    *prc = RECT{prc->left - dx, prc->top - dy, prc->right + dx, prc->bottom + dy};
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* prc) {
    return !prc || prc->right <= prc->left || prc->bottom <= prc->top;
}

BOOL WINAPI IntersectRect(LPRECT prcDst, const RECT* prcSrc1, const RECT* prcSrc2) {
    if (!prcDst || !prcSrc1 || !prcSrc2) return FALSE;
    RECT rc{std::max(prcSrc1->left, prcSrc2->left), std::max(prcSrc1->top, prcSrc2->top),
            std::min(prcSrc1->right, prcSrc2->right), std::min(prcSrc1->bottom, prcSrc2->bottom)};
    if (IsRectEmpty(prcSrc1) || IsRectEmpty(prcSrc2) || IsRectEmpty(&rc)) {
        SetRectEmpty(prcDst);
        return FALSE;
    }
    *prcDst = rc;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT prcDst, const RECT* prcSrc1, const RECT* prcSrc2) {
    if (!prcDst || !prcSrc1 || !prcSrc2) return FALSE;
    if (IsRectEmpty(prcSrc1)) return CopyRect(prcDst, prcSrc2) && !IsRectEmpty(prcSrc2);
    if (IsRectEmpty(prcSrc2)) return CopyRect(prcDst, prcSrc1);
    *prcDst =
        RECT{std::min(prcSrc1->left, prcSrc2->left), std::min(prcSrc1->top, prcSrc2->top),
             std::max(prcSrc1->right, prcSrc2->right), std::max(prcSrc1->bottom, prcSrc2->bottom)};
    return TRUE;
}

BOOL WINAPI EqualRect(const RECT* prc1, const RECT* prc2) {
    return prc1 && prc2 && prc1->left == prc2->left && prc1->top == prc2->top &&
           prc1->right == prc2->right && prc1->bottom == prc2->bottom;
}

BOOL WINAPI PtInRect(const RECT* prc, POINT pt) {
    return prc && pt.x >= prc->left && pt.x < prc->right && pt.y >= prc->top && pt.y < prc->bottom;
}
