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

TEST(GetTextExtentPoint32, AddsUpCharacterWidthsAtTheLineHeight) {
    CTextCanvas canvas(4, 4);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.Dc(), "Ab", 2, &size));
    EXPECT_EQ(ExtentOf(canvas.Dc(), "A") + ExtentOf(canvas.Dc(), "b"), size.cx);
    TEXTMETRICA tm = MetricsOf(canvas.Dc());
    EXPECT_EQ(tm.tmHeight, size.cy);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.Dc(), "", 0, &size));
    EXPECT_EQ(0, size.cx);
}

// FillSolidRect and Draw3dRect pass rectangles with swapped edges for their right and bottom.
TEST(ExtTextOut, EtoOpaqueFillsTheRectangleInOrderWhateverTheModeAndEdgeOrder) {
    const RECT kRects[] = {{2, 2, 30, 35}, {20, 0, 19, 10}, {0, 10, 10, 9}, {30, 30, 25, 20}};
    for (const RECT& rc : kRects) {
        CTextCanvas canvas(40, 40);
        SetBkColor(canvas.Dc(), kRed);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        ASSERT_TRUE(ExtTextOutA(canvas.Dc(), 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr));
        LONG nLeft = std::min(rc.left, rc.right), nRight = std::max(rc.left, rc.right);
        LONG nTop = std::min(rc.top, rc.bottom), nBottom = std::max(rc.top, rc.bottom);
        EXPECT_EQ(kRed, canvas.Pixel(nLeft, nTop)) << rc.left << "," << rc.top;
        EXPECT_EQ(kRed, canvas.Pixel(nRight - 1, nBottom - 1)) << rc.left << "," << rc.top;
        EXPECT_EQ(kWhite, canvas.Pixel(nRight, nBottom - 1)) << rc.left << "," << rc.top;
    }
}

// Line feeds and DT_WORDBREAK make lines: a break at the last blank that fits, a word wider than
// the rectangle stays whole; the height of the lines drawn comes back.
TEST(DrawText, ReturnsTheHeightOfTheLinesDrawn) {
    CTextCanvas canvas(200, 100);
    int nLine = MetricsOf(canvas.Dc()).tmHeight;
    LONG nWidth = ExtentOf(canvas.Dc(), "word word");
    struct {
        const char* m_psz;
        UINT m_nFormat;
        LONG m_nWidth;
        int m_nLines;
    } const kCases[] = {
        {"one line", DT_LEFT, 200, 1},
        {"two\nlines", DT_LEFT, 200, 2},
        {"two\r\nlines", DT_LEFT, 200, 2},
        {"three\n\nlines", DT_LEFT, 200, 3},
        {"trailing line feed\n", DT_LEFT, 200, 1},
        {"single\nline", DT_SINGLELINE, 200, 1},
        {"", DT_LEFT, 200, 1},
        {"word word", DT_WORDBREAK, nWidth, 1},
        {"word word word", DT_WORDBREAK, nWidth, 2},
        {"word\nword word word", DT_WORDBREAK, nWidth, 3},
        {"word word word", DT_LEFT, nWidth, 1},
        {"unbreakable", DT_WORDBREAK, 5, 1},
    };
    for (const auto& test : kCases) {
        RECT rc{0, 0, test.m_nWidth, 100};
        EXPECT_EQ(test.m_nLines * nLine,
                  DrawTextA(canvas.Dc(), test.m_psz, -1, &rc, test.m_nFormat))
            << test.m_psz << " in " << test.m_nWidth;
    }
    RECT rc{0, 0, 200, 100};
    EXPECT_EQ(0, DrawTextA(canvas.Dc(), "abc", 0, &rc, DT_LEFT)) << "a zero count draws nothing";
}

