#include "answer_text.h"

#include <charconv>

std::string FormatFixed(double value) {
    // 309 integer digits, sign, point and six decimals fit; to_chars is locale-independent.
    char buffer[330];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string AnswerText(double value, std::uint16_t errorPosition, const std::string& errorText) {
    if (errorPosition != 0) return errorText;
    if (errorText.empty()) return FormatFixed(value);
    return "????" + errorText;
}
