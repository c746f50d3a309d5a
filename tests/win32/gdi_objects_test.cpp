// Conformance of GDI objects and DCs: stock objects, selection, object queries, saved states,
// system metrics and colours.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace {

// The objects a fresh DC and the labels use; the labels fall back on the 8-point GUI font and
// size their fonts by the same pixels per inch.
TEST(GetStockObject, GivesTheSameObjectsWithTheirDescriptions) {
    for (int nObject :
         {WHITE_BRUSH, NULL_PEN, BLACK_PEN, DEFAULT_GUI_FONT, ANSI_VAR_FONT, SYSTEM_FONT}) {
        ASSERT_NE(nullptr, GetStockObject(nObject)) << nObject;
        EXPECT_EQ(GetStockObject(nObject), GetStockObject(nObject)) << nObject;
    }
    for (int nFont : {DEFAULT_GUI_FONT, ANSI_VAR_FONT, SYSTEM_FONT})
        EXPECT_EQ(static_cast<int>(sizeof(LOGFONTA)),
                  GetObjectA(GetStockObject(nFont), 0, nullptr));
    LOGBRUSH lb{};
    GetObjectA(GetStockObject(WHITE_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(RGB(255, 255, 255), lb.lbColor);
    LOGPEN lp{};
    GetObjectA(GetStockObject(NULL_PEN), sizeof(lp), &lp);
    EXPECT_EQ(static_cast<UINT>(PS_NULL), lp.lopnStyle);
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    EXPECT_STREQ("MS Shell Dlg", lf.lfFaceName);
    HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), GetDeviceCaps(hdc, LOGPIXELSY));
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(hdc, LOGPIXELSY), 72), lf.lfHeight);
    EXPECT_TRUE(DeleteDC(hdc));
}

// A fresh DC: black pen, white brush, the system font, black text on white, opaque; each setter
// gives back what it replaces.
TEST(SelectObject, FreshDcHoldsTheDefaultsAndEachSetterReturnsThePrevious) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH hbr = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(GetStockObject(BLACK_PEN), SelectObject(hdc, hPen));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), SelectObject(hdc, hbr));
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(hPen, SelectObject(hdc, GetStockObject(WHITE_PEN)));
    EXPECT_EQ(hbr, SelectObject(hdc, GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(RGB(0, 0, 0), SetTextColor(hdc, RGB(7, 8, 9)));
    EXPECT_EQ(RGB(255, 255, 255), SetBkColor(hdc, RGB(7, 8, 9)));
    EXPECT_EQ(OPAQUE, SetBkMode(hdc, TRANSPARENT));
    EXPECT_EQ(0, SetBkMode(hdc, 7)) << "an unknown mode is refused";
    EXPECT_EQ(TRANSPARENT, SetBkMode(hdc, OPAQUE));
    DeleteDC(hdc);
    EXPECT_TRUE(DeleteObject(hPen));
    EXPECT_TRUE(DeleteObject(hbr));
}

TEST(SaveDC, RestoreMinusOneGoesBackOneLevel) {
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(1, SaveDC(hdc));
    SetTextColor(hdc, RGB(1, 1, 1));
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(2, SaveDC(hdc));
    SetTextColor(hdc, RGB(2, 2, 2));
    SetBkMode(hdc, TRANSPARENT);
    SelectObject(hdc, GetStockObject(ANSI_VAR_FONT));
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(RGB(1, 1, 1), SetTextColor(hdc, RGB(1, 1, 1)));
    EXPECT_EQ(OPAQUE, SetBkMode(hdc, OPAQUE));
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
              SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(RGB(0, 0, 0), SetTextColor(hdc, RGB(0, 0, 0)));
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), SelectObject(hdc, GetStockObject(SYSTEM_FONT)));
    EXPECT_FALSE(RestoreDC(hdc, -1)) << "nothing left to restore";
    DeleteDC(hdc);
}

TEST(GetSystemMetrics, ClassicValues) {
    const struct {
        const char* m_pszName;
        int m_nIndex;
        int m_nValue;
    } kCases[] = {
        {"SM_CXICON", SM_CXICON, 32},        {"SM_CYICON", SM_CYICON, 32},
        {"SM_CXBORDER", SM_CXBORDER, 1},     {"SM_CXEDGE", SM_CXEDGE, 2},
        {"SM_CXDLGFRAME", SM_CXDLGFRAME, 3},
    };
    for (const auto& metric : kCases)
        EXPECT_EQ(metric.m_nValue, GetSystemMetrics(metric.m_nIndex)) << metric.m_pszName;
}

TEST(GetSysColorBrush, HasTheSystemColour) {
    for (int nIndex : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_BTNTEXT, COLOR_3DSHADOW}) {
        LOGBRUSH lb{};
        ASSERT_NE(0, GetObjectA(GetSysColorBrush(nIndex), sizeof(lb), &lb)) << nIndex;
        EXPECT_EQ(GetSysColor(nIndex), lb.lbColor) << nIndex;
    }
}

}  // namespace
