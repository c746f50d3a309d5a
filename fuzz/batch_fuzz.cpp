// libFuzzer target: the batch reader on arbitrary bytes, read through buffers of 4 to 11 bytes,
// must give the records of a plain whole-text reading under the same rules, skip exactly the
// records past its limit, read back what its writer wrote, and batch must not crash on them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "batch_command.h"
#include "csv_reader.h"

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

std::FILE* FileWith(std::string& text) {
    std::FILE* file = fmemopen(text.data(), text.size(), "rb");
    Require(file != nullptr || text.empty());
    return file != nullptr ? file : fopen("/dev/null", "rb");
}

std::vector<std::string> FieldsOf(const CCsvReader& reader) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < reader.FieldCount(); ++i)
        fields.emplace_back(reader.Field(i));
    return fields;
}

// Compares the reader with ReadOne record by record; returns what the writer makes of them.
std::string CheckRecords(std::string& text, std::size_t bufferSize, char& delimiter) {
    std::FILE* file = FileWith(text);
    CCsvReader reader(file, kLimit, bufferSize);
    delimiter = reader.DetectDelimiter();
    Require(delimiter == ',' || delimiter == ';' || delimiter == '\t');
    std::size_t i = reader.ByteOrderMark() ? 3 : 0;
    std::string written;
    for (CCsvReader::EOutcome outcome; (outcome = reader.Next()) != CCsvReader::kEnd;) {
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
    std::fclose(file);
    return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t bufferSize = 4 + data[0] % 8;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    char delimiter = ',';
    std::string written = CheckRecords(text, bufferSize, delimiter);
    // What the writer wrote reads back field for field.
    std::FILE* file = FileWith(written);
    CCsvReader reader(file, written.size() + 1, bufferSize);
    reader.SetDelimiter(delimiter);
    for (std::size_t i = 0; i < written.size();) {
        Require(reader.Next() == CCsvReader::kRecord);
        Require(FieldsOf(reader) == ReadOne(written, i, delimiter).fields);
    }
    Require(reader.Next() == CCsvReader::kEnd);
    std::fclose(file);
    // The whole subcommand on the same bytes: any status, no crash, no leak.
    std::FILE* input = FileWith(text);
    BatchOptions options;
    options.maxLine = kLimit;
    std::ostringstream out, err;
    RunBatch(options, input, out, err);
    std::fclose(input);
    return 0;
}
