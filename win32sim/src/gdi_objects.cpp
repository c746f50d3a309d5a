// GDI object table: pens, brushes, fonts and bitmaps, the stock objects, object queries.

#include <cstring>

#include "gdi_state.h"
#include "handle_table.h"
#include "win32sim/kernel.h"

namespace win32sim {

CSurface::CSurface(int cx, int cy, int nBpp, bool bTopDown)
    : m_nWidth(cx), m_nHeight(cy), m_nBpp(nBpp), m_bTopDown(bTopDown) {
    m_nStride = DibStride(cx, nBpp);
    m_bytes.assign(static_cast<std::size_t>(m_nStride) * static_cast<std::size_t>(cy), 0);
}

std::uint8_t* CSurface::Row(int y) {
    return m_bytes.data() +
           static_cast<std::size_t>(m_bTopDown ? y : m_nHeight - 1 - y) * m_nStride;
}

const std::uint8_t* CSurface::Row(int y) const {
    return m_bytes.data() +
           static_cast<std::size_t>(m_bTopDown ? y : m_nHeight - 1 - y) * m_nStride;
}

COLORREF CSurface::Get(int x, int y) const {
    const std::uint8_t* pRow = Row(y);
    if (m_nBpp == 1) return (pRow[x / 8] & (0x80 >> (x % 8))) ? RGB(255, 255, 255) : RGB(0, 0, 0);
    const std::uint8_t* p = pRow + x * (m_nBpp / 8);
    return RGB(p[2], p[1], p[0]);
}

void CSurface::Set(int x, int y, COLORREF cr) {
    std::uint8_t* pRow = Row(y);
    if (m_nBpp == 1) {
        // A monochrome bitmap takes the nearer of black and white.
        bool bWhite = GetRValue(cr) + GetGValue(cr) + GetBValue(cr) >= 384;
        std::uint8_t nMask = static_cast<std::uint8_t>(0x80 >> (x % 8));
        pRow[x / 8] = bWhite ? (pRow[x / 8] | nMask) : (pRow[x / 8] & ~nMask);
        return;
    }
    std::uint8_t* p = pRow + x * (m_nBpp / 8);
    p[0] = GetBValue(cr);
    p[1] = GetGValue(cr);
    p[2] = GetRValue(cr);
    if (m_nBpp == 32) p[3] = 0;
}

void CSurface::Fill(COLORREF cr) {
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            Set(x, y, cr);
    }
}

