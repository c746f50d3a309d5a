#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>

#include "velastro_window.h"

namespace {

// The eight rows from the top of the window down, as the window's design lists them.
struct ShapeRow {
    const char* pszName;
    int nButton;
    int nPicture, nSelectedPicture, nArrow;
    bool bDiameter;  // the first field is DIAMETER, else LENGTH
    bool bWidth;     // the formula reads F, so WIDTH shows
    const char* pszFormula;
};

const ShapeRow kRows[] = {
    {"RoundBrilliant", IDC_ROUND_BRILLIANT, IDC_PIC_ROUND, IDC_PIC_ROUND_SEL, IDC_ARROW1, true,
     false, "(B/2*B/2*G*.0245)*1.05"},
    {"OvalBrilliant", IDC_OVAL_BRILLIANT, IDC_PIC_OVAL, IDC_PIC_OVAL_SEL, IDC_ARROW2, false, true,
     "(B+F)/2*(B+F)/2*G*.0065"},
    {"SquareTrillion", IDC_SQUARE_TRILLION, IDC_PIC_SQUARE, IDC_PIC_SQUARE_SEL, IDC_ARROW3, false,
     false, "(B*2/3)*B*G*.013"},
    {"Rectangle", IDC_RECTANGLE, IDC_PIC_RECTANGLE, IDC_PIC_RECTANGLE_SEL, IDC_ARROW4, false, true,
     "(B-(F/3))*F*G*.013"},
    {"MarquiseBrilliant", IDC_MARQUISE_BRILLIANT, IDC_PIC_MARQUISE, IDC_PIC_MARQUISE_SEL,
     IDC_ARROW5, false, true, "(B-(F/3))*F*G*.0079"},
    {"PearBrilliant", IDC_PEAR_BRILLIANT, IDC_PIC_PEAR, IDC_PIC_PEAR_SEL, IDC_ARROW6, false, true,
     "B*F*G*.0062"},
    {"TriangleTrillion", IDC_TRIANGLE_TRILLION, IDC_PIC_TRIANGLE, IDC_PIC_TRIANGLE_SEL, IDC_ARROW7,
     false, true, "B*F*G*.0057"},
    {"HeartBrilliant", IDC_HEART_BRILLIANT, IDC_PIC_HEART, IDC_PIC_HEART_SEL, IDC_ARROW8, false,
     true, "B*F*G*.0060"},
};

void PrintTo(const ShapeRow& row, std::ostream* pOut) {
    *pOut << row.pszFormula;
}

}  // namespace

class ShapeSelection : public VelastroWindow, public ::testing::WithParamInterface<ShapeRow> {
protected:
    // The chosen row alone shows its selected picture and arrow; the fields follow its formula.
    void ExpectChosen(const ShapeRow& chosen, const std::string& strWhen) {
        for (const ShapeRow& row : kRows) {
            const bool bChosen = row.nButton == chosen.nButton;
            EXPECT_EQ(User().Visible(row.nPicture), !bChosen) << row.nPicture << strWhen;
            EXPECT_EQ(User().Visible(row.nSelectedPicture), bChosen) << row.nPicture << strWhen;
            EXPECT_EQ(User().Visible(row.nArrow), bChosen) << row.nPicture << strWhen;
        }
        EXPECT_EQ(User().Visible(IDC_LBL_DIAMETER), chosen.bDiameter) << strWhen;
        EXPECT_EQ(User().Visible(IDC_LBL_LENGTH), !chosen.bDiameter) << strWhen;
        EXPECT_EQ(User().Visible(IDC_WIDTH_EDIT), chosen.bWidth) << strWhen;
        EXPECT_EQ(User().Visible(IDC_LBL_WIDTH), chosen.bWidth) << strWhen;
        EXPECT_FALSE(User().Visible(IDC_ANSWER)) << "an answer of another shape" << strWhen;
        EXPECT_EQ(Formula(), chosen.pszFormula) << strWhen;
        EXPECT_EQ(FormulaUndo(), "") << strWhen;
    }
};

TEST_P(ShapeSelection, ShowsItsFieldsMarksItsRowAndLoadsItsFormula) {
    const ShapeRow& chosen = GetParam();
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after a first choice");
    // From the row above (the last row from the first), and again from itself.
    const std::size_t nRow =
        std::find_if(std::begin(kRows), std::end(kRows),
                     [&](const ShapeRow& row) { return row.nButton == chosen.nButton; }) -
        std::begin(kRows);
    User().Click(kRows[(nRow + std::size(kRows) - 1) % std::size(kRows)].nButton);
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after another shape");
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after itself");
}

INSTANTIATE_TEST_SUITE_P(EveryRow, ShapeSelection, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<ShapeRow>& info) {
                             return std::string(info.param.pszName);
                         });

TEST_F(ShapeSelection, HiddenWidthKeepsItsTextAndComesBack) {
    User().SetText(IDC_WIDTH_EDIT, "4.5");
    User().Click(IDC_ROUND_BRILLIANT);
    User().Click(IDC_OVAL_BRILLIANT);
    EXPECT_TRUE(User().Visible(IDC_WIDTH_EDIT));
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "4.5");
}

TEST_F(ShapeSelection, ShapeAfterKeypadKeysFollowsTheUndoCopy) {
    User().Command(IDC_KEY_SIN);
    User().Command(IDC_DIGIT2);
    User().Click(IDC_HEART_BRILLIANT);
    EXPECT_EQ(Formula(), "sin(B*F*G*.0060");
    EXPECT_EQ(FormulaUndo(), "sin(");
}

TEST_F(ShapeSelection, ShapeWithAnUnreadableFieldPromptsOnceAndStillLoads) {
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

// Keys typed after a shape reach the formula only where its edit shows and so takes the focus.
TEST_F(ShapeSelection, GivesTheFormulaEditTheFocusOnlyWhenItShows) {
    User().Click(IDC_OVAL_BRILLIANT);
    EXPECT_NE(User().FocusId(), IDC_FORMULA);
    User().Type("9");
    User().Press(VK_BACK);
    EXPECT_EQ(Formula(), "(B+F)/2*(B+F)/2*G*.0065");
    EXPECT_EQ(User().Selection(IDC_FORMULA), std::make_pair(23, 23));
    User().OnUi([] { Dlg().GetDlgItem(IDC_FORMULA)->ShowWindow(SW_SHOW); });
    User().Click(IDC_SQUARE_TRILLION);
    EXPECT_EQ(User().FocusId(), IDC_FORMULA);
    EXPECT_EQ(User().Selection(IDC_FORMULA), std::make_pair(16, 16));
}
