#include "eval_command.h"

#include <charconv>
#include <cstdint>
#include <istream>
#include <ostream>

#include "answer_text.h"
#include "formula_file.h"
#include "formula_parser.h"

namespace {

// "%.17g": enough digits for a script to compare values bit for bit.
std::string FormatRoundTrip(double value) {
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Prints one formula's answer; returns true when the engine reported an error text.
bool AnswerOne(const std::string& formula, const EvalOptions& options, std::ostream& out) {
    CFormulaParser parser;
    for (int i = 1; i <= 9; ++i)
        parser.SetFunctConst(i, options.constants[i]);
    std::uint16_t position = 0;
    std::string error;
    const double value = parser.Calculation(formula, options.x, position, error);
    if (options.tsv) {
        out << FormatRoundTrip(value) << '\t' << position << '\t' << error << '\n';
    } else {
        out << AnswerText(value, position, error) << '\n';
        // Positions count the trimmed text, so the caret stands under the trimmed formula.
        if (position != 0)
            out << Trimmed(formula) << '\n' << std::string(position - 1, ' ') << "^\n";
    }
    out.flush();
    return !error.empty();
}

}  // namespace

int RunEval(const EvalOptions& options, std::istream& in, std::ostream& out) {
    if (options.formula) return AnswerOne(*options.formula, options, out) ? 1 : 0;
    bool anyError = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        anyError = AnswerOne(line, options, out) || anyError;
    }
    return anyError ? 1 : 0;
}

bool LoadEvalFormula(const std::string& path, std::string& formula, std::ostream& err) {
    CFormulaFileRead read;
    if (!LoadFormulaFilePath(path, read)) {
        err << "velastro-cli eval: Can not open the file " << path << '\n';
        return false;
    }
    formula = read.strFormula;  // kEmpty leaves it "" too
    return true;
}
