// One evaluation's outcome, and a parser preset with B = 2, F = 3, G = 4, for the engine tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "formula_parser.h"

struct Outcome {
    double value = 0.0;
    std::uint16_t position = 0;
    std::string text;
};

inline std::ostream& operator<<(std::ostream& os, const Outcome& o) {
    return os << "{value " << o.value << ", position " << o.position << ", text \"" << o.text
              << "\"}";
}

inline Outcome Evaluate(CFormulaParser& parser, const std::string& formula, double x = 0.0) {
    Outcome o;
    o.value = parser.Calculation(formula, x, o.position, o.text);
    return o;
}

// A fresh parser for each formula, the way the dialog uses it, with B = 2, F = 3, G = 4.
inline Outcome Evaluate(const std::string& formula, double x = 0.0) {
    CFormulaParser parser;
    parser.SetFunctConst(1, 2.0);
    parser.SetFunctConst(2, 3.0);
    parser.SetFunctConst(3, 4.0);
    return Evaluate(parser, formula, x);
}

// Table row: a formula and what it must give; NaN expected values are compared as NaN.
struct Case {
    std::string formula;
    double value;
    std::uint16_t position;
    std::string text;
};

inline std::ostream& operator<<(std::ostream& os, const Case& c) {
    return os << "\"" << c.formula << "\"";
}
