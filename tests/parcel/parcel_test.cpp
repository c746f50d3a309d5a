// A parcel weighed from its bytes: each row in its place with its weight or the reason it has
// none, the table's own delimiter, decimal mark and line end, the totals, refused headers.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "columns.h"
#include "csv_reader.h"
#include "decimal_text.h"
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
    for (const std::string& line : parcel.AgainstLines())
        weighed.strMessages += line + "\n";
    weighed.eStatus = parcel.Status();
    return weighed;
}

// The records of a table a parcel wrote, less its weight and error columns: the user's own.
std::vector<std::vector<std::string>> UsersRecords(const std::string& table) {
    CsvDialect dialect;
    DetectDialect(table, true, dialect);
    CCsvReader reader(table.size() + 1);
    reader.SetDialect(dialect);
    reader.Feed(table);
    reader.EndInput();
    std::vector<std::vector<std::string>> records;
    std::vector<bool> abOutput;
    while (reader.Next() == CCsvReader::kRecord) {
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < reader.FieldCount(); ++i) {
            if (records.empty()) abOutput.push_back(IsOutputColumn(reader.Field(i)));
            if (i >= abOutput.size() || !abOutput[i]) fields.emplace_back(reader.Field(i));
        }
        records.push_back(fields);
    }
    return records;
}

ParcelOptions WithCorrections(const char* pszUnit, double dTolerancePct, int nDecimals) {
    ParcelOptions options;
    options.stone.pUnit = FindWeightUnit(pszUnit);
    options.stone.bTolerance = dTolerancePct > 0;
    options.stone.dTolerancePct = dTolerancePct;
    options.nDecimals = nDecimals;
    return options;
}

// Each row keeps its place with its weight or the reason it has none; rows without any value and
// a total row at the end pass through unweighed.
TEST(Parcel, EachRowInItsPlaceWithItsWeightOrTheReason) {
    struct Row {
        const char* input;
        const char* added;              // what the parcel writes after the row's fields
        const char* written = nullptr;  // the row's fields as written, when not as they came
    };
    const Row rows[] = {
        {"1,Round Brilliant,6.5,,3.9,2,,", "1.059709,2.119418,"},
        {"2,ovel,6,4,3,,,", ",,unknown shape 'ovel'; did you mean Oval?"},
        {"3,oval,,4,3,,,", ",,no length"},
        {"", ",,", ",,,,,,,"},
        {"4,heart,6,4,3mm,,,", "0.432000,0.432000,"},
        {"5,round,6.5,6.5,3.9,,,", ",,Round Brilliant has no width"},
        {"6,pear,6,,3,,,", ",,no width"},
        {"7,oval,6,4,3,2.5,,", ",,count '2.5' is not a whole number of stones"},
        {"9,oval,6,4,3,,,glass", ",,unknown gem 'glass'"},
        {"10,oval,6,4,3", ",,5 fields where the header has 8", "10,oval,6,4,3,,,"},
        {"11,oval,6,4,3,0,,", "0.487500,0.000000,"},
        {"12,oval,1e999,4,3,,,", ",,length '1e999' is not a number"},
        {"13, OVAL ,7.2, 4 ,3,1,thick,RUBY", "0.715756,0.715756,"},
        {"14,marquise,1,6,3,,,",
         ",,\"the width 6 mm is above the length 1 mm, and the length of a Marquise Brilliant is "
         "its longer measure\""},
        {"15,oval,-6,4,3,,,", ",,the length -6 mm is not above 0"},
        {"16,oval,1e200,1e200,1e200,,,",
         ",,these measures give no finite weight (are they in mm?)"},
        {"17,oval,6,4,3,,Medium to Slightly Thick,", "0.492375,0.492375,"},
        {"18,oval,6,4,3,,THN-MED,", "0.482625,0.482625,"},
        {"19,oval,6,4,3,,,,", "0.487500,0.487500,", "19,oval,6,4,3,,,"},
        {"20,round,6.5 mm,,3.9mm,,,", "1.059709,1.059709,"},
        {"21,round,6.5 cm,,3.9,,,", ",,\"length '6.5 cm' is in cm, not mm\""},
        {" ,,\t,,,,,", ",,"},
        {"22,oval,6,4,3,,,rubi", ",,unknown gem 'rubi'; did you mean ruby?"},
        {",Total,,,,5,,", ",,"},
    };
    std::string input = "id,shape,length,width,depth,count,girdle,gem\n";
    std::string expected = "id,shape,length,width,depth,count,girdle,gem,carat,lot_carat,error\n";
    for (const Row& row : rows) {
        input += std::string(row.input) + "\n";
        expected += std::string(row.written ? row.written : row.input) + "," + row.added + "\n";
    }
    const Weighed weighed = Weigh(input);
    EXPECT_EQ(expected, weighed.strOut);
    EXPECT_EQ("rows 21, stones 8, total 5.789383 ct, rows in error 13\n", weighed.strMessages);
    EXPECT_EQ(EParcelStatus::kRowErrors, weighed.eStatus);
}

