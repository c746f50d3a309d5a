// The edit, button and static controls and the window menu. (Tooltips: the framework's tests.)
#include "win32_test.h"

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
        RegisterTestClass("Win32TestParent", ParentProc);
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

// Start -1 drops the selection where it ends; other values are clamped to the text.
TEST_F(ControlTest, EM_SETSEL_ClampsToTheText) {
    const struct {
        WPARAM nStart;
        LPARAM nEnd;
        DWORD dwStart, dwEnd;
    } cases[] = {
        {0, -1, 0, 5},  {2, 3, 2, 3}, {static_cast<WPARAM>(-1), 0, 3, 3},
        {3, 2, 2, 3},   {4, 0, 0, 4}, {32767, 32767, 5, 5},
        {100, 1, 1, 5}, {0, 0, 0, 0},
    };
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "hello");
    for (const auto& c : cases) {
        SendMessageA(hwndEdit, EM_SETSEL, c.nStart, c.nEnd);
        auto sel = Selection(hwndEdit);
        EXPECT_EQ(sel.first, c.dwStart) << "EM_SETSEL " << c.nStart << ", " << c.nEnd;
        EXPECT_EQ(sel.second, c.dwEnd) << "EM_SETSEL " << c.nStart << ", " << c.nEnd;
    }
    SetWindowTextA(hwndEdit, "12.5");
    EXPECT_EQ(Selection(hwndEdit), std::make_pair(DWORD{0}, DWORD{0}))
        << "WM_SETTEXT puts the caret first";
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
            SendMessageA(hwndEdit, WM_CHAR, static_cast<unsigned char>(*p), 1);
        EXPECT_EQ(TextOf(hwndEdit), c.pszResult) << c.pszText << " + " << c.pszTyped;
        DestroyWindow(hwndEdit);
    }
}

// A paste: the selection gives way to the text, within the text limit and a fixed width.
TEST_F(ControlTest, EM_REPLACESEL_ReplacesTheSelectionWithinTheLimits) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL, "hello");
    SendMessageA(hwndEdit, EM_SETSEL, 1, 4);
    SendMessageA(hwndEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("EY"));
    EXPECT_EQ(std::make_pair(TextOf(hwndEdit), Selection(hwndEdit)),
              std::make_pair(std::string("hEYo"), std::make_pair(DWORD{3}, DWORD{3})));
    const std::string strPage(100000, '7');
    SendMessageA(hwndEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(strPage.c_str()));
    EXPECT_LT(TextOf(hwndEdit).size(), 40000u) << "the default text limit";
    // Wine cuts an over-wide paste one character at a time, so a short one does here.
    HWND hwndFixed = Control("Edit", 0, "", 101, 30, 20);
    SendMessageA(hwndFixed, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(strPage.c_str() + 99900));
    EXPECT_LT(TextOf(hwndFixed).size(), 13u) << "no wider than the edit";
}

// Keys reach an edit as characters: letters follow Shift, digits and Backspace as typed.
TEST_F(ControlTest, TranslateMessage_TypesKeysIntoAnEdit) {
    HWND hwndEdit = Control("Edit", ES_AUTOHSCROLL);
    SetFocus(hwndEdit);
    SetShift(true);
    PressKey(nullptr, 'A');
    SetShift(false);
    for (WPARAM vk : {WPARAM{'B'}, WPARAM{'7'}, WPARAM{VK_SPACE}, WPARAM{VK_BACK}})
        PressKey(nullptr, vk);
    EXPECT_EQ(TextOf(hwndEdit), "Ab7");
}

// The program's value fields have no ES_AUTOHSCROLL: typing stops at the field's width.
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

TEST_F(ControlTest, Button_ClickTakesFocusAndNotifiesParentReleaseOutsideDoesNot) {
    HWND hwndButton = Control("Button", BS_PUSHBUTTON, "Go", 140);
    PostMessageA(hwndButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    PostMessageA(hwndButton, WM_LBUTTONUP, 0, MAKELPARAM(40, 10));
    PostMessageA(hwndButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 10));
    PostMessageA(hwndButton, WM_LBUTTONUP, 0, MAKELPARAM(200, 10));
    Pump(nullptr);
    EXPECT_EQ(GetFocus(), hwndButton);
    std::vector<WPARAM> expected{MAKEWPARAM(140, BN_CLICKED)};
    EXPECT_EQ(g_commands, expected);
    EXPECT_EQ(GetCapture(), nullptr);
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

TEST_F(ControlTest, GetSystemMenu_StandardItemsAndAppendedOnes) {
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
    EXPECT_TRUE(AppendMenuA(hMenu, MF_STRING, 0x10, "About"));
    EXPECT_EQ(GetMenuItemID(hMenu, 7 + nWineExtra), 0x10u);
    char sz[64];
    GetMenuStringA(hMenu, 0x10, sz, sizeof(sz), MF_BYCOMMAND);
    EXPECT_STREQ(sz, "About");
    EXPECT_EQ(GetSystemMenu(hwnd, FALSE), hMenu);
    HWND hwndPlain = Keep(CreateWindowExA(0, "Win32TestParent", "", WS_POPUP | WS_CAPTION, 0, 0,
                                          100, 100, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(GetSystemMenu(hwndPlain, FALSE), nullptr) << "none without WS_SYSMENU";
}

}  // namespace
}  // namespace win32test
