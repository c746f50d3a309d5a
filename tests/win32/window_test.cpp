// Windows: creation and destruction messages, the window tree, longs, text, geometry, showing.
#include <algorithm>

#include "win32_test.h"

namespace win32test {
namespace {

const char kClass[] = "Win32TestRecorder";

std::vector<UINT>* g_pMessages = nullptr;
std::vector<HWND>* g_pOrder = nullptr;

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (g_pMessages) g_pMessages->push_back(nMsg);
    if (g_pOrder && (nMsg == WM_DESTROY || nMsg == WM_NCDESTROY)) g_pOrder->push_back(hwnd);
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

class WindowTest : public CWin32Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);
    }
    void TearDown() override {
        g_pMessages = nullptr;
        g_pOrder = nullptr;
        CWin32Test::TearDown();
    }
    HWND Popup(DWORD dwStyle = WS_POPUP | WS_VISIBLE, DWORD dwExStyle = 0) {
        return Keep(CreateWindowExA(dwExStyle, kClass, "Top", dwStyle, 10, 20, 300, 200, nullptr,
                                    nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    HWND Child(HWND hwndParent, int nId, DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwExStyle = 0,
               const char* pszClass = kClass) {
        return CreateWindowExA(dwExStyle, pszClass, "Child", dwStyle, 5, 6, 50, 40, hwndParent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                               GetModuleHandleA(nullptr), nullptr);
    }
};

size_t IndexOf(const std::vector<UINT>& messages, UINT nMsg) {
    for (size_t i = 0; i < messages.size(); ++i)
        if (messages[i] == nMsg) return i;
    return messages.size();
}

TEST_F(WindowTest, CreateWindowEx_SendsNCCREATEBeforeCREATE) {
    std::vector<UINT> messages;
    g_pMessages = &messages;
    HWND hwnd = Popup(WS_POPUP);
    ASSERT_NE(hwnd, nullptr);
    size_t nNcCreate = IndexOf(messages, WM_NCCREATE), nCreate = IndexOf(messages, WM_CREATE);
    ASSERT_LT(nNcCreate, messages.size());
    ASSERT_LT(nCreate, messages.size());
    EXPECT_LT(nNcCreate, nCreate);
    EXPECT_EQ(TextOf(hwnd), "Top") << "DefWindowProc stores the name at WM_NCCREATE";
}

TEST_F(WindowTest, CreateWindowEx_ChildrenStackInCreationOrderFirstOnTop) {
    HWND hwndParent = Popup();
    HWND hwnd1 = Child(hwndParent, 1), hwnd2 = Child(hwndParent, 2), hwnd3 = Child(hwndParent, 3);
    EXPECT_EQ(GetWindow(hwndParent, GW_CHILD), hwnd1);
    EXPECT_EQ(GetWindow(hwnd1, GW_HWNDNEXT), hwnd2);
    EXPECT_EQ(GetWindow(hwnd2, GW_HWNDNEXT), hwnd3);
    EXPECT_EQ(GetWindow(hwnd3, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(hwnd3, GW_HWNDPREV), hwnd2);
    EXPECT_EQ(GetWindow(hwnd2, GW_HWNDFIRST), hwnd1);
    EXPECT_EQ(GetWindow(hwnd1, GW_HWNDLAST), hwnd3);
    EXPECT_EQ(GetDlgItem(hwndParent, 2), hwnd2);
    EXPECT_EQ(GetParent(hwnd2), hwndParent);
    EXPECT_TRUE(IsChild(hwndParent, hwnd2));
    EXPECT_FALSE(IsChild(hwnd2, hwndParent));
}

TEST_F(WindowTest, DestroyWindow_DestroysParentFirstAndFreesChildrenFirst) {
    HWND hwndParent = Popup();
    HWND hwndChild = Child(hwndParent, 1);
    HWND hwndGrandChild = Child(hwndChild, 2);
    std::vector<HWND> order;
    g_pOrder = &order;
    std::vector<UINT> messages;
    g_pMessages = &messages;
    ASSERT_TRUE(DestroyWindow(hwndParent));
    std::vector<HWND> expected{hwndParent,     hwndChild, hwndGrandChild,
                               hwndGrandChild, hwndChild, hwndParent};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(hwndParent));
    EXPECT_FALSE(IsWindow(hwndGrandChild));
}

TEST_F(WindowTest, DestroyWindow_FocusedChildLeavesNoFocus) {
    HWND hwndParent = Popup();
    HWND hwndChild = Child(hwndParent, 1);
    SetFocus(hwndChild);
    ASSERT_EQ(GetFocus(), hwndChild);
    DestroyWindow(hwndChild);
    EXPECT_NE(GetFocus(), hwndChild);
}

LRESULT CALLBACK UpperCaseTextProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto pfnOld = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (nMsg == WM_GETTEXTLENGTH) return 42;
    return CallWindowProcA(pfnOld, hwnd, nMsg, wParam, lParam);
}

TEST_F(WindowTest, SetWindowLongPtr_GWLP_WNDPROCSubclasses) {
    HWND hwnd = Popup();
    LONG_PTR pfnOld =
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UpperCaseTextProc));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, pfnOld);
    EXPECT_EQ(pfnOld, reinterpret_cast<LONG_PTR>(RecorderProc));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(UpperCaseTextProc));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 42);
    EXPECT_EQ(TextOf(hwnd), "Top") << "other messages reach the original procedure";
}

