// Decimal numbers as text, read and written the same in every locale. What a caller accepts
// around a number (blanks, a sign, trailing text) is the caller's own rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct DecimalRead {
    const char* pEnd = nullptr;  // the first character after the number; first when none
    double dValue = 0.0;         // correctly rounded; infinity or 0 beyond a double's range
    bool bOutOfRange = false;
};

// Reads the number at first: digits with an optional fraction after the point (".5" and "5."
// included), then an exponent "e" or "E" with an optional sign only when a digit follows it.
// No sign of its own, no hexadecimal, no inf or nan. cPoint is the decimal point ('.' or ',').
DecimalRead ReadDecimal(const char* first, const char* last, char cPoint = '.');

// A whole text read as one decimal number with an optional sign ("6.5", "-0", "1e-99").
struct DecimalParse {
    bool bOk = false;
    double dValue = 0.0;
    std::string strError;  // why the text was refused: "'6,5' is not a decimal number ..."
};

// Reads all of text as ReadDecimal does after an optional '+' or '-', blanks and tabs around it
// left out; anything else refuses it.
DecimalParse ParseDecimal(std::string_view text);

constexpr int kMaxFixedDecimals = 64;

// As printf's "%.*f" with 0 to kMaxFixedDecimals decimals: every digit however large the
// value, "." as the point.
std::string FormatFixed(double value, int decimals = 6);

// FormatFixed appended to text, for writers that build long lines without a string per number.
void AppendFixed(std::string& text, double value, int decimals);

// AppendFixed that also gives the digits it wrote as one whole number ("6.50" gives 650), for
// adding printed numbers exactly; false, with nDigits unset, when they exceed 2^40.
bool AppendFixedDigits(std::string& text, double value, int decimals, std::uint64_t& nDigits);

// As printf's "%.*g": "0", "6.5", "1e+21", "inf", "nan".
std::string FormatGeneral(double value, int precision);
