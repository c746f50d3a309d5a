// velastro-cli: the formula engine and the carat estimate for scripts and batches.
#include <CLI/CLI.hpp>

#include <iostream>
#include <string>

#include "decimal_arg.h"
#include "eval_command.h"

namespace {

constexpr int kUsageError = 2;

// The value options in SetFunctConst order; -X is the x argument.
constexpr const char* kConstantLetters = "BFGHJKMNU";

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

struct ValueOption {
    std::string text;
    bool given = false;
};

// Converts a given value option into dest; prints the reason and returns false when it is no
// number.
bool TakeValue(const std::string& name, const ValueOption& option, double& dest) {
    if (!option.given) return true;
    const DecimalArg arg = ParseDecimalArg(option.text);
    if (!arg.ok) {
        std::cerr << "velastro-cli eval: " << name << ": " << arg.error << '\n';
        return false;
    }
    dest = arg.value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Velastro command-line tool: formula evaluation for carat estimates",
                 "velastro-cli"};
    app.require_subcommand(1);

    CLI::App* eval = app.add_subcommand("eval", kEvalDescription);
    ValueOption values[10];  // 0 to 8: B to U, 9: X
    for (int i = 0; i < 9; ++i) {
        const std::string name = std::string("-") + kConstantLetters[i];
        eval->add_option(name, values[i].text,
                         "value of the letter " + name.substr(1) + " (constant " +
                             std::to_string(i + 1) + ")")
            ->type_name("NUMBER");
    }
    eval->add_option("-X", values[9].text, "the x argument: letter X (0, the default, means 1e-99)")
        ->type_name("NUMBER");
    EvalOptions options;
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

    const char* names[10] = {"-B", "-F", "-G", "-H", "-J", "-K", "-M", "-N", "-U", "-X"};
    for (int i = 0; i < 10; ++i) {
        values[i].given = eval->count(names[i]) > 0;
        double& dest = (i < 9) ? options.constants[i + 1] : options.x;
        if (!TakeValue(names[i], values[i], dest)) return kUsageError;
    }
    if (formulaOption->count() > 0) options.formula = formula;
    return RunEval(options, std::cin, std::cout);
}
