// velastro-cli eval: evaluates formulas with the engine and prints what the answer field would
// show. No GUI: the engine and the answer text are all it uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <iosfwd>
#include <optional>
#include <string>

#include "formula_file.h"
#include "formula_letters.h"

struct EvalOptions {
    formula::LetterValues letters{};  // B to U, then X (0 reads as 1e-99)
    bool tsv = false;
    std::size_t maxLine = kFormulaLineLimit;  // longest input line read, in bytes
    std::optional<std::string> formula;       // none: one formula per line of the input
};

// Exit status: 0 when every formula was answered without an error text, 1 when one reported
// one, 3 when the input could not be read or a line was longer than maxLine or than memory
// allows (such a line is reported on err with its number, and the lines after it still count).
// Stops reading once out has failed.
int RunEval(const EvalOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err);

// The formula that loading the .FKT file at path would put in the window's buffer; "" for an
// empty file, which has no formula to keep here. Returns the exit status: 0 when it was read,
// else the reason is printed and the status is 2 (cannot be opened) or 3 (read failed, line too
// long, out of memory).
int LoadEvalFormula(const std::string& path, std::string& formula, std::ostream& err);
