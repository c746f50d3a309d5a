// Internal state of the GDI: the object and DC tables, pixel surfaces, the screen and its log.
// UI thread only, apart from the resource registry (see resource_registry.h); no locking here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32sim/gdi.h"
#include "win32sim/sim_screen.h"

namespace win32sim {

// The system colours, COLOR_SCROLLBAR to COLOR_MENUBAR.
constexpr int kSysColorCount = COLOR_MENUBAR + 1;

// A font's point size becomes pixels at the screen's logical dpi.
constexpr int kPointsPerInch = 72;

// Bytes per row of a DIB: rows are padded to whole DWORDs.
constexpr int DibStride(int cx, int nBpp) {
    return ((cx * nBpp + 31) / 32) * 4;
}

// Pixels in DIB layout (rows DWORD-aligned, bottom-up unless m_bTopDown); 1, 24 or 32 bpp.
class CSurface {
public:
    CSurface() = default;
    CSurface(int cx, int cy, int nBpp, bool bTopDown);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Bpp() const { return m_nBpp; }
    int Stride() const { return m_nStride; }
    bool TopDown() const { return m_bTopDown; }
    std::uint8_t* Bits() { return m_bytes.data(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    // Colours as COLORREF; callers check Contains first.
    COLORREF Get(int x, int y) const;
    void Set(int x, int y, COLORREF cr);
    void Fill(COLORREF cr);

private:
    std::uint8_t* Row(int y);
    const std::uint8_t* Row(int y) const;

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nBpp = 32;
    int m_nStride = 0;
    bool m_bTopDown = true;
    std::vector<std::uint8_t> m_bytes;
};

enum class ObjKind { Pen, Brush, Font, Bitmap };

struct CGdiObject {
    explicit CGdiObject(ObjKind kind) : m_kind(kind) {}
    ObjKind m_kind;
    bool m_bStock = false;
    int m_nSelections = 0;
    bool m_bDeletePending = false;
    LOGPEN m_pen{};
    LOGBRUSH m_brush{};
    LOGFONTA m_font{};
    bool m_bDibSection = false;
    CSurface m_surface;
};

CGdiObject* LookupObject(HGDIOBJ hObject);
CGdiObject* LookupObject(HGDIOBJ hObject, ObjKind kind);
HGDIOBJ AddObject(CGdiObject object);
// Frees an object whose deletion waited for its last deselection.
void ReleaseSelection(HGDIOBJ hObject);
HBITMAP AddBitmap(CSurface surface, bool bDibSection);
// The 1x1 monochrome bitmap every new memory DC holds.
HBITMAP DefaultBitmap();
HBRUSH SysColorBrush(int nIndex);
// Rebuilds stock fonts (their heights follow the dpi) and the system colour brushes.
void RefreshStockObjects();

enum class DCKind { Screen, Window, Memory };

struct CDCState {
    HPEN m_hPen;
    HBRUSH m_hBrush;
    HFONT m_hFont;
    HBITMAP m_hBitmap;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nBkMode;
};

struct CDeviceContext {
    explicit CDeviceContext(DCKind kind) : m_kind(kind) {}
    DCKind m_kind;
    HWND m_hwnd = nullptr;
    POINT m_ptOrigin{0, 0};
    RECT m_rcClip{0, 0, 0, 0};    // device coordinates of the framebuffer (screen and window DCs)
    std::vector<RECT> m_covered;  // screen rectangles of the windows above this DC's window
    CDCState m_state{};
    std::vector<CDCState> m_saved;
};

CDeviceContext* LookupDC(HDC hdc);
HDC AddDC(CDeviceContext dc);
// The surface the DC draws into, or NULL.
CSurface* SurfaceOf(CDeviceContext& dc);
// The device-space clip, already limited to the surface.
RECT DeviceClip(CDeviceContext& dc);
// Whether a device pixel lies under no window above the DC's window, so that it may be painted.
bool IsExposed(const CDeviceContext& dc, int nDeviceX, int nDeviceY);
// Paints a pixel given in logical coordinates if it lies inside clip (device coordinates).
void PlotPixel(CDeviceContext& dc, const RECT& rcClip, int x, int y, COLORREF cr);
// Fills a logical rectangle, clipped; right and bottom excluded.
void FillLogicalRect(CDeviceContext& dc, const RECT& rcClip, RECT rc, COLORREF cr);
COLORREF BrushColor(HBRUSH hbr, bool* pbNull);
COLORREF PenColor(HPEN hPen, bool* pbNull);
RECT Intersect(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& rc);

// The stand-in's one synthetic typeface: proportions of the em, in tenths, so text measures alike
// at every size; a character is half an em wide unless named below.
struct CFontMetrics {
    int m_nEm;
    int m_nHeight;
    int m_nAscent;
    int m_nAverage;
    int m_nBold;
    int Advance(char ch) const;
};
CFontMetrics MetricsOf(const LOGFONTA& lf);
const LOGFONTA& FontOf(CDeviceContext& dc);

struct CScreen {
    int m_nLogPixels;
    int m_cx;
    int m_cy;
    COLORREF m_crSys[kSysColorCount];
    POINT m_ptCursor;
    CSurface m_framebuffer;
    std::vector<SimDrawOp> m_log;
};
CScreen& Screen();
COLORREF SysColor(int nIndex);

// Appends a drawing call on a screen or window DC, filled in with the DC's state.
void LogOp(CDeviceContext& dc, SimDrawOp op);
SimDrawOp MakeOp(SimDrawOp::Kind kind);

}  // namespace win32sim
