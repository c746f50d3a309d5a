// One evaluation's outcome by a given parser; and the same formula read, recorded and replayed
// by one parser, checked against fresh readings with the letters preset.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "formula_parser.h"

// WebAssembly leaves the sign of a NaN that arithmetic makes open, and the compiler may fold an
// operation differently on each path; x86 keeps the operand's sign, which the table pins.
#ifdef __EMSCRIPTEN__
constexpr bool kNaNSignsAreFixed = false;
#else
constexpr bool kNaNSignsAreFixed = true;
#endif

// The same double bit for bit, or two NaNs where their signs are not fixed.
inline bool SameValue(double expected, double actual) {
    if (!kNaNSignsAreFixed && std::isnan(expected)) return std::isnan(actual);
    return std::memcmp(&expected, &actual, sizeof actual) == 0;
}

using formula::Evaluate;

// Letter values for one calculation: the constants B to U (slots 1 to 9) and x.
struct LetterValues {
    std::array<double, formula::kLastConstantSlot - formula::kFirstConstantSlot + 1> constants;
    double x;
};

inline void Load(CFormulaParser& parser, const LetterValues& values) {
    for (int slot = formula::kFirstConstantSlot; slot <= formula::kLastConstantSlot; ++slot)
        parser.SetFunctConst(slot, values.constants[slot - formula::kFirstConstantSlot]);
}

// The table's values B = 2, F = 3, G = 4 and x, then values that take the operators and
// functions down their other branches (zero divisors and X = 0; negative and fractional bases;
// NaNs of either sign and infinities), then the table's values again.
inline std::array<LetterValues, 5> LetterValuesInTurn(double x) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    return {{{{2.0, 3.0, 4.0}, x},
             {{}, 0.0},
             {{-2.5, -0.0, 0.5, -1.0, 1.0, 41.5, -8.0, 2147483648.0, 3.0}, -3.0},
             {{nan, kInf, -kInf, -nan, 1e308, -4.9e-324, 0.0, -2.0, 1.0}, -0.0},
             {{2.0, 3.0, 4.0}, x}}};
}

// Evaluates formula on parser with each of LetterValuesInTurn, so that one text is read,
// recorded and replayed; every outcome must equal a fresh parser's bit for bit. Returns the
// fresh outcome of the table's values.
inline FormulaResult EvaluateEveryWay(CFormulaParser& parser, const std::string& formula,
                                      double x) {
    FormulaResult reference;
    int call = 0;
    for (const LetterValues& values : LetterValuesInTurn(x)) {
        CFormulaParser fresh;
        Load(fresh, values);
        const FormulaResult expected = Evaluate(fresh, formula, values.x);
        Load(parser, values);
        const FormulaResult actual = Evaluate(parser, formula, values.x);
        EXPECT_EQ(std::tie(expected.nPosition, expected.strError),
                  std::tie(actual.nPosition, actual.strError))
            << "call " << call;
        EXPECT_TRUE(SameValue(expected.dValue, actual.dValue))
            << "call " << call << ": fresh " << expected.dValue << ", again " << actual.dValue;
        if (call++ == 0) reference = expected;
    }
    return reference;
}
