#include "batch_command.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "ascii_case.h"
#include "carat_estimator.h"
#include "csv_reader.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "progress_meter.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char kBatch[] = "velastro-cli batch: ";
constexpr std::size_t kOutputChunk = 1 << 16;
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

struct CColumnName {
    EColumn eColumn;
    const char* pszName;
};

const CColumnName kColumnNames[] = {
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

// The columns batch writes; an input column of one of these names is replaced, not repeated.
bool IsOutputColumn(std::string_view name) {
    if (EqualIgnoringAsciiCase(name, "error")) return true;
    for (const CWeightUnit& unit : kWeightUnits) {
        const std::string column = unit.pszColumn;
        for (const char* suffix : {"", "_low", "_high"})
            if (EqualIgnoringAsciiCase(name, column + suffix)) return true;
    }
    return false;
}

class CBatchRun {
public:
    CBatchRun(const BatchOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err,
              std::uint64_t nProgressBytes);
    int Run();

private:
    int ReadHeader();
    int TakeHeaderName(std::size_t nIndex);
    void ChooseDecimalMarks();
    void WriteHeader();
    bool TakeRecord(CCsvReader::EOutcome eOutcome);
    const CShape* FindShape(std::string_view name);
    bool EstimateRow(double& dCarat, double& dCount);
    bool TakeWidth(const CShape& shape, double& dWidth);
    bool TakeRowCorrections(CStoneCorrections& corrections);
    bool TakeCount(double& dCount);
    bool ReadNumber(EColumn eColumn, double& dValue);
    bool Fail(std::string strError);
    const char* ColumnName(EColumn eColumn) const;
    std::string_view FieldOf(EColumn eColumn) const;
    void WriteRow(bool bEstimated, double dCarat);
    void WriteFields();
    void AppendNumber(double dValue, int nDecimals, bool bField = true);
    void EndLine();
    void PrintSummary();

    const BatchOptions& m_options;
    std::ostream& m_out;
    std::ostream& m_err;
    CCsvReader m_reader;
    CCaratEstimator m_estimator;
    CProgressMeter m_progress;
    char m_cDelimiter = ',';
    char m_cReadPoint = '.';  // 0: either mark
    char m_cWritePoint = '.';
    bool m_bCrLf = false;
    int m_anColumn[kColumnKinds];
    const char* m_apszColumnName[kColumnKinds] = {};
    std::vector<bool> m_abWrittenBack;
    bool m_bAllWrittenBack = true;
    std::string m_strLine;
    std::string m_strError;
    std::pair<std::string, const CShape*> m_aShapeSeen[kShapesSeen];
    std::size_t m_nShapesSeen = 0;
    std::uint64_t m_nRecord = 1;  // the header is record 1, as a spreadsheet numbers its rows
    std::uint64_t m_nRows = 0;
    std::uint64_t m_nRowsInError = 0;
    double m_dStones = 0.0;
    double m_dTotalCarat = 0.0;
    int m_nStatus = kExitOk;
};

CBatchRun::CBatchRun(const BatchOptions& options, std::FILE* pIn, std::ostream& out,
                     std::ostream& err, std::uint64_t nProgressBytes)
    : m_options(options),
      m_out(out),
      m_err(err),
      m_reader(pIn, options.maxLine),
      m_progress(err, nProgressBytes) {
    std::fill(m_anColumn, m_anColumn + kColumnKinds, -1);
}

int CBatchRun::Run() {
    const int nHeaderStatus = ReadHeader();
    if (nHeaderStatus != kExitOk) return nHeaderStatus;
    WriteHeader();
    while (m_out && TakeRecord(m_reader.Next())) {
        if (m_strLine.size() >= kOutputChunk) {
            m_out.write(m_strLine.data(), static_cast<std::streamsize>(m_strLine.size()));
            m_strLine.clear();
        }
        m_progress.Update(m_nRows, m_reader.BytesRead());
    }
    m_out.write(m_strLine.data(), static_cast<std::streamsize>(m_strLine.size()));
    m_out.flush();
    m_progress.Finish();
    // A run whose output failed has no total to tell; main reports the failure.
    if (m_out) PrintSummary();
    return m_nStatus;
}

int CBatchRun::ReadHeader() {
    m_cDelimiter = m_reader.DetectDelimiter();
    m_reader.SetDelimiter(m_cDelimiter);
    switch (m_reader.Next()) {
        case CCsvReader::kRecord:
            break;
        case CCsvReader::kEnd:
            m_err << kBatch << "the input is empty: a header row naming the columns comes first\n";
            return kExitUsage;
        case CCsvReader::kTooLong:
            m_err << kBatch << "the header row is longer than " << m_options.maxLine
                  << " bytes (--max-line)\n";
            return kExitInputOutput;
        case CCsvReader::kReadError:
            m_err << kBatch << "cannot read the input: " << std::strerror(errno) << '\n';
            return kExitInputOutput;
    }
    m_bCrLf = m_reader.CrLf();
    m_abWrittenBack.assign(m_reader.FieldCount(), true);
    for (std::size_t i = 0; i < m_reader.FieldCount(); ++i) {
        if (TakeHeaderName(i) != kExitOk) return kExitUsage;
    }
    for (const EColumn eColumn : kNeededColumns) {
        if (m_anColumn[eColumn] >= 0) continue;
        m_err << kBatch << "the header names no "
              << (eColumn == kLengthColumn ? "length or diameter" : ColumnName(eColumn))
              << " column (the columns are shape, length or diameter, width, depth, and "
                 "optionally id, count, girdle, gem)\n";
        return kExitUsage;
    }
    ChooseDecimalMarks();
    return kExitOk;
}

int CBatchRun::TakeHeaderName(std::size_t nIndex) {
    const std::string_view name = Trimmed(m_reader.Field(nIndex));
    if (IsOutputColumn(name)) m_abWrittenBack[nIndex] = m_bAllWrittenBack = false;
    for (const CColumnName& column : kColumnNames) {
        if (!EqualIgnoringAsciiCase(name, column.pszName)) continue;
        if (m_anColumn[column.eColumn] >= 0) {
            m_err << kBatch << "the header names the column " << column.pszName << " twice"
                  << (column.eColumn == kLengthColumn ? " (length and diameter are one)" : "")
                  << '\n';
            return kExitUsage;
        }
        m_anColumn[column.eColumn] = static_cast<int>(nIndex);
        m_apszColumnName[column.eColumn] = column.pszName;
    }
    return kExitOk;
}

void CBatchRun::ChooseDecimalMarks() {
    switch (m_options.decimalMark) {
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

void CBatchRun::WriteHeader() {
    // Spreadsheets tell UTF-8 by the mark, so it goes back where it came from.
    if (m_reader.ByteOrderMark()) m_strLine.append(kByteOrderMark, kByteOrderMark + 3);
    for (std::size_t i = 0; i < m_abWrittenBack.size(); ++i) {
        if (!m_abWrittenBack[i]) continue;
        AppendCsvField(m_strLine, m_reader.Field(i), m_cDelimiter);
        m_strLine.push_back(m_cDelimiter);
    }
    const std::string column = m_options.corrections.pUnit->pszColumn;
    m_strLine += column;
    if (m_options.corrections.bTolerance)
        m_strLine += m_cDelimiter + column + "_low" + m_cDelimiter + column + "_high";
    m_strLine += m_cDelimiter;
    m_strLine += "error";
    EndLine();
}

// Takes one record; false once the input has ended or failed.
bool CBatchRun::TakeRecord(CCsvReader::EOutcome eOutcome) {
    if (eOutcome == CCsvReader::kEnd) return false;
    if (eOutcome == CCsvReader::kReadError) {
        m_err << kBatch << "cannot read the input: " << std::strerror(errno) << '\n';
        m_nStatus = kExitInputOutput;
        return false;
    }
    ++m_nRecord;
    const bool bTooLong = eOutcome == CCsvReader::kTooLong;
    if (!bTooLong && m_reader.FieldCount() == 1 && m_reader.Field(0).empty()) return true;
    ++m_nRows;
    m_strError.clear();
    double dCarat = 0.0;
    double dCount = 1.0;
    bool bEstimated = false;
    if (bTooLong) {
        m_err << kBatch << "row " << m_nRecord << ": longer than " << m_options.maxLine
              << " bytes (--max-line), not read\n";
        m_strError = "longer than " + std::to_string(m_options.maxLine) + " bytes (--max-line)";
        m_nStatus = kExitInputOutput;
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
        if (m_nStatus == kExitOk) m_nStatus = kExitEngineError;
    }
    WriteRow(bEstimated, dCarat);
    return true;
}

const CShape* CBatchRun::FindShape(std::string_view name) {
    const std::size_t nSeen = std::min(m_nShapesSeen, kShapesSeen);
    for (std::size_t i = 0; i < nSeen; ++i)
        if (m_aShapeSeen[i].first == name) return m_aShapeSeen[i].second;
    const CShape* pShape = FindShapeByName(name);
    m_aShapeSeen[m_nShapesSeen++ % kShapesSeen] = {std::string(name), pShape};
    return pShape;
}

bool CBatchRun::EstimateRow(double& dCarat, double& dCount) {
    const std::string_view shapeName = Trimmed(FieldOf(kShapeColumn));
    const CShape* pShape = FindShape(shapeName);
    if (pShape == nullptr) return Fail("unknown shape '" + std::string(shapeName) + "'");
    CStoneSize size;
    CStoneCorrections corrections = m_options.corrections;
    if (!ReadNumber(kLengthColumn, size.dLength) || !TakeWidth(*pShape, size.dWidth) ||
        !ReadNumber(kDepthColumn, size.dDepth) || !TakeRowCorrections(corrections) ||
        !TakeCount(dCount))
        return false;
    if (!m_estimator.EstimateCorrected(*pShape, size, corrections, dCarat))
        return Fail(m_estimator.ErrorText());
    return true;
}

bool CBatchRun::TakeWidth(const CShape& shape, double& dWidth) {
    if (shape.bWidthShown) return ReadNumber(kWidthColumn, dWidth);
    if (Trimmed(FieldOf(kWidthColumn)).empty()) return true;
    return Fail(std::string(shape.pszCaption) + " has no width");
}

bool CBatchRun::TakeRowCorrections(CStoneCorrections& corrections) {
    const std::string_view girdle = Trimmed(FieldOf(kGirdleColumn));
    if (!girdle.empty()) {
        corrections.pGirdle = FindGirdleGrade(girdle);
        if (corrections.pGirdle == nullptr)
            return Fail("unknown girdle '" + std::string(girdle) + "'");
    }
    const std::string_view gemName = Trimmed(FieldOf(kGemColumn));
    if (gemName.empty()) return true;
    const CGem* pGem = FindGem(gemName);
    if (pGem == nullptr) return Fail("unknown gem '" + std::string(gemName) + "'");
    corrections.dRelativeDensity = pGem->dRelativeDensity;
    return true;
}

bool CBatchRun::TakeCount(double& dCount) {
    if (Trimmed(FieldOf(kCountColumn)).empty()) return true;
    if (!ReadNumber(kCountColumn, dCount)) return false;
    if (dCount >= 0 && dCount <= kMostStones && dCount == std::floor(dCount)) return true;
    return Fail("count '" + std::string(Trimmed(FieldOf(kCountColumn))) +
                "' is not a whole number of stones");
}

// Reads the column's number; a sign may lead, blanks may stand around it.
bool CBatchRun::ReadNumber(EColumn eColumn, double& dValue) {
    const std::string_view text = Trimmed(FieldOf(eColumn));
    if (text.empty()) return Fail(std::string("no ") + ColumnName(eColumn));
    const char* pFirst = text.data();
    const char* pLast = pFirst + text.size();
    const bool bNegative = *pFirst == '-';
    if (*pFirst == '-' || *pFirst == '+') ++pFirst;
    char cPoint = m_cReadPoint;
    if (cPoint == 0) cPoint = text.find(',') != std::string_view::npos ? ',' : '.';
    const CDecimalRead read = ReadDecimal(pFirst, pLast, cPoint);
    if (read.pEnd == pFirst || read.pEnd != pLast || read.bOutOfRange)
        return Fail(ColumnName(eColumn) + (" '" + std::string(text) + "' is not a number"));
    dValue = bNegative ? -read.dValue : read.dValue;
    return true;
}

bool CBatchRun::Fail(std::string strError) {
    m_strError = std::move(strError);
    return false;
}

// The column's name as the header wrote it (length or diameter), else its first name.
const char* CBatchRun::ColumnName(EColumn eColumn) const {
    if (m_apszColumnName[eColumn] != nullptr) return m_apszColumnName[eColumn];
    for (const CColumnName& column : kColumnNames)
        if (column.eColumn == eColumn) return column.pszName;
    return "";
}

std::string_view CBatchRun::FieldOf(EColumn eColumn) const {
    const int nIndex = m_anColumn[eColumn];
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_reader.FieldCount()) return {};
    return m_reader.Field(static_cast<std::size_t>(nIndex));
}

// The row's own fields as far as the header has columns, then the weights and the error.
void CBatchRun::WriteRow(bool bEstimated, double dCarat) {
    if (m_bAllWrittenBack && !m_reader.Quoted() &&
        m_reader.FieldCount() == m_abWrittenBack.size()) {
        m_strLine.append(m_reader.Text());  // as it came, with its delimiters
        m_strLine.push_back(m_cDelimiter);
    } else {
        WriteFields();
    }
    const CStoneCorrections& corrections = m_options.corrections;
    const double dValue = dCarat * corrections.pUnit->dPerCarat;
    if (bEstimated) AppendNumber(dValue, m_options.decimals);
    if (corrections.bTolerance) {
        m_strLine.push_back(m_cDelimiter);
        if (bEstimated)
            AppendNumber(dValue * (1 - corrections.dTolerancePct / 100), m_options.decimals);
        m_strLine.push_back(m_cDelimiter);
        if (bEstimated)
            AppendNumber(dValue * (1 + corrections.dTolerancePct / 100), m_options.decimals);
    }
    m_strLine.push_back(m_cDelimiter);
    AppendCsvField(m_strLine, m_strError, m_cDelimiter);
    EndLine();
}

void CBatchRun::WriteFields() {
    for (std::size_t i = 0; i < m_abWrittenBack.size(); ++i) {
        if (!m_abWrittenBack[i]) continue;
        if (i < m_reader.FieldCount()) AppendCsvField(m_strLine, m_reader.Field(i), m_cDelimiter);
        m_strLine.push_back(m_cDelimiter);
    }
}

void CBatchRun::AppendNumber(double dValue, int nDecimals, bool bField) {
    const std::size_t nStart = m_strLine.size();
    AppendFixed(m_strLine, dValue, nDecimals);
    if (m_cWritePoint == '.') return;
    const std::size_t nPoint = m_strLine.find('.', nStart);
    if (nPoint == std::string::npos) return;
    m_strLine[nPoint] = m_cWritePoint;
    // A decimal comma in a comma-delimited table is quoted, or it would split the number.
    if (!bField || m_cWritePoint != m_cDelimiter) return;
    m_strLine.insert(m_strLine.begin() + static_cast<std::ptrdiff_t>(nStart), '"');
    m_strLine.push_back('"');
}

void CBatchRun::EndLine() {
    if (m_bCrLf) m_strLine.push_back('\r');
    m_strLine.push_back('\n');
}

void CBatchRun::PrintSummary() {
    const CStoneCorrections& corrections = m_options.corrections;
    const double dTotal = m_dTotalCarat * corrections.pUnit->dPerCarat;
    m_strLine.clear();
    m_strLine = std::string(kBatch) + "rows " + std::to_string(m_nRows) + ", stones ";
    AppendFixed(m_strLine, m_dStones, 0);
    m_strLine += ", total ";
    AppendNumber(dTotal, m_options.decimals, false);
    m_strLine += std::string(" ") + corrections.pUnit->pszName;
    if (corrections.bTolerance) {
        m_strLine += " (";
        AppendNumber(dTotal * (1 - corrections.dTolerancePct / 100), m_options.decimals, false);
        m_strLine += " to ";
        AppendNumber(dTotal * (1 + corrections.dTolerancePct / 100), m_options.decimals, false);
        m_strLine += ")";
    }
    m_err << m_strLine << ", rows in error " << m_nRowsInError << '\n';
}

}  // namespace

int RunBatch(const BatchOptions& options, std::FILE* pIn, std::ostream& out, std::ostream& err,
             std::uint64_t nProgressBytes) {
    CBatchRun run(options, pIn, out, err, nProgressBytes);
    return run.Run();
}

int RunBatchPath(const BatchOptions& options, std::ostream& out, std::ostream& err) {
    const bool bStdin = options.path.empty() || options.path == "-";
#ifdef _WIN32
    // Bytes as they are: text mode would turn CR LF into LF, and stop at a Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(1, _O_BINARY);
#endif
    std::FILE* pIn = bStdin ? stdin : std::fopen(options.path.c_str(), "rb");
    if (pIn == nullptr) {
        err << kBatch << "Can not open the file " << options.path << '\n';
        return kExitUsage;
    }
    std::uint64_t nProgressBytes = 0;
    if (!WantsProgress(pIn, nProgressBytes)) nProgressBytes = 0;
    const int nStatus = RunBatch(options, pIn, out, err, nProgressBytes);
    if (!bStdin) std::fclose(pIn);
    return nStatus;
}
