// Text: deterministic font metrics, glyph boxes, TextOut/ExtTextOut, measuring and DrawText.

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "gdi_internal.h"
#include "gdi_state.h"

namespace win32sim {

namespace {

// The FF_xxx family bits of lfPitchAndFamily and tmPitchAndFamily.
constexpr BYTE kFontFamilyMask = 0xF0;

// Tenths of the em: a space, the wide letters W and M, the cell height and the ascent of a cell.
constexpr int kSpaceTenths = 3;
constexpr int kWideTenths = 8;
constexpr int kCellTenths = 12;
constexpr int kAscentTenths = 8;
// The default font (lfHeight 0) is 12 pixels to the em at 96 dpi.
constexpr long long kDefaultEm = 12;
constexpr long long kDefaultDpi = 96;

long long Tenths(long long n, int nTenths) {
    return (nTenths * n + 5) / 10;
}

int ClampToInt(long long n) {
    return static_cast<int>(std::clamp<long long>(n, 0, INT_MAX / 16));
}

}  // namespace

int CFontMetrics::Advance(char ch) const {
    if (ch == ' ') return static_cast<int>(Tenths(m_nEm, kSpaceTenths)) + m_nBold;
    if (ch == 'W' || ch == 'M' || ch == 'm' || ch == 'w')
        return static_cast<int>(Tenths(m_nEm, kWideTenths)) + m_nBold;
    return m_nAverage;
}

CFontMetrics MetricsOf(const LOGFONTA& lf) {
    long long nHeight = lf.lfHeight;
    long long nEm = 0;
    if (nHeight < 0) {
        nEm = -nHeight;
        nHeight = Tenths(nEm, kCellTenths);
    } else if (nHeight > 0) {
        nEm = (10 * nHeight + kCellTenths / 2) / kCellTenths;
    } else {
        nEm = (kDefaultEm * Screen().m_nLogPixels + kDefaultDpi / 2) / kDefaultDpi;
        nHeight = Tenths(nEm, kCellTenths);
    }
    CFontMetrics metrics{};
    metrics.m_nEm = ClampToInt(nEm);
    metrics.m_nHeight = ClampToInt(nHeight);
    metrics.m_nAscent = ClampToInt(Tenths(metrics.m_nHeight, kAscentTenths));
    metrics.m_nBold = lf.lfWeight >= FW_BOLD ? 1 : 0;
    metrics.m_nAverage = (metrics.m_nEm + 1) / 2 + metrics.m_nBold;
    return metrics;
}

}  // namespace win32sim

using namespace win32sim;

namespace {

struct CGlyph {
    char m_ch;
    bool m_bUnderline;
};
typedef std::vector<CGlyph> CGlyphRun;

struct CTextPaint {
    CDeviceContext* m_pDC;
    RECT m_rcClip;  // device coordinates
    CFontMetrics m_metrics;
    int m_nTabWidth;  // 0: tabs are ordinary glyphs
};

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\0';
}

int AdvanceAt(const CFontMetrics& metrics, int nTabWidth, char ch, int nPos) {
    if (ch == '\t' && nTabWidth > 0) return (nPos / nTabWidth + 1) * nTabWidth - nPos;
    return metrics.Advance(ch);
}

int RunWidth(const CFontMetrics& metrics, int nTabWidth, const CGlyphRun& run) {
    int nPos = 0;
    for (const CGlyph& glyph : run)
        nPos += AdvanceAt(metrics, nTabWidth, glyph.m_ch, nPos);
    return nPos;
}

// Cells are filled with the background colour in OPAQUE mode, glyphs are boxes of the text
// colour at the top of the cell, an underline is the row below the ascent.
void PaintRun(const CTextPaint& paint, int x, int y, const CGlyphRun& run) {
    CDeviceContext& dc = *paint.m_pDC;
    const CFontMetrics& metrics = paint.m_metrics;
    int nPos = 0;
    for (const CGlyph& glyph : run) {
        int nAdvance = AdvanceAt(metrics, paint.m_nTabWidth, glyph.m_ch, nPos);
        int nLeft = x + nPos;
        if (dc.m_state.m_nBkMode == OPAQUE) {
            FillLogicalRect(dc, paint.m_rcClip,
                            RECT{nLeft, y, nLeft + nAdvance, y + metrics.m_nHeight},
                            dc.m_state.m_crBack);
        }
        if (!IsBlank(glyph.m_ch)) {
            FillLogicalRect(dc, paint.m_rcClip,
                            RECT{nLeft, y, nLeft + nAdvance - 1, y + metrics.m_nEm},
                            dc.m_state.m_crText);
        }
        if (glyph.m_bUnderline) {
            int nRow = y + metrics.m_nAscent + 1;
            FillLogicalRect(dc, paint.m_rcClip, RECT{nLeft, nRow, nLeft + nAdvance - 1, nRow + 1},
                            dc.m_state.m_crText);
        }
        nPos += nAdvance;
    }
}

CGlyphRun PlainRun(LPCSTR psz, int nCount) {
    CGlyphRun run;
    for (int i = 0; i < nCount; ++i)
        run.push_back(CGlyph{psz[i], false});
    return run;
}

