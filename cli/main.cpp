// velastro-cli: the formula engine and the carat estimate for scripts and batches.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "checked_output.h"
#include "decimal_arg.h"
#include "eval_command.h"
#include "exit_status.h"
#include "shape_commands.h"
#include "subcommand.h"

namespace {

const char kEvalDescription[] =
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
    "error, a line too long or too big for memory, a --file whose formula line is longer than\n"
    "1048576 characters).\n"
    "Values are decimal numbers such as 6.5, -0 or 1e-99. A formula that starts with '-' goes\n"
    "after '--', as in: velastro-cli eval -- \"-2^2\"\n"
    "Example: velastro-cli eval -B 6 -F 4 -G 3 \"(B+F)/2*(B+F)/2*G*.0065\"   prints 0.487500";

const char kShapesDescription[] =
    "List the eight cut shapes from the top of the window down, one line each: the caption, a\n"
    "tab, the numbers estimate takes (\"DIAMETER DEPTH\", \"LENGTH DEPTH\" or \"LENGTH WIDTH\n"
    "DEPTH\"), a tab and the weight formula (B = length or diameter, F = width, G = depth).\n"
    "Exit status: 0, or 3 when writing the output failed.\n"
    "Example: velastro-cli shapes | cut -f1";

// A value option's text as given, and the member of EvalOptions it lands in.
struct ValueOption {
    CLI::Option* option = nullptr;
    std::string text;
    double* dest = nullptr;
};

struct EvalArgs {
    EvalOptions options;
    ValueOption values[formula::kValueLetterCount];  // B to U, then X
    std::string formula;
    std::string file;
    CLI::Option* formulaOption = nullptr;
    CLI::Option* fileOption = nullptr;
};

// Converts a given value option; prints the reason and returns false when it is no number.
bool TakeValue(const ValueOption& value) {
    if (value.option->count() == 0) return true;
    const DecimalArg arg = ParseDecimalArg(value.text);
    if (!arg.ok) {
        std::cerr << "velastro-cli eval: " << value.option->get_name() << ": " << arg.error << '\n';
        return false;
    }
    *value.dest = arg.value;
    return true;
}

int RunEvalArgs(EvalArgs& args) {
    for (const ValueOption& value : args.values) {
        if (!TakeValue(value)) return kExitUsage;
    }
    if (args.fileOption->count() > 0) {
        std::string formula;
        const int status = LoadEvalFormula(args.file, formula, std::cerr);
        if (status != kExitOk) return status;
        args.options.formula = formula;
    } else if (args.formulaOption->count() > 0) {
        args.options.formula = args.formula;
    }
    return RunEval(args.options, stdin, std::cout, std::cerr);
}

}  // namespace

Subcommand AddEval(CLI::App& app) {
    CLI::App* eval = app.add_subcommand("eval", "evaluate formulas as the window's engine does");
    eval->footer(kEvalDescription);
    auto args = std::make_shared<EvalArgs>();
    for (std::size_t i = 0; i < formula::kValueLetterCount; ++i) {
        const formula::VariableLetter& entry = formula::kVariableLetters[i];
        ValueOption& value = args->values[i];
        const std::string letter(1, entry.letter);
        value.dest = &args->options.letters[i];
        const std::string help =
            entry.source == formula::LetterSource::kConstant
                ? "value of the letter " + letter + " (constant " + std::to_string(entry.slot) + ")"
                : "the x argument: letter " + letter + " (0, the default, means 1e-99)";
        value.option = eval->add_option("-" + letter, value.text, help)->type_name("NUMBER");
    }
    eval->add_flag("--tsv", args->options.tsv,
                   "print value<TAB>position<TAB>error text per formula");
    eval->add_option("--max-line", args->options.maxLine,
                     "longest input line read, in bytes (default 1048576)")
        ->type_name("BYTES")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max() / 2));
    args->formulaOption = eval->add_option("FORMULA", args->formula, "the formula to evaluate");
    args->fileOption = eval->add_option("--file", args->file, "evaluate the formula of a .FKT file")
                           ->type_name("PATH")
                           ->excludes(args->formulaOption);
    return {eval, [args] { return RunEvalArgs(*args); }};
}

Subcommand AddShapes(CLI::App& app) {
    CLI::App* shapes = app.add_subcommand("shapes", "the eight cut shapes and their formulas");
    shapes->footer(kShapesDescription);
    return {shapes, [] {
                PrintShapes(std::cout);
                return kExitOk;
            }};
}

namespace {

// Parses the command line and runs the subcommand it names; every subcommand writes to
// std::cout, which main has pointed at the checked output.
int RunCommandLine(int argc, char** argv) {
    CLI::App app{"Velastro command-line tool: carat estimates and the formula engine behind them",
                 "velastro-cli"};
    app.footer(
        "'velastro-cli SUBCOMMAND --help' gives a subcommand's rules, exit statuses and an "
        "example.\nExit status 3, in every subcommand: input or output failed.");
    app.require_subcommand(1);
    app.set_version_flag("--version", "velastro-cli " VELASTRO_VERSION);
    // "/data/parcel.csv" is a path on either host, not a Windows-style option; subcommands
    // inherit this from here.
    app.allow_windows_style_options(false);
    const Subcommand subcommands[] = {AddEval(app),  AddShapes(app), AddEstimate(app),
                                      AddBatch(app), AddSize(app),   AddGems(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help or --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    for (const Subcommand& subcommand : subcommands) {
        if (subcommand.app->parsed()) return subcommand.run();
    }
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    CCheckedOutput output(1);
    std::streambuf* pStdout = std::cout.rdbuf(&output);
    int status = kExitUsage;
    try {
        status = RunCommandLine(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "velastro-cli: out of memory\n";
        status = kExitInputOutput;
    }
    std::cout.flush();
    if (!output.Close()) {
        std::cerr << "velastro-cli: cannot write standard output: " << std::strerror(output.Error())
                  << '\n';
        status = kExitInputOutput;
    }
    std::cout.rdbuf(pStdout);
    return status;
}
