// A parcel: a CSV table of stones, weighed row by row as its bytes arrive, written back with
// each stone's weight or the reason it has none, and totalled. Bytes in, bytes out: it opens no
// file and writes to no stream, so any face can feed it from wherever its table comes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "carat_estimator.h"

// Which decimal mark numbers are read and written with.
enum class EDecimalMark {
    kAuto,   // read '.' and, where the delimiter is ';' or tab, ','; write ',' only with ';'
    kPoint,  // read and write '.'
    kComma,  // read and write ','
};

// The longest row read unless told, in bytes: as long as a formula line the window loads.
constexpr std::size_t kDefaultMaxLine = 1048576;

struct ParcelOptions {
    StoneOptions stone;  // the girdle and gem columns override theirs per row
    int nDecimals = kDefaultDecimals;
    EDecimalMark eDecimalMark = EDecimalMark::kAuto;
    std::size_t nMaxLine = kDefaultMaxLine;  // longest record read, in bytes
    std::string strAgainst;  // a column of weighed weights, in the unit, to compare with; "" none
};

enum class EParcelStatus {
    kWeighed,    // every row so far was weighed
    kRowErrors,  // a row has an error
    kBadHeader,  // the header lacks a needed column, names one twice, or is missing
    kTooLong,    // the header or a row was longer than nMaxLine
};

class CParcelRun;

class CParcel {
public:
    explicit CParcel(const ParcelOptions& options);
    ~CParcel();
    CParcel(const CParcel&) = delete;
    CParcel& operator=(const CParcel&) = delete;

    // Takes the table's next bytes, appending to strOut the output of every row they complete
    // and to Messages() what standard error should tell at once.
    void Feed(std::string_view bytes, std::string& strOut);
    // The table has ended: writes out its last row.
    void Finish(std::string& strOut);

    // True once the header was refused: nothing more is read.
    bool Refused() const;
    EParcelStatus Status() const;
    std::uint64_t Rows() const;
    // Messages since the caller last cleared them, one line each, without a line end.
    std::vector<std::string>& Messages();
    // "rows 3, stones 5, total 2.437500 ct, rows in error 1" (with a tolerance, its range too).
    std::string SummaryText() const;
    // With a column to compare with: a line per shape and one of all, how far the estimates lie
    // from the weighed weights ("against carat, Round Brilliant, 120 stones: bias +5.12 %, ...").
    std::vector<std::string> AgainstLines() const;

private:
    std::unique_ptr<CParcelRun> m_pRun;
};
