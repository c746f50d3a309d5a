// libFuzzer target: the parcel's reader on arbitrary bytes, fed in chunks of 4 to 11 bytes, must
// give the records of a plain whole-text reading under the same rules, skip exactly the records
// past its limit, read back what its writer wrote, and the parcel must not crash on them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

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
Record ReadOne(const std::string& text, std::size_t& i, char delimiter) {
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
        } else if (c == '\n') {
            if (bareCr) field.pop_back();
            record.crlf = bareCr;
            record.fields.push_back(field);
            return record;
        } else {
            field += c;
            bareCr = c == '\r';
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

// Compares the reader with ReadOne record by record; returns what the writer makes of them.
std::string CheckRecords(const std::string& text, std::size_t bufferSize, char& delimiter) {
    CCsvReader reader(kLimit);
    delimiter = DetectDelimiter(text);
    Require(delimiter == ',' || delimiter == ';' || delimiter == '\t');
    reader.SetDelimiter(delimiter);
    std::size_t i = 0;
    std::size_t nFed = 0;
    std::string written;
    for (CCsvReader::EOutcome outcome;
         (outcome = NextFed(reader, text, bufferSize, nFed)) != CCsvReader::kEnd;) {
        Require(i < text.size());
        const Record record = ReadOne(text, i, delimiter);
        Require(outcome == (record.bytes > kLimit ? CCsvReader::kTooLong : CCsvReader::kRecord));
        if (outcome == CCsvReader::kTooLong) continue;
        Require(FieldsOf(reader) == record.fields && reader.CrLf() == record.crlf &&
                reader.QuoteOpen() == record.quoteOpen && reader.BytesRead() == i);
        for (std::size_t n = 0; n < record.fields.size(); ++n) {
            if (n > 0) written += delimiter;
            AppendCsvField(written, record.fields[n], delimiter);
        }
        written += '\n';
    }
    Require(i == text.size());
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t bufferSize = 4 + data[0] % 8;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    char delimiter = ',';
    const std::string written = CheckRecords(text, bufferSize, delimiter);
    // What the writer wrote reads back field for field.
    CCsvReader reader(written.size() + 1);
    reader.SetDelimiter(delimiter);
    std::size_t nFed = 0;
    for (std::size_t i = 0; i < written.size();) {
        Require(NextFed(reader, written, bufferSize, nFed) == CCsvReader::kRecord);
        Require(FieldsOf(reader) == ReadOne(written, i, delimiter).fields);
    }
    Require(NextFed(reader, written, bufferSize, nFed) == CCsvReader::kEnd);
    // The whole parcel on the same bytes, fed in the same chunks: any status, no crash, no leak.
    ParcelOptions options;
    options.nMaxLine = kLimit;
    CParcel parcel(options);
    std::string out;
    for (std::size_t n = 0; n < text.size(); n += bufferSize)
        parcel.Feed(std::string_view(text).substr(n, bufferSize), out);
    parcel.Finish(out);
    return 0;
}
