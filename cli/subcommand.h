// The subcommands of velastro-cli as the command line meets them: each adds its options to the
// parser and hands back what runs once they are parsed, one file each (*_command.cpp).
#pragma once

#include <CLI/CLI.hpp>

#include <functional>

struct Subcommand {
    CLI::App* app = nullptr;
    std::function<int()> run;
};

Subcommand AddEval(CLI::App& app);
Subcommand AddShapes(CLI::App& app);
Subcommand AddEstimate(CLI::App& app);
Subcommand AddBatch(CLI::App& app);
Subcommand AddSize(CLI::App& app);
Subcommand AddGems(CLI::App& app);
