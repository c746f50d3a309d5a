// The edit, button, static and tooltip controls and the window menu.
#include "win32_test.h"

#include <commctrl.h>

namespace win32test {
namespace {

std::vector<WPARAM> g_commands;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_COMMAND) g_commands.push_back(wParam);
    if (nMsg == WM_CTLCOLORSTATIC && GetWindowLongPtrA(hwnd, GWLP_USERDATA))
        return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

class ControlTest : public CWin32Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.lpszClassName = "Win32TestParent";
        RegisterClassA(&wc);
        g_commands.clear();
        m_hwndParent = Keep(CreateWindowExA(0, "Win32TestParent", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                            300, 200, nullptr, nullptr, nullptr, nullptr));
    }
    HWND Control(const char* pszClass, DWORD dwStyle, const char* pszText = "", int nId = 100,
                 int cx = 80, int cy = 20) {
        return CreateWindowExA(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, 10, 10, cx,
                               cy, m_hwndParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                               nullptr, nullptr);
    }
    static std::pair<DWORD, DWORD> Selection(HWND hwndEdit) {
        DWORD dwStart = 0, dwEnd = 0;
        SendMessageA(hwndEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                     reinterpret_cast<LPARAM>(&dwEnd));
        return {dwStart, dwEnd};
    }
    HWND m_hwndParent = nullptr;
};

TEST_F(ControlTest, EM_SETSEL_ClampsToTextLength) {
    const struct {
        WPARAM nStart;
        LPARAM nEnd;
        DWORD dwStart, dwEnd;
    } cases[] = {
        {0, -1, 0, 5}, {2, 3, 2, 3}, {3, 2, 2, 3}, {32767, 32767, 5, 5}, {0, 100, 0, 5},
        {4, 0, 0, 4},  {5, 5, 5, 5}, {0, 0, 0, 0}, {100, 1, 1, 5},
    };
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "hello");
    for (const auto& c : cases) {
        SendMessageA(hwndEdit, EM_SETSEL, c.nStart, c.nEnd);
        auto sel = Selection(hwndEdit);
        EXPECT_EQ(sel.first, c.dwStart) << "EM_SETSEL " << c.nStart << ", " << c.nEnd;
        EXPECT_EQ(sel.second, c.dwEnd) << "EM_SETSEL " << c.nStart << ", " << c.nEnd;
    }
}

TEST_F(ControlTest, EM_SETSEL_StartMinusOneRemovesTheSelection) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "hello");
    SendMessageA(hwndEdit, EM_SETSEL, 1, 3);
    SendMessageA(hwndEdit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    auto sel = Selection(hwndEdit);
    EXPECT_EQ(sel.first, sel.second);
    EXPECT_EQ(sel.first, 3u);
}

TEST_F(ControlTest, WM_CHAR_ReplacesTheSelection) {
    const struct {
        const char* pszText;
        WPARAM nStart;
        LPARAM nEnd;
        const char* pszTyped;
        const char* pszResult;
    } cases[] = {
        {"hello", 5, 5, "!", "hello!"}, {"hello", 0, -1, "x", "x"},
        {"hello", 1, 4, "EY", "hEYo"},  {"hello", 5, 5, "\b\b", "hel"},
        {"hello", 0, 2, "\b", "llo"},   {"hello", 0, 0, "\b", "hello"},
        {"", 0, 0, "6,5", "6,5"},       {"abc", 3, 3, "\t\r", "abc"},
    };
    for (const auto& c : cases) {
        HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, c.pszText);
        SendMessageA(hwndEdit, EM_SETSEL, c.nStart, c.nEnd);
        for (const char* p = c.pszTyped; *p; ++p)
            SendMessageA(hwndEdit, WM_CHAR, *p, 1);
        EXPECT_EQ(TextOf(hwndEdit), c.pszResult) << c.pszText << " + " << c.pszTyped;
        DestroyWindow(hwndEdit);
    }
}

TEST_F(ControlTest, WM_SETTEXT_PutsTheCaretAtTheStart) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "");
    SetWindowTextA(hwndEdit, "12.5");
    auto sel = Selection(hwndEdit);
    EXPECT_EQ(sel.first, 0u);
    EXPECT_EQ(sel.second, 0u);
}

