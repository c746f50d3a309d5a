// velastro-cli shapes and estimate: the window's eight cut shapes and their carat estimate.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shape_catalogue.h"

// The fields the window shows for the shape, in order: "DIAMETER" or "LENGTH", "WIDTH", "DEPTH".
std::vector<std::string> ShapeFields(const CShape& shape);

// One line per shape, top row first: caption, a tab, its fields, a tab, its formula.
void PrintShapes(std::ostream& out);

// Evaluates the shape's formula with B = the first number, F = the width (0 without one) and
// G = the last, and prints the answer text. Exit status: 0, 1 when the engine reported an error
// text, 2 for an unknown shape or a number that is missing, extra or not a decimal number.
int RunEstimate(const std::string& shapeName, const std::vector<std::string>& numbers,
                std::ostream& out, std::ostream& err);
