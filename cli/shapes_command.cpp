// velastro-cli shapes: the carat core's table of cut shapes, one line each.
#include <iostream>

#include "exit_status.h"
#include "shape_catalogue.h"
#include "subcommand.h"

namespace {

const char kShapesRules[] =
    "List the eight cut shapes from the top of the window down, one line each: the caption, a\n"
    "tab, the numbers estimate takes (\"DIAMETER DEPTH\", \"LENGTH DEPTH\" or \"LENGTH WIDTH\n"
    "DEPTH\"), a tab and the weight formula (B = length or diameter, F = width, G = depth).\n"
    "Exit status: 0, or 3 when writing the output failed.\n"
    "Example: velastro-cli shapes | cut -f1";

}  // namespace

Subcommand AddShapes(CLI::App& app) {
    CLI::App* shapes = app.add_subcommand("shapes", "the eight cut shapes and their formulas");
    shapes->footer(kShapesRules);
    return {shapes, [] {
                for (const Shape& shape : kShapes) {
                    std::string fields;
                    for (const std::string& field : ShapeFields(shape))
                        fields += (fields.empty() ? "" : " ") + field;
                    std::cout << shape.pszCaption << '\t' << fields << '\t' << shape.pszFormula
                              << '\n';
                }
                return kExitOk;
            }};
}
