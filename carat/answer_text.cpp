#include "answer_text.h"

#include "decimal_text.h"

std::string AnswerText(double value, std::uint16_t errorPosition, const std::string& errorText) {
    if (errorPosition != 0) return errorText;
    if (errorText.empty()) return FormatFixed(value);
    return "????" + errorText;
}
