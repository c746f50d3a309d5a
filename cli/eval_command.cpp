// velastro-cli eval: evaluates formulas with the engine and prints what the answer field would
// show, for one formula, every line of standard input, or the formula of a .FKT file.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "answer_text.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "formula_file.h"
#include "formula_parser.h"
#include "subcommand.h"
#include "text_line.h"

namespace {

const char kEval[] = "velastro-cli eval: ";

struct EvalOptions {
    formula::LetterValues letters{};  // B to U, then X (0 reads as 1e-99)
    bool bTsv = false;
    std::size_t nMaxLine = kFormulaLineLimit;  // longest input line read, in bytes
    std::optional<std::string> formula;        // none: one formula per line of the input
};

const char kEvalRulesHead[] =
    "Evaluate FORMULA, or without it every line of standard input (LF or CR LF ends a line),\n"
    "answering each line as soon as it is read. With --file F.FKT: the formula that loading that\n"
    "file in the Velastro window would take (the line after the first whole line \"[FORMEL]\"\n"
    "below the first line); a file without one, or an empty file, gives the empty formula (0).\n"
    "Output: the answer text as the Velastro window shows it (the value with six decimals,\n"
    "\"????\" and the error text, or the syntax-error text followed by the formula and a caret\n"
    "under the character where reading stopped). With --tsv: one line per formula holding the\n"
    "value with 17 significant digits, a tab, the error position, a tab and the error text.\n"
    "A line longer than --max-line bytes is reported on standard error with its number and not\n"
    "read into memory, as is a line that memory cannot hold; the lines after it are answered.\n"
    "Exit status: 0 when no formula reported an error text, 1 when any did, 2 for usage errors\n"
    "and for a --file that cannot be opened, 3 when input or output failed (a read or write\n"
    "error, a line too long or too big for memory, a --file whose formula line is longer than\n";

const char kEvalRulesTail[] =
    " characters).\n"
    "Values are decimal numbers such as 6.5, -0 or 1e-99. A formula that starts with '-' goes\n"
    "after '--', as in: velastro-cli eval -- \"-2^2\"\n"
    "Example: velastro-cli eval -B 6 -F 4 -G 3 \"(B+F)/2*(B+F)/2*G*.0065\"   prints 0.487500";

// The rules of eval for its help; the line limit's text comes from its constant.
std::string EvalRules() {
    return std::string(kEvalRulesHead) + std::to_string(kFormulaLineLimit) + kEvalRulesTail;
}

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
    const double dX = formula::LoadLetters(parser, options.letters);
    const FormulaResult result = formula::Evaluate(parser, formula, dX);
    if (options.bTsv) {
        out << FormatGeneral(result.dValue, kRoundTripDigits) << '\t' << result.nPosition << '\t'
            << result.strError << '\n';
    } else {
        out << AnswerText(result) << '\n';
        // Positions count the trimmed text, so the caret stands under the trimmed formula.
        if (result.nPosition != 0)
            out << Trimmed(formula) << '\n' << std::string(result.nPosition - 1, ' ') << "^\n";
    }
    out.flush();
    return !result.strError.empty();
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
    const EInputLine read = ReadInputLine(pIn, line, options.nMaxLine);
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
        err << "longer than " << options.nMaxLine << " bytes (--max-line), not answered\n";
    }
    return true;
}

// Exit status: 0 when every formula was answered without an error text, 1 when one reported
// one, 3 when the input could not be read or a line was longer than maxLine or than memory
// allows (such a line is reported on err with its number, and the lines after it still count).
int RunEval(const EvalOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err) {
    if (options.formula)
        return AnswerOne(*options.formula, options, out) ? kExitEngineError : kExitOk;
    int status = kExitOk;
    for (std::size_t nLine = 1; out; ++nLine) {
        if (!AnswerLine(pIn, nLine, options, out, err, status)) break;
    }
    return status;
}

