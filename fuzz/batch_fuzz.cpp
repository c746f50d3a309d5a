// libFuzzer target: the parcel's reader on arbitrary bytes, fed in chunks of 4 to 11 bytes, must
// give the records of a plain whole-text reading under the same rules up to a stray quote, skip
// exactly the records past its limit and read back what its writer wrote; the parcel must not
// crash on the bytes, and what it writes it must read back to the same records.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "columns.h"
#include "csv_reader.h"
#include "parcel.h"

namespace {

constexpr std::size_t kLimit = 48;

struct Record {
    std::vector<std::string> fields;
    std::size_t bytes = 0;
    bool crlf = false;
    bool quoteOpen = false;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

// One record of text from i: quotes as RFC 4180 writes them, text after a closing quote kept,
// LF or CR LF ending a line outside quotes.
Record ReadOne(const std::string& text, std::size_t& i, const CsvDialect& dialect) {
    const char delimiter = dialect.cDelimiter;
    const bool bCrMode = dialect.cLineEnd == '\r';
    Record record;
    std::string field;
    bool quoted = false, atStart = true, bareCr = false;
    while (i < text.size()) {
        const char c = text[i++];
        ++record.bytes;
        if (quoted) {
            bareCr = false;
            if (c != '"') {
                field += c;
            } else if (i < text.size() && text[i] == '"') {
                field += '"';
                ++i;
                ++record.bytes;
            } else {
                quoted = false;
            }
        } else if (atStart && c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            record.fields.push_back(field);
            field.clear();
            atStart = true;
            bareCr = false;
            continue;
        } else if (c == dialect.cLineEnd) {
            if (bareCr) field.pop_back();
            record.crlf = bareCr;
            record.fields.push_back(field);
            return record;
        } else {
            field += c;
            bareCr = c == '\r' && !bCrMode;
        }
        atStart = false;
    }
    record.quoteOpen = quoted;
    record.fields.push_back(field);
    return record;
}

// The reader's next outcome, fed from text in chunks of nChunk bytes as it asks for them.
CCsvReader::EOutcome NextFed(CCsvReader& reader, std::string_view text, std::size_t nChunk,
                             std::size_t& nFed) {
    for (;;) {
        const CCsvReader::EOutcome outcome = reader.Next();
        if (outcome != CCsvReader::kNeedMore) return outcome;
        if (nFed == text.size()) reader.EndInput();
        reader.Feed(text.substr(nFed, nChunk));
        nFed = std::min(text.size(), nFed + nChunk);
    }
}

std::vector<std::string> FieldsOf(const CCsvReader& reader) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < reader.FieldCount(); ++i)
        fields.emplace_back(reader.Field(i));
    return fields;
}

// Compares the reader with ReadOne record by record up to a stray quote, whose lines the reader
// reads again; returns what the writer makes of the records compared.
std::string CheckRecords(const std::string& text, std::size_t bufferSize, CsvDialect& dialect) {
    CCsvReader reader(kLimit);
    DetectDialect(text, true, dialect);
    Require(dialect.cDelimiter == ',' || dialect.cDelimiter == ';' || dialect.cDelimiter == '\t');
    reader.SetDialect(dialect);
    std::size_t i = 0;
    std::size_t nFed = 0;
    std::string written;
    bool bStray = false;
    for (CCsvReader::EOutcome outcome;
         (outcome = NextFed(reader, text, bufferSize, nFed)) != CCsvReader::kEnd;) {
        bStray = bStray || reader.StrayQuote();
        if (bStray) continue;
        Require(i < text.size());
        const Record record = ReadOne(text, i, dialect);
        Require(outcome == (record.bytes > kLimit ? CCsvReader::kTooLong : CCsvReader::kRecord));
        if (outcome == CCsvReader::kTooLong) continue;
        Require(FieldsOf(reader) == record.fields && reader.CrLf() == record.crlf &&
                !record.quoteOpen);
        for (std::size_t n = 0; n < record.fields.size(); ++n) {
            if (n > 0) written += dialect.cDelimiter;
            AppendCsvField(written, record.fields[n], dialect.cDelimiter);
        }
        written += dialect.cLineEnd;
    }
    Require(bStray || i == text.size());
    return written;
}

// The parcel's output for text, fed in chunks of bufferSize.
std::string Weighed(const std::string& text, std::size_t bufferSize, std::size_t maxLine) {
    ParcelOptions options;
    options.nMaxLine = maxLine;
    CParcel parcel(options);
    std::string out;
    for (std::size_t n = 0; n < text.size(); n += bufferSize)
        parcel.Feed(std::string_view(text).substr(n, bufferSize), out);
    parcel.Finish(out);
    return out;
}

// The records of a table the parcel wrote, less its weight and error columns.
std::vector<std::vector<std::string>> UsersRecords(const std::string& table) {
    CsvDialect dialect;
    DetectDialect(table, true, dialect);
    CCsvReader reader(table.size() + 1);
    reader.SetDialect(dialect);
    std::vector<std::vector<std::string>> records;
    std::vector<bool> abOutput;
    std::size_t nFed = 0;
    while (NextFed(reader, table, table.size() + 1, nFed) == CCsvReader::kRecord) {
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < reader.FieldCount(); ++i) {
            if (records.empty()) abOutput.push_back(IsOutputColumn(reader.Field(i)));
            if (i >= abOutput.size() || !abOutput[i]) fields.emplace_back(reader.Field(i));
        }
        records.push_back(fields);
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t bufferSize = 4 + data[0] % 8;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    CsvDialect dialect;
    const std::string written = CheckRecords(text, bufferSize, dialect);
    // What the writer wrote reads back field for field.
    CCsvReader reader(written.size() + 1);
    reader.SetDialect(dialect);
    std::size_t nFed = 0;
    for (std::size_t i = 0; i < written.size();) {
        Require(NextFed(reader, written, bufferSize, nFed) == CCsvReader::kRecord);
        Require(FieldsOf(reader) == ReadOne(written, i, dialect).fields);
    }
    Require(NextFed(reader, written, bufferSize, nFed) == CCsvReader::kEnd);
    // The whole parcel on the same bytes: any status, no crash, no leak; and its output weighed
    // again gives the same records.
    // (Its rows are longer than they came by their weights and errors: no limit the second time.)
    const std::string out = Weighed(text, bufferSize, kLimit);
    if (!out.empty())
        Require(UsersRecords(out) == UsersRecords(Weighed(out, bufferSize, out.size() + 1)));
    return 0;
}
