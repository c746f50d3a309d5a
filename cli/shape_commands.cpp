#include "shape_commands.h"

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "answer_text.h"
#include "decimal_arg.h"
#include "exit_status.h"
#include "formula_parser.h"

namespace {

const char kEstimate[] = "velastro-cli estimate: ";

std::string Joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

std::string UnknownShapeMessage(const std::string& shapeName) {
    std::vector<std::string> captions;
    for (const CShape& shape : kShapes)
        captions.push_back(shape.pszCaption);
    return "unknown shape '" + shapeName + "'; the shapes are " + Joined(captions, ", ") +
           " (in any letter case, or just the first word)";
}

// Parses the numbers into B, F and G; prints the reason and returns false on a bad one.
bool TakeDimensions(const std::vector<std::string>& fields, const std::vector<std::string>& numbers,
                    CFormulaParser& parser, std::ostream& err) {
    double values[3] = {0.0, 0.0, 0.0};  // B F G
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const DecimalArg arg = ParseDecimalArg(numbers[i]);
        if (!arg.ok) {
            err << kEstimate << fields[i] << ": " << arg.error << '\n';
            return false;
        }
        // Without a width the numbers are B and G.
        values[i == numbers.size() - 1 ? 2 : i] = arg.value;
    }
    for (int i = 0; i < 3; ++i)
        parser.SetFunctConst(i + 1, values[i]);
    return true;
}

}  // namespace

std::vector<std::string> ShapeFields(const CShape& shape) {
    std::vector<std::string> fields{shape.bDiameter ? "DIAMETER" : "LENGTH"};
    if (shape.bWidthShown) fields.push_back("WIDTH");
    fields.push_back("DEPTH");
    return fields;
}

void PrintShapes(std::ostream& out) {
    for (const CShape& shape : kShapes)
        out << shape.pszCaption << '\t' << Joined(ShapeFields(shape), " ") << '\t'
            << shape.pszFormula << '\n';
}

int RunEstimate(const std::string& shapeName, const std::vector<std::string>& numbers,
                std::ostream& out, std::ostream& err) {
    const CShape* shape = FindShapeByName(shapeName);
    if (shape == nullptr) {
        err << kEstimate << UnknownShapeMessage(shapeName) << '\n';
        return kExitUsage;
    }
    const std::vector<std::string> fields = ShapeFields(*shape);
    if (numbers.size() != fields.size()) {
        err << kEstimate << shape->pszCaption << " takes " << Joined(fields, " ") << " ("
            << fields.size() << " numbers), not " << numbers.size() << '\n';
        return kExitUsage;
    }
    CFormulaParser parser;
    if (!TakeDimensions(fields, numbers, parser, err)) return kExitUsage;
    std::uint16_t position = 0;
    std::string error;
    const double value = parser.Calculation(shape->pszFormula, 0.0, position, error);
    out << AnswerText(value, position, error) << '\n';
    return error.empty() ? kExitOk : kExitEngineError;
}
