// The calculator keypad's text keys: which button appends which text to the formula.
// Digits, Delete, Undo, Save and Load are not text keys; the dialog handles them itself.
#pragma once

#include <cstddef>

struct KeypadKey {
    int nID;
    const char* pszText;  // appended as is; often not the caption ("10^x" appends "10^")
};

constexpr std::size_t kKeypadKeyCount = 33;
extern const KeypadKey kKeypadKeys[kKeypadKeyCount];

// The text key nID appends, or nullptr when nID is no text key.
const char* KeypadText(int nID);
