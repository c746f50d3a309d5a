// Pixel drawing: pixels, polylines, filled and framed rectangles, edges and block copies.
// Pens are drawn one pixel wide and solid whatever their width and style (a simplification).

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "gdi_state.h"

namespace win32sim {

void PlotPixel(CDeviceContext& dc, const RECT& rcClip, int x, int y, COLORREF cr) {
    int nDeviceX = x + dc.m_ptOrigin.x;
    int nDeviceY = y + dc.m_ptOrigin.y;
    if (nDeviceX < rcClip.left || nDeviceX >= rcClip.right) return;
    if (nDeviceY < rcClip.top || nDeviceY >= rcClip.bottom) return;
    if (!IsExposed(dc, nDeviceX, nDeviceY)) return;
    SurfaceOf(dc)->Set(nDeviceX, nDeviceY, cr);
}

bool IsExposed(const CDeviceContext& dc, int nDeviceX, int nDeviceY) {
    for (const RECT& rc : dc.m_covered) {
        if (nDeviceX >= rc.left && nDeviceX < rc.right && nDeviceY >= rc.top &&
            nDeviceY < rc.bottom)
            return false;
    }
    return true;
}

void FillLogicalRect(CDeviceContext& dc, const RECT& rcClip, RECT rc, COLORREF cr) {
    RECT rcDevice{rc.left + dc.m_ptOrigin.x, rc.top + dc.m_ptOrigin.y, rc.right + dc.m_ptOrigin.x,
                  rc.bottom + dc.m_ptOrigin.y};
    RECT rcPaint = Intersect(rcDevice, rcClip);
    CSurface* pSurface = SurfaceOf(dc);
    if (!pSurface) return;
    for (int y = rcPaint.top; y < rcPaint.bottom; ++y) {
        for (int x = rcPaint.left; x < rcPaint.right; ++x)
            if (IsExposed(dc, x, y)) pSurface->Set(x, y, cr);
    }
}

}  // namespace win32sim

using namespace win32sim;

namespace {

// Bresenham from (x0, y0) towards (x1, y1); the end point itself is not painted.
void DrawSegment(CDeviceContext& dc, const RECT& rcClip, POINT ptFrom, POINT ptTo, COLORREF cr) {
    int dx = std::abs(ptTo.x - ptFrom.x);
    int dy = -std::abs(ptTo.y - ptFrom.y);
    int nStepX = ptFrom.x < ptTo.x ? 1 : -1;
    int nStepY = ptFrom.y < ptTo.y ? 1 : -1;
    int nError = dx + dy;
    int x = ptFrom.x;
    int y = ptFrom.y;
    while (x != ptTo.x || y != ptTo.y) {
        PlotPixel(dc, rcClip, x, y, cr);
        int nError2 = 2 * nError;
        if (nError2 >= dy) {
            nError += dy;
            x += nStepX;
        }
        if (nError2 <= dx) {
            nError += dx;
            y += nStepY;
        }
    }
}

void DrawWithPen(CDeviceContext& dc, const POINT* ppt, int nCount) {
    bool bNull = false;
    COLORREF cr = PenColor(dc.m_state.m_hPen, &bNull);
    if (bNull || !SurfaceOf(dc)) return;
    RECT rcClip = DeviceClip(dc);
    for (int i = 1; i < nCount; ++i)
        DrawSegment(dc, rcClip, ppt[i - 1], ppt[i], cr);
}

// Reads the whole source block first, so an overlapping copy within one surface works.
std::vector<std::pair<bool, COLORREF>> ReadSource(CDeviceContext& dcSource, int cx, int cy,
                                                  int xSrc, int ySrc) {
    CSurface& source = *SurfaceOf(dcSource);
    std::vector<std::pair<bool, COLORREF>> block(static_cast<std::size_t>(cx) * cy);
    for (int j = 0; j < cy; ++j) {
        for (int i = 0; i < cx; ++i) {
            int x = xSrc + i + dcSource.m_ptOrigin.x;
            int y = ySrc + j + dcSource.m_ptOrigin.y;
            if (source.Contains(x, y))
                block[static_cast<std::size_t>(j) * cx + i] = {true, source.Get(x, y)};
        }
    }
    return block;
}

void FrameWith(CDeviceContext& dc, const RECT& rcClip, RECT rc, COLORREF cr) {
    FillLogicalRect(dc, rcClip, RECT{rc.left, rc.top, rc.right, rc.top + 1}, cr);
    FillLogicalRect(dc, rcClip, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom}, cr);
    FillLogicalRect(dc, rcClip, RECT{rc.left, rc.top, rc.left + 1, rc.bottom}, cr);
    FillLogicalRect(dc, rcClip, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, cr);
}

