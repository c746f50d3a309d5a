// The window's carat estimate for many stones: one engine parser per shape, fed the letters
// B F G for each stone, then the stone's corrections. It reads no input and prints nothing.
#pragma once

#include <cstdint>
#include <string>

#include "formula_parser.h"
#include "shape_catalogue.h"
#include "stone_corrections.h"

// A stone's measures in millimetres as the window's fields hold them; width 0 when it has none.
struct CStoneSize {
    double dLength = 0.0;  // or diameter
    double dWidth = 0.0;
    double dDepth = 0.0;
};

class CCaratEstimator {
public:
    CCaratEstimator();

    // Evaluates the shape's formula as the window does; false when the engine reported an
    // error, whose answer text ErrorText() then holds.
    bool Estimate(const CShape& shape, const CStoneSize& size, double& dCarat);

    // Estimate with the corrections applied, in carats.
    bool EstimateCorrected(const CShape& shape, const CStoneSize& size,
                           const CStoneCorrections& corrections, double& dCarat);

    const std::string& ErrorText() const { return m_strAnswer; }

private:
    CFormulaParser m_aParser[kShapeCount];
    std::string m_astrFormula[kShapeCount];
    std::string m_strError;
    std::string m_strAnswer;
};

// The diameter a girdle's size band is read at: the diameter, or the mean of length and width.
double GirdleDiameter(const CShape& shape, const CStoneSize& size);
