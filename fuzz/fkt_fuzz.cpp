// libFuzzer target: the .FKT loader on arbitrary bytes must not crash and must take the same
// formula as a plain reading of the whole text, or refuse it for a line past a small limit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formula_file.h"

namespace {

// Small, so that the refusal of a long formula line is reached as often as the formula itself.
constexpr std::size_t kLimit = 64;

void Require(bool condition) {
    if (!condition) std::abort();
}

// The formula line by whole-text search: lines end at LF, and a CR right before that LF is
// dropped; false when there is none.
bool FindFormulaLine(const std::string& text, std::string& formulaLine) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = (end == std::string::npos) ? text.size() : end + 1;
    }
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        if (lines[i] == std::string("[FORMEL]")) {
            formulaLine = lines[i + 1];
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::FILE* pFile = fmemopen(text.data(), text.size(), "rb");
    Require(pFile != nullptr);
    const FormulaFileRead read = ReadFormulaFile(pFile, kLimit);
    std::fclose(pFile);
    std::string line;
    const bool tooLong = FindFormulaLine(text, line) && line.size() > kLimit;
    Require(read.eOutcome == (size == 0 ? FormulaFileRead::kEmpty
                              : tooLong ? FormulaFileRead::kTooLong
                                        : FormulaFileRead::kFormula));
    Require(read.strFormula.find_first_of(std::string("\n\0", 2)) == std::string::npos);
    Require(read.strFormula == (tooLong ? std::string() : line.substr(0, line.find('\0'))));
    return 0;
}
