// The columns of a table of stones as spreadsheets name them: which header name means which
// measure, and the names of the columns a parcel writes. Names only; no row is read here.
#pragma once

#include <string>
#include <string_view>

enum class EColumn {
    kShape,
    kLength,  // or the diameter
    kMinDiameter,
    kMaxDiameter,
    kWidth,
    kDepth,
    kHeight,    // the depth, where no column names it so
    kDepthPct,  // the depth in % of the diameter or width
    kTablePct,
    kId,
    kCount,
    kGirdle,
    kGem,
    kOther,  // passes through
};
constexpr int kColumnKinds = static_cast<int>(EColumn::kOther);

// What a header name says: the column it names, and the unit it gives ("" for none).
struct HeaderMeaning {
    EColumn eColumn = EColumn::kOther;
    std::string strName;  // the name in lower case with its unit left out: "length"
    std::string strUnit;  // "mm", "%", or another unit as written
};

// Reads a header name in any letter case, blanks, underscores and dashes alike, with a unit in
// parentheses or as its last word: "Length (mm)", "length_mm", "Depth %", "min. diameter".
HeaderMeaning ReadHeaderName(std::string_view name);

// The unit a column's numbers are in: "mm" for the measures, "%" for depth % and table %.
const char* ColumnUnit(EColumn eColumn);

// The names of the columns a parcel writes, in one unit ("carat", "grams" or "points").
struct OutputNames {
    std::string strWeight;
    std::string strLow;
    std::string strHigh;
    std::string strRangeLow;
    std::string strRangeHigh;
    std::string strLot;
    std::string strModel;
    std::string strDeviation;
    std::string strError;
};

// The output's column names for the unit's column name, prefixed "estimated_" when bAside.
OutputNames MakeOutputNames(const char* pszUnitColumn, bool bAside);

// True when name is one a parcel writes in any unit, aside or not ("carat", "estimated_grams").
bool IsOutputColumn(std::string_view name);
