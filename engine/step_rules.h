// The arithmetic of the operator steps and the numeric error texts, written once for the one-pass
// reading and the compiled form, so both compute every value alike. No reading, no state.
#pragma once

#include <cmath>

#include "function_library.h"

namespace formula {

inline constexpr char kDivisionByZero[] = " (Division durch Null)";
inline constexpr char kNoRoot[] = " (keine Wurzel aus neg. Zahl)";
inline constexpr char kCaught[] = " (Ein Error wurde abgefangen)";

// Of two NaN operands the left one wins, whichever operand order the compiler gives addsd/mulsd.
inline double Sum(double a, double b) {
    return std::isnan(a) ? a + a : a + b;
}
inline double Product(double a, double b) {
    return std::isnan(a) ? a * a : a * b;
}

// "/" is skipped for a divisor of exactly zero.
inline bool CanDivide(double divisor) {
    return !(divisor == 0.0);
}

// "^" takes a positive base to any power, other bases only to whole powers beyond -1 and 1.
inline bool CanRaise(double base, double exponent) {
    return base > 0.0 || (std::fabs(exponent) > 1.0 && IsWhole32(exponent));
}

}  // namespace formula
