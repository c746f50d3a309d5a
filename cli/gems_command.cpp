// velastro-cli gems: the carat core's table of gem materials and their relative density.
#include <iostream>

#include "decimal_text.h"
#include "exit_status.h"
#include "stone_corrections.h"
#include "subcommand.h"

Subcommand AddGems(CLI::App& app) {
    CLI::App* gems = app.add_subcommand("gems", "the gem materials and their relative density");
    gems->footer(
        "Lists the materials --gem and the gem column take, one line each: the name, a tab and\n"
        "the usual relative density, SG (diamond 3.52), after the International Gem Society's "
        "table.\n"
        "Exit status: 0, or 3 when writing the output failed.\n"
        "Example: velastro-cli gems | grep -i ruby   prints ruby<TAB>4.00");
    return {gems, [] {
                for (const Gem& gem : kGems)
                    std::cout << gem.pszName << '\t' << FormatFixed(gem.dRelativeDensity, 2)
                              << '\n';
                return kExitOk;
            }};
}
