// The owner-drawn tip's size and place: line counting, widest line, right-edge rule, text centring.
// Window-free: the widths come from a fixed-width measure.
#include <gtest/gtest.h>

#include "tip_layout.h"

namespace {

constexpr int kCharWidth = 7;

// Every character 7 pixels wide; a line feed reaching the measure is a fault of the walk.
int MeasureLine(const std::string& strLine) {
    EXPECT_EQ(std::string::npos, strLine.find('\n')) << "measured \"" << strLine << "\"";
    return static_cast<int>(strLine.size()) * kCharWidth;
}

auto Edges(const RECT& rc) {
    return std::make_tuple(rc.left, rc.top, rc.right, rc.bottom);
}

// Carriage returns are stripped first: neither measured nor counted.
TEST(TipLayout, LinesAndWidestLineOfTheText) {
    using Row = std::tuple<std::string, int, int>;  // text, widest line, lines
    for (const auto& [text, widest, lines] :
         {Row("", 2, 1), Row("abc", 3 * kCharWidth + 2, 1), Row("ab\ncdef", 4 * kCharWidth + 2, 2),
          Row("abcd\n", 4 * kCharWidth + 2, 2), Row("a\n\nbb", 2 * kCharWidth + 2, 3),
          Row("\n", 2, 2), Row("one two three four", 18 * kCharWidth + 2, 1),
          Row("ab\r\ncdefg\r\n\r", 5 * kCharWidth + 2, 3)}) {
        const TipTextSize size = MeasureTipText(StripCarriageReturns(text), MeasureLine);
        EXPECT_EQ(std::make_pair(widest, lines), std::make_pair(size.nWidest, size.nLines))
            << "text \"" << text << "\"";
    }
}

// Near the screen's bottom the tip is not moved up.
TEST(TipLayout, WindowIsBelowTheToolAtThePointerAndClearOfTheRightEdge) {
    struct Row {
        RECT tool;
        POINT cursor;
        TipTextSize size;
        int nLineHeight;
        RECT expected;
    };
    const RECT rcTool = {10, 40, 300, 100};
    for (const Row& row : {Row{rcTool, {50, 60}, {30, 2}, 13, {50, 100, 100, 130}},
                           Row{rcTool, {949, 60}, {30, 1}, 13, {949, 100, 999, 117}},
                           Row{rcTool, {950, 60}, {30, 1}, 13, {949, 100, 999, 117}},
                           Row{rcTool, {1010, 60}, {100, 3}, 13, {879, 100, 999, 143}},
                           Row{rcTool, {5, 60}, {2, 1}, 13, {5, 100, 27, 117}},
                           Row{rcTool, {0, 60}, {2000, 1}, 13, {-1021, 100, 999, 117}},
                           Row{{0, 740, 40, 766}, {20, 750}, {30, 4}, 16, {20, 766, 70, 834}}}) {
        EXPECT_EQ(Edges(row.expected),
                  Edges(PlaceTip(row.tool, row.cursor, row.size, row.nLineHeight, 1024)))
            << "cursor " << row.cursor.x << ", " << row.cursor.y;
    }
}

// The text area starts 16 pixels in, below the frame's top line; the widest line is centred in
// it with the spare width halved and rounded down, negative spare included.
TEST(TipLayout, TextAreaBesideTheStripeCentresTheWidestLine) {
    // client width for a widest line of 32, text left
    const std::pair<LONG, LONG> kRows[] = {
        {16 + 36, 18}, {16 + 37, 18}, {16 + 32, 16}, {16 + 29, 14}, {16 + 30, 15}};
    for (const auto& [clientRight, expectedLeft] : kRows)
        EXPECT_EQ(Edges(RECT{expectedLeft, 1, clientRight, 20}),
                  Edges(TipTextRect(RECT{0, 0, clientRight, 20}, 32)))
            << "client width " << clientRight;
    EXPECT_EQ(15, TipStripeRect(RECT{0, 0, 60, 20}).right);
}

}  // namespace