TEST_F(ControlTest, EM_REPLACESEL_InsertsAtTheCaret) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "(B+F)");
    SendMessageA(hwndEdit, EM_SETSEL, 5, 5);
    SendMessageA(hwndEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("*G"));
    EXPECT_EQ(TextOf(hwndEdit), "(B+F)*G");
    auto sel = Selection(hwndEdit);
    EXPECT_EQ(sel.first, 7u);
    EXPECT_EQ(sel.second, 7u);
}

TEST_F(ControlTest, EM_LIMITTEXT_DefaultAndTypingPastTheLimit) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "");
    EXPECT_EQ(SendMessageA(hwndEdit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(hwndEdit, EM_LIMITTEXT, 3, 0);
    for (char ch : std::string("12345"))
        SendMessageA(hwndEdit, WM_CHAR, ch, 1);
    EXPECT_EQ(TextOf(hwndEdit), "123");
}

TEST_F(ControlTest, WM_CHAR_FixedWidthEditTakesOnlyWhatFits) {
    HWND hwndEdit = Control("Edit", 0, "", 100, 30, 20);
    for (char ch : std::string("1234567890123"))
        SendMessageA(hwndEdit, WM_CHAR, ch, 1);
    std::string strTyped = TextOf(hwndEdit);
    EXPECT_LT(strTyped.size(), 13u);
    EXPECT_EQ(std::string("1234567890123").compare(0, strTyped.size(), strTyped), 0) << strTyped;
    SetWindowTextA(hwndEdit, "1234567890123");
    EXPECT_EQ(TextOf(hwndEdit), "1234567890123") << "WM_SETTEXT is not limited by the width";
}

TEST_F(ControlTest, Edit_WM_GETDLGCODE) {
    HWND hwndSingle = Control("Edit", ES_AUTOHSCROLL);
    HWND hwndMulti = Control("Edit", ES_MULTILINE, "", 101);
    LRESULT nSingle = SendMessageA(hwndSingle, WM_GETDLGCODE, 0, 0);
    LRESULT nMulti = SendMessageA(hwndMulti, WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(nSingle & DLGC_HASSETSEL);
    EXPECT_TRUE(nSingle & DLGC_WANTCHARS);
    EXPECT_FALSE(nSingle & DLGC_WANTALLKEYS);
    EXPECT_TRUE(nMulti & DLGC_WANTALLKEYS);
}

TEST_F(ControlTest, Button_ClickTakesFocusAndNotifiesParent) {
    HWND hwndButton = Control("Button", BS_PUSHBUTTON, "Go", 140);
    PostMessageA(hwndButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    PostMessageA(hwndButton, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    Pump(nullptr);
    EXPECT_EQ(GetFocus(), hwndButton);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], MAKEWPARAM(140, BN_CLICKED));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlTest, Button_ReleaseOutsideDoesNotClick) {
    HWND hwndButton = Control("Button", BS_PUSHBUTTON, "Go", 140);
    SendMessageA(hwndButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    SendMessageA(hwndButton, WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(ControlTest, BM_CLICK_SendsBN_CLICKED) {
    HWND hwndButton = Control("Button", BS_PUSHBUTTON, "Go", 141);
    SendMessageA(hwndButton, BM_CLICK, 0, 0);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0], MAKEWPARAM(141, BN_CLICKED));
}

TEST_F(ControlTest, Button_WM_GETDLGCODE) {
    const struct {
        DWORD dwStyle;
        LRESULT nCode;
    } cases[] = {{BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
                 {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
                 {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
                 {BS_GROUPBOX, DLGC_STATIC}};
    for (const auto& c : cases) {
        HWND hwnd = Control("Button", c.dwStyle);
        EXPECT_EQ(SendMessageA(hwnd, WM_GETDLGCODE, 0, 0), c.nCode) << "style " << c.dwStyle;
        DestroyWindow(hwnd);
    }
}

TEST_F(ControlTest, BM_SETSTYLE_ChangesTheDefaultLook) {
    HWND hwnd = Control("Button", BS_DEFPUSHBUTTON);
    SendMessageA(hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
}

TEST_F(ControlTest, STM_SETIMAGE_BitmapStaticTakesTheBitmapSize) {
    HDC hdc = GetDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, 40, 30);
    ReleaseDC(nullptr, hdc);
    const struct {
        DWORD dwStyle;
        LONG cx, cy;
    } cases[] = {{SS_BITMAP, 40, 30}, {SS_BITMAP | SS_CENTERIMAGE, 12, 10}};
    for (const auto& c : cases) {
        HWND hwnd = Control("Static", c.dwStyle, "", 100, 12, 10);
        SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hbm));
        EXPECT_EQ(SendMessageA(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0),
                  reinterpret_cast<LRESULT>(hbm));
        RECT rc;
        GetClientRect(hwnd, &rc);
        EXPECT_EQ(rc.right, c.cx) << "style " << c.dwStyle;
        EXPECT_EQ(rc.bottom, c.cy) << "style " << c.dwStyle;
        DestroyWindow(hwnd);
    }
    DeleteObject(hbm);
}

TEST_F(ControlTest, WM_CTLCOLORSTATIC_BrushPaintsTheStatic) {
    HBRUSH hbrRed = CreateSolidBrush(RGB(255, 0, 0));
    SetWindowLongPtrA(m_hwndParent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hbrRed));
    HWND hwnd = Control("Static", SS_LEFT, "");
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC hdc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(hdc, 5, 5), RGB(255, 0, 0));
    ReleaseDC(hwnd, hdc);
    SetWindowLongPtrA(m_hwndParent, GWLP_USERDATA, 0);
    DeleteObject(hbrRed);
}

TEST_F(ControlTest, Static_WM_SETFONTIsKept) {
    HWND hwnd = Control("Static", SS_LEFT, "Label");
    auto hFont = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(hwnd, WM_SETFONT, hFont, FALSE);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0), static_cast<LRESULT>(hFont));
}

