// The text the answer field shows for one evaluation, shared by the dialog and velastro-cli.
// Formatting only: it evaluates nothing and never depends on the process locale.
#pragma once

#include <cstdint>
#include <string>

// The value in "%f", "????" followed by a numeric error text, or the syntax-error text as is.
std::string AnswerText(double value, std::uint16_t errorPosition, const std::string& errorText);
