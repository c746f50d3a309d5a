// Conformance of text output and measuring, stated through the font's own metrics so that the
// checks hold for real glyphs too.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "gdi_test_canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

int ExtentOf(HDC hdc, const char* psz) {
    SIZE size{};
    GetTextExtentPoint32A(hdc, psz, static_cast<int>(std::strlen(psz)), &size);
    return size.cx;
}

TEXTMETRICA MetricsOf(HDC hdc) {
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    return tm;
}

// A canvas with the dialog font selected (restored before the canvas goes).
class CTextCanvas : public CTestCanvas {
public:
    CTextCanvas(int cx, int cy) : CTestCanvas(cx, cy) {
        m_hOldFont = SelectObject(Dc(), GetStockObject(DEFAULT_GUI_FONT));
    }
    ~CTextCanvas() { SelectObject(Dc(), m_hOldFont); }

private:
    HGDIOBJ m_hOldFont;
};

TEST(GetTextMetrics, HeightIsAscentPlusDescent) {
    CTextCanvas canvas(4, 4);
    TEXTMETRICA tm = MetricsOf(canvas.Dc());
    EXPECT_GT(tm.tmHeight, 0);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
}

TEST(GetTextExtentPoint32, AddsUpCharacterWidthsAtTheLineHeight) {
    CTextCanvas canvas(4, 4);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.Dc(), "Ab", 2, &size));
    EXPECT_EQ(ExtentOf(canvas.Dc(), "A") + ExtentOf(canvas.Dc(), "b"), size.cx);
    EXPECT_EQ(MetricsOf(canvas.Dc()).tmHeight, size.cy);
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.Dc(), "", 0, &size));
    EXPECT_EQ(0, size.cx);
}

TEST(GetTextExtentPoint32, BiggerFontIsWiderAndTaller) {
    CTextCanvas canvas(4, 4);
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight *= 3;
    HFONT hBig = CreateFontIndirectA(&lf);
    SIZE small{};
    SIZE big{};
    GetTextExtentPoint32A(canvas.Dc(), "Hello", 5, &small);
    HGDIOBJ hOld = SelectObject(canvas.Dc(), hBig);
    GetTextExtentPoint32A(canvas.Dc(), "Hello", 5, &big);
    SelectObject(canvas.Dc(), hOld);
    DeleteObject(hBig);
    EXPECT_GT(big.cx, small.cx);
    EXPECT_GT(big.cy, small.cy);
}

TEST(TextOut, OpaqueModeFillsTheCellsWithTheBackgroundColour) {
    CTextCanvas canvas(60, 30);
    SetBkColor(canvas.Dc(), kRed);
    ASSERT_TRUE(TextOutA(canvas.Dc(), 5, 4, "  ", 2));
    int nWidth = ExtentOf(canvas.Dc(), "  ");
    int nHeight = MetricsOf(canvas.Dc()).tmHeight;
    EXPECT_EQ(nWidth, canvas.CountInRow(4, 0, 60, kRed));
    EXPECT_EQ(nHeight, canvas.CountInColumn(5, 0, 30, kRed));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 4 + nHeight));
}

TEST(TextOut, TransparentModeLeavesTheBackground) {
    CTextCanvas canvas(60, 30);
    SetBkColor(canvas.Dc(), kRed);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    TextOutA(canvas.Dc(), 5, 4, "  ", 2);
    EXPECT_EQ(0, canvas.CountInRow(4, 0, 60, kRed));
}

TEST(ExtTextOut, EtoOpaqueFillsTheRectangle) {
    CTextCanvas canvas(40, 40);
    SetBkColor(canvas.Dc(), kRed);
    SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT rc{2, 2, 30, 35};
    ASSERT_TRUE(ExtTextOutA(canvas.Dc(), 2, 2, ETO_OPAQUE, &rc, "", 0, nullptr));
    EXPECT_EQ(kRed, canvas.Pixel(29, 34));
    EXPECT_EQ(kWhite, canvas.Pixel(30, 34));
}

