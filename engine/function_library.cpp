#include "function_library.h"

#include <cmath>
#include <cstdint>
#include <iterator>

namespace formula {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

bool Always(double) {
    return true;
}
// Comparisons are written so that a NaN argument falls outside every domain.
bool NotNegative(double a) {
    return a >= 0.0;
}
bool ExpDomain(double a) {
    return a <= 41.0;
}
bool TanDomain(double a) {
    return !(std::cos(a) == 0.0);
}  // NaN passes through tan
bool ArcSinDomain(double a) {
    return std::fabs(a) < 1.0;
}
bool UnitClosed(double a) {
    return std::fabs(a) <= 1.0;
}
bool ArcoshDomain(double a) {
    return std::fabs(a) >= 1.0;
}

double Abs(double a) {
    return std::fabs(a);
}
double Sqr(double a) {
    return std::sqrt(a);
}
double Sinh(double a) {
    return std::sinh(a);
}
double Cosh(double a) {
    return std::cosh(a);
}
double Tanh(double a) {
    return std::tanh(a);
}
double Arctan(double a) {
    return std::atan(a);
}
double Ln(double a) {
    return std::log(a);
}
double Log(double a) {
    return std::log10(a);
}
double Exp(double a) {
    return std::exp(a);
}
double Sin(double a) {
    return std::sin(a);
}
double Cos(double a) {
    return std::cos(a);
}
double Tan(double a) {
    return std::tan(a);
}
double Arcsin(double a) {
    return std::asin(a);
}
double Arccos(double a) {
    return std::acos(a);
}
double Rad(double a) {
    return a * kPi / 180.0;
}
double Deg(double a) {
    return a * 180.0 / kPi;
}
double Arsinh(double a) {
    return std::log(a + std::sqrt(a * a + 1.0));
}
double Arcosh(double a) {
    return std::log(a + std::sqrt(a * a - 1.0));
}
double Artanh(double a) {
    return std::log((1.0 + a) / (1.0 - a)) * 0.5;
}

}  // namespace

const FunctionEntry kFunctions[] = {
    {"ABS", Abs, Always},
    {"SQR", Sqr, NotNegative},
    {"SINH", Sinh, Always},
    {"COSH", Cosh, Always},
    {"TANH", Tanh, Always},
    {"ARCTAN", Arctan, Always},
    {"LN", Ln, NotNegative},
    {"LOG", Log, NotNegative},
    {"EXP", Exp, ExpDomain},
    {"SIN", Sin, Always},
    {"COS", Cos, Always},
    {"TAN", Tan, TanDomain},
    {"ARCSIN", Arcsin, ArcSinDomain},
    {"ARCCOS", Arccos, UnitClosed},
    {"INT", WholePart, Always},
    {"RAD", Rad, Always},
    {"DEG", Deg, Always},
    {"ARSINH", Arsinh, Always},
    {"ARCOSH", Arcosh, ArcoshDomain},
    {"ARTANH", Artanh, UnitClosed},
};
const std::size_t kFunctionCount = std::size(kFunctions);

bool IsWhole32(double e) {
    return e >= kInt32Min && e <= kInt32Max && e == std::trunc(e);
}

double WholePart(double a) {
    // The integer conversion keeps INT(-0.5) at +0, as a 32-bit result would be.
    if (a >= kInt32Min && a < kInt32Max + 1.0)
        return static_cast<double>(static_cast<std::int32_t>(a));
    return std::trunc(a);
}

}  // namespace formula
