#include "parcel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "ascii_case.h"
#include "decimal_text.h"
#include "parcel_run.h"

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                   1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
constexpr std::uint64_t kMostUnits = std::uint64_t{1} << 53;

// The columns a header must name, one of each group.
constexpr EColumn kLengthColumns[] = {EColumn::kLength, EColumn::kMinDiameter};
constexpr EColumn kDepthColumns[] = {EColumn::kDepth, EColumn::kHeight, EColumn::kDepthPct};

const char kColumnsHelp[] =
    " (the columns are shape, length or diameter (or min and max diameter), width, depth (in mm, "
    "or depth %), and optionally id, count, girdle, gem, table %)";

// The digits of a number FormatFixed wrote as one whole number ("6.50" gives 650); false for a
// negative number or one of more digits than add up exactly.
bool ReadDigits(std::string_view text, std::uint64_t& nDigits) {
    nDigits = 0;
    int nCount = 0;
    for (const char c : text) {
        if (c == '.') continue;
        if (c < '0' || c > '9' || ++nCount > 15) return false;
        nDigits = nDigits * 10 + static_cast<unsigned>(c - '0');
    }
    return true;
}

std::string Stones(std::uint64_t nCount) {
    return std::to_string(nCount) + (nCount == 1 ? " stone" : " stones");
}

bool HasColumn(const int* anColumn, EColumn eColumn) {
    return anColumn[static_cast<int>(eColumn)] >= 0;
}

// How messages name a column of the kind.
const char* CanonicalName(EColumn eColumn) {
    static const char* const apszName[kColumnKinds] = {
        "shape",   "length",  "min diameter", "max diameter", "width",  "depth", "height",
        "depth %", "table %", "id",           "count",        "girdle", "gem"};
    return apszName[static_cast<int>(eColumn)];
}

}  // namespace

CParcelRun::CParcelRun(const ParcelOptions& options)
    : m_options(options), m_reader(options.nMaxLine) {
    std::fill(m_anColumn, m_anColumn + kColumnKinds, -1);
    for (int i = 0; i < kColumnKinds; ++i)
        m_astrColumnName[i] = CanonicalName(static_cast<EColumn>(i));
}

void CParcelRun::Feed(std::string_view bytes, std::string& strOut) {
    if (m_bRefused) return;
    if (!m_bHeadTaken) {
        if (!TakeHead(bytes, false)) return;
        m_reader.Feed(m_strHead);  // the bytes held back, this Feed's among them
    } else {
        m_reader.Feed(bytes);
    }
    ReadRecords(strOut);
}

void CParcelRun::Finish(std::string& strOut) {
    if (m_bRefused) return;
    if (!m_bHeadTaken) {
        TakeHead({}, true);
        m_reader.Feed(m_strHead);
    }
    m_reader.EndInput();
    ReadRecords(strOut);
    if (m_bRefused) return;
    if (!m_bHeaderRead) {
        Refuse(EParcelStatus::kBadHeader,
               "the input is empty: a header row naming the columns comes first");
        return;
    }
    FlushHeld(true, strOut);
}

// Holds the first bytes back until the header line is whole, the input ends or the line passes
// the limit; then skips a byte-order mark and reads the dialect from the header.
bool CParcelRun::TakeHead(std::string_view bytes, bool bEnded) {
    m_strHead.append(bytes);
    m_bByteOrderMark = m_strHead.size() >= 3 &&
                       std::equal(kByteOrderMark, kByteOrderMark + 3,
                                  reinterpret_cast<const unsigned char*>(m_strHead.data()));
    const std::string_view header = std::string_view(m_strHead).substr(m_bByteOrderMark ? 3 : 0);
    if (!DetectDialect(header, bEnded || header.size() > m_options.nMaxLine, m_dialect))
        return false;
    if (m_bByteOrderMark) m_strHead.erase(0, 3);
    m_reader.SetDialect(m_dialect);
    m_bHeadTaken = true;
    return true;
}

void CParcelRun::ReadRecords(std::string& strOut) {
    while (!m_bRefused) {
        const CCsvReader::EOutcome eOutcome = m_reader.Next();
        if (eOutcome == CCsvReader::kNeedMore || eOutcome == CCsvReader::kEnd) return;
        if (m_bHeaderRead) {
            TakeRecord(eOutcome, strOut);
        } else if (ReadHeader(eOutcome)) {
            WriteHeader(strOut);
        }
    }
}

