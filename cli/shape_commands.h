// velastro-cli shapes, gems and estimate: the window's eight cut shapes, the gem table and one
// stone's carat estimate with its corrections.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "shape_catalogue.h"
#include "stone_corrections.h"

// The fields the window shows for the shape, in order: "DIAMETER" or "LENGTH", "WIDTH", "DEPTH".
std::vector<std::string> ShapeFields(const CShape& shape);

// Why shapeName names no shape, with the shapes there are.
std::string UnknownShapeMessage(const std::string& shapeName);

// One line per shape, top row first: caption, a tab, its fields, a tab, its formula.
void PrintShapes(std::ostream& out);

// One line per gem: its name, a tab and its relative density (SG).
void PrintGems(std::ostream& out);

// Evaluates the shape's formula with B = the first number, F = the width (0 without one) and
// G = the last, and prints the answer text; with corrections other than the defaults the
// corrected weight in its unit, and with a tolerance the low and high weights after it.
// Exit status: 0, 1 when the engine reported an error text, 2 for an unknown shape or a number
// that is missing, extra or not a decimal number.
int RunEstimate(const std::string& shapeName, const std::vector<std::string>& numbers,
                const CStoneCorrections& corrections, std::ostream& out, std::ostream& err);
