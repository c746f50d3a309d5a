// The dialog manager: templates, dialog units, initial focus, Tab, Enter, Esc and closing.
#include <functional>

#include "test_resources.h"
#include "win32_test.h"

namespace win32test {
namespace {

const DWORD kDlgStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
const DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

class DialogTest : public CWin32Test {
protected:
    HWND Item(int nId) { return GetDlgItem(m_hDlg, nId); }
    static WPARAM Click(int nId) { return MAKEWPARAM(nId, BN_CLICKED); }
    DWORD Selection(int nId) {
        return static_cast<DWORD>(SendMessageA(Item(nId), EM_GETSEL, 0, 0));
    }

    HWND Open(CTemplateBuilder builder) { return m_hDlg = CreateDialogFrom(builder, m_log); }

    HWND m_hDlg = nullptr;
    CDialogLog m_log;
};

// Edits 10 (tab stop), 11 (no tab stop), 12 (hidden tab stop), 13 (disabled tab stop),
// 14 (tab stop, with text); button 15 (tab stop); hidden default button 20.
CTemplateBuilder NavigationTemplate() {
    CTemplateBuilder builder(kDlgStyle, 200, 120);
    builder.Add({kEditStyle, 10, 10, 50, 12, 10, kEdit, "ten"})
        .Add({kEditStyle & ~WS_TABSTOP, 10, 25, 50, 12, 11, kEdit, "eleven"})
        .Add({kEditStyle & ~WS_VISIBLE, 10, 40, 50, 12, 12, kEdit, "twelve"})
        .Add({kEditStyle | WS_DISABLED, 10, 55, 50, 12, 13, kEdit, "thirteen"})
        .Add({kEditStyle, 10, 70, 50, 12, 14, kEdit, "fourteen"})
        .Add({kButtonStyle, 100, 10, 50, 14, 15, kButton, "Button"})
        .Add({(kButtonStyle & ~WS_VISIBLE) | BS_DEFPUSHBUTTON, 100, 30, 50, 14, 20, kButton,
              "Default"});
    return builder;
}

// The first tab stop gets the focus with its whole text selected, and WM_INITDIALOG names it.
// Dialog and controls answer WM_GETFONT with the template's font.
TEST_F(DialogTest, CreateDialogIndirectParam_CreatesControlsInTemplateOrderFocusingTheFirstStop) {
    ASSERT_NE(Open(NavigationTemplate()), nullptr);
    HWND hwnd = GetWindow(m_hDlg, GW_CHILD);
    for (int nId : {10, 11, 12, 13, 14, 15, 20}) {
        ASSERT_NE(hwnd, nullptr) << "missing control " << nId;
        EXPECT_EQ(GetDlgCtrlID(hwnd), nId);
        hwnd = GetWindow(hwnd, GW_HWNDNEXT);
    }
    EXPECT_EQ(hwnd, nullptr);
    char szClass[32];
    GetClassNameA(m_hDlg, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "#32770");
    EXPECT_EQ(TextOf(m_hDlg), "Test");
    EXPECT_EQ(TextOf(Item(14)), "fourteen");
    EXPECT_EQ(m_log.lInitParam, reinterpret_cast<LPARAM>(&m_log));
    EXPECT_EQ(m_log.hwndInitFocus, Item(10));
    EXPECT_EQ(GetFocus(), Item(10));
    EXPECT_EQ(Selection(10), static_cast<DWORD>(MAKELONG(0, 3)));
    LRESULT hFont = SendMessageA(m_hDlg, WM_GETFONT, 0, 0);
    for (int nId : {10, 14, 15})
        EXPECT_EQ(SendMessageA(Item(nId), WM_GETFONT, 0, 0), hFont);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(hFont), sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

// A dialog unit is a quarter of the font's average letter width and an eighth of its height;
// position and size convert separately.
TEST_F(DialogTest, CreateDialogIndirectParam_PlacesControlsInDialogUnitsOfItsFont) {
    Open(CTemplateBuilder(kDlgStyle, 183, 120, "Units", 9, "Verdana")
             .Add({kEditStyle, 131, 94, 24, 12, 150, kEdit, ""})
             .Add({kButtonStyle, 13, 98, 32, 14, 1015, kButton, "About"}));
    auto hFont = reinterpret_cast<HFONT>(SendMessageA(m_hDlg, WM_GETFONT, 0, 0));
    ASSERT_NE(hFont, nullptr);
    HDC hdc = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size;
    GetTextExtentPoint32A(hdc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    TEXTMETRICA tm;
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, hOld);
    ReleaseDC(nullptr, hdc);
    const int cxBase = (size.cx / 26 + 1) / 2;
    auto x = [&](int n) { return MulDiv(n, cxBase, 4); };
    auto y = [&](int n) { return MulDiv(n, tm.tmHeight, 8); };
    const struct {
        int nId;
        RECT rcUnits;  // x, y, cx, cy
    } cases[] = {{150, {131, 94, 24, 12}}, {1015, {13, 98, 32, 14}}};
    for (const auto& c : cases) {
        RECT rc;
        GetWindowRect(Item(c.nId), &rc);
        MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, x(c.rcUnits.left)) << "control " << c.nId;
        EXPECT_EQ(rc.top, y(c.rcUnits.top)) << "control " << c.nId;
        EXPECT_EQ(rc.right - rc.left, x(c.rcUnits.right)) << "control " << c.nId;
        EXPECT_EQ(rc.bottom - rc.top, y(c.rcUnits.bottom)) << "control " << c.nId;
    }
    RECT rcClient;
    GetClientRect(m_hDlg, &rcClient);
    EXPECT_EQ(rcClient.right, x(183));
    EXPECT_EQ(rcClient.bottom, y(120));
}

// Tab also selects the whole text of the edit it reaches.
TEST_F(DialogTest, IsDialogMessage_TabSkipsHiddenDisabledAndNonTabStopControls) {
    Open(NavigationTemplate());
    SendMessageA(Item(14), EM_SETSEL, 2, 2);
    for (int nId : {14, 15, 10, 14}) {
        PressKey(m_hDlg, VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), nId);
        if (nId == 14) {
            EXPECT_EQ(Selection(14), static_cast<DWORD>(MAKELONG(0, 8)));
        }
    }
    SetShift(true);
    for (int nId : {10, 15, 14}) {
        PressKey(m_hDlg, VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), nId) << "Shift+Tab";
    }
    SetShift(false);
}

