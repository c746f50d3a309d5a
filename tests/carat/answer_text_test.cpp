// The answer field's text: fixed six decimals in any locale and at any size, or the error text.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "answer_text.h"

namespace {

TEST(AnswerText, ShowsTheValueWithSixDecimals) {
    struct Row {
        double value;
        const char* text;
    };
    for (const Row row : {Row{0.4875, "0.487500"}, Row{0.0, "0.000000"}, Row{-2.5, "-2.500000"},
                          Row{0.52488, "0.524880"}, Row{1e-7, "0.000000"},
                          Row{0.0000006, "0.000001"}, Row{123456789.0, "123456789.000000"}}) {
        EXPECT_EQ(row.text, AnswerText(row.value, 0, "")) << "value " << row.value;
    }
}

TEST(AnswerText, ErrorsShowTheirTexts) {
    EXPECT_EQ("???? (Division durch Null)", AnswerText(1.0, 0, " (Division durch Null)"));
    EXPECT_EQ("XXX!", AnswerText(2.0, 3, "XXX!"));
    EXPECT_EQ("XXX (Division durch Null)!", AnswerText(1.0, 4, "XXX (Division durch Null)!"));
    EXPECT_EQ("????Error in Calculation() weil std::bad_alloc",
              AnswerText(0.0, 0, "Error in Calculation() weil std::bad_alloc"));
}

TEST(AnswerText, HugeValuesAreShownInFull) {
    const std::string text = AnswerText(1e300, 0, "");
    EXPECT_EQ(301u + 7u, text.size()) << text;
    EXPECT_EQ("1000000000000000052504760255204420248704", text.substr(0, 40));
    EXPECT_EQ(".000000", text.substr(text.size() - 7));
    const std::string largest = AnswerText(-std::numeric_limits<double>::max(), 0, "");
    EXPECT_EQ(1u + 309u + 7u, largest.size());
}

TEST(AnswerText, InfinitiesAndNotANumber) {
    EXPECT_EQ("inf", AnswerText(std::numeric_limits<double>::infinity(), 0, ""));
    EXPECT_EQ("-inf", AnswerText(-std::numeric_limits<double>::infinity(), 0, ""));
    EXPECT_EQ("nan", AnswerText(std::numeric_limits<double>::quiet_NaN(), 0, ""));
}

TEST(AnswerText, DecimalSeparatorIsAPointInEveryLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const std::string text = AnswerText(1234.5, 0, "");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ("1234.500000", text);
}

}  // namespace
