#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "velastro_window.h"

#ifndef _WIN32
#include "win32sim/sim.h"
#endif

using AboutBox = VelastroWindow;

TEST_F(AboutBox, OpensModallyOverTheMainWindow) {
    HWND hMain = User().MainWindow();
    User().Click(IDC_ABOUT);
    HWND hAbout = User().Dialog();
    ASSERT_NE(hAbout, hMain);
    EXPECT_EQ(User().Caption(), "About Velastro");
    EXPECT_TRUE(User().Visible(IDOK));
    EXPECT_EQ(User().Text(IDOK), "Close");
    EXPECT_EQ(User().FocusId(), IDOK) << "the only tab stop";
    bool bMainEnabled = User().OnUiRead<bool>([hMain] { return IsWindowEnabled(hMain) != FALSE; });
    EXPECT_FALSE(bMainEnabled) << "the main window takes no input meanwhile";
    DWORD dwStyle = User().OnUiRead<DWORD>(
        [hAbout] { return static_cast<DWORD>(GetWindowLongA(hAbout, GWL_STYLE)); });
    EXPECT_FALSE(dwStyle & WS_MINIMIZEBOX);
    const auto [rcMain, rcAbout] = User().OnUiRead<std::pair<RECT, RECT>>([hMain, hAbout] {
        std::pair<RECT, RECT> rects = {};
        GetWindowRect(hMain, &rects.first);
        GetWindowRect(hAbout, &rects.second);
        return rects;
    });
    // Centred over the main window, up to the pixel that halving an odd difference drops.
    EXPECT_NEAR(rcAbout.left + rcAbout.right, rcMain.left + rcMain.right, 1);
    EXPECT_NEAR(rcAbout.top + rcAbout.bottom, rcMain.top + rcMain.bottom, 1);
    User().Click(IDOK);
    EXPECT_EQ(User().Dialog(), hMain);
    bMainEnabled = User().OnUiRead<bool>([hMain] { return IsWindowEnabled(hMain) != FALSE; });
    EXPECT_TRUE(bMainEnabled);
}

TEST_F(AboutBox, ClosesEveryWayAndLeavesTheMainWindowUnchanged) {
    User().SetText(IDC_LENGTH_EDIT, "6.5");
    User().SetText(IDC_WIDTH_EDIT, "abc");  // not even exchanged: the box must not touch it
    User().OnUi([] {
        Dlg().m_strFormula = "B*F*G*.0060";
        Dlg().m_strAnswer = "0.487500";
        SetWindowTextA(GetDlgItem(AfxGetMainWnd()->GetSafeHwnd(), IDC_ANSWER), "0.487500");
    });
    const std::vector<std::function<void(CDialogDriver&)>> kCloses = {
        [](CDialogDriver& u) { u.Click(IDOK); },
        [](CDialogDriver& u) { u.Press(VK_RETURN); },
        [](CDialogDriver& u) { u.Press(VK_ESCAPE); },
        [](CDialogDriver& u) { u.CloseBox(); },
        [](CDialogDriver& u) { ASSERT_TRUE(u.ChooseWindowMenu("Close")); },
    };
    for (size_t i = 0; i < kCloses.size(); ++i) {
        User().Click(IDC_ABOUT);
        ASSERT_EQ(User().Caption(), "About Velastro") << "opening " << i;
        kCloses[i](User());
        EXPECT_EQ(User().Caption(), "Velastro") << "closing way " << i;
        EXPECT_FALSE(User().PendingMessageBox().has_value()) << "closing way " << i;
    }
    EXPECT_EQ(User().Text(IDC_LENGTH_EDIT), "6.5");
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "abc");
    EXPECT_EQ(User().Text(IDC_ANSWER), "0.487500");
    std::string strFormula = User().OnUiRead<std::string>(
        [] { return std::string(static_cast<LPCTSTR>(Dlg().m_strFormula)); });
    EXPECT_EQ(strFormula, "B*F*G*.0060");
    EXPECT_TRUE(User().Running());
}

TEST_F(AboutBox, WindowMenuHoldsOnlyTheStandardItems) {
    User().Click(IDC_ABOUT);
    HWND hAbout = User().Dialog();
    std::vector<std::string> items = User().OnUiRead<std::vector<std::string>>([hAbout] {
        std::vector<std::string> texts;
        HMENU hMenu = GetSystemMenu(hAbout, FALSE);
        for (int i = 0; hMenu && i < GetMenuItemCount(hMenu); ++i) {
            char szText[64] = {};
            GetMenuStringA(hMenu, i, szText, sizeof szText, MF_BYPOSITION);
            texts.push_back(szText);
        }
        return texts;
    });
    for (const std::string& strItem : items)
        EXPECT_NE(strItem, "About");
    EXPECT_FALSE(items.empty());
    User().Click(IDOK);
}

using MinimisedWindow = VelastroWindow;

TEST_F(MinimisedWindow, RestoresWithItsFieldsAndFocus) {
    User().SetText(IDC_DEPTH_EDIT, "3");
    User().Minimise();
    EXPECT_TRUE(
        User().OnUiRead<bool>([] { return IsIconic(AfxGetMainWnd()->GetSafeHwnd()) != 0; }));
    User().Restore();
    EXPECT_FALSE(
        User().OnUiRead<bool>([] { return IsIconic(AfxGetMainWnd()->GetSafeHwnd()) != 0; }));
    EXPECT_EQ(User().Text(IDC_DEPTH_EDIT), "3");
    EXPECT_TRUE(User().Running());
}

#ifndef _WIN32
// The icon painted while minimised: checked in the stand-in's drawing log.
TEST_F(MinimisedWindow, PaintsTheIconCentredByTheRoundingRule) {
    User().Minimise();
    std::vector<SimDrawOp> log;
    RECT rc = {};
    HICON hIcon = NULL;
    HWND hMain = User().MainWindow();
    User().OnUi([&] {
        GetClientRect(hMain, &rc);
        hIcon = Dlg().m_hDlgIcon;
        SimClearDrawLog();
        // Sent, not invalidated: a minimised window has no client area left to invalidate.
        SendMessageA(hMain, WM_PAINT, 0, 0);
        log = SimDrawLog();
    });
    int nIcons = 0;
    for (const SimDrawOp& op : log) {
        if (op.hwnd != hMain || op.kind != SimDrawOp::Kind::DrawIcon) continue;
        ++nIcons;
        EXPECT_EQ(op.x, (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2);
        EXPECT_EQ(op.y, (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2);
        EXPECT_EQ(op.hIcon, hIcon);
    }
    EXPECT_EQ(nIcons, 1);
}

TEST_F(MinimisedWindow, NormalPaintDrawsNoIcon) {
    std::vector<SimDrawOp> log;
    HWND hMain = User().MainWindow();
    User().OnUi([&] {
        SimClearDrawLog();
        RedrawWindow(hMain, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        log = SimDrawLog();
    });
    for (const SimDrawOp& op : log)
        EXPECT_FALSE(op.hwnd == hMain && op.kind == SimDrawOp::Kind::DrawIcon);
}
#endif
