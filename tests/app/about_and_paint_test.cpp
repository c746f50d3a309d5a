#include "velastro_window.h"

using AboutBoxAndIcon = VelastroWindow;

TEST_F(AboutBoxAndIcon, OpensModallyOverTheMainWindow) {
    HWND hMain = User().MainWindow();
    User().Click(IDC_ABOUT);
    HWND hAbout = User().Dialog();
    EXPECT_EQ(std::make_tuple(User().Caption(), User().Visible(IDOK), User().Text(IDOK),
                              User().FocusId()),
              std::make_tuple("About Velastro", true, "Close", IDOK))
        << "caption, and Close shown as the only tab stop";
    User().OnUi([hMain, hAbout] {
        EXPECT_FALSE(IsWindowEnabled(hMain)) << "the main window takes no input meanwhile";
        EXPECT_FALSE(GetWindowLongA(hAbout, GWL_STYLE) & WS_MINIMIZEBOX);
        const RECT rcMain = RectOf(hMain), rcAbout = RectOf(hAbout);
        // Centred over the main window, up to the pixel that halving an odd difference drops.
        EXPECT_NEAR(rcAbout.left + rcAbout.right, rcMain.left + rcMain.right, 1);
        EXPECT_NEAR(rcAbout.top + rcAbout.bottom, rcMain.top + rcMain.bottom, 1);
    });
}

TEST_F(AboutBoxAndIcon, ClosesEveryWayAndLeavesTheMainWindowUnchanged) {
    User().SetText(IDC_LENGTH_EDIT, "6.5");
    User().SetText(IDC_WIDTH_EDIT, "abc");  // not even exchanged: the box must not touch it
    User().OnUi([] {
        Dlg().m_strFormula = "B*F*G*.0060";
        Dlg().m_strAnswer = "0.487500";
        SetWindowTextA(Item(IDC_ANSWER), "0.487500");
    });
    std::vector<CloseWay> ways(std::begin(kCloseWays), std::end(kCloseWays));
    ways.push_back({"Enter", [](CDialogDriver& u) { u.Press(VK_RETURN); }});
    for (const CloseWay& way : ways) {
        User().Click(IDC_ABOUT);  // fails while the main window is still disabled
        ASSERT_EQ(User().Caption(), "About Velastro") << "before " << way.pszName;
        EXPECT_FALSE(User().ChooseWindowMenu("About")) << "the About box's menu has no About";
        way.close(User());
        EXPECT_EQ(User().Caption(), "Velastro") << way.pszName;
        EXPECT_FALSE(User().PendingMessageBox().has_value()) << way.pszName;
    }
    EXPECT_EQ(std::make_tuple(User().Text(IDC_LENGTH_EDIT), User().Text(IDC_WIDTH_EDIT),
                              User().Text(IDC_ANSWER)),
              std::make_tuple("6.5", "abc", "0.487500"));
    EXPECT_EQ(User().OnUiRead<std::string>([] { return Dlg().m_strFormula.GetString(); }),
              "B*F*G*.0060");
}

#ifndef _WIN32
// The icon painted while minimised, and only then: checked in the stand-in's drawing log.
TEST_F(AboutBoxAndIcon, MinimisedWindowPaintsTheIconCentredByTheRoundingRule) {
    for (bool bMinimised : {false, true}) {
        if (bMinimised) User().SysCommand(SC_MINIMIZE);
        User().OnUi([bMinimised] {
            const HWND hMain = Dlg().GetSafeHwnd();
            // Sent, not invalidated: a minimised window has no client area left to invalidate.
            const auto log = DrawnBy([hMain] { SendMessageA(hMain, WM_PAINT, 0, 0); });
            const auto icons = DrawOps(log, hMain, SimDrawOp::Kind::DrawIcon);
            ASSERT_EQ(icons.size(), bMinimised ? 1u : 0u);
            if (!bMinimised) return;
            RECT rc = {};
            GetClientRect(hMain, &rc);
            EXPECT_EQ(std::make_tuple(icons[0].x, icons[0].y, icons[0].hIcon),
                      std::make_tuple((rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2,
                                      (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2,
                                      Dlg().m_hDlgIcon));
        });
    }
}
#endif
