// Reads a command-line value as a whole decimal number ("6.5", "-0", "1e-99"), in any locale.
// It accepts nothing else: no trailing text, no decimal comma, no hex, inf or nan.
#pragma once

#include <string>

struct DecimalArg {
    bool ok = false;
    double value = 0.0;
    std::string error;  // why the text was refused, for the usage message
};

DecimalArg ParseDecimalArg(const std::string& text);
