// The dialog manager: templates, dialog units, initial focus, Tab, Enter, Esc and WM_CLOSE.
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
    WPARAM Command(int nId, WORD nCode = BN_CLICKED) { return MAKEWPARAM(nId, nCode); }

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

TEST_F(DialogTest, CreateDialogIndirectParam_SendsInitDialogAndFocusesFirstTabStop) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    ASSERT_NE(m_hDlg, nullptr);
    EXPECT_EQ(m_log.lInitParam, reinterpret_cast<LPARAM>(&m_log));
    EXPECT_EQ(m_log.hwndInitFocus, Item(10));
    EXPECT_EQ(GetFocus(), Item(10));
    DWORD dwStart = 99, dwEnd = 99;
    SendMessageA(Item(10), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                 reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(dwStart, 0u);
    EXPECT_EQ(dwEnd, 3u) << "the first edit's whole text is selected";
}

TEST_F(DialogTest, CreateDialogIndirectParam_InitDialogReturningFalseKeepsItsFocus) {
    CTemplateBuilder builder = NavigationTemplate();
    m_log.bInitResult = FALSE;
    m_log.nInitFocusId = 14;
    m_hDlg = CreateDialogFrom(builder, m_log);
    ASSERT_NE(m_hDlg, nullptr);
    EXPECT_EQ(GetFocus(), Item(14));
}

TEST_F(DialogTest, CreateDialogIndirectParam_CreatesControlsInTemplateOrder) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    const int ids[] = {10, 11, 12, 13, 14, 15, 20};
    HWND hwnd = GetWindow(m_hDlg, GW_CHILD);
    for (int nId : ids) {
        ASSERT_NE(hwnd, nullptr) << "missing control " << nId;
        EXPECT_EQ(GetDlgCtrlID(hwnd), nId);
        hwnd = GetWindow(hwnd, GW_HWNDNEXT);
    }
    EXPECT_EQ(hwnd, nullptr);
    char szClass[32];
    GetClassNameA(m_hDlg, szClass, sizeof(szClass));
    EXPECT_STREQ(szClass, "#32770");
    EXPECT_EQ(TextOf(m_hDlg), "Test");
    EXPECT_EQ(TextOf(Item(15)), "Button");
}

TEST_F(DialogTest, CreateDialogIndirectParam_ClassicTemplate) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log, false);
    ASSERT_NE(m_hDlg, nullptr);
    EXPECT_EQ(TextOf(Item(14)), "fourteen");
    EXPECT_EQ(GetDlgCtrlID(GetWindow(GetWindow(m_hDlg, GW_CHILD), GW_HWNDLAST)), 20);
    EXPECT_EQ(GetFocus(), Item(10));
}

TEST_F(DialogTest, CreateDialogIndirectParam_DialogUnitsToPixels) {
    CTemplateBuilder builder(kDlgStyle, 183, 120, "Units", 9, "Verdana");
    builder.Add({kEditStyle, 131, 94, 24, 12, 150, kEdit, ""})
        .Add({kButtonStyle, 13, 98, 32, 14, 1015, kButton, "About"});
    m_hDlg = CreateDialogFrom(builder, m_log);
    ASSERT_NE(m_hDlg, nullptr);
    // Position and size are converted separately, so x, y, cx and cy map as four values.
    const struct {
        int nId;
        RECT rcUnits;
    } cases[] = {{150, {131, 94, 24, 12}}, {1015, {13, 98, 32, 14}}};
    for (const auto& c : cases) {
        RECT rcExpected = c.rcUnits;
        MapDialogRect(m_hDlg, &rcExpected);
        RECT rc;
        GetWindowRect(Item(c.nId), &rc);
        MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, rcExpected.left) << "control " << c.nId;
        EXPECT_EQ(rc.top, rcExpected.top) << "control " << c.nId;
        EXPECT_EQ(rc.right - rc.left, rcExpected.right) << "control " << c.nId;
        EXPECT_EQ(rc.bottom - rc.top, rcExpected.bottom) << "control " << c.nId;
    }
    RECT rcClient, rcDialog{0, 0, 183, 120};
    GetClientRect(m_hDlg, &rcClient);
    MapDialogRect(m_hDlg, &rcDialog);
    EXPECT_EQ(rcClient.right, rcDialog.right);
    EXPECT_EQ(rcClient.bottom, rcDialog.bottom);
}

