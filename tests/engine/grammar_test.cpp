// Reading and evaluating formulas: tokens, numbers, operators, letters and syntax errors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "expect_case.h"

namespace {

const std::string kDiv = " (Division durch Null)";
const std::string kRoot = " (keine Wurzel aus neg. Zahl)";
const std::string kCaught = " (Ein Error wurde abgefangen)";

class GrammarTable : public testing::TestWithParam<Case> {};
TEST_P(GrammarTable, EvaluatesAsReadLeftToRight) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Precedence, GrammarTable,
                         testing::Values(Case{"2+3*4", 14, 0, ""}, Case{"2*3^2", 18, 0, ""},
                                         Case{"(2+3)*4", 20, 0, ""}, Case{"2^3^2", 64, 0, ""},
                                         Case{"10-4-3", 3, 0, ""}, Case{"64/4/2", 8, 0, ""},
                                         Case{"2+3-4*5/2", -5, 0, ""}));

INSTANTIATE_TEST_SUITE_P(UnaryMinus, GrammarTable,
                         testing::Values(Case{"-2^2", 4, 0, ""}, Case{"2^-1", 0.5, 0, ""},
                                         Case{"2*-3", -6, 0, ""}, Case{"-(2+3)", -5, 0, ""},
                                         Case{"--2", -2, 0, ""}, Case{"+2", 2, 0, ""},
                                         Case{"- 3", -3, 0, ""}, Case{"-B", -2, 0, ""}));

INSTANTIATE_TEST_SUITE_P(MissingOperands, GrammarTable,
                         testing::Values(Case{"2+", 2, 0, ""}, Case{"2*", 0, 0, ""},
                                         Case{"2/", 2, 0, kDiv}, Case{"*2", 0, 0, ""},
                                         Case{"()", 0, 0, ""}, Case{"(1+2", 3, 0, ""},
                                         Case{"", 0, 0, ""}, Case{"   ", 0, 0, ""},
                                         Case{"-", 0, 0, ""}));

INSTANTIATE_TEST_SUITE_P(Numbers, GrammarTable,
                         testing::Values(Case{".5+.5", 1, 0, ""}, Case{"2 .5", 2, 0, ""},
                                         Case{"1.2.3", 1.2, 0, ""}, Case{"5.", 5, 0, ""},
                                         Case{".", 0, 0, ""}, Case{"12 34", 12, 0, ""},
                                         Case{".0245", 0.0245, 0, ""}, Case{"007", 7, 0, ""},
                                         Case{"12 34+1", 13, 0, ""}, Case{"1E5", 1, 2, "XXX!"}));

INSTANTIATE_TEST_SUITE_P(Letters, GrammarTable,
                         testing::Values(Case{"b*f*g", 24, 0, ""}, Case{"B*F*G", 24, 0, ""},
                                         Case{"H+J+K+M+N+U", 0, 0, ""}, Case{"V", 0, 0, ""},
                                         Case{"bf", 2, 2, "XXX!"}, Case{"A", 0, 1, "XXX!"},
                                         Case{"Q+1", 0, 1, "XXX!"}));

INSTANTIATE_TEST_SUITE_P(SyntaxErrorPositions, GrammarTable,
                         testing::Values(Case{"2+Q", 2, 3, "XXX!"}, Case{"  2+Q", 2, 3, "XXX!"},
                                         Case{"(2))", 2, 4, "XXX!"}, Case{"2)", 2, 2, "XXX!"},
                                         Case{"2(3)", 2, 2, "XXX!"}, Case{"2,5", 2, 2, "XXX!"},
                                         Case{"2\t+3", 2, 2, "XXX!"}, Case{"2 +3", 5, 0, ""},
                                         Case{"1/0)", 1, 4, "XXX" + kDiv + "!"},
                                         Case{"2+\xE9", 2, 3, "XXX!"}, Case{"2\n+3", 2, 2, "XXX!"},
                                         Case{" \t\r\n2+3 \f\v\r\n", 5, 0, ""}));

