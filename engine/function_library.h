// The one-argument functions a formula may apply, in matching order, with their domains.
// Pure double arithmetic: name matching and error texts belong to CFormulaParser.
#pragma once

#include <cstddef>
#include <string_view>

namespace formula {

struct FunctionEntry {
    std::string_view name;       // upper case, as matched against the formula
    double (*apply)(double a);   // the function's value
    bool (*inDomain)(double a);  // false: the argument stands unchanged and an error is reported
};

// SINH, COSH and TANH precede SIN, COS and TAN because the first name that fits wins.
extern const FunctionEntry kFunctions[];
// The number of entries in kFunctions, counted from its definition.
extern const std::size_t kFunctionCount;

// True when e is a whole number that a 32-bit signed integer holds; false for NaN and infinities.
bool IsWhole32(double e);

// Whole part toward zero: the 32-bit integer where it fits, otherwise the truncated double.
double WholePart(double a);

}  // namespace formula
