#include "eval_command.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <ostream>

#include "answer_text.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "formula_parser.h"
#include "text_line.h"

namespace {

const char kEval[] = "velastro-cli eval: ";
// Significant digits that let a script compare values bit for bit.
constexpr int kRoundTripDigits = 17;

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Prints one formula's answer; returns true when the engine reported an error text.
bool AnswerOne(const std::string& formula, const EvalOptions& options, std::ostream& out) {
    CFormulaParser parser;
    const double x = formula::LoadLetters(parser, options.letters);
    std::uint16_t position = 0;
    std::string error;
    const double value = parser.Calculation(formula, x, position, error);
    if (options.tsv) {
        out << FormatGeneral(value, kRoundTripDigits) << '\t' << position << '\t' << error << '\n';
    } else {
        out << AnswerText(value, position, error) << '\n';
        // Positions count the trimmed text, so the caret stands under the trimmed formula.
        if (position != 0)
            out << Trimmed(formula) << '\n' << std::string(position - 1, ' ') << "^\n";
    }
    out.flush();
    return !error.empty();
}

enum class EInputLine { kLine, kEnd, kReadError, kTooLong, kNoMemory };

// Reads one line of at most nMax bytes, less its line end; a longer line is skipped unkept.
EInputLine ReadInputLine(std::FILE* pIn, std::string& line, std::size_t nMax) {
    std::size_t nLength = kNoLine;
    try {
        nLength = ReadTextLine(pIn, line, nMax + 1);
    } catch (const std::bad_alloc&) {
        std::string().swap(line);
        ReadTextLine(pIn, line, 0);
        return std::ferror(pIn) ? EInputLine::kReadError : EInputLine::kNoMemory;
    }
    if (std::ferror(pIn)) return EInputLine::kReadError;
    if (nLength == kNoLine) return EInputLine::kEnd;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.size() > nMax ? EInputLine::kTooLong : EInputLine::kLine;
}

int Worse(int status, int other) {
    return std::max(status, other);  // 0 < 1 (error text) < 3 (input or output)
}

// Answers one line of the input or reports it, folding its outcome into status; false once the
// input has ended or failed.
bool AnswerLine(std::FILE* pIn, std::size_t nLine, const EvalOptions& options, std::ostream& out,
                std::ostream& err, int& status) {
    std::string line;
    const EInputLine read = ReadInputLine(pIn, line, options.maxLine);
    if (read == EInputLine::kEnd) return false;
    if (read == EInputLine::kReadError) {
        err << kEval << "cannot read standard input: " << std::strerror(errno) << '\n';
        status = kExitInputOutput;
        return false;
    }
    bool bNoMemory = read == EInputLine::kNoMemory;
    if (read == EInputLine::kLine) {
        try {
            status = Worse(status, AnswerOne(line, options, out) ? kExitEngineError : kExitOk);
            return true;
        } catch (const std::bad_alloc&) {
            bNoMemory = true;
        }
    }
    status = kExitInputOutput;
    err << kEval << "line " << nLine << ": ";
    if (bNoMemory) {
        err << "out of memory, not answered\n";
    } else {
        err << "longer than " << options.maxLine << " bytes (--max-line), not answered\n";
    }
    return true;
}

}  // namespace

int RunEval(const EvalOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err) {
    if (options.formula)
        return AnswerOne(*options.formula, options, out) ? kExitEngineError : kExitOk;
    int status = kExitOk;
    for (std::size_t nLine = 1; out; ++nLine) {
        if (!AnswerLine(pIn, nLine, options, out, err, status)) break;
    }
    return status;
}

int LoadEvalFormula(const std::string& path, std::string& formula, std::ostream& err) {
    const CFormulaFileRead read = LoadFormulaFilePath(path);
    switch (read.eOutcome) {
        case CFormulaFileRead::kEmpty:
        case CFormulaFileRead::kFormula:
            formula = read.strFormula;
            return kExitOk;
        case CFormulaFileRead::kOpenError:
            err << kEval << "Can not open the file " << path << '\n';
            return kExitUsage;
        case CFormulaFileRead::kTooLong:
            err << kEval << "Can not open the file " << path << FormulaTooLongText() << '\n';
            return kExitInputOutput;
        case CFormulaFileRead::kNoMemory:
            err << kEval << "Can not open the file " << path << ": out of memory\n";
            return kExitInputOutput;
        case CFormulaFileRead::kReadError:
            break;
    }
    err << kEval << "Can not open the file " << path << ": reading it failed\n";
    return kExitInputOutput;
}
