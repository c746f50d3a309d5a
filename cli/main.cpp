// velastro-cli: the formula engine and the carat estimate for scripts and batches.
#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "decimal_arg.h"
#include "eval_command.h"
#include "exit_status.h"
#include "shape_commands.h"

namespace {

// The value options in SetFunctConst order, then -X for the x argument.
constexpr const char* kValueLetters = "BFGHJKMNUX";

const char kEvalDescription[] =
    "Evaluate FORMULA, or without it every line of standard input (LF or CR LF ends a line),\n"
    "answering each line as soon as it is read. With --file F.FKT: the formula that loading that\n"
    "file in the Velastro window would take (the line after the first whole line \"[FORMEL]\"\n"
    "below the first line); a file without one, or an empty file, gives the empty formula (0).\n"
    "Output: the answer text as the Velastro window shows it (the value with six decimals,\n"
    "\"????\" and the error text, or the syntax-error text followed by the formula and a caret\n"
    "under the character where reading stopped). With --tsv: one line per formula holding the\n"
    "value with 17 significant digits, a tab, the error position, a tab and the error text.\n"
    "Exit status: 0 when no formula reported an error text, 1 when any did, 2 for usage errors\n"
    "and for a --file that cannot be opened or read.\n"
    "Values are decimal numbers such as 6.5, -0 or 1e-99. A formula that starts with '-' goes\n"
    "after '--', as in: velastro-cli eval -- \"-2^2\"";

const char kShapesDescription[] =
    "List the eight cut shapes from the top of the window down, one line each: the caption, a\n"
    "tab, the numbers estimate takes (\"DIAMETER DEPTH\", \"LENGTH DEPTH\" or \"LENGTH WIDTH\n"
    "DEPTH\"), a tab and the weight formula (B = length or diameter, F = width, G = depth).";

const char kEstimateDescription[] =
    "Estimate a cut's carat weight as the Velastro window does: evaluate SHAPE's formula with\n"
    "B = LENGTH (or DIAMETER), F = WIDTH, G = DEPTH and the other letters 0, and print the answer\n"
    "text (six decimals). SHAPE is a caption that 'velastro-cli shapes' lists, or its first word,\n"
    "in any letter case: \"Oval Brilliant\", oval, HEART. WIDTH is given exactly for the shapes\n"
    "that show it: not for Round Brilliant (DIAMETER DEPTH) nor Square Trillion (LENGTH DEPTH).\n"
    "Exit status: 0, 1 when the engine reported an error text, 2 for usage errors (an unknown\n"
    "shape, a missing or extra number, a number that is not decimal).\n"
    "Values are decimal numbers such as 6.5, -1 or 1e-1; one that starts with '-' and then no\n"
    "digit goes after '--', as in: velastro-cli estimate round -- -.5 3";

// A subcommand and what it does once the command line has been parsed.
struct Subcommand {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

// A value option's text as given, and the member of EvalOptions it lands in.
struct ValueOption {
    CLI::Option* option = nullptr;
    std::string text;
    double* dest = nullptr;
};

struct EvalArgs {
    EvalOptions options;
    ValueOption values[10];  // B to U, then X
    std::string formula;
    std::string file;
    CLI::Option* formulaOption = nullptr;
    CLI::Option* fileOption = nullptr;
};

struct EstimateArgs {
    std::string shape;
    std::vector<std::string> numbers;
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
        if (!LoadEvalFormula(args.file, formula, std::cerr)) return kExitUsage;
        args.options.formula = formula;
    } else if (args.formulaOption->count() > 0) {
        args.options.formula = args.formula;
    }
    return RunEval(args.options, std::cin, std::cout);
}

Subcommand AddEval(CLI::App& app) {
    CLI::App* eval = app.add_subcommand("eval", kEvalDescription);
    auto args = std::make_shared<EvalArgs>();
    for (int i = 0; i < 10; ++i) {
        ValueOption& value = args->values[i];
        const std::string letter(1, kValueLetters[i]);
        value.dest = (i < 9) ? &args->options.constants[i + 1] : &args->options.x;
        const std::string help =
            (i < 9) ? "value of the letter " + letter + " (constant " + std::to_string(i + 1) + ")"
                    : "the x argument: letter X (0, the default, means 1e-99)";
        value.option = eval->add_option("-" + letter, value.text, help)->type_name("NUMBER");
    }
    eval->add_flag("--tsv", args->options.tsv,
                   "print value<TAB>position<TAB>error text per formula");
    args->formulaOption = eval->add_option("FORMULA", args->formula, "the formula to evaluate");
    args->fileOption = eval->add_option("--file", args->file, "evaluate the formula of a .FKT file")
                           ->type_name("PATH")
                           ->excludes(args->formulaOption);
    return {eval, [args] { return RunEvalArgs(*args); }};
}

Subcommand AddShapes(CLI::App& app) {
    CLI::App* shapes = app.add_subcommand("shapes", kShapesDescription);
    return {shapes, [] {
                PrintShapes(std::cout);
                return kExitOk;
            }};
}

Subcommand AddEstimate(CLI::App& app) {
    CLI::App* estimate = app.add_subcommand("estimate", kEstimateDescription);
    auto args = std::make_shared<EstimateArgs>();
    estimate->add_option("SHAPE", args->shape, "the shape's caption or its first word")->required();
    estimate->add_option("NUMBERS", args->numbers, "LENGTH (or DIAMETER), [WIDTH,] DEPTH in mm")
        ->type_name("NUMBER");
    return {estimate,
            [args] { return RunEstimate(args->shape, args->numbers, std::cout, std::cerr); }};
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Velastro command-line tool: formula evaluation for carat estimates",
                 "velastro-cli"};
    app.require_subcommand(1);
    const Subcommand subcommands[] = {AddEval(app), AddShapes(app), AddEstimate(app)};
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
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
