#include "option_texts.h"

#include <cmath>

#include "decimal_text.h"

namespace {

bool Refuse(std::string& strError, std::string strReason) {
    strError = std::move(strReason);
    return false;
}

// The number of a text the user gave, or why it is none: "--sg: '4,0' is not a decimal ...".
bool ReadNumber(const char* pszName, const std::string& text, double& dValue,
                std::string& strError) {
    const DecimalParse number = ParseDecimal(text);
    if (!number.bOk) return Refuse(strError, std::string(pszName) + ": " + number.strError);
    dValue = number.dValue;
    return true;
}

bool ReadMaterial(const StoneOptionTexts& texts, StoneOptions& stone, std::string& strError) {
    if (texts.girdle && !FindGirdleRange(*texts.girdle, stone.girdle))
        return Refuse(strError, "--girdle: " + UnknownGirdleText(*texts.girdle));
    if (texts.gem) {
        const Gem* pGem = FindGem(*texts.gem);
        if (pGem == nullptr) return Refuse(strError, "--gem: " + UnknownGemText(*texts.gem));
        stone.dRelativeDensity = pGem->dRelativeDensity;
    }
    if (!texts.sg) return true;
    if (!ReadNumber("--sg", *texts.sg, stone.dRelativeDensity, strError)) return false;
    if (stone.dRelativeDensity > 0) return true;
    return Refuse(strError, "--sg: '" + *texts.sg + "' is not above 0");
}

}  // namespace

bool ReadStoneOptions(const StoneOptionTexts& texts, StoneOptions& stone, std::string& strError) {
    if (texts.unit && (stone.pUnit = FindWeightUnit(*texts.unit)) == nullptr)
        return Refuse(strError, "--unit: '" + *texts.unit + "' is not ct, g or pt");
    if (!ReadMaterial(texts, stone, strError)) return false;
    stone.bMeasured = texts.model && *texts.model == "measured";
    stone.bInterval = texts.bInterval;
    if (texts.table) {
        if (!ReadNumber("--table", *texts.table, stone.dTablePct, strError)) return false;
        if (!stone.bMeasured)
            return Refuse(strError, "--table is read by the measured model: add --model measured");
        stone.bTable = true;
    }
    if (!texts.tolerance) return true;
    if (!ReadNumber("--tolerance", *texts.tolerance, stone.dTolerancePct, strError)) return false;
    if (!(stone.dTolerancePct >= 0 && stone.dTolerancePct < 100))
        return Refuse(strError,
                      "--tolerance: '" + *texts.tolerance + "' is not from 0 to below 100");
    stone.bTolerance = true;
    return true;
}

bool ReadSizeTexts(const Shape& shape, const SizeTexts& texts, double& dWeight, double& dDepthPct,
                   double& dRatio, std::string& strError) {
    dDepthPct = shape.dDepthPct;
    dRatio = shape.dRatio;
    if ((texts.depthPct && !ReadNumber("--depth-pct", *texts.depthPct, dDepthPct, strError)) ||
        (texts.ratio && !ReadNumber("--ratio", *texts.ratio, dRatio, strError)))
        return false;
    if (shape.bLengthLonger && dRatio < 1)
        return Refuse(strError, std::string("--ratio: the length of a ") + shape.pszCaption +
                                    " is its longer measure, so the ratio is 1 or more");
    if (texts.ratio && !shape.bWidthShown)
        return Refuse(strError, std::string(shape.pszCaption) + " has no width, so no --ratio");
    if (!(dDepthPct > 0) || !(dRatio > 0))
        return Refuse(strError, "--depth-pct and --ratio must be above 0");
    if (!ReadNumber("WEIGHT", texts.weight, dWeight, strError)) return false;
    if (dWeight > 0 && std::isfinite(dWeight)) return true;
    return Refuse(strError, "WEIGHT: '" + texts.weight + "' is not above 0");
}

std::string NoSizeText(const Shape& shape, const std::string& weight, const StoneOptions& stone) {
    return "no " + std::string(shape.pszCaption) + " of these proportions weighs " + weight + ' ' +
           stone.pUnit->pszName;
}
