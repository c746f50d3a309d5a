// The eight cut shapes from the top of the window down: button, pictures, fields and formula.
// Data and look-ups only; choosing a shape in the window is CGemDlg::SelectShape.
#pragma once

#include <cstddef>
#include <string_view>

struct CShape {
    int nButtonID;
    const char* pszCaption;
    int nNormalPictureID;
    int nNormalBitmapID;
    int nSelectedPictureID;
    int nSelectedBitmapID;
    int nArrowID;
    bool bDiameter;    // the first field is named DIAMETER, else LENGTH
    bool bWidthShown;  // the formula reads F, so the WIDTH field is shown
    const char* pszFormula;
};

// The letters every shape's formula reads its measures from.
constexpr char kLengthLetter = 'B';  // length, or diameter
constexpr char kWidthLetter = 'F';
constexpr char kDepthLetter = 'G';

constexpr std::size_t kShapeCount = 8;
extern const CShape kShapes[kShapeCount];

// The row of the shape button nButtonID, or nullptr.
const CShape* FindShapeByButton(int nButtonID);

// The shape named by its caption or the caption's first word, in any letter case, or nullptr.
const CShape* FindShapeByName(std::string_view strName);
