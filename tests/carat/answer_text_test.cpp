// The answer field's text: fixed six decimals in any locale and at any size, or the error text.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "answer_text.h"

namespace {

TEST(AnswerText, ValuesInFixedSixDecimalsErrorsAsTheirTexts) {
    const double kInf = std::numeric_limits<double>::infinity();
    struct Row {
        double value;
        std::uint16_t position;
        std::string error, text;
    };
    for (const Row& row :
         {Row{0.4875, 0, "", "0.487500"}, Row{-2.5, 0, "", "-2.500000"},
          Row{0.0000006, 0, "", "0.000001"}, Row{1e-7, 0, "", "0.000000"}, Row{kInf, 0, "", "inf"},
          Row{-kInf, 0, "", "-inf"},
          Row{1.0, 0, " (Division durch Null)", "???? (Division durch Null)"},
          Row{2.0, 3, "XXX!", "XXX!"},
          Row{1.0, 4, "XXX (Division durch Null)!", "XXX (Division durch Null)!"}}) {
        EXPECT_EQ(row.text, AnswerText(row.value, row.position, row.error))
            << "value " << row.value << ", position " << row.position << ", error " << row.error;
    }
}

TEST(AnswerText, HugeValuesAreShownInFull) {
    const std::string text = AnswerText(1e300, 0, "");
    EXPECT_EQ("1000000000000000052504760255204420248704", text.substr(0, 40));
    EXPECT_EQ(301u + 7u, text.size()) << text;
    EXPECT_EQ(1u + 309u + 7u, AnswerText(-std::numeric_limits<double>::max(), 0, "").size());
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
