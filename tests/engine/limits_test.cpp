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
    // Each formula and its error position (0: read whole); "sin(" opens two levels.
    using Row = std::pair<std::string, std::uint16_t>;
    for (const auto& [formula, position] :
         {Row(Nested(kLimit), 0), Row(Nested(kLimit + 1), kLimit + 1),
          Row(Repeat("abs ", kLimit) + "1", 0),
          Row(Repeat("abs ", kLimit + 1) + "1", kLimit * 4 + 1),
          Row(Repeat("sin(", kLimit / 2 + 1) + "0", (kLimit / 2) * 4 + 1),
          Row(Repeat("-(", 200000) + "1", kLimit * 2 + 2), Row(Repeat("(1)+", 100000) + "1", 0),
          Row(Repeat("-", 100000) + "1", 0)}) {
        CFormulaParser parser;
        const FormulaResult o = EvaluateEveryWay(parser, formula, 0.0);
        EXPECT_EQ(std::make_pair(position, std::string(position == 0 ? "" : "XXX!")),
                  std::make_pair(o.nPosition, o.strError))
            << formula.substr(0, 24) << "... (" << formula.size() << " characters)";
    }
}

// The deepest formulas the engine accepts must fit the 1 MiB stack of a Windows main thread.
void* EvaluateDeepest(void* result) {
    bool allRead = true;
    for (const std::string& f : {Nested(kLimit), Repeat("-(", kLimit) + "1",
                                 Repeat("sin(", kLimit / 2) + "1", Repeat("sqr ", kLimit) + "1"}) {
        CFormulaParser parser;
        allRead = allRead && EvaluateEveryWay(parser, f, 0.0).nPosition == 0;
    }
    *static_cast<bool*>(result) = allRead;
    return nullptr;
}

TEST(Nesting, DeepestAllowedFormulasRunInAOneMebibyteStack) {
    bool allRead = false;
#ifdef __EMSCRIPTEN__
    // No threads in this WebAssembly build: its one stack is 1 MiB (tests/CMakeLists.txt).
    EvaluateDeepest(&allRead);
#else
    pthread_attr_t attributes;
    ASSERT_EQ(0, pthread_attr_init(&attributes));
    ASSERT_EQ(0, pthread_attr_setstacksize(&attributes, 1 << 20));
    pthread_t thread;
    ASSERT_EQ(0, pthread_create(&thread, &attributes, EvaluateDeepest, &allRead));
    ASSERT_EQ(0, pthread_join(thread, nullptr));
    pthread_attr_destroy(&attributes);
#endif
    EXPECT_TRUE(allRead);
}

TEST(LongFormulas, AreReadWholeAndPositionsSaturateAtTheSixteenBitLimit) {
    CFormulaParser parser;
    const FormulaResult sum =
        EvaluateEveryWay(parser, Repeat("1+", 40000) + "1", 0.0);  // 80,001 long
    EXPECT_EQ(std::make_pair(40001.0, std::uint16_t{0}), std::make_pair(sum.dValue, sum.nPosition));
    EXPECT_EQ(3, EvaluateEveryWay(parser, std::string(70000, ' ') + "2+Q", 0.0).nPosition)
        << "leading blanks count";

    // The error's character and the position reported for it.
    const std::pair<std::size_t, std::uint16_t> kRows[] = {
        {65534, 65534}, {65535, 65535}, {65536, 65535}, {65536 + 3, 65535}, {200001, 65535}};
    for (const auto& [errorAt, reported] : kRows) {
        // "1", blanks, then the bad character: the blanks add nothing to the value.
        const FormulaResult o =
            EvaluateEveryWay(parser, "1" + std::string(errorAt - 2, ' ') + "Q", 0.0);
        EXPECT_EQ(std::make_pair(reported, 1.0), std::make_pair(o.nPosition, o.dValue))
            << "error at character " << errorAt;
    }
}

}  // namespace
