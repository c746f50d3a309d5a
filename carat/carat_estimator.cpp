#include "carat_estimator.h"

#include <cmath>
#include <limits>

#include "answer_text.h"
#include "decimal_text.h"

CCaratEstimator::CCaratEstimator() {
    for (std::size_t i = 0; i < kShapeCount; ++i)
        m_astrFormula[i] = kShapes[i].pszFormula;
}

bool CCaratEstimator::Estimate(const Shape& shape, const StoneSize& size, double& dCarat) {
    const std::size_t nShape = static_cast<std::size_t>(&shape - kShapes);
    if (nShape >= kShapeCount) {  // a shape of a field rule alone has no formula to evaluate
        m_strAnswer = std::string(shape.pszCaption) + " has no formula of the window's";
        return false;
    }
    CFormulaParser& parser = m_aParser[nShape];
    parser.SetFunctConst(formula::SlotOfLetter(kLengthLetter), size.dLength);
    parser.SetFunctConst(formula::SlotOfLetter(kWidthLetter), size.dWidth);
    parser.SetFunctConst(formula::SlotOfLetter(kDepthLetter), size.dDepth);
    m_result.nPosition = 0;
    m_result.dValue =
        parser.Calculation(m_astrFormula[nShape], 0.0, m_result.nPosition, m_result.strError);
    dCarat = m_result.dValue;
    if (m_result.nPosition == 0 && m_result.strError.empty()) return true;
    m_strAnswer = AnswerText(m_result);
    return false;
}

double GirdleDiameter(const Shape& shape, const StoneSize& size) {
    return shape.bWidthShown ? (size.dLength + size.dWidth) / 2 : size.dLength;
}

