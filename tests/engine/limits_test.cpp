// Inputs at the edges of the engine's limits, deep nesting and very long formulas, each read,
// recorded and replayed.
#include <gtest/gtest.h>

#include <pthread.h>

#include "evaluation.h"

namespace {

constexpr std::size_t kLimit = CFormulaParser::kMaxNesting;

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string Nested(std::size_t depth) {
    return Repeat("(", depth) + "1" + Repeat(")", depth);
}

TEST(Nesting, OneLevelBeyondTheLimitIsASyntaxErrorAtTheTokenThatCrossesIt) {
    struct Row {
        std::string formula;
        std::size_t position;  // 0: read whole
    };
    for (const Row& row :
         {Row{Nested(kLimit), 0}, Row{Nested(kLimit + 1), kLimit + 1},
          Row{Repeat("abs ", kLimit) + "1", 0},
          Row{Repeat("abs ", kLimit + 1) + "1", kLimit * 4 + 1},
          // "sin(" opens two levels: the function and its parenthesis.
          Row{Repeat("sin(", kLimit / 2 + 1) + "0", (kLimit / 2) * 4 + 1},
          Row{Repeat("-(", 200000) + "1", kLimit * 2 + 2}, Row{Repeat("(1)+", 100000) + "1", 0},
          Row{Repeat("-", 100000) + "1", 0}}) {
        CFormulaParser parser;
        const Outcome o = EvaluateEveryWay(parser, row.formula, 0.0);
        EXPECT_EQ(row.position, o.position)
            << row.formula.substr(0, 24) << "... (" << row.formula.size() << " characters)";
        EXPECT_EQ(row.position == 0 ? "" : "XXX!", o.text) << row.formula.substr(0, 24);
    }
}

// The deepest formulas the engine accepts must fit the 1 MiB stack of a Windows main thread.
void* EvaluateDeepest(void* result) {
    bool allRead = true;
    for (const std::string& f : {Nested(kLimit), Repeat("-(", kLimit) + "1",
                                 Repeat("sin(", kLimit / 2) + "1", Repeat("sqr ", kLimit) + "1"}) {
        CFormulaParser parser;
        allRead = allRead && EvaluateEveryWay(parser, f, 0.0).position == 0;
    }
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

TEST(LongFormulas, AreReadWholeAndPositionsSaturateAtTheSixteenBitLimit) {
    CFormulaParser parser;
    const Outcome sum = EvaluateEveryWay(parser, Repeat("1+", 40000) + "1", 0.0);  // 80,001 long
    EXPECT_EQ(40001.0, sum.value);
    EXPECT_EQ(0, sum.position);
    EXPECT_EQ(3, EvaluateEveryWay(parser, std::string(70000, ' ') + "2+Q", 0.0).position)
        << "leading blanks count";

    struct Row {
        std::size_t errorAt;
        std::uint16_t reported;
    };
    for (const Row row : {Row{65534, 65534}, Row{65535, 65535}, Row{65536, 65535},
                          Row{65536 + 3, 65535}, Row{200001, 65535}}) {
        // "1", blanks, then the bad character: the blanks add nothing to the value.
        const Outcome o =
            EvaluateEveryWay(parser, "1" + std::string(row.errorAt - 2, ' ') + "Q", 0.0);
        EXPECT_EQ(row.reported, o.position) << "error at character " << row.errorAt;
        EXPECT_EQ(1.0, o.value) << "error at character " << row.errorAt;
    }
}

}  // namespace