// The formula that loading the .FKT file at path would put in the window's buffer; "" for an
// empty file. Returns the exit status: 0 when it was read, else the reason is printed and the
// status is 2 (cannot be opened) or 3 (read failed, line too long, out of memory).
int LoadEvalFormula(const std::string& path, std::string& formula, std::ostream& err) {
    const FormulaFileRead read = LoadFormulaFilePath(path);
    switch (read.eOutcome) {
        case FormulaFileRead::kEmpty:
        case FormulaFileRead::kFormula:
            formula = read.strFormula;
            return kExitOk;
        case FormulaFileRead::kOpenError:
            err << kEval << "Can not open the file " << path << ": " << std::strerror(read.nErrno)
                << '\n';
            return kExitUsage;
        case FormulaFileRead::kTooLong:
            err << kEval << "Can not open the file " << path << FormulaTooLongText() << '\n';
            return kExitInputOutput;
        case FormulaFileRead::kNoMemory:
            err << kEval << "Can not open the file " << path << ": out of memory\n";
            return kExitInputOutput;
        case FormulaFileRead::kReadError:
            break;
    }
    err << kEval << "Can not open the file " << path << ": reading it failed\n";
    return kExitInputOutput;
}

// A value option's text as given, and the member of EvalOptions it lands in.
struct ValueOption {
    CLI::Option* pOption = nullptr;
    std::string strText;
    double* pdValue = nullptr;
};

struct EvalArgs {
    EvalOptions options;
    ValueOption aValue[formula::kValueLetterCount];  // B to U, then X
    std::string strFormula;
    std::string strFile;
    CLI::Option* pFormula = nullptr;
    CLI::Option* pFile = nullptr;
};

// Converts a given value option; prints the reason and returns false when it is no number.
bool TakeValue(const ValueOption& value) {
    if (value.pOption->count() == 0) return true;
    const DecimalParse number = ParseDecimal(value.strText);
    if (!number.bOk) {
        std::cerr << kEval << value.pOption->get_name() << ": " << number.strError << '\n';
        return false;
    }
    *value.pdValue = number.dValue;
    return true;
}

int RunEvalArgs(EvalArgs& args) {
    for (const ValueOption& value : args.aValue) {
        if (!TakeValue(value)) return kExitUsage;
    }
    if (args.pFile->count() > 0) {
        std::string formula;
        const int status = LoadEvalFormula(args.strFile, formula, std::cerr);
        if (status != kExitOk) return status;
        args.options.formula = formula;
    } else if (args.pFormula->count() > 0) {
        args.options.formula = args.strFormula;
    }
    return RunEval(args.options, stdin, std::cout, std::cerr);
}

}  // namespace

Subcommand AddEval(CLI::App& app) {
    CLI::App* eval = app.add_subcommand("eval", "evaluate formulas as the window's engine does");
    eval->footer(EvalRules());
    auto args = std::make_shared<EvalArgs>();
    for (std::size_t i = 0; i < formula::kValueLetterCount; ++i) {
        const formula::VariableLetter& entry = formula::kVariableLetters[i];
        ValueOption& value = args->aValue[i];
        const std::string letter(1, entry.letter);
        value.pdValue = &args->options.letters[i];
        const std::string help =
            entry.source == formula::LetterSource::kConstant
                ? "value of the letter " + letter + " (constant " + std::to_string(entry.slot) + ")"
                : "the x argument: letter " + letter + " (0, the default, means 1e-99)";
        value.pOption = eval->add_option("-" + letter, value.strText, help)->type_name("NUMBER");
    }
    eval->add_flag("--tsv", args->options.bTsv,
                   "print value<TAB>position<TAB>error text per formula");
    eval->add_option(
            "--max-line", args->options.nMaxLine,
            "longest input line read, in bytes (default " + std::to_string(kFormulaLineLimit) + ")")
        ->type_name("BYTES")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max() / 2));
    args->pFormula = eval->add_option("FORMULA", args->strFormula, "the formula to evaluate");
    args->pFile = eval->add_option("--file", args->strFile, "evaluate the formula of a .FKT file")
                      ->type_name("PATH")
                      ->excludes(args->pFormula);
    return {eval, [args] { return RunEvalArgs(*args); }};
}
