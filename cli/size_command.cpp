// velastro-cli size: the measures a shape has at a weight, solved by the carat core.
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "decimal_text.h"
#include "exit_status.h"
#include "option_texts.h"
#include "size_solver.h"
#include "stone_options.h"
#include "subcommand.h"

namespace {

const char kSize[] = "velastro-cli size: ";
// Millimetres as gauges read them.
constexpr int kSizeDecimals = 2;

const char kSizeRules[] =
    "Prints the measures in mm (LENGTH WIDTH DEPTH, or DIAMETER DEPTH, as 'velastro-cli shapes'\n"
    "names them) at which SHAPE's own formula gives WEIGHT (in --unit), solving that formula\n"
    "through the engine (or, with --model measured, the measured model or the shape's field "
    "rule).\n"
    "The depth is --depth-pct % of the width (or diameter), the length\n"
    "--ratio times the width; the defaults, the middles of the proportions cut grading calls\n"
    "well made, are:\n";

const char kSizeTail[] =
    "Exit status: 0, 1 when no size reaches the weight, 2 for usage errors, 3 when writing the\n"
    "output failed.\n"
    "Example: velastro-cli size round 1   prints DIAMETER 6.34 DEPTH 3.87";

struct SizeArgs {
    std::string strShape;
    std::string strWeight;
    std::string strDepthPct;
    std::string strRatio;
    CLI::Option* pDepthPct = nullptr;
    CLI::Option* pRatio = nullptr;
    int nDecimals = kSizeDecimals;
    StoneArgs stone;
};

// One line per shape: its caption, default depth and ratio.
std::string SizeDefaultsText() {
    std::string text;
    for (const Shape& shape : kShapes) {
        text += std::string("  ") + shape.pszCaption + ": depth " +
                FormatGeneral(shape.dDepthPct, 6) + " %";
        if (shape.bWidthShown) text += ", ratio " + FormatGeneral(shape.dRatio, 6);
        text += '\n';
    }
    return text;
}

int RunSize(const SizeArgs& args) {
    StoneOptions stone;
    if (!TakeStoneOptions(args.stone, kSize, stone)) return kExitUsage;
    const Shape* pShape = FindStoneShape(args.strShape, stone.bMeasured);
    if (pShape == nullptr) {
        std::cerr << kSize << UnknownShapeText(args.strShape, stone.bMeasured) << '\n';
        return kExitUsage;
    }
    SizeTexts texts;
    texts.weight = args.strWeight;
    if (args.pDepthPct->count() > 0) texts.depthPct = args.strDepthPct;
    if (args.pRatio->count() > 0) texts.ratio = args.strRatio;
    double dWeight = 0.0;
    double dDepthPct = 0.0;
    double dRatio = 0.0;
    std::string strError;
    if (!ReadSizeTexts(*pShape, texts, dWeight, dDepthPct, dRatio, strError)) {
        std::cerr << kSize << strError << '\n';
        return kExitUsage;
    }
    CCaratEstimator estimator;
    StoneSize size;
    if (!SolveSize(estimator, *pShape, dWeight, dDepthPct, dRatio, stone, size)) {
        std::cerr << kSize << NoSizeText(*pShape, args.strWeight, stone) << '\n';
        return kExitEngineError;
    }
    std::cout << SizeText(*pShape, size, args.nDecimals) << '\n';
    return kExitOk;
}

}  // namespace

Subcommand AddSize(CLI::App& app) {
    CLI::App* size = app.add_subcommand("size", "the measures a shape has at a weight");
    size->footer(std::string(kSizeRules) + SizeDefaultsText() + kStoneOptionsHelp + kSizeTail);
    auto args = std::make_shared<SizeArgs>();
    size->add_option("SHAPE", args->strShape, "the shape's caption or its first word")->required();
    size->add_option("WEIGHT", args->strWeight, "the weight, in carats unless --unit")->required();
    args->pDepthPct = size->add_option("--depth-pct", args->strDepthPct, "depth in % of the width")
                          ->type_name("P");
    args->pRatio =
        size->add_option("--ratio", args->strRatio, "length divided by width")->type_name("L/W");
    AddDecimalsOption(size, args->nDecimals, "mm", kMostDecimals);
    AddStoneOptions(size, args->stone, false);
    return {size, [args] { return RunSize(*args); }};
}
