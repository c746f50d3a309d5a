// The "Button" class: push buttons, default or not, pressed by the mouse or the space bar.
// Drawn flat with the system colours; no check boxes, radio buttons, group boxes or images.
#include "user_internal.h"

namespace win32sim {
namespace {

struct CButtonData : CControlData {
    bool m_bPushed = false;
    bool m_bTracking = false;
};

LONG ButtonType(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
}

LRESULT DlgCode(HWND hwnd) {
    return DLGC_BUTTON |
           (ButtonType(hwnd) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT SetPushed(HWND hwnd, CButtonData& data, bool bPushed) {
    if (data.m_bPushed == bPushed) return 0;
    data.m_bPushed = bPushed;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnButtonDown(HWND hwnd, CButtonData& data) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    data.m_bTracking = true;
    return SetPushed(hwnd, data, true);
}

LRESULT OnButtonUp(HWND hwnd, CButtonData& data, bool bCheckPoint, LPARAM lParam) {
    if (!data.m_bTracking) return 0;
    data.m_bTracking = false;
    bool bWasPushed = data.m_bPushed;
    SetPushed(hwnd, data, false);
    ReleaseCapture();
    RECT rc;
    GetClientRect(hwnd, &rc);
    POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    if (bWasPushed && (!bCheckPoint || PtInRect(&rc, pt))) NotifyParent(hwnd, BN_CLICKED);
    return 0;
}

void DrawLabel(HWND hwnd, HDC hdc, RECT rc, UINT nFormat) {
    char szText[512];
    GetWindowTextA(hwnd, szText, sizeof(szText));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(hdc, szText, -1, &rc, nFormat);
}

void PaintPushButton(HWND hwnd, HDC hdc, const CButtonData& data, const RECT& rcClient) {
    RECT rc = rcClient;
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    if (ButtonType(hwnd) == BS_DEFPUSHBUTTON) {
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rc, -1, -1);
    }
    DrawEdge(hdc, &rc, data.m_bPushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    UINT nFormat =
        DT_CENTER | ((GetWindowLongA(hwnd, GWL_STYLE) & BS_MULTILINE) ? DT_WORDBREAK
                                                                      : DT_SINGLELINE | DT_VCENTER);
    DrawLabel(hwnd, hdc, rc, nFormat);
}

LRESULT OnPaint(HWND hwnd, CButtonData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    SendCtlColor(hwnd, hdc, WM_CTLCOLORBTN);
    RECT rc;
    GetClientRect(hwnd, &rc);
    {
        CControlFont font(hdc, data);
        PaintPushButton(hwnd, hdc, data, rc);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LONG nStyle = GetWindowLongA(hwnd, GWL_STYLE);
    LONG nNew = (nStyle & ~BS_TYPEMASK) | (static_cast<LONG>(wParam) & BS_TYPEMASK);
    if (nNew != nStyle) SetWindowLongA(hwnd, GWL_STYLE, nNew);
    if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnFocus(HWND hwnd, CButtonData& data, bool bFocus) {
    if (!bFocus && data.m_bTracking) {
        data.m_bTracking = false;
        SetPushed(hwnd, data, false);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnKey(HWND hwnd, CButtonData& data, UINT nMsg, WPARAM wParam) {
    if (wParam != VK_SPACE) return 0;
    if (nMsg == WM_KEYDOWN) {
        data.m_bTracking = true;
        SetCapture(hwnd);
        SetPushed(hwnd, data, true);
    } else {
        OnButtonUp(hwnd, data, false, 0);
    }
    return 0;
}

LRESULT OnEnable(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

}  // namespace

LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CButtonData* pData = ControlData<CButtonData>(hwnd);
    if (!pData) return 0;
    switch (nMsg) {
        case WM_GETDLGCODE:
            return DlgCode(hwnd);
        case WM_SETFONT:
        case WM_GETFONT:
            return ControlFontMessage(*pData, nMsg, wParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnButtonDown(hwnd, *pData);
        case WM_LBUTTONUP:
            return OnButtonUp(hwnd, *pData, true, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
            return OnKey(hwnd, *pData, nMsg, wParam);
        case BM_SETSTYLE:
            return OnSetStyle(hwnd, wParam, lParam);
        case WM_SETFOCUS:
            return OnFocus(hwnd, *pData, true);
        case WM_KILLFOCUS:
            return OnFocus(hwnd, *pData, false);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return OnPaint(hwnd, *pData);
        case WM_ENABLE:
            return OnEnable(hwnd);
        case WM_SETTEXT:
            return SetShownText(hwnd, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim
