// One evaluation's outcome, by a given parser or by a fresh one preset with B = 2, F = 3, G = 4.
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

inline Outcome Evaluate(CFormulaParser& parser, const std::string& formula, double x = 0.0) {
    Outcome o;
    o.value = parser.Calculation(formula, x, o.position, o.text);
    return o;
}

inline Outcome Evaluate(const std::string& formula, double x = 0.0) {
    CFormulaParser parser;
    parser.SetFunctConst(1, 2.0);
    parser.SetFunctConst(2, 3.0);
    parser.SetFunctConst(3, 4.0);
    return Evaluate(parser, formula, x);
}
