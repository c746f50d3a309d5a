// The window from the keyboard: the tab order of its visible fields and what Enter does where.
#include "velastro_window.h"

using Keyboard = VelastroWindow;

TEST_F(Keyboard, TabVisitsTheVisibleFieldsAndClickHereOnly) {
    User().SetText(IDC_WIDTH_EDIT, "12.5");
    User().Click(IDC_LENGTH_EDIT);
    const int kForward[] = {IDC_WIDTH_EDIT, IDC_DEPTH_EDIT, IDC_CLICK_HERE, IDC_LENGTH_EDIT};
    for (int nExpected : kForward) {
        User().Press(VK_TAB);
        EXPECT_EQ(User().FocusId(), nExpected);
    }
    const int kBackward[] = {IDC_CLICK_HERE, IDC_DEPTH_EDIT, IDC_WIDTH_EDIT};
    for (int nExpected : kBackward) {
        User().Press(VK_TAB, true);
        EXPECT_EQ(User().FocusId(), nExpected);
    }
    EXPECT_EQ(User().Selection(IDC_WIDTH_EDIT), std::make_pair(0, 4)) << "its text is selected";
    User().Click(IDC_ROUND_BRILLIANT);
    User().Click(IDC_LENGTH_EDIT);
    User().Press(VK_TAB);
    EXPECT_EQ(User().FocusId(), IDC_DEPTH_EDIT) << "the hidden WIDTH field is skipped";
}

TEST_F(Keyboard, EnterOnClickHereShowsTheAnswer) {
    EnterStone(IDC_PEAR_BRILLIANT, "2", "5", "1");
    User().Press(VK_TAB);
    ASSERT_EQ(User().FocusId(), IDC_CLICK_HERE);
    User().Press(VK_RETURN);
    EXPECT_TRUE(User().Visible(IDC_ANSWER));
    EXPECT_EQ(User().Text(IDC_ANSWER), "0.062000");
}
