// The command line of the stone subcommands (estimate, batch, size, gems) and the correction
// options they share; what each one does is in shape_commands, batch_command and size_command.
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "batch_command.h"
#include "decimal_arg.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "shape_commands.h"
#include "size_command.h"
#include "subcommand.h"

namespace {

const char kCorrectionsHelp[] =
    "--girdle GRADE: extremely thin, very thin, thin, medium, slightly thick, thick, very thick,\n"
    "extremely thick, or ETN VTN THN MED STK THK VTK ETK (any letter case; '-' or '_' for the\n"
    "blank). The weight is multiplied by the grade's factor for the stone's size band (3.1-4.1,\n"
    "4.15-6.9, 7.0+ mm of diameter, or of the mean of length and width; smaller stones take the\n"
    "first band), from the Adamas Gemological Laboratory table published by GemGate.\n"
    "--gem NAME or --sg VALUE: the same size in another material, the weight scaled by its\n"
    "relative density (SG) against diamond's 3.52 ('velastro-cli gems' lists the names).\n"
    "--unit ct|g|pt: carats (the default), grams (1 ct = 0.2 g) or points (1 ct = 100 pt).\n";

// The correction options as given, for AddStoneOptions and TakeStoneOptions.
struct StoneArgs {
    std::string unit = "ct";
    std::string gem;
    std::string sg;
    std::string girdle;
    std::string tolerance;
    CLI::Option* pGem = nullptr;
    CLI::Option* pSg = nullptr;
    CLI::Option* pGirdle = nullptr;
    CLI::Option* pTolerance = nullptr;
};

void AddStoneOptions(CLI::App* app, StoneArgs& args, bool bTolerance) {
    args.pGirdle = app->add_option("--girdle", args.girdle, "girdle grade (default: medium)")
                       ->type_name("GRADE");
    args.pGem =
        app->add_option("--gem", args.gem, "gem material (default: diamond)")->type_name("NAME");
    args.pSg = app->add_option("--sg", args.sg, "relative density (SG) of the material")
                   ->type_name("VALUE")
                   ->excludes(args.pGem);
    app->add_option("--unit", args.unit, "ct, g or pt (default: ct)")->type_name("UNIT");
    if (bTolerance)
        args.pTolerance =
            app->add_option("--tolerance", args.tolerance, "print the weight less and plus PCT %")
                ->type_name("PCT");
}

bool Refuse(const char* pszPrefix, const std::string& reason) {
    std::cerr << pszPrefix << reason << '\n';
    return false;
}

// Turns the given options into corrections; prints the reason and returns false on a bad one.
bool TakeStoneOptions(const StoneArgs& args, const char* pszPrefix, CStoneCorrections& out) {
    out.pUnit = FindWeightUnit(args.unit);
    if (out.pUnit == nullptr)
        return Refuse(pszPrefix, "--unit: '" + args.unit + "' is not ct, g or pt");
    if (args.pGirdle->count() > 0 && (out.pGirdle = FindGirdleGrade(args.girdle)) == nullptr)
        return Refuse(pszPrefix, "--girdle: unknown grade '" + args.girdle + "'");
    if (args.pGem->count() > 0) {
        const CGem* pGem = FindGem(args.gem);
        if (pGem == nullptr)
            return Refuse(pszPrefix,
                          "--gem: unknown gem '" + args.gem + "' (see velastro-cli gems)");
        out.dRelativeDensity = pGem->dRelativeDensity;
    }
    if (args.pSg->count() > 0) {
        const DecimalArg sg = ParseDecimalArg(args.sg);
        if (!sg.ok || !(sg.value > 0))
            return Refuse(pszPrefix,
                          "--sg: " + (sg.ok ? "'" + args.sg + "' is not above 0" : sg.error));
        out.dRelativeDensity = sg.value;
    }
    if (args.pTolerance == nullptr || args.pTolerance->count() == 0) return true;
    const DecimalArg tolerance = ParseDecimalArg(args.tolerance);
    if (!tolerance.ok || !(tolerance.value >= 0 && tolerance.value < 100))
        return Refuse(
            pszPrefix,
            "--tolerance: " + (tolerance.ok ? "'" + args.tolerance + "' is not from 0 to below 100"
                                            : tolerance.error));
    out.dTolerancePct = tolerance.value;
    out.bTolerance = true;
    return true;
}

const char kEstimateRules[] =
    "Evaluates SHAPE's formula as the Velastro window does, with B = LENGTH (or DIAMETER),\n"
    "F = WIDTH, G = DEPTH in mm and the other letters 0, and prints the answer text (six\n"
    "decimals). SHAPE is a caption that 'velastro-cli shapes' lists, or its first word, in any\n"
    "letter case: \"Oval Brilliant\", oval, HEART. WIDTH is given exactly for the shapes that\n"
    "show it: not for Round Brilliant (DIAMETER DEPTH) nor Square Trillion (LENGTH DEPTH).\n"
    "--tolerance PCT prints the weight, then the weight less and plus PCT %, on one line.\n";

const char kEstimateTail[] =
    "Exit status: 0, 1 when the engine reported an error text, 2 for usage errors (an unknown\n"
    "shape, a missing or extra number, a number that is not decimal),\n"
    "3 when writing the output failed.\n"
    "Values are decimal numbers such as 6.5, -1 or 1e-1; one that starts with '-' and then no\n"
    "digit goes after '--', as in: velastro-cli estimate round -- -.5 3\n"
    "Example: velastro-cli estimate oval 6 4 3 --tolerance 5   prints 0.487500 0.463125 0.511875";

struct EstimateArgs {
    std::string shape;
    std::vector<std::string> numbers;
    StoneArgs stone;
};

}  // namespace

