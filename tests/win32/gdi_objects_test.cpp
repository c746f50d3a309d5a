// Conformance of GDI objects and DCs: stock objects, selection, object queries, saved states.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "gdi_test_canvas.h"

namespace {

struct CStockCase {
    int m_nObject;
    DWORD m_dwType;
};

const CStockCase kStockCases[] = {
    {WHITE_BRUSH, OBJ_BRUSH},     {BLACK_BRUSH, OBJ_BRUSH},
    {NULL_BRUSH, OBJ_BRUSH},      {WHITE_PEN, OBJ_PEN},
    {BLACK_PEN, OBJ_PEN},         {NULL_PEN, OBJ_PEN},
    {DEFAULT_GUI_FONT, OBJ_FONT}, {ANSI_VAR_FONT, OBJ_FONT},
    {SYSTEM_FONT, OBJ_FONT},      {DEVICE_DEFAULT_FONT, OBJ_FONT},
};

TEST(GetStockObject, GivesTheSameObjectOfTheRightType) {
    for (const CStockCase& stock : kStockCases) {
        HGDIOBJ hObject = GetStockObject(stock.m_nObject);
        ASSERT_NE(nullptr, hObject) << stock.m_nObject;
        EXPECT_EQ(hObject, GetStockObject(stock.m_nObject)) << stock.m_nObject;
        EXPECT_EQ(stock.m_dwType, GetObjectType(hObject)) << stock.m_nObject;
    }
}

TEST(GetStockObject, DefaultGuiFontIsMsShellDlg) {
    LOGFONTA lf{};
    ASSERT_EQ(static_cast<int>(sizeof(lf)),
              GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf));
    EXPECT_STREQ("MS Shell Dlg", lf.lfFaceName);
    HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_EQ(-MulDiv(8, GetDeviceCaps(hdc, LOGPIXELSY), 72), lf.lfHeight);
    DeleteDC(hdc);
}

TEST(GetStockObject, BrushAndPenColours) {
    LOGBRUSH lb{};
    GetObjectA(GetStockObject(BLACK_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), lb.lbStyle);
    EXPECT_EQ(RGB(0, 0, 0), lb.lbColor);
    GetObjectA(GetStockObject(NULL_BRUSH), sizeof(lb), &lb);
    EXPECT_EQ(static_cast<UINT>(BS_NULL), lb.lbStyle);
    LOGPEN lp{};
    GetObjectA(GetStockObject(WHITE_PEN), sizeof(lp), &lp);
    EXPECT_EQ(RGB(255, 255, 255), lp.lopnColor);
}

TEST(CreateFontIndirect, GetObjectGivesTheDescriptionBack) {
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    std::strcpy(lf.lfFaceName, "Arial Rounded");
    HFONT hFont = CreateFontIndirectA(&lf);
    ASSERT_NE(nullptr, hFont);
    LOGFONTA back{};
    EXPECT_EQ(static_cast<int>(sizeof(back)), GetObjectA(hFont, sizeof(back), &back));
    EXPECT_EQ(-13, back.lfHeight);
    EXPECT_EQ(FW_BOLD, back.lfWeight);
    EXPECT_EQ(TRUE, back.lfItalic);
    EXPECT_STREQ("Arial Rounded", back.lfFaceName);
    EXPECT_TRUE(DeleteObject(hFont));
}

TEST(GetObject, NullBufferGivesTheSize) {
    EXPECT_EQ(static_cast<int>(sizeof(LOGFONTA)),
              GetObjectA(GetStockObject(SYSTEM_FONT), 0, nullptr));
}

TEST(GetObject, DibSectionDescribesItsBitmap) {
    CTestCanvas canvas(7, 5);
    BITMAP bm{};
    ASSERT_EQ(static_cast<int>(sizeof(bm)), GetObjectA(canvas.Bitmap(), sizeof(bm), &bm));
    EXPECT_EQ(7, bm.bmWidth);
    EXPECT_EQ(5, bm.bmHeight);
    EXPECT_EQ(32, bm.bmBitsPixel);
    EXPECT_EQ(28, bm.bmWidthBytes);
    EXPECT_NE(nullptr, bm.bmBits);
}

