// Decimal numbers read and written as text the same in every locale, and ASCII letter case.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "ascii_case.h"
#include "decimal_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = std::numeric_limits<double>::max();

TEST(ReadDecimal, TakesDigitsAPointAndAnExponentWithADigit) {
    const std::string k292Zeros(292, '0');
    struct Row {
        const char* name;
        std::string text;
        std::size_t taken;  // 0: no number
        double value;
        bool outOfRange;
        char point;
    };
    for (const Row& row : {
             Row{"fraction", "6.5", 3, 6.5, false, '.'},
             Row{"no whole part, then text", ".5x", 2, 0.5, false, '.'},
             Row{"no fraction digits", "5.", 2, 5.0, false, '.'},
             Row{"a point alone", ".e1", 0, 0.0, false, '.'},
             Row{"no sign", "-1", 0, 0.0, false, '.'},
             Row{"no inf", "inf", 0, 0.0, false, '.'},
             Row{"no hexadecimal", "0x10", 1, 0.0, false, '.'},
             Row{"one point", "1.2.3", 3, 1.2, false, '.'},
             Row{"exponent", "1E-2", 4, 0.01, false, '.'},
             Row{"exponent without a digit", "1e+x", 1, 1.0, false, '.'},
             Row{"the comma as the point", "6,5", 3, 6.5, false, ','},
             Row{"the comma as no point", "6,5", 1, 6.0, false, '.'},
             Row{"sixteen decimals", ".1000000000000001", 17, 0.1000000000000001, false, '.'},
             // Two roundings (of the digits, then of their quotient) would miss by a unit here.
             Row{"sixteen digits", "9723.984562769303", 17, 9723.984562769303, false, '.'},
             Row{"seventeen digits", "9988651945.6742734", 18, 9988651945.674273, false, '.'},
             Row{"leading zeros", std::string(398, '0') + "7", 399, 7.0, false, '.'},
             Row{"the largest double", "17976931348623157" + k292Zeros, 309, kMax, false, '.'},
             Row{"too many digits", "17976931348623159" + k292Zeros, 309, kInf, true, '.'},
             Row{"too large an exponent", "1e400", 5, kInf, true, '.'},
             Row{"too small an exponent", "10e-400", 7, 0.0, true, '.'},
             Row{"too small a fraction", "0," + std::string(330, '0') + "1", 333, 0.0, true, ','},
             Row{"smallest subnormal", "4.9e-324", 8, 4.9406564584124654e-324, false, '.'},
             Row{"largest subnormal", "2.2250738585072011e-308", 23, 0x0.fffffffffffffp-1022, false,
                 '.'},
             Row{"a tie to the even 2^53", "9007199254740993", 16, 0x1p53, false, '.'},
             Row{"a tie to the even 2^53+4", "9007199254740995", 16, 0x1.0000000000002p53, false,
                 '.'},
             Row{"1 + 2^-53 exactly, a tie to 1",
                 "1.00000000000000011102230246251565404236316680908203125", 55, 1.0, false, '.'},
             Row{"just above the tie", "1,000000000000000111022302462515654042363166809082031251",
                 56, 0x1.0000000000001p0, false, ','},
             Row{"17 digits", "0.30000000000000004", 19, 0.1 + 0.2, false, '.'},
         }) {
        const char* first = row.text.c_str();
        const DecimalRead read = ReadDecimal(first, first + row.text.size(), row.point);
        EXPECT_EQ(row.taken, static_cast<std::size_t>(read.pEnd - first)) << row.name;
        EXPECT_EQ(row.value, read.dValue) << row.name;
        EXPECT_EQ(row.outOfRange, read.bOutOfRange) << row.name;
    }
}

