// velastro-cli: the formula engine and the carat estimate for scripts and batches.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "decimal_arg.h"
#include "eval_command.h"

namespace {

constexpr int kUsageError = 2;

// The value options in SetFunctConst order, then -X for the x argument.
constexpr const char* kValueLetters = "BFGHJKMNUX";

const char kEvalDescription[] =
    "Evaluate FORMULA, or without it every line of standard input (LF or CR LF ends a line),\n"
    "answering each line as soon as it is read.\n"
    "Output: the answer text as the Velastro window shows it (the value with six decimals,\n"
    "\"????\" and the error text, or the syntax-error text followed by the formula and a caret\n"
    "under the character where reading stopped). With --tsv: one line per formula holding the\n"
    "value with 17 significant digits, a tab, the error position, a tab and the error text.\n"
    "Exit status: 0 when no formula reported an error text, 1 when any did, 2 for usage errors.\n"
    "Values are decimal numbers such as 6.5, -0 or 1e-99. A formula that starts with '-' goes\n"
    "after '--', as in: velastro-cli eval -- \"-2^2\"";

// A value option's text as given, and the member of EvalOptions it lands in.
struct ValueOption {
    CLI::Option* option = nullptr;
    std::string text;
    double* dest = nullptr;
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

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Velastro command-line tool: formula evaluation for carat estimates",
                 "velastro-cli"};
    app.require_subcommand(1);

    CLI::App* eval = app.add_subcommand("eval", kEvalDescription);
    EvalOptions options;
    ValueOption values[10];  // B to U, then X
    for (int i = 0; i < 10; ++i) {
        const std::string letter(1, kValueLetters[i]);
        values[i].dest = (i < 9) ? &options.constants[i + 1] : &options.x;
        const std::string help =
            (i < 9) ? "value of the letter " + letter + " (constant " + std::to_string(i + 1) + ")"
                    : "the x argument: letter X (0, the default, means 1e-99)";
        values[i].option =
            eval->add_option("-" + letter, values[i].text, help)->type_name("NUMBER");
    }
    eval->add_flag("--tsv", options.tsv, "print value<TAB>position<TAB>error text per formula");
    std::string formula;
    CLI::Option* formulaOption = eval->add_option("FORMULA", formula, "the formula to evaluate");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsageError;
    }

    for (const ValueOption& value : values) {
        if (!TakeValue(value)) return kUsageError;
    }
    if (formulaOption->count() > 0) options.formula = formula;
    return RunEval(options, std::cin, std::cout);
}
