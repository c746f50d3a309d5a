// velastro-cli eval: evaluates formulas with the engine and prints what the answer field would
// show. No GUI: the engine and the answer text are all it uses.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

struct EvalOptions {
    std::array<double, 10> constants{};  // index 1 to 9: letters B F G H J K M N U
    double x = 0.0;
    bool tsv = false;
    std::optional<std::string> formula;  // none: one formula per line of the input
};

// Exit status: 0 when no formula reported an error text, 1 when any did.
int RunEval(const EvalOptions& options, std::istream& in, std::ostream& out);

// The formula that loading the .FKT file at path would put in the window's buffer; "" for an
// empty file, which has no formula to keep here. Prints the reason and returns false when the
// file cannot be opened or read.
bool LoadEvalFormula(const std::string& path, std::string& formula, std::ostream& err);
