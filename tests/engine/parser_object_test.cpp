// The parser object: constants, the message hook, reuse, and independence from the locale.
#include <gtest/gtest.h>

#include <clocale>

#include "evaluation.h"

namespace {

// Callers may copy a parser with its constants loaded, as they always could.
static_assert(std::is_copy_constructible_v<CFormulaParser> &&
              std::is_copy_assignable_v<CFormulaParser>);

std::string g_messages;  // every message, one after another
void RecordMessage(const std::string& text) {
    g_messages += text;
}

TEST(SetFunctConst, EachIndexFeedsItsLetter) {
    for (int index = 1; index <= 9; ++index) {
        CFormulaParser parser;
        parser.SetFunctConst(index, 7.5);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(k + 1 == index ? 7.5 : 0.0, Evaluate(parser, {"BFGHJKMNU"[k]}).dValue)
                << "after SetFunctConst(" << index << ", 7.5), letter "
                << "BFGHJKMNU"[k];
    }
}

TEST(SetFunctConst, IndexOutsideOneToNineReportsThroughTheHookAndStoresNothing) {
    const CFormulaParser::MessageHook previous = CFormulaParser::SetMessageHook(RecordMessage);
    for (const int index : {0, 10, -1, 1000}) {
        CFormulaParser parser;
        g_messages.clear();
        parser.SetFunctConst(index, 5.0);
        EXPECT_EQ("ProgrammError in SetFunctConst()", g_messages) << "index " << index;
        EXPECT_EQ(0.0, Evaluate(parser, "B+F+G+H+J+K+M+N+U+V").dValue) << "index " << index;
    }
    g_messages.clear();
    CFormulaParser().SetFunctConst(9, 1.0);
    EXPECT_TRUE(g_messages.empty()) << "a valid index raised a message";

    // Without a hook the engine stays silent. GoogleTest captures output by redirecting the
    // descriptors, which node's file system under WebAssembly does not do.
    CFormulaParser::SetMessageHook(nullptr);
#ifndef __EMSCRIPTEN__
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    CFormulaParser().SetFunctConst(0, 1.0);
    EXPECT_EQ("", testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr());
#endif
    CFormulaParser::SetMessageHook(previous);
}

TEST(Reuse, EachCalculationStartsCleanButConstantsStay) {
    CFormulaParser parser;
    parser.SetFunctConst(1, 6.0);
    EXPECT_EQ(" (Division durch Null)", Evaluate(parser, "1/0").strError);
    const FormulaResult clean = Evaluate(parser, "B*X", 3.0);
    EXPECT_EQ(std::make_pair(18.0, std::string()), std::make_pair(clean.dValue, clean.strError));
    EXPECT_EQ(7, Evaluate(parser, "((((2+Q").nPosition);
    const FormulaResult after = Evaluate(parser, "(B+1)*X", 0.0);  // X = 0 is read as 1e-99
    EXPECT_EQ(std::make_pair(7e-99, std::uint16_t{0}),
              std::make_pair(after.dValue, after.nPosition));
}

// A replay is taken for the very text recorded: texts of one length whose first and last eight
// bytes agree, or that differ in one byte of any word, are each read for themselves.
TEST(Reuse, ATextThatDiffersOnlyInItsMiddleIsNotReplayed) {
    const std::string kRecorded = "1000000+B*2+3*F+0000001";
    CFormulaParser parser;
    parser.SetFunctConst(1, 5.0);
    parser.SetFunctConst(2, 7.0);
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(1000032.0, Evaluate(parser, kRecorded).dValue) << "call " << call;
    for (std::size_t i = 8; i + 8 < kRecorded.size(); ++i) {
        if (kRecorded[i] != '2' && kRecorded[i] != '3') continue;
        std::string other = kRecorded;
        other[i] = '4';
        CFormulaParser fresh;
        fresh.SetFunctConst(1, 5.0);
        fresh.SetFunctConst(2, 7.0);
        EXPECT_EQ(Evaluate(fresh, other).dValue, Evaluate(parser, other).dValue) << other;
        EXPECT_EQ(1000032.0, Evaluate(parser, kRecorded).dValue) << "after " << other;
    }
}

TEST(Calculation, OutParametersAreOverwrittenOnSuccess) {
    std::uint16_t position = 99;
    std::string text = "stale";
    CFormulaParser().Calculation("1", 0.0, position, text);
    EXPECT_EQ(std::make_pair(std::uint16_t{0}, std::string()), std::make_pair(position, text));
}

TEST(Locale, DecimalPointIsAlwaysAPoint) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CFormulaParser parser;
    const double dPoint = Evaluate(parser, "6.5*2").dValue;
    const std::uint16_t nCommaError =
        Evaluate(parser, "6,5").nPosition;  // a comma stays a syntax error
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(std::make_pair(13.0, std::uint16_t{2}), std::make_pair(dPoint, nCommaError));
}

}  // namespace
