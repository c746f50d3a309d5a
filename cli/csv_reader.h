// Reads CSV records (RFC 4180 quoting, LF or CR LF) from a stream in bounded memory, and picks
// the delimiter from the header. It converts no values and knows no column names.
//
// Our own reader, not a library's: Debian's libfccp (fast-cpp-csv-parser) fixes the column
// count and delimiter at compile time, cannot pass unknown columns through, splits quoted line
// breaks and holds a 48 MiB buffer; libcsv streams any columns but exists only for the native
// build, not for either MinGW build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Appends field to line as RFC 4180 writes it: quoted when it holds the delimiter, a quote, CR
// or LF, with its quotes doubled.
void AppendCsvField(std::string& line, std::string_view field, char cDelimiter);

constexpr unsigned char kByteOrderMark[] = {0xEF, 0xBB, 0xBF};

class CCsvReader {
public:
    enum EOutcome { kRecord, kEnd, kTooLong, kReadError };

    // nMaxRecord bounds the bytes one record may take, delimiters and quotes included;
    // nBufferSize is how much one read asks for (small ones let a fuzzer cross its edges).
    CCsvReader(std::FILE* pIn, std::size_t nMaxRecord, std::size_t nBufferSize = 1 << 18);

    // Skips a UTF-8 byte-order mark and returns the delimiter of the header line: the most
    // frequent of ',' ';' and tab outside quotes, ',' when it has none. Call before Next.
    char DetectDelimiter();
    void SetDelimiter(char cDelimiter) { m_cDelimiter = cDelimiter; }

    // Reads the next record. kTooLong skips the rest of it, unkept; kEnd once nothing is left.
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
    // DetectDelimiter found a UTF-8 byte-order mark and skipped it.
    bool ByteOrderMark() const { return m_bByteOrderMark; }

private:
    enum EState { kFieldStart, kUnquoted, kQuoted, kQuoteSeen };

    bool Fill();
    bool Step();
    bool StepUnquoted();
    void StepQuoted();
    void Keep(const char* pFirst, const char* pLast);
    void Count(std::size_t nBytes);
    void EndField();

    std::FILE* m_pIn;
    std::size_t m_nMaxRecord;
    std::unique_ptr<char[]> m_buffer;  // left unset: most runs read far less than it holds
    std::size_t m_nBufferSize;
    std::size_t m_nPos = 0;
    std::size_t m_nEnd = 0;
    std::uint64_t m_nBytesBefore = 0;  // bytes read before the buffer's current contents
    bool m_bEof = false;
    bool m_bByteOrderMark = false;
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
