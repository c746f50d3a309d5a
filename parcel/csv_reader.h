// Reads CSV records (RFC 4180 quoting, LF or CR LF) from bytes handed to it in chunks of any
// size, in bounded memory. It converts no values, knows no column names and reads no file.
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

// The delimiter of a header line (the bytes up to its line end, or more): the most frequent of
// ',' ';' and tab outside quotes, ',' when it has none.
char DetectDelimiter(std::string_view header);

class CCsvReader {
public:
    enum EOutcome { kRecord, kTooLong, kNeedMore, kEnd };

    // nMaxRecord bounds the bytes one record may take, delimiters and quotes included.
    explicit CCsvReader(std::size_t nMaxRecord);

    void SetDelimiter(char cDelimiter) { m_cDelimiter = cDelimiter; }

    // The next bytes of the input; they must stay valid until Next returns kNeedMore.
    void Feed(std::string_view bytes);
    // Nothing more comes: the record under way ends with the input.
    void EndInput() { m_bEnded = true; }

    // Reads the next record. kTooLong skips the rest of it, unkept; kNeedMore when the bytes fed
    // end inside a record, which the next Feed continues; kEnd once the input has ended.
    EOutcome Next();

    std::size_t FieldCount() const { return m_anFieldEnd.size(); }
    std::string_view Field(std::size_t nIndex) const;
    // The fields joined by the delimiter: the record's own text when it has no quotes.
    std::string_view Text() const;
    bool Quoted() const { return m_bQuoted; }
    // The record's line ended with CR LF.
    bool CrLf() const { return m_bCrLf; }
    // The input ended inside a quoted field, which then took the rest of the input.
    bool QuoteOpen() const { return m_bQuoteOpen; }
    std::uint64_t BytesRead() const { return m_nBytesBefore + m_nPos; }

private:
    enum EState { kFieldStart, kUnquoted, kQuoted, kQuoteSeen };

    void BeginRecord();
    bool Step();
    bool StepUnquoted();
    void StepQuoted();
    void Keep(const char* pFirst, const char* pLast);
    void Count(std::size_t nBytes);
    void EndField();

    std::size_t m_nMaxRecord;
    const char* m_pData = nullptr;  // the bytes fed last
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    std::uint64_t m_nBytesBefore = 0;  // bytes fed before the current ones
    bool m_bEnded = false;
    bool m_bInRecord = false;  // a record is under way across Feeds
    char m_cDelimiter = ',';
    std::string m_strText;  // the record's fields, unquoted, each followed by the delimiter
    std::vector<std::uint32_t> m_anFieldEnd;  // where each field ends in m_strText
    std::size_t m_nRecordBytes = 0;
    EState m_eState = kFieldStart;
    bool m_bTooLong = false;
    bool m_bBareCr = false;  // the field's last kept byte is a CR outside quotes
    bool m_bCrLf = false;
    bool m_bQuoted = false;
    bool m_bQuoteOpen = false;
};
