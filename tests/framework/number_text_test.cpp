// The number exchange's reading and writing: scanf "%lf" and "%.*g" 15, in any locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "decimal_text.h"
#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ScanCase {
    const char* pszText;
    bool bNumber;
    double dValue;  // expected when bNumber
};

// What scanf("%lf") makes of a field's text, with '.' as the only decimal point.
const ScanCase kScanCases[] = {
    {"12abc", true, 12.0},   {"6,5", true, 6.0},       {"\t\n\v\f\r 3.25e-1", true, 0.325},
    {"", false, 0.0},        {"   ", false, 0.0},      {"abc", false, 0.0},
    {"-", false, 0.0},       {".", false, 0.0},        {"-.e1", false, 0.0},
    {"- 5", false, 0.0},     {"+.5", true, 0.5},       {"5.", true, 5.0},
    {".5.", true, 0.5},      {"1e5x", true, 100000.0}, {"1e+", true, 1.0},
    {"1E-2", true, 0.01},    {"0x10", true, 0.0},      {"1e400", true, kInf},
    {"-1e400", true, -kInf}, {"1e-400", true, 0.0},    {"INFINITY", true, kInf},
    {"-Inf", true, -kInf},   {"infx", true, kInf},     {"4.9e-324", true, 4.9406564584124654e-324}};

struct FormatCase {
    double dValue;
    const char* pszText;
};

// "%.*g" with precision 15.
const FormatCase kFormatCases[] = {{0.0, "0"},
                                   {-0.0, "-0"},
                                   {-2.5, "-2.5"},
                                   {1e21, "1e+21"},
                                   {0.1 + 0.2, "0.3"},
                                   {1.0 / 3.0, "0.333333333333333"},
                                   {1234567890123456.0, "1.23456789012346e+15"},
                                   {0.00001, "1e-05"},
                                   {kInf, "inf"}};

void ExpectScanTable() {
    for (const ScanCase& c : kScanCases) {
        double dValue = -42.0;
        const bool bNumber = AfxParseDouble(c.pszText, dValue);
        ASSERT_EQ(c.bNumber, bNumber) << "text \"" << c.pszText << "\"";
        if (!c.bNumber) {
            EXPECT_EQ(-42.0, dValue) << "text \"" << c.pszText << "\" must leave the value alone";
            continue;
        }
        EXPECT_EQ(c.dValue, dValue) << "text \"" << c.pszText << "\"";
        EXPECT_EQ(std::signbit(c.dValue), std::signbit(dValue)) << "text \"" << c.pszText << "\"";
    }
}

void ExpectFormatTable() {
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(c.pszText, FormatGeneral(c.dValue, 15)) << "value " << c.dValue;
}

// Switches the process to a comma-decimal locale for one test and back to "C" after it.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
            GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
        ASSERT_STREQ(",", std::localeconv()->decimal_point);
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

}  // namespace

TEST(NumberScan, ReadsOneNumberLikeScanfPercentLf) {
    ExpectScanTable();
}

TEST(NumberScan, NegativeZeroKeepsItsSignAndNotANumberIsReadInAnyCase) {
    double dValue = 1.0;
    ASSERT_TRUE(AfxParseDouble("-0", dValue));
    EXPECT_TRUE(dValue == 0.0 && std::signbit(dValue));
    for (const char* pszText : {"NaN", "-nan", "  NAN(123)"}) {
        ASSERT_TRUE(AfxParseDouble(pszText, dValue)) << pszText;
        EXPECT_TRUE(std::isnan(dValue)) << pszText;
    }
}

TEST(NumberScan, LongDigitSequencesConvertExactly) {
    struct {
        std::string strText;
        double dValue;
    } const kCases[] = {
        {"17976931348623157" + std::string(292, '0'), 1.7976931348623157e308},
        {"17976931348623159" + std::string(292, '0'), kInf},
        {"0." + std::string(330, '0') + "1", 0.0},
        {std::string(398, '0') + "7", 7.0},
    };
    for (const auto& c : kCases) {
        double dValue = -1.0;
        ASSERT_TRUE(AfxParseDouble(c.strText.c_str(), dValue)) << c.strText.size() << " characters";
        EXPECT_EQ(c.dValue, dValue) << c.strText.size() << " characters";
    }
}

TEST(NumberFormat, WritesPercentGWithPrecision15) {
    ExpectFormatTable();
    EXPECT_EQ("nan", FormatGeneral(std::nan(""), 15));
}

TEST(NumberFormat, ReadsBackWhatItWrote) {
    for (double dValue : {0.1, 6.5, 1e-300, 123.456, -7.25e18}) {
        double dRead = 0.0;
        ASSERT_TRUE(AfxParseDouble(FormatGeneral(dValue, 15).c_str(), dRead)) << dValue;
        EXPECT_EQ(dValue, dRead);
    }
}

TEST_F(GermanLocale, ScanStillTakesThePointAndStopsAtTheComma) {
    ExpectScanTable();
}

TEST_F(GermanLocale, FormatStillWritesThePoint) {
    ExpectFormatTable();
}