// Opaque: the cells of the text take the background colour; transparent: they keep the canvas.
TEST(DrawText, OpaqueModeFillsTheCellsWithTheBackgroundColour) {
    for (int nMode : {OPAQUE, TRANSPARENT}) {
        CTextCanvas canvas(60, 30);
        SetBkColor(canvas.Dc(), kRed);
        SetBkMode(canvas.Dc(), nMode);
        RECT rc{5, 4, 60, 30};
        DrawTextA(canvas.Dc(), "  ", 2, &rc, DT_SINGLELINE);
        int nWidth = nMode == OPAQUE ? ExtentOf(canvas.Dc(), "  ") : 0;
        int nHeight = nMode == OPAQUE ? MetricsOf(canvas.Dc()).tmHeight : 0;
        EXPECT_EQ(nWidth, canvas.CountInRow(4, 0, 60, kRed)) << "mode " << nMode;
        EXPECT_EQ(nHeight, canvas.CountInColumn(5, 0, 30, kRed)) << "mode " << nMode;
    }
}

// "&" marks the next character, shown underlined below the baseline; "&&" shows one "&";
// DT_NOPREFIX shows all.
TEST(DrawText, PrefixAmpersandIsNotShownAndUnderlinesTheMarkedCharacter) {
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
        CTextCanvas canvas(400, 60);
        SetBkColor(canvas.Dc(), kRed);
        RECT rc{0, 0, 400, 60};
        DrawTextA(canvas.Dc(), test.m_psz, -1, &rc, DT_SINGLELINE | test.m_nFormat);
        // Every pixel of a drawn cell is ink or background: none stays white.
        EXPECT_EQ(ExtentOf(canvas.Dc(), test.m_pszShown),
                  400 - canvas.CountInRow(1, 0, 400, kWhite))
            << test.m_psz;
    }
    CTextCanvas canvas(100, 40);
    RECT rc{0, 0, 100, 40};
    SetBkMode(canvas.Dc(), TRANSPARENT);
    DrawTextA(canvas.Dc(), "a&x", -1, &rc, DT_SINGLELINE);
    int nRow = MetricsOf(canvas.Dc()).tmAscent + 1;
    int nLeft = ExtentOf(canvas.Dc(), "a");
    int nRight = ExtentOf(canvas.Dc(), "ax");
    EXPECT_EQ(nRight - nLeft - 1, canvas.CountInRow(nRow, nLeft, nRight, RGB(0, 0, 0)));
    EXPECT_EQ(0, canvas.CountInRow(nRow, 0, nLeft, RGB(0, 0, 0))) << "only the marked character";
}

// The blank's cell is painted in the background colour, which shows where the line went and
// that it is clipped to the rectangle.
TEST(DrawText, SingleLinePlacement) {
    const struct {
        const char* m_pszName;
        UINT m_nFormat;
    } kCases[] = {
        {"top left", DT_SINGLELINE},
        {"vcenter", DT_SINGLELINE | DT_VCENTER},
        {"center", DT_SINGLELINE | DT_CENTER},
        {"right", DT_SINGLELINE | DT_RIGHT},
    };
    for (const auto& test : kCases) {
        CTextCanvas canvas(100, 60);
        SetBkColor(canvas.Dc(), kRed);
        RECT rc{10, 7, 90, 52};
        DrawTextA(canvas.Dc(), " ", 1, &rc, test.m_nFormat);
        int nHeight = MetricsOf(canvas.Dc()).tmHeight;
        int nWidth = ExtentOf(canvas.Dc(), " ");
        int nTop = rc.top;
        if (test.m_nFormat & DT_VCENTER) nTop = rc.top + (rc.bottom - rc.top) / 2 - nHeight / 2;
        int nLeft = rc.left;
        if (test.m_nFormat & DT_CENTER) nLeft = (rc.left + rc.right - nWidth) / 2;
        if (test.m_nFormat & DT_RIGHT) nLeft = rc.right - nWidth;
        EXPECT_EQ(kRed, canvas.Pixel(nLeft, nTop)) << test.m_pszName;
        EXPECT_EQ(kRed, canvas.Pixel(nLeft + nWidth - 1, nTop + nHeight - 1)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft, nTop - 1)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft - 1, nTop)) << test.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(nLeft, nTop + nHeight)) << test.m_pszName;
    }
    CTextCanvas canvas(100, 40);
    SetBkColor(canvas.Dc(), kRed);
    RECT rc{0, 0, 3, 40};
    DrawTextA(canvas.Dc(), "    ", -1, &rc, DT_SINGLELINE);
    EXPECT_EQ(3, canvas.CountInRow(0, 0, 100, kRed)) << "clipped to the rectangle";
}

}  // namespace