namespace {

std::string Millimetres(double dValue) {
    return FormatGeneral(dValue, 15) + " mm";
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The fields of a round stone measured by its smallest and largest diameter.
const std::vector<std::string> kRoundGraded = {"MIN DIAMETER", "MAX DIAMETER", "DEPTH"};

// "LENGTH WIDTH DEPTH (3 numbers)".
std::string FieldsText(const std::vector<std::string>& fields) {
    std::string text;
    for (const std::string& field : fields)
        text += (text.empty() ? "" : " ") + field;
    return text + " (" + std::to_string(fields.size()) + " numbers)";
}

}  // namespace

std::string CheckStoneSize(const Shape& shape, const StoneSize& size) {
    const char* const apszName[3] = {shape.bDiameter ? "diameter" : "length", "width", "depth"};
    const double adValue[3] = {size.dLength, size.dWidth, size.dDepth};
    for (int i = 0; i < 3; ++i) {
        if (i == 1 && !shape.bWidthShown) continue;
        if (!std::isfinite(adValue[i])) return std::string("the ") + apszName[i] + " is no number";
        if (!(adValue[i] > 0))
            return std::string("the ") + apszName[i] + " " + Millimetres(adValue[i]) +
                   " is not above 0";
    }
    if (shape.bLengthLonger && size.dWidth > size.dLength)
        return "the width " + Millimetres(size.dWidth) + " is above the length " +
               Millimetres(size.dLength) + ", and the length of a " + shape.pszCaption +
               " is its longer measure";
    return "";
}

std::string CheckWeight(double dCarat) {
    if (!std::isfinite(dCarat)) return "these measures give no finite weight (are they in mm?)";
    if (!(dCarat > 0)) return "these measures give no weight above 0 (are they in mm?)";
    return "";
}

namespace {

// The measured model or field rule for the stone; bAnswered false where the shape has neither.
WeightEstimate MeasuredEstimate(const Shape& shape, const StoneSize& size,
                                const StoneOptions& stone) {
    StoneMeasures measures;
    measures.dLength = size.dLength;
    measures.dWidth = shape.bWidthShown ? size.dWidth : 0.0;
    measures.dDepth = size.dDepth;
    measures.bTable = stone.bTable && shape.bDiameter;
    measures.dTablePct = stone.dTablePct;
    return EstimateMeasured(shape.pszCaption, measures);
}

}  // namespace

bool WeighStone(CCaratEstimator& estimator, const Shape& shape, const StoneSize& size,
                const StoneOptions& stone, StoneWeight& weight, std::string& strError) {
    // Most stones pass at a glance; only the others are worth the words of a reason.
    const bool bMeasures = size.dLength > 0 && size.dDepth > 0 && size.dLength < kInfinity &&
                           size.dDepth < kInfinity &&
                           (!shape.bWidthShown || (size.dWidth > 0 && size.dWidth < kInfinity)) &&
                           !(shape.bLengthLonger && size.dWidth > size.dLength);
    if (!bMeasures && !(strError = CheckStoneSize(shape, size)).empty()) return false;
    WeightEstimate estimate;
    if (stone.bMeasured) estimate = MeasuredEstimate(shape, size, stone);
    if (estimate.pszError != nullptr) {
        strError = estimate.pszError;
        return false;
    }
    if (!estimate.bAnswered) {
        const std::size_t nShapeIndex = static_cast<std::size_t>(&shape - kShapes);
        double dCarat = 0.0;
        if (!estimator.Estimate(shape, size, dCarat)) {
            strError = estimator.ErrorText();
            weight.bAnswerText = nShapeIndex < kShapeCount;
            return false;
        }
        // Only a range asked for is looked up: most rows want the weight alone.
        estimate.dCarat = dCarat;
        estimate.eModel = EWeightModel::kWindow;
        if (stone.bInterval) estimate = WindowEstimate(shape.pszCaption, dCarat);
    }
    const double dGirdleDiameter = GirdleDiameter(shape, size);
    weight.dCarat = CorrectedCarat(estimate.dCarat, stone, dGirdleDiameter);
    weight.eModel = estimate.eModel;
    weight.bRange = estimate.bRange;
    weight.dCaratLow = CorrectedCarat(estimate.dCaratLow, stone, dGirdleDiameter);
    weight.dCaratHigh = CorrectedCarat(estimate.dCaratHigh, stone, dGirdleDiameter);
    if (weight.dCarat > 0 && weight.dCarat < kInfinity) return true;
    strError = CheckWeight(weight.dCarat);
    return false;
}

bool ReadStoneSize(const Shape& shape, const std::vector<std::string>& numbers, StoneSize& size,
                   std::string& strError) {
    const bool bGraded = shape.bDiameter && numbers.size() == kRoundGraded.size();
    const std::vector<std::string> fields = bGraded ? kRoundGraded : ShapeFields(shape);
    if (numbers.size() != fields.size()) {
        strError = std::string(shape.pszCaption) + " takes " + FieldsText(fields) +
                   (shape.bDiameter ? " or " + FieldsText(kRoundGraded) : "") + ", not " +
                   std::to_string(numbers.size());
        return false;
    }
    double* const apdValue[3] = {&size.dLength, &size.dWidth, &size.dDepth};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const DecimalParse number = ParseDecimal(numbers[i]);
        if (!number.bOk) {
            strError = fields[i] + ": " + number.strError;
            return false;
        }
        // Without a width the numbers are the length and the depth.
        *apdValue[i + 1 == numbers.size() ? 2 : i] = number.dValue;
    }
    if (bGraded) {
        size.dLength = (size.dLength + size.dWidth) / 2;
        size.dWidth = 0.0;
    }
    return true;
}

std::string WeightsText(const StoneWeight& weight, const StoneOptions& stone, int nDecimals) {
    const double dPerCarat = stone.pUnit->dPerCarat;
    const double dValue = weight.dCarat * dPerCarat;
    std::string text = FormatFixed(dValue, nDecimals);
    if (stone.bTolerance)
        text += ' ' + FormatFixed(dValue * (1 - stone.dTolerancePct / 100), nDecimals) + ' ' +
                FormatFixed(dValue * (1 + stone.dTolerancePct / 100), nDecimals);
    if (stone.bInterval)
        text += weight.bRange ? ' ' + FormatFixed(weight.dCaratLow * dPerCarat, nDecimals) + ' ' +
                                    FormatFixed(weight.dCaratHigh * dPerCarat, nDecimals)
                              : std::string(" - -");
    if (stone.bMeasured) text += std::string(" ") + WeightModelName(weight.eModel);
    return text;
}
