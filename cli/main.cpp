// velastro-cli: the formula engine and the carat estimate for scripts and batches.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "ascii_case.h"
#include "checked_output.h"
#include "exit_status.h"
#include "subcommand.h"

namespace {

template <std::size_t nCount>
bool NamesSubcommand(const Subcommand (&aSubcommand)[nCount], std::string_view name) {
    for (const Subcommand& subcommand : aSubcommand)
        if (subcommand.app->get_name() == name) return true;
    return false;
}

// "unknown subcommand 'estimat'; did you mean estimate? (the subcommands are eval, ...)".
template <std::size_t nCount>
std::string UnknownSubcommandText(const Subcommand (&aSubcommand)[nCount], std::string_view name) {
    std::vector<std::string_view> names;
    std::string strList;
    for (const Subcommand& subcommand : aSubcommand) {
        names.push_back(subcommand.app->get_name());
        strList += (strList.empty() ? "" : ", ") + subcommand.app->get_name();
    }
    const std::string_view nearest = NearestName(name, names);
    return "unknown subcommand '" + std::string(name) + "'" +
           (nearest.empty() ? "" : "; did you mean " + std::string(nearest) + "?") +
           " (the subcommands are " + strList + ")";
}

// Parses the command line and runs the subcommand it names; every subcommand writes to
// std::cout, which main has pointed at the checked output.
int RunCommandLine(int argc, char** argv) {
    CLI::App app{"Velastro command-line tool: carat estimates and the formula engine behind them",
                 "velastro-cli"};
    app.footer(
        "'velastro-cli SUBCOMMAND --help' gives a subcommand's rules, exit statuses and an "
        "example.\nExit status 3, in every subcommand: input or output failed.");
    app.require_subcommand(1);
    app.set_version_flag("--version", "velastro-cli " VELASTRO_VERSION);
    // "/data/parcel.csv" is a path on either host, not a Windows-style option; subcommands
    // inherit this from here.
    app.allow_windows_style_options(false);
    const Subcommand subcommands[] = {AddEval(app),  AddShapes(app), AddEstimate(app),
                                      AddBatch(app), AddSize(app),   AddGems(app)};
    if (argc > 1 && argv[1][0] != '-' && !NamesSubcommand(subcommands, argv[1])) {
        std::cerr << "velastro-cli: " << UnknownSubcommandText(subcommands, argv[1]) << '\n';
        return kExitUsage;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {  // --help or --version
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    for (const Subcommand& subcommand : subcommands) {
        if (subcommand.app->parsed()) return subcommand.run();
    }
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    CCheckedOutput output(1);
    std::streambuf* pStdout = std::cout.rdbuf(&output);
    int status = kExitUsage;
    try {
        status = RunCommandLine(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "velastro-cli: out of memory\n";
        status = kExitInputOutput;
    }
    std::cout.flush();
    if (!output.Close()) {
        std::cerr << "velastro-cli: cannot write standard output: " << std::strerror(output.Error())
                  << '\n';
        status = kExitInputOutput;
    }
    std::cout.rdbuf(pStdout);
    return status;
}