struct CEnterCase {
    const char* pszName;
    std::function<void(HWND)> prepare;  // given the dialog built from NavigationTemplate
    int nCommand;                       // 0: none
};

// Enter issues the focused push button, else the enabled default button, hidden or not.
TEST_F(DialogTest, IsDialogMessage_EnterIssuesTheDefaultButton) {
    const CEnterCase cases[] = {
        {"hidden default button", [](HWND) {}, 20},
        {"focused push button",
         [](HWND hDlg) {
             SetFocus(GetDlgItem(hDlg, 14));
             SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, 15)),
                          TRUE);
         },
         15},
        {"disabled default button", [](HWND hDlg) { EnableWindow(GetDlgItem(hDlg, 20), FALSE); },
         0},
        {"DM_SETDEFID", [](HWND hDlg) { SendMessageA(hDlg, DM_SETDEFID, 15, 0); }, 15},
    };
    for (const CEnterCase& c : cases) {
        CDialogLog log;
        CTemplateBuilder builder = NavigationTemplate();
        HWND hDlg = CreateDialogFrom(builder, log);
        c.prepare(hDlg);
        PressKey(hDlg, VK_RETURN);
        std::vector<WPARAM> expected;
        if (c.nCommand) expected.push_back(Click(c.nCommand));
        EXPECT_EQ(log.commands, expected) << c.pszName;
        EXPECT_EQ(TextOf(GetDlgItem(hDlg, 10)), "ten") << c.pszName << ": Enter typed nothing";
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, IsDialogMessage_EnterInMultiLineEditGoesToTheDefaultButtonUnlessWantReturn) {
    const struct {
        DWORD dwExtraStyle;
        size_t nCommands;
        const char* pszText;
    } cases[] = {{0, 1, "ab"}, {ES_WANTRETURN, 0, "ab\r\n"}};
    for (const auto& c : cases) {
        CDialogLog log;
        CTemplateBuilder builder(kDlgStyle, 200, 100);
        builder.Add({kEditStyle | ES_MULTILINE | c.dwExtraStyle, 10, 10, 80, 40, 10, kEdit, "ab"})
            .Add({kButtonStyle | BS_DEFPUSHBUTTON, 100, 10, 50, 14, 30, kButton, "Go"});
        HWND hDlg = CreateDialogFrom(builder, log);
        SendMessageA(GetDlgItem(hDlg, 10), EM_SETSEL, 2, 2);
        PressKey(hDlg, VK_RETURN);
        EXPECT_EQ(log.commands.size(), c.nCommands) << "style " << c.dwExtraStyle;
        EXPECT_EQ(TextOf(GetDlgItem(hDlg, 10)), c.pszText) << "style " << c.dwExtraStyle;
        DestroyWindow(hDlg);
    }
}