Subcommand AddEstimate(CLI::App& app) {
    CLI::App* estimate = app.add_subcommand("estimate", "one stone's weight from its measures");
    estimate->footer(std::string(kEstimateRules) + kCorrectionsHelp + kEstimateTail);
    auto args = std::make_shared<EstimateArgs>();
    estimate->add_option("SHAPE", args->shape, "the shape's caption or its first word")->required();
    estimate->add_option("NUMBERS", args->numbers, "LENGTH (or DIAMETER), [WIDTH,] DEPTH in mm")
        ->type_name("NUMBER");
    AddStoneOptions(estimate, args->stone, true);
    return {estimate, [args] {
                CStoneCorrections corrections;
                if (!TakeStoneOptions(args->stone, "velastro-cli estimate: ", corrections))
                    return kExitUsage;
                return RunEstimate(args->shape, args->numbers, corrections, std::cout, std::cerr);
            }};
}

namespace {

const char kBatchRules[] =
    "Reads a table of stones from FILE (standard input for '-' or none) and writes it to standard\n"
    "output with each stone's weight, in memory that does not grow with the rows.\n"
    "Input: CSV with a header row. The delimiter is the header's most frequent of ',' ';' and\n"
    "tab; fields may be quoted as RFC 4180 has it (\"a \"\"b\"\"\", line breaks inside quotes);\n"
    "lines end in LF or CR LF; a UTF-8 byte-order mark is skipped; empty lines are skipped.\n"
    "Columns by header name in any letter case: shape, length (or diameter), width (for the\n"
    "shapes that have one), depth, and optionally id, count (stones of that size, default 1),\n"
    "girdle and gem, which override --girdle and --gem for their row; other columns pass\n"
    "through. Numbers: 6.5, and where the delimiter is ';' or tab also 6,5.\n"
    "--decimal point|comma reads and writes only that mark.\n"
    "Output: the rows and columns in order, in the input's delimiter and line end, then carat\n"
    "(per stone; grams or points with --unit), carat_low and carat_high with --tolerance, and\n"
    "error, empty when the row is fine (input columns of these names are replaced). The\n"
    "weights have --decimals decimals, with a decimal comma where the delimiter is ';'.\n"
    "A row that cannot be estimated keeps its place with the reason in error. Standard error\n"
    "ends with the rows, stones, total weight and rows in error; a progress bar shows there\n"
    "when it is a terminal and FILE is a file.\n";

const char kBatchTail[] =
    "Exit status: 0, 1 when a row has an error, 2 for usage errors (a header without shape,\n"
    "length or depth, a FILE that cannot be opened), 3 when reading or writing failed or a row\n"
    "was longer than --max-line.\n"
    "Example: velastro-cli batch parcel.csv --girdle thick > weighed.csv";

struct BatchArgs {
    BatchOptions options;
    std::string decimalMark = "auto";
    StoneArgs stone;
};

bool TakeDecimalMark(const std::string& text, EDecimalMark& mark) {
    const char* const apszName[] = {"auto", "point", "comma"};
    const EDecimalMark aeMark[] = {EDecimalMark::kAuto, EDecimalMark::kPoint, EDecimalMark::kComma};
    for (int i = 0; i < 3; ++i)
        if (text == apszName[i]) mark = aeMark[i];
    return text == "auto" || mark != EDecimalMark::kAuto;
}

}  // namespace

