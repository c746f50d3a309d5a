// Windows: creation and destruction messages, the window tree, longs, text, geometry, showing,
// hit tests and what the screen shows where windows overlap.
#include <algorithm>

#include "test_resources.h"
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

bool Saw(const std::vector<UINT>& messages, UINT nMsg) {
    return std::find(messages.begin(), messages.end(), nMsg) != messages.end();
}

class WindowTest : public CWin32Test {
protected:
    void SetUp() override { RegisterTestClass(kClass, RecorderProc); }
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
    // Records the messages hwnd receives while action runs.
    template <class TAction>
    std::vector<UINT> MessagesDuring(TAction action) {
        std::vector<UINT> messages;
        g_pMessages = &messages;
        action();
        g_pMessages = nullptr;
        return messages;
    }
};

TEST_F(WindowTest, CreateWindowEx_SendsNCCREATEBeforeCREATEAndStoresTheName) {
    HWND hwnd = nullptr;
    std::vector<UINT> messages = MessagesDuring([&] { hwnd = Popup(WS_POPUP); });
    auto itNcCreate = std::find(messages.begin(), messages.end(), WM_NCCREATE);
    auto itCreate = std::find(messages.begin(), messages.end(), WM_CREATE);
    ASSERT_NE(itCreate, messages.end());
    EXPECT_LT(itNcCreate, itCreate);
    EXPECT_EQ(TextOf(hwnd), "Top") << "DefWindowProc stores the name at WM_NCCREATE";
}

TEST_F(WindowTest, CreateWindowEx_ChildrenStackInCreationOrderFirstOnTopWithTheirIdsAndStyles) {
    HWND hwndParent = Popup();
    HWND hwnd1 = Child(hwndParent, 1);
    HWND hwnd2 = Child(hwndParent, 2, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
    HWND hwnd3 = Child(hwndParent, 3);
    EXPECT_EQ(GetWindow(hwndParent, GW_CHILD), hwnd1);
    EXPECT_EQ(GetWindow(hwnd1, GW_HWNDNEXT), hwnd2);
    EXPECT_EQ(GetWindow(hwnd3, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(hwnd3, GW_HWNDPREV), hwnd2);
    EXPECT_EQ(GetWindow(hwnd2, GW_HWNDFIRST), hwnd1);
    EXPECT_EQ(GetDlgItem(hwndParent, 2), hwnd2);
    EXPECT_EQ(GetDlgCtrlID(hwnd2), 2);
    EXPECT_EQ(GetParent(hwnd2), hwndParent);
    EXPECT_TRUE(IsChild(hwndParent, hwnd2));
    EXPECT_FALSE(IsChild(hwnd2, hwndParent));
    EXPECT_TRUE(GetWindowLongA(hwnd2, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    SetWindowLongA(hwnd2, GWL_STYLE, GetWindowLongA(hwnd2, GWL_STYLE) & ~WS_TABSTOP);
    EXPECT_EQ(GetWindowLongA(hwnd2, GWL_STYLE) & (WS_TABSTOP | WS_VISIBLE), WS_VISIBLE);
}

TEST_F(WindowTest, DestroyWindow_DestroysParentFirstFreesChildrenFirstAndDropsTheFocus) {
    HWND hwndParent = Popup();
    HWND hwndChild = Child(hwndParent, 1);
    HWND hwndGrandChild = Child(hwndChild, 2);
    SetFocus(hwndGrandChild);
    std::vector<HWND> order;
    g_pOrder = &order;
    ASSERT_TRUE(DestroyWindow(hwndParent));
    std::vector<HWND> expected{hwndParent,     hwndChild, hwndGrandChild,
                               hwndGrandChild, hwndChild, hwndParent};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(hwndGrandChild));
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, WM_SETTEXT_WM_GETTEXT) {
    HWND hwndParent = Popup();
    for (const char* pszClass : {kClass, "Button", "Edit", "Static"}) {
        HWND hwnd = Child(hwndParent, 1, WS_CHILD, 0, pszClass);
        ASSERT_NE(hwnd, nullptr) << pszClass;
        EXPECT_TRUE(SetWindowTextA(hwnd, "Hello world")) << pszClass;
        EXPECT_EQ(GetWindowTextLengthA(hwnd), 11) << pszClass;
        char sz[6] = "xxxxx";
        EXPECT_EQ(GetWindowTextA(hwnd, sz, sizeof(sz)), 5) << pszClass;
        EXPECT_STREQ(sz, "Hello") << pszClass << ": cut to the buffer, terminated";
        DestroyWindow(hwnd);
    }
}

TEST_F(WindowTest, WM_SETICON_WM_GETICON) {
    HWND hwnd = Popup();
    HICON hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon)), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon));
    EXPECT_EQ(SendMessageA(hwnd, WM_SETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon))
        << "gives back the icon it replaces";
}