// A frame drawn with FillSolidRect passes rectangles with swapped edges for its right and bottom.
TEST(ExtTextOut, EtoOpaqueFillsAnUnorderedRectangleInOrder) {
    const RECT kUnordered[] = {{20, 0, 19, 10}, {0, 10, 10, 9}, {30, 30, 25, 20}};
    for (const RECT& rc : kUnordered) {
        CTextCanvas canvas(40, 40);
        SetBkColor(canvas.Dc(), kRed);
        ASSERT_TRUE(ExtTextOutA(canvas.Dc(), 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr));
        LONG nLeft = std::min(rc.left, rc.right), nRight = std::max(rc.left, rc.right);
        LONG nTop = std::min(rc.top, rc.bottom), nBottom = std::max(rc.top, rc.bottom);
        EXPECT_EQ(kRed, canvas.Pixel(nLeft, nTop)) << rc.left << "," << rc.top;
        EXPECT_EQ(kRed, canvas.Pixel(nRight - 1, nBottom - 1)) << rc.left << "," << rc.top;
        EXPECT_EQ(kWhite, canvas.Pixel(nRight, nBottom - 1)) << rc.left << "," << rc.top;
    }
}

TEST(DrawText, ReturnsTheHeightOfTheLinesDrawn) {
    CTextCanvas canvas(200, 100);
    int nLine = MetricsOf(canvas.Dc()).tmHeight;
    struct {
        const char* m_psz;
        UINT m_nFormat;
        int m_nLines;
    } const kCases[] = {
        {"one line", DT_LEFT, 1},
        {"two\nlines", DT_LEFT, 2},
        {"two\r\nlines", DT_LEFT, 2},
        {"three\n\nlines", DT_LEFT, 3},
        {"trailing line feed\n", DT_LEFT, 1},
        {"single\nline", DT_SINGLELINE, 1},
    };
    for (const auto& test : kCases) {
        RECT rc{0, 0, 200, 100};
        EXPECT_EQ(test.m_nLines * nLine,
                  DrawTextA(canvas.Dc(), test.m_psz, -1, &rc, test.m_nFormat))
            << test.m_psz;
    }
}

TEST(DrawText, EmptyTextAndZeroCount) {
    CTextCanvas canvas(20, 20);
    RECT rc{0, 0, 20, 20};
    EXPECT_EQ(MetricsOf(canvas.Dc()).tmHeight, DrawTextA(canvas.Dc(), "", -1, &rc, DT_LEFT));
    EXPECT_EQ(0, DrawTextA(canvas.Dc(), "abc", 0, &rc, DT_LEFT));
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing) {
    CTextCanvas canvas(200, 60);
    SetBkColor(canvas.Dc(), kRed);
    RECT rc{10, 5, 11, 6};
    int nHeight = DrawTextA(canvas.Dc(), "Measure me", -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(MetricsOf(canvas.Dc()).tmHeight, nHeight);
    EXPECT_EQ(10 + ExtentOf(canvas.Dc(), "Measure me"), rc.right);
    EXPECT_EQ(5 + nHeight, rc.bottom);
    EXPECT_EQ(0, canvas.CountInRow(10, 0, 200, kRed));
}

TEST(DrawText, PrefixAmpersand) {
    CTextCanvas canvas(200, 60);
    HDC hdc = canvas.Dc();
    struct {
        const char* m_psz;
        UINT m_nFormat;
        const char* m_pszShown;
    } const kCases[] = {
        {"&&", 0, "&"},        {"&File", 0, "File"},
        {"a&&b&c", 0, "a&bc"}, {"&File", DT_NOPREFIX, "&File"},
        {"end&", 0, "end&"},
    };
    for (const auto& test : kCases) {
        RECT rc{0, 0, 200, 60};
        DrawTextA(hdc, test.m_psz, -1, &rc, DT_CALCRECT | DT_SINGLELINE | test.m_nFormat);
        EXPECT_EQ(ExtentOf(hdc, test.m_pszShown), rc.right) << test.m_psz;
    }
}

TEST(DrawText, PrefixUnderlinesTheMarkedCharacterBelowTheBaseline) {
    CTextCanvas withPrefix(100, 40);
    CTextCanvas without(100, 40);
    RECT rc{0, 0, 100, 40};
    SetBkMode(withPrefix.Dc(), TRANSPARENT);
    SetBkMode(without.Dc(), TRANSPARENT);
    DrawTextA(withPrefix.Dc(), "a&x", -1, &rc, DT_SINGLELINE);
    DrawTextA(without.Dc(), "ax", -1, &rc, DT_SINGLELINE);
    int nRow = MetricsOf(withPrefix.Dc()).tmAscent + 1;
    int nLeft = ExtentOf(withPrefix.Dc(), "a");
    int nRight = ExtentOf(withPrefix.Dc(), "ax");
    COLORREF nBlack = RGB(0, 0, 0);
    EXPECT_EQ(0, without.CountInRow(nRow, nLeft, nRight, nBlack));
    EXPECT_EQ(nRight - nLeft - 1, withPrefix.CountInRow(nRow, nLeft, nRight, nBlack));
    EXPECT_EQ(0, withPrefix.CountInRow(nRow, 0, nLeft, nBlack)) << "only the marked character";
}

struct CPlacementCase {
    const char* m_pszName;
    UINT m_nFormat;
};

// The blank's cell is painted in the background colour, which shows where the line went.
TEST(DrawText, SingleLinePlacement) {
    const CPlacementCase kCases[] = {
        {"top left", DT_SINGLELINE},           {"vcenter", DT_SINGLELINE | DT_VCENTER},
        {"bottom", DT_SINGLELINE | DT_BOTTOM}, {"center", DT_SINGLELINE | DT_CENTER},
        {"right", DT_SINGLELINE | DT_RIGHT},
    };
    for (const CPlacementCase& test : kCases) {
        CTextCanvas canvas(100, 60);
        SetBkColor(canvas.Dc(), kRed);
        RECT rc{10, 7, 90, 52};
        DrawTextA(canvas.Dc(), " ", 1, &rc, test.m_nFormat);
        int nHeight = MetricsOf(canvas.Dc()).tmHeight;
        int nWidth = ExtentOf(canvas.Dc(), " ");
        int nTop = rc.top;
        if (test.m_nFormat & DT_VCENTER) nTop = rc.top + (rc.bottom - rc.top) / 2 - nHeight / 2;
        if (test.m_nFormat & DT_BOTTOM) nTop = rc.bottom - nHeight;
        int nLeft = rc.left;
        if (test.m_nFormat & DT_CENTER) nLeft = (rc.left + rc.right - nWidth) / 2;
        if (test.m_nFormat & DT_RIGHT) nLeft = rc.right - nWidth;
        EXPECT_EQ(kRed, canvas.Pixel(nLeft, nTop)) << test.m_pszName;
        EXPECT_EQ(kRed, canvas.Pixel(nLeft + nWidth - 1, nTop + nHeight - 1)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft, nTop - 1)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft - 1, nTop)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft, nTop + nHeight)) << test.m_pszName;
    }
}

