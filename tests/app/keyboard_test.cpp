// The window from the keyboard: the tab order of its visible fields and what Enter does where.
#include "velastro_window.h"

using Keyboard = VelastroWindow;

TEST_F(Keyboard, TabVisitsTheVisibleFieldsAndClickHereOnly) {
    User().SetText(IDC_WIDTH_EDIT, "12.5");
    User().Click(IDC_LENGTH_EDIT);
    const std::pair<bool, int> kPresses[] = {{false, IDC_WIDTH_EDIT}, {false, IDC_DEPTH_EDIT},
                                             {false, IDC_CLICK_HERE}, {false, IDC_LENGTH_EDIT},
                                             {true, IDC_CLICK_HERE},  {true, IDC_DEPTH_EDIT},
                                             {true, IDC_WIDTH_EDIT}};
    for (const auto& [bShift, nExpected] : kPresses) {
        User().Press(VK_TAB, bShift);
        EXPECT_EQ(User().FocusId(), nExpected) << (bShift ? "shift+tab" : "tab");
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
    User().Press(VK_RETURN);
    EXPECT_EQ(std::make_tuple(User().Visible(IDC_ANSWER), User().Text(IDC_ANSWER)),
              std::make_tuple(true, "0.062000"));
}