TEST(FormatText, FixedAndGeneralAsPrintfWritesThem) {
    struct Row {
        double value;
        int digits;
        bool general;  // "%.*g", else "%.*f"
        std::string text;
    };
    for (const Row& row : {
             Row{0.4875, 6, false, "0.487500"},
             Row{-1e-7, 6, false, "-0.000000"},
             Row{-0.0, 6, false, "-0.000000"},
             Row{0.0000006, 6, false, "0.000001"},
             Row{2.5, 0, false, "2"},
             Row{-kInf, 6, false, "-inf"},
             Row{std::nan(""), 6, false, "nan"},
             Row{1e20, 6, false, "100000000000000000000.000000"},
             Row{0.1 + 0.2, 15, true, "0.3"},
             Row{-0.0, 15, true, "-0"},
             Row{1234567890123456.0, 15, true, "1.23456789012346e+15"},
             Row{0.00001, 15, true, "1e-05"},
             Row{kInf, 15, true, "inf"},
         }) {
        EXPECT_EQ(row.text, row.general ? FormatGeneral(row.value, row.digits)
                                        : FormatFixed(row.value, row.digits))
            << row.value << " with " << row.digits << (row.general ? " digits" : " decimals");
    }
    EXPECT_EQ(1u + 309u + 7u, FormatFixed(-kMax).size()) << "every digit of the largest double";
}

// The short path for everyday values against the exact conversion, ties and near-ties included.
TEST(FormatText, FixedDigitsAreTheExactConversionsDigits) {
    std::uint64_t state = 1;
    for (int i = 0; i < 200000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const int decimals = static_cast<int>(state >> 60) % 10;
        // Mostly gem-sized values, then exact ties k/2^n, half a unit of the last decimal apart.
        double value =
            static_cast<double>(state >> 20) / 1e9 / static_cast<double>(1 + (state & 1023));
        if (i % 3 == 0) value = static_cast<double>(state >> 44) / 1024.0;
        if (i % 5 == 0) value = -value;
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.*f", decimals, value);
        ASSERT_EQ(exact, FormatFixed(value, decimals))
            << std::hexfloat << value << " with " << decimals << " decimals";
    }
}

TEST(ParseDecimal, TakesAWholeSignedNumberOrSaysWhyNot) {
    struct Row {
        const char* text;
        bool ok;
        double value;
        const char* error;
    };
    for (const Row& row : {
             Row{"6.5", true, 6.5, ""},
             Row{"+2", true, 2.0, ""},
             Row{"-0", true, -0.0, ""},
             Row{"-1.5E+3", true, -1500.0, ""},
             Row{"6,5", false, 0, "'6,5' is not a decimal number (write it like 6.5, -0 or 1e-99)"},
             Row{"--1", false, 0, "'--1' is not a decimal number (write it like 6.5, -0 or 1e-99)"},
             Row{"", false, 0, "'' is not a decimal number (write it like 6.5, -0 or 1e-99)"},
             Row{"1e999", false, 0, "'1e999' is out of the range of a double"},
         }) {
        const DecimalParse parse = ParseDecimal(row.text);
        EXPECT_EQ(row.ok, parse.bOk) << row.text;
        EXPECT_EQ(row.error, parse.strError) << row.text;
        if (row.ok) {
            EXPECT_EQ(row.value, parse.dValue) << row.text;
            EXPECT_EQ(std::signbit(row.value), std::signbit(parse.dValue)) << row.text;
        }
    }
}

TEST(DecimalText, ThePointStaysAPointInACommaLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    const char text[] = "1234.5e0";
    const DecimalRead read = ReadDecimal(text, text + 8);
    const std::string fixed = FormatFixed(1234.5), general = FormatGeneral(1234.5, 15);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(1234.5, read.dValue);
    EXPECT_EQ("1234.500000", fixed);
    EXPECT_EQ("1234.5", general);
}

TEST(AsciiCase, FoldsOnlyTheLettersAToZ) {
    EXPECT_EQ("AZ@[`{\xE9", AsciiUpper("az@[`{\xE9"));
    EXPECT_EQ("az@[`{\xC9", AsciiLower("AZ@[`{\xC9"));
    EXPECT_TRUE(EqualIgnoringAsciiCase("Cubic Zirconia", "cUBIC zIRCONIA"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("thick", "thick "));
}

}  // namespace
