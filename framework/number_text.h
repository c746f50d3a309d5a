// The number exchange's reading rule: one number as scanf's "%lf" reads it. Always '.' as the
// decimal point, whatever the process locale; no hexadecimal numbers.
#pragma once

// Reads the number at the start of pszText: white space, sign, digits with an optional '.'
// fraction, an exponent only when a digit follows it, or inf/infinity/nan in any case. The rest
// of the text is ignored. Out-of-range values become ±infinity or ±0 as strtod makes them.
// False (dValue untouched) when the text holds no number there.
bool AfxParseDouble(const char* pszText, double& dValue);
