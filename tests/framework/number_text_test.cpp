// The number exchange's reading as scanf "%lf" reads: blanks, a sign, inf and nan, and the
// number's end wherever the text goes on; '.' as the point in any locale.
#include <gtest/gtest.h>

#include <cmath>

#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
constexpr double kNone = -42.0;  // no number: the value is left as it was

void ExpectRead(const char* pszText, double dExpected) {
    double dValue = kNone;
    EXPECT_EQ(dExpected != kNone, AfxParseDouble(pszText, dValue)) << "\"" << pszText << "\"";
    if (std::isnan(dExpected)) {
        EXPECT_TRUE(std::isnan(dValue)) << "\"" << pszText << "\" gave " << dValue;
        return;
    }
    EXPECT_EQ(dExpected, dValue) << "\"" << pszText << "\"";
    EXPECT_EQ(std::signbit(dExpected), std::signbit(dValue)) << "\"" << pszText << "\"";
}

TEST(AfxParseDouble, ReadsOneNumberAsScanfPercentLf) {
    struct Row {
        const char* pszText;
        double dValue;
    };
    for (const Row& row :
         {Row{"12abc", 12.0}, Row{"6,5", 6.0}, Row{"\t\n\v\f\r 3.25e-1", 0.325}, Row{"", kNone},
          Row{"   ", kNone}, Row{"abc", kNone}, Row{"-", kNone}, Row{"- 5", kNone}, Row{".", kNone},
          Row{"+.5", 0.5}, Row{"-0", -0.0}, Row{"-1e400", -kInf}, Row{"INFINITY", kInf},
          Row{"-Inf", -kInf}, Row{"infx", kInf}, Row{"NaN", kNaN}, Row{"-nan", kNaN},
          Row{"  NAN(123)", kNaN}})
        ExpectRead(row.pszText, row.dValue);
}

TEST(AfxParseDouble, TakesThePointAndStopsAtTheCommaInACommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    ExpectRead("3.25", 3.25);
    ExpectRead("6,5", 6.0);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
