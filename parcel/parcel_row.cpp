// One row of a parcel into a stone and its weight: measures by whatever columns the table has,
// units and decimal marks as spreadsheets write them, corrections and count.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ascii_case.h"
#include "decimal_text.h"
#include "parcel_run.h"

namespace {

// Spellings of shape names remembered, so that most rows find theirs by a plain compare.
constexpr std::size_t kShapesSeen = 16;
// Counts beyond this are no longer whole numbers in a double.
constexpr double kMostStones = 1e15;

bool Fail(RowWeight& weight, std::string strError) {
    weight.strError = std::move(strError);
    return false;
}

}  // namespace

RowWeight CParcelRun::WeighRow(const Shape* pShape) {
    RowWeight weight;
    StoneSize size;
    StoneOptions stone = m_options.stone;
    if (pShape == nullptr) {
        weight.strError = UnknownShapeText(TrimBlanks(FieldOf(EColumn::kShape)), stone.bMeasured);
    } else if (TakeSize(*pShape, size, weight) && TakeCorrections(stone, weight) &&
               TakeCount(weight)) {
        weight.bWeighed =
            WeighStone(m_estimator, *pShape, size, stone, weight.stone, weight.strError);
    }
    if (weight.bWeighed &&
        !std::isfinite(weight.stone.dCarat * weight.dCount * stone.pUnit->dPerCarat)) {
        weight.bWeighed = false;
        weight.strError = "the lot of these stones has no finite weight";
    }
    if (weight.bWeighed && m_nAgainst >= 0) TakeWeighed(*pShape, weight);
    weight.cPoint = m_cDefaultPoint;
    if (m_options.eDecimalMark == EDecimalMark::kAuto && (weight.bCommaRead || weight.bPointRead))
        weight.cPoint = weight.bCommaRead ? ',' : '.';
    return weight;
}

// The row's weighed weight, when it has one: its deviation, counted by shape.
void CParcelRun::TakeWeighed(const Shape& shape, RowWeight& weight) {
    const std::string_view text = TrimBlanks(m_reader.Field(static_cast<std::size_t>(m_nAgainst)));
    DecimalRead read = ReadDecimal(text.data(), text.data() + text.size(),
                                   text.find(',') != std::string_view::npos ? ',' : '.');
    if (text.empty() || read.pEnd != text.data() + text.size() || !(read.dValue > 0)) return;
    const double dEstimate = weight.stone.dCarat * m_options.stone.pUnit->dPerCarat;
    weight.bDeviation = true;
    weight.dDeviationPct = (dEstimate / read.dValue - 1) * 100;
    auto it = std::find_if(m_vecAgainst.begin(), m_vecAgainst.end(),
                           [&shape](const auto& entry) { return entry.first == &shape; });
    if (it == m_vecAgainst.end())
        it = m_vecAgainst.emplace(m_vecAgainst.end(), &shape, CDeviationStats());
    it->second.Add(weight.dDeviationPct);
    m_againstAll.Add(weight.dDeviationPct);
}

bool CParcelRun::IsBlankRow() const {
    for (std::size_t i = 0; i < m_reader.FieldCount(); ++i)
        if (!TrimBlanks(m_reader.Field(i)).empty()) return false;
    return true;
}

bool CParcelRun::TakeSize(const Shape& shape, StoneSize& size, RowWeight& weight) {
    // A round stone graded by its smallest and largest diameter weighs at their mean.
    if (shape.bDiameter && !HasValue(EColumn::kLength) && HasValue(EColumn::kMinDiameter)) {
        double dMin = 0.0;
        double dMax = 0.0;
        if (!ReadNumber(EColumn::kMinDiameter, dMin, weight) ||
            !ReadNumber(EColumn::kMaxDiameter, dMax, weight))
            return false;
        size.dLength = (dMin + dMax) / 2;
    } else if (!ReadNumber(EColumn::kLength, size.dLength, weight)) {
        return false;
    }
    if (shape.bWidthShown) {
        if (!ReadNumber(EColumn::kWidth, size.dWidth, weight)) return false;
    } else if (HasValue(EColumn::kWidth)) {
        return Fail(weight, std::string(shape.pszCaption) + " has no width");
    }
    return TakeDepth(shape, size, weight);
}

// The depth in mm, or as a % of the diameter or width, which is then the base of the %.
bool CParcelRun::TakeDepth(const Shape& shape, StoneSize& size, RowWeight& weight) {
    if (HasValue(EColumn::kDepth)) return ReadNumber(EColumn::kDepth, size.dDepth, weight);
    if (HasValue(EColumn::kHeight)) return ReadNumber(EColumn::kHeight, size.dDepth, weight);
    if (!HasValue(EColumn::kDepthPct)) return Fail(weight, "no depth");
    double dPct = 0.0;
    if (!ReadNumber(EColumn::kDepthPct, dPct, weight)) return false;
    size.dDepth = dPct / 100 * (shape.bWidthShown ? size.dWidth : size.dLength);
    return true;
}