TEST_F(DialogTest, MapDialogRect_UsesAverageAlphabetWidthAndFontHeight) {
    CTemplateBuilder builder(kDlgStyle, 100, 50, "Units", 9, "Verdana");
    m_hDlg = CreateDialogFrom(builder, m_log);
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
    RECT rc{0, 0, 4, 8};
    MapDialogRect(m_hDlg, &rc);
    EXPECT_EQ(rc.right, (size.cx / 26 + 1) / 2);
    EXPECT_EQ(rc.bottom, tm.tmHeight);
}

TEST_F(DialogTest, WM_GETFONT_DialogAndControlsAnswerTheTemplateFont) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    LRESULT hFont = SendMessageA(m_hDlg, WM_GETFONT, 0, 0);
    ASSERT_NE(hFont, 0);
    for (int nId : {10, 14, 15})
        EXPECT_EQ(SendMessageA(Item(nId), WM_GETFONT, 0, 0), hFont);
    LOGFONTA lf;
    GetObjectA(reinterpret_cast<HFONT>(hFont), sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST_F(DialogTest, IsDialogMessage_TabSkipsHiddenDisabledAndNonTabStopControls) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    const int forward[] = {14, 15, 10, 14};
    for (int nId : forward) {
        PressKey(m_hDlg, VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), nId);
    }
    SetShift(true);
    const int backward[] = {10, 15, 14};
    for (int nId : backward) {
        PressKey(m_hDlg, VK_TAB);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), nId) << "Shift+Tab";
    }
    SetShift(false);
}

TEST_F(DialogTest, IsDialogMessage_TabSelectsTheWholeTextOfAnEdit) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    SendMessageA(Item(14), EM_SETSEL, 2, 2);
    PressKey(m_hDlg, VK_TAB);
    ASSERT_EQ(GetFocus(), Item(14));
    EXPECT_EQ(SendMessageA(Item(14), EM_GETSEL, 0, 0), MAKELONG(0, 8));
}

TEST_F(DialogTest, IsDialogMessage_EnterIssuesHiddenDefaultButton) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    EXPECT_EQ(SendMessageA(m_hDlg, DM_GETDEFID, 0, 0), MAKELONG(20, DC_HASDEFID));
    PressKey(m_hDlg, VK_RETURN);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0], Command(20));
    EXPECT_EQ(m_log.commandWindows[0], Item(20));
    EXPECT_EQ(TextOf(Item(10)), "ten") << "Enter typed nothing into the edit";
}

TEST_F(DialogTest, IsDialogMessage_EnterOnFocusedPushButtonIssuesThatButton) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    SendMessageA(m_hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(15)), TRUE);
    PressKey(m_hDlg, VK_RETURN);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0], Command(15));
}

TEST_F(DialogTest, IsDialogMessage_EnterDoesNotIssueDisabledDefaultButton) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    EnableWindow(Item(20), FALSE);
    PressKey(m_hDlg, VK_RETURN);
    EXPECT_TRUE(m_log.commands.empty());
}

TEST_F(DialogTest, IsDialogMessage_EnterWithoutDefaultButtonIssuesIDOK) {
    CTemplateBuilder builder(kDlgStyle, 100, 50);
    builder.Add({kEditStyle, 10, 10, 50, 12, 10, kEdit, ""});
    m_hDlg = CreateDialogFrom(builder, m_log);
    PressKey(m_hDlg, VK_RETURN);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(LOWORD(m_log.commands[0]), IDOK);
}

TEST_F(DialogTest, IsDialogMessage_EscapeIssuesIDCANCEL) {
    CTemplateBuilder builder = NavigationTemplate();
    builder.Add({kButtonStyle, 100, 50, 50, 14, IDCANCEL, kButton, "Cancel"});
    m_hDlg = CreateDialogFrom(builder, m_log);
    PressKey(m_hDlg, VK_ESCAPE);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(LOWORD(m_log.commands[0]), IDCANCEL);
    EXPECT_EQ(m_log.commandWindows[0], Item(IDCANCEL));
}

TEST_F(DialogTest, IsDialogMessage_EnterInMultiLineEdit) {
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
        if (!log.commands.empty()) {
            EXPECT_EQ(log.commands[0], Command(30));
        }
        EXPECT_EQ(TextOf(GetDlgItem(hDlg, 10)), c.pszText) << "style " << c.dwExtraStyle;
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, DM_SETDEFID_ChangesWhatEnterIssues) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    SendMessageA(m_hDlg, DM_SETDEFID, 15, 0);
    EXPECT_EQ(SendMessageA(m_hDlg, DM_GETDEFID, 0, 0), MAKELONG(15, DC_HASDEFID));
    PressKey(m_hDlg, VK_RETURN);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0], Command(15));
}