TEST_F(WindowTest, GetWindowLong_StylesIdsAndUserData) {
    HWND hwndParent = Popup();
    HWND hwnd = Child(hwndParent, 77, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_ID), 77);
    EXPECT_EQ(GetDlgCtrlID(hwnd), 77);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 5);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 5);
    SetWindowLongA(hwnd, GWL_STYLE, GetWindowLongA(hwnd, GWL_STYLE) & ~WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(WindowTest, WM_SETTEXT_WM_GETTEXT) {
    HWND hwndParent = Popup();
    const char* const classes[] = {kClass, "Button", "Edit", "Static"};
    for (const char* pszClass : classes) {
        HWND hwnd = Child(hwndParent, 1, WS_CHILD, 0, pszClass);
        ASSERT_NE(hwnd, nullptr) << pszClass;
        EXPECT_TRUE(SetWindowTextA(hwnd, "Hello world")) << pszClass;
        EXPECT_EQ(GetWindowTextLengthA(hwnd), 11) << pszClass;
        char sz[6] = "xxxxx";
        EXPECT_EQ(GetWindowTextA(hwnd, sz, sizeof(sz)), 5) << pszClass;
        EXPECT_STREQ(sz, "Hello") << pszClass << ": cut to the buffer, terminated";
        SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        EXPECT_EQ(GetWindowTextLengthA(hwnd), 0) << pszClass;
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowTest, WM_SETFONT_DefWindowProcKeepsNoFont) {
    HWND hwnd = Popup();
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0), 0);
}

TEST_F(WindowTest, WM_SETICON_WM_GETICON) {
    HWND hwnd = Popup();
    HICON hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_EQ(SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon)), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon));
    EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_SETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon));
}