bool CParcelRun::Refuse(EParcelStatus eStatus, std::string strMessage) {
    m_eStatus = eStatus;
    m_bRefused = true;
    m_vecMessages.push_back(std::move(strMessage));
    return false;
}

bool CParcelRun::ReadHeader(CCsvReader::EOutcome eOutcome) {
    if (eOutcome == CCsvReader::kTooLong)
        return Refuse(EParcelStatus::kTooLong, "the header row is longer than " +
                                                   std::to_string(m_options.nMaxLine) +
                                                   " bytes (--max-line)");
    m_bHeaderRead = true;
    m_bCrLf = m_reader.CrLf();
    m_nFields = m_reader.FieldCount();
    m_abWrittenBack.assign(m_nFields, true);
    const bool bAside = TakeOwnColumns();
    for (std::size_t i = 0; i < m_nFields; ++i)
        if (!TakeHeaderName(i)) return false;
    if (!CheckNeededColumns() || !FindAgainstColumn()) return false;
    // A height is the depth only where no column names the depth; else it passes through.
    if (HasColumn(m_anColumn, EColumn::kDepth)) m_anColumn[static_cast<int>(EColumn::kHeight)] = -1;
    m_names = MakeOutputNames(m_options.stone.pUnit->pszColumn, bAside);
    if (!TakeAddedNames()) return false;
    if (bAside)
        m_vecMessages.push_back(
            "the table has a weight column of its own, kept as it is; the "
            "estimates go to " +
            m_names.strWeight);
    m_cDefaultPoint = m_dialect.cDelimiter == ';' ? ',' : '.';
    if (m_options.eDecimalMark != EDecimalMark::kAuto)
        m_cDefaultPoint = m_options.eDecimalMark == EDecimalMark::kComma ? ',' : '.';
    m_cTotalPoint = m_cDefaultPoint;
    return true;
}

// A table with an error column is one a parcel wrote: its weights are replaced, not kept. Any
// other table's columns named like the output's are the user's: the estimates go beside them.
// True when they do.
bool CParcelRun::TakeOwnColumns() {
    bool bWeighedBefore = false;
    bool bAsideBefore = false;
    bool bNamedLikeOutput = false;
    for (std::size_t i = 0; i < m_nFields; ++i) {
        const std::string name = ReadHeaderName(m_reader.Field(i)).strName;
        bWeighedBefore = bWeighedBefore || name == "error";
        bAsideBefore = bAsideBefore || (IsOutputColumn(name) && name.rfind("estimated ", 0) == 0);
        bNamedLikeOutput = bNamedLikeOutput || (IsOutputColumn(name) && name != "error");
    }
    for (std::size_t i = 0; i < m_nFields && bWeighedBefore; ++i) {
        const std::string name = ReadHeaderName(m_reader.Field(i)).strName;
        const bool bOwn = name == "error" || (IsOutputColumn(name) &&
                                              (!bAsideBefore || name.rfind("estimated ", 0) == 0));
        if (bOwn) m_abWrittenBack[i] = m_bAllWrittenBack = false;
    }
    return bAsideBefore || (bNamedLikeOutput && !bWeighedBefore);
}

// The columns the parcel adds, in order; a column of the table's own by one of their names would
// make the output's header name two columns alike, so the table is refused.
bool CParcelRun::TakeAddedNames() {
    const StoneOptions& stone = m_options.stone;
    m_vecAddedNames = {m_names.strWeight};
    if (stone.bTolerance)
        m_vecAddedNames.insert(m_vecAddedNames.end(), {m_names.strLow, m_names.strHigh});
    if (stone.bInterval)
        m_vecAddedNames.insert(m_vecAddedNames.end(), {m_names.strRangeLow, m_names.strRangeHigh});
    if (HasColumn(m_anColumn, EColumn::kCount)) m_vecAddedNames.push_back(m_names.strLot);
    if (stone.bMeasured) m_vecAddedNames.push_back(m_names.strModel);
    if (m_nAgainst >= 0) m_vecAddedNames.push_back(m_names.strDeviation);
    m_vecAddedNames.push_back(m_names.strError);
    for (std::size_t i = 0; i < m_nFields; ++i) {
        const std::string name = ReadHeaderName(m_reader.Field(i)).strName;
        for (const std::string& added : m_vecAddedNames)
            if (m_abWrittenBack[i] && name == ReadHeaderName(added).strName)
                return Refuse(EParcelStatus::kBadHeader,
                              "the table has a column '" + std::string(m_reader.Field(i)) +
                                  "' of its own, and the estimates would go to a column of "
                                  "that name: rename it");
    }
    return true;
}