TEST(CreateDC, FreshDcHasTheDefaultObjectsAndColours) {
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetStockObject(BLACK_PEN), GetCurrentObject(hdc, OBJ_PEN));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetCurrentObject(hdc, OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_EQ(RGB(0, 0, 0), GetTextColor(hdc));
    EXPECT_EQ(RGB(255, 255, 255), GetBkColor(hdc));
    EXPECT_EQ(OPAQUE, GetBkMode(hdc));
    DeleteDC(hdc);
}

TEST(SelectObject, ReturnsThePreviousObjectOfThatKind) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HBRUSH hbr = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_EQ(GetStockObject(BLACK_PEN), SelectObject(hdc, hPen));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), SelectObject(hdc, hbr));
    EXPECT_EQ(hPen, SelectObject(hdc, GetStockObject(WHITE_PEN)));
    EXPECT_EQ(hbr, GetCurrentObject(hdc, OBJ_BRUSH));
    SelectObject(hdc, GetStockObject(WHITE_BRUSH));
    DeleteDC(hdc);
    EXPECT_TRUE(DeleteObject(hPen));
    EXPECT_TRUE(DeleteObject(hbr));
}

TEST(SelectObject, BitmapGoesIntoOneMemoryDcAtATime) {
    HDC hdcFirst = CreateCompatibleDC(nullptr);
    HDC hdcSecond = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdcFirst, 4, 4);
    HGDIOBJ hOld = SelectObject(hdcFirst, hbm);
    EXPECT_NE(nullptr, hOld);
    EXPECT_EQ(nullptr, SelectObject(hdcSecond, hbm));
    SelectObject(hdcFirst, hOld);
    EXPECT_NE(nullptr, SelectObject(hdcSecond, hbm));
    DeleteDC(hdcSecond);
    DeleteDC(hdcFirst);
    DeleteObject(hbm);
}

TEST(SetBkMode, ReturnsThePreviousModeAndRefusesOthers) {
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(OPAQUE, SetBkMode(hdc, TRANSPARENT));
    EXPECT_EQ(TRANSPARENT, SetBkMode(hdc, OPAQUE));
    EXPECT_EQ(0, SetBkMode(hdc, 7));
    EXPECT_EQ(OPAQUE, GetBkMode(hdc));
    DeleteDC(hdc);
}

TEST(SaveDC, RestoreMinusOneGoesBackOneLevel) {
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(1, SaveDC(hdc));
    SetTextColor(hdc, RGB(1, 1, 1));
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(2, SaveDC(hdc));
    SetTextColor(hdc, RGB(2, 2, 2));
    SetBkMode(hdc, TRANSPARENT);
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(RGB(1, 1, 1), GetTextColor(hdc));
    EXPECT_EQ(OPAQUE, GetBkMode(hdc));
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_TRUE(RestoreDC(hdc, -1));
    EXPECT_EQ(RGB(0, 0, 0), GetTextColor(hdc));
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(hdc, OBJ_FONT));
    EXPECT_FALSE(RestoreDC(hdc, -1)) << "nothing left to restore";
    DeleteDC(hdc);
}

TEST(SaveDC, RestoreByLevelDropsLaterStates) {
    HDC hdc = CreateCompatibleDC(nullptr);
    SaveDC(hdc);
    SetTextColor(hdc, RGB(7, 7, 7));
    SaveDC(hdc);
    SaveDC(hdc);
    EXPECT_TRUE(RestoreDC(hdc, 1));
    EXPECT_EQ(RGB(0, 0, 0), GetTextColor(hdc));
    EXPECT_FALSE(RestoreDC(hdc, 2)) << "level 2 went with level 1";
    DeleteDC(hdc);
}

TEST(CreateCompatibleBitmap, FreshMemoryDcGivesMonochrome) {
    HDC hdcScreen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC hdcMemory = CreateCompatibleDC(hdcScreen);
    HBITMAP hbmMono = CreateCompatibleBitmap(hdcMemory, 8, 8);
    HBITMAP hbmColour = CreateCompatibleBitmap(hdcScreen, 8, 8);
    BITMAP bm{};
    GetObjectA(hbmMono, sizeof(bm), &bm);
    EXPECT_EQ(1, bm.bmBitsPixel);
    GetObjectA(hbmColour, sizeof(bm), &bm);
    EXPECT_EQ(GetDeviceCaps(hdcScreen, BITSPIXEL), bm.bmBitsPixel);
    EXPECT_EQ(8, bm.bmWidth);
    DeleteObject(hbmMono);
    DeleteObject(hbmColour);
    DeleteDC(hdcMemory);
    DeleteDC(hdcScreen);
}