TEST_F(WindowTest, GetClientRect_ChildBordersReduceTheClientArea) {
    HWND hwndParent = Popup();
    const struct {
        DWORD dwStyle, dwExStyle;
        int nInset;
    } cases[] = {
        {0, 0, 0},
        {WS_BORDER, 0, GetSystemMetrics(SM_CXBORDER)},
        {0, WS_EX_CLIENTEDGE, GetSystemMetrics(SM_CXEDGE)},
        {WS_BORDER, WS_EX_CLIENTEDGE, GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXEDGE)},
    };
    for (const auto& c : cases) {
        HWND hwnd = Child(hwndParent, 1, WS_CHILD | WS_VISIBLE | c.dwStyle, c.dwExStyle);
        RECT rc;
        GetClientRect(hwnd, &rc);
        EXPECT_EQ(rc.right, 50 - 2 * c.nInset) << "style " << c.dwStyle << "/" << c.dwExStyle;
        EXPECT_EQ(rc.bottom, 40 - 2 * c.nInset) << "style " << c.dwStyle << "/" << c.dwExStyle;
        POINT pt{0, 0};
        ClientToScreen(hwnd, &pt);
        RECT rcWindow;
        GetWindowRect(hwnd, &rcWindow);
        EXPECT_EQ(pt.x - rcWindow.left, c.nInset);
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowTest, GetClientRect_TopLevelCaptionAndFrame) {
    const DWORD styles[] = {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_POPUP | WS_BORDER,
                            WS_POPUP | WS_CAPTION | WS_THICKFRAME};
    for (DWORD dwStyle : styles) {
        HWND hwnd = Popup(dwStyle | WS_VISIBLE, dwStyle & WS_CAPTION ? WS_EX_DLGMODALFRAME : 0);
        RECT rcWindow, rcClient;
        GetWindowRect(hwnd, &rcWindow);
        GetClientRect(hwnd, &rcClient);
        RECT rcAdjusted = rcClient;
        AdjustWindowRectEx(&rcAdjusted, dwStyle, FALSE,
                           dwStyle & WS_CAPTION ? WS_EX_DLGMODALFRAME : 0);
        EXPECT_EQ(rcAdjusted.right - rcAdjusted.left, rcWindow.right - rcWindow.left) << dwStyle;
        EXPECT_EQ(rcAdjusted.bottom - rcAdjusted.top, rcWindow.bottom - rcWindow.top) << dwStyle;
        DestroyWindow(hwnd);
    }
    RECT rc{0, 0, 100, 100};
    AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(-rc.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));
    EXPECT_EQ(-rc.left, GetSystemMetrics(SM_CXDLGFRAME));
}

TEST_F(WindowTest, MapWindowPoints_BetweenSiblingsAndScreen) {
    HWND hwndParent = Popup(WS_POPUP | WS_VISIBLE);
    HWND hwndChild = Child(hwndParent, 1);
    POINT pt{1, 2};
    MapWindowPoints(hwndChild, hwndParent, &pt, 1);
    EXPECT_EQ(pt.x, 6);
    EXPECT_EQ(pt.y, 8);
    POINT ptScreen{0, 0};
    ClientToScreen(hwndChild, &ptScreen);
    EXPECT_EQ(ptScreen.x, 15);
    EXPECT_EQ(ptScreen.y, 26);
    ScreenToClient(hwndParent, &ptScreen);
    EXPECT_EQ(ptScreen.x, 5);
    EXPECT_EQ(ptScreen.y, 6);
}

TEST_F(WindowTest, SetWindowPos_SendsSizeAndMove) {
    HWND hwndParent = Popup();
    HWND hwnd = Child(hwndParent, 1);
    std::vector<UINT> messages;
    g_pMessages = &messages;
    MoveWindow(hwnd, 7, 8, 30, 20, TRUE);
    EXPECT_LT(IndexOf(messages, WM_WINDOWPOSCHANGED), messages.size());
    EXPECT_LT(IndexOf(messages, WM_SIZE), messages.size());
    EXPECT_LT(IndexOf(messages, WM_MOVE), messages.size());
    RECT rc;
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(nullptr, hwndParent, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 7);
    EXPECT_EQ(rc.bottom, 28);
}