bool CParcelRun::TakeHeaderName(std::size_t nIndex) {
    const std::string_view name = m_reader.Field(nIndex);
    const HeaderMeaning meaning = ReadHeaderName(name);
    if (meaning.eColumn == EColumn::kOther || !m_abWrittenBack[nIndex]) return true;
    const int nKind = static_cast<int>(meaning.eColumn);
    const char* pszUnit = ColumnUnit(meaning.eColumn);
    if (!meaning.strUnit.empty() && *pszUnit != '\0' && meaning.strUnit != pszUnit)
        return Refuse(EParcelStatus::kBadHeader, "the column '" + std::string(name) + "' is in " +
                                                     meaning.strUnit +
                                                     ", and its numbers are read in " + pszUnit);
    if (m_anColumn[nKind] >= 0)
        return Refuse(
            EParcelStatus::kBadHeader,
            "the header names the column " + meaning.strName + " twice" +
                (meaning.eColumn == EColumn::kLength ? " (length and diameter are one)" : ""));
    m_anColumn[nKind] = static_cast<int>(nIndex);
    m_astrColumnName[nKind] =
        meaning.strName == "diameter" ? "diameter" : CanonicalName(meaning.eColumn);
    return true;
}

// The column of weighed weights --against names, compared by name as the header names are.
bool CParcelRun::FindAgainstColumn() {
    if (m_options.strAgainst.empty()) return true;
    const std::string wanted = ReadHeaderName(m_options.strAgainst).strName;
    for (std::size_t i = 0; i < m_nFields && m_nAgainst < 0; ++i)
        if (m_abWrittenBack[i] && ReadHeaderName(m_reader.Field(i)).strName == wanted)
            m_nAgainst = static_cast<int>(i);
    if (m_nAgainst >= 0) return true;
    return Refuse(EParcelStatus::kBadHeader, "the header names no column " + m_options.strAgainst +
                                                 " of weighed weights to compare with (--against)");
}

bool CParcelRun::CheckNeededColumns() {
    const auto any = [this](const auto& aeColumns) {
        return std::any_of(std::begin(aeColumns), std::end(aeColumns),
                           [this](EColumn eColumn) { return HasColumn(m_anColumn, eColumn); });
    };
    const char* pszMissing = nullptr;
    if (!HasColumn(m_anColumn, EColumn::kShape))
        pszMissing = "shape";
    else if (!any(kLengthColumns))
        pszMissing = "length or diameter";
    else if (!any(kDepthColumns))
        pszMissing = "depth";
    if (pszMissing != nullptr)
        return Refuse(EParcelStatus::kBadHeader,
                      std::string("the header names no ") + pszMissing + " column" + kColumnsHelp);
    if (HasColumn(m_anColumn, EColumn::kMinDiameter) !=
        HasColumn(m_anColumn, EColumn::kMaxDiameter))
        return Refuse(EParcelStatus::kBadHeader,
                      "the header names a min diameter or a max diameter column without the "
                      "other; a round stone weighs at their mean");
    return true;
}

void CParcelRun::WriteHeader(std::string& strOut) {
    // Spreadsheets tell UTF-8 by the mark, so it goes back where it came from.
    if (m_bByteOrderMark) strOut.append(kByteOrderMark, kByteOrderMark + 3);
    const char cDelimiter = m_dialect.cDelimiter;
    for (std::size_t i = 0; i < m_nFields; ++i) {
        if (!m_abWrittenBack[i]) continue;
        AppendCsvField(strOut, m_reader.Field(i), cDelimiter);
        strOut.push_back(cDelimiter);
    }
    for (const std::string& name : m_vecAddedNames)
        (strOut += name).push_back(cDelimiter);
    strOut.pop_back();
    EndLine(strOut);
}

