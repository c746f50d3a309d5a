// The number exchange's reading as scanf "%lf" reads: blanks, a sign, inf and nan, and the
// number's end wherever the text goes on; '.' as the point in any locale.
#include <gtest/gtest.h>

#include <cmath>

#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");
constexpr double kNone = -42.0;  // no number: the value is left as it was

// Any NaN matches a NaN; every other value must match with the sign of its zero.
void ExpectRead(const char* pszText, double dExpected) {
    double dValue = kNone;
    EXPECT_EQ(dExpected != kNone, AfxParseDouble(pszText, dValue)) << "\"" << pszText << "\"";
    EXPECT_TRUE(std::isnan(dExpected)
                    ? std::isnan(dValue)
                    : dExpected == dValue && std::signbit(dExpected) == std::signbit(dValue))
        << "\"" << pszText << "\" gave " << dValue;
}

TEST(AfxParseDouble, ReadsOneNumberAsScanfPercentLf) {
    const std::pair<const char*, double> kRows[] = {
        {"12abc", 12.0},    {"6,5", 6.0},    {"\t\n\v\f\r 3.25e-1", 0.325},
        {"", kNone},        {"   ", kNone},  {"abc", kNone},
        {"-", kNone},       {"- 5", kNone},  {".", kNone},
        {"+.5", 0.5},       {"-0", -0.0},    {"-1e400", -kInf},
        {"INFINITY", kInf}, {"-Inf", -kInf}, {"infx", kInf},
        {"NaN", kNaN},      {"-nan", kNaN},  {"  NAN(123)", kNaN}};
    for (const auto& [pszText, dValue] : kRows)
        ExpectRead(pszText, dValue);
}

TEST(AfxParseDouble, TakesThePointAndStopsAtTheCommaInACommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    ExpectRead("3.25", 3.25);
    ExpectRead("6,5", 6.0);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