CTextPaint MakePaint(CDeviceContext& dc, int nTabWidth) {
    return CTextPaint{&dc, DeviceClip(dc), MetricsOf(FontOf(dc)), nTabWidth};
}

RECT ToDevice(const CDeviceContext& dc, const RECT& rc) {
    return RECT{rc.left + dc.m_ptOrigin.x, rc.top + dc.m_ptOrigin.y, rc.right + dc.m_ptOrigin.x,
                rc.bottom + dc.m_ptOrigin.y};
}

}  // namespace

// No ETO_CLIPPED and no character spacing: the program only fills rectangles with it.
BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT nOptions, const RECT* prc, LPCSTR psz,
                        UINT nCount, const INT*) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || (nCount > 0 && !psz)) return FALSE;
    if (SurfaceOf(*pDC)) {
        CTextPaint paint = MakePaint(*pDC, 0);
        // ExtTextOut orders a rectangle with swapped edges before it fills with it.
        if (prc && (nOptions & ETO_OPAQUE)) {
            RECT rc{std::min(prc->left, prc->right), std::min(prc->top, prc->bottom),
                    std::max(prc->left, prc->right), std::max(prc->top, prc->bottom)};
            FillLogicalRect(*pDC, paint.m_rcClip, rc, pDC->m_state.m_crBack);
        }
        PaintRun(paint, x, y, PlainRun(psz, static_cast<int>(nCount)));
    }
    SimDrawOp op = MakeOp(SimDrawOp::Kind::TextOut);
    if (prc) op.rc = *prc;
    op.strText.assign(psz ? psz : "", nCount);
    op.nFormat = nOptions;
    op.x = x;
    op.y = y;
    LogOp(*pDC, std::move(op));
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR psz, int nCount, LPSIZE psize) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !psize || nCount < 0 || (nCount > 0 && !psz)) return FALSE;
    CFontMetrics metrics = MetricsOf(FontOf(*pDC));
    psize->cx = RunWidth(metrics, 0, PlainRun(psz, nCount));
    psize->cy = metrics.m_nHeight;
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA ptm) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !ptm) return FALSE;
    const LOGFONTA& lf = FontOf(*pDC);
    CFontMetrics metrics = MetricsOf(lf);
    TEXTMETRICA tm{};
    tm.tmHeight = metrics.m_nHeight;
    tm.tmAscent = metrics.m_nAscent;
    tm.tmDescent = metrics.m_nHeight - metrics.m_nAscent;
    tm.tmInternalLeading = metrics.m_nHeight - metrics.m_nEm;
    tm.tmAveCharWidth = metrics.m_nAverage;
    tm.tmMaxCharWidth = metrics.Advance('W');
    tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm.tmDigitizedAspectX = Screen().m_nLogPixels;
    tm.tmDigitizedAspectY = Screen().m_nLogPixels;
    // Latin-1 from the space up; the default character is the one Windows' fonts report.
    tm.tmFirstChar = ' ';
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = ' ';
    tm.tmItalic = lf.lfItalic;
    tm.tmUnderlined = lf.lfUnderline;
    tm.tmStruckOut = lf.lfStrikeOut;
    // TMPF_FIXED_PITCH set means variable pitch, which these fonts are.
    tm.tmPitchAndFamily = static_cast<BYTE>((lf.lfPitchAndFamily & kFontFamilyMask) |
                                            TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE);
    tm.tmCharSet = lf.lfCharSet;
    *ptm = tm;
    return TRUE;
}