void CParcelRun::TakeRecord(CCsvReader::EOutcome eOutcome, std::string& strOut) {
    ++m_nRecord;
    RowWeight weight;
    if (eOutcome == CCsvReader::kTooLong) {
        const std::string strLimit =
            "longer than " + std::to_string(m_options.nMaxLine) + " bytes (--max-line)";
        m_vecMessages.push_back("row " + std::to_string(m_nRecord) + ": " + strLimit +
                                ", not read");
        weight.strError = strLimit;
        m_eStatus = EParcelStatus::kTooLong;
        return Count(weight, strOut);
    }
    const bool bTrailing =
        m_reader.FieldCount() == m_nFields + 1 && TrimBlanks(m_reader.Field(m_nFields)).empty();
    if (!m_reader.StrayQuote() && m_reader.FieldCount() != m_nFields && !bTrailing)
        m_reader.TakeAsStrayQuote();
    if (m_reader.StrayQuote()) {
        // Its own line end is the first it took in; the rest are rows of their own.
        const std::size_t nLines = m_reader.LinesTakenIn() > 0 ? m_reader.LinesTakenIn() - 1 : 0;
        weight.strError = "a quote opened in this row is not closed";
        if (nLines > 0)
            weight.strError += "; the " + std::to_string(nLines) + " line" +
                               (nLines > 1 ? "s" : "") + " it took in are read as rows again";
        return Count(weight, strOut);
    }
    const Shape* pShape = FindShape(FieldOf(EColumn::kShape));
    // A blank row has no shape either; the shape alone tells most rows apart.
    if (pShape == nullptr && IsBlankRow())
        return m_bHolding ? WriteBlankRow(m_strHeldAfter) : WriteBlankRow(strOut);
    if (m_reader.FieldCount() != m_nFields && !bTrailing) {
        weight.strError = std::to_string(m_reader.FieldCount()) + " fields where the header has " +
                          std::to_string(m_nFields);
        return Count(weight, strOut);
    }
    if (pShape == nullptr && !TakeRowShape(strOut)) return;
    Count(WeighRow(pShape), strOut);
}

// A row without a shape, or with a word such as Total for one, waits: it may be the table's
// total row. False when the row waits.
bool CParcelRun::TakeRowShape(std::string& strOut) {
    static const char* const apszTotal[] = {"total",       "totals",   "sum",    "summe", "gesamt",
                                            "grand total", "subtotal", "totaal", "totale"};
    std::string shape = AsciiLower(TrimBlanks(FieldOf(EColumn::kShape)));
    if (!shape.empty() && shape.back() == ':') shape.pop_back();
    const bool bTotal =
        shape.empty() || std::any_of(std::begin(apszTotal), std::end(apszTotal),
                                     [&shape](const char* pszWord) { return shape == pszWord; });
    FlushHeld(false, strOut);
    if (!bTotal) return true;
    m_bHolding = true;
    m_strHeldShape = std::string(FieldOf(EColumn::kShape));
    RowWeight pass;
    WriteRow(pass, m_strHeldPass);
    RowWeight error;
    error.strError = shape.empty() ? "no shape"
                                   : "'" + m_strHeldShape +
                                         "' names a total row, which passes unweighed only as "
                                         "the table's last row";
    WriteRow(error, m_strHeldError);
    return false;
}

// The held row: passed through when the table ended with it, else a row in error.
void CParcelRun::FlushHeld(bool bFinal, std::string& strOut) {
    if (!m_bHolding) return;
    m_bHolding = false;
    if (bFinal) {
        strOut += m_strHeldPass;
    } else {
        strOut += m_strHeldError;
        ++m_nRows;
        ++m_nRowsInError;
        if (m_eStatus == EParcelStatus::kWeighed) m_eStatus = EParcelStatus::kRowErrors;
    }
    strOut += m_strHeldAfter;
    m_strHeldPass.clear();
    m_strHeldError.clear();
    m_strHeldAfter.clear();
}

// Counts the row into the totals and writes it; the total adds what the row prints.
void CParcelRun::Count(const RowWeight& weight, std::string& strOut) {
    FlushHeld(false, strOut);
    ++m_nRows;
    const PrintedWeight printed = WriteRow(weight, strOut);
    if (!weight.bWeighed) {
        ++m_nRowsInError;
        if (m_eStatus == EParcelStatus::kWeighed) m_eStatus = EParcelStatus::kRowErrors;
        return;
    }
    m_dStones += weight.dCount;
    m_cTotalPoint = weight.cPoint;
    AddToTotal(printed);
}