bool CParcelRun::TakeCorrections(StoneOptions& stone, RowWeight& weight) {
    // A round's table % for the measured model; the window's formulas have no use for it.
    if (stone.bMeasured && HasValue(EColumn::kTablePct)) {
        if (!ReadNumber(EColumn::kTablePct, stone.dTablePct, weight)) return false;
        stone.bTable = true;
    }
    const std::string_view girdle = TrimBlanks(FieldOf(EColumn::kGirdle));
    if (!girdle.empty() && !FindGirdleRange(girdle, stone.girdle))
        return Fail(weight, UnknownGirdleText(girdle));
    const std::string_view gemName = TrimBlanks(FieldOf(EColumn::kGem));
    if (gemName.empty()) return true;
    const Gem* pGem = FindGem(gemName);
    if (pGem == nullptr) return Fail(weight, UnknownGemText(gemName));
    stone.dRelativeDensity = pGem->dRelativeDensity;
    return true;
}

bool CParcelRun::TakeCount(RowWeight& weight) {
    if (!HasValue(EColumn::kCount)) return true;
    if (!ReadNumber(EColumn::kCount, weight.dCount, weight)) return false;
    if (weight.dCount >= 0 && weight.dCount <= kMostStones &&
        weight.dCount == std::floor(weight.dCount))
        return true;
    return Fail(weight, "count '" + std::string(TrimBlanks(FieldOf(EColumn::kCount))) +
                            "' is not a whole number of stones");
}

bool CParcelRun::HasValue(EColumn eColumn) const {
    return !TrimBlanks(FieldOf(eColumn)).empty();
}

// Reads the column's number: a sign may lead, blanks stand around it, the column's unit may
// follow; a decimal comma where the table's mark allows one.
bool CParcelRun::ReadNumber(EColumn eColumn, double& dValue, RowWeight& weight) {
    const std::string_view text = TrimBlanks(FieldOf(eColumn));
    if (text.empty()) return Fail(weight, "no " + ColumnText(eColumn));
    std::string_view number = text;
    const char cLast = text.back();
    if ((cLast < '0' || cLast > '9') && cLast != '.' && cLast != ',' && !TakeUnit(eColumn, number))
        return Fail(weight, ColumnText(eColumn) + " '" + std::string(text) + "' is in " +
                                std::string(TrimBlanks(text.substr(number.size()))) + ", not " +
                                ColumnUnit(eColumn));
    const char* pFirst = number.data();
    const char* const pLast = pFirst + number.size();
    const bool bNegative = *pFirst == '-';
    if (*pFirst == '-' || *pFirst == '+') ++pFirst;
    const auto has = [pFirst, pLast](char c) { return std::memchr(pFirst, c, pLast - pFirst); };
    // In a comma table only a quoted number can hold a comma.
    const bool bCommaPossible = m_dialect.cDelimiter != ',' || m_reader.Quoted();
    const bool bDecimalComma =
        m_options.eDecimalMark == EDecimalMark::kComma ||
        (m_options.eDecimalMark == EDecimalMark::kAuto && bCommaPossible && has(','));
    const DecimalRead read = ReadDecimal(pFirst, pLast, bDecimalComma ? ',' : '.');
    if (read.pEnd == pFirst || read.pEnd != pLast || read.bOutOfRange)
        return Fail(weight, ColumnText(eColumn) + " '" + std::string(text) + "' is not a number");
    weight.bCommaRead = weight.bCommaRead || bDecimalComma;
    // A point read decides the mark only where it is not the table's own already.
    if (!bDecimalComma && m_cDefaultPoint != '.' && has('.')) weight.bPointRead = true;
    dValue = bNegative ? -read.dValue : read.dValue;
    return true;
}

// Takes the column's unit off the end of number ("6.5 mm"); false when another unit stands there,
// number then ending where it begins.
bool CParcelRun::TakeUnit(EColumn eColumn, std::string_view& number) const {
    const std::size_t nEnd = number.find_last_of("0123456789.,") + 1;
    const char* pszUnit = ColumnUnit(eColumn);
    if (nEnd == 0 || *pszUnit == '\0') return true;  // no number or no unit: not a number
    const bool bUnit = EqualIgnoringAsciiCase(TrimBlanks(number.substr(nEnd)), pszUnit);
    number = TrimBlanks(number.substr(0, nEnd));
    return bUnit;
}

const Shape* CParcelRun::FindShape(std::string_view name) {
    name = TrimBlanks(name);
    for (const auto& [strSeen, pShape] : m_vecShapeSeen)
        if (strSeen == name) return pShape;
    const Shape* pShape = FindStoneShape(name, m_options.stone.bMeasured);
    if (m_vecShapeSeen.size() < kShapesSeen) {
        m_vecShapeSeen.emplace_back(std::string(name), pShape);
    } else {
        m_vecShapeSeen[m_nShapesSeen++ % kShapesSeen] = {std::string(name), pShape};
    }
    return pShape;
}

// The column's name as messages give it: as the header wrote it (length or diameter), else the
// first of its names.
std::string CParcelRun::ColumnText(EColumn eColumn) const {
    return m_astrColumnName[static_cast<int>(eColumn)];
}

std::string_view CParcelRun::FieldOf(EColumn eColumn) const {
    const int nIndex = m_anColumn[static_cast<int>(eColumn)];
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_reader.FieldCount()) return {};
    return m_reader.Field(static_cast<std::size_t>(nIndex));
}
