// The exact conversions between doubles and decimal text that every reader and writer here rests
// on. It finds no number in a text and knows no decimal comma: the callers delimit the number.
#pragma once

// Which conversion this build uses: <charconv>'s where the C++ library converts doubles; under
// emscripten, whose libc++ converts none, the C library's strtod and snprintf in the "C" locale.
enum class EDecimalConversion {
    kDone,        // dValue is the nearest double, subnormals included
    kOutOfRange,  // beyond a double's range: dValue is left to the caller
    kFailed,      // no number at first
};

// Reads the number [first, last): digits, at most one '.', digits, and an optional exponent.
EDecimalConversion DecimalToDouble(const char* first, const char* last, double& dValue);

// printf's "%.*f" (decimals) and "%.*g" (precision) into [first, last), which must hold it:
// every digit, '.' as the point, "inf" and "nan" as printf writes them. Return the end.
char* WriteFixedDecimal(char* first, char* last, double value, int decimals);
char* WriteGeneralDecimal(char* first, char* last, double value, int precision);
