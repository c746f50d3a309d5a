#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

bool IsSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// True when the text at p starts with the lower-case word, in any letter case.
bool StartsWithWord(const char* p, const char* pszWord) {
    for (; *pszWord; ++p, ++pszWord) {
        char ch = (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
        if (ch != *pszWord) return false;
    }
    return true;
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p))
        ++p;
    return p;
}

// exponent: [eE] [+-]? digit+ ; without a digit the 'e' is not part of the number.
const char* SkipExponent(const char* p) {
    if (*p != 'e' && *p != 'E') return p;
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    return IsDigit(*q) ? SkipDigits(q) : p;
}

// Power of ten of the leading significant digit; tells overflow from underflow once the
// conversion reports a value out of range.
long long DecimalMagnitude(const char* pBegin, const char* pEnd) {
    long long nIntDigits = 0;
    long long nDigit = 0;
    long long nFirstSignificant = -1;
    const char* p = pBegin;
    bool bFraction = false;
    for (; p < pEnd && (IsDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            bFraction = true;
            continue;
        }
        if (!bFraction) ++nIntDigits;
        if (*p != '0' && nFirstSignificant < 0) nFirstSignificant = nDigit;
        ++nDigit;
    }
    long long nExponent = 0;
    const bool bNegative = p < pEnd && p[1] == '-';
    for (; p < pEnd; ++p) {
        if (IsDigit(*p)) nExponent = std::min(nExponent * 10 + (*p - '0'), 1000000000LL);
    }
    return nIntDigits - 1 - std::max(nFirstSignificant, 0LL) + (bNegative ? -nExponent : nExponent);
}

// decimal: digit+ ('.' digit*)? | '.' digit+ ; then the optional exponent.
bool ParseDecimal(const char* p, double& dValue) {
    const char* pMantissa = p;
    const char* pAfterInt = SkipDigits(p);
    const char* pEnd = pAfterInt;
    if (*pEnd == '.') pEnd = SkipDigits(pEnd + 1);
    if (pAfterInt == pMantissa && pEnd - pMantissa < 2) return false;
    pEnd = SkipExponent(pEnd);
    std::from_chars_result result = std::from_chars(pMantissa, pEnd, dValue);
    if (result.ec == std::errc::result_out_of_range) {
        dValue =
            DecimalMagnitude(pMantissa, pEnd) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return true;
    }
    return result.ec == std::errc();
}

}  // namespace

bool AfxParseDouble(const char* pszText, double& dValue) {
    if (!pszText) return false;
    const char* p = pszText;
    while (IsSpace(*p))
        ++p;
    const bool bNegative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    double dResult = 0.0;
    if (StartsWithWord(p, "inf")) {
        dResult = std::numeric_limits<double>::infinity();
    } else if (StartsWithWord(p, "nan")) {
        dResult = std::numeric_limits<double>::quiet_NaN();
    } else if (!ParseDecimal(p, dResult)) {
        return false;
    }
    dValue = bNegative ? -dResult : dResult;
    return true;
}

std::string AfxFormatDouble(double dValue, int nPrecision) {
    char szBuffer[64];
    std::to_chars_result result = std::to_chars(szBuffer, szBuffer + sizeof szBuffer, dValue,
                                                std::chars_format::general, nPrecision);
    return std::string(szBuffer, result.ptr);
}