TEST_F(ControlTest, GetSystemMenu_StandardItems) {
    HWND hwnd = Keep(CreateWindowExA(WS_EX_DLGMODALFRAME, "Win32TestParent", "Menu",
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 200,
                                     100, nullptr, nullptr, nullptr, nullptr));
    HMENU hMenu = GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(hMenu, nullptr);
    const UINT ids[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
    // Wine adds a separator and its own "About Wine" item to every window menu.
    const int nWineExtra = win32test::IsWine() ? 2 : 0;
    ASSERT_EQ(GetMenuItemCount(hMenu), 7 + nWineExtra);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(GetMenuItemID(hMenu, i), ids[i]) << "position " << i;
    EXPECT_TRUE(GetMenuState(hMenu, 5, MF_BYPOSITION) & MF_SEPARATOR);
    char sz[64];
    GetMenuStringA(hMenu, SC_CLOSE, sz, sizeof(sz), MF_BYCOMMAND);
    EXPECT_STREQ(sz, "&Close\tAlt+F4");
    EXPECT_TRUE(AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr));
    EXPECT_TRUE(AppendMenuA(hMenu, MF_STRING, 0x10, "About"));
    EXPECT_EQ(GetMenuItemCount(hMenu), 9 + nWineExtra);
    EXPECT_EQ(GetMenuItemID(hMenu, 8 + nWineExtra), 0x10u);
    GetMenuStringA(hMenu, 0x10, sz, sizeof(sz), MF_BYCOMMAND);
    EXPECT_STREQ(sz, "About");
    EXPECT_EQ(GetSystemMenu(hwnd, FALSE), hMenu);
}

TEST_F(ControlTest, GetSystemMenu_NoneWithoutWS_SYSMENU) {
    HWND hwnd = Keep(CreateWindowExA(0, "Win32TestParent", "", WS_POPUP | WS_CAPTION, 0, 0, 100,
                                     100, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetSystemMenu(hwnd, FALSE), nullptr);
}

TEST_F(ControlTest, TTM_ADDTOOLA_KeepsToolsAndTexts) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HWND hwndTip = Keep(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                                        0, 0, m_hwndParent, nullptr, nullptr, nullptr));
    ASSERT_NE(hwndTip, nullptr);
    char szText[] = "Tip text";
    TOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = m_hwndParent;
    ti.uId = reinterpret_cast<UINT_PTR>(m_hwndParent);
    ti.lpszText = szText;
    EXPECT_TRUE(SendMessageA(hwndTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(SendMessageA(hwndTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char szUpdated[] = "New text";
    ti.lpszText = szUpdated;
    SendMessageA(hwndTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    char szRead[80] = "";
    ti.lpszText = szRead;
    SendMessageA(hwndTip, TTM_GETTEXTA, sizeof(szRead), reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(szRead, "New text");
    SendMessageA(hwndTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(SendMessageA(hwndTip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

}  // namespace
}  // namespace win32test
