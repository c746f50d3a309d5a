// The CSV reader: delimiter detection, RFC 4180 quoting, line ends, the byte-order mark and
// the bound on a record's size, on both hosts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "csv_reader.h"

namespace {

// The input's records as "field|field" lines, and what ended each one.
struct Read {
    char delimiter;
    std::vector<std::string> records;
};

// Feeds the bytes in chunks of nChunk, so records cross from one chunk into the next.
Read ReadAll(const std::string& bytes, std::size_t maxRecord = 1000, std::size_t nChunk = 3) {
    CCsvReader reader(maxRecord);
    CsvDialect dialect;
    DetectDialect(bytes, true, dialect);
    Read read{dialect.cDelimiter, {}};
    reader.SetDialect(dialect);
    for (std::size_t nFed = 0;;) {
        CCsvReader::EOutcome outcome = reader.Next();
        if (outcome == CCsvReader::kEnd) break;
        if (outcome == CCsvReader::kNeedMore) {
            if (nFed == bytes.size()) reader.EndInput();
            reader.Feed(std::string_view(bytes).substr(nFed, nChunk));
            nFed = std::min(bytes.size(), nFed + nChunk);
            continue;
        }
        std::string record = outcome == CCsvReader::kTooLong ? "<too long>" : "";
        for (std::size_t i = 0; i < reader.FieldCount(); ++i)
            record += (i > 0 ? "|" : "") + std::string(reader.Field(i));
        if (reader.CrLf()) record += "<crlf>";
        if (reader.StrayQuote()) record += "<stray: " + std::to_string(reader.LinesTakenIn()) + ">";
        read.records.push_back(record);
    }
    return read;
}

TEST(CsvReader, ReadsRecordsAsRfc4180Writes) {
    struct Row {
        const char* name;
        std::string bytes;
        char delimiter;
        std::vector<std::string> records;
    };
    const Row rows[] = {
        {"comma", "a,b\n1,2\n", ',', {"a|b", "1|2"}},
        {"semicolon wins over comma", "a;b;c,d\n1;2,5;3\n", ';', {"a|b|c,d", "1|2,5|3"}},
        {"no delimiter at all: comma", "shape\nx,y\n", ',', {"shape", "x|y"}},
        {"delimiters inside quotes do not count", "\"a;b;c\",d\n", ',', {"a;b;c|d"}},
        {"the last line needs no end", "a,b\n1,2", ',', {"a|b", "1|2"}},
        {"a lone CR is data", "h,i\na\rb,c\n", ',', {"h|i", "a\rb|c"}},
        {"doubled quotes, quoted line breaks and CRs",
         "\"say \"\"hi\"\"\",\"two\r\nlines\r\"\r\n",
         ',',
         {"say \"hi\"|two\r\nlines\r<crlf>"}},
        {"empty fields and empty lines", ",,\n\n\"\",x\n", ',', {"||", "", "|x"}},
        {"text after a closing quote goes on", "\"ab\"c,d\n", ',', {"abc|d"}},
        {"a quote inside an unquoted field is data", "a\"b,c\n", ',', {"a\"b|c"}},
        {"CR LF ends a line whichever chunks it falls in",
         "ab\r\nc\r\n",
         ',',
         {"ab<crlf>", "c<crlf>"}},
    };
    // Every chunk size up to a line's length splits each line, CR LF included, at every place.
    for (const Row& row : rows) {
        for (std::size_t nChunk = 1; nChunk <= 8; ++nChunk) {
            const Read read = ReadAll(row.bytes, 1000, nChunk);
            EXPECT_EQ(row.delimiter, read.delimiter) << row.name;
            EXPECT_EQ(row.records, read.records) << row.name << ", chunks of " << nChunk;
        }
    }
}

TEST(CsvReader, SkipsARecordPastTheLimitAndReadsOn) {
    const std::string big = "\"" + std::string(5000, 'x') + "\n,\"\"\",y";  // quoted line breaks
    const Read read = ReadAll("a,b\n" + big + "\n1,2\n", 100);
    EXPECT_EQ((std::vector<std::string>{"a|b", "<too long>", "1|2"}), read.records);
    EXPECT_EQ((std::vector<std::string>{"a|b", "1|2"}), ReadAll("a,b\n1,2\n", 4).records)
        << "a record of exactly the limit, delimiters counted, is kept";
    // A quote that takes in lines past the limit is a stray one: its lines are read again.
    for (std::size_t nChunk = 1; nChunk <= 8; ++nChunk)
        EXPECT_EQ((std::vector<std::string>{"a|b", "\"1|2<stray: 3>", "3|4", "5|6", "7|8", "9|10"}),
                  ReadAll("a,b\n\"1,2\n3,4\n5,6\n7,8\n9,10\n", 12, nChunk).records)
            << "chunks of " << nChunk;
}

TEST(CsvWriter, QuotesOnlyWhatNeedsIt) {
    struct Row {
        const char* field;
        const char* written;
    };
    for (const Row row : {Row{"plain", "plain"}, Row{"a;b", "a;b"}, Row{"a,b", "\"a,b\""},
                          Row{"say \"hi\"", "\"say \"\"hi\"\"\""}, Row{"a\nb", "\"a\nb\""},
                          Row{"a\rb", "\"a\rb\""}, Row{"", ""}}) {
        std::string line;
        AppendCsvField(line, row.field, ',');
        EXPECT_EQ(row.written, line) << row.field;
    }
}

}  // namespace
