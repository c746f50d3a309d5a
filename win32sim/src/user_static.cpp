// The "Static" class: text, bitmap, icon and plain rectangle statics.
// No owner drawing, metafiles, ellipses or animated images.
#include <string>

#include "user_internal.h"

namespace win32sim {
namespace {

struct CStaticData : CControlData {
    HFONT m_hFont = nullptr;
    HANDLE m_hImage = nullptr;
    HANDLE m_hOwnImage = nullptr;  // loaded from the template by the control itself
};

LONG StaticType(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & SS_TYPEMASK;
}

bool IsImageType(LONG nType) {
    return nType == SS_BITMAP || nType == SS_ICON;
}

// An ordinal name arrives as 0xFF, low byte, high byte (the template's form).
LPCSTR ImageName(LPCSTR pszName) {
    if (!pszName || IS_INTRESOURCE(pszName) || pszName[0] != '\xFF') return pszName;
    auto nId =
        static_cast<WORD>(static_cast<BYTE>(pszName[1]) | (static_cast<BYTE>(pszName[2]) << 8));
    return MAKEINTRESOURCEA(nId);
}

SIZE ImageSize(LONG nType, HANDLE hImage) {
    if (nType == SS_ICON) return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    BITMAP bm{};
    GetObjectA(hImage, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// STM_SETIMAGE: without SS_CENTERIMAGE the window takes the image's size, its border included.
HANDLE SetImage(HWND hwnd, CStaticData& data, HANDLE hImage) {
    HANDLE hOld = data.m_hImage;
    data.m_hImage = hImage;
    // An image the control loaded itself passes to whoever it is handed back to.
    if (hOld == data.m_hOwnImage) data.m_hOwnImage = nullptr;
    LONG nStyle = GetWindowLongA(hwnd, GWL_STYLE);
    if (hImage && !(nStyle & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) {
        SIZE size = ImageSize(nStyle & SS_TYPEMASK, hImage);
        SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return hOld;
}

void LoadTemplateImage(HWND hwnd, CStaticData& data, const CREATESTRUCTA& cs) {
    LPCSTR pszName = ImageName(cs.lpszName);
    if (!pszName || (!IS_INTRESOURCE(pszName) && !*pszName)) return;
    HANDLE hImage = nullptr;
    if (StaticType(hwnd) == SS_BITMAP)
        hImage = LoadImageA(cs.hInstance, pszName, IMAGE_BITMAP, 0, 0, 0);
    else
        hImage = LoadIconA(cs.hInstance, pszName);
    if (!hImage) return;
    SetImage(hwnd, data, hImage);
    data.m_hOwnImage = hImage;
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
    HGDIOBJ hOld = data.m_hFont ? SelectObject(hdc, data.m_hFont) : nullptr;
    if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    int n = GetWindowTextLengthA(hwnd);
    std::string str(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd, &str[0], n + 1);
    str.resize(static_cast<std::size_t>(n));
    DrawTextA(hdc, str.c_str(), n, &rc, TextFormat(GetWindowLongA(hwnd, GWL_STYLE)));
    if (hOld) SelectObject(hdc, hOld);
}

POINT ImageOrigin(HWND hwnd, const RECT& rc, SIZE size) {
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & SS_CENTERIMAGE)) return POINT{0, 0};
    return POINT{(rc.right - size.cx) / 2, (rc.bottom - size.cy) / 2};
}

void PaintImage(HWND hwnd, HDC hdc, const CStaticData& data, const RECT& rc) {
    if (!data.m_hImage) return;
    LONG nType = StaticType(hwnd);
    SIZE size = ImageSize(nType, data.m_hImage);
    POINT pt = ImageOrigin(hwnd, rc, size);
    if (nType == SS_ICON) {
        DrawIconEx(hdc, pt.x, pt.y, static_cast<HICON>(data.m_hImage), 0, 0, 0, nullptr,
                   DI_NORMAL | DI_DEFAULTSIZE);
        return;
    }
    HDC hdcMem = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcMem, data.m_hImage);
    BitBlt(hdc, pt.x, pt.y, size.cx, size.cy, hdcMem, 0, 0, SRCCOPY);
    SelectObject(hdcMem, hOld);
    DeleteDC(hdcMem);
}

bool PaintShape(HDC hdc, LONG nType, const RECT& rcClient) {
    static const struct {
        LONG nType;
        int nColor;
        bool bFrame;
    } kShapes[] = {
        {SS_BLACKRECT, COLOR_WINDOWFRAME, false}, {SS_GRAYRECT, COLOR_BTNSHADOW, false},
        {SS_WHITERECT, COLOR_WINDOW, false},      {SS_BLACKFRAME, COLOR_WINDOWFRAME, true},
        {SS_GRAYFRAME, COLOR_BTNSHADOW, true},    {SS_WHITEFRAME, COLOR_WINDOW, true},
    };
    RECT rc = rcClient;
    for (const auto& shape : kShapes) {
        if (shape.nType != nType) continue;
        if (shape.bFrame)
            FrameRect(hdc, &rc, GetSysColorBrush(shape.nColor));
        else
            FillRect(hdc, &rc, GetSysColorBrush(shape.nColor));
        return true;
    }
    if (nType < SS_ETCHEDHORZ || nType > SS_ETCHEDFRAME) return false;
    DrawEdge(hdc, &rc, EDGE_ETCHED,
             nType == SS_ETCHEDHORZ   ? BF_TOP
             : nType == SS_ETCHEDVERT ? BF_LEFT
                                      : BF_RECT);
    return true;
}

LRESULT OnPaint(HWND hwnd, CStaticData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    LONG nType = StaticType(hwnd);
    if (!PaintShape(hdc, nType, rc)) {
        // WM_CTLCOLORSTATIC lets the parent choose the background; NULL means the default.
        HBRUSH hbr = SendCtlColor(hwnd, hdc, WM_CTLCOLORSTATIC);
        if (hbr) FillRect(hdc, &rc, hbr);
        if (IsImageType(nType))
            PaintImage(hwnd, hdc, data, rc);
        else
            PaintText(hwnd, hdc, data, rc);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnCreate(HWND hwnd, CStaticData& data, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (!IsImageType(StaticType(hwnd))) return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCCREATE) return TRUE;  // an image static keeps no window text
    if (pCreate) LoadTemplateImage(hwnd, data, *pCreate);
    return 0;
}

LRESULT OnSetImage(HWND hwnd, CStaticData& data, WPARAM nImageType, HANDLE hImage) {
    LONG nType = StaticType(hwnd);
    bool bMatches = (nType == SS_BITMAP && nImageType == IMAGE_BITMAP) ||
                    (nType == SS_ICON && (nImageType == IMAGE_ICON || nImageType == IMAGE_CURSOR));
    return bMatches ? reinterpret_cast<LRESULT>(SetImage(hwnd, data, hImage)) : 0;
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
            pData->m_hFont = reinterpret_cast<HFONT>(wParam);
            if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pData->m_hFont);
        case STM_SETIMAGE:
            return OnSetImage(hwnd, *pData, wParam, reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE:
            return reinterpret_cast<LRESULT>(pData->m_hImage);
        case STM_SETICON:
            return OnSetImage(hwnd, *pData, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(pData->m_hImage);
        case WM_SETTEXT: {
            LRESULT nResult = DefWindowProcA(hwnd, nMsg, wParam, lParam);
            InvalidateRect(hwnd, nullptr, TRUE);
            return nResult;
        }
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
            // The bitmap it loaded for its template goes with it; icons from LoadIcon are shared.
            if (pData->m_hOwnImage && StaticType(hwnd) == SS_BITMAP)
                DeleteObject(pData->m_hOwnImage);
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim
