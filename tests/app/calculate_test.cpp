#include "formula_parser.h"
#include "velastro_window.h"

namespace {

struct Calculation {
    const char *pszCase, *pszFormula, *pszB, *pszF, *pszX, *pszAnswer;
    std::pair<int, int> selection;  // of the formula edit afterwards
};

const Calculation kCalculations[] = {
    {"OvalSixByFourByThree", "(B+F)/2*(B+F)/2*G*.0065", "6", "4", "0", "0.487500", {23, 23}},
    {"EmptyFormula", "", "6", "4", "0", "0.000000", {0, 0}},
    {"DivisionByZero", "B/F", "6", "0", "0", "???? (Division durch Null)", {3, 3}},
    {"SyntaxErrorSelectsItsCharacter", "B+Q", "6", "4", "0", "XXX!", {2, 3}},
    {"NegativeResult", "B-G", "0.5", "4", "0", "-2.500000", {3, 3}},
    {"XZeroReadsAsTenToMinus99", "X*10^99", "6", "4", "0", "1.000000", {7, 7}},
    {"HiddenLettersTakeTheirFields", "X+H+J+K+M+N+U", "6", "4", "2.5", "2.500000", {13, 13}},
    {"ThirtyOneDigits", "G*10^30", "6", "4", "0", "3000000000000000341128851226624.000000", {7, 7}},
};

}  // namespace

class CalculateCommand : public VelastroWindow, public ::testing::WithParamInterface<int> {};

TEST_P(CalculateCommand, AnswersWithTheValueOrTheErrorText) {
    const Calculation& c = kCalculations[GetParam()];
    SetHidden(IDC_FORMULA, c.pszFormula);
    SetHidden(IDC_CONST_X, c.pszX);
    EnterStone(0, c.pszB, c.pszF, "3");
    User().Click(IDC_CLICK_HERE);
    // Shown even when the formula fails; the hidden formula edit keeps its text, not the focus.
    EXPECT_EQ(
        std::make_tuple(User().Text(IDC_ANSWER), User().Visible(IDC_ANSWER),
                        User().Selection(IDC_FORMULA), User().FocusId() == IDC_FORMULA, Formula()),
        std::make_tuple(c.pszAnswer, true, c.selection, false, c.pszFormula));
}

INSTANTIATE_TEST_SUITE_P(Answers, CalculateCommand,
                         ::testing::Range(0, int(std::size(kCalculations))),
                         [](const auto& info) { return kCalculations[info.param].pszCase; });

TEST_F(CalculateCommand, EnterAfterAShapeCalculatesButLeavesTheAnswerHidden) {
    EnterStone(IDC_OVAL_BRILLIANT, "6", "4", "3");
    User().Press(VK_RETURN);
    EXPECT_EQ(User().Text(IDC_ANSWER), "0.487500");
    EXPECT_FALSE(User().Visible(IDC_ANSWER));
    User().Click(IDC_CLICK_HERE);
    EXPECT_TRUE(User().Visible(IDC_ANSWER));
}

TEST_F(CalculateCommand, CalculateWithAnUnreadableFieldUsesTheLastAcceptedValue) {
    EnterStone(IDC_PEAR_BRILLIANT, "2", "5", "1");
    User().Click(IDC_CLICK_HERE);
    User().SetText(IDC_WIDTH_EDIT, "x");
    User().Click(IDC_CLICK_HERE);
    ExpectNumberPrompt();
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "5");
    EXPECT_EQ(User().Text(IDC_ANSWER), "0.062000");
}

TEST_F(CalculateCommand, CalculateGivesAVisibleFormulaEditTheFocusAndSelectsTheFault) {
    ShowFormulaEdit();
    SetHidden(IDC_FORMULA, "2*(3+Q)");
    User().Click(IDC_CLICK_HERE);
    EXPECT_EQ(User().FocusId(), IDC_FORMULA);
    const auto [nStart, nEnd] = User().Selection(IDC_FORMULA);
    EXPECT_EQ(nEnd - nStart, 1) << nStart;
}

TEST_F(CalculateCommand, EngineMessagesUseTheApplicationsMessageBox) {
    User().Post([] { CFormulaParser().SetFunctConst(10, 1.0); });
    ExpectMessage("ProgrammError in SetFunctConst()");
}
