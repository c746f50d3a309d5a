// Conformance of the module and resource calls against test_resources.rc, linked on either host.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "gdi_test_canvas.h"
#include "test_resources.h"
#include "win32_test.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

TEST(GetModuleHandle, NullIsTheExecutable) {
    HMODULE hModule = GetModuleHandleA(nullptr);
    EXPECT_NE(nullptr, hModule);
    EXPECT_EQ(hModule, GetModuleHandleA(nullptr));
}

TEST(GetModuleFileName, GivesTheExecutablePath) {
    char szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    ASSERT_GT(nLength, 0u);
    EXPECT_EQ(std::strlen(szPath), nLength);
    EXPECT_NE(nullptr, std::strstr(szPath, "test")) << szPath;
}

TEST(GetModuleFileName, ShortBufferIsTruncatedAndTerminated) {
    char szPath[4] = {'x', 'x', 'x', 'x'};
    SetLastError(0);
    EXPECT_EQ(4u, GetModuleFileNameA(nullptr, szPath, 4));
    if (win32test::IsWine())
        GTEST_SKIP() << "Wine cuts without a NUL and no error, as Windows XP did";
    EXPECT_EQ('\0', szPath[3]);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(FindResource, IntegerStringAndHashNames) {
    struct {
        const char* m_pszTest;
        LPCSTR m_pszName;
        LPCSTR m_pszType;
        DWORD m_nSize;
    } const kCases[] = {
        {"ordinal", MAKEINTRESOURCEA(IDR_DATA), RT_RCDATA, 4},
        {"hash ordinal", "#501", RT_RCDATA, 4},
        {"string name", "TESTDATA", RT_RCDATA, 4},
        {"string name in lower case", "testdata", RT_RCDATA, 4},
    };
    for (const auto& test : kCases) {
        HRSRC hrsrc = FindResourceA(Module(), test.m_pszName, test.m_pszType);
        ASSERT_NE(nullptr, hrsrc) << test.m_pszTest;
        EXPECT_EQ(test.m_nSize, SizeofResource(Module(), hrsrc)) << test.m_pszTest;
    }
}

TEST(FindResource, RcDataBytes) {
    HRSRC hrsrc = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_DATA), RT_RCDATA);
    ASSERT_NE(nullptr, hrsrc);
    const char* pData = static_cast<const char*>(LockResource(LoadResource(Module(), hrsrc)));
    ASSERT_NE(nullptr, pData);
    EXPECT_STREQ("abc", pData);
    hrsrc = FindResourceA(nullptr, "TESTDATA", RT_RCDATA);
    const BYTE* pBytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, hrsrc)));
    ASSERT_NE(nullptr, pBytes);
    EXPECT_EQ(1, pBytes[0]);
    EXPECT_EQ(4, pBytes[3]);
}

TEST(FindResource, Dialog) {
    HRSRC hrsrc = FindResourceA(Module(), MAKEINTRESOURCEA(IDD_TEST), RT_DIALOG);
    ASSERT_NE(nullptr, hrsrc);
    const WORD* pWords = static_cast<const WORD*>(LockResource(LoadResource(Module(), hrsrc)));
    ASSERT_NE(nullptr, pWords);
    EXPECT_EQ(1, pWords[0]) << "DLGTEMPLATEEX dlgVer";
    EXPECT_EQ(0xFFFF, pWords[1]) << "DLGTEMPLATEEX signature";
}

TEST(FindResource, MissingNameFails) {
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(Module(), MAKEINTRESOURCEA(999), RT_RCDATA));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(Module(), MAKEINTRESOURCEA(IDR_DATA), RT_MENU));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND), GetLastError());
}

TEST(LoadString, FromStringTableBlock) {
    struct {
        UINT m_nId;
        const char* m_pszText;
    } const kCases[] = {
        {IDS_BLOCK2_FIRST, "Block two"},
        {IDS_ABOUT, "About"},
        {IDS_SECOND, "Second string"},
        {IDS_BLOCK8_LAST, "End of block"},
    };
    for (const auto& test : kCases) {
        char szText[64] = {};
        int nLength = LoadStringA(Module(), test.m_nId, szText, sizeof(szText));
        EXPECT_EQ(static_cast<int>(std::strlen(test.m_pszText)), nLength) << test.m_nId;
        EXPECT_STREQ(test.m_pszText, szText) << test.m_nId;
    }
}