TEST(DrawText, WordBreakWrapsAtBlanks) {
    CTextCanvas canvas(200, 100);
    int nLine = MetricsOf(canvas.Dc()).tmHeight;
    int nWidth = ExtentOf(canvas.Dc(), "word word");
    RECT rc{0, 0, nWidth, 100};
    EXPECT_EQ(nLine, DrawTextA(canvas.Dc(), "word word", -1, &rc, DT_WORDBREAK));
    EXPECT_EQ(2 * nLine, DrawTextA(canvas.Dc(), "word word word", -1, &rc, DT_WORDBREAK));
    EXPECT_EQ(3 * nLine, DrawTextA(canvas.Dc(), "word\nword word word", -1, &rc, DT_WORDBREAK));
    EXPECT_EQ(nLine, DrawTextA(canvas.Dc(), "word word word", -1, &rc, DT_LEFT)) << "no breaking";
}

TEST(DrawText, WordWiderThanTheRectangleStaysWhole) {
    CTextCanvas canvas(200, 100);
    RECT rc{0, 0, 5, 100};
    EXPECT_EQ(MetricsOf(canvas.Dc()).tmHeight,
              DrawTextA(canvas.Dc(), "unbreakable", -1, &rc, DT_WORDBREAK));
}

TEST(DrawText, ClipsToTheRectangleUnlessNoClip) {
    CTextCanvas canvas(100, 40);
    SetBkColor(canvas.Dc(), kRed);
    RECT rc{0, 0, 3, 40};
    DrawTextA(canvas.Dc(), "    ", -1, &rc, DT_SINGLELINE);
    EXPECT_EQ(3, canvas.CountInRow(0, 0, 100, kRed));
    DrawTextA(canvas.Dc(), "    ", -1, &rc, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(ExtentOf(canvas.Dc(), "    "), canvas.CountInRow(0, 0, 100, kRed));
}

}  // namespace
