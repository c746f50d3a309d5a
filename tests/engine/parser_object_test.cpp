// The parser object: constants, the message hook, reuse, and independence from the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "evaluation.h"

namespace {

std::vector<std::string> g_messages;
void RecordMessage(const std::string& text) {
    g_messages.push_back(text);
}

// Installs a recording hook for one test and puts the previous one back.
class HookedParser : public testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        previous_ = CFormulaParser::SetMessageHook(RecordMessage);
    }
    void TearDown() override { CFormulaParser::SetMessageHook(previous_); }
    CFormulaParser::MessageHook previous_ = nullptr;
};

TEST(SetFunctConst, EachIndexFeedsItsLetter) {
    const std::string letters = "BFGHJKMNU";
    for (int index = 1; index <= 9; ++index) {
        CFormulaParser parser;
        parser.SetFunctConst(index, 7.5);
        for (std::size_t k = 0; k < letters.size(); ++k) {
            const double expected = (static_cast<int>(k) + 1 == index) ? 7.5 : 0.0;
            const std::string letter(1, letters[k]);
            EXPECT_EQ(expected, Evaluate(parser, letter).value)
                << "after SetFunctConst(" << index << ", 7.5), letter " << letter;
        }
    }
}

TEST_F(HookedParser, IndexOutsideOneToNineReportsAndStoresNothing) {
    for (const int index : {0, 10, -1, 11, 1000}) {
        CFormulaParser parser;
        g_messages.clear();
        parser.SetFunctConst(index, 5.0);
        ASSERT_EQ(1u, g_messages.size()) << "index " << index;
        EXPECT_EQ("ProgrammError in SetFunctConst()", g_messages[0]);
        EXPECT_EQ(0.0, Evaluate(parser, "B+F+G+H+J+K+M+N+U+V").value) << "index " << index;
    }
}

TEST_F(HookedParser, ValidIndexRaisesNoMessage) {
    CFormulaParser parser;
    for (int index = 1; index <= 9; ++index)
        parser.SetFunctConst(index, 1.0);
    EXPECT_TRUE(g_messages.empty());
}

TEST(SetFunctConst, WithoutAHookTheEngineStaysSilent) {
    const CFormulaParser::MessageHook previous = CFormulaParser::SetMessageHook(nullptr);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    CFormulaParser parser;
    parser.SetFunctConst(0, 1.0);
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
    CFormulaParser::SetMessageHook(previous);
}

TEST(Reuse, ASecondCalculationForgetsTheFirstError) {
    CFormulaParser parser;
    EXPECT_EQ(" (Division durch Null)", Evaluate(parser, "1/0").text);
    const Outcome second = Evaluate(parser, "1+1");
    EXPECT_EQ(2.0, second.value);
    EXPECT_EQ("", second.text);
    EXPECT_EQ(0, second.position);
}

TEST(Reuse, ConstantsStayXIsSetAnew) {
    CFormulaParser parser;
    parser.SetFunctConst(1, 6.0);
    EXPECT_EQ(18.0, Evaluate(parser, "B*X", 3.0).value);
    EXPECT_EQ(6e-99, Evaluate(parser, "B*X", 0.0).value);
    EXPECT_EQ(12.0, Evaluate(parser, "B*X", 2.0).value);
}

TEST(Reuse, ASyntaxErrorDoesNotLeakIntoTheNextFormula) {
    CFormulaParser parser;
    EXPECT_EQ(7, Evaluate(parser, "((((2+Q").position);
    const Outcome next = Evaluate(parser, "(1+2)*3");
    EXPECT_EQ(9.0, next.value);
    EXPECT_EQ(0, next.position);
}

TEST(Calculation, LeavesTheCallersTextAlone) {
    CFormulaParser parser;
    const std::string formula = "  2+3  ";
    Evaluate(parser, formula);
    EXPECT_EQ("  2+3  ", formula);
}

TEST(Calculation, OutParametersAreOverwrittenOnSuccess) {
    CFormulaParser parser;
    std::uint16_t position = 99;
    std::string text = "stale";
    parser.Calculation("1", 0.0, position, text);
    EXPECT_EQ(0, position);
    EXPECT_EQ("", text);
}

TEST(Locale, DecimalPointIsAlwaysAPoint) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const Outcome point = Evaluate("6.5*2");
    const Outcome comma = Evaluate("6,5");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(13.0, point.value);
    EXPECT_EQ(0, point.position);
    EXPECT_EQ(2, comma.position) << "a decimal comma stays a syntax error";
}

}  // namespace
