// Weights beyond the window's formulas: a measured round model, field rules, 90 % ranges.
// Evaluates no formula text (the engine does) and applies no girdle, gem or unit correction.
#pragma once

#include <cstddef>
#include <string_view>

// The model that gave a weight.
enum class EWeightModel {
    kWindow,                // the window's formula of the shape, evaluated by the engine
    kMeasuredWithTable,     // round brilliants: diameter, depth and table %, fitted on real stones
    kMeasuredWithoutTable,  // round brilliants: diameter and depth, fitted on real stones
    kFieldRule,             // a published field rule that no data here confirms
};

// The word an output shows for a model: "window", "measured+table", "measured", "field-rule".
const char* WeightModelName(EWeightModel eModel);

// A stone's measures in millimetres and, when known, its table %.
struct StoneMeasures {
    double dLength = 0.0;    // length, or a round's diameter (one of its minimum and maximum)
    double dWidth = 0.0;     // width; for a round the other diameter, or 0 when only one is known
    double dDepth = 0.0;     // total depth, table to culet
    bool bTable = false;     // dTablePct is given
    double dTablePct = 0.0;  // table width in % of the mean diameter (round brilliants only)
};

// A weight in carats, the model that gave it and, where real stones measure the model, the range
// that 90 % of stones with such an estimate weigh within.
struct WeightEstimate {
    bool bAnswered = false;          // false: no measured model nor field rule knows the shape
    const char* pszError = nullptr;  // measures the model cannot take; nullptr when answered
    EWeightModel eModel = EWeightModel::kWindow;
    const char* pszShape = nullptr;  // the caption of the rule or model; nullptr for the window
    double dCarat = 0.0;
    bool bRange = false;  // false: no data measures this model for this shape
    double dCaratLow = 0.0;
    double dCaratHigh = 0.0;
};

// The measured model for a round brilliant (with the table % when given), a field rule for the
// other shapes that have one. bAnswered is false for a shape without either: the caller then
// evaluates the window's formula and asks WindowEstimate for its range. Shapes are matched by
// caption or first word in any letter case ("Emerald Cut", "emerald").
WeightEstimate EstimateMeasured(std::string_view strShape, const StoneMeasures& stone);

// The published field rule alone, Round Brilliant (mean diameter^2 x depth x 0.0061) included;
// never a range. For comparing the rules with the measured model.
WeightEstimate EstimateByFieldRule(std::string_view strShape, const StoneMeasures& stone);

// The window formula's answer dCarat for the shape with its 90 % range: only Round Brilliant has
// data; for the other shapes bRange is false, since no data here measures their formulas.
WeightEstimate WindowEstimate(std::string_view strShape, double dCarat);

// A published factor at one length-to-width ratio.
struct FactorPoint {
    double dRatio;  // length / width, the longer side over the shorter
    double dFactor;
};

enum class EFieldForm {
    kMeanDiameter,  // ((length + width) / 2)^2 x depth x factor; a round's width may be missing
    kLengthWidth,   // length x width x depth x factor
};

// A field rule: its formula, the measures it needs and its published factors. One point is a
// constant factor; between points the factor is interpolated by ratio, clamped at the ends.
struct FieldRule {
    const char* pszShape;   // caption; matched whole or by its first word, in any letter case
    const char* pszFields;  // the measures it reads, as velastro-cli shapes names them
    EFieldForm eForm;
    const FactorPoint* pPoints;
    std::size_t nPoints;
    const char* pszSource;  // the publication the factors come from
};

extern const FieldRule kFieldRules[];
extern const std::size_t kFieldRuleCount;

// The rule of the shape named by its caption or the caption's first word, or nullptr.
const FieldRule* FindFieldRule(std::string_view strShape);

// The rule's factor at the ratio: interpolated between its points, clamped at the ends.
double FieldRuleFactor(const FieldRule& rule, double dRatio);
