#include "keypad_keys.h"
#include "velastro_window.h"

using FormulaBuffer = VelastroWindow;

TEST_F(FormulaBuffer, EveryKeyAppendsItsTextAndUndoTakesExactlyThatBack) {
    ASSERT_EQ(sizeof kKeyTexts / sizeof kKeyTexts[0], kKeypadKeyCount + 10);
    User().Command(IDC_KEY_OPEN_PAREN);
    for (const auto& [nId, pszAppended] : kKeyTexts) {
        const std::string strBefore = Formula(), strAfter = strBefore + pszAppended;
        const int nEnd = static_cast<int>(strAfter.size());
        User().Command(nId);
        EXPECT_EQ(std::make_tuple(Formula(), FormulaUndo(), User().Selection(IDC_FORMULA)),
                  std::make_tuple(strAfter, strBefore, std::make_pair(nEnd, nEnd)))
            << "key " << nId;
        User().Command(IDC_UNDO);
        EXPECT_EQ(Formula(), strBefore) << "undo after key " << nId;
        User().Command(IDC_UNDO);
        EXPECT_EQ(Formula(), strAfter) << "second undo after key " << nId;
    }
}

TEST_F(FormulaBuffer, DeleteAndUndo) {
    const char* const pszRound = "(B/2*B/2*G*.0245)*1.05";
    // Undo right after the start, delete of nothing, and a second delete that empties the copy.
    const std::tuple<int, std::string, std::string> kSteps[] = {
        {IDC_UNDO, "", ""},         {IDC_DELETE, "", ""},     {IDC_ROUND_BRILLIANT, pszRound, ""},
        {IDC_DELETE, "", pszRound}, {IDC_UNDO, pszRound, ""}, {IDC_DELETE, "", pszRound},
        {IDC_DELETE, "", ""}};
    for (size_t i = 0; i < std::size(kSteps); ++i) {
        User().Command(std::get<0>(kSteps[i]));
        EXPECT_EQ(std::make_tuple(Formula(), FormulaUndo()),
                  std::make_tuple(std::get<1>(kSteps[i]), std::get<2>(kSteps[i])))
            << "step " << i;
    }
}

TEST_F(FormulaBuffer, TextTypedIntoTheFormulaEditJoinsAtTheNextKey) {
    ShowFormulaEdit();
    User().Command(IDC_KEY_LENGTH);
    User().Type("*2");
    User().Command(IDC_KEY_PLUS);
    EXPECT_EQ(Formula() + "|" + FormulaUndo(), "B*2+|B*2");
}

TEST_F(FormulaBuffer, KeyWithAnUnreadableFieldStillAppendsAndRewritesTheFields) {
    User().SetText(IDC_LENGTH_EDIT, "6.50");
    User().SetText(IDC_WIDTH_EDIT, "4");
    User().Command(IDC_DIGIT1);
    User().SetText(IDC_WIDTH_EDIT, "four");
    User().Command(IDC_DIGIT2);
    ExpectNumberPrompt();
    EXPECT_EQ(std::make_tuple(Formula(), User().Text(IDC_LENGTH_EDIT), User().Text(IDC_WIDTH_EDIT)),
              std::make_tuple("12", "6.5", "4"));
}
