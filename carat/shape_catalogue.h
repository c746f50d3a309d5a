// The eight cut shapes from the top of the window down: button, pictures, fields, formula and the
// proportions size assumes. Data and look-ups only; choosing a shape in the window is SelectShape.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct Shape {
    // Window ids as plain numbers, so the core needs no window header; the dialog's handlers
    // check them against res/resource.h where they are compiled.
    int nButtonID;
    const char* pszCaption;
    int nNormalPictureID;
    int nNormalBitmapID;
    int nSelectedPictureID;
    int nSelectedBitmapID;
    int nArrowID;
    bool bDiameter;          // the first field is named DIAMETER, else LENGTH
    bool bWidthShown;        // the formula reads F, so the WIDTH field is shown
    const char* pszFormula;  // nullptr for a shape weighed by its field rule alone
    bool bLengthLonger;      // the length is by definition the longer measure, never the width
    // What size assumes unless told: depth in % of the width (or diameter), and length / width.
    double dDepthPct;
    double dRatio;
};

// The letters every shape's formula reads its measures from.
constexpr char kLengthLetter = 'B';  // length, or diameter
constexpr char kWidthLetter = 'F';
constexpr char kDepthLetter = 'G';

constexpr std::size_t kShapeCount = 8;

// Depths are the middles of the ranges that cut grading calls well made for each cut; ratios the
// middles of the outlines the trade calls classic.
// clang-format off
inline constexpr Shape kShapes[kShapeCount] = {
    // 57.5-63 % deep; no width
    {140, "Round Brilliant", 1020, 174, 1019, 194, 1035, true, false,
     "(B/2*B/2*G*.0245)*1.05", false, 61.0, 1.0},
    // 58-62 % deep, 1.35-1.50 long
    {141, "Oval Brilliant", 1021, 171, 1022, 195, 1036, false, true,
     "(B+F)/2*(B+F)/2*G*.0065", true, 60.0, 1.40},
    // trillions are cut shallow, 40-50 %; no width
    {139, "Square Trillion", 1023, 175, 1024, 196, 1037, false, false,
     "(B*2/3)*B*G*.013", false, 45.0, 1.0},
    // step cuts 61-69 % deep, 1.30-1.50 long
    {144, "Rectangle", 1025, 168, 1026, 197, 1038, false, true,
     "(B-(F/3))*F*G*.013", true, 65.0, 1.40},
    // 58-62 % deep, 1.85-2.10 long
    {145, "Marquise Brilliant", 1027, 170, 1028, 198, 1039, false, true,
     "(B-(F/3))*F*G*.0079", true, 60.0, 2.00},
    // 58-62 % deep, 1.45-1.75 long
    {146, "Pear Brilliant", 1029, 172, 1030, 199, 1040, false, true,
     "B*F*G*.0062", true, 60.0, 1.55},
    // 40-50 % deep, an equilateral outline
    {160, "Triangle Trillion", 1031, 176, 1032, 200, 1041, false, true,
     "B*F*G*.0057", false, 45.0, 1.0},
    // 56-62 % deep, 0.90-1.10 long
    {143, "Heart Brilliant", 1033, 169, 1034, 201, 1042, false, true,
     "B*F*G*.0060", false, 60.0, 1.0},
};
// clang-format on

// Shapes beyond the window's eight, weighed only by their published field rules (weight_model.h):
// no window ids, no formula. The proportions size assumes are the trade's usual middles, which
// no source here confirms.
constexpr std::size_t kRuleShapeCount = 6;
// clang-format off
inline constexpr Shape kRuleShapes[kRuleShapeCount] = {
    // 61-67 % deep, 1.30-1.50 long
    {0, "Emerald Cut", 0, 0, 0, 0, 0, false, true, nullptr, true, 64.0, 1.40},
    // 64-75 % deep, square
    {0, "Princess Cut", 0, 0, 0, 0, 0, false, true, nullptr, false, 70.0, 1.0},
    // 61-67 % deep, 1.00-1.20 long
    {0, "Cushion Brilliant", 0, 0, 0, 0, 0, false, true, nullptr, false, 64.0, 1.10},
    // 60-70 % deep, square
    {0, "Asscher Cut", 0, 0, 0, 0, 0, false, true, nullptr, false, 66.0, 1.0},
    // 61-67 % deep, 1.00-1.35 long
    {0, "Radiant Cut", 0, 0, 0, 0, 0, false, true, nullptr, true, 65.0, 1.25},
    // 60-70 % deep, 2.00-3.00 long
    {0, "Baguette", 0, 0, 0, 0, 0, false, true, nullptr, true, 65.0, 2.50},
};
// clang-format on

// The shape named as FindShapeByName takes it, the field rules' shapes too when bMeasured.
const Shape* FindStoneShape(std::string_view name, bool bMeasured);

// The row of the shape button nButtonID, or nullptr.
const Shape* FindShapeByButton(int nButtonID);

// The shape named by its caption or the caption's first word, in any letter case, or nullptr.
const Shape* FindShapeByName(std::string_view name);

// Why name names no shape, with the shapes there are (the field rules' too when bMeasured).
std::string UnknownShapeText(std::string_view name, bool bMeasured = false);

// The fields the window shows for the shape, in order: "DIAMETER" or "LENGTH", "WIDTH", "DEPTH".
std::vector<std::string> ShapeFields(const Shape& shape);