TEST(LoadString, ShortBufferIsTruncatedAndTerminated) {
    char szText[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(4, LoadStringA(Module(), IDS_LONG, szText, 5));
    EXPECT_STREQ("A st", szText);
}

TEST(LoadString, MissingStringGivesEmptyText) {
    char szText[8] = {'x', 'x', 0};
    EXPECT_EQ(0, LoadStringA(Module(), 103, szText, sizeof(szText))) << "empty slot of a block";
    EXPECT_STREQ("", szText);
    szText[0] = 'x';
    EXPECT_EQ(0, LoadStringA(Module(), 4000, szText, sizeof(szText))) << "no such block";
    EXPECT_STREQ("", szText);
}

// The icon's 32 x 32 image: left half red, right half blue, the top-left 4 x 4 transparent.
TEST(LoadIcon, PicksTheSystemSizedImage) {
    HICON hIcon = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, LoadIconA(Module(), MAKEINTRESOURCEA(IDI_TEST))) << "shared";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hIcon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(32, bm.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST(DrawIcon, DrawsThroughTheMask) {
    CTestCanvas canvas(40, 40);
    HICON hIcon = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_TRUE(DrawIcon(canvas.Dc(), 4, 4, hIcon));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5)) << "transparent corner";
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(4 + 10, 4 + 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(4 + 20, 4 + 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(4 + 31, 4 + 31));
    EXPECT_EQ(kWhite, canvas.Pixel(4 + 32, 4 + 31));
}

TEST(LoadImage, SmallIconSizePicksTheSmallImage) {
    HICON hIcon =
        static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(IDI_TEST), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, hIcon);
    CTestCanvas canvas(40, 40);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, hIcon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(15, 15));
    EXPECT_EQ(kWhite, canvas.Pixel(16, 15)) << "drawn at its own size";
    ASSERT_TRUE(DrawIcon(canvas.Dc(), 0, 0, hIcon));
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(31, 31)) << "DrawIcon uses the system icon size";
    EXPECT_TRUE(DestroyIcon(hIcon));
}

TEST(LoadIcon, SystemIconsAndCursors) {
    HICON hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_NE(nullptr, LoadIconA(nullptr, IDI_ERROR));
    EXPECT_NE(nullptr, LoadCursorA(nullptr, IDC_ARROW));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, IDC_ARROW), &info));
    EXPECT_FALSE(info.fIcon);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

// The bitmap: top row red, green, blue; bottom row white, black, grey.
TEST(LoadBitmap, ReadsTheResourcePixels) {
    HBITMAP hbm = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TEST));
    ASSERT_NE(nullptr, hbm);
    BITMAP bm{};
    GetObjectA(hbm, sizeof(bm), &bm);
    EXPECT_EQ(3, bm.bmWidth);
    EXPECT_EQ(2, bm.bmHeight);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(hdc, 0, 0));
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(hdc, 2, 0));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hdc, 0, 1));
    EXPECT_EQ(RGB(128, 128, 128), GetPixel(hdc, 2, 1));
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
    DeleteObject(hbm);
}

TEST(LoadImage, CreateDibSectionKeepsTheColourDepth) {
    HBITMAP hbm = static_cast<HBITMAP>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDB_TEST), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, hbm);
    BITMAP bm{};
    GetObjectA(hbm, sizeof(bm), &bm);
    EXPECT_EQ(24, bm.bmBitsPixel);
    EXPECT_NE(nullptr, bm.bmBits);
    const BYTE* pBottomRow = static_cast<const BYTE*>(bm.bmBits);
    EXPECT_EQ(255, pBottomRow[0]) << "bottom-left is white";
    DeleteObject(hbm);
}

TEST(LoadBitmap, MissingBitmapIsNull) {
    EXPECT_EQ(nullptr, LoadBitmapA(Module(), MAKEINTRESOURCEA(999)));
}

}  // namespace
