// Size from weight: the measures at which a shape's own formula, evaluated through the engine,
// gives a weight. It follows any change of a formula; it reads and prints nothing.
#pragma once

#include <string>

#include "carat_estimator.h"

// The stone of the shape whose width (or diameter) is dScale, with its depth dDepthPct % of that
// and, for the shapes with a width, its length dRatio times it.
StoneSize SizeAt(const Shape& shape, double dScale, double dDepthPct, double dRatio);

// The size with those proportions whose corrected weight, in the options' unit, is dWeight,
// to a double's precision; false when the engine fails or no size reaches the weight.
bool SolveSize(CCaratEstimator& estimator, const Shape& shape, double dWeight, double dDepthPct,
               double dRatio, const StoneOptions& stone, StoneSize& size);

// "LENGTH l WIDTH w DEPTH d", the shape's fields each with its millimetres to nDecimals.
std::string SizeText(const Shape& shape, const StoneSize& size, int nDecimals);
