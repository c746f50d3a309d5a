#include "weight_model.h"

#include <cmath>
#include <limits>

#include "ascii_case.h"

namespace {

// carat = volume x d^2 x h x exp(per depth point + per table point + per mm), d and h in mm.
// Fitted by bench/fit_weight_model.R on the training half; bench/accuracy.sh checks them.
constexpr double kRefDepthPct = 61.5;
constexpr double kRefTablePct = 57.0;
constexpr double kRefDiameter = 6.5;
constexpr double kTableVolume = 0.0061108;
constexpr double kTablePerDepthPoint = 0.00803;
constexpr double kTablePerTablePoint = 0.00430;
constexpr double kTablePerMillimetre = 0.00270;
constexpr double kPlainVolume = 0.0061272;
constexpr double kPlainPerDepthPoint = 0.00616;
constexpr double kPlainPerMillimetre = 0.00430;

// Table % beyond these is taken for a slip of the decimal point; the training half holds 44-79 %.
constexpr double kMinTablePct = 40.0;
constexpr double kMaxTablePct = 90.0;

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// 90 % of stones with an estimate below dBelowCarat weigh between dLow and dHigh times it.
// Fitted by bench/fit_weight_model.R on the training half; bench/accuracy.sh checks them.
struct RangeBand {
    double dBelowCarat;
    double dLow;
    double dHigh;
};
// clang-format off
constexpr RangeBand kWindowRanges[] = {
    {0.5, 0.921, 0.970},
    {1.0, 0.927, 0.990},
    {kNoLimit, 0.931, 0.990},
};
constexpr RangeBand kTableRanges[] = {
    {0.5, 0.979, 1.020},
    {1.0, 0.981, 1.028},
    {kNoLimit, 0.980, 1.021},
};
constexpr RangeBand kPlainRanges[] = {
    {0.5, 0.976, 1.027},
    {1.0, 0.980, 1.038},
    {kNoLimit, 0.978, 1.026},
};
// clang-format on

// Published factors by length-to-width ratio; kFieldRules names each one's source.
constexpr FactorPoint kRoundPoints[] = {{1.0, 0.0061}};
constexpr FactorPoint kOvalPoints[] = {{1.0, 0.0062}};
constexpr FactorPoint kMarquisePoints[] = {{1.50, 0.00565}, {1.75, 0.00570}, {2.00, 0.00580},
                                           {2.25, 0.00583}, {2.50, 0.00585}, {2.75, 0.00590},
                                           {3.00, 0.00595}};
constexpr FactorPoint kPearPoints[] = {{1.25, 0.00615}, {1.50, 0.00600}, {2.00, 0.00575}};
constexpr FactorPoint kHeartPoints[] = {{1.0, 0.0059}};
constexpr FactorPoint kTrianglePoints[] = {{1.0, 0.0057}};
constexpr FactorPoint kEmeraldPoints[] = {
    {1.0, 0.0080}, {1.5, 0.0092}, {2.0, 0.0100}, {2.5, 0.0106}};
constexpr FactorPoint kPrincessPoints[] = {{1.0, 0.0082}};
constexpr FactorPoint kCushionPoints[] = {{1.0, 0.00815}};
constexpr FactorPoint kAsscherPoints[] = {{1.0, 0.0080}};
constexpr FactorPoint kRadiantPoints[] = {{1.0, 0.0081}, {1.5, 0.0084}};
constexpr FactorPoint kBaguettePoints[] = {{1.0, 0.00915}};

constexpr const char* kDiameterFields = "DIAMETER DEPTH";
constexpr const char* kLengthWidthFields = "LENGTH WIDTH DEPTH";

template <std::size_t N>
constexpr FieldRule Rule(const char* pszShape, const char* pszFields, EFieldForm eForm,
                         const FactorPoint (&points)[N], const char* pszSource) {
    return {pszShape, pszFields, eForm, points, N, pszSource};
}

constexpr const char* kGemGate = "GemGate, Estimating Mounted Diamond Weight (gemgate.com)";
constexpr const char* kGcal =
    "GCAL, Instructional Diamond Grading: weight estimation formulas (gcalusa.com)";
constexpr const char* kA1Diamond =
    "A1 Diamond, Formula for Calculating the Weight (a1-diamond.com)";
constexpr const char* kOctonus =
    "OctoNus 3D book, Mounting diamonds weight determination (3dbook.octonus.com)";

}  // namespace