// Esc, the close box and WM_CLOSE all reach IDCANCEL, from the Cancel button where there is one;
// the dialog manager destroys nothing itself.
TEST_F(DialogTest, EscapeAndClosingIssueIDCANCEL) {
    const struct {
        const char* pszName;
        UINT nMsg;
        WPARAM wParam;
    } cases[] = {{"Esc", WM_KEYDOWN, VK_ESCAPE},
                 {"WM_CLOSE", WM_CLOSE, 0},
                 {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& c : cases) {
        CDialogLog log;
        CTemplateBuilder builder = NavigationTemplate();
        builder.Add({kButtonStyle, 100, 50, 50, 14, IDCANCEL, kButton, "Cancel"});
        HWND hDlg = CreateDialogFrom(builder, log);
        PostMessageA(c.nMsg == WM_KEYDOWN ? GetFocus() : hDlg, c.nMsg, c.wParam, 0);
        Pump(hDlg);
        ASSERT_TRUE(IsWindow(hDlg)) << c.pszName;
        ASSERT_EQ(log.commands.size(), 1u) << c.pszName;
        EXPECT_EQ(LOWORD(log.commands[0]), IDCANCEL) << c.pszName;
        EXPECT_EQ(log.commandWindows[0], GetDlgItem(hDlg, IDCANCEL)) << c.pszName;
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, EndDialog_HidesTheDialogButKeepsIt) {
    ASSERT_TRUE(IsWindowVisible(Open(NavigationTemplate())));
    EXPECT_TRUE(EndDialog(m_hDlg, IDOK));
    EXPECT_TRUE(IsWindow(m_hDlg));
    EXPECT_FALSE(IsWindowVisible(m_hDlg));
}

// The test bitmap: top row red, green, blue; bottom row white, black, grey.
TEST_F(DialogTest, Static_SS_BITMAPShowsTheTemplateBitmapAtItsOwnSize) {
    Open(CTemplateBuilder(kDlgStyle, 100, 50)
             .Add({WS_CHILD | WS_VISIBLE | SS_BITMAP, 5, 5, 20, 20, 40, kStatic, nullptr,
                   IDB_TEST}));
    auto hbm = reinterpret_cast<HBITMAP>(SendMessageA(Item(40), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(hbm, nullptr);
    RECT rc;
    GetClientRect(Item(40), &rc);
    EXPECT_EQ(rc.right, 3);
    EXPECT_EQ(rc.bottom, 2);
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    EXPECT_EQ(GetPixel(hdc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(hdc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(hdc, 0, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(hdc, 2, 1), RGB(128, 128, 128));
    SelectObject(hdc, hOld);
    DeleteDC(hdc);
}

}  // namespace
}  // namespace win32test
