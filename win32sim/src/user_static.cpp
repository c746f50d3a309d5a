// The "Static" class: text and bitmap statics.
// No icons, frames, rectangles, owner drawing, metafiles, ellipses or animated images.
#include <string>

#include "user_internal.h"

namespace win32sim {
namespace {

struct CStaticData : CControlData {
    HANDLE m_hImage = nullptr;  // loaded from the template by the control itself, and owned
};

LONG StaticType(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK;
}

bool IsBitmapType(LONG nType) {
    return nType == SS_BITMAP;
}

// An ordinal name arrives as 0xFF, low byte, high byte (the template's form).
LPCSTR ImageName(LPCSTR pszName) {
    if (!pszName || IS_INTRESOURCE(pszName) || pszName[0] != '\xFF') return pszName;
    auto nId =
        static_cast<WORD>(static_cast<BYTE>(pszName[1]) | (static_cast<BYTE>(pszName[2]) << 8));
    return MAKEINTRESOURCEA(nId);
}

SIZE ImageSize(HANDLE hImage) {
    BITMAP bm{};
    GetObjectA(hImage, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// The window takes the image's size, its border included; no bitmap static of the program asks
// for SS_CENTERIMAGE or SS_REALSIZECONTROL, which would keep the template's size.
void SetImage(HWND hwnd, CStaticData& data, HANDLE hImage) {
    data.m_hImage = hImage;
    SIZE size = ImageSize(hImage);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void LoadTemplateImage(HWND hwnd, CStaticData& data, const CREATESTRUCTA& cs) {
    LPCSTR pszName = ImageName(cs.lpszName);
    if (!pszName || (!IS_INTRESOURCE(pszName) && !*pszName)) return;
    HANDLE hImage = LoadBitmapA(cs.hInstance, pszName);
    if (!hImage) return;
    SetImage(hwnd, data, hImage);
}

UINT TextFormat(LONG nStyle) {
    UINT nFormat = (nStyle & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (nStyle & SS_TYPEMASK) {
        case SS_CENTER:
            nFormat |= DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            nFormat |= DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
            nFormat |= DT_LEFT | DT_SINGLELINE;
            break;
        case SS_LEFTNOWORDWRAP:
            nFormat |= DT_LEFT | DT_EXPANDTABS;
            break;
        default:
            nFormat |= DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
            break;
    }
    if (nStyle & SS_CENTERIMAGE) nFormat = (nFormat & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    return nFormat;
}

void PaintText(HWND hwnd, HDC hdc, const CStaticData& data, RECT rc) {
    CControlFont font(hdc, data);
    if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    int n = GetWindowTextLengthA(hwnd);
    std::string str(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd, &str[0], n + 1);
    str.resize(static_cast<std::size_t>(n));
    DrawTextA(hdc, str.c_str(), n, &rc, TextFormat(GetWindowLongA(hwnd, GWL_STYLE)));
}

void PaintImage(HDC hdc, const CStaticData& data) {
    if (!data.m_hImage) return;
    SIZE size = ImageSize(data.m_hImage);
    HDC hdcMem = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcMem, data.m_hImage);
    BitBlt(hdc, 0, 0, size.cx, size.cy, hdcMem, 0, 0, SRCCOPY);
    SelectObject(hdcMem, hOld);
    DeleteDC(hdcMem);
}

LRESULT OnPaint(HWND hwnd, CStaticData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    // WM_CTLCOLORSTATIC lets the parent choose the background; NULL means the default.
    HBRUSH hbr = SendCtlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
    if (hbr) FillRect(hdc, &rc, hbr);
    if (IsBitmapType(StaticType(hwnd)))
        PaintImage(hdc, data);
    else
        PaintText(hwnd, hdc, data, rc);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnCreate(HWND hwnd, CStaticData& data, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (!IsBitmapType(StaticType(hwnd))) return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCCREATE) return TRUE;  // an image static keeps no window text
    if (pCreate) LoadTemplateImage(hwnd, data, *pCreate);
    return 0;
}

}  // namespace

LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CStaticData* pData = ControlData<CStaticData>(hwnd);
    if (!pData) return 0;
    switch (nMsg) {
        case WM_NCCREATE:
        case WM_CREATE:
            return OnCreate(hwnd, *pData, nMsg, wParam, lParam);
        case WM_SETFONT:
        case WM_GETFONT:
            return ControlFontMessage(*pData, nMsg, wParam);
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(pData->m_hImage);
        case WM_SETTEXT:
            return SetShownText(hwnd, wParam, lParam);
        case WM_NCHITTEST:
            if (!(GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
        case WM_LBUTTONDOWN:
            if (GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return OnPaint(hwnd, *pData);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_NCDESTROY:
            // The bitmap it loaded for its template goes with it.
            if (pData->m_hImage) DeleteObject(pData->m_hImage);
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim
