#include "parcel.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ascii_case.h"
#include "carat_estimator.h"
#include "csv_reader.h"
#include "decimal_text.h"

namespace {

// Counts beyond this are no longer whole numbers in a double.
constexpr double kMostStones = 1e15;
// Spellings of shape names remembered, so that most rows find theirs by a plain compare.
constexpr std::size_t kShapesSeen = 16;

enum EColumn {
    kShapeColumn,
    kLengthColumn,
    kWidthColumn,
    kDepthColumn,
    kIdColumn,
    kCountColumn,
    kGirdleColumn,
    kGemColumn,
    kColumnKinds
};

struct HeaderName {
    EColumn eColumn;
    const char* pszName;
};

const HeaderName kColumnNames[] = {
    {kShapeColumn, "shape"}, {kLengthColumn, "length"}, {kLengthColumn, "diameter"},
    {kWidthColumn, "width"}, {kDepthColumn, "depth"},   {kIdColumn, "id"},
    {kCountColumn, "count"}, {kGirdleColumn, "girdle"}, {kGemColumn, "gem"},
};

constexpr EColumn kNeededColumns[] = {kShapeColumn, kLengthColumn, kDepthColumn};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The columns a parcel writes; an input column of one of these names is replaced, not repeated.
bool IsOutputColumn(std::string_view name) {
    if (EqualIgnoringAsciiCase(name, "error")) return true;
    for (const WeightUnit& unit : kWeightUnits) {
        const std::string column = unit.pszColumn;
        for (const char* suffix : {"", "_low", "_high"})
            if (EqualIgnoringAsciiCase(name, column + suffix)) return true;
    }
    return false;
}

}  // namespace

class CParcelRun {
public:
    explicit CParcelRun(const ParcelOptions& options);

    void Feed(std::string_view bytes, std::string& strOut);
    void Finish(std::string& strOut);
    std::string SummaryText() const;

    std::vector<std::string> m_vecMessages;
    EParcelStatus m_eStatus = EParcelStatus::kWeighed;
    bool m_bRefused = false;
    std::uint64_t m_nRows = 0;

private:
    bool TakeHead(std::string_view bytes, bool bEnded);
    void ReadRecords(std::string& strOut);
    bool Refuse(EParcelStatus eStatus, std::string strMessage);
    bool ReadHeader(CCsvReader::EOutcome eOutcome);
    bool TakeHeaderName(std::size_t nIndex);
    void ChooseDecimalMarks();
    void WriteHeader(std::string& strOut);
    void TakeRecord(CCsvReader::EOutcome eOutcome, std::string& strOut);
    const Shape* FindShape(std::string_view name);
    bool EstimateRow(double& dCarat, double& dCount);
    bool TakeWidth(const Shape& shape, double& dWidth);
    bool TakeRowCorrections(StoneCorrections& corrections);
    bool TakeCount(double& dCount);
    bool ReadNumber(EColumn eColumn, double& dValue);
    bool Fail(std::string strError);
    const char* ColumnName(EColumn eColumn) const;
    std::string_view FieldOf(EColumn eColumn) const;
    void WriteRow(bool bEstimated, double dCarat, std::string& strOut);
    void WriteFields(std::string& strOut);
    void AppendNumber(std::string& text, double dValue, bool bField = true) const;
    void EndLine(std::string& strOut) const;

    const ParcelOptions m_options;
    CCsvReader m_reader;
    CCaratEstimator m_estimator;
    std::string m_strHead;  // the input's first bytes, held until the header line is whole
    bool m_bHeadTaken = false;
    bool m_bHeaderRead = false;
    bool m_bByteOrderMark = false;
    char m_cDelimiter = ',';
    char m_cReadPoint = '.';  // 0: either mark
    char m_cWritePoint = '.';
    bool m_bCrLf = false;
    int m_anColumn[kColumnKinds];
    const char* m_apszColumnName[kColumnKinds] = {};
    std::vector<bool> m_abWrittenBack;
    bool m_bAllWrittenBack = true;
    std::string m_strError;
    std::pair<std::string, const Shape*> m_aShapeSeen[kShapesSeen];
    std::size_t m_nShapesSeen = 0;
    std::uint64_t m_nRecord = 1;  // the header is record 1, as a spreadsheet numbers its rows
    std::uint64_t m_nRowsInError = 0;
    double m_dStones = 0.0;
    double m_dTotalCarat = 0.0;
};

CParcelRun::CParcelRun(const ParcelOptions& options)
    : m_options(options), m_reader(options.nMaxLine) {
    std::fill(m_anColumn, m_anColumn + kColumnKinds, -1);
}

void CParcelRun::Feed(std::string_view bytes, std::string& strOut) {
    if (m_bRefused) return;
    if (!m_bHeadTaken) {
        if (!TakeHead(bytes, false)) return;
        m_reader.Feed(m_strHead);  // the bytes held back, this Feed's among them
        ReadRecords(strOut);
        return;
    }
    m_reader.Feed(bytes);
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
    if (!m_bHeaderRead && !m_bRefused)
        Refuse(EParcelStatus::kBadHeader,
               "the input is empty: a header row naming the columns comes first");
}

// Holds the first bytes back until the header line is whole, the input ends or the line passes
// the limit; then skips a byte-order mark and reads the delimiter from the header.
bool CParcelRun::TakeHead(std::string_view bytes, bool bEnded) {
    m_strHead.append(bytes);
    bool bQuoted = false;
    bool bLineEnd = false;
    for (std::size_t i = 0; i < m_strHead.size() && !bLineEnd; ++i) {
        if (m_strHead[i] == '"') bQuoted = !bQuoted;
        bLineEnd = !bQuoted && m_strHead[i] == '\n';
    }
    if (!bLineEnd && !bEnded && m_strHead.size() <= m_options.nMaxLine + 3) return false;
    m_bByteOrderMark = m_strHead.size() >= 3 &&
                       std::equal(kByteOrderMark, kByteOrderMark + 3,
                                  reinterpret_cast<const unsigned char*>(m_strHead.data()));
    if (m_bByteOrderMark) m_strHead.erase(0, 3);
    m_cDelimiter = DetectDelimiter(m_strHead);
    m_reader.SetDelimiter(m_cDelimiter);
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
    m_abWrittenBack.assign(m_reader.FieldCount(), true);
    for (std::size_t i = 0; i < m_reader.FieldCount(); ++i) {
        if (!TakeHeaderName(i)) return false;
    }
    for (const EColumn eColumn : kNeededColumns) {
        if (m_anColumn[eColumn] >= 0) continue;
        return Refuse(EParcelStatus::kBadHeader,
                      std::string("the header names no ") +
                          (eColumn == kLengthColumn ? "length or diameter" : ColumnName(eColumn)) +
                          " column (the columns are shape, length or diameter, width, depth, and "
                          "optionally id, count, girdle, gem)");
    }
    ChooseDecimalMarks();
    return true;
}

bool CParcelRun::TakeHeaderName(std::size_t nIndex) {
    const std::string_view name = Trimmed(m_reader.Field(nIndex));
    if (IsOutputColumn(name)) m_abWrittenBack[nIndex] = m_bAllWrittenBack = false;
    for (const HeaderName& column : kColumnNames) {
        if (!EqualIgnoringAsciiCase(name, column.pszName)) continue;
        if (m_anColumn[column.eColumn] >= 0)
            return Refuse(
                EParcelStatus::kBadHeader,
                std::string("the header names the column ") + column.pszName + " twice" +
                    (column.eColumn == kLengthColumn ? " (length and diameter are one)" : ""));
        m_anColumn[column.eColumn] = static_cast<int>(nIndex);
        m_apszColumnName[column.eColumn] = column.pszName;
    }
    return true;
}

void CParcelRun::ChooseDecimalMarks() {
    switch (m_options.eDecimalMark) {
        case EDecimalMark::kPoint:
            m_cReadPoint = m_cWritePoint = '.';
            break;
        case EDecimalMark::kComma:
            m_cReadPoint = m_cWritePoint = ',';
            break;
        case EDecimalMark::kAuto:
            // Spreadsheets in comma-decimal countries write ';' (or tab) between the fields.
            m_cReadPoint = m_cDelimiter == ',' ? '.' : 0;
            m_cWritePoint = m_cDelimiter == ';' ? ',' : '.';
            break;
    }
}

void CParcelRun::WriteHeader(std::string& strOut) {
    // Spreadsheets tell UTF-8 by the mark, so it goes back where it came from.
    if (m_bByteOrderMark) strOut.append(kByteOrderMark, kByteOrderMark + 3);
    for (std::size_t i = 0; i < m_abWrittenBack.size(); ++i) {
        if (!m_abWrittenBack[i]) continue;
        AppendCsvField(strOut, m_reader.Field(i), m_cDelimiter);
        strOut.push_back(m_cDelimiter);
    }
    const std::string column = m_options.corrections.pUnit->pszColumn;
    strOut += column;
    if (m_options.corrections.bTolerance)
        strOut += m_cDelimiter + column + "_low" + m_cDelimiter + column + "_high";
    strOut += m_cDelimiter;
    strOut += "error";
    EndLine(strOut);
}

void CParcelRun::TakeRecord(CCsvReader::EOutcome eOutcome, std::string& strOut) {
    ++m_nRecord;
    const bool bTooLong = eOutcome == CCsvReader::kTooLong;
    if (!bTooLong && m_reader.FieldCount() == 1 && m_reader.Field(0).empty()) return;
    ++m_nRows;
    m_strError.clear();
    double dCarat = 0.0;
    double dCount = 1.0;
    bool bEstimated = false;
    if (bTooLong) {
        const std::string strLimit =
            "longer than " + std::to_string(m_options.nMaxLine) + " bytes (--max-line)";
        m_vecMessages.push_back("row " + std::to_string(m_nRecord) + ": " + strLimit +
                                ", not read");
        m_strError = strLimit;
        m_eStatus = EParcelStatus::kTooLong;
    } else if (m_reader.QuoteOpen()) {
        Fail("a quoted field is not closed before the end of the input");
    } else if (m_reader.FieldCount() != m_abWrittenBack.size()) {
        Fail(std::to_string(m_reader.FieldCount()) + " fields where the header has " +
             std::to_string(m_abWrittenBack.size()));
    } else {
        bEstimated = EstimateRow(dCarat, dCount);
    }
    if (bEstimated) {
        m_dStones += dCount;
        m_dTotalCarat += dCarat * dCount;
    } else {
        ++m_nRowsInError;
        if (m_eStatus == EParcelStatus::kWeighed) m_eStatus = EParcelStatus::kRowErrors;
    }
    WriteRow(bEstimated, dCarat, strOut);
}

const Shape* CParcelRun::FindShape(std::string_view name) {
    const std::size_t nSeen = std::min(m_nShapesSeen, kShapesSeen);
    for (std::size_t i = 0; i < nSeen; ++i)
        if (m_aShapeSeen[i].first == name) return m_aShapeSeen[i].second;
    const Shape* pShape = FindShapeByName(name);
    m_aShapeSeen[m_nShapesSeen++ % kShapesSeen] = {std::string(name), pShape};
    return pShape;
}

bool CParcelRun::EstimateRow(double& dCarat, double& dCount) {
    const std::string_view shapeName = Trimmed(FieldOf(kShapeColumn));
    const Shape* pShape = FindShape(shapeName);
    if (pShape == nullptr) return Fail("unknown shape '" + std::string(shapeName) + "'");
    StoneSize size;
    StoneCorrections corrections = m_options.corrections;
    if (!ReadNumber(kLengthColumn, size.dLength) || !TakeWidth(*pShape, size.dWidth) ||
        !ReadNumber(kDepthColumn, size.dDepth) || !TakeRowCorrections(corrections) ||
        !TakeCount(dCount))
        return false;
    if (!m_estimator.EstimateCorrected(*pShape, size, corrections, dCarat))
        return Fail(m_estimator.ErrorText());
    return true;
}

bool CParcelRun::TakeWidth(const Shape& shape, double& dWidth) {
    if (shape.bWidthShown) return ReadNumber(kWidthColumn, dWidth);
    if (Trimmed(FieldOf(kWidthColumn)).empty()) return true;
    return Fail(std::string(shape.pszCaption) + " has no width");
}

bool CParcelRun::TakeRowCorrections(StoneCorrections& corrections) {
    const std::string_view girdle = Trimmed(FieldOf(kGirdleColumn));
    if (!girdle.empty()) {
        corrections.pGirdle = FindGirdleGrade(girdle);
        if (corrections.pGirdle == nullptr)
            return Fail("unknown girdle '" + std::string(girdle) + "'");
    }
    const std::string_view gemName = Trimmed(FieldOf(kGemColumn));
    if (gemName.empty()) return true;
    const Gem* pGem = FindGem(gemName);
    if (pGem == nullptr) return Fail("unknown gem '" + std::string(gemName) + "'");
    corrections.dRelativeDensity = pGem->dRelativeDensity;
    return true;
}

bool CParcelRun::TakeCount(double& dCount) {
    if (Trimmed(FieldOf(kCountColumn)).empty()) return true;
    if (!ReadNumber(kCountColumn, dCount)) return false;
    if (dCount >= 0 && dCount <= kMostStones && dCount == std::floor(dCount)) return true;
    return Fail("count '" + std::string(Trimmed(FieldOf(kCountColumn))) +
                "' is not a whole number of stones");
}

// Reads the column's number; a sign may lead, blanks may stand around it.
bool CParcelRun::ReadNumber(EColumn eColumn, double& dValue) {
    const std::string_view text = Trimmed(FieldOf(eColumn));
    if (text.empty()) return Fail(std::string("no ") + ColumnName(eColumn));
    const char* pFirst = text.data();
    const char* pLast = pFirst + text.size();
    const bool bNegative = *pFirst == '-';
    if (*pFirst == '-' || *pFirst == '+') ++pFirst;
    char cPoint = m_cReadPoint;
    if (cPoint == 0) cPoint = text.find(',') != std::string_view::npos ? ',' : '.';
    const DecimalRead read = ReadDecimal(pFirst, pLast, cPoint);
    if (read.pEnd == pFirst || read.pEnd != pLast || read.bOutOfRange)
        return Fail(ColumnName(eColumn) + (" '" + std::string(text) + "' is not a number"));
    dValue = bNegative ? -read.dValue : read.dValue;
    return true;
}

bool CParcelRun::Fail(std::string strError) {
    m_strError = std::move(strError);
    return false;
}

// The column's name as the header wrote it (length or diameter), else its first name.
const char* CParcelRun::ColumnName(EColumn eColumn) const {
    if (m_apszColumnName[eColumn] != nullptr) return m_apszColumnName[eColumn];
    for (const HeaderName& column : kColumnNames)
        if (column.eColumn == eColumn) return column.pszName;
    return "";
}

std::string_view CParcelRun::FieldOf(EColumn eColumn) const {
    const int nIndex = m_anColumn[eColumn];
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_reader.FieldCount()) return {};
    return m_reader.Field(static_cast<std::size_t>(nIndex));
}

// The row's own fields as far as the header has columns, then the weights and the error.
void CParcelRun::WriteRow(bool bEstimated, double dCarat, std::string& strOut) {
    if (m_bAllWrittenBack && !m_reader.Quoted() &&
        m_reader.FieldCount() == m_abWrittenBack.size()) {
        strOut.append(m_reader.Text());  // as it came, with its delimiters
        strOut.push_back(m_cDelimiter);
    } else {
        WriteFields(strOut);
    }
    const StoneCorrections& corrections = m_options.corrections;
    const double dValue = dCarat * corrections.pUnit->dPerCarat;
    if (bEstimated) AppendNumber(strOut, dValue);
    if (corrections.bTolerance) {
        strOut.push_back(m_cDelimiter);
        if (bEstimated) AppendNumber(strOut, dValue * (1 - corrections.dTolerancePct / 100));
        strOut.push_back(m_cDelimiter);
        if (bEstimated) AppendNumber(strOut, dValue * (1 + corrections.dTolerancePct / 100));
    }
    strOut.push_back(m_cDelimiter);
    AppendCsvField(strOut, m_strError, m_cDelimiter);
    EndLine(strOut);
}

void CParcelRun::WriteFields(std::string& strOut) {
    for (std::size_t i = 0; i < m_abWrittenBack.size(); ++i) {
        if (!m_abWrittenBack[i]) continue;
        if (i < m_reader.FieldCount()) AppendCsvField(strOut, m_reader.Field(i), m_cDelimiter);
        strOut.push_back(m_cDelimiter);
    }
}

void CParcelRun::AppendNumber(std::string& text, double dValue, bool bField) const {
    const std::size_t nStart = text.size();
    AppendFixed(text, dValue, m_options.nDecimals);
    if (m_cWritePoint == '.') return;
    const std::size_t nPoint = text.find('.', nStart);
    if (nPoint == std::string::npos) return;
    text[nPoint] = m_cWritePoint;
    // A decimal comma in a comma-delimited table is quoted, or it would split the number.
    if (!bField || m_cWritePoint != m_cDelimiter) return;
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(nStart), '"');
    text.push_back('"');
}

void CParcelRun::EndLine(std::string& strOut) const {
    if (m_bCrLf) strOut.push_back('\r');
    strOut.push_back('\n');
}

std::string CParcelRun::SummaryText() const {
    const StoneCorrections& corrections = m_options.corrections;
    const double dTotal = m_dTotalCarat * corrections.pUnit->dPerCarat;
    std::string text = "rows " + std::to_string(m_nRows) + ", stones ";
    AppendFixed(text, m_dStones, 0);
    text += ", total ";
    AppendNumber(text, dTotal, false);
    text += std::string(" ") + corrections.pUnit->pszName;
    if (corrections.bTolerance) {
        text += " (";
        AppendNumber(text, dTotal * (1 - corrections.dTolerancePct / 100), false);
        text += " to ";
        AppendNumber(text, dTotal * (1 + corrections.dTolerancePct / 100), false);
        text += ")";
    }
    return text + ", rows in error " + std::to_string(m_nRowsInError);
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