void CParcelRun::AddToTotal(const PrintedWeight& printed) {
    m_dTotal += printed.dValue;
    // Printed digits add up exactly as whole numbers, as long as the sum stays far from overflow.
    m_bUnitsExact =
        m_bUnitsExact && printed.bExact && printed.nDigits <= kMostUnits - m_nTotalUnits;
    if (m_bUnitsExact) m_nTotalUnits += printed.nDigits;
}

// The row's own fields as far as the header has columns, then its weights and error; returns
// the weight the total counts as printed: the lot's with a count column, else the stone's.
PrintedWeight CParcelRun::WriteRow(const RowWeight& weight, std::string& strOut) {
    const std::string_view text = m_reader.Text();
    const bool bAsItCame =
        m_bAllWrittenBack && !m_reader.Quoted() && m_reader.FieldCount() == m_nFields &&
        !std::memchr(text.data(), '"', text.size()) && !std::memchr(text.data(), '\r', text.size());
    if (bAsItCame) {
        strOut.append(text);  // as it came, with its delimiters
        strOut.push_back(m_dialect.cDelimiter);
    } else {
        WriteFields(strOut);
    }
    const PrintedWeight printed = WriteWeights(weight, strOut);
    strOut.push_back(m_dialect.cDelimiter);
    AppendCsvField(strOut, weight.strError, m_dialect.cDelimiter);
    EndLine(strOut);
    return printed;
}

// The columns a parcel adds, but for the error: the weight, its tolerance and range, the lot's
// weight, the model and the deviation, as the options and the table ask for them.
PrintedWeight CParcelRun::WriteWeights(const RowWeight& weight, std::string& strOut) {
    const StoneOptions& stone = m_options.stone;
    const double dPerCarat = stone.pUnit->dPerCarat;
    const double dValue = weight.stone.dCarat * dPerCarat;
    const char cDelimiter = m_dialect.cDelimiter;
    const bool bWeighed = weight.bWeighed;
    PrintedWeight printed;
    if (bWeighed) printed = AppendNumber(strOut, dValue, weight.cPoint);
    if (stone.bTolerance) {
        strOut.push_back(cDelimiter);
        if (bWeighed) AppendNumber(strOut, dValue * (1 - stone.dTolerancePct / 100), weight.cPoint);
        strOut.push_back(cDelimiter);
        if (bWeighed) AppendNumber(strOut, dValue * (1 + stone.dTolerancePct / 100), weight.cPoint);
    }
    if (stone.bInterval) {
        const bool bRange = bWeighed && weight.stone.bRange;
        strOut.push_back(cDelimiter);
        if (bRange) AppendNumber(strOut, weight.stone.dCaratLow * dPerCarat, weight.cPoint);
        strOut.push_back(cDelimiter);
        if (bRange) AppendNumber(strOut, weight.stone.dCaratHigh * dPerCarat, weight.cPoint);
    }
    if (HasColumn(m_anColumn, EColumn::kCount)) {
        strOut.push_back(cDelimiter);
        if (bWeighed) printed = AppendNumber(strOut, dValue * weight.dCount, weight.cPoint);
    }
    if (stone.bMeasured) {
        strOut.push_back(cDelimiter);
        if (bWeighed) strOut += WeightModelName(weight.stone.eModel);
    }
    if (m_nAgainst >= 0) {
        strOut.push_back(cDelimiter);
        if (weight.bDeviation) AppendPercent(strOut, weight.dDeviationPct, weight.cPoint);
    }
    return printed;
}

void CParcelRun::WriteFields(std::string& strOut) {
    for (std::size_t i = 0; i < m_nFields; ++i) {
        if (!m_abWrittenBack[i]) continue;
        if (i < m_reader.FieldCount())
            AppendCsvField(strOut, m_reader.Field(i), m_dialect.cDelimiter);
        strOut.push_back(m_dialect.cDelimiter);
    }
}

// A row without any value passes through: its fields, and no weight and no error.
void CParcelRun::WriteBlankRow(std::string& strOut) {
    WriteRow(RowWeight(), strOut);
}