TEST_F(WindowTest, IsWindowVisible_NeedsEveryAncestorVisible) {
    HWND hwndParent = Popup(WS_POPUP);
    HWND hwndChild = Child(hwndParent, 1);
    EXPECT_TRUE(GetWindowLongA(hwndChild, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(hwndChild));
    ShowWindow(hwndParent, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(hwndChild));
    EXPECT_TRUE(ShowWindow(hwndChild, SW_HIDE)) << "returns the earlier visibility";
    EXPECT_FALSE(IsWindowVisible(hwndChild));
    EXPECT_FALSE(ShowWindow(hwndChild, SW_HIDE));
}

TEST_F(WindowTest, ShowWindow_SendsWM_SHOWWINDOW) {
    HWND hwndParent = Popup();
    HWND hwnd = Child(hwndParent, 1, WS_CHILD);
    std::vector<UINT> messages;
    g_pMessages = &messages;
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_LT(IndexOf(messages, WM_SHOWWINDOW), messages.size());
}

TEST_F(WindowTest, ShowWindow_MinimizeEmptiesClientRectAndRestoreBringsItBack) {
    HWND hwnd = Popup(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE);
    RECT rcBefore;
    GetWindowRect(hwnd, &rcBefore);
    ShowWindow(hwnd, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(hwnd));
    RECT rc;
    GetClientRect(hwnd, &rc);
    EXPECT_TRUE(IsRectEmpty(&rc));
    EXPECT_EQ(rc.right, 0);
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsIconic(hwnd));
    GetWindowRect(hwnd, &rc);
    EXPECT_TRUE(EqualRect(&rc, &rcBefore));
}

std::vector<WPARAM>* g_pSizeTypes = nullptr;

LRESULT CALLBACK SizeProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_SIZE && g_pSizeTypes) g_pSizeTypes->push_back(wParam);
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

TEST_F(WindowTest, WM_SYSCOMMAND_MinimizeAndRestoreSendSizeTypes) {
    HWND hwnd = Popup(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SizeProc));
    std::vector<WPARAM> types;
    g_pSizeTypes = &types;
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    g_pSizeTypes = nullptr;
    ASSERT_GE(types.size(), 2u);
    EXPECT_EQ(types.front(), static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(types.back(), static_cast<WPARAM>(SIZE_RESTORED));
}

TEST_F(WindowTest, WM_SYSCOMMAND_SC_CLOSEDestroysThroughWM_CLOSE) {
    HWND hwnd = Popup();
    std::vector<UINT> messages;
    g_pMessages = &messages;
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_LT(IndexOf(messages, WM_CLOSE), messages.size());
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowTest, EnableWindow_SendsWM_ENABLEAndReturnsEarlierState) {
    HWND hwndParent = Popup();
    HWND hwnd = Child(hwndParent, 1);
    std::vector<UINT> messages;
    g_pMessages = &messages;
    EXPECT_FALSE(EnableWindow(hwnd, FALSE));
    EXPECT_LT(IndexOf(messages, WM_ENABLE), messages.size());
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

TEST_F(WindowTest, EnumChildWindows_VisitsDescendantsInZOrder) {
    HWND hwndParent = Popup();
    HWND hwnd1 = Child(hwndParent, 1), hwnd2 = Child(hwndParent, 2);
    HWND hwnd11 = Child(hwnd1, 11);
    std::vector<HWND> seen;
    EnumChildWindows(hwndParent, CollectWindow, reinterpret_cast<LPARAM>(&seen));
    std::vector<HWND> expected{hwnd1, hwnd11, hwnd2};
    EXPECT_EQ(seen, expected);
}

TEST_F(WindowTest, EnumThreadWindows_ListsTopLevelWindowsOfTheThread) {
    HWND hwndA = Popup(), hwndB = Popup();
    HWND hwndChild = Child(hwndA, 1);
    std::vector<HWND> seen;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&seen));
    EXPECT_NE(std::find(seen.begin(), seen.end(), hwndA), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), hwndB), seen.end());
    EXPECT_EQ(std::find(seen.begin(), seen.end(), hwndChild), seen.end());
}

TEST_F(WindowTest, WindowFromPoint_SkipsHiddenChildren) {
    HWND hwndParent = Popup(WS_POPUP | WS_VISIBLE);
    HWND hwndHidden = Child(hwndParent, 1);
    HWND hwndBelow = Child(hwndParent, 2);
    POINT pt{0, 0};
    ClientToScreen(hwndHidden, &pt);
    pt.x += 3;
    pt.y += 3;
    EXPECT_EQ(WindowFromPoint(pt), hwndHidden);
    ShowWindow(hwndHidden, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(pt), hwndBelow);
    ShowWindow(hwndBelow, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(pt), hwndParent);
}

