// Update regions, WM_PAINT, WM_ERASEBKGND and the device contexts of windows.
// An update region is kept as its bounding rectangle.
#include <algorithm>

#include "gdi_internal.h"
#include "user_internal.h"

namespace win32sim {
namespace {

RECT ClientRectOf(const CWindow& wnd) {
    SIZE size = ClientSize(wnd);
    return RECT{0, 0, size.cx, size.cy};
}

bool ChildrenIncluded(const CWindow& wnd, UINT uFlags) {
    if (uFlags & RDW_NOCHILDREN) return false;
    return (uFlags & RDW_ALLCHILDREN) || !(wnd.m_dwStyle & WS_CLIPCHILDREN);
}

void AddUpdate(CWindow& wnd, const RECT& rcClip, bool bErase) {
    RECT rc;
    RECT rcClient = ClientRectOf(wnd);
    if (!IntersectRect(&rc, &rcClip, &rcClient)) return;
    if (wnd.m_bUpdate)
        UnionRect(&wnd.m_rcUpdate, &wnd.m_rcUpdate, &rc);
    else
        wnd.m_rcUpdate = rc;
    wnd.m_bUpdate = true;
    wnd.m_bErase = wnd.m_bErase || bErase;
}

void InvalidateTree(CWindow& wnd, const RECT& rcClient, bool bErase, UINT uFlags) {
    AddUpdate(wnd, rcClient, bErase);
    if (!ChildrenIncluded(wnd, uFlags)) return;
    POINT ptOrigin = ClientOrigin(wnd);
    for (HWND hwndChild : wnd.m_children) {
        CWindow* pChild = GetWnd(hwndChild);
        if (!pChild || !(pChild->m_dwStyle & WS_VISIBLE)) continue;
        RECT rcChild = rcClient;
        POINT ptChild = ClientOrigin(*pChild);
        OffsetRect(&rcChild, ptOrigin.x - ptChild.x, ptOrigin.y - ptChild.y);
        RECT rcWindow = ScreenRect(*pChild), rcTouched;
        RECT rcScreen = rcClient;
        OffsetRect(&rcScreen, ptOrigin.x, ptOrigin.y);
        if (!IntersectRect(&rcTouched, &rcWindow, &rcScreen)) continue;
        pChild->m_bNcUpdate = true;
        InvalidateTree(*pChild, rcChild, bErase, uFlags);
    }
}

void PaintNow(HWND hwnd, UINT uFlags) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !IsWindowVisible(hwnd)) return;
    if (pWnd->m_bUpdate) SendMessageA(hwnd, WM_PAINT, 0, 0);
    if (!(pWnd = GetWnd(hwnd)) || !ChildrenIncluded(*pWnd, uFlags)) return;
    std::vector<HWND> children = pWnd->m_children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        PaintNow(*it, uFlags);
}

bool FindPaintIn(HWND hwnd, DWORD dwThread, MSG* pMsg) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !(pWnd->m_dwStyle & WS_VISIBLE)) return false;
    if (pWnd->m_bUpdate && pWnd->m_dwThread == dwThread) {
        *pMsg = MSG{hwnd, WM_PAINT, 0, 0, GetTickCount(), POINT{0, 0}};
        return true;
    }
    std::vector<HWND> children = pWnd->m_children;
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (FindPaintIn(*it, dwThread, pMsg)) return true;
    return false;
}

}  // namespace

void InvalidateWindow(CWindow& wnd, const RECT* prc, bool bErase, bool bChildren) {
    RECT rc = prc ? *prc : ClientRectOf(wnd);
    InvalidateTree(wnd, rc, bErase, bChildren ? RDW_ALLCHILDREN : 0);
}

void InvalidateParentArea(CWindow& wnd) {
    CWindow* pParent = GetWnd(wnd.m_hwndParent);
    if (!pParent) {
        // A top-level window uncovers whatever lies beneath it on the screen.
        RECT rcGone = ScreenRect(wnd);
        for (HWND hwndTop : TopLevelWindows()) {
            CWindow* pTop = GetWnd(hwndTop);
            if (!pTop || pTop == &wnd || !(pTop->m_dwStyle & WS_VISIBLE)) continue;
            RECT rc = rcGone;
            POINT pt = ClientOrigin(*pTop);
            OffsetRect(&rc, -pt.x, -pt.y);
            pTop->m_bNcUpdate = true;
            InvalidateTree(*pTop, rc, true, RDW_ALLCHILDREN);
        }
        return;
    }
    InvalidateTree(*pParent, wnd.m_rc, true, 0);
}