// The total is the sum of the weights as the rows print them, to the last digit, also where a
// weight lies so near a half of its last digit that its printing takes the exact conversion.
TEST(Parcel, TheTotalAddsUpWhatTheRowsPrint) {
    const char* const apszShape[] = {"round", "oval", "pear", "heart"};
    std::string input = "shape,length,width,depth\n";
    for (int i = 0; i < 3000; ++i) {
        const double dWidth = 2.0 + (i * 37 % 900) / 100.0;
        const bool bRound = i % 4 == 0;
        input += std::string(apszShape[i % 4]) + "," + FormatFixed(dWidth * (bRound ? 1 : 1.3), 2) +
                 "," + (bRound ? "" : FormatFixed(dWidth, 2)) + "," +
                 FormatFixed(dWidth * 0.61, 2) + "\n";
    }
    const Weighed weighed = Weigh(input, {}, 4096);
    std::uint64_t nMicrocarats = 0;
    std::istringstream lines(weighed.strOut);
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        const std::string carat = line.substr(line.rfind(',', line.size() - 2) + 1);
        nMicrocarats += std::stoull(carat.substr(0, carat.find('.'))) * 1000000 +
                        std::stoull(carat.substr(carat.find('.') + 1, 6));
    }
    const std::string total = std::to_string(nMicrocarats / 1000000) + "." +
                              std::to_string(1000000 + nMicrocarats % 1000000).substr(1);
    EXPECT_EQ("rows 3000, stones 3000, total " + total + " ct, rows in error 0\n",
              weighed.strMessages);
}

