// The "Button" class: push buttons (default or not), check boxes, radio buttons, group boxes.
// Drawn flat with the system colours; no themes, images or owner drawing.
#include "user_internal.h"

namespace win32sim {
namespace {

struct CButtonData : CControlData {
    HFONT m_hFont = nullptr;
    bool m_bPushed = false;
    bool m_bTracking = false;
    bool m_bFocus = false;
    LRESULT m_nCheck = BST_UNCHECKED;
};

LONG ButtonType(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
}

bool IsPushButton(LONG nType) {
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON;
}

LRESULT DlgCode(HWND hwnd) {
    switch (ButtonType(hwnd)) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
    }
}

LRESULT SetPushed(HWND hwnd, CButtonData& data, bool bPushed) {
    if (data.m_bPushed == bPushed) return 0;
    data.m_bPushed = bPushed;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

void Click(HWND hwnd, CButtonData& data) {
    LONG nType = ButtonType(hwnd);
    if (nType == BS_AUTOCHECKBOX) data.m_nCheck = data.m_nCheck ? BST_UNCHECKED : BST_CHECKED;
    if (nType == BS_AUTO3STATE) data.m_nCheck = (data.m_nCheck + 1) % 3;
    if (nType == BS_AUTORADIOBUTTON) data.m_nCheck = BST_CHECKED;
    NotifyParent(hwnd, BN_CLICKED);
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
    if (bWasPushed && (!bCheckPoint || PtInRect(&rc, pt))) Click(hwnd, data);
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

void PaintOtherButton(HWND hwnd, HDC hdc, const CButtonData& data, const RECT& rcClient) {
    RECT rc = rcClient;
    LONG nType = ButtonType(hwnd);
    if (nType == BS_GROUPBOX) {
        DrawEdge(hdc, &rc, EDGE_ETCHED, BF_RECT);
        DrawLabel(hwnd, hdc, RECT{rc.left + 8, rc.top, rc.right, rc.bottom}, DT_SINGLELINE);
        return;
    }
    int nBox = rc.bottom - rc.top < 13 ? rc.bottom - rc.top : 13;
    RECT rcBox{rc.left, rc.top + (rc.bottom - rc.top - nBox) / 2, rc.left + nBox, 0};
    rcBox.bottom = rcBox.top + nBox;
    FillRect(hdc, &rcBox, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(hdc, &rcBox, EDGE_SUNKEN, BF_RECT);
    if (data.m_nCheck) {
        InflateRect(&rcBox, -4, -4);
        FillRect(hdc, &rcBox, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    DrawLabel(hwnd, hdc, RECT{rc.left + nBox + 4, rc.top, rc.right, rc.bottom},
              DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

LRESULT OnPaint(HWND hwnd, CButtonData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    SendCtlColor(hwnd, hdc, WM_CTLCOLORBTN);
    HGDIOBJ hOldFont = data.m_hFont ? SelectObject(hdc, data.m_hFont) : nullptr;
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (IsPushButton(ButtonType(hwnd)))
        PaintPushButton(hwnd, hdc, data, rc);
    else
        PaintOtherButton(hwnd, hdc, data, rc);
    if (hOldFont) SelectObject(hdc, hOldFont);
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
    data.m_bFocus = bFocus;
    if (!bFocus && data.m_bTracking) {
        data.m_bTracking = false;
        SetPushed(hwnd, data, false);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    if (GetWindowLongA(hwnd, GWL_STYLE) & BS_NOTIFY)
        NotifyParent(hwnd, bFocus ? BN_SETFOCUS : BN_KILLFOCUS);
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

LRESULT OnSetFont(HWND hwnd, CButtonData& data, WPARAM wParam, LPARAM lParam) {
    data.m_hFont = reinterpret_cast<HFONT>(wParam);
    if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, CButtonData& data, HWND hwndNew) {
    if (hwndNew == hwnd || !data.m_bTracking) return 0;
    data.m_bTracking = false;
    SetPushed(hwnd, data, false);
    return 0;
}

// BM_CLICK is a press and release at the control's origin, as a mouse would make them.
LRESULT OnClick(HWND hwnd) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
    return 0;
}

LRESULT OnSetCheck(HWND hwnd, CButtonData& data, WPARAM wParam) {
    data.m_nCheck = static_cast<LRESULT>(wParam) & 3;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnGetState(const CButtonData& data) {
    return data.m_nCheck | (data.m_bPushed ? BST_PUSHED : 0) | (data.m_bFocus ? BST_FOCUS : 0);
}

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    LRESULT nResult = DefWindowProcA(hwnd, WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return nResult;
}

LRESULT OnEnable(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (ButtonType(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
    return DefWindowProcA(hwnd, WM_NCHITTEST, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CButtonData* pData = ControlData<CButtonData>(hwnd);
    if (!pData) return 0;
    switch (nMsg) {
        case WM_GETDLGCODE:
            return DlgCode(hwnd);
        case WM_SETFONT:
            return OnSetFont(hwnd, *pData, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pData->m_hFont);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnButtonDown(hwnd, *pData);
        case WM_LBUTTONUP:
            return OnButtonUp(hwnd, *pData, true, lParam);
        case WM_CAPTURECHANGED:
            return OnCaptureChanged(hwnd, *pData, reinterpret_cast<HWND>(lParam));
        case WM_KEYDOWN:
        case WM_KEYUP:
            return OnKey(hwnd, *pData, nMsg, wParam);
        case BM_CLICK:
            return OnClick(hwnd);
        case BM_SETSTYLE:
            return OnSetStyle(hwnd, wParam, lParam);
        case BM_GETCHECK:
            return pData->m_nCheck;
        case BM_SETCHECK:
            return OnSetCheck(hwnd, *pData, wParam);
        case BM_GETSTATE:
            return OnGetState(*pData);
        case BM_SETSTATE:
            return SetPushed(hwnd, *pData, wParam != 0);
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
            return OnSetText(hwnd, wParam, lParam);
        case WM_NCHITTEST:
            return OnHitTest(hwnd, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim
