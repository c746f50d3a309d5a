// Device contexts: screen, window and memory DCs, object selection, attributes, saved states.

#include <algorithm>
#include <utility>

#include "ascii_case.h"
#include "gdi_internal.h"
#include "gdi_state.h"
#include "handle_table.h"
#include "win32sim/user.h"

namespace win32sim {
namespace {

constexpr std::uintptr_t kFirstDC = 0x4000000;

CHandleTable<HDC, CDeviceContext>& DCTable() {
    static CHandleTable<HDC, CDeviceContext> table(kFirstDC);
    return table;
}

CDCState DefaultState(DCKind kind) {
    CDCState state{};
    state.m_hPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    state.m_hBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    state.m_hFont = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    state.m_hBitmap = kind == DCKind::Memory ? DefaultBitmap() : nullptr;
    state.m_crText = RGB(0, 0, 0);
    state.m_crBack = RGB(255, 255, 255);
    state.m_nBkMode = OPAQUE;
    return state;
}

void ForEachObject(const CDCState& state, void (*pfn)(HGDIOBJ)) {
    pfn(state.m_hPen);
    pfn(state.m_hBrush);
    pfn(state.m_hFont);
    if (state.m_hBitmap) pfn(state.m_hBitmap);
}

void AddSelection(HGDIOBJ hObject) {
    if (CGdiObject* pObject = LookupObject(hObject)) ++pObject->m_nSelections;
}

HDC NewDC(DCKind kind, HWND hwnd) {
    CDeviceContext dc{kind};
    dc.m_hwnd = hwnd;
    dc.m_state = DefaultState(kind);
    ForEachObject(dc.m_state, AddSelection);
    CScreen& screen = Screen();
    dc.m_rcClip = RECT{0, 0, screen.m_cx, screen.m_cy};
    return AddDC(std::move(dc));
}

BOOL FreeDC(HDC hdc) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC) return FALSE;
    CDCState state = pDC->m_state;
    DCTable().Erase(hdc);
    ForEachObject(state, ReleaseSelection);
    return TRUE;
}

RECT ScreenRectOfClient(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    POINT pt{0, 0};
    ClientToScreen(hwnd, &pt);
    return RECT{pt.x, pt.y, pt.x + rc.right, pt.y + rc.bottom};
}

// The visible part of a window: its area cut by the client area of every ancestor. Overlapping
// siblings clip each other only through WS_CLIPSIBLINGS (CoveringWindows).
RECT VisibleArea(HWND hwnd, const RECT& rcArea) {
    if (!IsWindowVisible(hwnd)) return RECT{0, 0, 0, 0};
    RECT rcVisible = rcArea;
    HWND hwndChild = hwnd;
    while (GetWindowLongA(hwndChild, GWL_STYLE) & WS_CHILD) {
        HWND hwndParent = GetParent(hwndChild);
        if (!hwndParent) break;
        rcVisible = Intersect(rcVisible, ScreenRectOfClient(hwndParent));
        hwndChild = hwndParent;
    }
    return rcVisible;
}

void AddVisibleWindowsAbove(HWND hwnd, std::vector<RECT>& covered) {
    for (HWND hwndAbove = GetWindow(hwnd, GW_HWNDPREV); hwndAbove;
         hwndAbove = GetWindow(hwndAbove, GW_HWNDPREV)) {
        RECT rc{};
        if (IsWindowVisible(hwndAbove) && GetWindowRect(hwndAbove, &rc)) covered.push_back(rc);
    }
}

// What the window's painting must not overwrite: top-level windows above its own, and the
// siblings above the window or an ancestor that has WS_CLIPSIBLINGS.
std::vector<RECT> CoveringWindows(HWND hwnd) {
    std::vector<RECT> covered;
    for (HWND hwndLevel = hwnd; hwndLevel;) {
        const LONG lStyle = GetWindowLongA(hwndLevel, GWL_STYLE);
        HWND hwndParent = (lStyle & WS_CHILD) ? GetParent(hwndLevel) : nullptr;
        if (!hwndParent || (lStyle & WS_CLIPSIBLINGS)) AddVisibleWindowsAbove(hwndLevel, covered);
        hwndLevel = hwndParent;
    }
    return covered;
}

// SelectObject for bitmaps: memory DCs only, and a bitmap lives in one DC at a time.
HGDIOBJ SelectBitmap(CDeviceContext& dc, HGDIOBJ hObject, CGdiObject& object) {
    if (dc.m_kind != DCKind::Memory) return nullptr;
    if (!object.m_bStock && object.m_nSelections > 0 && dc.m_state.m_hBitmap != hObject) {
        return nullptr;
    }
    HGDIOBJ hOld = dc.m_state.m_hBitmap;
    dc.m_state.m_hBitmap = static_cast<HBITMAP>(hObject);
    AddSelection(hObject);
    ReleaseSelection(hOld);
    return hOld;
}

template <typename THandle>
HGDIOBJ Swap(THandle& hSlot, HGDIOBJ hObject) {
    HGDIOBJ hOld = hSlot;
    hSlot = static_cast<THandle>(hObject);
    AddSelection(hObject);
    ReleaseSelection(hOld);
    return hOld;
}

}  // namespace

CDeviceContext* LookupDC(HDC hdc) {
    return DCTable().Find(hdc);
}

HDC AddDC(CDeviceContext dc) {
    return DCTable().Add(std::move(dc));
}

CSurface* SurfaceOf(CDeviceContext& dc) {
    if (dc.m_kind != DCKind::Memory) return &Screen().m_framebuffer;
    CGdiObject* pBitmap = LookupObject(dc.m_state.m_hBitmap, ObjKind::Bitmap);
    return pBitmap ? &pBitmap->m_surface : nullptr;
}

RECT DeviceClip(CDeviceContext& dc) {
    CSurface* pSurface = SurfaceOf(dc);
    if (!pSurface) return RECT{0, 0, 0, 0};
    RECT rcSurface{0, 0, pSurface->Width(), pSurface->Height()};
    return dc.m_kind == DCKind::Memory ? rcSurface : Intersect(dc.m_rcClip, rcSurface);
}

const LOGFONTA& FontOf(CDeviceContext& dc) {
    CGdiObject* pFont = LookupObject(dc.m_state.m_hFont, ObjKind::Font);
    if (!pFont) pFont = LookupObject(GetStockObject(SYSTEM_FONT));
    return pFont->m_font;
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT rc{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
    if (IsEmpty(rc)) rc = RECT{0, 0, 0, 0};
    return rc;
}

bool IsEmpty(const RECT& rc) {
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

}  // namespace win32sim

using namespace win32sim;

HDC SimCreateWindowDC(HWND hwnd, bool bClient) {
    if (!hwnd) return NewDC(DCKind::Screen, nullptr);
    RECT rcArea{};
    if (bClient) {
        rcArea = ScreenRectOfClient(hwnd);
    } else {
        GetWindowRect(hwnd, &rcArea);
    }
    HDC hdc = NewDC(DCKind::Window, hwnd);
    CDeviceContext* pDC = LookupDC(hdc);
    pDC->m_ptOrigin = POINT{rcArea.left, rcArea.top};
    pDC->m_rcClip = VisibleArea(hwnd, rcArea);
    pDC->m_covered = CoveringWindows(hwnd);
    return hdc;
}

void SimIntersectWindowDCClip(HDC hdc, const RECT& rcClip) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || pDC->m_kind == DCKind::Memory) return;
    RECT rcDevice{rcClip.left + pDC->m_ptOrigin.x, rcClip.top + pDC->m_ptOrigin.y,
                  rcClip.right + pDC->m_ptOrigin.x, rcClip.bottom + pDC->m_ptOrigin.y};
    pDC->m_rcClip = Intersect(pDC->m_rcClip, rcDevice);
}

BOOL SimReleaseWindowDC(HDC hdc) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || pDC->m_kind == DCKind::Memory) return FALSE;
    return FreeDC(hdc);
}

std::size_t SimDCCount() {
    return DCTable().Size();
}

HDC WINAPI CreateDCA(LPCSTR pszDriver, LPCSTR, LPCSTR, const void*) {
    if (!pszDriver || !EqualIgnoringAsciiCase(pszDriver, "DISPLAY")) return nullptr;
    return NewDC(DCKind::Screen, nullptr);
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !LookupDC(hdc)) return nullptr;
    return NewDC(DCKind::Memory, nullptr);
}

// DeleteDC frees screen and memory DCs; window DCs go back through ReleaseDC.
BOOL WINAPI DeleteDC(HDC hdc) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || pDC->m_kind == DCKind::Window) return FALSE;
    return FreeDC(hdc);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ hObject) {
    CDeviceContext* pDC = LookupDC(hdc);
    CGdiObject* pObject = LookupObject(hObject);
    if (!pDC || !pObject || pObject->m_bDeletePending) return nullptr;
    switch (pObject->m_kind) {
        case ObjKind::Pen:
            return Swap(pDC->m_state.m_hPen, hObject);
        case ObjKind::Brush:
            return Swap(pDC->m_state.m_hBrush, hObject);
        case ObjKind::Font:
            return Swap(pDC->m_state.m_hFont, hObject);
        case ObjKind::Bitmap:
            return SelectBitmap(*pDC, hObject, *pObject);
    }
    return nullptr;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF cr) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC) return CLR_INVALID;
    return std::exchange(pDC->m_state.m_crText, cr);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF cr) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC) return CLR_INVALID;
    return std::exchange(pDC->m_state.m_crBack, cr);
}

int WINAPI SetBkMode(HDC hdc, int nMode) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || (nMode != TRANSPARENT && nMode != OPAQUE)) return 0;
    return std::exchange(pDC->m_state.m_nBkMode, nMode);
}

int WINAPI SaveDC(HDC hdc) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC) return 0;
    pDC->m_saved.push_back(pDC->m_state);
    return static_cast<int>(pDC->m_saved.size());
}

// RestoreDC: a negative level counts back from the latest save; later saves are dropped.
BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || nSavedDC == 0) return FALSE;
    int nCount = static_cast<int>(pDC->m_saved.size());
    int nLevel = nSavedDC < 0 ? nCount + nSavedDC + 1 : nSavedDC;
    if (nLevel < 1 || nLevel > nCount) return FALSE;
    CDCState saved = pDC->m_saved[static_cast<std::size_t>(nLevel - 1)];
    pDC->m_saved.resize(static_cast<std::size_t>(nLevel - 1));
    SelectObject(hdc, saved.m_hPen);
    SelectObject(hdc, saved.m_hBrush);
    SelectObject(hdc, saved.m_hFont);
    if (saved.m_hBitmap) SelectObject(hdc, saved.m_hBitmap);
    pDC->m_state.m_crText = saved.m_crText;
    pDC->m_state.m_crBack = saved.m_crBack;
    pDC->m_state.m_nBkMode = saved.m_nBkMode;
    return TRUE;
}

// Only the pixels per inch: the program sizes fonts by them and asks for nothing else.
int WINAPI GetDeviceCaps(HDC hdc, int nIndex) {
    if (!LookupDC(hdc)) return 0;
    return nIndex == LOGPIXELSX || nIndex == LOGPIXELSY ? Screen().m_nLogPixels : 0;
}
