// The number exchange's text rules: read one number as scanf's "%lf" does, write it as "%.*g".
// Always '.' as the decimal point, whatever the process locale; no hexadecimal numbers.
#pragma once

#include <string>

// Reads the number at the start of pszText: white space, sign, digits with an optional '.'
// fraction, an exponent only when a digit follows it, or inf/infinity/nan in any case. The rest
// of the text is ignored. Out-of-range values become ±infinity or ±0 as strtod makes them.
// False (dValue untouched) when the text holds no number there.
bool AfxParseDouble(const char* pszText, double& dValue);

// The value as printf's "%.*g" writes it with that precision: "0", "6.5", "1e+21", "inf", "nan".
std::string AfxFormatDouble(double dValue, int nPrecision);
