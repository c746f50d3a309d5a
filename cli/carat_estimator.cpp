#include "carat_estimator.h"

#include "answer_text.h"

CCaratEstimator::CCaratEstimator() {
    for (std::size_t i = 0; i < kShapeCount; ++i)
        m_astrFormula[i] = kShapes[i].pszFormula;
}

bool CCaratEstimator::Estimate(const CShape& shape, const CStoneSize& size, double& dCarat) {
    // One parser per shape, so an engine that keeps the formula it read last keeps it here.
    const std::size_t nShape = static_cast<std::size_t>(&shape - kShapes);
    CFormulaParser& parser = m_aParser[nShape];
    parser.SetFunctConst(formula::SlotOfLetter(kLengthLetter), size.dLength);
    parser.SetFunctConst(formula::SlotOfLetter(kWidthLetter), size.dWidth);
    parser.SetFunctConst(formula::SlotOfLetter(kDepthLetter), size.dDepth);
    std::uint16_t nPosition = 0;
    dCarat = parser.Calculation(m_astrFormula[nShape], 0.0, nPosition, m_strError);
    if (nPosition == 0 && m_strError.empty()) return true;
    m_strAnswer = AnswerText(dCarat, nPosition, m_strError);
    return false;
}

bool CCaratEstimator::EstimateCorrected(const CShape& shape, const CStoneSize& size,
                                        const CStoneCorrections& corrections, double& dCarat) {
    if (!Estimate(shape, size, dCarat)) return false;
    dCarat = CorrectedCarat(dCarat, corrections, GirdleDiameter(shape, size));
    return true;
}

double GirdleDiameter(const CShape& shape, const CStoneSize& size) {
    return shape.bWidthShown ? (size.dLength + size.dWidth) / 2 : size.dLength;
}
