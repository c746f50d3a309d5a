#include "stone_options.h"

#include <iostream>

#include "ascii_case.h"
#include "decimal_text.h"
#include "option_texts.h"

const char kStoneOptionsHelp[] =
    "--girdle GRADE: extremely thin, very thin, thin, medium, slightly thick, thick, very thick,\n"
    "extremely thick, or ETN VTN THN MED STK THK VTK ETK (any letter case; '-' or '_' for the\n"
    "blank). The weight is multiplied by the grade's factor for the stone's size band (3.1-4.1,\n"
    "4.15-6.9, 7.0+ mm of diameter, or of the mean of length and width; smaller stones take the\n"
    "first band), from the Adamas Gemological Laboratory table published by GemGate.\n"
    "--gem NAME or --sg VALUE: the same size in another material, the weight scaled by its\n"
    "relative density (SG) against diamond's 3.52 ('velastro-cli gems' lists the names).\n"
    "--unit ct|g|pt: carats (the default), grams (1 ct = 0.2 g) or points (1 ct = 100 pt).\n"
    "--model window|measured: the window's formulas (the default), or the model measured on\n"
    "real round brilliants and the published field rules of the other shapes, Emerald Cut,\n"
    "Princess Cut, Cushion Brilliant, Asscher Cut, Radiant Cut and Baguette among them.\n";

const char kWeightOptionsHelp[] =
    "Under --model measured every answer names its model; --table PCT gives a round's table %,\n"
    "which brings the measured model closer still. --interval adds the range that 90 % of real\n"
    "stones with these measures weigh within, where weighed stones measure the model (round\n"
    "brilliants), else nothing ('- -', or empty columns).\n";

namespace {

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

}  // namespace

CLI::Validator OneOf(std::vector<std::string> names) {
    return CLI::Validator(
        [names](std::string& input) {
            for (const std::string& name : names) {
                if (!EqualIgnoringAsciiCase(input, name)) continue;
                input = name;
                return std::string();
            }
            return "'" + input + "' is not " + Listed(names);
        },
        Listed(names));
}

void AddDecimalsOption(CLI::App* app, int& nDecimals, const std::string& strWhat, int nMost) {
    const CLI::Validator wholeNumber(
        [nMost](std::string& input) {
            const DecimalParse number = ParseDecimal(input);
            const bool bWhole = number.bOk && number.dValue >= 0 && number.dValue <= nMost &&
                                number.dValue == static_cast<int>(number.dValue);
            if (!bWhole)
                return "'" + input + "' is not a whole number from 0 to " + std::to_string(nMost);
            input = std::to_string(static_cast<int>(number.dValue));
            return std::string();
        },
        "0 to " + std::to_string(nMost));
    app->add_option("--decimals", nDecimals,
                    "decimals of the " + strWhat + " (default " + std::to_string(nDecimals) + ")")
        ->type_name("N")
        ->transform(wholeNumber);
}

void AddStoneOptions(CLI::App* app, StoneArgs& args, bool bPrintsWeights) {
    args.pGirdle = app->add_option("--girdle", args.strGirdle, "girdle grade (default: medium)")
                       ->type_name("GRADE");
    args.pGem =
        app->add_option("--gem", args.strGem, "gem material (default: diamond)")->type_name("NAME");
    args.pSg = app->add_option("--sg", args.strSg, "relative density (SG) of the material")
                   ->type_name("VALUE")
                   ->excludes(args.pGem);
    std::vector<std::string> units;
    for (const WeightUnit& unit : kWeightUnits)
        units.push_back(unit.pszName);
    app->add_option("--unit", args.strUnit, "ct, g or pt (default: ct)")
        ->type_name("UNIT")
        ->transform(OneOf(units));
    app->add_option("--model", args.strModel, "window or measured (default: window)")
        ->type_name("MODEL")
        ->transform(OneOf({"window", "measured"}));
    if (!bPrintsWeights) return;
    args.pTolerance =
        app->add_option("--tolerance", args.strTolerance, "print the weight less and plus PCT %")
            ->type_name("PCT");
    args.pTable =
        app->add_option("--table", args.strTable, "a round's table % (with --model measured)")
            ->type_name("PCT");
    app->add_flag("--interval", args.bInterval,
                  "print the range 90 % of real stones with these measures weigh within");
}

bool TakeStoneOptions(const StoneArgs& args, const char* pszPrefix, StoneOptions& out) {
    const auto given = [](const CLI::Option* pOption, const std::string& text) {
        return pOption != nullptr && pOption->count() > 0 ? std::optional<std::string>(text)
                                                          : std::nullopt;
    };
    StoneOptionTexts texts;
    texts.girdle = given(args.pGirdle, args.strGirdle);
    texts.gem = given(args.pGem, args.strGem);
    texts.sg = given(args.pSg, args.strSg);
    texts.unit = args.strUnit;
    texts.tolerance = given(args.pTolerance, args.strTolerance);
    texts.model = args.strModel;
    texts.table = given(args.pTable, args.strTable);
    texts.bInterval = args.bInterval;
    std::string strError;
    if (ReadStoneOptions(texts, out, strError)) return true;
    std::cerr << pszPrefix << strError
              << (texts.gem && strError.rfind("--gem", 0) == 0 ? " ('velastro-cli gems' lists them)"
                                                               : "")
              << '\n';
    return false;
}
