#include "shape_commands.h"

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "carat_estimator.h"
#include "decimal_arg.h"
#include "decimal_text.h"
#include "exit_status.h"

namespace {

const char kEstimate[] = "velastro-cli estimate: ";

std::string Joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : separator) + word;
    return text;
}

// Parses the numbers into the size; prints the reason and returns false on a bad one.
bool TakeDimensions(const std::vector<std::string>& fields, const std::vector<std::string>& numbers,
                    CStoneSize& size, std::ostream& err) {
    double* const apdValue[3] = {&size.dLength, &size.dWidth, &size.dDepth};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const DecimalArg arg = ParseDecimalArg(numbers[i]);
        if (!arg.ok) {
            err << kEstimate << fields[i] << ": " << arg.error << '\n';
            return false;
        }
        // Without a width the numbers are the length and the depth.
        *apdValue[i == numbers.size() - 1 ? 2 : i] = arg.value;
    }
    return true;
}

void PrintWeights(double dCarat, const CStoneCorrections& corrections, std::ostream& out) {
    const double dValue = dCarat * corrections.pUnit->dPerCarat;
    out << FormatFixed(dValue);
    if (corrections.bTolerance)
        out << ' ' << FormatFixed(dValue * (1 - corrections.dTolerancePct / 100)) << ' '
            << FormatFixed(dValue * (1 + corrections.dTolerancePct / 100));
    out << '\n';
}

}  // namespace

std::string UnknownShapeMessage(const std::string& shapeName) {
    std::vector<std::string> captions;
    for (const CShape& shape : kShapes)
        captions.push_back(shape.pszCaption);
    return "unknown shape '" + shapeName + "'; the shapes are " + Joined(captions, ", ") +
           " (in any letter case, or just the first word)";
}

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

void PrintGems(std::ostream& out) {
    for (const CGem& gem : kGems)
        out << gem.pszName << '\t' << FormatFixed(gem.dRelativeDensity, 2) << '\n';
}

int RunEstimate(const std::string& shapeName, const std::vector<std::string>& numbers,
                const CStoneCorrections& corrections, std::ostream& out, std::ostream& err) {
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
    CStoneSize size;
    if (!TakeDimensions(fields, numbers, size, err)) return kExitUsage;
    CCaratEstimator estimator;
    double dCarat = 0.0;
    if (!estimator.EstimateCorrected(*shape, size, corrections, dCarat)) {
        out << estimator.ErrorText() << '\n';
        return kExitEngineError;
    }
    PrintWeights(dCarat, corrections, out);
    return kExitOk;
}
