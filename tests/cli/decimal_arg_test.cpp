// Command-line values: whole decimal numbers only, with a reason for every refusal.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "decimal_arg.h"

namespace {

TEST(DecimalArg, AcceptsWholeDecimalNumbers) {
    struct Row {
        const char* text;
        double value;
    };
    for (const Row row :
         {Row{"6.5", 6.5}, Row{"6", 6.0}, Row{"-0", -0.0}, Row{"1e-99", 1e-99}, Row{".5", 0.5},
          Row{"5.", 5.0}, Row{"+2", 2.0}, Row{"-1.5E+3", -1500.0}, Row{"0.1", 0.1}}) {
        const DecimalArg arg = ParseDecimalArg(row.text);
        EXPECT_TRUE(arg.ok) << row.text << ": " << arg.error;
        EXPECT_EQ(row.value, arg.value) << row.text;
    }
    EXPECT_TRUE(std::signbit(ParseDecimalArg("-0").value)) << "-0 keeps its sign";
}

TEST(DecimalArg, RefusesEverythingElse) {
    for (const char* text : {"", "abc", "6,5", "6.5x", "1e", "1e+", ".", "-", "inf", "nan", "0x10",
                             " 6", "6 ", "--1", "1e999", "1e-999", "1.2.3"}) {
        const DecimalArg arg = ParseDecimalArg(text);
        EXPECT_FALSE(arg.ok) << "'" << text << "' was taken as " << arg.value;
        EXPECT_NE(std::string::npos, arg.error.find(std::string("'") + text + "'"))
            << "the reason names the text: " << arg.error;
    }
}

}  // namespace
