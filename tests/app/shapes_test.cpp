#include "velastro_window.h"

class ShapeSelection : public VelastroWindow, public ::testing::WithParamInterface<int> {
protected:
    // The chosen row alone shows its selected picture and arrow; the fields follow its formula.
    void ExpectChosen(const ShapeRow& chosen, const std::string& strWhen) {
        for (int i = 0; i < 8; ++i) {
            const ShapeRow& row = kShapeRows[i];
            const bool bChosen = row.nButton == chosen.nButton;
            EXPECT_EQ(
                std::make_tuple(User().Visible(row.nPicture), User().Visible(row.nSelectedPicture),
                                User().Visible(IDC_ARROW1 + i)),
                std::make_tuple(!bChosen, bChosen, bChosen))
                << row.pszName << strWhen;
        }
        EXPECT_EQ(
            std::make_tuple(User().Visible(IDC_LBL_DIAMETER), User().Visible(IDC_LBL_LENGTH),
                            User().Visible(IDC_WIDTH_EDIT), User().Visible(IDC_LBL_WIDTH)),
            std::make_tuple(chosen.bDiameter, !chosen.bDiameter, chosen.bWidth, chosen.bWidth))
            << "diameter, length, width edit and label" << strWhen;
        EXPECT_EQ(std::make_tuple(User().Visible(IDC_ANSWER), Formula(), FormulaUndo()),
                  std::make_tuple(false, chosen.pszFormula, ""))
            << "the answer of another shape hidden, the formula and its undo copy" << strWhen;
    }
};

TEST_P(ShapeSelection, ShowsItsFieldsMarksItsRowAndLoadsItsFormula) {
    const ShapeRow& chosen = kShapeRows[GetParam()];
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after a first choice");
    // From the row above (the last row from the first), and again from itself.
    User().Click(kShapeRows[(GetParam() + 7) % 8].nButton);
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after another shape");
    User().Click(chosen.nButton);
    ExpectChosen(chosen, " after itself");
}

INSTANTIATE_TEST_SUITE_P(EveryRow, ShapeSelection, ::testing::Range(0, 8),
                         [](const auto& info) { return kShapeRows[info.param].pszName; });

TEST_F(ShapeSelection, HiddenWidthKeepsItsTextAndComesBack) {
    User().SetText(IDC_WIDTH_EDIT, "4.5");
    User().Click(IDC_ROUND_BRILLIANT);
    User().Click(IDC_OVAL_BRILLIANT);
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "4.5");
}

TEST_F(ShapeSelection, ShapeAfterKeypadKeysFollowsTheUndoCopy) {
    User().Command(IDC_KEY_SIN);
    User().Command(IDC_DIGIT2);
    User().Click(IDC_HEART_BRILLIANT);
    EXPECT_EQ(Formula() + "|" + FormulaUndo(), "sin(B*F*G*.0060|sin(");
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
    ShowFormulaEdit();
    User().Click(IDC_SQUARE_TRILLION);
    EXPECT_EQ(User().FocusId(), IDC_FORMULA);
    EXPECT_EQ(User().Selection(IDC_FORMULA), std::make_pair(16, 16));
}
