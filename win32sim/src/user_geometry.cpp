// Window geometry: frames, client areas, moving and sizing, showing, coordinate mapping, hit tests.
#include <algorithm>

#include "user_internal.h"

namespace win32sim {
namespace {

bool HasThickFrame(DWORD dwStyle) {
    return (dwStyle & WS_THICKFRAME) != 0;
}

bool HasDlgFrame(DWORD dwStyle, DWORD dwExStyle) {
    return (dwExStyle & WS_EX_DLGMODALFRAME) ||
           ((dwStyle & WS_DLGFRAME) && !(dwStyle & WS_THICKFRAME));
}

bool HasThinFrame(DWORD dwStyle) {
    return (dwStyle & WS_BORDER) || !(dwStyle & (WS_CHILD | WS_POPUP));
}

void SendPosChanged(HWND hwnd, UINT uFlags) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    WINDOWPOS wp{hwnd,
                 nullptr,
                 pWnd->m_rc.left,
                 pWnd->m_rc.top,
                 pWnd->m_rc.right - pWnd->m_rc.left,
                 pWnd->m_rc.bottom - pWnd->m_rc.top,
                 uFlags};
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

void Restack(CWindow& wnd, HWND hwndInsertAfter) {
    std::vector<HWND>& list = Siblings(wnd);
    list.erase(std::remove(list.begin(), list.end(), wnd.m_hwnd), list.end());
    if (hwndInsertAfter == HWND_TOP || hwndInsertAfter == HWND_TOPMOST) {
        list.insert(list.begin(), wnd.m_hwnd);
        return;
    }
    auto it = std::find(list.begin(), list.end(), hwndInsertAfter);
    list.insert(it == list.end() ? list.end() : it + 1, wnd.m_hwnd);
}

void ApplyRect(CWindow& wnd, const RECT& rcNew, UINT uFlags) {
    bool bChanged = rcNew.left != wnd.m_rc.left || rcNew.top != wnd.m_rc.top ||
                    rcNew.right != wnd.m_rc.right || rcNew.bottom != wnd.m_rc.bottom;
    if (!bChanged) return;
    bool bRedraw = !(uFlags & SWP_NOREDRAW) && (wnd.m_dwStyle & WS_VISIBLE);
    if (bRedraw) InvalidateParentArea(wnd);
    wnd.m_rc = rcNew;
    if (bRedraw) {
        wnd.m_bNcUpdate = true;
        InvalidateWindow(wnd, nullptr, true, true);
    }
}

void ShowInternal(CWindow& wnd) {
    HWND hwnd = wnd.m_hwnd;
    SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    pWnd->m_dwStyle |= WS_VISIBLE;
    pWnd->m_bNcUpdate = true;
    InvalidateWindow(*pWnd, nullptr, true, true);
}

void HideInternal(CWindow& wnd) {
    HWND hwnd = wnd.m_hwnd;
    SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    pWnd->m_dwStyle &= ~WS_VISIBLE;
    InvalidateParentArea(*pWnd);
    MoveFocusOffHidden(hwnd);
    if (!pWnd->m_hwndParent && GetActiveWindow() == hwnd) ActivateOther(hwnd);
}

void Minimize(CWindow& wnd) {
    HWND hwnd = wnd.m_hwnd;
    if (!(wnd.m_dwStyle & WS_VISIBLE)) ShowInternal(wnd);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || (pWnd->m_dwStyle & WS_MINIMIZE)) return;
    InvalidateParentArea(*pWnd);
    pWnd->m_rcNormal = pWnd->m_rc;
    pWnd->m_dwStyle |= WS_MINIMIZE;
    // Minimised windows park off-screen like Windows' default minimised arrangement.
    constexpr int kParked = -32000;
    int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    pWnd->m_rc = pWnd->m_hwndParent ? RECT{0, 0, cx, cy}
                                    : RECT{kParked, kParked, kParked + cx, kParked + cy};
    UpdateSystemMenu(*pWnd);
    if (GetActiveWindow() == hwnd || IsDescendant(hwnd, GetFocus())) ActivateOther(hwnd);
    if (GetFocus() == hwnd || IsDescendant(hwnd, GetFocus())) SetFocus(nullptr);
    SendPosChanged(hwnd, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Restore(CWindow& wnd, bool bActivate) {
    HWND hwnd = wnd.m_hwnd;
    if (!(wnd.m_dwStyle & WS_VISIBLE)) ShowInternal(wnd);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    if (pWnd->m_dwStyle & WS_MINIMIZE) {
        pWnd->m_dwStyle &= ~WS_MINIMIZE;
        pWnd->m_rc = pWnd->m_rcNormal;
        UpdateSystemMenu(*pWnd);
        pWnd->m_bNcUpdate = true;
        InvalidateWindow(*pWnd, nullptr, true, true);
        SendPosChanged(hwnd, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (bActivate && (pWnd = GetWnd(hwnd)) && !pWnd->m_hwndParent) SetActiveWindow(hwnd);
}

HWND ChildAt(HWND hwndParent, POINT ptScreen, bool bSkipDisabled) {
    CWindow* pParent = GetWnd(hwndParent);
    if (!pParent) return nullptr;
    for (HWND hwndChild : pParent->m_children) {
        CWindow* pChild = GetWnd(hwndChild);
        if (!pChild || !(pChild->m_dwStyle & WS_VISIBLE)) continue;
        if (bSkipDisabled && (pChild->m_dwStyle & WS_DISABLED)) continue;
        RECT rc = ScreenRect(*pChild);
        if (PtInRect(&rc, ptScreen)) return hwndChild;
    }
    return nullptr;
}

}  // namespace

RECT NcInsets(DWORD dwStyle, DWORD dwExStyle) {
    RECT rc{0, 0, 0, 0};
    int nIndex = -1;
    if (HasThickFrame(dwStyle))
        nIndex = SM_CXFRAME;
    else if (HasDlgFrame(dwStyle, dwExStyle))
        nIndex = SM_CXDLGFRAME;
    else if (HasThinFrame(dwStyle))
        nIndex = SM_CXBORDER;
    if (nIndex >= 0) {
        int cx = GetSystemMetrics(nIndex), cy = GetSystemMetrics(nIndex + 1);
        rc = RECT{cx, cy, cx, cy};
    }
    if ((dwStyle & WS_CAPTION) == WS_CAPTION)
        rc.top += GetSystemMetrics((dwExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (dwExStyle & WS_EX_CLIENTEDGE) {
        rc = RECT{rc.left + GetSystemMetrics(SM_CXEDGE), rc.top + GetSystemMetrics(SM_CYEDGE),
                  rc.right + GetSystemMetrics(SM_CXEDGE), rc.bottom + GetSystemMetrics(SM_CYEDGE)};
    }
    if (dwExStyle & WS_EX_STATICEDGE) {
        rc = RECT{rc.left + GetSystemMetrics(SM_CXBORDER), rc.top + GetSystemMetrics(SM_CYBORDER),
                  rc.right + GetSystemMetrics(SM_CXBORDER),
                  rc.bottom + GetSystemMetrics(SM_CYBORDER)};
    }
    return rc;
}

RECT ScreenRect(const CWindow& wnd) {
    RECT rc = wnd.m_rc;
    if (CWindow* pParent = GetWnd(wnd.m_hwndParent)) {
        POINT pt = ClientOrigin(*pParent);
        OffsetRect(&rc, pt.x, pt.y);
    }
    return rc;
}

POINT ClientOrigin(const CWindow& wnd) {
    RECT rc = ScreenRect(wnd);
    if (wnd.m_dwStyle & WS_MINIMIZE) return POINT{rc.left, rc.top};
    RECT rcInsets = NcInsets(wnd.m_dwStyle, wnd.m_dwExStyle);
    return POINT{rc.left + rcInsets.left, rc.top + rcInsets.top};
}

SIZE ClientSize(const CWindow& wnd) {
    if (wnd.m_dwStyle & WS_MINIMIZE) return SIZE{0, 0};
    RECT rcInsets = NcInsets(wnd.m_dwStyle, wnd.m_dwExStyle);
    LONG cx = wnd.m_rc.right - wnd.m_rc.left - rcInsets.left - rcInsets.right;
    LONG cy = wnd.m_rc.bottom - wnd.m_rc.top - rcInsets.top - rcInsets.bottom;
    return SIZE{std::max<LONG>(cx, 0), std::max<LONG>(cy, 0)};
}

}  // namespace win32sim

using namespace win32sim;

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT prc) {
    if (!prc) return FALSE;
    if (hwnd == GetDesktopWindow()) return GetWindowRect(hwnd, prc);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    SIZE size = ClientSize(*pWnd);
    *prc = RECT{0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT prc) {
    if (!prc) return FALSE;
    if (hwnd == GetDesktopWindow()) {
        *prc = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return TRUE;
    }
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    *prc = ScreenRect(*pWnd);
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND hwndInsertAfter, int x, int y, int cx, int cy,
                         UINT uFlags) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    RECT rcNew = pWnd->m_rc;
    if (!(uFlags & SWP_NOMOVE)) OffsetRect(&rcNew, x - rcNew.left, y - rcNew.top);
    if (!(uFlags & SWP_NOSIZE)) {
        rcNew.right = rcNew.left + std::max(cx, 0);
        rcNew.bottom = rcNew.top + std::max(cy, 0);
    }
    if (!(uFlags & SWP_NOZORDER)) Restack(*pWnd, hwndInsertAfter);
    ApplyRect(*pWnd, rcNew, uFlags);
    if (uFlags & SWP_FRAMECHANGED) pWnd->m_bNcUpdate = true;
    // SWP_SHOWWINDOW / SWP_HIDEWINDOW change visibility without WM_SHOWWINDOW, as on Windows.
    if ((uFlags & SWP_SHOWWINDOW) && !(pWnd->m_dwStyle & WS_VISIBLE)) {
        pWnd->m_dwStyle |= WS_VISIBLE;
        InvalidateWindow(*pWnd, nullptr, true, true);
    }
    if ((uFlags & SWP_HIDEWINDOW) && (pWnd->m_dwStyle & WS_VISIBLE)) {
        pWnd->m_dwStyle &= ~WS_VISIBLE;
        InvalidateParentArea(*pWnd);
        MoveFocusOffHidden(hwnd);
        if (!pWnd->m_hwndParent && GetActiveWindow() == hwnd) ActivateOther(hwnd);
    }
    SendPosChanged(hwnd, uFlags);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    UINT uFlags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(hwnd, nullptr, x, y, nWidth, nHeight, uFlags);
}

BOOL WINAPI ShowWindow(HWND hwnd, int nCmdShow) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    BOOL bWasVisible = (pWnd->m_dwStyle & WS_VISIBLE) != 0;
    bool bActivate = nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE;
    switch (nCmdShow) {
        case SW_HIDE:
            if (bWasVisible) HideInternal(*pWnd);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            Minimize(*pWnd);
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            Restore(*pWnd, true);
            break;
        default:
            // SW_MAXIMIZE shows the window at its size: nothing here is ever maximised.
            if (!bWasVisible) ShowInternal(*pWnd);
            if (bActivate && (pWnd = GetWnd(hwnd)) && !pWnd->m_hwndParent) SetActiveWindow(hwnd);
            break;
    }
    return bWasVisible;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT prc, DWORD dwStyle, BOOL, DWORD dwExStyle) {
    if (!prc) return FALSE;
    RECT rcInsets = NcInsets(dwStyle, dwExStyle);
    *prc = RECT{prc->left - rcInsets.left, prc->top - rcInsets.top, prc->right + rcInsets.right,
                prc->bottom + rcInsets.bottom};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT ppt) {
    if (!ppt) return FALSE;
    if (hwnd == GetDesktopWindow()) return TRUE;
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    POINT ptOrigin = ClientOrigin(*pWnd);
    ppt->x += ptOrigin.x;
    ppt->y += ptOrigin.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hwndFrom, HWND hwndTo, LPPOINT ppt, UINT cPoints) {
    POINT ptFrom{0, 0}, ptTo{0, 0};
    if (hwndFrom && !ClientToScreen(hwndFrom, &ptFrom)) return 0;
    if (hwndTo && !ClientToScreen(hwndTo, &ptTo)) return 0;
    LONG dx = ptFrom.x - ptTo.x, dy = ptFrom.y - ptTo.y;
    for (UINT i = 0; ppt && i < cPoints; ++i) {
        ppt[i].x += dx;
        ppt[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT pt) {
    HWND hwnd = nullptr;
    for (HWND hwndTop : TopLevelWindows()) {
        CWindow* pTop = GetWnd(hwndTop);
        if (!pTop || !(pTop->m_dwStyle & WS_VISIBLE)) continue;
        RECT rc = ScreenRect(*pTop);
        if (!PtInRect(&rc, pt)) continue;
        // A top-level window of this thread that answers HTTRANSPARENT (a tooltip) lets it through.
        if (SendMessageA(hwndTop, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTTRANSPARENT)
            continue;
        hwnd = hwndTop;
        break;
    }
    // Hidden and disabled child windows are skipped, as WindowFromPoint documents.
    for (HWND hwndChild = ChildAt(hwnd, pt, true); hwndChild; hwndChild = ChildAt(hwnd, pt, true))
        hwnd = hwndChild;
    // Windows that answer HTTRANSPARENT (plain statics) let the point through to their parent.
    while (hwnd && GetWnd(hwnd)->m_hwndParent &&
           SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) == HTTRANSPARENT)
        hwnd = GetWnd(hwnd)->m_hwndParent;
    return hwnd;
}