namespace {

constexpr std::uintptr_t kFirstHandle = 0x10000;
constexpr int kStockCount = DC_PEN + 1;

struct CObjectTable {
    CHandleTable<HGDIOBJ, CGdiObject> m_objects{kFirstHandle};
    HGDIOBJ m_hStock[kStockCount] = {};
    HGDIOBJ m_hSysBrush[kSysColorCount] = {};
    HBITMAP m_hDefaultBitmap = nullptr;
};

CObjectTable& Table() {
    static CObjectTable table;
    return table;
}

HGDIOBJ Insert(CObjectTable& table, CGdiObject object) {
    return table.m_objects.Add(std::move(object));
}

CGdiObject StockBrush(UINT nStyle, COLORREF cr) {
    CGdiObject object{ObjKind::Brush};
    object.m_bStock = true;
    object.m_brush = LOGBRUSH{nStyle, cr, 0};
    return object;
}

CGdiObject StockPen(UINT nStyle, COLORREF cr) {
    CGdiObject object{ObjKind::Pen};
    object.m_bStock = true;
    object.m_pen = LOGPEN{nStyle, POINT{0, 0}, cr};
    return object;
}

struct CStockFont {
    int m_nStock;
    LONG m_nHeight;
    LONG m_nWidth;
    LONG m_nWeight;
    BYTE m_nCharSet;
    BYTE m_nPitch;
    const char* m_pszFace;
};

// Heights as a 96-dpi screen has them; DEFAULT_GUI_FONT (8 points) follows the dpi.
const CStockFont kStockFonts[] = {
    {OEM_FIXED_FONT, 12, 0, FW_NORMAL, 255, FIXED_PITCH | FF_MODERN, ""},
    {ANSI_FIXED_FONT, 12, 0, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Courier"},
    {ANSI_VAR_FONT, 12, 0, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif"},
    {SYSTEM_FONT, 16, 7, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "System"},
    {DEVICE_DEFAULT_FONT, 16, 0, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "System"},
    {SYSTEM_FIXED_FONT, 16, 0, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, "Courier"},
    {DEFAULT_GUI_FONT, -11, 0, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, "MS Shell Dlg"},
};

LOGFONTA StockLogFont(const CStockFont& stock) {
    LOGFONTA lf{};
    lf.lfHeight = stock.m_nHeight;
    if (stock.m_nStock == DEFAULT_GUI_FONT) {
        constexpr int kGuiFontPoints = 8;
        lf.lfHeight = -MulDiv(kGuiFontPoints, Screen().m_nLogPixels, kPointsPerInch);
    }
    lf.lfWidth = stock.m_nWidth;
    lf.lfWeight = stock.m_nWeight;
    lf.lfCharSet = stock.m_nCharSet;
    lf.lfPitchAndFamily = stock.m_nPitch;
    std::strncpy(lf.lfFaceName, stock.m_pszFace, LF_FACESIZE - 1);
    return lf;
}

void CreateStockObjects(CObjectTable& table) {
    table.m_hStock[WHITE_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(255, 255, 255)));
    table.m_hStock[LTGRAY_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(192, 192, 192)));
    table.m_hStock[GRAY_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(128, 128, 128)));
    table.m_hStock[DKGRAY_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(64, 64, 64)));
    table.m_hStock[BLACK_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(0, 0, 0)));
    table.m_hStock[NULL_BRUSH] = Insert(table, StockBrush(BS_NULL, 0));
    table.m_hStock[WHITE_PEN] = Insert(table, StockPen(PS_SOLID, RGB(255, 255, 255)));
    table.m_hStock[BLACK_PEN] = Insert(table, StockPen(PS_SOLID, RGB(0, 0, 0)));
    table.m_hStock[NULL_PEN] = Insert(table, StockPen(PS_NULL, 0));
    table.m_hStock[DC_BRUSH] = Insert(table, StockBrush(BS_SOLID, RGB(255, 255, 255)));
    table.m_hStock[DC_PEN] = Insert(table, StockPen(PS_SOLID, RGB(0, 0, 0)));
    for (const CStockFont& stock : kStockFonts) {
        CGdiObject font{ObjKind::Font};
        font.m_bStock = true;
        font.m_font = StockLogFont(stock);
        table.m_hStock[stock.m_nStock] = Insert(table, font);
    }
    for (int i = 0; i < kSysColorCount; ++i) {
        table.m_hSysBrush[i] = Insert(table, StockBrush(BS_SOLID, SysColor(i)));
    }
    CGdiObject bitmap{ObjKind::Bitmap};
    bitmap.m_bStock = true;
    bitmap.m_surface = CSurface(1, 1, 1, true);
    table.m_hDefaultBitmap = static_cast<HBITMAP>(Insert(table, std::move(bitmap)));
}

CObjectTable& ReadyTable() {
    CObjectTable& table = Table();
    if (!table.m_hStock[WHITE_BRUSH]) CreateStockObjects(table);
    return table;
}

void EraseObject(HGDIOBJ hObject) {
    Table().m_objects.Erase(hObject);
}

}  // namespace

CGdiObject* LookupObject(HGDIOBJ hObject) {
    return ReadyTable().m_objects.Find(hObject);
}

CGdiObject* LookupObject(HGDIOBJ hObject, ObjKind kind) {
    CGdiObject* pObject = LookupObject(hObject);
    return pObject && pObject->m_kind == kind ? pObject : nullptr;
}

HGDIOBJ AddObject(CGdiObject object) {
    return Insert(ReadyTable(), std::move(object));
}

HBITMAP AddBitmap(CSurface surface, bool bDibSection) {
    CGdiObject object{ObjKind::Bitmap};
    object.m_surface = std::move(surface);
    object.m_bDibSection = bDibSection;
    return static_cast<HBITMAP>(AddObject(std::move(object)));
}

HBITMAP DefaultBitmap() {
    return ReadyTable().m_hDefaultBitmap;
}

void ReleaseSelection(HGDIOBJ hObject) {
    CGdiObject* pObject = LookupObject(hObject);
    if (!pObject) return;
    if (pObject->m_nSelections > 0) --pObject->m_nSelections;
    if (pObject->m_nSelections == 0 && pObject->m_bDeletePending) {
        EraseObject(hObject);
    }
}

void RefreshStockObjects() {
    CObjectTable& table = ReadyTable();
    for (const CStockFont& stock : kStockFonts) {
        LookupObject(table.m_hStock[stock.m_nStock])->m_font = StockLogFont(stock);
    }
    for (int i = 0; i < kSysColorCount; ++i) {
        LookupObject(table.m_hSysBrush[i])->m_brush.lbColor = SysColor(i);
    }
}

HBRUSH SysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= kSysColorCount) return nullptr;
    return static_cast<HBRUSH>(ReadyTable().m_hSysBrush[nIndex]);
}

