// The ".FKT" formula file: the bytes a save writes, the formula line a load takes back, and
// writing a file so that a failure never leaves it half written. No dialog, no Win32 types.
#pragma once

#include <array>
#include <cstdio>
#include <string>

// The ten values in file order: the letters B F G H J K M N U, then X.
using CFormulaFileValues = std::array<double, 10>;

// The whole file as written: 25 lines, each ended by CR LF, values with six decimals.
std::string FormulaFileText(const std::string& strFormula, const CFormulaFileValues& values);

struct CFormulaFileRead {
    enum EOutcome {
        kEmpty,      // nothing could be read: the formula keeps its text
        kFormula,    // strFormula is the line after the marker, or empty without one
        kReadError,  // the stream failed while reading
    };
    EOutcome eOutcome = kEmpty;
    std::string strFormula;
};

// Reads a file's formula: the first line is skipped, then the line after the first whole line
// "[FORMEL]" is the formula, less its line end (LF or CR LF). A NUL ends the formula text.
CFormulaFileRead ReadFormulaFile(std::FILE* pFile);

// Opens strPath and reads its formula; false when the file cannot be opened or read.
bool LoadFormulaFilePath(const std::string& strPath, CFormulaFileRead& result);

// Writes strBytes to strPath through a new file beside it that then replaces the target, so a
// failed write leaves an earlier file untouched. A read-only or locked target is refused first.
bool WriteFileReplacing(const std::string& strPath, const std::string& strBytes);
