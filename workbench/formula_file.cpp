#include "formula_file.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "decimal_text.h"
#include "text_line.h"

namespace {

const char kMarker[] = "[FORMEL]";

// The file as a text-mode stream writes it on Windows: every line feed reaches the disk as CR LF.
std::string WithCrLf(const std::string& strText) {
    std::string strBytes;
    strBytes.reserve(strText.size() + 32);
    for (char c : strText) {
        if (c == '\n') strBytes.push_back('\r');
        strBytes.push_back(c);
    }
    return strBytes;
}

}  // namespace

std::string FormulaFileText(const std::string& strFormula, const CFormulaFileValues& values) {
    std::string strText = "Korvandelmatrix Formulaparser\n\n";
    strText += "\n[COMMENT]\nno comment\n";
    strText += "\n" + std::string(kMarker) + "\n" + strFormula + "\n";
    strText += "\n[CONSTANTS]\n" + std::to_string(values.size()) + "\n";
    for (double dValue : values)
        strText += FormatFixed(dValue) + "\n";
    strText += "\n[COMMAND]\n\n[END]\n";
    return WithCrLf(strText);
}

FormulaFileRead ReadFormulaFile(std::FILE* pFile, std::size_t nLimit) {
    FormulaFileRead result;
    std::string strLine;
    if (ReadTextLine(pFile, strLine, 0) == kNoLine) {
        result.eOutcome =
            std::ferror(pFile) ? FormulaFileRead::kReadError : FormulaFileRead::kEmpty;
        return result;
    }
    result.eOutcome = FormulaFileRead::kFormula;
    // Only as much of each line is kept as tells whether it is the marker.
    const std::size_t nMarker = sizeof kMarker - 1;
    for (;;) {
        const std::size_t nLength = ReadTextLine(pFile, strLine, nMarker + 1);
        if (nLength == kNoLine) break;
        if (nLength == nMarker && strLine == kMarker) {
            // One more than the limit keeps the CR of a line exactly at the limit.
            const std::size_t nFormula = ReadTextLine(pFile, result.strFormula, nLimit + 1, true);
            if (nFormula != kNoLine && nFormula > nLimit)
                result.eOutcome = FormulaFileRead::kTooLong;
            result.strFormula.resize(std::strlen(result.strFormula.c_str()));
            break;
        }
    }
    if (std::ferror(pFile)) result.eOutcome = FormulaFileRead::kReadError;
    if (result.eOutcome != FormulaFileRead::kFormula) result.strFormula.clear();
    return result;
}

std::string FormulaTooLongText() {
    return ": its formula line is longer than " + std::to_string(kFormulaLineLimit) + " characters";
}

FormulaFileRead LoadFormulaFilePath(const std::string& strPath) {
    FormulaFileRead result;
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) {
        result.eOutcome = FormulaFileRead::kOpenError;
        result.nErrno = errno;
        return result;
    }
    try {
        errno = 0;
        result = ReadFormulaFile(pFile);
        // A folder opens on POSIX hosts and fails at the first read; Windows refuses the open.
        if (result.eOutcome == FormulaFileRead::kReadError && errno == EISDIR) {
            result.eOutcome = FormulaFileRead::kOpenError;
            result.nErrno = EISDIR;
        }
    } catch (const std::bad_alloc&) {
        result = {FormulaFileRead::kNoMemory, std::string(), 0};
    }
    std::fclose(pFile);
    return result;
}
