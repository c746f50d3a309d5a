#include "decimal_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "ascii_case.h"
#include "decimal_conversion.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p, const char* last) {
    while (p != last && IsDigit(*p))
        ++p;
    return p;
}

// Where the exponent of a number ends; without a digit after the 'e' it is not part of it.
const char* SkipExponent(const char* p, const char* last) {
    if (p == last || (*p != 'e' && *p != 'E')) return p;
    const char* q = p + 1;
    if (q != last && (*q == '+' || *q == '-')) ++q;
    return (q != last && IsDigit(*q)) ? SkipDigits(q, last) : p;
}

// Power of ten of the leading significant digit: tells overflow from underflow once the
// conversion has found the value out of range.
long long DecimalMagnitude(const char* first, const char* last, char cPoint) {
    long long nIntDigits = 0;
    long long nDigit = 0;
    long long nFirstSignificant = -1;
    const char* p = first;
    bool bFraction = false;
    for (; p != last && (IsDigit(*p) || *p == cPoint); ++p) {
        if (*p == cPoint) {
            bFraction = true;
            continue;
        }
        if (!bFraction) ++nIntDigits;
        if (*p != '0' && nFirstSignificant < 0) nFirstSignificant = nDigit;
        ++nDigit;
    }
    const bool bNegative = p != last && p + 1 != last && p[1] == '-';
    long long nExponent = 0;
    for (; p != last; ++p) {
        if (IsDigit(*p)) nExponent = std::min(nExponent * 10 + (*p - '0'), 1000000000LL);
    }
    return nIntDigits - 1 - std::max(nFirstSignificant, 0LL) + (bNegative ? -nExponent : nExponent);
}

// Powers of ten that doubles hold exactly.
constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Up to 15 digits without an exponent: mantissa and power of ten are exact doubles, so their
// one division is correctly rounded, as the exact conversion would round, at a fraction of its
// cost.
bool ReadShortDecimal(const char* first, const char* last, double& dValue) {
    std::uint64_t nMantissa = 0;
    int nDigits = 0;
    int nDecimals = -1;
    for (const char* p = first; p != last; ++p) {
        if (!IsDigit(*p)) {
            nDecimals = 0;  // the one decimal point
            continue;
        }
        nMantissa = nMantissa * 10 + static_cast<unsigned>(*p - '0');
        if (nDecimals >= 0) ++nDecimals;
        if (++nDigits > 15) return false;
    }
    const double dMantissa = static_cast<double>(nMantissa);
    dValue = nDecimals > 0 ? dMantissa / kExactPowersOfTen[nDecimals] : dMantissa;
    return true;
}

// The digits of |value| * 10^decimals below 2^40, rounded as printf rounds them, when that
// product's fraction lies at least 2^-11 from one half: the product errs by at most 2^-13 (half
// its last place), too little to carry the exact value across the half, so rounding the product
// rounds the exact value. Ties and larger values are left to the exact conversion.
bool AppendShortFixed(std::string& text, double value, int decimals,
                      std::uint64_t* pDigits = nullptr) {
    if (decimals < 0 || decimals > 15) return false;
    const double scaled = std::fabs(value) * kExactPowersOfTen[decimals];
    if (!(scaled < 0x1p40)) return false;  // NaN included
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact below 2^52
    if (std::fabs(fraction - 0.5) < 0x1p-11) return false;
    std::uint64_t digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    if (pDigits != nullptr) *pDigits = digits;
    char buffer[48];
    char* const pEnd = buffer + sizeof buffer;
    char* p = pEnd;
    for (int i = 0; i < decimals; ++i, digits /= 10)
        *--p = static_cast<char>('0' + digits % 10);
    if (decimals > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0);
    if (std::signbit(value)) *--p = '-';
    text.append(p, static_cast<std::size_t>(pEnd - p));
    return true;
}