// Borders and client edges: the client area is the window less them on each side.
TEST_F(WindowTest, GetClientRect_FramesReduceTheClientArea) {
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
        EXPECT_EQ(pt.x - rcWindow.left, c.nInset) << "style " << c.dwStyle << "/" << c.dwExStyle;
        DestroyWindow(hwnd);
    }
    RECT rc{0, 0, 100, 100};
    AdjustWindowRectEx(&rc, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(-rc.top, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME));
    EXPECT_EQ(-rc.left, GetSystemMetrics(SM_CXDLGFRAME));
}

TEST_F(WindowTest, ShowWindow_VisibleOnlyWithEveryAncestorAndReturnsTheEarlierState) {
    HWND hwndParent = Popup(WS_POPUP);
    HWND hwndChild = Child(hwndParent, 1);
    EXPECT_FALSE(IsWindowVisible(hwndChild));
    std::vector<UINT> messages = MessagesDuring([&] { ShowWindow(hwndParent, SW_SHOW); });
    EXPECT_TRUE(Saw(messages, WM_SHOWWINDOW));
    EXPECT_TRUE(IsWindowVisible(hwndChild));
    EXPECT_TRUE(ShowWindow(hwndChild, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwndChild));
    EXPECT_FALSE(ShowWindow(hwndChild, SW_HIDE));
}

std::vector<WPARAM>* g_pSizeTypes = nullptr;

LRESULT CALLBACK SizeProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_SIZE && g_pSizeTypes) g_pSizeTypes->push_back(wParam);
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

TEST_F(WindowTest, WM_SYSCOMMAND_MinimizeEmptiesTheClientRestoreBringsItBackCloseDestroys) {
    HWND hwnd = Popup(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SizeProc));
    RECT rcBefore, rc;
    GetWindowRect(hwnd, &rcBefore);
    std::vector<WPARAM> types;
    g_pSizeTypes = &types;
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(hwnd));
    GetClientRect(hwnd, &rc);
    EXPECT_TRUE(IsRectEmpty(&rc));
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    g_pSizeTypes = nullptr;
    EXPECT_FALSE(IsIconic(hwnd));
    GetWindowRect(hwnd, &rc);
    EXPECT_TRUE(EqualRect(&rc, &rcBefore));
    ASSERT_GE(types.size(), 2u);
    EXPECT_EQ(types.front(), static_cast<WPARAM>(SIZE_MINIMIZED));
    EXPECT_EQ(types.back(), static_cast<WPARAM>(SIZE_RESTORED));
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hwnd)) << "through WM_CLOSE, which DefWindowProc answers by destroying";
}

TEST_F(WindowTest, EnableWindow_SendsWM_ENABLEReturnsTheEarlierStateAndTakesTheFocus) {
    HWND hwnd = Child(Popup(), 1);
    SetFocus(hwnd);
    std::vector<UINT> messages = MessagesDuring([&] { EXPECT_FALSE(EnableWindow(hwnd, FALSE)); });
    EXPECT_TRUE(Saw(messages, WM_ENABLE));
    EXPECT_FALSE(IsWindowEnabled(hwnd));
    EXPECT_EQ(GetFocus(), nullptr) << "a disabled window loses the focus";
    SetFocus(hwnd);
    EXPECT_EQ(GetFocus(), nullptr) << "and cannot take it";
    EXPECT_TRUE(EnableWindow(hwnd, TRUE));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
}