namespace {

// DT_EXPANDTABS: a tab stop every this many average characters.
constexpr int kTabChars = 8;

struct CTextLayout {
    UINT m_nFormat;
    int m_nWidth;
    int m_nTabWidth;
    CFontMetrics m_metrics;
};

// One display line: '&' prefixes resolved ("&&" is "&", "&x" underlines x, a final '&' stays).
// Stops after a line end (CR, LF, CR LF or LF CR) unless DT_SINGLELINE.
CGlyphRun NextParagraph(const char*& p, const char* pEnd, UINT nFormat) {
    CGlyphRun run;
    bool bUnderlineNext = false;
    while (p < pEnd) {
        char ch = *p;
        if ((ch == '\r' || ch == '\n') && !(nFormat & DT_SINGLELINE)) {
            ++p;
            if (p < pEnd && (*p == '\r' || *p == '\n') && *p != ch) ++p;
            break;
        }
        ++p;
        if (ch == '&' && !(nFormat & DT_NOPREFIX) && p < pEnd) {
            if (*p == '&') {
                run.push_back(CGlyph{'&', false});
                ++p;
            } else {
                bUnderlineNext = true;
            }
            continue;
        }
        run.push_back(CGlyph{ch, bUnderlineNext});
        bUnderlineNext = false;
    }
    return run;
}

std::size_t CharsThatFit(const CTextLayout& layout, const CGlyphRun& run) {
    int nPos = 0;
    for (std::size_t i = 0; i < run.size(); ++i) {
        nPos += AdvanceAt(layout.m_metrics, layout.m_nTabWidth, run[i].m_ch, nPos);
        if (nPos > layout.m_nWidth) return i;
    }
    return run.size();
}

// DT_WORDBREAK: break at the last blank that lets the line fit, dropping that blank; a word
// wider than the rectangle stays whole on its own line.
std::vector<CGlyphRun> WrapParagraph(const CTextLayout& layout, CGlyphRun run) {
    std::vector<CGlyphRun> lines;
    while (true) {
        std::size_t nFit = CharsThatFit(layout, run);
        if (!(layout.m_nFormat & DT_WORDBREAK) || nFit >= run.size()) break;
        std::size_t nBreak = nFit;
        while (nBreak > 0 && run[nBreak].m_ch != ' ')
            --nBreak;
        if (nBreak == 0) {
            nBreak = std::max<std::size_t>(nFit, 1);
            while (nBreak < run.size() && run[nBreak].m_ch != ' ')
                ++nBreak;
        }
        lines.emplace_back(run.begin(), run.begin() + static_cast<std::ptrdiff_t>(nBreak));
        std::size_t nNext = std::min(nBreak + 1, run.size());
        run.erase(run.begin(), run.begin() + static_cast<std::ptrdiff_t>(nNext));
        if (run.empty()) return lines;
    }
    lines.push_back(std::move(run));
    return lines;
}

std::vector<CGlyphRun> LayOut(const CTextLayout& layout, const char* psz, int nCount) {
    std::vector<CGlyphRun> lines;
    const char* p = psz;
    const char* pEnd = psz + nCount;
    while (p < pEnd) {
        std::vector<CGlyphRun> wrapped =
            WrapParagraph(layout, NextParagraph(p, pEnd, layout.m_nFormat));
        for (CGlyphRun& line : wrapped)
            lines.push_back(std::move(line));
    }
    return lines;
}

int LineLeft(const CTextLayout& layout, const RECT& rc, int nLineWidth) {
    if (layout.m_nFormat & DT_CENTER) return (rc.left + rc.right - nLineWidth) / 2;
    if (layout.m_nFormat & DT_RIGHT) return rc.right - nLineWidth;
    return rc.left;
}

int LineTop(const CTextLayout& layout, const RECT& rc, int nTop) {
    if (!(layout.m_nFormat & DT_SINGLELINE)) return nTop;
    if (layout.m_nFormat & DT_VCENTER)
        return rc.top + (rc.bottom - rc.top) / 2 - layout.m_metrics.m_nHeight / 2;
    return nTop;
}

// Draws the lines, clipped to the rectangle; returns the y below the last line drawn.
int RenderLines(CDeviceContext& dc, const CTextLayout& layout, const std::vector<CGlyphRun>& lines,
                const RECT& rc) {
    int nLineHeight = layout.m_metrics.m_nHeight;
    CTextPaint paint = MakePaint(dc, layout.m_nTabWidth);
    paint.m_rcClip = Intersect(paint.m_rcClip, ToDevice(dc, rc));
    bool bDraw = SurfaceOf(dc) != nullptr;
    int y = rc.top;
    for (const CGlyphRun& line : lines) {
        // Lines below the rectangle are not processed once one has reached its bottom.
        bool bLast = y + nLineHeight > rc.bottom;
        int nWidth = RunWidth(layout.m_metrics, layout.m_nTabWidth, line);
        y = LineTop(layout, rc, y);
        if (bDraw) PaintRun(paint, LineLeft(layout, rc, nWidth), y, line);
        y += nLineHeight;
        if (bLast) break;
    }
    return y;
}

}  // namespace

// No DT_CALCRECT, DT_NOCLIP, DT_BOTTOM, DT_TABSTOP or prefix-only drawing: nothing asks for them.
int WINAPI DrawTextA(HDC hdc, LPCSTR psz, int nCount, LPRECT prc, UINT nFormat) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || !prc || nCount == 0 || (!psz && nCount > 0)) return 0;
    if (nFormat & DT_SINGLELINE) nFormat &= ~static_cast<UINT>(DT_WORDBREAK);
    if (nCount < 0) nCount = psz ? static_cast<int>(std::strlen(psz)) : 0;
    CFontMetrics metrics = MetricsOf(FontOf(*pDC));
    if (nCount == 0) return metrics.m_nHeight;
    int nTabWidth = (nFormat & DT_EXPANDTABS) ? metrics.m_nAverage * kTabChars : 0;
    CTextLayout layout{nFormat, prc->right - prc->left, nTabWidth, metrics};
    int nBottom = RenderLines(*pDC, layout, LayOut(layout, psz, nCount), *prc);
    SimDrawOp op = MakeOp(SimDrawOp::Kind::DrawText);
    op.rc = *prc;
    op.strText.assign(psz, static_cast<std::size_t>(nCount));
    op.nFormat = nFormat;
    LogOp(*pDC, std::move(op));
    int nHeight = nBottom - prc->top;
    return nHeight == 0 ? 1 : nHeight;
}