INSTANTIATE_TEST_SUITE_P(NumericErrors, GrammarTable,
                         testing::Values(Case{"1/0", 1, 0, kDiv}, Case{"1/0*5", 5, 0, kDiv},
                                         Case{"1/(2-2)", 1, 0, kDiv}, Case{"1/-0", 1, 0, kDiv},
                                         Case{"1/0+SQR(-1)", 0, 0, kCaught},
                                         Case{"SQR(-1)+1/0", 0, 0, kDiv},
                                         Case{"1/0+2", 3, 0, kDiv}));

INSTANTIATE_TEST_SUITE_P(PowerRule, GrammarTable,
                         testing::Values(Case{"(-2)^2", 4, 0, ""}, Case{"(-2)^3", -8, 0, ""},
                                         Case{"(-2)^-2", 0.25, 0, ""}, Case{"0^2", 0, 0, ""},
                                         Case{"(-2)^0.5", -2, 0, kRoot}, Case{"0^0.5", 0, 0, kRoot},
                                         Case{"(-3)^1", -3, 0, kRoot}, Case{"0^0", 0, 0, kRoot},
                                         Case{"0^1", 0, 0, kRoot}, Case{"0^-1", 0, 0, kRoot},
                                         Case{"(-8)^(1/3)", -8, 0, kRoot}, Case{"4^0.5", 2, 0, ""},
                                         Case{"2^0", 1, 0, ""}));

TEST(Numbers, ConvertCorrectlyRounded) {
    struct Exact {
        std::string text;
        double value;
    };
    const std::vector<Exact> cases = {
        {"0.1", 0.1},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"9007199254740993", 9007199254740992.0},  // halfway: ties to even
        {"1.00000000000000011102230246251565404236316680908203125", 1.0},
        {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
    };
    for (const Exact& c : cases) {
        const Outcome o = Evaluate(c.text);
        EXPECT_EQ(c.value, o.value) << "number " << c.text;
        EXPECT_EQ("", o.text) << "number " << c.text;
    }
}

TEST(Numbers, BeyondTheDoubleRangeOverflowOrVanishLikeStrtod) {
    const Outcome huge = Evaluate("1" + std::string(400, '0'));
    EXPECT_EQ(std::numeric_limits<double>::infinity(), huge.value);
    EXPECT_EQ(0, huge.position);

    const Outcome tiny = Evaluate("." + std::string(400, '0') + "1");
    EXPECT_EQ(0.0, tiny.value);
    EXPECT_EQ("", tiny.text);

    const Outcome subnormal = Evaluate("." + std::string(320, '0') + "5");
    EXPECT_EQ(5e-321, subnormal.value);
}

TEST(Letters, XIsTheArgumentAndZeroMeansTiny) {
    EXPECT_EQ(5.0, Evaluate("x", 5.0).value);
    EXPECT_EQ(1e-99, Evaluate("X", 0.0).value);
    EXPECT_EQ(1e-99, Evaluate("X", -0.0).value) << "-0 counts as zero";
    const Outcome reciprocal = Evaluate("1/X", 0.0);
    EXPECT_DOUBLE_EQ(1e99, reciprocal.value);
    EXPECT_EQ("", reciprocal.text) << "X = 0 must not divide by zero";
}

TEST(Tokens, EmbeddedNulIsASyntaxErrorNotTheEnd) {
    // Text after a NUL must not be dropped while success is reported.
    const Outcome o = Evaluate(std::string("2\0+3", 4));
    EXPECT_EQ(2, o.position);
    EXPECT_EQ("XXX!", o.text);
}

TEST(Tokens, OnlyBlanksAreSkippedInsideAFormula) {
    EXPECT_EQ(5.0, Evaluate("  2  +  3  ").value);
    for (const char c : std::string("\t\r\v\f")) {
        const Outcome o = Evaluate(std::string("2") + c + "+3");
        EXPECT_EQ(2, o.position) << "character code " << int(c);
    }
}

}  // namespace