// FillRect and FrameRect: paint shows the brush's colour in the rectangle, then the call is logged.
int PaintWithBrush(HDC hdc, const RECT& rc, HBRUSH hbr, SimDrawOp::Kind kind,
                   void (*paint)(CDeviceContext&, const RECT&, RECT, COLORREF)) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC) return 0;
    bool bNull = false;
    COLORREF cr = BrushColor(hbr, &bNull);
    if (!bNull && SurfaceOf(*pDC)) paint(*pDC, DeviceClip(*pDC), rc, cr);
    SimDrawOp op = MakeOp(kind);
    op.rc = rc;
    op.crBrush = bNull ? CLR_INVALID : cr;
    LogOp(*pDC, std::move(op));
    return bNull ? 0 : 1;
}

}  // namespace

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !SurfaceOf(*pDC)) return CLR_INVALID;
    RECT rcClip = DeviceClip(*pDC);
    int nDeviceX = x + pDC->m_ptOrigin.x;
    int nDeviceY = y + pDC->m_ptOrigin.y;
    if (nDeviceX < rcClip.left || nDeviceX >= rcClip.right) return CLR_INVALID;
    if (nDeviceY < rcClip.top || nDeviceY >= rcClip.bottom) return CLR_INVALID;
    return SurfaceOf(*pDC)->Get(nDeviceX, nDeviceY);
}

BOOL WINAPI Polyline(HDC hdc, const POINT* ppt, int nCount) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !ppt || nCount < 2) return FALSE;
    DrawWithPen(*pDC, ppt, nCount);
    SimDrawOp op = MakeOp(SimDrawOp::Kind::Polyline);
    op.points.assign(ppt, ppt + nCount);
    LogOp(*pDC, std::move(op));
    return TRUE;
}

int WINAPI FillRect(HDC hdc, const RECT* prc, HBRUSH hbr) {
    if (!prc) return 0;
    return PaintWithBrush(hdc, *prc, hbr, SimDrawOp::Kind::FillRect, FillLogicalRect);
}

int WINAPI FrameRect(HDC hdc, const RECT* prc, HBRUSH hbr) {
    if (!prc || IsEmpty(*prc)) return 0;
    return PaintWithBrush(hdc, *prc, hbr, SimDrawOp::Kind::FrameRect, FrameWith);
}

// Only SRCCOPY between surfaces of one format: the copy the program's bitmap statics make.
BOOL WINAPI BitBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc,
                   DWORD dwRop) {
    CDeviceContext* pDest = LookupDC(hdcDest);
    CDeviceContext* pSource = LookupDC(hdcSrc);
    if (!pDest || !pSource || dwRop != SRCCOPY || cx < 0 || cy < 0) return FALSE;
    CSurface* pSurface = SurfaceOf(*pDest);
    if (!pSurface || !SurfaceOf(*pSource)) return FALSE;
    const auto block = ReadSource(*pSource, cx, cy, xSrc, ySrc);
    RECT rcClip = DeviceClip(*pDest);
    for (int j = 0; j < cy; ++j) {
        for (int i = 0; i < cx; ++i) {
            const auto& source = block[static_cast<std::size_t>(j) * cx + i];
            if (source.first) PlotPixel(*pDest, rcClip, x + i, y + j, source.second);
        }
    }
    SimDrawOp op = MakeOp(SimDrawOp::Kind::BitBlt);
    op.rc = RECT{x, y, x + cx, y + cy};
    op.x = xSrc;
    op.y = ySrc;
    LogOp(*pDest, std::move(op));
    return TRUE;
}

namespace {

struct CEdgeColors {
    int m_nTopLeft;
    int m_nBottomRight;
};

// The classic 3-D colours of each half of an edge.
CEdgeColors OuterColors(UINT nEdge) {
    if (nEdge & BDR_RAISEDOUTER) return CEdgeColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return CEdgeColors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

CEdgeColors InnerColors(UINT nEdge) {
    if (nEdge & BDR_RAISEDINNER) return CEdgeColors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return CEdgeColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void DrawEdgeLine(CDeviceContext& dc, const RECT& rcClip, RECT& rc, UINT nFlags,
                  CEdgeColors colors) {
    COLORREF crTopLeft = SysColor(colors.m_nTopLeft);
    COLORREF crBottomRight = SysColor(colors.m_nBottomRight);
    if (nFlags & BF_TOP) {
        FillLogicalRect(dc, rcClip, RECT{rc.left, rc.top, rc.right - 1, rc.top + 1}, crTopLeft);
    }
    if (nFlags & BF_LEFT) {
        FillLogicalRect(dc, rcClip, RECT{rc.left, rc.top, rc.left + 1, rc.bottom - 1}, crTopLeft);
    }
    if (nFlags & BF_BOTTOM) {
        FillLogicalRect(dc, rcClip, RECT{rc.left, rc.bottom - 1, rc.right, rc.bottom},
                        crBottomRight);
    }
    if (nFlags & BF_RIGHT) {
        FillLogicalRect(dc, rcClip, RECT{rc.right - 1, rc.top, rc.right, rc.bottom}, crBottomRight);
    }
    if (nFlags & BF_LEFT) ++rc.left;
    if (nFlags & BF_TOP) ++rc.top;
    if (nFlags & BF_RIGHT) --rc.right;
    if (nFlags & BF_BOTTOM) --rc.bottom;
}

}  // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT prc, UINT nEdge, UINT nFlags) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !prc) return FALSE;
    RECT rc = *prc;
    if (SurfaceOf(*pDC)) {
        RECT rcClip = DeviceClip(*pDC);
        if (nEdge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            DrawEdgeLine(*pDC, rcClip, rc, nFlags, OuterColors(nEdge));
        }
        if (nEdge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            DrawEdgeLine(*pDC, rcClip, rc, nFlags, InnerColors(nEdge));
        }
    }
    if (nFlags & BF_ADJUST) *prc = rc;
    return TRUE;
}
