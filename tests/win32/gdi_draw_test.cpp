// Conformance of the pixel-drawing calls: what Windows paints, checked on a DIB section.

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "gdi_test_canvas.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(FillRect, ExcludesRightAndBottomEdges) {
    CTestCanvas canvas(10, 10);
    HBRUSH hbr = CreateSolidBrush(kRed);
    RECT rc{2, 3, 6, 8};
    EXPECT_NE(0, FillRect(canvas.Dc(), &rc, hbr));
    DeleteObject(hbr);
    EXPECT_EQ(kRed, canvas.Pixel(2, 3));
    EXPECT_EQ(kRed, canvas.Pixel(5, 7));
    EXPECT_EQ(kWhite, canvas.Pixel(6, 7)) << "right edge";
    EXPECT_EQ(kWhite, canvas.Pixel(5, 8)) << "bottom edge";
    EXPECT_EQ(kWhite, canvas.Pixel(1, 3));
}

TEST(FillRect, SystemColorIndexPlusOneIsABrush) {
    CTestCanvas canvas(4, 4, RGB(1, 2, 3));
    RECT rc{0, 0, 4, 4};
    FillRect(canvas.Dc(), &rc, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), canvas.Pixel(3, 3));
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

TEST(Rectangle, PenOutlinesAndBrushFillsTheInside) {
    CTestCanvas canvas(10, 10);
    HPEN hPen = CreatePen(PS_SOLID, 1, kBlue);
    HBRUSH hbr = CreateSolidBrush(kRed);
    HGDIOBJ hOldPen = SelectObject(canvas.Dc(), hPen);
    HGDIOBJ hOldBrush = SelectObject(canvas.Dc(), hbr);
    Rectangle(canvas.Dc(), 1, 1, 7, 6);
    SelectObject(canvas.Dc(), hOldPen);
    SelectObject(canvas.Dc(), hOldBrush);
    DeleteObject(hPen);
    DeleteObject(hbr);
    EXPECT_EQ(kBlue, canvas.Pixel(1, 1));
    EXPECT_EQ(kBlue, canvas.Pixel(6, 5)) << "outline ends at right - 1, bottom - 1";
    EXPECT_EQ(kRed, canvas.Pixel(2, 2));
    EXPECT_EQ(kRed, canvas.Pixel(5, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(7, 3));
    EXPECT_EQ(kWhite, canvas.Pixel(3, 6));
}

TEST(Rectangle, NullPenFillsOnePixelLessEachWay) {
    CTestCanvas canvas(10, 10);
    HBRUSH hbr = CreateSolidBrush(kRed);
    HGDIOBJ hOldPen = SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    HGDIOBJ hOldBrush = SelectObject(canvas.Dc(), hbr);
    Rectangle(canvas.Dc(), 2, 2, 6, 6);
    SelectObject(canvas.Dc(), hOldPen);
    SelectObject(canvas.Dc(), hOldBrush);
    DeleteObject(hbr);
    EXPECT_EQ(kRed, canvas.Pixel(2, 2));
    EXPECT_EQ(kRed, canvas.Pixel(4, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(4, 5));
}

struct CLineCase {
    const char* m_pszName;
    POINT m_ptFrom;
    POINT m_ptTo;
    int m_nPainted;
};

const CLineCase kLineCases[] = {
    {"right", {1, 2}, {8, 2}, 7},        {"left", {8, 2}, {1, 2}, 7},
    {"down", {3, 0}, {3, 9}, 9},         {"up", {3, 9}, {3, 0}, 9},
    {"diagonal", {0, 0}, {6, 6}, 6},     {"anti-diagonal", {7, 1}, {2, 6}, 5},
    {"single point", {4, 4}, {4, 4}, 0},
};

TEST(LineTo, LastPointNotPainted) {
    for (const CLineCase& line : kLineCases) {
        CTestCanvas canvas(10, 10);
        MoveToEx(canvas.Dc(), line.m_ptFrom.x, line.m_ptFrom.y, nullptr);
        LineTo(canvas.Dc(), line.m_ptTo.x, line.m_ptTo.y);
        int nPainted = 0;
        for (int y = 0; y < 10; ++y)
            nPainted += 10 - canvas.CountInRow(y, 0, 10, kWhite);
        EXPECT_EQ(line.m_nPainted, nPainted) << line.m_pszName;
        EXPECT_EQ(kWhite, canvas.Pixel(line.m_ptTo.x, line.m_ptTo.y)) << line.m_pszName;
        if (line.m_nPainted > 0) {
            EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(line.m_ptFrom.x, line.m_ptFrom.y))
                << line.m_pszName;
        }
    }
}

TEST(LineTo, MovesTheCurrentPosition) {
    CTestCanvas canvas(10, 10);
    MoveToEx(canvas.Dc(), 1, 1, nullptr);
    LineTo(canvas.Dc(), 5, 1);
    POINT ptOld{};
    MoveToEx(canvas.Dc(), 0, 0, &ptOld);
    EXPECT_EQ(5, ptOld.x);
    EXPECT_EQ(1, ptOld.y);
}

TEST(Polyline, LastPointNotPaintedAndCurrentPositionKept) {
    CTestCanvas canvas(10, 10);
    MoveToEx(canvas.Dc(), 9, 9, nullptr);
    const POINT pts[] = {{1, 1}, {5, 1}, {5, 5}};
    EXPECT_TRUE(Polyline(canvas.Dc(), pts, 3));
    EXPECT_EQ(5, canvas.CountInRow(1, 0, 10, RGB(0, 0, 0))) << "first segment plus the corner";
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 1)) << "a corner is the next segment's start";
    EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5)) << "end of the last segment";
    POINT ptOld{};
    MoveToEx(canvas.Dc(), 0, 0, &ptOld);
    EXPECT_EQ(9, ptOld.x);
    EXPECT_EQ(9, ptOld.y);
}