// Field rules for stones of a thin to medium girdle, as published; no data here confirms them.
// Round Brilliant comes first: the measured model answers for it under EstimateMeasured.
const FieldRule kFieldRules[] = {
    Rule("Round Brilliant", kDiameterFields, EFieldForm::kMeanDiameter, kRoundPoints, kGemGate),
    Rule("Oval Brilliant", kLengthWidthFields, EFieldForm::kMeanDiameter, kOvalPoints, kGemGate),
    Rule("Marquise Brilliant", kLengthWidthFields, EFieldForm::kLengthWidth, kMarquisePoints,
         kGemGate),
    Rule("Pear Brilliant", kLengthWidthFields, EFieldForm::kLengthWidth, kPearPoints, kGcal),
    Rule("Heart Brilliant", kLengthWidthFields, EFieldForm::kLengthWidth, kHeartPoints, kGcal),
    Rule("Triangle Trillion", kLengthWidthFields, EFieldForm::kLengthWidth, kTrianglePoints,
         kGemGate),
    Rule("Emerald Cut", kLengthWidthFields, EFieldForm::kLengthWidth, kEmeraldPoints, kA1Diamond),
    Rule("Princess Cut", kLengthWidthFields, EFieldForm::kLengthWidth, kPrincessPoints, kGcal),
    Rule("Cushion Brilliant", kLengthWidthFields, EFieldForm::kLengthWidth, kCushionPoints, kGcal),
    Rule("Asscher Cut", kLengthWidthFields, EFieldForm::kLengthWidth, kAsscherPoints, kGcal),
    Rule("Radiant Cut", kLengthWidthFields, EFieldForm::kLengthWidth, kRadiantPoints, kGcal),
    Rule("Baguette", kLengthWidthFields, EFieldForm::kLengthWidth, kBaguettePoints, kOctonus),
};
const std::size_t kFieldRuleCount = sizeof(kFieldRules) / sizeof(kFieldRules[0]);

namespace {

const FieldRule& RoundRule() {
    return kFieldRules[0];
}

bool NamesShape(std::string_view strName, std::string_view strCaption) {
    return EqualIgnoringAsciiCase(strName, strCaption) ||
           EqualIgnoringAsciiCase(strName, strCaption.substr(0, strCaption.find(' ')));
}

template <std::size_t N>
void ApplyRange(const RangeBand (&bands)[N], WeightEstimate& estimate) {
    for (const RangeBand& band : bands) {
        if (estimate.dCarat >= band.dBelowCarat) continue;
        estimate.bRange = true;
        estimate.dCaratLow = estimate.dCarat * band.dLow;
        estimate.dCaratHigh = estimate.dCarat * band.dHigh;
        return;
    }
}

// The measures a model cannot take, or nullptr: every measure given must be positive.
const char* MeasuresError(const StoneMeasures& stone, bool bWidthNeeded) {
    if (!(stone.dLength > 0.0) || !(stone.dDepth > 0.0) || stone.dWidth < 0.0 ||
        !std::isfinite(stone.dLength + stone.dWidth + stone.dDepth))
        return "the measures must be positive numbers";
    if (bWidthNeeded && !(stone.dWidth > 0.0)) return "this shape's rule needs the width";
    return nullptr;
}

// A round's mean diameter: of its two diameters, or the one given.
double MeanDiameter(const StoneMeasures& stone) {
    return stone.dWidth > 0.0 ? (stone.dLength + stone.dWidth) / 2.0 : stone.dLength;
}

WeightEstimate MeasuredRound(const StoneMeasures& stone) {
    WeightEstimate estimate;
    estimate.pszShape = RoundRule().pszShape;
    estimate.pszError = MeasuresError(stone, false);
    if (estimate.pszError == nullptr && stone.bTable &&
        !(stone.dTablePct >= kMinTablePct && stone.dTablePct <= kMaxTablePct))
        estimate.pszError = "the table % must be between 40 and 90";
    if (estimate.pszError != nullptr) return estimate;
    const double dDiameter = MeanDiameter(stone);
    const double dDepthTerm = stone.dDepth / dDiameter * 100.0 - kRefDepthPct;
    const double dVolume = dDiameter * dDiameter * stone.dDepth;
    estimate.bAnswered = true;
    if (stone.bTable) {
        estimate.eModel = EWeightModel::kMeasuredWithTable;
        estimate.dCarat = kTableVolume * dVolume *
                          std::exp(kTablePerDepthPoint * dDepthTerm +
                                   kTablePerTablePoint * (stone.dTablePct - kRefTablePct) +
                                   kTablePerMillimetre * (dDiameter - kRefDiameter));
        ApplyRange(kTableRanges, estimate);
    } else {
        estimate.eModel = EWeightModel::kMeasuredWithoutTable;
        estimate.dCarat = kPlainVolume * dVolume *
                          std::exp(kPlainPerDepthPoint * dDepthTerm +
                                   kPlainPerMillimetre * (dDiameter - kRefDiameter));
        ApplyRange(kPlainRanges, estimate);
    }
    return estimate;
}

double RuleCarat(const FieldRule& rule, const StoneMeasures& stone) {
    if (rule.eForm == EFieldForm::kMeanDiameter) {
        const double dDiameter = MeanDiameter(stone);
        return dDiameter * dDiameter * stone.dDepth * FieldRuleFactor(rule, 1.0);
    }
    const double dRatio =
        stone.dLength >= stone.dWidth ? stone.dLength / stone.dWidth : stone.dWidth / stone.dLength;
    return stone.dLength * stone.dWidth * stone.dDepth * FieldRuleFactor(rule, dRatio);
}

}  // namespace