// Under the measured model each row names its model, with --interval its range where weighed
// stones measure the model, and against a column of weighed weights its deviation; the
// deviations by shape close the messages.
TEST(Parcel, ModelsRangesAndDeviationsFromWeighedStones) {
    ParcelOptions options;
    options.stone.bMeasured = options.stone.bInterval = true;
    options.strAgainst = "Weighed (ct)";
    const Weighed weighed = Weigh(
        "shape,length,width,depth,table,weighed\nround,6.5,,3.9,57,1.01\nround,6.45,,3.95,,0.99\n"
        "oval,6,4,3,,0.48\nemerald,7,5,3.2,,1.00\nsquare,6,,3,,0.9\nround,5,,3,,\n",
        options);
    EXPECT_EQ(
        "shape,length,width,depth,table,weighed,carat,carat_range_low,carat_range_high,model,"
        "deviation_pct,error\n"
        "round,6.5,,3.9,57,1.01,0.994852,0.975949,1.022707,measured+table,-1.50,\n"
        "round,6.45,,3.95,,0.99,1.005056,0.982945,1.031188,measured,+1.52,\n"
        "oval,6,4,3,,0.48,0.465000,,,field-rule,-3.12,\n"
        "emerald,7,5,3.2,,1.00,1.003520,,,field-rule,+0.35,\n"
        "square,6,,3,,0.9,0.936000,,,window,+4.00,\n"
        "round,5,,3,,,0.452386,0.441529,0.464601,measured,,\n",
        weighed.strOut);
    EXPECT_EQ(
        "rows 6, stones 6, total 4.856814 ct, rows in error 0\n"
        "against Weighed (ct), Round Brilliant, 2 stones: bias -1.50 %, median error 1.50 %, 90th "
        "percentile 1.52 %\n"
        "against Weighed (ct), Oval Brilliant, 1 stone: bias -3.12 %, median error 3.12 %, 90th "
        "percentile 3.12 %\n"
        "against Weighed (ct), Emerald Cut, 1 stone: bias +0.35 %, median error 0.35 %, 90th "
        "percentile 0.35 %\n"
        "against Weighed (ct), Square Trillion, 1 stone: bias +4.00 %, median error 4.00 %, 90th "
        "percentile 4.00 %\n"
        "against Weighed (ct), all shapes, 5 stones: bias +0.35 %, median error 1.52 %, 90th "
        "percentile 4.00 %\n",
        weighed.strMessages);
    options.strAgainst = "scale";
    EXPECT_EQ("the header names no column scale of weighed weights to compare with (--against)\n",
              Weigh("shape,length,depth\n", options).strMessages);
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
         "id,shape,length,width,depth\r\n\"A,1\",oval,6,4,3\r\n2,round,6.5,,3.9\r\n3,ovale,6,6,"
         "4\r\n",
         "id,shape,length,width,depth,carat,error\r\n\"A,1\",oval,6,4,3,0.487500,\r\n"
         "2,round,6.5,,3.9,1.059709,\r\n3,ovale,6,6,4,,unknown shape 'ovale'; did you mean "
         "Oval?\r\n",
         "rows 3, stones 2, total 1.547209 ct, rows in error 1\n",
         EParcelStatus::kRowErrors},
        {"CR alone ends the lines of older exports",
         {},
         "shape;length;depth\rround;6,5;3,9\r",
         "shape;length;depth;carat;error\rround;6,5;3,9;1,059709;\r",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"semicolon: a comma read is written, mark and CR LF kept",
         {},
         "\xEF\xBB\xBFshape;length;depth\r\nround;6,5;3.9\r\nround;6.5;3.9\r\n",
         "\xEF\xBB\xBFshape;length;depth;carat;error\r\nround;6,5;3.9;1,059709;\r\n"
         "round;6.5;3.9;1.059709;\r\n",
         "rows 2, stones 2, total 2.119418 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"points, a tolerance and a count", WithCorrections("pt", 10, 6),
         "shape;diameter;depth;count\nround;6,5;3,9;3\n",
         "shape;diameter;depth;count;points;points_low;points_high;lot_points;error\n"
         "round;6,5;3,9;3;105,970922;95,373830;116,568014;317,912766;\n",
         "rows 1, stones 3, total 317,912766 pt (286,121489 to 349,704043), rows in error 0\n",
         EParcelStatus::kWeighed},
        {"tab: a comma read is written",
         {},
         "shape\tlength\tdepth\nround\t6,5\t3,9\n",
         "shape\tlength\tdepth\tcarat\terror\nround\t6,5\t3,9\t1,059709\t\n",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"comma delimiter: a quoted comma is a decimal comma",
         {},
         "shape,length,depth\nround,\"6,5\",3.9\n",
         "shape,length,depth,carat,error\nround,\"6,5\",3.9,\"1,059709\",\n",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"--decimal comma", comma, "shape,length,depth\nround,\"6,5\",\"3,9\"\n",
         "shape,length,depth,carat,error\nround,\"6,5\",\"3,9\",\"1,059709\",\n",
         "rows 1, stones 1, total 1,059709 ct, rows in error 0\n", EParcelStatus::kWeighed},
        {"--decimal point", point, "shape;length;depth\nround;6,5;3.9\n",
         "shape;length;depth;carat;error\nround;6,5;3.9;;length '6,5' is not a number\n",
         "rows 1, stones 0, total 0.000000 ct, rows in error 1\n", EParcelStatus::kRowErrors},
        {"a weighed table weighed again: its weight columns replaced", WithCorrections("g", 10, 3),
         "shape,length,width,depth,count,carat,Error\noval,6,4,3,4,1,x\n",
         "shape,length,width,depth,count,grams,grams_low,grams_high,lot_grams,error\n"
         "oval,6,4,3,4,0.098,0.088,0.107,0.390,\n",
         "rows 1, stones 4, total 0.390 g (0.351 to 0.429), rows in error 0\n",
         EParcelStatus::kWeighed},
        {"a weight column of the user's own is kept",
         {},
         "shape,length,depth,Carat (ct)\nround,6.5,3.9,1.05\n",
         "shape,length,depth,Carat (ct),estimated_carat,error\nround,6.5,3.9,1.05,1.059709,\n",
         "the table has a weight column of its own, kept as it is; the estimates go to "
         "estimated_carat\nrows 1, stones 1, total 1.059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"and so it stays when weighed again",
         {},
         "shape,length,depth,carat,estimated_carat,error\nround,6.5,3.9,1.05,7,x\n",
         "shape,length,depth,carat,estimated_carat,error\nround,6.5,3.9,1.05,1.059709,\n",
         "the table has a weight column of its own, kept as it is; the estimates go to "
         "estimated_carat\nrows 1, stones 1, total 1.059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"a user's own estimated_carat beside its carat: refused, never written twice",
         {},
         "shape,length,depth,carat,Estimated Carat\nround,6.5,3.9,1.05,1\n",
         "",
         "the table has a column 'Estimated Carat' of its own, and the estimates would go to a "
         "column of that name: rename it\n",
         EParcelStatus::kBadHeader},
        {"header names with units and synonyms, depth in %",
         {},
         "Shape,Length (mm),Width_mm,Depth %\noval,6,4,75\n",
         "Shape,Length (mm),Width_mm,Depth %,carat,error\noval,6,4,75,0.487500,\n",
         "rows 1, stones 1, total 0.487500 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"l, w, d and a height kept as it is",
         {},
         "L,W,D,Shape,Height\n6,4,3,oval,9\n",
         "L,W,D,Shape,Height,carat,error\n6,4,3,oval,9,0.487500,\n",
         "rows 1, stones 1, total 0.487500 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"a round's min and max diameter, and a height for the depth",
         {},
         "shape,min. diameter,Diameter_Max,height\nround,6.45,6.55,3.9\n",
         "shape,min. diameter,Diameter_Max,height,carat,error\nround,6.45,6.55,3.9,1.059709,\n",
         "rows 1, stones 1, total 1.059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"what needs quotes is written quoted, header included",
         {},
         "\"a,b\",shape,length,depth\nab\"c,round,6.5,3.9\n",
         "\"a,b\",shape,length,depth,carat,error\n\"ab\"\"c\",round,6.5,3.9,1.059709,\n",
         "rows 1, stones 1, total 1.059709 ct, rows in error 0\n",
         EParcelStatus::kWeighed},
        {"a total row passes only as the table's last",
         {},
         "shape,length,depth\nTotal,6.5,3.9\nround,6.5,3.9\n,1,2\n,,\n",
         "shape,length,depth,carat,error\nTotal,6.5,3.9,,\"'Total' names a total row, which "
         "passes unweighed only as the table's last row\"\nround,6.5,3.9,1.059709,\n,1,2,,\n"
         ",,,,\n",
         "rows 2, stones 1, total 1.059709 ct, rows in error 1\n",
         EParcelStatus::kRowErrors},
        {"a row past the longest row", maxLine,
         "shape,length,depth,note\nround,6.5,3.9,"
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n"
         "round,6.5,3.9,ok\n",
         "shape,length,depth,note,carat,error\n,,,,,longer than 40 bytes (--max-line)\n"
         "round,6.5,3.9,ok,1.059709,\n",
         "row 2: longer than 40 bytes (--max-line), not read\n"
         "rows 2, stones 1, total 1.059709 ct, rows in error 1\n",
         EParcelStatus::kTooLong},
        {"a stray quote: its lines read again as rows",
         {},
         "id,shape,length,depth\n1,round,6.5,3.9\n\"2,round,6.5,3.9\n3,round,6.5,3.9\n",
         "id,shape,length,depth,carat,error\n1,round,6.5,3.9,1.059709,\n\"\"\"2\",round,6.5,3.9,,"
         "a quote opened in this row is not closed; the 1 line it took in are read as rows again\n"
         "3,round,6.5,3.9,1.059709,\n",
         "rows 3, stones 2, total 2.119418 ct, rows in error 1\n",
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
         "diameter (or min and max diameter), width, depth (in mm, or depth %), and optionally "
         "id, count, girdle, gem, table %)\n",
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
        {"a measure in another unit",
         {},
         "shape,Length (cm),depth\n",
         "",
         "the column 'Length (cm)' is in cm, and its numbers are read in mm\n",
         EParcelStatus::kBadHeader},
        {"a min diameter without a max",
         {},
         "shape,min diameter,depth\n",
         "",
         "the header names a min diameter or a max diameter column without the other; a round "
         "stone weighs at their mean\n",
         EParcelStatus::kBadHeader},
    };
    for (const Row& row : rows) {
        for (std::size_t nChunk : {1, 7, 4096}) {
            const Weighed weighed = Weigh(row.input, row.options, nChunk);
            EXPECT_EQ(row.output, weighed.strOut) << row.name << ", chunks of " << nChunk;
            EXPECT_EQ(row.messages, weighed.strMessages) << row.name << ", chunks of " << nChunk;
            EXPECT_EQ(row.eStatus, weighed.eStatus) << row.name << ", chunks of " << nChunk;
        }
        // What a parcel writes, it reads back to the same records.
        const std::string written = Weigh(row.input, row.options).strOut;
        EXPECT_EQ(UsersRecords(written), UsersRecords(Weigh(written, row.options).strOut))
            << row.name << ", weighed again";
    }
}

}  // namespace
