// Conformance of the pixel-drawing calls: what Windows paints, checked on a DIB section.

#include <gtest/gtest.h>
#include <windows.h>

#include "gdi_test_canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

void Fill(HDC hdc, RECT rc, COLORREF cr) {
    HBRUSH hbr = CreateSolidBrush(cr);
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
}

TEST(FillRect, ExcludesRightAndBottomEdgesAndTakesASystemColourIndexPlusOne) {
    CTestCanvas canvas(10, 10);
    Fill(canvas.Dc(), RECT{2, 3, 6, 8}, kRed);
    EXPECT_EQ(kRed, canvas.Pixel(2, 3));
    EXPECT_EQ(kRed, canvas.Pixel(5, 7));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 7)) << "right edge";
    EXPECT_EQ(kWhite, canvas.Pixel(5, 8)) << "bottom edge";
    EXPECT_EQ(kWhite, canvas.Pixel(1, 3));
    RECT rc{0, 0, 2, 2};
    FillRect(canvas.Dc(), &rc, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.Pixel(1, 1));
}

TEST(FrameRect, DrawsOnePixelBorderInsideTheRectangle) {
    CTestCanvas canvas(10, 10);
    HBRUSH hbr = CreateSolidBrush(kBlue);
    RECT rc{1, 1, 6, 5};
    FrameRect(canvas.Dc(), &rc, hbr);
    DeleteObject(hbr);
    EXPECT_EQ(5, canvas.CountInRow(1, 0, 10, kBlue)) << "top row";
    EXPECT_EQ(5, canvas.CountInRow(4, 0, 10, kBlue)) << "bottom row is bottom - 1";
    EXPECT_EQ(4, canvas.CountInColumn(5, 0, 10, kBlue)) << "right column is right - 1";
    EXPECT_EQ(kWhite, canvas.Pixel(3, 3)) << "inside untouched";
}

// The tooltip's arrow is a polyline: every direction, the end point left unpainted.
TEST(Polyline, SegmentsLeaveTheirEndPointUnpainted) {
    const struct {
        const char* m_pszName;
        POINT m_ptFrom, m_ptTo;
        int m_nPainted;
    } kCases[] = {
        {"right", {1, 2}, {8, 2}, 7},        {"left", {8, 2}, {1, 2}, 7},
        {"down", {3, 0}, {3, 9}, 9},         {"up", {3, 9}, {3, 0}, 9},
        {"diagonal", {0, 0}, {6, 6}, 6},     {"anti-diagonal", {7, 1}, {2, 6}, 5},
        {"single point", {4, 4}, {4, 4}, 0},
    };
    for (const auto& line : kCases) {
        CTestCanvas canvas(10, 10);
        const POINT pts[] = {line.m_ptFrom, line.m_ptTo};
        EXPECT_TRUE(Polyline(canvas.Dc(), pts, 2));
        int nPainted = 0;
        for (int y = 0; y < 10; ++y)
            nPainted += 10 - canvas.CountInRow(y, 0, 10, kWhite);
        EXPECT_EQ(line.m_nPainted, nPainted) << line.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(line.m_ptTo.x, line.m_ptTo.y)) << line.m_pszName;
        if (line.m_nPainted > 0) {
            EXPECT_EQ(kBlack, canvas.Pixel(line.m_ptFrom.x, line.m_ptFrom.y)) << line.m_pszName;
        }
    }
}

TEST(Polyline, CornersArePaintedAndThePenChoosesTheColour) {
    CTestCanvas canvas(10, 10);
    const POINT pts[] = {{1, 1}, {5, 1}, {5, 5}};
    HPEN hPen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ hOld = SelectObject(canvas.Dc(), hPen);
    Polyline(canvas.Dc(), pts, 3);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    const POINT ptsHidden[] = {{0, 8}, {9, 8}};
    Polyline(canvas.Dc(), ptsHidden, 2);
    SelectObject(canvas.Dc(), hOld);
    DeleteObject(hPen);
    EXPECT_EQ(5, canvas.CountInRow(1, 0, 10, kRed)) << "first segment plus the corner";
    EXPECT_EQ(kRed, canvas.Pixel(5, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5)) << "end of the last segment";
    EXPECT_EQ(10, canvas.CountInRow(8, 0, 10, kWhite)) << "a null pen draws nothing";
}

TEST(BitBlt, SrcCopyCopiesTheBlock) {
    CTestCanvas source(6, 6);
    CTestCanvas target(6, 6, kBlue);
    Fill(source.Dc(), RECT{2, 1, 3, 2}, kRed);  // the block's top right, so a turned copy shows
    EXPECT_TRUE(BitBlt(target.Dc(), 3, 3, 2, 2, source.Dc(), 1, 1, SRCCOPY));
    EXPECT_EQ(kRed, target.Pixel(4, 3));
    EXPECT_EQ(kWhite, target.Pixel(3, 4));
    EXPECT_EQ(kBlue, target.Pixel(5, 5)) << "outside the block";
    EXPECT_EQ(kBlue, target.Pixel(2, 3));
}

}  // namespace