const char* WeightModelName(EWeightModel eModel) {
    switch (eModel) {
        case EWeightModel::kWindow:
            return "window";
        case EWeightModel::kMeasuredWithTable:
            return "measured+table";
        case EWeightModel::kMeasuredWithoutTable:
            return "measured";
        case EWeightModel::kFieldRule:
            return "field-rule";
    }
    return "window";
}

const FieldRule* FindFieldRule(std::string_view strShape) {
    for (std::size_t i = 0; i < kFieldRuleCount; ++i)
        if (NamesShape(strShape, kFieldRules[i].pszShape)) return &kFieldRules[i];
    return nullptr;
}

double FieldRuleFactor(const FieldRule& rule, double dRatio) {
    const FactorPoint* pFirst = rule.pPoints;
    const FactorPoint* pLast = rule.pPoints + rule.nPoints - 1;
    if (!(dRatio > pFirst->dRatio)) return pFirst->dFactor;
    if (dRatio >= pLast->dRatio) return pLast->dFactor;
    const FactorPoint* pUpper = pFirst + 1;
    while (pUpper->dRatio < dRatio)
        ++pUpper;
    const FactorPoint& lower = pUpper[-1];
    const double dShare = (dRatio - lower.dRatio) / (pUpper->dRatio - lower.dRatio);
    return lower.dFactor + dShare * (pUpper->dFactor - lower.dFactor);
}

WeightEstimate EstimateByFieldRule(std::string_view strShape, const StoneMeasures& stone) {
    WeightEstimate estimate;
    const FieldRule* pRule = FindFieldRule(strShape);
    if (pRule == nullptr) return estimate;
    estimate.pszShape = pRule->pszShape;
    estimate.eModel = EWeightModel::kFieldRule;
    const bool bRound = pRule == &RoundRule();
    estimate.pszError = MeasuresError(stone, !bRound);
    if (estimate.pszError != nullptr) return estimate;
    estimate.bAnswered = true;
    estimate.dCarat = RuleCarat(*pRule, stone);
    return estimate;
}

WeightEstimate EstimateMeasured(std::string_view strShape, const StoneMeasures& stone) {
    if (NamesShape(strShape, RoundRule().pszShape)) return MeasuredRound(stone);
    return EstimateByFieldRule(strShape, stone);
}

WeightEstimate WindowEstimate(std::string_view strShape, double dCarat) {
    WeightEstimate estimate;
    estimate.bAnswered = true;
    estimate.eModel = EWeightModel::kWindow;
    estimate.dCarat = dCarat;
    if (NamesShape(strShape, RoundRule().pszShape)) ApplyRange(kWindowRanges, estimate);
    return estimate;
}