// FillRect and friends accept COLOR_xxx + 1 in place of a brush.
COLORREF BrushColor(HBRUSH hbr, bool* pbNull) {
    std::uintptr_t nValue = reinterpret_cast<std::uintptr_t>(hbr);
    *pbNull = false;
    if (nValue >= 1 && nValue <= static_cast<std::uintptr_t>(kSysColorCount)) {
        return SysColor(static_cast<int>(nValue) - 1);
    }
    CGdiObject* pObject = LookupObject(hbr, ObjKind::Brush);
    if (!pObject || pObject->m_brush.lbStyle == BS_NULL) {
        *pbNull = true;
        return 0;
    }
    return pObject->m_brush.lbColor;
}

COLORREF PenColor(HPEN hPen, bool* pbNull) {
    CGdiObject* pObject = LookupObject(hPen, ObjKind::Pen);
    *pbNull = !pObject || pObject->m_pen.lopnStyle == PS_NULL;
    return *pbNull ? 0 : pObject->m_pen.lopnColor;
}

}  // namespace win32sim

using namespace win32sim;

HGDIOBJ WINAPI GetStockObject(int nObject) {
    if (nObject < 0 || nObject >= kStockCount) return nullptr;
    return ReadyTable().m_hStock[nObject];
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    return SysColorBrush(nIndex);
}

// DeleteObject of a selected object succeeds; the object goes when its last DC lets it go.
BOOL WINAPI DeleteObject(HGDIOBJ hObject) {
    CGdiObject* pObject = LookupObject(hObject);
    if (!pObject) return FALSE;
    if (pObject->m_bStock) return TRUE;
    if (pObject->m_nSelections > 0) {
        pObject->m_bDeletePending = true;
        return TRUE;
    }
    EraseObject(hObject);
    return TRUE;
}

namespace {

BITMAP DescribeBitmap(CGdiObject& object) {
    CSurface& surface = object.m_surface;
    BITMAP bm{};
    bm.bmWidth = surface.Width();
    bm.bmHeight = surface.Height();
    // A device-dependent bitmap reports WORD-aligned rows, a DIB section its DWORD-aligned ones.
    bm.bmWidthBytes =
        object.m_bDibSection ? surface.Stride() : ((surface.Width() * surface.Bpp() + 15) / 16) * 2;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(surface.Bpp());
    bm.bmBits = object.m_bDibSection ? surface.Bits() : nullptr;
    return bm;
}

int CopyOut(const void* pSource, int cbSource, int cbBuffer, LPVOID pvObject) {
    if (!pvObject) return cbSource;
    int cb = cbBuffer < cbSource ? cbBuffer : cbSource;
    if (cb <= 0) return 0;
    std::memcpy(pvObject, pSource, static_cast<std::size_t>(cb));
    return cb;
}

}  // namespace

int WINAPI GetObjectA(HANDLE hObject, int cbBuffer, LPVOID pvObject) {
    CGdiObject* pObject = LookupObject(hObject);
    if (!pObject) return 0;
    switch (pObject->m_kind) {
        case ObjKind::Pen:
            return CopyOut(&pObject->m_pen, sizeof(LOGPEN), cbBuffer, pvObject);
        case ObjKind::Brush:
            return CopyOut(&pObject->m_brush, sizeof(LOGBRUSH), cbBuffer, pvObject);
        case ObjKind::Font:
            return CopyOut(&pObject->m_font, sizeof(LOGFONTA), cbBuffer, pvObject);
        case ObjKind::Bitmap: {
            BITMAP bm = DescribeBitmap(*pObject);
            // GetObject refuses a buffer too small for a whole BITMAP.
            if (pvObject && cbBuffer < static_cast<int>(sizeof(BITMAP))) return 0;
            return CopyOut(&bm, sizeof(BITMAP), cbBuffer, pvObject);
        }
    }
    return 0;
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* plf) {
    if (!plf) return nullptr;
    CGdiObject object{ObjKind::Font};
    object.m_font = *plf;
    object.m_font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(AddObject(object));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF cr) {
    CGdiObject object{ObjKind::Brush};
    object.m_brush = LOGBRUSH{BS_SOLID, cr & 0x00FFFFFFu, 0};
    return static_cast<HBRUSH>(AddObject(object));
}

HPEN WINAPI CreatePen(int nStyle, int nWidth, COLORREF cr) {
    if (nStyle < PS_SOLID || nStyle > PS_INSIDEFRAME) return nullptr;
    CGdiObject object{ObjKind::Pen};
    object.m_pen = LOGPEN{static_cast<UINT>(nStyle), POINT{nWidth < 0 ? 0 : nWidth, 0}, cr};
    return static_cast<HPEN>(AddObject(object));
}

std::size_t SimGdiObjectCount() {
    return ReadyTable().m_objects.CountIf(
        [](const CGdiObject& object) { return !object.m_bStock; });
}
