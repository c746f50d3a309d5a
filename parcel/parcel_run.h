// The state of one parcel while its bytes arrive: the table's dialect and columns, the row being
// weighed, a total row held back until the table ends, and the totals. Inside parcel/ only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "carat_estimator.h"
#include "columns.h"
#include "csv_reader.h"
#include "deviation_stats.h"
#include "parcel.h"

// One row's outcome: its weight per stone and for the lot, or the reason it has none.
struct RowWeight {
    bool bWeighed = false;
    StoneWeight stone;  // per stone
    double dCount = 1.0;
    bool bDeviation = false;  // weighed and estimated: dDeviationPct, estimate over weighed
    double dDeviationPct = 0.0;
    char cPoint = '.';  // the decimal mark its weights are written with
    std::string strError;
    bool bCommaRead = false;  // its numbers came with a decimal comma
    bool bPointRead = false;  // or a decimal point
};

// A weight as a row printed it: its digits as one whole number where they count exactly.
struct PrintedWeight {
    double dValue = 0.0;
    std::uint64_t nDigits = 0;
    bool bExact = false;
};

class CParcelRun {
public:
    explicit CParcelRun(const ParcelOptions& options);

    void Feed(std::string_view bytes, std::string& strOut);
    void Finish(std::string& strOut);
    std::string SummaryText() const;
    std::vector<std::string> AgainstLines() const;

    std::vector<std::string> m_vecMessages;
    EParcelStatus m_eStatus = EParcelStatus::kWeighed;
    bool m_bRefused = false;
    std::uint64_t m_nRows = 0;

private:
    // parcel.cpp: the table's bytes, header and output.
    bool TakeHead(std::string_view bytes, bool bEnded);
    void ReadRecords(std::string& strOut);
    bool Refuse(EParcelStatus eStatus, std::string strMessage);
    bool ReadHeader(CCsvReader::EOutcome eOutcome);
    bool TakeOwnColumns();
    bool TakeAddedNames();
    bool TakeHeaderName(std::size_t nIndex);
    bool CheckNeededColumns();
    bool FindAgainstColumn();
    void WriteHeader(std::string& strOut);
    void TakeRecord(CCsvReader::EOutcome eOutcome, std::string& strOut);
    bool TakeRowShape(std::string& strOut);
    void FlushHeld(bool bFinal, std::string& strOut);
    PrintedWeight WriteRow(const RowWeight& weight, std::string& strOut);
    PrintedWeight WriteWeights(const RowWeight& weight, std::string& strOut);
    void AddToTotal(const PrintedWeight& printed);
    void WriteFields(std::string& strOut);
    void WriteBlankRow(std::string& strOut);
    PrintedWeight AppendNumber(std::string& text, double dValue, char cPoint,
                               bool bField = true) const;
    void AppendPercent(std::string& text, double dPct, char cPoint) const;
    void EndLine(std::string& strOut) const;
    void Count(const RowWeight& weight, std::string& strOut);

    // parcel_row.cpp: one row into a stone and its weight.
    RowWeight WeighRow(const Shape* pShape);
    bool IsBlankRow() const;
    bool TakeSize(const Shape& shape, StoneSize& size, RowWeight& weight);
    bool TakeDepth(const Shape& shape, StoneSize& size, RowWeight& weight);
    bool TakeCorrections(StoneOptions& stone, RowWeight& weight);
    bool TakeCount(RowWeight& weight);
    void TakeWeighed(const Shape& shape, RowWeight& weight);
    bool HasValue(EColumn eColumn) const;
    bool ReadNumber(EColumn eColumn, double& dValue, RowWeight& weight);
    bool TakeUnit(EColumn eColumn, std::string_view& number) const;
    const Shape* FindShape(std::string_view name);
    std::string ColumnText(EColumn eColumn) const;
    std::string_view FieldOf(EColumn eColumn) const;

    const ParcelOptions m_options;
    CCsvReader m_reader;
    CCaratEstimator m_estimator;
    std::string m_strHead;  // the input's first bytes, held until the header line is whole
    bool m_bHeadTaken = false;
    bool m_bHeaderRead = false;
    bool m_bByteOrderMark = false;
    CsvDialect m_dialect;
    char m_cDefaultPoint = '.';  // the mark of weights whose row wrote none
    bool m_bCrLf = false;
    int m_anColumn[kColumnKinds];
    std::string m_astrColumnName[kColumnKinds];  // as messages name a column: "length"
    std::size_t m_nFields = 0;                   // the header's
    std::vector<bool> m_abWrittenBack;           // a weighed table's own output columns are not
    int m_nAgainst = -1;                         // the column of weighed weights to compare with
    bool m_bAllWrittenBack = true;
    OutputNames m_names;
    std::vector<std::string> m_vecAddedNames;  // the columns the parcel adds, in order
    // A row without a shape (a total row) waits: the table's last row passes, any other is one
    // in error. Blank rows after it wait with it.
    bool m_bHolding = false;
    std::string m_strHeldPass;
    std::string m_strHeldError;
    std::string m_strHeldAfter;
    std::string m_strHeldShape;
    std::vector<std::pair<std::string, const Shape*>> m_vecShapeSeen;
    std::size_t m_nShapesSeen = 0;
    std::uint64_t m_nRecord = 1;  // the header is record 1, as a spreadsheet numbers its rows
    std::uint64_t m_nRowsInError = 0;
    double m_dStones = 0.0;
    // The total of the weights as the rows print them: in units of the last printed decimal
    // while that counts exactly, else as a double.
    std::uint64_t m_nTotalUnits = 0;
    bool m_bUnitsExact = true;
    double m_dTotal = 0.0;
    char m_cTotalPoint = '.';
    // The deviations from the weighed weights, by shape in the order first seen, and of all.
    std::vector<std::pair<const Shape*, CDeviationStats>> m_vecAgainst;
    CDeviationStats m_againstAll;
};
