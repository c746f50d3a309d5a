#include "size_command.h"

#include <cmath>
#include <ostream>
#include <vector>

#include "decimal_arg.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "shape_commands.h"

// In the window's shape order. Depths are the middles of the ranges that cut grading calls
// well made for each cut; ratios the middles of the outlines the trade calls classic.
// clang-format off
const CSizeDefaults kSizeDefaults[kShapeCount] = {
    {61.0, 1.0},   // Round Brilliant: 57.5-63 % deep; no width
    {60.0, 1.40},  // Oval Brilliant: 58-62 % deep, 1.35-1.50 long
    {45.0, 1.0},   // Square Trillion: trillions are cut shallow, 40-50 %; no width
    {65.0, 1.40},  // Rectangle: step cuts 61-69 % deep, 1.30-1.50 long
    {60.0, 2.00},  // Marquise Brilliant: 58-62 % deep, 1.85-2.10 long
    {60.0, 1.55},  // Pear Brilliant: 58-62 % deep, 1.45-1.75 long
    {45.0, 1.0},   // Triangle Trillion: 40-50 % deep, an equilateral outline
    {60.0, 1.0},   // Heart Brilliant: 56-62 % deep, 0.90-1.10 long
};
// clang-format on

namespace {

const char kSize[] = "velastro-cli size: ";

CStoneSize SizeAt(const CShape& shape, double dScale, double dDepthPct, double dRatio) {
    CStoneSize size;
    size.dLength = shape.bWidthShown ? dScale * dRatio : dScale;
    size.dWidth = shape.bWidthShown ? dScale : 0.0;
    size.dDepth = dScale * dDepthPct / 100;
    return size;
}

// Reads a positive number option or argument; prints why not and returns false otherwise.
bool PositiveNumber(const std::string& name, const std::string& text, double& dValue,
                    std::ostream& err) {
    const DecimalArg arg = ParseDecimalArg(text);
    if (arg.ok && arg.value > 0 && std::isfinite(arg.value)) {
        dValue = arg.value;
        return true;
    }
    err << kSize << name << ": " << (arg.ok ? "'" + text + "' is not above 0" : arg.error) << '\n';
    return false;
}

}  // namespace

bool SolveSize(CCaratEstimator& estimator, const CShape& shape, double dCarat, double dDepthPct,
               double dRatio, const CStoneCorrections& corrections, CStoneSize& size) {
    double dLow = 0.0;
    double dHigh = 1.0;
    double dWeight = 0.0;
    const auto weightAt = [&](double dScale) {
        return estimator.EstimateCorrected(shape, SizeAt(shape, dScale, dDepthPct, dRatio),
                                           corrections, dWeight);
    };
    // The weight grows with the scale: double until it is reached, then halve the bracket.
    for (;;) {
        if (!weightAt(dHigh) || !std::isfinite(dHigh)) return false;
        if (dWeight >= dCarat) break;
        dLow = dHigh;
        dHigh *= 2;
    }
    double dHighWeight = dWeight;
    double dLowWeight = 0.0;
    for (double dMid = dLow + (dHigh - dLow) / 2; dMid > dLow && dMid < dHigh;
         dMid = dLow + (dHigh - dLow) / 2) {
        if (!weightAt(dMid)) return false;
        (dWeight < dCarat ? dLow : dHigh) = dMid;
        (dWeight < dCarat ? dLowWeight : dHighWeight) = dWeight;
    }
    const bool bHigh = dHighWeight - dCarat <= dCarat - dLowWeight;
    size = SizeAt(shape, bHigh ? dHigh : dLow, dDepthPct, dRatio);
    return true;
}

std::string SizeDefaultsText() {
    std::string text;
    for (std::size_t i = 0; i < kShapeCount; ++i) {
        text += std::string("  ") + kShapes[i].pszCaption + ": depth " +
                FormatGeneral(kSizeDefaults[i].dDepthPct, 6) + " %";
        if (kShapes[i].bWidthShown) text += ", ratio " + FormatGeneral(kSizeDefaults[i].dRatio, 6);
        text += '\n';
    }
    return text;
}

int RunSize(const std::string& shapeName, const std::string& weightText, const SizeOptions& options,
            std::ostream& out, std::ostream& err) {
    const CShape* pShape = FindShapeByName(shapeName);
    if (pShape == nullptr) {
        err << kSize << UnknownShapeMessage(shapeName) << '\n';
        return kExitUsage;
    }
    if (options.ratio && !pShape->bWidthShown) {
        err << kSize << pShape->pszCaption << " has no width, so no --ratio\n";
        return kExitUsage;
    }
    const CSizeDefaults& defaults = kSizeDefaults[pShape - kShapes];
    const double dDepthPct = options.depthPct.value_or(defaults.dDepthPct);
    const double dRatio = options.ratio.value_or(defaults.dRatio);
    if (!(dDepthPct > 0) || !(dRatio > 0)) {
        err << kSize << "--depth-pct and --ratio must be above 0\n";
        return kExitUsage;
    }
    double dWeight = 0.0;
    if (!PositiveNumber("WEIGHT", weightText, dWeight, err)) return kExitUsage;
    CCaratEstimator estimator;
    CStoneSize size;
    if (!SolveSize(estimator, *pShape, dWeight / options.corrections.pUnit->dPerCarat, dDepthPct,
                   dRatio, options.corrections, size)) {
        err << kSize << "no " << pShape->pszCaption << " of these proportions weighs " << weightText
            << ' ' << options.corrections.pUnit->pszName << '\n';
        return kExitEngineError;
    }
    const double adValue[3] = {size.dLength, size.dWidth, size.dDepth};
    const std::vector<std::string> fields = ShapeFields(*pShape);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const double dValue = adValue[(i + 1 == fields.size()) ? 2 : i];
        out << (i > 0 ? " " : "") << fields[i] << ' ' << FormatFixed(dValue, options.decimals);
    }
    out << '\n';
    return kExitOk;
}
