// Reads CSV records (RFC 4180 quoting; LF, CR LF or CR line ends) from bytes handed to it in
// chunks of any size, in bounded memory, and reads a stray quote's lines again as records of
// their own. It converts no values, knows no column names and reads no file.
//
// Our own reader, not a library's: Debian's libfccp (fast-cpp-csv-parser) fixes the column
// count and delimiter at compile time, cannot pass unknown columns through, splits quoted line
// breaks and holds a 48 MiB buffer; libcsv streams any columns but exists only for the native
// build, not for either MinGW build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Appends field to line as RFC 4180 writes it: quoted when it holds the delimiter, a quote, CR
// or LF, with its quotes doubled.
void AppendCsvField(std::string& line, std::string_view field, char cDelimiter);

constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};

// What a table's header line says of the whole table.
struct CsvDialect {
    char cDelimiter = ',';  // the most frequent of ',' ';' and tab outside quotes; ',' for none
    char cLineEnd = '\n';   // '\r' when the header ends in a CR alone, as older exports write
};

// The dialect of a header line (its bytes up to the line end, or more), or false while the bytes
// hold no whole line yet and more may come (bEnded: none will).
bool DetectDialect(std::string_view header, bool bEnded, CsvDialect& dialect);

class CCsvReader {
public:
    enum EOutcome { kRecord, kTooLong, kNeedMore, kEnd };

    // nMaxRecord bounds the bytes one record may take, delimiters and quotes included.
    explicit CCsvReader(std::size_t nMaxRecord);

    void SetDialect(const CsvDialect& dialect) { m_dialect = dialect; }

    // The next bytes of the input; they must stay valid until Next returns kNeedMore.
    void Feed(std::string_view bytes);
    // Nothing more comes: the record under way ends with the input.
    void EndInput() { m_bEnded = true; }

    // Reads the next record. kTooLong skips the rest of it, unkept; kNeedMore when the bytes fed
    // end inside a record, which the next Feed continues; kEnd once the input has ended.
    EOutcome Next();

    // Takes the record just read, whose quoted field went on over line ends, for a stray quote:
    // the record becomes its first line, the quote an ordinary character, and the lines after it
    // are read again. False when no quoted field of the record went over a line end.
    bool TakeAsStrayQuote();

    std::size_t FieldCount() const { return m_anFieldEnd.size(); }
    std::string_view Field(std::size_t nIndex) const;
    // The fields joined by the delimiter: the record's own text when it has no quotes.
    std::string_view Text() const;
    bool Quoted() const { return m_bQuoted; }
    // The record's line ended with CR LF.
    bool CrLf() const { return m_bCrLf; }
    // The record is the first line of a quote left open (at the end of the input or past the
    // limit, or taken so by TakeAsStrayQuote); LinesTakenIn() tells how many lines it took in.
    bool StrayQuote() const { return m_bStray; }
    std::size_t LinesTakenIn() const { return m_nLinesTaken; }

private:
    enum EState { kFieldStart, kUnquoted, kQuoted, kQuoteSeen };

    void BeginRecord();
    bool ResumeFed();
    bool Step();
    bool StepInPlace();
    // The record's fields, each followed by its delimiter: where it lies, or its own text.
    const char* TextData() const { return m_bInPlace ? m_pInPlace : m_strText.data(); }
    bool StepUnquoted();
    void StepQuoted();
    void Keep(const char* pFirst, const char* pLast);
    void Count(std::size_t nBytes);
    void EndField();
    void ReadAgainAfterFirstLine();

    std::size_t m_nMaxRecord;
    CsvDialect m_dialect;
    const char* m_pData = nullptr;  // the bytes being read: fed, or pending
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    std::string m_strPending;      // a stray quote's lines, read again before the fed bytes
    const char* m_pFed = nullptr;  // the fed bytes left while the pending ones are read
    std::size_t m_nFedLeft = 0;
    bool m_bReadingPending = false;
    bool m_bEnded = false;
    bool m_bInRecord = false;  // a record is under way across Feeds
    std::string m_strText;     // the record's fields, unquoted, each followed by the delimiter
    bool m_bInPlace = false;   // the record was read where it lies, from m_pInPlace
    const char* m_pInPlace = nullptr;
    std::vector<std::uint32_t> m_anFieldEnd;  // where each field ends in m_strText
    std::size_t m_nRecordBytes = 0;
    EState m_eState = kFieldStart;
    bool m_bTooLong = false;
    bool m_bBareCr = false;  // the field's last kept byte is a CR outside quotes
    bool m_bCrLf = false;
    bool m_bQuoted = false;
    // A quoted field that runs over a line end: where it starts and where that line end is kept
    // in m_strText, its lines, and the raw bytes read since that line end.
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t m_nQuotedStart = 0;
    std::size_t m_nFirstBreak = kNone;
    std::size_t m_nLinesTaken = 0;
    std::string m_strRaw;
    bool m_bStray = false;
};
