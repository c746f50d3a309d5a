#include "decimal_conversion.h"

#ifndef __EMSCRIPTEN__

#include <charconv>

EDecimalConversion DecimalToDouble(const char* first, const char* last, double& dValue) {
    const std::from_chars_result result = std::from_chars(first, last, dValue);
    if (result.ec == std::errc::result_out_of_range) return EDecimalConversion::kOutOfRange;
    return result.ec == std::errc() ? EDecimalConversion::kDone : EDecimalConversion::kFailed;
}

char* WriteFixedDecimal(char* first, char* last, double value, int decimals) {
    return std::to_chars(first, last, value, std::chars_format::fixed, decimals).ptr;
}

char* WriteGeneralDecimal(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::general, precision).ptr;
}

#else

#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The "C" locale, so no setlocale of the program can change the point.
locale_t CLocale() {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return cLocale;
}

// snprintf with the "C" locale in force on this thread, and the one before it restored.
template <class... Args>
char* PrintInCLocale(char* first, char* last, const char* pszFormat, Args... args) {
    const locale_t previous = uselocale(CLocale());
    const int nWritten =
        std::snprintf(first, static_cast<std::size_t>(last - first), pszFormat, args...);
    uselocale(previous);
    return nWritten < 0 ? first : first + std::min<std::ptrdiff_t>(nWritten, last - first - 1);
}

}  // namespace

EDecimalConversion DecimalToDouble(const char* first, const char* last, double& dValue) {
    // strtod reads up to a NUL: a copy ends the number where the caller's text does.
    const std::string strNumber(first, last);
    char* pEnd = nullptr;
    errno = 0;
    const double dRead = strtod_l(strNumber.c_str(), &pEnd, CLocale());
    if (pEnd == strNumber.c_str()) return EDecimalConversion::kFailed;
    // ERANGE also flags subnormal results, which <charconv> returns as values.
    if (errno == ERANGE && (dRead == 0.0 || std::isinf(dRead)))
        return EDecimalConversion::kOutOfRange;
    dValue = dRead;
    return EDecimalConversion::kDone;
}

char* WriteFixedDecimal(char* first, char* last, double value, int decimals) {
    return PrintInCLocale(first, last, "%.*f", decimals, value);
}

char* WriteGeneralDecimal(char* first, char* last, double value, int precision) {
    return PrintInCLocale(first, last, "%.*g", precision, value);
}

#endif
