#include "answer_text.h"

#include "decimal_text.h"

std::string AnswerText(const FormulaResult& result) {
    if (result.nPosition != 0) return result.strError;
    if (result.strError.empty()) return FormatFixed(result.dValue);
    return "????" + result.strError;
}
