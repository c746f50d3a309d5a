// The ".FKT" formula file: the bytes a save writes, the formula line a load takes back, and
// writing a file so that a failure never leaves it half written. No dialog, no Win32 types.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "formula_letters.h"

// The values in file order, which is the order of the formula letters: B to U, then X.
using CFormulaFileValues = formula::LetterValues;

// The whole file as written: 25 lines, each ended by CR LF, values with six decimals.
std::string FormulaFileText(const std::string& strFormula, const CFormulaFileValues& values);

// The longest formula line a load takes: 32 times what a user can type into the formula edit
// (32,767 characters) and 16 times the engine's 65,535 positions, yet small even for 32 bits.
constexpr std::size_t kFormulaLineLimit = 1 << 20;

struct FormulaFileRead {
    enum EOutcome {
        kEmpty,      // nothing could be read: the formula keeps its text
        kFormula,    // strFormula is the line after the marker, or empty without one
        kReadError,  // the stream failed while reading
        kTooLong,    // the formula line is longer than the limit: the formula keeps its text
        kOpenError,  // the path names no file that can be opened (a folder included)
        kNoMemory,   // the formula line did not fit into memory
    };
    EOutcome eOutcome = kEmpty;
    std::string strFormula;
    int nErrno = 0;  // the system's reason of a kOpenError
};

// Reads a file's formula: the first line is skipped, then the line after the first whole line
// "[FORMEL]" is the formula, less its line end (LF or CR LF). A NUL ends the formula text.
// Memory stays within nLimit characters whatever the file holds.
FormulaFileRead ReadFormulaFile(std::FILE* pFile, std::size_t nLimit = kFormulaLineLimit);

// What follows the path in the message that refuses a kTooLong file: ": its formula line is
// longer than 1048576 characters".
std::string FormulaTooLongText();

// Opens strPath and reads its formula; every failure is an outcome, never an exception.
FormulaFileRead LoadFormulaFilePath(const std::string& strPath);

// Writes strBytes to strPath through a new file beside it that then replaces the target, so a
// failed write leaves an earlier file untouched. A read-only or locked target is refused first.
bool WriteFileReplacing(const std::string& strPath, const std::string& strBytes);
