// libFuzzer target: the .FKT loader on arbitrary bytes must not crash and must take the same
// formula as a plain reading of the whole text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formula_file.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// The formula by whole-text search: lines end at LF, and a CR right before that LF is dropped.
std::string ExpectedFormula(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = (end == std::string::npos) ? text.size() : end + 1;
    }
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        if (lines[i] == std::string("[FORMEL]"))
            return lines[i + 1].substr(0, lines[i + 1].find('\0'));
    }
    return std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::FILE* pFile = fmemopen(text.data(), text.size(), "rb");
    Require(pFile != nullptr);
    const CFormulaFileRead read = ReadFormulaFile(pFile);
    std::fclose(pFile);
    Require(read.eOutcome == (size == 0 ? CFormulaFileRead::kEmpty : CFormulaFileRead::kFormula));
    Require(read.strFormula.find_first_of(std::string("\n\0", 2)) == std::string::npos);
    Require(read.strFormula == ExpectedFormula(text));
    return 0;
}