// Appends the value with the decimals and decimal mark the row's weights take; returns the
// value as printed.
PrintedWeight CParcelRun::AppendNumber(std::string& text, double dValue, char cPoint,
                                       bool bField) const {
    const std::size_t nStart = text.size();
    PrintedWeight printed;
    printed.bExact = AppendFixedDigits(text, dValue, m_options.nDecimals, printed.nDigits) ||
                     ReadDigits(std::string_view(text).substr(nStart), printed.nDigits);
    printed.dValue = printed.bExact
                         ? static_cast<double>(printed.nDigits) / kPowersOfTen[m_options.nDecimals]
                         : dValue;
    if (cPoint == '.') return printed;
    const std::size_t nPoint = text.find('.', nStart);
    if (nPoint == std::string::npos) return printed;
    text[nPoint] = cPoint;
    // A decimal comma in a comma-delimited table is quoted, or it would split the number.
    if (bField && cPoint == m_dialect.cDelimiter) {
        text.insert(text.begin() + static_cast<std::ptrdiff_t>(nStart), '"');
        text.push_back('"');
    }
    return printed;
}

// A deviation in % with its sign and two decimals, in the row's decimal mark.
void CParcelRun::AppendPercent(std::string& text, double dPct, char cPoint) const {
    const std::size_t nStart = text.size();
    if (dPct >= 0) text.push_back('+');
    AppendFixed(text, dPct, 2);
    if (cPoint == '.') return;
    text[text.find('.', nStart)] = cPoint;
    if (cPoint == m_dialect.cDelimiter) {
        text.insert(text.begin() + static_cast<std::ptrdiff_t>(nStart), '"');
        text.push_back('"');
    }
}

void CParcelRun::EndLine(std::string& strOut) const {
    if (m_bCrLf) strOut.push_back('\r');
    strOut.push_back(m_dialect.cLineEnd);
}

// "rows 3, stones 5, total 2.437500 ct, rows in error 1": the total is the sum of the weights
// the rows print.
std::string CParcelRun::SummaryText() const {
    const StoneOptions& stone = m_options.stone;
    std::string text = "rows " + std::to_string(m_nRows) + ", stones ";
    AppendFixed(text, m_dStones, 0);
    text += ", total ";
    const double dTotal =
        m_bUnitsExact ? static_cast<double>(m_nTotalUnits) / kPowersOfTen[m_options.nDecimals]
                      : m_dTotal;
    AppendNumber(text, dTotal, m_cTotalPoint, false);
    text += std::string(" ") + stone.pUnit->pszName;
    if (stone.bTolerance) {
        text += " (";
        AppendNumber(text, dTotal * (1 - stone.dTolerancePct / 100), m_cTotalPoint, false);
        text += " to ";
        AppendNumber(text, dTotal * (1 + stone.dTolerancePct / 100), m_cTotalPoint, false);
        text += ")";
    }
    text += ", rows in error " + std::to_string(m_nRowsInError);
    if (!m_bUnitsExact)
        text +=
            " (the total is the sum of the unrounded weights: the printed ones are too many "
            "digits to add exactly)";
    return text;
}

std::vector<std::string> CParcelRun::AgainstLines() const {
    std::vector<std::string> lines;
    if (m_nAgainst < 0) return lines;
    const std::string strAgainst = "against " + m_options.strAgainst + ", ";
    for (const auto& [pShape, stats] : m_vecAgainst)
        lines.push_back(strAgainst + pShape->pszCaption + ", " + Stones(stats.Count()) + ": " +
                        stats.Text());
    lines.push_back(strAgainst + "all shapes, " + Stones(m_againstAll.Count()) + ": " +
                    m_againstAll.Text());
    return lines;
}

CParcel::CParcel(const ParcelOptions& options) : m_pRun(new CParcelRun(options)) {}
CParcel::~CParcel() = default;

void CParcel::Feed(std::string_view bytes, std::string& strOut) {
    m_pRun->Feed(bytes, strOut);
}
void CParcel::Finish(std::string& strOut) {
    m_pRun->Finish(strOut);
}
bool CParcel::Refused() const {
    return m_pRun->m_bRefused;
}
EParcelStatus CParcel::Status() const {
    return m_pRun->m_eStatus;
}
std::uint64_t CParcel::Rows() const {
    return m_pRun->m_nRows;
}
std::vector<std::string>& CParcel::Messages() {
    return m_pRun->m_vecMessages;
}
std::string CParcel::SummaryText() const {
    return m_pRun->SummaryText();
}
std::vector<std::string> CParcel::AgainstLines() const {
    return m_pRun->AgainstLines();
}
