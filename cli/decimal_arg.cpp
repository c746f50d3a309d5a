#include "decimal_arg.h"

#include <charconv>
#include <cstddef>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of text that has the form [sign] digits [. digits] [e [sign]
// digits].
std::size_t DecimalFormLength(const std::string& text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; i < n && IsDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == '.') {
        for (++i; i < n && IsDigit(text[i]); ++i)
            ++digits;
    }
    if (digits == 0) return 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t exponentStart = j;
        while (j < n && IsDigit(text[j]))
            ++j;
        if (j > exponentStart) i = j;
    }
    return i;
}

}  // namespace

DecimalArg ParseDecimalArg(const std::string& text) {
    DecimalArg arg;
    if (text.empty() || DecimalFormLength(text) != text.size()) {
        arg.error = "'" + text + "' is not a decimal number (write it like 6.5, -0 or 1e-99)";
        return arg;
    }
    // from_chars takes no leading plus sign.
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const auto result = std::from_chars(first, text.data() + text.size(), arg.value);
    if (result.ec == std::errc::result_out_of_range) {
        arg.error = "'" + text + "' is out of the range of a double";
        return arg;
    }
    arg.ok = result.ec == std::errc() && result.ptr == text.data() + text.size();
    if (!arg.ok) arg.error = "'" + text + "' is not a decimal number";
    return arg;
}
