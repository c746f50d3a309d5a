#include "number_text.h"

#include <limits>

#include "ascii_case.h"
#include "decimal_text.h"

namespace {

bool IsSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// True when the text at p starts with the lower-case word, in any letter case.
bool StartsWithWord(const char* p, const char* pszWord) {
    for (; *pszWord; ++p, ++pszWord) {
        if (AsciiLower(*p) != *pszWord) return false;
    }
    return true;
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
    } else {
        // scanf stops at the first character that does not fit, wherever the text ends.
        const char* pLast = p;
        while (*pLast)
            ++pLast;
        const DecimalRead read = ReadDecimal(p, pLast);
        if (read.pEnd == p) return false;
        dResult = read.dValue;
    }
    dValue = bNegative ? -dResult : dResult;
    return true;
}
