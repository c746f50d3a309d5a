// Inputs at the edges of the engine's limits: deep nesting, very long formulas.
#include <gtest/gtest.h>

#include <pthread.h>

#include <string>

#include "evaluation.h"

namespace {

constexpr std::size_t kLimit = CFormulaParser::kMaxNesting;

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string NestedParentheses(std::size_t depth) {
    return Repeat("(", depth) + "1" + Repeat(")", depth);
}

TEST(Nesting, ParenthesesUpToTheLimitEvaluate) {
    const Outcome o = Evaluate(NestedParentheses(kLimit));
    EXPECT_EQ(1.0, o.value);
    EXPECT_EQ(0, o.position);
}

TEST(Nesting, OneLevelMoreIsASyntaxErrorAtThatParenthesis) {
    const Outcome o = Evaluate(NestedParentheses(kLimit + 1));
    EXPECT_EQ(kLimit + 1, o.position);
    EXPECT_EQ("XXX!", o.text);
}

TEST(Nesting, FunctionArgumentsCountTowardsTheLimit) {
    EXPECT_EQ(0, Evaluate(Repeat("abs ", kLimit) + "1").position);
    const Outcome deeper = Evaluate(Repeat("abs ", kLimit + 1) + "1");
    EXPECT_EQ(kLimit * 4 + 1, deeper.position) << "the name that crosses the limit";
    // Each "sin(" opens two levels: the function and its parenthesis.
    const Outcome mixed = Evaluate(Repeat("sin(", kLimit / 2 + 1) + "0");
    EXPECT_EQ((kLimit / 2) * 4 + 1, mixed.position);
}

TEST(Nesting, FarBeyondTheLimitStillEndsCleanly) {
    const Outcome o = Evaluate(Repeat("-(", 200000) + "1");
    EXPECT_EQ(kLimit * 2 + 2, o.position);
}

TEST(Nesting, SequencesThatDoNotNestHaveNoLimit) {
    EXPECT_EQ(100001.0, Evaluate(Repeat("(1)+", 100000) + "1").value);
    EXPECT_EQ(0, Evaluate(Repeat("-", 100000) + "1").position);
}

// The deepest formulas the engine accepts must fit the 1 MiB stack of a Windows main thread.
void* EvaluateDeepest(void* result) {
    const std::string formulas[] = {NestedParentheses(kLimit), Repeat("-(", kLimit) + "1",
                                    Repeat("sin(", kLimit / 2) + "1", Repeat("sqr ", kLimit) + "1"};
    bool allRead = true;
    for (const std::string& f : formulas)
        allRead = allRead && Evaluate(f).position == 0;
    *static_cast<bool*>(result) = allRead;
    return nullptr;
}

TEST(Nesting, DeepestAllowedFormulasRunInAOneMebibyteStack) {
    pthread_attr_t attributes;
    ASSERT_EQ(0, pthread_attr_init(&attributes));
    ASSERT_EQ(0, pthread_attr_setstacksize(&attributes, 1 << 20));
    bool allRead = false;
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(&thread, &attributes, EvaluateDeepest, &allRead));
    ASSERT_EQ(0, pthread_join(thread, nullptr));
    pthread_attr_destroy(&attributes);
    EXPECT_TRUE(allRead);
}

TEST(LongFormulas, AreReadWholeWithoutWrapping) {
    const std::string formula = Repeat("1+", 40000) + "1";  // 80,001 characters
    const Outcome o = Evaluate(formula);
    EXPECT_EQ(40001.0, o.value);
    EXPECT_EQ(0, o.position);
    EXPECT_EQ("", o.text);
}

TEST(LongFormulas, PositionsBeyondTheSixteenBitRangeSaturate) {
    struct Row {
        std::size_t errorAt;
        std::uint16_t reported;
    };
    for (const Row row : {Row{65534, 65534}, Row{65535, 65535}, Row{65536, 65535},
                          Row{65536 + 3, 65535}, Row{200001, 65535}}) {
        // "1" then blanks up to the error character: a blank run adds nothing to the value.
        const std::string formula = "1" + std::string(row.errorAt - 2, ' ') + "Q";
        const Outcome o = Evaluate(formula);
        EXPECT_EQ(row.reported, o.position) << "error at character " << row.errorAt;
        EXPECT_EQ("XXX!", o.text) << "error at character " << row.errorAt;
        EXPECT_EQ(1.0, o.value) << "error at character " << row.errorAt;
    }
}

TEST(LongFormulas, LeadingWhiteSpaceIsNotCounted) {
    const Outcome o = Evaluate(std::string(70000, ' ') + "2+Q");
    EXPECT_EQ(3, o.position);
}

}  // namespace
