// The twenty functions: values, domain edges, matching and binding.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "expect_case.h"

namespace {

const std::string kCaught = " (Ein Error wurde abgefangen)";
const std::string kDiv = " (Division durch Null)";
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

class FunctionTable : public testing::TestWithParam<Case> {};
TEST_P(FunctionTable, AppliesInsideTheDomainAndKeepsTheArgumentOutside) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(RootsAndLogarithms, FunctionTable,
                         testing::Values(Case{"sqr(16)", 4, 0, ""}, Case{"SQR(-4)", -4, 0, kCaught},
                                         Case{"sqr(0)", 0, 0, ""}, Case{"ln(1)", 0, 0, ""},
                                         Case{"ln(0)", -kInf, 0, ""},
                                         Case{"ln(-1)", -1, 0, kCaught}, Case{"log(100)", 2, 0, ""},
                                         Case{"log(0)", -kInf, 0, ""},
                                         Case{"log(-1)", -1, 0, kCaught}, Case{"exp(0)", 1, 0, ""},
                                         Case{"exp(41)", std::exp(41.0), 0, ""},
                                         Case{"exp(41.5)", 41.5, 0, kCaught},
                                         Case{"abs(-3)", 3, 0, ""}, Case{"abs(0-3)", 3, 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    Trigonometry, FunctionTable,
    testing::Values(Case{"sin(0)", 0, 0, ""}, Case{"cos(0)", 1, 0, ""},
                    Case{"tan(1)", std::tan(1.0), 0, ""}, Case{"arctan(1)", std::atan(1.0), 0, ""},
                    Case{"arcsin(0.5)", std::asin(0.5), 0, ""}, Case{"arcsin(1)", 1, 0, kCaught},
                    Case{"arcsin(0-1)", -1, 0, kCaught}, Case{"arccos(1)", 0, 0, ""},
                    Case{"arccos(0-1)", std::acos(-1.0), 0, ""},
                    Case{"arccos(1.5)", 1.5, 0, kCaught},
                    Case{"rad(180)", 3.141592653589793, 0, ""}, Case{"deg(rad(90))", 90, 0, ""},
                    Case{"deg(1)", 180 / 3.141592653589793, 0, ""}));

INSTANTIATE_TEST_SUITE_P(
    Hyperbolic, FunctionTable,
    testing::Values(Case{"sinh(0)", 0, 0, ""}, Case{"sinh(1)", std::sinh(1.0), 0, ""},
                    Case{"cosh(0)", 1, 0, ""}, Case{"tanh(1)", std::tanh(1.0), 0, ""},
                    Case{"arsinh(0)", 0, 0, ""}, Case{"arcosh(1)", 0, 0, ""},
                    Case{"arcosh(0.5)", 0.5, 0, kCaught}, Case{"arcosh(0-2)", kNaN, 0, ""},
                    Case{"artanh(0.5)", 0.5493061443340548, 0, ""}, Case{"artanh(1)", kInf, 0, ""},
                    Case{"artanh(0-1)", -kInf, 0, ""}, Case{"artanh(1.5)", 1.5, 0, kCaught}));

INSTANTIATE_TEST_SUITE_P(WholePart, FunctionTable,
                         testing::Values(Case{"int(-2.7)", -2, 0, ""}, Case{"int(2.7)", 2, 0, ""},
                                         Case{"int(2147483647.9)", 2147483647.0, 0, ""},
                                         Case{"int(0-2147483648.9)", -2147483648.0, 0, ""},
                                         Case{"int(10000000000.7)", 10000000000.0, 0, ""},
                                         Case{"int(0-10000000000.7)", -10000000000.0, 0, ""},
                                         Case{"int(ln(0))", -kInf, 0, ""},
                                         Case{"int(arcosh(0-2))", kNaN, 0, ""}));

// arcosh(-2) is NaN with no error: a handy way to feed NaN to the other functions.
INSTANTIATE_TEST_SUITE_P(NotANumberArgument, FunctionTable,
                         testing::Values(Case{"sqr(arcosh(0-2))", kNaN, 0, kCaught},
                                         Case{"exp(arcosh(0-2))", kNaN, 0, kCaught},
                                         Case{"arccos(arcosh(0-2))", kNaN, 0, kCaught},
                                         Case{"artanh(arcosh(0-2))", kNaN, 0, kCaught},
                                         Case{"tan(arcosh(0-2))", kNaN, 0, ""},
                                         Case{"abs(arcosh(0-2))", kNaN, 0, ""}));

INSTANTIATE_TEST_SUITE_P(Matching, FunctionTable,
                         testing::Values(Case{"Sin(0)+SIN(0)+sIn(0)", 0, 0, ""},
                                         Case{"sinh(1)", std::sinh(1.0), 0, ""},
                                         Case{"sqrt(4)", 0, 4, "XXX!"}, Case{"sin", 0, 0, ""},
                                         Case{"s in(0)", 0, 1, "XXX!"}, Case{"si", 0, 1, "XXX!"},
                                         Case{"sin  (0)", 0, 0, ""}, Case{"sqr 16", 4, 0, ""},
                                         Case{"cosh(0)*2", 2, 0, ""}, Case{"exp ln 5", 5, 0, ""}));

INSTANTIATE_TEST_SUITE_P(Binding, FunctionTable,
                         testing::Values(Case{"sqr(4)^3", 8, 0, ""}, Case{"sqr 4*9", 18, 0, ""},
                                         Case{"sin -B", -2, 0, ""}, Case{"abs -B", -2, 0, ""},
                                         Case{"sqr(B*B+F*F+G*G-4)", 5, 0, ""},
                                         Case{"sqr(1/0)", 1, 0, kDiv},
                                         Case{"sqr(-1)+1/0", 0, 0, kDiv},
                                         Case{"sqr(-1/0)", -1, 0, kCaught}));

TEST(Functions, IntOfANegativeFractionIsPositiveZero) {
    const Outcome o = Evaluate("int(0-0.5)");
    EXPECT_EQ(0.0, o.value);
    EXPECT_FALSE(std::signbit(o.value)) << "a 32-bit whole part has no sign of zero";
}

TEST(Functions, ExtremeArgumentsOverflowWithoutErrorText) {
    for (const char* formula : {"sinh(1000)", "cosh(1000)", "exp(41)^20"}) {
        const Outcome o = Evaluate(formula);
        EXPECT_EQ(kInf, o.value) << formula;
        EXPECT_EQ("", o.text) << formula;
    }
}

}  // namespace
