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

TEST(GetModuleFileName, GivesTheExecutablePath) {
    char szPath[MAX_PATH] = {};
    DWORD nLength = GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    ASSERT_GT(nLength, 0u);
    EXPECT_EQ(std::strlen(szPath), nLength);
    EXPECT_NE(nullptr, std::strstr(szPath, "test")) << szPath;
}

TEST(FindResource, ByIdAndTypeWithTheBytesAsCompiled) {
    struct {
        const char* m_pszTest;
        LPCSTR m_pszName;
        LPCSTR m_pszType;
        DWORD m_nSize;
        std::string m_strStart;
    } const kCases[] = {
        {"data by id", MAKEINTRESOURCEA(IDR_DATA), RT_RCDATA, 4, std::string("abc", 4)},
        {"data by name in another case", "testdata", RT_RCDATA, 4, "\x01\x02\x03\x04"},
        {"DIALOGEX", MAKEINTRESOURCEA(IDD_TEST), RT_DIALOG, 0, std::string("\x01\x00\xFF\xFF", 4)},
    };
    for (const auto& test : kCases) {
        HRSRC hrsrc = FindResourceA(Module(), test.m_pszName, test.m_pszType);
        ASSERT_NE(nullptr, hrsrc) << test.m_pszTest;
        if (test.m_nSize) {
            EXPECT_EQ(test.m_nSize, SizeofResource(Module(), hrsrc)) << test.m_pszTest;
        }
        const char* p = static_cast<const char*>(LockResource(LoadResource(Module(), hrsrc)));
        ASSERT_NE(nullptr, p) << test.m_pszTest;
        EXPECT_EQ(test.m_strStart, std::string(p, test.m_strStart.size())) << test.m_pszTest;
    }
    EXPECT_EQ(nullptr, FindResourceA(Module(), MAKEINTRESOURCEA(999), RT_RCDATA));
    EXPECT_EQ(nullptr, FindResourceA(Module(), MAKEINTRESOURCEA(IDR_DATA), RT_MENU));
}

// A short buffer gets as much as fits and its NUL; a missing string an empty text.
TEST(LoadString, FromTheStringTableBlocks) {
    struct {
        UINT m_nId;
        int m_nBuffer;
        const char* m_pszText;
    } const kCases[] = {
        {IDS_BLOCK2_FIRST, 64, "Block two"},
        {IDS_ABOUT, 64, "About"},
        {IDS_SECOND, 64, "Second string"},
        {IDS_BLOCK8_LAST, 64, "End of block"},
        {IDS_LONG, 5, "A st"},
        {103, 8, ""},
        {4000, 8, ""},
    };
    for (const auto& test : kCases) {
        char szText[64];
        std::memset(szText, 'x', sizeof szText);
        int nLength = LoadStringA(Module(), test.m_nId, szText, test.m_nBuffer);
        EXPECT_EQ(static_cast<int>(std::strlen(test.m_pszText)), nLength) << test.m_nId;
        EXPECT_STREQ(test.m_pszText, szText) << test.m_nId;
    }
}

// The icon's 32 x 32 image: left half red, right half blue, the top-left 4 x 4 transparent; its
// 16 x 16 image is green.
TEST(LoadIcon, DrawIconDrawsTheSystemSizedImageThroughTheMask) {
    HICON hIcon = LoadIconA(Module(), MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, LoadIconA(Module(), MAKEINTRESOURCEA(IDI_TEST))) << "shared";
    CTestCanvas canvas(40, 40);
    ASSERT_TRUE(DrawIcon(canvas.Dc(), 4, 4, hIcon));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5)) << "transparent corner";
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(4 + 10, 4 + 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(4 + 20, 4 + 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(4 + 31, 4 + 31));
    EXPECT_EQ(kWhite, canvas.Pixel(4 + 32, 4 + 31));
}

}  // namespace
