// A parcel weighed from its bytes: each row in its place with its weight or the reason it has
// none, the table's own delimiter, decimal mark and line end, the totals, refused headers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parcel.h"

namespace {

struct Weighed {
    std::string strOut;
    std::string strMessages;  // each message followed by a line end
    EParcelStatus eStatus;
};

// Feeds the table in chunks of nChunk bytes, as a face reading a file would.
Weighed Weigh(const std::string& input, const ParcelOptions& options = {}, std::size_t nChunk = 5) {
    CParcel parcel(options);
    Weighed weighed{"", "", EParcelStatus::kWeighed};
    for (std::size_t n = 0; n < input.size(); n += nChunk)
        parcel.Feed(std::string_view(input).substr(n, nChunk), weighed.strOut);
    parcel.Finish(weighed.strOut);
    for (const std::string& message : parcel.Messages())
        weighed.strMessages += message + "\n";
    if (!parcel.Refused()) weighed.strMessages += parcel.SummaryText() + "\n";
    weighed.eStatus = parcel.Status();
    return weighed;
}

ParcelOptions WithCorrections(const char* pszUnit, double dTolerancePct, int nDecimals) {
    ParcelOptions options;
    options.corrections.pUnit = FindWeightUnit(pszUnit);
    options.corrections.bTolerance = dTolerancePct > 0;
    options.corrections.dTolerancePct = dTolerancePct;
    options.nDecimals = nDecimals;
    return options;
}

// Each row keeps its place with its weight or the reason it has none; an empty line is skipped.
TEST(Parcel, EachRowInItsPlaceWithItsWeightOrTheReason) {
    struct Row {
        const char* input;
        const char* added;  // what the parcel writes after the row's fields
    };
    const Row rows[] = {
        {"1,Round Brilliant,6.5,,3.9,2,,", "1.059709,"},
        {"2,emerald,6,4,3,,,", ",unknown shape 'emerald'"},
        {"3,oval,,4,3,,,", ",no length"},
        {"4,heart,6,4,3mm,,,", ",depth '3mm' is not a number"},
        {"5,round,6.5,6.5,3.9,,,", ",Round Brilliant has no width"},
        {"6,pear,6,,3,,,", ",no width"},
        {"7,oval,6,4,3,2.5,,", ",count '2.5' is not a whole number of stones"},
        {"8,oval,6,4,3,,wavy,", ",unknown girdle 'wavy'"},
        {"9,oval,6,4,3,,,glass", ",unknown gem 'glass'"},
        {"10,oval,6,4,3", ",,,,5 fields where the header has 8"},
        {"11,oval,6,4,3,0,,", "0.487500,"},
        {"12,oval,1e999,4,3,,,", ",length '1e999' is not a number"},
        {"13, OVAL ,7.2, 4 ,3,1,thick,RUBY", "0.715756,"},
    };
    std::string input = "id,shape,length,width,depth,count,girdle,gem\n";
    std::string expected = "id,shape,length,width,depth,count,girdle,gem,carat,error\n";
    for (const Row& row : rows) {
        input += std::string(row.input) + "\n" + (row.input[0] == '3' ? "\n" : "");
        expected += std::string(row.input) + "," + row.added + "\n";
    }
    const Weighed weighed = Weigh(input);
    EXPECT_EQ(expected, weighed.strOut);
    EXPECT_EQ("rows 13, stones 3, total 2.835175 ct, rows in error 10\n", weighed.strMessages);
    EXPECT_EQ(EParcelStatus::kRowErrors, weighed.eStatus);
}

// Decimal marks, units, replaced columns, refused headers and rows: the output, the messages
// and the status.
TEST(Parcel, WritesInTheTablesOwnDialectAndTellsWhatItRefused) {
    struct Row {
        const char* name;
        ParcelOptions options;
        std::string input, output, messages;
        EParcelStatus eStatus;
    };
    ParcelOptions comma, point, maxLine;
    comma.eDecimalMark = EDecimalMark::kComma;
    point.eDecimalMark = EDecimalMark::kPoint;
    maxLine.nMaxLine = 40;
    const Row rows[] = {
        {"CR LF, a quoted id and an unknown shape",
         {},
         "id,shape,length,width,depth\r\n\"A,1\",oval,6,4,3\r\n2,round,6.5,,3.9\r\n3,cushion,6,6,"
         "4\r\n",
         "id,shape,length,width,depth,carat,error\r\n\"A,1\",oval,6,4,3,0.487500,\r\n"
         "2,round,6.5,,3.9,1.059709,\r\n3,cushion,6,6,4,,unknown shape 'cushion'\r\n",
         "rows 3, stones 2, total 1.547209 ct, rows in error 1\n",
         EParcelStatus::kRowErrors},
        {"semicolon: comma read and written, mark and CR LF kept",
         {},
         "\xEF\xBB\xBFshape;length;depth\r\nround;6,5;3.9\r\n",
         "\xEF\xBB\xBFshape;length;depth;carat;error\r\nround;6,5;3.9;1,059709;\r\n",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"points, a tolerance and a count", WithCorrections("pt", 10, 6),
         "shape;diameter;depth;count\nround;6,5;3,9;3\n",
         "shape;diameter;depth;count;points;points_low;points_high;error\n"
         "round;6,5;3,9;3;105,970922;95,373830;116,568014;\n",
         "rows 1, stones 3, total 317,912766 pt (286,121489 to 349,704042), rows in error 0\n",
         EParcelStatus::kWeighed},
        {"tab: comma read, point written",
         {},
         "shape\tlength\tdepth\nround\t6,5\t3,9\n",
         "shape\tlength\tdepth\tcarat\terror\nround\t6,5\t3,9\t1.059709\t\n",
         "rows 1, stones 1, total 1.059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"comma delimiter: a quoted comma is no number",
         {},
         "shape,length,depth\nround,\"6,5\",3.9\n",
         "shape,length,depth,carat,error\nround,\"6,5\",3.9,,\"length '6,5' is not a number\"\n",
         "rows 1, stones 0, total 0.000000 ct, rows in error 1\n",
         EParcelStatus::kRowErrors},
        {"--decimal comma", comma, "shape,length,depth\nround,\"6,5\",\"3,9\"\n",
         "shape,length,depth,carat,error\nround,\"6,5\",\"3,9\",\"1,059709\",\n",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n", EParcelStatus::kWeighed},
        {"--decimal point", point, "shape;length;depth\nround;6,5;3.9\n",
         "shape;length;depth;carat;error\nround;6,5;3.9;;length '6,5' is not a number\n",
         "rows 1, stones 0, total 0.000000 ct, rows in error 1\n", EParcelStatus::kRowErrors},
        {"grams, a tolerance, three decimals, old weight columns replaced",
         WithCorrections("g", 10, 3),
         "shape,length,width,depth,count,carat,Error\noval,6,4,3,4,1,x\n",
         "shape,length,width,depth,count,grams,grams_low,grams_high,error\noval,6,4,3,4,0.098,0."
         "088,0.107,\n",
         "rows 1, stones 4, total 0.390 g (0.351 to 0.429), rows in error 0\n",
         EParcelStatus::kWeighed},
        {"a row past the longest row", maxLine,
         "shape,length,depth,note\nround,6.5,3.9,"
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n"
         "round,6.5,3.9,ok\n",
         "shape,length,depth,note,carat,error\n,,,,,longer than 40 bytes (--max-line)\n"
         "round,6.5,3.9,ok,1.059709,\n",
         "row 2: longer than 40 bytes (--max-line), not read\n"
         "rows 2, stones 1, total 1.059709 ct, rows in error 1\n",
         EParcelStatus::kTooLong},
        {"an open quote named for the row it swallows",
         {},
         "id,shape,length,depth\n1,round,6.5,3.9\n\"2,round,6.5,3.9\n",
         "id,shape,length,depth,carat,error\n1,round,6.5,3.9,1.059709,\n\"2,round,6.5,3.9\n\",,,,,"
         "a quoted field is not closed before the end of the input\n",
         "rows 2, stones 1, total 1.059709 ct, rows in error 1\n",
         EParcelStatus::kRowErrors},
        {"an empty input",
         {},
         "",
         "",
         "the input is empty: a header row naming the columns comes first\n",
         EParcelStatus::kBadHeader},
        {"a header without length",
         {},
         "shape,width,depth\n",
         "",
         "the header names no length or diameter column (the columns are shape, length or "
         "diameter, width, depth, and optionally id, count, girdle, gem)\n",
         EParcelStatus::kBadHeader},
        {"length and diameter",
         {},
         "shape,length,diameter,depth\n",
         "",
         "the header names the column diameter twice (length and diameter are one)\n",
         EParcelStatus::kBadHeader},
        {"shape twice",
         {},
         "Shape,Length,SHAPE,depth\n",
         "",
         "the header names the column shape twice\n",
         EParcelStatus::kBadHeader},
    };
    for (const Row& row : rows) {
        for (std::size_t nChunk : {1, 7, 4096}) {
            const Weighed weighed = Weigh(row.input, row.options, nChunk);
            EXPECT_EQ(row.output, weighed.strOut) << row.name << ", chunks of " << nChunk;
            EXPECT_EQ(row.messages, weighed.strMessages) << row.name << ", chunks of " << nChunk;
            EXPECT_EQ(row.eStatus, weighed.eStatus) << row.name << ", chunks of " << nChunk;
        }
    }
}

}  // namespace
