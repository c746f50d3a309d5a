// velastro-cli batch in process: every row keeps its place, errors name their reason, numbers
// read and write in the input's decimal mark, and the exit status says what happened.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "batch_command.h"

namespace {

struct BatchRun {
    int status;
    std::string out;
    std::string err;
};

BatchRun Batch(const std::string& input, BatchOptions options = {}) {
    std::FILE* file = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), file);
    std::rewind(file);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunBatch(options, file, out, err);
    std::fclose(file);
    return {status, out.str(), err.str()};
}

TEST(Batch, OneOvalRowGivesTheWindowsNumber) {
    const BatchRun run = Batch("shape,length,width,depth\noval,6,4,3\n");
    EXPECT_EQ("shape,length,width,depth,carat,error\noval,6,4,3,0.487500,\n", run.out);
    EXPECT_EQ("velastro-cli batch: rows 1, stones 1, total 0.487500 ct, rows in error 0\n",
              run.err);
    EXPECT_EQ(0, run.status);
}

TEST(Batch, EachRowKeepsItsPlaceWithItsReason) {
    struct Row {
        const char* input;  // id,shape,length,width,depth,count,girdle,gem
        const char* carat;
        const char* error;
    };
    const Row rows[] = {
        {"1,Round Brilliant,6.5,,3.9,2,,", "1.059709", ""},
        {"2,emerald,6,4,3,,,", "", "unknown shape 'emerald'"},
        {"3,oval,,4,3,,,", "", "no length"},
        {"4,heart,6,4,3mm,,,", "", "depth '3mm' is not a number"},
        {"5,round,6.5,6.5,3.9,,,", "", "Round Brilliant has no width"},
        {"6,pear,6,,3,,,", "", "no width"},
        {"7,oval,6,4,3,2.5,,", "", "count '2.5' is not a whole number of stones"},
        {"8,oval,6,4,3,,wavy,", "", "unknown girdle 'wavy'"},
        {"9,oval,6,4,3,,,glass", "", "unknown gem 'glass'"},
        {"10,oval,6,4,3", "", "5 fields where the header has 8"},
        {"11,oval,6,4,3,0,,", "0.487500", ""},
        {"12,oval,1e999,4,3,,,", "", "length '1e999' is not a number"},
    };
    for (const Row& row : rows) {
        const BatchRun run = Batch("id,shape,length,width,depth,count,girdle,gem\n" +
                                   std::string(row.input) + "\n\n1,oval,6,4,3,,,\n");
        const std::string error = row.error;
        const std::string fields = row.input + std::string(error == rows[9].error ? ",,," : "");
        EXPECT_NE(std::string::npos,
                  run.out.find('\n' + fields + ',' + row.carat + ',' + row.error + '\n'))
            << row.input << " gave\n"
            << run.out;
        EXPECT_NE(std::string::npos, run.out.find("\n1,oval,6,4,3,,,,0.487500,\n"))
            << "the row after " << row.input << " is still estimated";
        EXPECT_EQ(error.empty() ? 0 : 1, run.status) << row.input;
        EXPECT_NE(std::string::npos,
                  run.err.find(error.empty() ? "rows in error 0" : "rows in error 1"))
            << run.err;
    }
}

TEST(Batch, DecimalCommaWhereTheDelimiterAllowsIt) {
    struct Row {
        const char* name;
        std::string input;
        EDecimalMark mark;
        std::string written;
    };
    const Row rows[] = {
        {"semicolon: comma read and written", "\xEF\xBB\xBFshape;length;depth\r\nround;6,5;3.9\r\n",
         EDecimalMark::kAuto,
         "\xEF\xBB\xBFshape;length;depth;carat;error\r\nround;6,5;3.9;1,059709;\r\n"},
        {"tab: comma read, point written", "shape\tlength\tdepth\nround\t6,5\t3,9\n",
         EDecimalMark::kAuto, "round\t6,5\t3,9\t1.059709\t\n"},
        {"comma delimiter: a quoted comma is no number", "shape,length,depth\nround,\"6,5\",3.9\n",
         EDecimalMark::kAuto, "round,\"6,5\",3.9,,\"length '6,5' is not a number\"\n"},
        {"forced comma", "shape,length,depth\nround,\"6,5\",\"3,9\"\n", EDecimalMark::kComma,
         "round,\"6,5\",\"3,9\",\"1,059709\",\n"},
        {"forced point", "shape;length;depth\nround;6,5;3.9\n", EDecimalMark::kPoint,
         "round;6,5;3.9;;length '6,5' is not a number\n"},
    };
    for (const Row& row : rows) {
        BatchOptions options;
        options.decimalMark = row.mark;
        const BatchRun run = Batch(row.input, options);
        EXPECT_NE(std::string::npos, run.out.find(row.written)) << row.name << ":\n" << run.out;
    }
}

TEST(Batch, UnitsToleranceAndDecimalsShapeTheWeightColumns) {
    BatchOptions options;
    options.corrections.pUnit = FindWeightUnit("g");
    options.corrections.bTolerance = true;
    options.corrections.dTolerancePct = 10;
    options.decimals = 3;
    const BatchRun run =
        Batch("shape,length,width,depth,count,carat,Error\noval,6,4,3,4,1,x\n", options);
    EXPECT_EQ(
        "shape,length,width,depth,count,grams,grams_low,grams_high,error\n"
        "oval,6,4,3,4,0.098,0.088,0.107,\n",
        run.out)
        << "old weight and error columns are replaced, not repeated";
    EXPECT_EQ(
        "velastro-cli batch: rows 1, stones 4, total 0.390 g (0.351 to 0.429), rows in error 0\n",
        run.err);
}

TEST(Batch, RefusesAHeaderItCannotUse) {
    for (const char* header : {"", "shape,width,depth\n", "shape,length,diameter,depth\n",
                               "Shape,Length,SHAPE,depth\n"}) {
        const BatchRun run = Batch(header);
        EXPECT_EQ(2, run.status) << header;
        EXPECT_EQ("", run.out) << header;
        EXPECT_NE(std::string::npos, run.err.find("velastro-cli batch: ")) << run.err;
    }
}

TEST(Batch, ARowPastMaxLineIsReportedAndTheRunGoesOn) {
    BatchOptions options;
    options.maxLine = 40;
    const BatchRun run = Batch(
        "shape,length,depth,note\nround,6.5,3.9," + std::string(50, 'x') + "\nround,6.5,3.9,ok\n",
        options);
    EXPECT_EQ(
        "shape,length,depth,note,carat,error\n,,,,,longer than 40 bytes (--max-line)\n"
        "round,6.5,3.9,ok,1.059709,\n",
        run.out);
    EXPECT_NE(std::string::npos, run.err.find("row 2: longer than 40 bytes")) << run.err;
    EXPECT_EQ(3, run.status);
}

TEST(Batch, AnOpenQuoteIsNamedForTheRowItSwallows) {
    const BatchRun run = Batch("id,shape,length,depth\n1,round,6.5,3.9\n\"2,round,6.5,3.9\n");
    EXPECT_EQ(
        "id,shape,length,depth,carat,error\n1,round,6.5,3.9,1.059709,\n"
        "\"2,round,6.5,3.9\n\",,,,,a quoted field is not closed before the end of the input\n",
        run.out);
    EXPECT_EQ(1, run.status);
}

}  // namespace
