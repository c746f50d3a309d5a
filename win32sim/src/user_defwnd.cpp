// DefWindowProcA: text, closing, the window menu's commands, erasing, frames, icons, colours.
#include <algorithm>
#include <cstring>

#include "user_internal.h"

namespace win32sim {
namespace {

LRESULT OnSetText(CWindow& wnd, LPCSTR psz) {
    wnd.m_strText = psz ? psz : "";
    if (!wnd.m_hwndParent) {
        wnd.m_bNcUpdate = true;
        InvalidateWindow(wnd, nullptr, false, false);
    }
    return TRUE;
}

}  // namespace

LRESULT CopyWindowText(const std::string& strText, WPARAM cchMax, LPSTR psz) {
    if (!psz || cchMax == 0) return 0;
    std::size_t n = std::min<std::size_t>(strText.size(), cchMax - 1);
    std::memcpy(psz, strText.data(), n);
    psz[n] = '\0';
    return static_cast<LRESULT>(n);
}

namespace {

// The four low bits of a system command are Windows' own.
constexpr WPARAM kSysCommandMask = 0xFFF0;

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam) {
    switch (wParam & kSysCommandMask) {
        case SC_CLOSE:
            SendMessageA(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        default:
            break;  // Move, Size and Maximize need a user dragging; nothing here does
    }
    return 0;
}

LRESULT OnErase(HWND hwnd, HDC hdc) {
    HBRUSH hbr = DefaultEraseBrush(hwnd);
    if (!hbr) return 0;
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(hdc, &rc, hbr);
    return 1;
}

LRESULT OnCtlColor(UINT nMsg, HDC hdc) {
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    if (nMsg == WM_CTLCOLOREDIT || nMsg == WM_CTLCOLORLISTBOX) {
        SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(hdc, GetSysColor(COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
}

// WM_SIZE only: nothing here handles WM_MOVE, so it is not sent.
LRESULT OnPosChanged(HWND hwnd, const WINDOWPOS* pPos) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !pPos) return 0;
    if (!(pPos->flags & SWP_NOSIZE) || (pPos->flags & SWP_FRAMECHANGED)) {
        SIZE size = ClientSize(*pWnd);
        WPARAM nType = (pWnd->m_dwStyle & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, nType, MAKELPARAM(size.cx, size.cy));
    }
    return 0;
}

LRESULT OnHitTest(const CWindow& wnd, LPARAM lParam) {
    POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    RECT rcWindow = ScreenRect(wnd);
    if (!PtInRect(&rcWindow, pt)) return HTNOWHERE;
    POINT ptClient = ClientOrigin(wnd);
    SIZE size = ClientSize(wnd);
    RECT rcClient{ptClient.x, ptClient.y, ptClient.x + size.cx, ptClient.y + size.cy};
    if (PtInRect(&rcClient, pt)) return HTCLIENT;
    return pt.y < rcClient.top && (wnd.m_dwStyle & WS_CAPTION) == WS_CAPTION ? HTCAPTION : HTBORDER;
}

LRESULT OnSetIcon(CWindow& wnd, WPARAM nType, HICON hIcon) {
    HICON& hSlot = nType == ICON_BIG ? wnd.m_hIconBig : wnd.m_hIconSmall;
    HICON hOld = hSlot;
    hSlot = hIcon;
    if (!wnd.m_hwndParent) wnd.m_bNcUpdate = true;
    return reinterpret_cast<LRESULT>(hOld);
}

LRESULT OnGetIcon(const CWindow& wnd, WPARAM nType) {
    if (nType == ICON_BIG) return reinterpret_cast<LRESULT>(wnd.m_hIconBig);
    if (nType == ICON_SMALL) return reinterpret_cast<LRESULT>(wnd.m_hIconSmall);
    return reinterpret_cast<LRESULT>(wnd.m_hIconSmall ? wnd.m_hIconSmall : wnd.m_hIconBig);
}

void PaintCaption(const CWindow& wnd, HDC hdc, RECT rcCaption) {
    bool bActive = GetActiveWindow() == wnd.m_hwnd;
    HBRUSH hbr = GetSysColorBrush(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    FillRect(hdc, &rcCaption, hbr);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    rcCaption.left += 4;
    DrawTextA(hdc, wnd.m_strText.c_str(), -1, &rcCaption,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

// The frame is drawn flat in the button-face colour, with the edges the styles ask for.
void PaintFrame(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !IsWindowVisible(hwnd)) return;
    RECT rcInsets = NcInsets(pWnd->m_dwStyle, pWnd->m_dwExStyle);
    if (rcInsets.left + rcInsets.top + rcInsets.right + rcInsets.bottom == 0) return;
    HDC hdc = GetWindowDC(hwnd);
    RECT rc = ScreenRect(*pWnd);
    OffsetRect(&rc, -rc.left, -rc.top);
    if (pWnd->m_dwExStyle & WS_EX_CLIENTEDGE) {
        RECT rcEdge{rc.left + rcInsets.left - GetSystemMetrics(SM_CXEDGE),
                    rc.top + rcInsets.top - GetSystemMetrics(SM_CYEDGE),
                    rc.right - rcInsets.right + GetSystemMetrics(SM_CXEDGE),
                    rc.bottom - rcInsets.bottom + GetSystemMetrics(SM_CYEDGE)};
        DrawEdge(hdc, &rcEdge, EDGE_SUNKEN, BF_RECT);
    }
    if (pWnd->m_dwStyle & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) {
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if ((pWnd->m_dwStyle & WS_CAPTION) == WS_CAPTION) {
        int nCaption = GetSystemMetrics(SM_CYCAPTION);
        RECT rcCaption{rcInsets.left, rcInsets.top - nCaption, rc.right - rcInsets.right,
                       rcInsets.top};
        PaintCaption(*pWnd, hdc, rcCaption);
    }
    ReleaseDC(hwnd, hdc);
}

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

HBRUSH SendCtlColor(HWND hwnd, HDC hdc, UINT nMsg) {
    HWND hwndParent = GetParent(hwnd);
    if (!hwndParent) hwndParent = hwnd;
    WPARAM wParam = reinterpret_cast<WPARAM>(hdc);
    LPARAM lParam = reinterpret_cast<LPARAM>(hwnd);
    auto hbr = reinterpret_cast<HBRUSH>(SendMessageA(hwndParent, nMsg, wParam, lParam));
    if (!hbr) hbr = reinterpret_cast<HBRUSH>(DefWindowProcA(hwndParent, nMsg, wParam, lParam));
    return hbr;
}

LRESULT ControlFontMessage(CControlData& data, UINT nMsg, WPARAM wParam) {
    if (nMsg == WM_GETFONT) return reinterpret_cast<LRESULT>(data.m_hFont);
    data.m_hFont = reinterpret_cast<HFONT>(wParam);
    return 0;
}

LRESULT SetShownText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LRESULT nResult = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return nResult;
}

void NotifyParent(HWND hwnd, WORD nCode) {
    HWND hwndParent = GetParent(hwnd);
    if (!hwndParent) return;
    SendMessageA(hwndParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), nCode),
                 reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace win32sim

using namespace win32sim;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return 0;
    switch (nMsg) {
        case WM_NCCREATE: {
            auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (pCreate && pCreate->lpszName && !IS_INTRESOURCE(pCreate->lpszName))
                pWnd->m_strText = pCreate->lpszName;
            return TRUE;
        }
        case WM_SETTEXT:
            return OnSetText(*pWnd, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return CopyWindowText(pWnd->m_strText, wParam, reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(pWnd->m_strText.size());
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_SYSCOMMAND:
            return OnSysCommand(hwnd, wParam);
        case WM_ERASEBKGND:
        case WM_ICONERASEBKGND:
            return OnErase(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            return OnPaint(hwnd);
        case WM_NCPAINT:
            PaintFrame(hwnd);
            return 0;
        case WM_NCACTIVATE:
            pWnd->m_bNcUpdate = true;
            return TRUE;
        case WM_NCHITTEST:
            return OnHitTest(*pWnd, lParam);
        case WM_SETICON:
            return OnSetIcon(*pWnd, wParam, reinterpret_cast<HICON>(lParam));
        case WM_GETICON:
            return OnGetIcon(*pWnd, wParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !(pWnd->m_dwStyle & WS_MINIMIZE)) SetFocus(hwnd);
            return 0;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return OnCtlColor(nMsg, reinterpret_cast<HDC>(wParam));
        case WM_WINDOWPOSCHANGED:
            return OnPosChanged(hwnd, reinterpret_cast<WINDOWPOS*>(lParam));
        case WM_MOUSEACTIVATE:
            return MA_ACTIVATE;
        case WM_CANCELMODE:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        default:
            return 0;
    }
}
