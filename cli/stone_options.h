// The options estimate, batch and size share (girdle, gem or SG, unit, tolerance) as the command
// line takes them; what they mean is the carat core's. No subcommand of its own.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "stone_corrections.h"

// The help text of the stone options, for the subcommands' footers; of the options of the
// subcommands that print weights.
extern const char kStoneOptionsHelp[];
extern const char kWeightOptionsHelp[];

// A validator that takes one of names in any letter case and hands it on as written there; its
// message lists them: "'kg' is not ct, g or pt".
CLI::Validator OneOf(std::vector<std::string> names);

// Adds --decimals N, a whole number from 0 to nMost, into nDecimals.
void AddDecimalsOption(CLI::App* app, int& nDecimals, const std::string& strWhat, int nMost);

// The stone options as given, for AddStoneOptions and TakeStoneOptions.
struct StoneArgs {
    std::string strUnit = kWeightUnits[0].pszName;
    std::string strGem;
    std::string strSg;
    std::string strGirdle;
    std::string strTolerance;
    std::string strModel = "window";
    std::string strTable;
    bool bInterval = false;
    CLI::Option* pGem = nullptr;
    CLI::Option* pSg = nullptr;
    CLI::Option* pGirdle = nullptr;
    CLI::Option* pTolerance = nullptr;
    CLI::Option* pTable = nullptr;
};

// Adds the stone options; bPrintsWeights adds --tolerance, --interval and --table too.
void AddStoneOptions(CLI::App* app, StoneArgs& args, bool bPrintsWeights);

// Turns the given options into stone options; prints the reason after pszPrefix on standard error
// and returns false on a bad one.
bool TakeStoneOptions(const StoneArgs& args, const char* pszPrefix, StoneOptions& out);
