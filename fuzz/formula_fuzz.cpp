// libFuzzer target: Calculation on arbitrary bytes must neither crash, hang nor break its contract.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "answer_text.h"
#include "formula_parser.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string formula(reinterpret_cast<const char*>(data), size);
    CFormulaParser parser;
    for (int i = 1; i <= 9; ++i)
        parser.SetFunctConst(i, i * 1.5 - 4.0);
    std::uint16_t position = 0;
    std::string text;
    const double value = parser.Calculation(formula, size % 3 == 0 ? 0.0 : -2.5, position, text);
    if (position != 0) {
        // A syntax error names a character of the formula and is wrapped in "XXX" ... "!".
        Require(position <= size);
        Require(text.size() >= 4 && text.compare(0, 3, "XXX") == 0 && text.back() == '!');
    }
    Require(!AnswerText(FormulaResult{value, position, text}).empty());
    return 0;
}
