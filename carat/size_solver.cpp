#include "size_solver.h"

#include <cmath>
#include <vector>

#include "decimal_text.h"

StoneSize SizeAt(const Shape& shape, double dScale, double dDepthPct, double dRatio) {
    StoneSize size;
    size.dLength = shape.bWidthShown ? dScale * dRatio : dScale;
    size.dWidth = shape.bWidthShown ? dScale : 0.0;
    size.dDepth = dScale * dDepthPct / 100;
    return size;
}

bool SolveSize(CCaratEstimator& estimator, const Shape& shape, double dWeight, double dDepthPct,
               double dRatio, const StoneOptions& stone, StoneSize& size) {
    const double dCarat = dWeight / stone.pUnit->dPerCarat;
    double dLow = 0.0;
    double dHigh = 1.0;
    double dAt = 0.0;
    const auto weightAt = [&](double dScale) {
        StoneWeight weight;
        std::string strError;
        const bool bWeighed = WeighStone(estimator, shape, SizeAt(shape, dScale, dDepthPct, dRatio),
                                         stone, weight, strError);
        dAt = weight.dCarat;
        return bWeighed;
    };
    // The weight grows with the scale: double until it is reached, then halve the bracket.
    for (;;) {
        if (!weightAt(dHigh) || !std::isfinite(dHigh)) return false;
        if (dAt >= dCarat) break;
        dLow = dHigh;
        dHigh *= 2;
    }
    double dHighWeight = dAt;
    double dLowWeight = 0.0;
    for (double dMid = dLow + (dHigh - dLow) / 2; dMid > dLow && dMid < dHigh;
         dMid = dLow + (dHigh - dLow) / 2) {
        if (!weightAt(dMid)) return false;
        (dAt < dCarat ? dLow : dHigh) = dMid;
        (dAt < dCarat ? dLowWeight : dHighWeight) = dAt;
    }
    const bool bHigh = dHighWeight - dCarat <= dCarat - dLowWeight;
    size = SizeAt(shape, bHigh ? dHigh : dLow, dDepthPct, dRatio);
    return true;
}

std::string SizeText(const Shape& shape, const StoneSize& size, int nDecimals) {
    const double adValue[3] = {size.dLength, size.dWidth, size.dDepth};
    const std::vector<std::string> fields = ShapeFields(shape);
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const double dValue = adValue[(i + 1 == fields.size()) ? 2 : i];
        text += (i > 0 ? " " : "") + fields[i] + ' ' + FormatFixed(dValue, nDecimals);
    }
    return text;
}
