#include <ostream>
#include <string>
#include <vector>

#include "velastro_window.h"

namespace {

struct ShapeOutcome {
    int nButton;
    const char* pszFormula;
    std::vector<int> shown;
    std::vector<int> hidden;  // pairs {a, -b} stand for a to b
};

// What each shape leaves shown and hidden, as the window's design lists it.
const ShapeOutcome kOutcomes[] = {
    {140,
     "(B/2*B/2*G*.0245)*1.05",
     {1018, 1019, 1021, 1023, 1025, 1027, 1029, 1031, 1033, 1035},
     {151, 1002, 1012, 1013, 1020, 1022, 1024, 1026, 1028, 1030, 1032, 1034, 1036, -1042}},
    {141,
     "(B+F)/2*(B+F)/2*G*.0065",
     {151, 1012, 1013, 1020, 1022, 1023, 1025, 1027, 1029, 1031, 1033, 1036},
     {1002, 1018, 1019, 1021, 1024, 1026, 1028, 1030, 1032, 1034, 1035, 1037, -1042}},
    {139,
     "(B*2/3)*B*G*.013",
     {1012, 1020, 1021, 1024, 1025, 1027, 1029, 1031, 1033, 1037},
     {151, 1002, 1013, 1018, 1019, 1022, 1023, 1026, 1028, 1030, 1032, 1034, 1035, 1036, 1038,
      -1042}},
    {144,
     "(B-(F/3))*F*G*.013",
     {151, 1012, 1013, 1020, 1021, 1023, 1026, 1027, 1029, 1031, 1033, 1038},
     {1002, 1018, 1019, 1022, 1024, 1025, 1028, 1030, 1032, 1034, 1035, -1037, 1039, -1042}},
    {145,
     "(B-(F/3))*F*G*.0079",
     {151, 1012, 1013, 1020, 1021, 1023, 1025, 1028, 1029, 1031, 1033, 1039},
     {1002, 1018, 1019, 1022, 1024, 1026, 1027, 1030, 1032, 1034, 1035, -1038, 1040, -1042}},
    {146,
     "B*F*G*.0062",
     {151, 1012, 1013, 1020, 1021, 1023, 1025, 1027, 1030, 1031, 1033, 1040},
     {1002, 1018, 1019, 1022, 1024, 1026, 1028, 1029, 1032, 1034, 1035, -1039, 1041, 1042}},
    {160,
     "B*F*G*.0057",
     {151, 1012, 1013, 1020, 1021, 1023, 1025, 1027, 1029, 1032, 1033, 1041},
     {1002, 1018, 1019, 1022, 1024, 1026, 1028, 1030, 1031, 1034, 1035, -1040, 1042}},
    {143,
     "B*F*G*.0060",
     {151, 1012, 1013, 1020, 1021, 1023, 1025, 1027, 1029, 1031, 1034, 1042},
     {1002, 1018, 1019, 1022, 1024, 1026, 1028, 1030, 1032, 1033, 1035, -1041}},
};

std::vector<int> Expanded(const std::vector<int>& ids) {
    std::vector<int> result;
    for (int nId : ids) {
        if (nId > 0) {
            result.push_back(nId);
            continue;
        }
        for (int n = result.back() + 1; n <= -nId; ++n)
            result.push_back(n);
    }
    return result;
}

void PrintTo(const ShapeOutcome& outcome, std::ostream* pOut) {
    *pOut << "button " << outcome.nButton;
}

}  // namespace

class ShapeSelection : public VelastroWindow, public ::testing::WithParamInterface<ShapeOutcome> {
protected:
    void ExpectOutcome(const ShapeOutcome& outcome, const std::string& strWhen) {
        for (int nId : Expanded(outcome.shown))
            EXPECT_TRUE(User().Visible(nId)) << nId << " hidden " << strWhen;
        for (int nId : Expanded(outcome.hidden))
            EXPECT_FALSE(User().Visible(nId)) << nId << " shown " << strWhen;
        EXPECT_EQ(Formula(), outcome.pszFormula) << strWhen;
        EXPECT_EQ(FormulaUndo(), "") << strWhen;
    }
};

TEST_P(ShapeSelection, ShowsItsFieldsMarksItsRowAndLoadsItsFormula) {
    User().Click(GetParam().nButton);
    ExpectOutcome(GetParam(), "after a first choice");
    // From every other shape, and again from itself, the outcome is the same.
    for (const ShapeOutcome& before : kOutcomes) {
        User().Click(before.nButton);
        User().Click(GetParam().nButton);
        ExpectOutcome(GetParam(), "after " + std::to_string(before.nButton));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ShapeSelection, ::testing::ValuesIn(kOutcomes),
                         [](const ::testing::TestParamInfo<ShapeOutcome>& info) {
                             return "Button" + std::to_string(info.param.nButton);
                         });

TEST_F(VelastroWindow, HiddenWidthKeepsItsTextAndComesBack) {
    User().SetText(IDC_WIDTH_EDIT, "4.5");
    User().Click(IDC_ROUND_BRILLIANT);
    EXPECT_FALSE(User().Visible(IDC_WIDTH_EDIT));
    User().Click(IDC_OVAL_BRILLIANT);
    EXPECT_TRUE(User().Visible(IDC_WIDTH_EDIT));
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "4.5");
    EXPECT_TRUE(User().Visible(IDC_LBL_LENGTH));
    EXPECT_FALSE(User().Visible(IDC_LBL_DIAMETER));
}

TEST_F(VelastroWindow, ShapeAfterKeypadKeysFollowsTheUndoCopy) {
    User().Command(IDC_KEY_SIN);
    User().Command(IDC_DIGIT2);
    User().Click(IDC_HEART_BRILLIANT);
    EXPECT_EQ(Formula(), "sin(B*F*G*.0060");
    EXPECT_EQ(FormulaUndo(), "sin(");
}

TEST_F(VelastroWindow, ShapeWithAnUnreadableFieldPromptsOnceAndStillLoads) {
    User().SetText(IDC_LENGTH_EDIT, "7");
    User().Click(IDC_PEAR_BRILLIANT);
    User().SetText(IDC_LENGTH_EDIT, "abc");
    User().Click(IDC_OVAL_BRILLIANT);
    ExpectNumberPrompt();
    EXPECT_FALSE(User().PendingMessageBox().has_value());
    EXPECT_EQ(User().Text(IDC_LENGTH_EDIT), "7");
    EXPECT_EQ(Formula(), "(B+F)/2*(B+F)/2*G*.0065");
    EXPECT_TRUE(User().Visible(IDC_PIC_OVAL_SEL));
}

TEST_F(VelastroWindow, KeysTypedAfterAShapeNeverReachTheHiddenFormula) {
    User().Click(IDC_OVAL_BRILLIANT);
    EXPECT_NE(User().FocusId(), IDC_FORMULA);
    User().Type("9");
    User().Press(VK_BACK);
    EXPECT_EQ(Formula(), "(B+F)/2*(B+F)/2*G*.0065");
    EXPECT_EQ(User().Selection(IDC_FORMULA), std::make_pair(23, 23));
}

TEST_F(VelastroWindow, ShapeGivesAVisibleFormulaEditTheFocus) {
    User().OnUi([] { Dlg().GetDlgItem(IDC_FORMULA)->ShowWindow(SW_SHOW); });
    User().Click(IDC_SQUARE_TRILLION);
    EXPECT_EQ(User().FocusId(), IDC_FORMULA);
    EXPECT_EQ(User().Selection(IDC_FORMULA), std::make_pair(16, 16));
}
