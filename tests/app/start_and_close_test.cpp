#include "velastro_window.h"

class StartAndClose : public VelastroWindow, public ::testing::WithParamInterface<int> {
protected:
    void Close() { kCloseWays[GetParam()].close(User()); }
};

TEST_F(StartAndClose, StartsWithZeroFieldsTheFocusOnLengthAndTheProgramIcon) {
    for (int nId = IDC_LENGTH_EDIT; nId <= IDC_CONST_X; ++nId)
        EXPECT_EQ(User().Text(nId), "0") << "value field " << nId;
    EXPECT_EQ(
        std::make_tuple(User().FocusId(), User().Caption(), Formula(), User().Text(IDC_ANSWER)),
        std::make_tuple(IDC_LENGTH_EDIT, "Velastro", "", ""))
        << "focus, caption, formula, answer (the template's blank replaced)";
    User().OnUi([] {
        EXPECT_NE(Dlg().m_hDlgIcon, HICON(nullptr));
        for (WPARAM nSize : {ICON_BIG, ICON_SMALL})
            EXPECT_EQ(Dlg().SendMessage(WM_GETICON, nSize), LRESULT(Dlg().m_hDlgIcon)) << nSize;
    });
}

TEST_P(StartAndClose, EndsTheProgramWhenEveryFieldHoldsANumber) {
    EnterStone(0, "6", "0", "3");
    Close();
    ASSERT_TRUE(User().WaitForExit()) << kCloseWays[GetParam()].pszName << " left the window open";
    EXPECT_EQ(m_bInitInstanceResult, FALSE) << "InitInstance ends the application";
}

TEST_P(StartAndClose, StaysOpenOnAFieldThatIsNotANumber) {
    User().SetText(IDC_DEPTH_EDIT, "abc");
    Close();
    ExpectNumberPrompt();
    EXPECT_EQ(std::make_tuple(User().FocusId(), User().Selection(IDC_DEPTH_EDIT),
                              User().Text(IDC_DEPTH_EDIT)),
              std::make_tuple(IDC_DEPTH_EDIT, std::make_pair(0, 3), "abc"))
        << "abc is focused and selected";

    // Mended, it closes the same way.
    User().SetText(IDC_DEPTH_EDIT, "3");
    Close();
    EXPECT_TRUE(User().WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(EveryWay, StartAndClose, ::testing::Range(0, 4),
                         [](const auto& info) { return kCloseWays[info.param].pszName; });

TEST_F(StartAndClose, WindowMenuEndsWithSeparatorAndAboutThatOpensTheAboutBox) {
    User().OnUi([] {
        HMENU hMenu = GetSystemMenu(Dlg().GetSafeHwnd(), FALSE);
        const int nCount = GetMenuItemCount(hMenu);
        EXPECT_EQ(std::make_tuple(GetMenuState(hMenu, nCount - 2, MF_BYPOSITION) & MF_SEPARATOR,
                                  GetMenuItemID(hMenu, nCount - 1)),
                  std::make_tuple(UINT(MF_SEPARATOR), UINT(IDM_ABOUTBOX)));
    });
    ASSERT_TRUE(User().ChooseWindowMenu("About"));
    EXPECT_EQ(User().Caption(), "About Velastro");
    User().Click(IDOK);
    EXPECT_EQ(User().Caption(), "Velastro");
}

TEST_F(StartAndClose, F1ShowsNothingAndChangesNothing) {
    User().SetText(IDC_LENGTH_EDIT, "6");
    User().Press(VK_F1);
    EXPECT_FALSE(User().PendingMessageBox().has_value());
    EXPECT_EQ(std::make_tuple(User().Running(), User().Caption(), User().Text(IDC_LENGTH_EDIT),
                              User().FocusId()),
              std::make_tuple(true, "Velastro", "6", IDC_LENGTH_EDIT));
}
