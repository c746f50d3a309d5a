// The text the answer field shows for one evaluation, shared by the dialog and every other face.
// Formatting only: it evaluates nothing and never depends on the process locale.
#pragma once

#include <string>

#include "formula_parser.h"

// The value in "%f", "????" followed by a numeric error text, or the syntax-error text as is.
std::string AnswerText(const FormulaResult& result);