Subcommand AddBatch(CLI::App& app) {
    CLI::App* batch = app.add_subcommand("batch", "a parcel: a CSV table of stones, weighed");
    batch->footer(std::string(kBatchRules) + kCorrectionsHelp + kBatchTail);
    auto args = std::make_shared<BatchArgs>();
    batch->add_option("FILE", args->options.path, "the table; '-' or none: standard input");
    batch->add_option("--decimals", args->options.decimals, "decimals of the weights (default 6)")
        ->type_name("N")
        ->check(CLI::Range(0, kMaxFixedDecimals));
    batch->add_option("--decimal", args->decimalMark, "auto, point or comma (default auto)")
        ->type_name("MARK");
    batch
        ->add_option("--max-line", args->options.maxLine,
                     "longest row read, in bytes (default 1048576)")
        ->type_name("BYTES")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max() / 2));
    AddStoneOptions(batch, args->stone, true);
    return {batch, [args] {
                const char kPrefix[] = "velastro-cli batch: ";
                if (!TakeDecimalMark(args->decimalMark, args->options.decimalMark)) {
                    std::cerr << kPrefix << "--decimal: '" << args->decimalMark
                              << "' is not auto, point or comma\n";
                    return kExitUsage;
                }
                if (!TakeStoneOptions(args->stone, kPrefix, args->options.corrections))
                    return kExitUsage;
                return RunBatchPath(args->options, std::cout, std::cerr);
            }};
}

namespace {

const char kSizeRules[] =
    "Prints the measures in mm (LENGTH WIDTH DEPTH, or DIAMETER DEPTH, as 'velastro-cli shapes'\n"
    "names them) at which SHAPE's own formula gives WEIGHT (in --unit), solving that formula\n"
    "through the engine. The depth is --depth-pct % of the width (or diameter), the length\n"
    "--ratio times the width; the defaults, the middles of the proportions cut grading calls\n"
    "well made, are:\n";

const char kSizeTail[] =
    "Exit status: 0, 1 when no size reaches the weight, 2 for usage errors, 3 when writing the\n"
    "output failed.\n"
    "Example: velastro-cli size round 1   prints DIAMETER 6.34 DEPTH 3.87";

struct SizeArgs {
    std::string shape;
    std::string weight;
    std::string depthPct;
    std::string ratio;
    CLI::Option* pDepthPct = nullptr;
    CLI::Option* pRatio = nullptr;
    SizeOptions options;
    StoneArgs stone;
};

// The option's value when given; false after printing why it is no number.
bool TakeOptional(CLI::Option* pOption, const std::string& text, std::optional<double>& value) {
    if (pOption->count() == 0) return true;
    const DecimalArg arg = ParseDecimalArg(text);
    if (!arg.ok) return Refuse("velastro-cli size: ", pOption->get_name() + ": " + arg.error);
    value = arg.value;
    return true;
}

}  // namespace

Subcommand AddSize(CLI::App& app) {
    CLI::App* size = app.add_subcommand("size", "the measures a shape has at a weight");
    size->footer(std::string(kSizeRules) + SizeDefaultsText() + kCorrectionsHelp + kSizeTail);
    auto args = std::make_shared<SizeArgs>();
    size->add_option("SHAPE", args->shape, "the shape's caption or its first word")->required();
    size->add_option("WEIGHT", args->weight, "the weight, in carats unless --unit")->required();
    args->pDepthPct =
        size->add_option("--depth-pct", args->depthPct, "depth in % of the width")->type_name("P");
    args->pRatio =
        size->add_option("--ratio", args->ratio, "length divided by width")->type_name("L/W");
    size->add_option("--decimals", args->options.decimals, "decimals of the mm (default 2)")
        ->type_name("N")
        ->check(CLI::Range(0, kMaxFixedDecimals));
    AddStoneOptions(size, args->stone, false);
    return {
        size, [args] {
            if (!TakeOptional(args->pDepthPct, args->depthPct, args->options.depthPct) ||
                !TakeOptional(args->pRatio, args->ratio, args->options.ratio) ||
                !TakeStoneOptions(args->stone, "velastro-cli size: ", args->options.corrections))
                return kExitUsage;
            return RunSize(args->shape, args->weight, args->options, std::cout, std::cerr);
        }};
}

Subcommand AddGems(CLI::App& app) {
    CLI::App* gems = app.add_subcommand("gems", "the gem materials and their relative density");
    gems->footer(
        "Lists the materials --gem and the gem column take, one line each: the name, a tab and\n"
        "the usual relative density, SG (diamond 3.52), after the International Gem Society's "
        "table.\n"
        "Exit status: 0, or 3 when writing the output failed.\n"
        "Example: velastro-cli gems | grep -i ruby   prints ruby<TAB>4.00");
    return {gems, [] {
                PrintGems(std::cout);
                return kExitOk;
            }};
}
