// Letter case of ASCII text, for the names the program matches in any case: functions, shapes,
// devices, resources. Bytes outside A-Z and a-z stay as they are; no locale takes part.
#pragma once

#include <string>
#include <string_view>
#include <vector>

constexpr char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiUpper(std::string_view text);
std::string AsciiLower(std::string_view text);

// Compares as strcmp does after lowering both texts: negative, 0 or positive.
int CompareIgnoringAsciiCase(std::string_view a, std::string_view b);

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return CompareIgnoringAsciiCase(a, b) == 0;
}

// text without the blanks and tabs around it, as cells and typed names come with them.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The name of names nearest to given in letters added, dropped or changed, in any letter case;
// "" when even the nearest differs in more than a third of its letters (one at the least).
std::string_view NearestName(std::string_view given, const std::vector<std::string_view>& names);
