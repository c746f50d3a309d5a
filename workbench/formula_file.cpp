#include "formula_file.h"

#include <cstring>

#include "answer_text.h"

namespace {

constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
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

// Reads one line and returns its length without the line end (LF or CR LF), or kNoLine when
// the file has ended with nothing read; strLine keeps at most nKeep of its characters.
std::size_t ReadLine(std::FILE* pFile, std::string& strLine, std::size_t nKeep) {
    strLine.clear();
    std::size_t nLength = 0;
    bool bAnything = false;
    int c = EOF;
    while ((c = std::getc(pFile)) != EOF) {
        bAnything = true;
        if (c == '\n') break;
        if (nLength < nKeep) strLine.push_back(static_cast<char>(c));
        ++nLength;
    }
    if (!bAnything) return kNoLine;
    if (c == '\n' && nLength > 0 && nLength <= nKeep && strLine.back() == '\r') {
        strLine.pop_back();
        --nLength;
    }
    return nLength;
}

}  // namespace

std::string FormulaFileText(const std::string& strFormula, const CFormulaFileValues& values) {
    std::string strText = "Korvandelmatrix Formulaparser\n\n";
    strText += "\n[COMMENT]\nno comment\n";
    strText += "\n[FORMEL]\n" + strFormula + "\n";
    strText += "\n[CONSTANTS]\n" + std::to_string(values.size()) + "\n";
    for (double dValue : values)
        strText += FormatFixed(dValue) + "\n";
    strText += "\n[COMMAND]\n\n[END]\n";
    return WithCrLf(strText);
}

CFormulaFileRead ReadFormulaFile(std::FILE* pFile) {
    CFormulaFileRead result;
    std::string strLine;
    if (ReadLine(pFile, strLine, 0) == kNoLine) {
        result.eOutcome =
            std::ferror(pFile) ? CFormulaFileRead::kReadError : CFormulaFileRead::kEmpty;
        return result;
    }
    result.eOutcome = CFormulaFileRead::kFormula;
    // Only as much of each line is kept as tells whether it is the marker.
    const std::size_t nMarker = sizeof kMarker - 1;
    for (;;) {
        const std::size_t nLength = ReadLine(pFile, strLine, nMarker + 1);
        if (nLength == kNoLine) break;
        if (nLength == nMarker && strLine == kMarker) {
            if (ReadLine(pFile, result.strFormula, kNoLine) != kNoLine)
                result.strFormula.resize(std::strlen(result.strFormula.c_str()));
            break;
        }
    }
    if (std::ferror(pFile)) result = {CFormulaFileRead::kReadError, std::string()};
    return result;
}

bool LoadFormulaFilePath(const std::string& strPath, CFormulaFileRead& result) {
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) return false;
    result = ReadFormulaFile(pFile);
    std::fclose(pFile);
    return result.eOutcome != CFormulaFileRead::kReadError;
}