LRESULT CALLBACK TransparentProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

// A popup filled with one colour by its class brush.
HWND ColouredPopup(const char* pszClass, COLORREF cr, int x, int y,
                   WNDPROC pfnProc = DefWindowProcA) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(cr);
    wc.lpszClassName = pszClass;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, pszClass, "", WS_POPUP | WS_VISIBLE, x, y, 100, 80, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

// Lets a real display catch up: windows are shown and exposed through the message queue.
void SettleScreen() {
    for (int nRound = 0; nRound < 5; ++nRound) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(20);
    }
}

COLORREF ScreenPixel(int x, int y) {
    HDC hdc = GetDC(nullptr);
    COLORREF cr = GetPixel(hdc, x, y);
    ReleaseDC(nullptr, hdc);
    return cr;
}

TEST_F(WindowTest, RedrawWindow_LowerWindowDoesNotPaintOverTheOneAbove) {
    // Far from where other tests put their windows; a real display shows windows asynchronously.
    HWND hwndLower = Keep(ColouredPopup("LowerRed", RGB(255, 0, 0), 700, 500));
    HWND hwndUpper = Keep(ColouredPopup("UpperBlue", RGB(0, 0, 255), 750, 530));
    ASSERT_NE(hwndUpper, nullptr);
    SettleScreen();
    RedrawWindow(hwndLower, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SettleScreen();
    EXPECT_EQ(ScreenPixel(760, 540), RGB(0, 0, 255)) << "overlap keeps the upper window";
    EXPECT_EQ(ScreenPixel(710, 510), RGB(255, 0, 0)) << "the rest shows the lower window";
}

HWND ColouredChild(HWND hwndParent, const char* pszClass, COLORREF cr, int x, int y,
                   DWORD dwStyle) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(cr);
    wc.lpszClassName = pszClass;
    RegisterClassA(&wc);
    return CreateWindowExA(0, pszClass, "", WS_CHILD | WS_VISIBLE | dwStyle, x, y, 40, 30,
                           hwndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST_F(WindowTest, WS_CLIPSIBLINGS_KeepsAChildFromPaintingOverTheSiblingAboveIt) {
    HWND hwndParent = Keep(ColouredPopup("SiblingsParent", RGB(255, 255, 255), 500, 650));
    // Created first, so above the later siblings in the z-order.
    ColouredChild(hwndParent, "SiblingAbove", RGB(0, 0, 255), 30, 30, 0);
    HWND hwndClipped =
        ColouredChild(hwndParent, "SiblingClipped", RGB(255, 0, 0), 10, 10, WS_CLIPSIBLINGS);
    HWND hwndUnclipped = ColouredChild(hwndParent, "SiblingUnclipped", RGB(0, 128, 0), 50, 45, 0);
    SettleScreen();
    for (HWND hwnd : {hwndClipped, hwndUnclipped})
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SettleScreen();
    EXPECT_EQ(ScreenPixel(500 + 35, 650 + 35), RGB(0, 0, 255)) << "clipped out of the lower one";
    EXPECT_EQ(ScreenPixel(500 + 55, 650 + 50), RGB(0, 128, 0)) << "painted over without the style";
    EXPECT_EQ(ScreenPixel(500 + 15, 650 + 15), RGB(255, 0, 0));
}

TEST_F(WindowTest, WindowFromPoint_PassesThroughHTTRANSPARENTTopLevelWindows) {
    HWND hwndLower = Keep(ColouredPopup("HitLower", RGB(0, 128, 0), 300, 300));
    HWND hwndTip = Keep(ColouredPopup("HitTip", RGB(255, 255, 0), 320, 320, TransparentProc));
    ASSERT_NE(hwndTip, nullptr);
    EXPECT_EQ(WindowFromPoint(POINT{330, 330}), hwndLower);
}

}  // namespace
}  // namespace win32test
