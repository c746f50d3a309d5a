#include "decimal_arg.h"

#include "decimal_text.h"

DecimalArg ParseDecimalArg(const std::string& text) {
    DecimalArg arg;
    const char* first = text.data();
    const char* last = first + text.size();
    const bool negative = first != last && *first == '-';
    if (first != last && (*first == '+' || *first == '-')) ++first;
    const CDecimalRead read = ReadDecimal(first, last);
    if (read.pEnd == first || read.pEnd != last) {
        arg.error = "'" + text + "' is not a decimal number (write it like 6.5, -0 or 1e-99)";
        return arg;
    }
    if (read.bOutOfRange) {
        arg.error = "'" + text + "' is out of the range of a double";
        return arg;
    }
    arg.ok = true;
    arg.value = negative ? -read.dValue : read.dValue;
    return arg;
}