TEST(CreateDIBSection, PositiveHeightStoresTheBottomRowFirst) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 3;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pvBits = nullptr;
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    ASSERT_NE(nullptr, hbm);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    SetPixel(hdc, 1, 2, RGB(10, 20, 30));
    GdiFlush();
    const BYTE* pBytes = static_cast<const BYTE*>(pvBits);
    EXPECT_EQ(30, pBytes[3]) << "blue of pixel (1, bottom)";
    EXPECT_EQ(20, pBytes[4]);
    EXPECT_EQ(10, pBytes[5]);
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
}

TEST(GetDIBits, ZeroBitCountAsksForTheFormat) {
    CTestCanvas canvas(5, 3);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_NE(0, GetDIBits(canvas.Dc(), canvas.Bitmap(), 0, 3, nullptr, &bmi, DIB_RGB_COLORS));
    EXPECT_EQ(5, bmi.bmiHeader.biWidth);
    EXPECT_EQ(3, bmi.bmiHeader.biHeight);
    EXPECT_EQ(32, bmi.bmiHeader.biBitCount);
}

TEST(GetDIBits, CopiesRowsInTheRequestedOrder) {
    CTestCanvas canvas(2, 2);
    SetPixel(canvas.Dc(), 0, 0, RGB(1, 2, 3));
    SetPixel(canvas.Dc(), 1, 1, RGB(4, 5, 6));
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 2;
    bmi.bmiHeader.biHeight = 2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    DWORD pixels[4] = {};
    HDC hdc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(2, GetDIBits(hdc, canvas.Bitmap(), 0, 2, pixels, &bmi, DIB_RGB_COLORS));
    DeleteDC(hdc);
    EXPECT_EQ(0x040506u, pixels[1] & 0xFFFFFFu) << "bottom-up: the first row is the bottom one";
    EXPECT_EQ(0x010203u, pixels[2] & 0xFFFFFFu);
}

TEST(GetDeviceCaps, DisplayDcDescribesTheScreen) {
    HDC hdc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hdc);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(hdc, HORZRES));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(hdc, VERTRES));
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), GetDeviceCaps(hdc, LOGPIXELSY));
    EXPECT_GT(GetDeviceCaps(hdc, LOGPIXELSY), 0);
    EXPECT_TRUE(DeleteDC(hdc));
}

struct CMetricCase {
    const char* m_pszName;
    int m_nIndex;
    int m_nValue;
};

const CMetricCase kMetricCases[] = {
    {"SM_CXICON", SM_CXICON, 32},        {"SM_CYICON", SM_CYICON, 32},
    {"SM_CXSMICON", SM_CXSMICON, 16},    {"SM_CYSMICON", SM_CYSMICON, 16},
    {"SM_CXBORDER", SM_CXBORDER, 1},     {"SM_CXEDGE", SM_CXEDGE, 2},
    {"SM_CXDLGFRAME", SM_CXDLGFRAME, 3}, {"SM_CXFIXEDFRAME", SM_CXFIXEDFRAME, 3},
};

TEST(GetSystemMetrics, ClassicValues) {
    for (const CMetricCase& metric : kMetricCases) {
        EXPECT_EQ(metric.m_nValue, GetSystemMetrics(metric.m_nIndex)) << metric.m_pszName;
    }
}

TEST(GetSysColorBrush, HasTheSystemColour) {
    for (int nIndex : {COLOR_BTNFACE, COLOR_WINDOW, COLOR_BTNTEXT, COLOR_3DSHADOW}) {
        LOGBRUSH lb{};
        ASSERT_NE(0, GetObjectA(GetSysColorBrush(nIndex), sizeof(lb), &lb)) << nIndex;
        EXPECT_EQ(GetSysColor(nIndex), lb.lbColor) << nIndex;
    }
}

TEST(SetCursorPos, GetCursorPosReadsItBack) {
    ASSERT_TRUE(SetCursorPos(40, 30));
    POINT pt{};
    ASSERT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(40, pt.x);
    EXPECT_EQ(30, pt.y);
}

}  // namespace
