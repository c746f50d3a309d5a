#include "carat_estimator.h"

#include "answer_text.h"
#include "decimal_text.h"

CCaratEstimator::CCaratEstimator() {
    for (std::size_t i = 0; i < kShapeCount; ++i)
        m_astrFormula[i] = kShapes[i].pszFormula;
}

bool CCaratEstimator::Estimate(const Shape& shape, const StoneSize& size, double& dCarat) {
    const std::size_t nShape = static_cast<std::size_t>(&shape - kShapes);
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

bool CCaratEstimator::EstimateCorrected(const Shape& shape, const StoneSize& size,
                                        const StoneCorrections& corrections, double& dCarat) {
    if (!Estimate(shape, size, dCarat)) return false;
    dCarat = CorrectedCarat(dCarat, corrections, GirdleDiameter(shape, size));
    return true;
}

double GirdleDiameter(const Shape& shape, const StoneSize& size) {
    return shape.bWidthShown ? (size.dLength + size.dWidth) / 2 : size.dLength;
}

bool ReadStoneSize(const Shape& shape, const std::vector<std::string>& numbers, StoneSize& size,
                   std::string& strError) {
    const std::vector<std::string> fields = ShapeFields(shape);
    if (numbers.size() != fields.size()) {
        std::string names;
        for (const std::string& field : fields)
            names += (names.empty() ? "" : " ") + field;
        strError = std::string(shape.pszCaption) + " takes " + names + " (" +
                   std::to_string(fields.size()) + " numbers), not " +
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
    return true;
}

std::string WeightsText(double dCarat, const StoneCorrections& corrections) {
    const double dValue = dCarat * corrections.pUnit->dPerCarat;
    std::string text = FormatFixed(dValue);
    if (!corrections.bTolerance) return text;
    return text + ' ' + FormatFixed(dValue * (1 - corrections.dTolerancePct / 100)) + ' ' +
           FormatFixed(dValue * (1 + corrections.dTolerancePct / 100));
}
