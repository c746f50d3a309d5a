// What the Velastro window does by its described behaviour, as data the tests check it against:
// the shape rows and the keypad's texts. Written out here, never read from the program's tables.
#pragma once

#include <utility>

#include "resource.h"

// Exit sends IDOK; Esc, the close box and the window menu's Close send IDCANCEL (as Win32 has it).
#ifndef IDOK
#define IDOK 1
#define IDCANCEL 2
#endif

// The eight shapes from the top of the window down; row i's arrow is IDC_ARROW1 + i.
struct ShapeRow {
    const char *pszName, *pszFormula;
    int nButton, nPicture, nSelectedPicture;
    bool bDiameter, bWidth;  // DIAMETER shows, not LENGTH; WIDTH shows as the formula reads F
};

inline const ShapeRow kShapeRows[] = {
    {"RoundBrilliant", "(B/2*B/2*G*.0245)*1.05", IDC_ROUND_BRILLIANT, IDC_PIC_ROUND,
     IDC_PIC_ROUND_SEL, true, false},
    {"OvalBrilliant", "(B+F)/2*(B+F)/2*G*.0065", IDC_OVAL_BRILLIANT, IDC_PIC_OVAL, IDC_PIC_OVAL_SEL,
     false, true},
    {"SquareTrillion", "(B*2/3)*B*G*.013", IDC_SQUARE_TRILLION, IDC_PIC_SQUARE, IDC_PIC_SQUARE_SEL,
     false, false},
    {"Rectangle", "(B-(F/3))*F*G*.013", IDC_RECTANGLE, IDC_PIC_RECTANGLE, IDC_PIC_RECTANGLE_SEL,
     false, true},
    {"MarquiseBrilliant", "(B-(F/3))*F*G*.0079", IDC_MARQUISE_BRILLIANT, IDC_PIC_MARQUISE,
     IDC_PIC_MARQUISE_SEL, false, true},
    {"PearBrilliant", "B*F*G*.0062", IDC_PEAR_BRILLIANT, IDC_PIC_PEAR, IDC_PIC_PEAR_SEL, false,
     true},
    {"TriangleTrillion", "B*F*G*.0057", IDC_TRIANGLE_TRILLION, IDC_PIC_TRIANGLE,
     IDC_PIC_TRIANGLE_SEL, false, true},
    {"HeartBrilliant", "B*F*G*.0060", IDC_HEART_BRILLIANT, IDC_PIC_HEART, IDC_PIC_HEART_SEL, false,
     true},
};

// Every text key and digit key with what it appends to the formula.
inline const std::pair<int, const char*> kKeyTexts[] = {
    {106, "sin("},    {107, "arcsin("}, {108, "sinh("},   {109, "arsinh("}, {110, "cos("},
    {111, "arccos("}, {112, "cosh("},   {113, "arcosh("}, {114, "tan("},    {115, "arctan("},
    {116, "tanh("},   {117, "artanh("}, {118, "exp("},    {119, "ln("},     {120, "int("},
    {121, "abs("},    {122, "10^"},     {123, "log("},    {124, "rad("},    {125, "deg("},
    {126, "^2"},      {127, "sqr("},    {130, "x"},       {131, "("},       {132, ")"},
    {133, "/"},       {134, "*"},       {136, "B"},       {137, "F"},       {138, "-"},
    {142, "+"},       {147, "."},       {148, "^"},       {500, "0"},       {501, "1"},
    {502, "2"},       {503, "3"},       {504, "4"},       {505, "5"},       {506, "6"},
    {507, "7"},       {508, "8"},       {509, "9"},
};
