// velastro-cli size: the measures a shape's own formula gives a weight for, found by evaluating
// that formula through the engine (so it follows any change of a formula). No CLI parsing.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "carat_estimator.h"

// The proportions size assumes unless told: depth in % of the width (or diameter), and the
// length-to-width ratio of the shapes that have a width.
struct CSizeDefaults {
    double dDepthPct;
    double dRatio;
};
extern const CSizeDefaults kSizeDefaults[kShapeCount];

struct SizeOptions {
    std::optional<double> depthPct;
    std::optional<double> ratio;
    CStoneCorrections corrections;  // girdle, gem, and the unit the weight is given in
    int decimals = 2;               // millimetres as gauges read them
};

// The size with those proportions whose corrected weight is dCarat, to a double's precision;
// false when the engine fails or no size reaches the weight.
bool SolveSize(CCaratEstimator& estimator, const CShape& shape, double dCarat, double dDepthPct,
               double dRatio, const CStoneCorrections& corrections, CStoneSize& size);

// One line per shape: its caption, default depth and ratio; for the help text.
std::string SizeDefaultsText();

// Prints "LENGTH l WIDTH w DEPTH d" (the shape's fields) in mm. Exit status: 0, 1 when no size
// reaches the weight, 2 for usage errors.
int RunSize(const std::string& shapeName, const std::string& weightText, const SizeOptions& options,
            std::ostream& out, std::ostream& err);
