// velastro-cli estimate: one stone's weight from its measures, as the window computes it.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "carat_estimator.h"
#include "exit_status.h"
#include "stone_options.h"
#include "subcommand.h"

namespace {

const char kEstimate[] = "velastro-cli estimate: ";

const char kEstimateRules[] =
    "Evaluates SHAPE's formula as the Velastro window does, with B = LENGTH (or DIAMETER),\n"
    "F = WIDTH, G = DEPTH in mm and the other letters 0, and prints the answer text (six\n"
    "decimals). SHAPE is a caption that 'velastro-cli shapes' lists, or its first word, in any\n"
    "letter case: \"Oval Brilliant\", oval, HEART. WIDTH is given exactly for the shapes that\n"
    "show it: not for Round Brilliant (DIAMETER DEPTH) nor Square Trillion (LENGTH DEPTH). A "
    "round\n"
    "stone may also be given by its MIN DIAMETER, MAX DIAMETER and DEPTH; it weighs at their "
    "mean.\n"
    "--tolerance PCT prints the weight, then the weight less and plus PCT %, on one line.\n";

const char kEstimateTail[] =
    "Exit status: 0, 1 when the engine reported an error text or the measures give no weight (a\n"
    "measure not above 0, a width above the length of a shape whose length is the longer),\n"
    "2 for usage errors (an unknown shape, a missing or extra number, a number that is not\n"
    "decimal),\n"
    "3 when writing the output failed.\n"
    "Values are decimal numbers such as 6.5, -1 or 1e-1; one that starts with '-' and then no\n"
    "digit goes after '--', as in: velastro-cli estimate round -- -.5 3\n"
    "Example: velastro-cli estimate oval 6 4 3 --tolerance 5   prints 0.487500 0.463125 0.511875";

struct EstimateArgs {
    std::string strShape;
    std::vector<std::string> vecNumbers;
    int nDecimals = kDefaultDecimals;
    StoneArgs stone;
};

int RunEstimate(const EstimateArgs& args) {
    StoneOptions stone;
    if (!TakeStoneOptions(args.stone, kEstimate, stone)) return kExitUsage;
    const Shape* pShape = FindStoneShape(args.strShape, stone.bMeasured);
    if (pShape == nullptr) {
        std::cerr << kEstimate << UnknownShapeText(args.strShape, stone.bMeasured) << '\n';
        return kExitUsage;
    }
    StoneSize size;
    std::string strError;
    if (!ReadStoneSize(*pShape, args.vecNumbers, size, strError)) {
        std::cerr << kEstimate << strError << '\n';
        return kExitUsage;
    }
    CCaratEstimator estimator;
    StoneWeight weight;
    if (!WeighStone(estimator, *pShape, size, stone, weight, strError)) {
        // The engine's error texts are answers, as the window shows them.
        (weight.bAnswerText ? std::cout : std::cerr << kEstimate) << strError << '\n';
        return kExitEngineError;
    }
    std::cout << WeightsText(weight, stone, args.nDecimals) << '\n';
    return kExitOk;
}

}  // namespace

Subcommand AddEstimate(CLI::App& app) {
    CLI::App* estimate = app.add_subcommand("estimate", "one stone's weight from its measures");
    estimate->footer(std::string(kEstimateRules) + kStoneOptionsHelp + kWeightOptionsHelp +
                     kEstimateTail);
    auto args = std::make_shared<EstimateArgs>();
    estimate->add_option("SHAPE", args->strShape, "the shape's caption or its first word")
        ->required();
    estimate->add_option("NUMBERS", args->vecNumbers, "LENGTH (or DIAMETER), [WIDTH,] DEPTH in mm")
        ->type_name("NUMBER");
    AddDecimalsOption(estimate, args->nDecimals, "weights", kMostDecimals);
    AddStoneOptions(estimate, args->stone, true);
    return {estimate, [args] { return RunEstimate(*args); }};
}
