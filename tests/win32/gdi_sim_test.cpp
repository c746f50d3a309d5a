// The stand-in's own screen: deterministic font metrics, the dpi setting, the draw log and the
// object counts. Native host only.

#ifndef _WIN32

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "gdi_test_canvas.h"
#include "win32sim/sim_screen.h"

namespace {

class CSimScreenTest : public ::testing::Test {
protected:
    void SetUp() override { SimResetScreen(); }
    void TearDown() override { SimResetScreen(); }
};

HFONT MakeFont(LONG nHeight, LONG nWeight) {
    LOGFONTA lf{};
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    std::strcpy(lf.lfFaceName, "Arial");
    return CreateFontIndirectA(&lf);
}

// h < 0: em = -h, tmHeight = round(1.2 em); h > 0: tmHeight = h, em = round(h / 1.2).
TEST_F(CSimScreenTest, GetTextMetricsFollowsTheDocumentedFormula) {
    const struct {
        LONG m_nHeight, m_nWeight, m_nTmHeight, m_nAscent, m_nInternalLeading, m_nAverage;
        int m_nSpace, m_nWide;
    } kCases[] = {
        {-11, FW_NORMAL, 13, 10, 2, 6, 3, 9}, {-13, FW_BOLD, 16, 13, 3, 8, 5, 11},
        {-9, FW_BOLD, 11, 9, 2, 6, 4, 8},     {16, FW_NORMAL, 16, 13, 3, 7, 4, 10},
        {0, FW_NORMAL, 14, 11, 2, 6, 4, 10},
    };
    CTestCanvas canvas(4, 4);
    for (const auto& test : kCases) {
        HFONT hFont = MakeFont(test.m_nHeight, test.m_nWeight);
        HGDIOBJ hOld = SelectObject(canvas.Dc(), hFont);
        TEXTMETRICA tm{};
        GetTextMetricsA(canvas.Dc(), &tm);
        SIZE space{}, wide{};
        GetTextExtentPoint32A(canvas.Dc(), " ", 1, &space);
        GetTextExtentPoint32A(canvas.Dc(), "W", 1, &wide);
        SelectObject(canvas.Dc(), hOld);
        DeleteObject(hFont);
        EXPECT_EQ(test.m_nTmHeight, tm.tmHeight) << test.m_nHeight;
        EXPECT_EQ(test.m_nAscent, tm.tmAscent) << test.m_nHeight;
        EXPECT_EQ(test.m_nInternalLeading, tm.tmInternalLeading) << test.m_nHeight;
        EXPECT_EQ(test.m_nAverage, tm.tmAveCharWidth) << test.m_nHeight;
        EXPECT_EQ(test.m_nSpace, space.cx) << test.m_nHeight;
        EXPECT_EQ(test.m_nWide, wide.cx) << test.m_nHeight;
    }
}

TEST_F(CSimScreenTest, LogPixelsSettingSizesTheDisplayAndTheGuiFontUntilReset) {
    auto logPixels = [] {
        HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        int nDpi = GetDeviceCaps(hdc, LOGPIXELSY);
        DeleteDC(hdc);
        return nDpi;
    };
    SimSetLogPixels(120);
    EXPECT_EQ(120, logPixels());
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    EXPECT_EQ(-MulDiv(8, 120, 72), lf.lfHeight);
    SimResetScreen();
    EXPECT_EQ(96, logPixels());
}

// The state logged with each call (colours, mode, font, points) is read by the label and tip tests.
TEST_F(CSimScreenTest, DrawLogRecordsScreenCallsButNotMemoryDcs) {
    CTestCanvas canvas(10, 10);
    RECT rcCanvas{0, 0, 10, 10};
    FillRect(canvas.Dc(), &rcCanvas, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    RECT rc{1, 2, 80, 30};
    DrawTextA(hdc, "&Label", -1, &rc, DT_WORDBREAK);
    DeleteDC(hdc);
    std::vector<SimDrawOp> log = SimDrawLog();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(SimDrawOp::Kind::DrawText, log[0].kind);
    EXPECT_EQ("&Label", log[0].strText);
    SimClearDrawLog();
    EXPECT_TRUE(SimDrawLog().empty());
}

TEST_F(CSimScreenTest, ObjectAndDcCountsShowLeaks) {
    std::size_t nObjects = SimGdiObjectCount();
    std::size_t nDCs = SimDCCount();
    HDC hdc = CreateCompatibleDC(nullptr);
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(1, 1, 1));
    EXPECT_EQ(nObjects + 1, SimGdiObjectCount());
    EXPECT_EQ(nDCs + 1, SimDCCount());
    HGDIOBJ hOld = SelectObject(hdc, hPen);
    EXPECT_TRUE(DeleteObject(hPen)) << "deletion waits for the pen to be deselected";
    EXPECT_EQ(nObjects + 1, SimGdiObjectCount());
    SelectObject(hdc, hOld);
    EXPECT_EQ(nObjects, SimGdiObjectCount());
    DeleteDC(hdc);
    EXPECT_EQ(nDCs, SimDCCount());
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN))) << "stock objects survive";
    EXPECT_EQ(static_cast<int>(sizeof(LOGPEN)), GetObjectA(GetStockObject(BLACK_PEN), 0, nullptr));
}

}  // namespace

#endif  // _WIN32