LRESULT CALLBACK TransparentProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_NCHITTEST) return HTTRANSPARENT;
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

// A window of one colour, by its class brush; rc holds x, y, width and height.
HWND ColouredWindow(const char* pszClass, COLORREF cr, DWORD dwStyle, RECT rc,
                    HWND hwndParent = nullptr, WNDPROC pfnProc = DefWindowProcA) {
    RegisterTestClass(pszClass, pfnProc, CreateSolidBrush(cr));
    HWND hwnd = CreateWindowExA(0, pszClass, "", dwStyle | WS_VISIBLE, rc.left, rc.top, rc.right,
                                rc.bottom, hwndParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(hwnd);
    return hwnd;
}

// Hidden children and top-level windows answering HTTRANSPARENT (the tip) are passed through.
TEST_F(WindowTest, WindowFromPoint_SkipsHiddenChildrenAndHTTRANSPARENTWindows) {
    HWND hwndParent = Popup(WS_POPUP | WS_VISIBLE);
    HWND hwndHidden = Child(hwndParent, 1);
    HWND hwndBelow = Child(hwndParent, 2);
    POINT pt{3, 3};
    ClientToScreen(hwndHidden, &pt);
    EXPECT_EQ(WindowFromPoint(pt), hwndHidden);
    ShowWindow(hwndHidden, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(pt), hwndBelow);
    ShowWindow(hwndBelow, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(pt), hwndParent);
    HWND hwndLower =
        Keep(ColouredWindow("HitLower", RGB(0, 128, 0), WS_POPUP, {300, 300, 100, 80}));
    Keep(ColouredWindow("HitTip", RGB(255, 255, 0), WS_POPUP, {320, 320, 100, 80}, nullptr,
                        TransparentProc));
    EXPECT_EQ(WindowFromPoint(POINT{330, 330}), hwndLower);
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

// A lower window, or a WS_CLIPSIBLINGS child, repainting does not paint over the one above it.
TEST_F(WindowTest, RedrawWindow_KeepsTheWindowAboveAndWS_CLIPSIBLINGSTheSiblingAbove) {
    // Far from where other tests put their windows; a real display shows windows asynchronously.
    HWND hwndLower =
        Keep(ColouredWindow("LowerRed", RGB(255, 0, 0), WS_POPUP, {700, 500, 100, 80}));
    Keep(ColouredWindow("UpperBlue", RGB(0, 0, 255), WS_POPUP, {750, 530, 100, 80}));
    HWND hwndParent =
        Keep(ColouredWindow("SiblingsParent", RGB(255, 255, 255), WS_POPUP, {500, 650, 100, 80}));
    // Created first, so above the later siblings in the z-order.
    ColouredWindow("SiblingAbove", RGB(0, 0, 255), WS_CHILD, {30, 30, 40, 30}, hwndParent);
    HWND hwndClipped = ColouredWindow("SiblingClipped", RGB(255, 0, 0), WS_CHILD | WS_CLIPSIBLINGS,
                                      {10, 10, 40, 30}, hwndParent);
    HWND hwndUnclipped =
        ColouredWindow("SiblingUnclipped", RGB(0, 128, 0), WS_CHILD, {50, 45, 40, 30}, hwndParent);
    SettleScreen();
    for (HWND hwnd : {hwndLower, hwndClipped, hwndUnclipped})
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SettleScreen();
    EXPECT_EQ(ScreenPixel(760, 540), RGB(0, 0, 255)) << "overlap keeps the upper window";
    EXPECT_EQ(ScreenPixel(710, 510), RGB(255, 0, 0)) << "the rest shows the lower window";
    EXPECT_EQ(ScreenPixel(500 + 35, 650 + 35), RGB(0, 0, 255)) << "clipped out of the lower one";
    EXPECT_EQ(ScreenPixel(500 + 55, 650 + 50), RGB(0, 128, 0)) << "painted over without the style";
    EXPECT_EQ(ScreenPixel(500 + 15, 650 + 15), RGB(255, 0, 0));
}

}  // namespace
}  // namespace win32test
