// One stone's weight as the window computes it: the shape's formula through the engine with the
// letters B F G, then the stone's corrections. It reads no input and prints nothing.
#pragma once

#include <string>
#include <vector>

#include "formula_parser.h"
#include "shape_catalogue.h"
#include "stone_corrections.h"
#include "weight_model.h"

// Weights have the window's six decimals unless told.
constexpr int kDefaultDecimals = 6;
// 17 decimals are the most that tell apart two weights of 0.1 ct or more (17 significant digits
// tell any two doubles apart); more would print only the binary fraction's expansion.
constexpr int kMostDecimals = 17;

// A stone's measures in millimetres as the window's fields hold them; width 0 when it has none.
struct StoneSize {
    double dLength = 0.0;  // or diameter
    double dWidth = 0.0;
    double dDepth = 0.0;
};

class CCaratEstimator {
public:
    CCaratEstimator();

    // Evaluates the shape's formula as the window does; false when the engine reported an
    // error, whose answer text ErrorText() then holds.
    bool Estimate(const Shape& shape, const StoneSize& size, double& dCarat);

    const std::string& ErrorText() const { return m_strAnswer; }

private:
    // One parser per shape, so an engine that keeps the formula it read last keeps it here.
    CFormulaParser m_aParser[kShapeCount];
    std::string m_astrFormula[kShapeCount];
    FormulaResult m_result;
    std::string m_strAnswer;
};

// The diameter a girdle's size band is read at: the diameter, or the mean of length and width.
double GirdleDiameter(const Shape& shape, const StoneSize& size);

// Why the shape's formula cannot take these measures ("the depth -3 mm is not above 0", a width
// above the length where the length is the longer measure), or "" when it can.
std::string CheckStoneSize(const Shape& shape, const StoneSize& size);

// Why dCarat is no weight (not finite, or not above 0), or "" when it is one.
std::string CheckWeight(double dCarat);

// One stone's weight with its options: corrected, in carats, the model that gave it and, where
// weighed stones measure that model, the range 90 % of real stones with these measures weigh in.
struct StoneWeight {
    double dCarat = 0.0;
    EWeightModel eModel = EWeightModel::kWindow;
    bool bRange = false;
    double dCaratLow = 0.0;
    double dCaratHigh = 0.0;
    bool bAnswerText = false;  // the reason is the engine's answer text, as the window shows it
};

// CheckStoneSize, the options' model (the window's formula through the engine, or the measured
// model or field rule), the corrections and CheckWeight in one: false with the reason in strError.
bool WeighStone(CCaratEstimator& estimator, const Shape& shape, const StoneSize& size,
                const StoneOptions& stone, StoneWeight& weight, std::string& strError);

// The numbers as typed for the shape's fields (ShapeFields) into its size; a round stone also
// takes its minimum and maximum diameter, as graders measure it, and weighs at their mean. False
// with the reason in strError ("DEPTH: '3mm' is not a decimal number ...") when a number is
// missing, extra or no number.
bool ReadStoneSize(const Shape& shape, const std::vector<std::string>& numbers, StoneSize& size,
                   std::string& strError);

// The weight in the options' unit with nDecimals, then as the options ask: with a tolerance the
// weight less and plus it, with an interval the range ("- -" without one), under the measured
// model the model's name; separated by blanks: "0.487500 0.463125 0.511875".
std::string WeightsText(const StoneWeight& weight, const StoneOptions& stone,
                        int nDecimals = kDefaultDecimals);