TEST(Polyline, PenColourAndNullPen) {
    CTestCanvas canvas(10, 10);
    const POINT pts[] = {{0, 2}, {9, 2}};
    HPEN hPen = CreatePen(PS_SOLID, 1, kRed);
    HGDIOBJ hOld = SelectObject(canvas.Dc(), hPen);
    Polyline(canvas.Dc(), pts, 2);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    const POINT ptsHidden[] = {{0, 4}, {9, 4}};
    Polyline(canvas.Dc(), ptsHidden, 2);
    SelectObject(canvas.Dc(), hOld);
    DeleteObject(hPen);
    EXPECT_EQ(9, canvas.CountInRow(2, 0, 10, kRed));
    EXPECT_EQ(10, canvas.CountInRow(4, 0, 10, kWhite));
}

TEST(SetPixel, RoundTripsThroughGetPixel) {
    CTestCanvas canvas(4, 4);
    EXPECT_EQ(RGB(10, 20, 30), SetPixel(canvas.Dc(), 2, 1, RGB(10, 20, 30)));
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(canvas.Dc(), 2, 1));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(2, 1));
}

TEST(GetPixel, OutsideTheBitmapIsInvalid) {
    CTestCanvas canvas(4, 4);
    EXPECT_EQ(CLR_INVALID, GetPixel(canvas.Dc(), 4, 0));
    EXPECT_EQ(CLR_INVALID, GetPixel(canvas.Dc(), 0, -1));
}

TEST(BitBlt, SrcCopyCopiesTheBlock) {
    CTestCanvas source(6, 6);
    CTestCanvas target(6, 6, kBlue);
    SetPixel(source.Dc(), 1, 1, kRed);
    SetPixel(source.Dc(), 2, 2, kRed);
    EXPECT_TRUE(BitBlt(target.Dc(), 3, 3, 2, 2, source.Dc(), 1, 1, SRCCOPY));
    EXPECT_EQ(kRed, target.Pixel(3, 3));
    EXPECT_EQ(kWhite, target.Pixel(4, 3));
    EXPECT_EQ(kRed, target.Pixel(4, 4));
    EXPECT_EQ(kBlue, target.Pixel(5, 5)) << "outside the block";
    EXPECT_EQ(kBlue, target.Pixel(2, 3));
}

TEST(BitBlt, MonochromeSourceTakesTextAndBackgroundColours) {
    HDC hdcMono = CreateCompatibleDC(nullptr);
    HBITMAP hbmMono = CreateCompatibleBitmap(hdcMono, 2, 1);
    HGDIOBJ hOld = SelectObject(hdcMono, hbmMono);
    SetPixel(hdcMono, 0, 0, RGB(0, 0, 0));
    SetPixel(hdcMono, 1, 0, RGB(255, 255, 255));
    CTestCanvas target(2, 1);
    SetTextColor(target.Dc(), kRed);
    SetBkColor(target.Dc(), kBlue);
    BitBlt(target.Dc(), 0, 0, 2, 1, hdcMono, 0, 0, SRCCOPY);
    SelectObject(hdcMono, hOld);
    DeleteObject(hbmMono);
    DeleteDC(hdcMono);
    EXPECT_EQ(kRed, target.Pixel(0, 0)) << "black bits take the text colour";
    EXPECT_EQ(kBlue, target.Pixel(1, 0)) << "white bits take the background colour";
}

TEST(DrawEdge, SunkenEdgeUsesShadowThenHighlight) {
    CTestCanvas canvas(10, 10);
    RECT rc{0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(canvas.Dc(), &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), canvas.Pixel(3, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(3, 9));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), canvas.Pixel(3, 1));
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), canvas.Pixel(3, 8));
    EXPECT_EQ(2, rc.left);
    EXPECT_EQ(8, rc.bottom);
}

}  // namespace