TEST_F(DialogTest, WM_CLOSE_PostsIDCANCEL) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    SendMessageA(m_hDlg, WM_CLOSE, 0, 0);
    Pump(m_hDlg);
    ASSERT_TRUE(IsWindow(m_hDlg)) << "DefDlgProc does not destroy the dialog";
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0], MAKEWPARAM(IDCANCEL, BN_CLICKED));
}

TEST_F(DialogTest, WM_SYSCOMMAND_SC_CLOSEReachesIDCANCEL) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    PostMessageA(m_hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(m_hDlg);
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(LOWORD(m_log.commands[0]), IDCANCEL);
}

TEST_F(DialogTest, WM_NEXTDLGCTL_MovesFocusToGivenControl) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    SendMessageA(m_hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(14)), TRUE);
    EXPECT_EQ(GetFocus(), Item(14));
    SendMessageA(m_hDlg, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(GetFocus(), Item(15));
    SendMessageA(m_hDlg, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(GetFocus(), Item(14));
}

TEST_F(DialogTest, GetNextDlgTabItem_FromNullGivesFirstForwardsAndNothingBackwards) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    EXPECT_EQ(GetNextDlgTabItem(m_hDlg, nullptr, FALSE), Item(10));
    // Not the last control, as the documentation says: Windows (and Wine's tests) give NULL.
    EXPECT_EQ(GetNextDlgTabItem(m_hDlg, nullptr, TRUE), nullptr);
    EXPECT_EQ(GetNextDlgTabItem(m_hDlg, m_hDlg, TRUE), nullptr);
    EXPECT_EQ(GetNextDlgTabItem(m_hDlg, Item(11), FALSE), Item(14));
}

TEST_F(DialogTest, DefDlgProc_ReturnsDWLP_MSGRESULT) {
    struct CProc {
        static INT_PTR CALLBACK Proc(HWND hDlg, UINT nMsg, WPARAM, LPARAM) {
            if (nMsg != WM_USER + 7) return nMsg == WM_INITDIALOG;
            SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 1234);
            return TRUE;
        }
    };
    CTemplateBuilder builder(kDlgStyle, 100, 50);
    m_hDlg = Keep(CreateDialogIndirectParamA(nullptr, builder.Build(), nullptr, CProc::Proc, 0));
    EXPECT_EQ(SendMessageA(m_hDlg, WM_USER + 7, 0, 0), 1234);
}

TEST_F(DialogTest, EndDialog_HidesTheDialogButKeepsIt) {
    CTemplateBuilder builder = NavigationTemplate();
    m_hDlg = CreateDialogFrom(builder, m_log);
    ASSERT_TRUE(IsWindowVisible(m_hDlg));
    EXPECT_TRUE(EndDialog(m_hDlg, IDOK));
    EXPECT_TRUE(IsWindow(m_hDlg));
    EXPECT_FALSE(IsWindowVisible(m_hDlg));
}

TEST_F(DialogTest, Static_SS_BITMAPLoadsTheTemplateBitmapAndTakesItsSize) {
    CTemplateBuilder builder(kDlgStyle, 100, 50);
    builder
        .Add({WS_CHILD | WS_VISIBLE | SS_BITMAP, 5, 5, 20, 20, 40, kStatic, nullptr, 0, IDB_TEST})
        .Add({WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE, 5, 30, 20, 10, 41, kStatic,
              nullptr, 0, IDB_TEST});
    m_hDlg = CreateDialogFrom(builder, m_log);
    ASSERT_NE(m_hDlg, nullptr);
    auto hbm = reinterpret_cast<HBITMAP>(SendMessageA(Item(40), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(hbm, nullptr);
    BITMAP bm;
    GetObjectA(hbm, sizeof(bm), &bm);
    RECT rc;
    GetClientRect(Item(40), &rc);
    EXPECT_EQ(rc.right, bm.bmWidth);
    EXPECT_EQ(rc.bottom, bm.bmHeight);
    RECT rcCentered{0, 0, 20, 10}, rcClient;
    MapDialogRect(m_hDlg, &rcCentered);
    GetClientRect(Item(41), &rcClient);
    EXPECT_EQ(rcClient.right, rcCentered.right) << "SS_CENTERIMAGE keeps the template size";
}

}  // namespace
}  // namespace win32test