void ValidateWindow(CWindow& wnd, const RECT* prc) {
    if (!prc) {
        wnd.m_bUpdate = false;
        wnd.m_bErase = false;
        return;
    }
    RECT rcUpdate = wnd.m_rcUpdate;
    // Only a rectangle covering the whole update rectangle validates it.
    if (prc->left <= rcUpdate.left && prc->top <= rcUpdate.top && prc->right >= rcUpdate.right &&
        prc->bottom >= rcUpdate.bottom)
        ValidateWindow(wnd, nullptr);
}

bool FindPaintWindow(MSG* pMsg) {
    DWORD dwThread = GetCurrentThreadId();
    std::vector<HWND> top = TopLevelWindows();
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        if (FindPaintIn(*it, dwThread, pMsg)) return true;
    return false;
}

}  // namespace win32sim

using namespace win32sim;

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* prc, BOOL bErase) {
    return RedrawWindow(hwnd, prc, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* prc) {
    return RedrawWindow(hwnd, prc, nullptr, RDW_VALIDATE);
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    PaintNow(hwnd, RDW_NOCHILDREN);
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* prcUpdate, HRGN, UINT uFlags) {
    if (!hwnd || hwnd == GetDesktopWindow()) {
        for (HWND hwndTop : TopLevelWindows())
            RedrawWindow(hwndTop, nullptr, nullptr, uFlags);
        return TRUE;
    }
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    RECT rc = prcUpdate ? *prcUpdate : ClientRectOf(*pWnd);
    if (uFlags & RDW_FRAME) pWnd->m_bNcUpdate = true;
    if (uFlags & RDW_INVALIDATE) InvalidateTree(*pWnd, rc, (uFlags & RDW_ERASE) != 0, uFlags);
    if (uFlags & RDW_VALIDATE) ValidateWindow(*pWnd, prcUpdate);
    if (uFlags & (RDW_UPDATENOW | RDW_ERASENOW)) PaintNow(hwnd, uFlags);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT pPaint) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !pPaint) return nullptr;
    *pPaint = PAINTSTRUCT{};
    if (pWnd->m_bNcUpdate) {
        pWnd->m_bNcUpdate = false;
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
        if (!(pWnd = GetWnd(hwnd))) return nullptr;
    }
    bool bErase = pWnd->m_bErase;
    pPaint->rcPaint = pWnd->m_bUpdate ? pWnd->m_rcUpdate : RECT{0, 0, 0, 0};
    ValidateWindow(*pWnd, nullptr);
    pPaint->hdc = SimCreateWindowDC(hwnd, true);
    SimIntersectWindowDCClip(pPaint->hdc, pPaint->rcPaint);
    if (bErase)
        pPaint->fErase =
            !SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pPaint->hdc), 0);
    return pPaint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* pPaint) {
    if (pPaint && pPaint->hdc) SimReleaseWindowDC(pPaint->hdc);
    return TRUE;
}

HDC WINAPI GetDC(HWND hwnd) {
    if (hwnd && hwnd != GetDesktopWindow() && !GetWnd(hwnd)) return nullptr;
    return SimCreateWindowDC(hwnd == GetDesktopWindow() ? nullptr : hwnd, true);
}

HDC WINAPI GetWindowDC(HWND hwnd) {
    if (hwnd && hwnd != GetDesktopWindow() && !GetWnd(hwnd)) return nullptr;
    return SimCreateWindowDC(hwnd == GetDesktopWindow() ? nullptr : hwnd, false);
}

int WINAPI ReleaseDC(HWND, HDC hdc) {
    return SimReleaseWindowDC(hdc) ? 1 : 0;
}

namespace win32sim {
// The class brush as registered; FillRect takes a COLOR_xxx + 1 in its place as well.
HBRUSH DefaultEraseBrush(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    return pWnd ? pWnd->m_pClass->m_wc.hbrBackground : nullptr;
}
}  // namespace win32sim
