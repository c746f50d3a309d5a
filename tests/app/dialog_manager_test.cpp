// What the window relies on from the platform's dialog manager and controls, checked on the
// Velastro window itself: the same checks hold on the stand-in and on Windows.
#include <string>
#include <vector>

#include "velastro_window.h"

namespace {

// Records the button commands the dialog receives, then lets the dialog handle them as before.
struct CCommandRecorder {
    static std::vector<int>& Commands() {
        static std::vector<int> commands;
        return commands;
    }
    static WNDPROC& Previous() {
        static WNDPROC pfnPrevious = nullptr;
        return pfnPrevious;
    }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
            Commands().push_back(LOWORD(wParam));
        return CallWindowProcA(Previous(), hWnd, nMsg, wParam, lParam);
    }
    static void Install(HWND hDialog) {
        Commands().clear();
        Previous() = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hDialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
};

HWND Item(int nId) {
    return GetDlgItem(AfxGetMainWnd()->GetSafeHwnd(), nId);
}

}  // namespace

using DialogManager = VelastroWindow;

TEST_F(DialogManager, SetFocus_HiddenEditTakesFocusAndTypedKeys) {
    User().OnUi([] { SetFocus(Item(IDC_FORMULA)); });
    EXPECT_EQ(User().FocusId(), IDC_FORMULA);
    EXPECT_FALSE(User().Visible(IDC_FORMULA));
    User().Type("B*2");
    EXPECT_EQ(User().Text(IDC_FORMULA), "B*2");
}

TEST_F(DialogManager, EM_SETSEL_ClampsToTheText) {
    struct Case {
        int nStart, nEnd;
        std::pair<int, int> expected;
    };
    const Case kCases[] = {
        {32767, 32767, {5, 5}},                   // the caret after the last character
        {0, -1, {0, 5}},                          // everything
        {3, 1, {1, 3}},                           // reversed ends are read back in order
        {2, 3, {2, 3}},         {-1, 0, {3, 3}},  // a start of -1 drops the selection at its end
        {4, 100, {4, 5}},
    };
    User().OnUi([] { SetWindowTextA(Item(IDC_FORMULA), "B+F*G"); });
    for (const Case& c : kCases) {
        User().OnUi([&] {
            SendMessageA(Item(IDC_FORMULA), EM_SETSEL, static_cast<WPARAM>(c.nStart), c.nEnd);
        });
        EXPECT_EQ(User().Selection(IDC_FORMULA), c.expected)
            << "EM_SETSEL " << c.nStart << ", " << c.nEnd;
    }
}

TEST_F(DialogManager, IsDialogMessage_TabSkipsHiddenAndNonTabStopControls) {
    const int kForward[] = {IDC_WIDTH_EDIT, IDC_DEPTH_EDIT, IDC_CLICK_HERE, IDC_LENGTH_EDIT};
    for (int nExpected : kForward) {
        User().Press(VK_TAB);
        EXPECT_EQ(User().FocusId(), nExpected);
    }
    const int kBackward[] = {IDC_CLICK_HERE, IDC_DEPTH_EDIT, IDC_WIDTH_EDIT, IDC_LENGTH_EDIT};
    for (int nExpected : kBackward) {
        User().PressShiftTab();
        EXPECT_EQ(User().FocusId(), nExpected);
    }
    User().OnUi([] { ShowWindow(Item(IDC_WIDTH_EDIT), SW_HIDE); });
    User().Press(VK_TAB);
    EXPECT_EQ(User().FocusId(), IDC_DEPTH_EDIT) << "the hidden WIDTH field is skipped";
}

TEST_F(DialogManager, IsDialogMessage_TabIntoAnEditSelectsItsText) {
    User().SetText(IDC_WIDTH_EDIT, "12.5");
    User().PressShiftTab();
    User().Press(VK_TAB);
    EXPECT_EQ(User().FocusId(), IDC_WIDTH_EDIT);
    EXPECT_EQ(User().Selection(IDC_WIDTH_EDIT), std::make_pair(0, 4));
}

TEST_F(DialogManager, IsDialogMessage_EnterInAnEditIssuesTheHiddenDefaultButton) {
    User().OnUi([] { CCommandRecorder::Install(AfxGetMainWnd()->GetSafeHwnd()); });
    User().SetText(IDC_DEPTH_EDIT, "3");
    User().Press(VK_RETURN);
    std::vector<int> commands =
        User().OnUiRead<std::vector<int>>([] { return CCommandRecorder::Commands(); });
    EXPECT_EQ(commands, std::vector<int>{IDC_CALCULATE});
    EXPECT_FALSE(User().Visible(IDC_CALCULATE));
    EXPECT_TRUE(User().Running());
}

TEST_F(DialogManager, IsDialogMessage_EnterOnAFocusedButtonIssuesThatButton) {
    User().OnUi([] { CCommandRecorder::Install(AfxGetMainWnd()->GetSafeHwnd()); });
    User().Press(VK_TAB);
    User().Press(VK_TAB);
    User().Press(VK_TAB);
    ASSERT_EQ(User().FocusId(), IDC_CLICK_HERE);
    User().Press(VK_RETURN);
    std::vector<int> commands =
        User().OnUiRead<std::vector<int>>([] { return CCommandRecorder::Commands(); });
    EXPECT_EQ(commands, std::vector<int>{IDC_CLICK_HERE});
}

TEST_F(DialogManager, IsDialogMessage_EscapeIssuesIDCANCEL) {
    User().OnUi([] { CCommandRecorder::Install(AfxGetMainWnd()->GetSafeHwnd()); });
    User().SetText(IDC_DEPTH_EDIT, "x");  // keeps the window open to look at it
    User().Press(VK_ESCAPE);
    ExpectNumberPrompt();
    std::vector<int> commands =
        User().OnUiRead<std::vector<int>>([] { return CCommandRecorder::Commands(); });
    EXPECT_EQ(commands, std::vector<int>{IDCANCEL});
}

TEST_F(DialogManager, WM_SETTEXT_WM_GETTEXT_RoundTrip) {
    const std::string kLong(1000, '7');
    for (int nId : {IDC_ANSWER, IDC_FORMULA, IDC_LENGTH_EDIT}) {
        for (const std::string& strText : {std::string(""), std::string(" "), kLong}) {
            User().OnUi([&] { SendMessageA(Item(nId), WM_SETTEXT, 0, (LPARAM)strText.c_str()); });
            EXPECT_EQ(User().Text(nId), strText) << "control " << nId;
            int nLength = User().OnUiRead<int>(
                [&] { return static_cast<int>(SendMessageA(Item(nId), WM_GETTEXTLENGTH, 0, 0)); });
            EXPECT_EQ(nLength, static_cast<int>(strText.size()));
        }
    }
    // WM_GETTEXT copies what fits and ends it with a NUL.
    char szSmall[4] = {'x', 'x', 'x', 'x'};
    int nCopied = User().OnUiRead<int>([&] {
        SetWindowTextA(Item(IDC_ANSWER), "0.487500");
        return static_cast<int>(
            SendMessageA(Item(IDC_ANSWER), WM_GETTEXT, sizeof szSmall, (LPARAM)szSmall));
    });
    EXPECT_EQ(nCopied, 3);
    EXPECT_STREQ(szSmall, "0.4");
}

TEST_F(DialogManager, ClickingAButtonGivesItTheFocus) {
    User().Click(IDC_CLICK_HERE);
    EXPECT_EQ(User().FocusId(), IDC_CLICK_HERE);
}
