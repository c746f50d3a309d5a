// The simulated screen: size, dpi, system metrics and colours, the pointer, the draw log.

#include <algorithm>

#include "gdi_state.h"

namespace win32sim {
namespace {

const int kDefaultLogPixels = 96;
const int kDefaultWidth = 1024;
const int kDefaultHeight = 768;

// The Windows 7 defaults of the system colours (index 25 is unused).
const COLORREF kDefaultSysColors[kSysColorCount] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(51, 153, 255),  RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(67, 78, 84),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(51, 153, 255),  RGB(240, 240, 240),
};

struct CMetric {
    int m_nIndex;
    int m_nValue;
};

// Fixed metrics of the classic theme at 96 dpi, those the program and the window frames ask for.
const CMetric kFixedMetrics[] = {
    {SM_CXBORDER, 1},      {SM_CYBORDER, 1},     {SM_CXDLGFRAME, 3}, {SM_CYDLGFRAME, 3},
    {SM_CXFRAME, 4},       {SM_CYFRAME, 4},      {SM_CXEDGE, 2},     {SM_CYEDGE, 2},
    {SM_CXICON, 32},       {SM_CYICON, 32},      {SM_CYCAPTION, 19}, {SM_CYSMCAPTION, 16},
    {SM_CXMINIMIZED, 160}, {SM_CYMINIMIZED, 24},
};

void ApplyDefaults(CScreen& screen) {
    screen.m_nLogPixels = kDefaultLogPixels;
    screen.m_cx = kDefaultWidth;
    screen.m_cy = kDefaultHeight;
    std::copy(std::begin(kDefaultSysColors), std::end(kDefaultSysColors), screen.m_crSys);
    screen.m_ptCursor = POINT{0, 0};
    screen.m_framebuffer = CSurface(screen.m_cx, screen.m_cy, 32, true);
    screen.m_framebuffer.Fill(screen.m_crSys[COLOR_BACKGROUND]);
    screen.m_log.clear();
}

}  // namespace

CScreen& Screen() {
    static CScreen screen = [] {
        CScreen initial;
        ApplyDefaults(initial);
        return initial;
    }();
    return screen;
}

COLORREF SysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= kSysColorCount) return 0;
    return Screen().m_crSys[nIndex];
}

SimDrawOp MakeOp(SimDrawOp::Kind kind) {
    SimDrawOp op{};
    op.kind = kind;
    return op;
}

void LogOp(CDeviceContext& dc, SimDrawOp op) {
    if (dc.m_kind == DCKind::Memory) return;
    bool bNull = false;
    op.hwnd = dc.m_hwnd;
    op.crText = dc.m_state.m_crText;
    op.crBack = dc.m_state.m_crBack;
    op.nBkMode = dc.m_state.m_nBkMode;
    op.crPen = PenColor(dc.m_state.m_hPen, &bNull);
    if (bNull) op.crPen = CLR_INVALID;
    if (op.kind != SimDrawOp::Kind::FillRect && op.kind != SimDrawOp::Kind::FrameRect) {
        op.crBrush = BrushColor(dc.m_state.m_hBrush, &bNull);
        if (bNull) op.crBrush = CLR_INVALID;
    }
    op.font = FontOf(dc);
    Screen().m_log.push_back(std::move(op));
}

}  // namespace win32sim

using namespace win32sim;

int WINAPI GetSystemMetrics(int nIndex) {
    if (nIndex == SM_CXSCREEN) return Screen().m_cx;
    if (nIndex == SM_CYSCREEN) return Screen().m_cy;
    for (const CMetric& metric : kFixedMetrics) {
        if (metric.m_nIndex == nIndex) return metric.m_nValue;
    }
    return 0;
}

DWORD WINAPI GetSysColor(int nIndex) {
    return SysColor(nIndex);
}

BOOL WINAPI GetCursorPos(LPPOINT ppt) {
    if (!ppt) return FALSE;
    *ppt = Screen().m_ptCursor;
    return TRUE;
}

// SetCursorPos: the pointer stays on the screen.
BOOL WINAPI SetCursorPos(int x, int y) {
    CScreen& screen = Screen();
    screen.m_ptCursor.x = std::clamp(x, 0, screen.m_cx - 1);
    screen.m_ptCursor.y = std::clamp(y, 0, screen.m_cy - 1);
    return TRUE;
}

void SimSetLogPixels(int nPixelsPerInch) {
    if (nPixelsPerInch <= 0) return;
    Screen().m_nLogPixels = nPixelsPerInch;
    RefreshStockObjects();
}

void SimResetScreen() {
    ApplyDefaults(Screen());
    RefreshStockObjects();
}

std::vector<SimDrawOp> SimDrawLog() {
    return Screen().m_log;
}

void SimClearDrawLog() {
    Screen().m_log.clear();
}