// The everyday number in one pass: digits with a point, no exponent and at most 15 digits, whose
// mantissa and power of ten are exact doubles; false for any other number.
bool ReadEverydayDecimal(const char* first, const char* last, char cPoint, DecimalRead& read) {
    std::uint64_t nMantissa = 0;
    const char* p = first;
    // Beyond 19 digits the mantissa wraps; such a number has too many digits here anyway.
    for (unsigned nDigit; p != last && (nDigit = static_cast<unsigned char>(*p) - '0') <= 9; ++p)
        nMantissa = nMantissa * 10 + nDigit;
    std::ptrdiff_t nDigits = p - first;
    std::ptrdiff_t nDecimals = 0;
    if (p != last && *p == cPoint) {
        const char* const pFraction = ++p;
        for (unsigned nDigit; p != last && (nDigit = static_cast<unsigned char>(*p) - '0') <= 9;
             ++p)
            nMantissa = nMantissa * 10 + nDigit;
        nDecimals = p - pFraction;
        nDigits += nDecimals;
    }
    if (nDigits == 0 || nDigits > 15) return false;
    if (p != last && (*p == 'e' || *p == 'E') && SkipExponent(p, last) != p) return false;
    const double dMantissa = static_cast<double>(nMantissa);
    read.dValue = nDecimals > 0 ? dMantissa / kExactPowersOfTen[nDecimals] : dMantissa;
    read.pEnd = p;
    return true;
}

}  // namespace

DecimalRead ReadDecimal(const char* first, const char* last, char cPoint) {
    DecimalRead read;
    read.pEnd = first;
    if (ReadEverydayDecimal(first, last, cPoint, read)) return read;
    const char* pAfterInt = SkipDigits(first, last);
    const char* pEnd = pAfterInt;
    if (pEnd != last && *pEnd == cPoint) pEnd = SkipDigits(pEnd + 1, last);
    if (pAfterInt == first && pEnd - first < 2) return read;  // no digit at all
    const char* const pMantissaEnd = pEnd;
    pEnd = SkipExponent(pEnd, last);
    if (pEnd == pMantissaEnd && ReadShortDecimal(first, pEnd, read.dValue)) {
        read.pEnd = pEnd;
        return read;
    }
    // The conversion knows only '.', so a decimal comma is read from a copy.
    std::string strCopy;
    const char* pText = first;
    if (cPoint != '.') {
        strCopy.assign(first, pEnd);
        std::replace(strCopy.begin(), strCopy.end(), cPoint, '.');
        pText = strCopy.data();
    }
    const EDecimalConversion eResult = DecimalToDouble(pText, pText + (pEnd - first), read.dValue);
    if (eResult == EDecimalConversion::kOutOfRange) {
        read.bOutOfRange = true;
        read.dValue = DecimalMagnitude(first, pEnd, cPoint) > 0
                          ? std::numeric_limits<double>::infinity()
                          : 0.0;
    } else if (eResult == EDecimalConversion::kFailed) {
        return read;
    }
    read.pEnd = pEnd;
    return read;
}

DecimalParse ParseDecimal(std::string_view text) {
    DecimalParse parse;
    // Blanks around a number are no part of it, wherever it was typed or pasted from.
    text = TrimBlanks(text);
    const char* first = text.data();
    const char* const last = first + text.size();
    const bool bNegative = first != last && *first == '-';
    if (first != last && (*first == '+' || *first == '-')) ++first;
    const DecimalRead read = ReadDecimal(first, last);
    if (read.pEnd == first || read.pEnd != last) {
        parse.strError =
            "'" + std::string(text) + "' is not a decimal number (write it like 6.5, -0 or 1e-99)";
    } else if (read.bOutOfRange) {
        parse.strError = "'" + std::string(text) + "' is out of the range of a double";
    } else {
        parse.bOk = true;
        parse.dValue = bNegative ? -read.dValue : read.dValue;
    }
    return parse;
}

void AppendFixed(std::string& text, double value, int decimals) {
    if (AppendShortFixed(text, value, decimals)) return;
    // 309 integer digits, a sign and a point fit beside the decimals; the writer knows no locale.
    char buffer[320 + kMaxFixedDecimals];
    const char* const pEnd = WriteFixedDecimal(buffer, buffer + sizeof buffer, value,
                                               std::clamp(decimals, 0, kMaxFixedDecimals));
    text.append(buffer, static_cast<std::size_t>(pEnd - buffer));
}

bool AppendFixedDigits(std::string& text, double value, int decimals, std::uint64_t& nDigits) {
    if (AppendShortFixed(text, value, decimals, &nDigits)) return true;
    AppendFixed(text, value, decimals);
    return false;
}

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

std::string FormatGeneral(double value, int precision) {
    char buffer[64];
    return std::string(buffer,
                       WriteGeneralDecimal(buffer, buffer + sizeof buffer, value, precision));
}
