// The answer field's text: fixed six decimals in any locale and at any size, or the error text.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

#include "answer_text.h"
#include "decimal_text.h"

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

// The short path for everyday values against the exact conversion, ties and near-ties included.
TEST(AnswerText, FixedDigitsAreTheExactConversionsDigits) {
    std::uint64_t state = 1;
    for (int i = 0; i < 200000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const int decimals = static_cast<int>(state >> 60) % 10;
        // Mostly gem-sized values, then exact ties k/2^n, half a unit of the last decimal apart.
        double value =
            static_cast<double>(state >> 20) / 1e9 / static_cast<double>(1 + (state & 1023));
        if (i % 3 == 0) value = static_cast<double>(state >> 44) / 1024.0;
        if (i % 5 == 0) value = -value;
        char exact[400];
        const auto end =
            std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed, decimals)
                .ptr;
        ASSERT_EQ(std::string(exact, end), FormatFixed(value, decimals))
            << std::hexfloat << value << " with " << decimals << " decimals";
    }
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
