// The owner-drawn tip's size and place: line counting, widest line, right-edge rule, text centring.
// Window-free: the widths come from a fixed-width measure.
#include <gtest/gtest.h>

#include <string>

#include "tip_layout.h"

namespace {

constexpr int kCharWidth = 7;

// Every character 7 pixels wide; a line feed reaching the measure is a fault of the walk.
int MeasureLine(const std::string& strLine) {
    EXPECT_EQ(std::string::npos, strLine.find('\n')) << "measured \"" << strLine << "\"";
    return static_cast<int>(strLine.size()) * kCharWidth;
}

TEST(TipLayout, LinesAndWidestLineOfTheText) {
    struct Row {
        std::string text;
        int widest, lines;
    };
    for (const Row& row :
         {Row{"", 2, 1}, Row{"abc", 3 * kCharWidth + 2, 1}, Row{"ab\ncdef", 4 * kCharWidth + 2, 2},
          Row{"abcd\n", 4 * kCharWidth + 2, 2}, Row{"a\n\nbb", 2 * kCharWidth + 2, 3},
          Row{"\n", 2, 2}, Row{"one two three four", 18 * kCharWidth + 2, 1}}) {
        const CTipTextSize size = MeasureTipText(row.text, MeasureLine);
        EXPECT_EQ(row.widest, size.nWidest) << "text \"" << row.text << "\"";
        EXPECT_EQ(row.lines, size.nLines) << "text \"" << row.text << "\"";
    }
}

TEST(TipLayout, CarriageReturnsAreNeitherMeasuredNorCounted) {
    const std::string strText = StripCarriageReturns("ab\r\ncdefg\r\n\r");
    EXPECT_EQ("ab\ncdefg\n", strText);
    const CTipTextSize size = MeasureTipText(strText, MeasureLine);
    EXPECT_EQ(5 * kCharWidth + 2, size.nWidest);
    EXPECT_EQ(3, size.nLines);
}

TEST(TipLayout, WindowIsBelowTheToolAtThePointerAndClearOfTheRightEdge) {
    const RECT rcTool = {10, 40, 300, 100};
    struct Row {
        LONG cursorX;
        CTipTextSize size;
        int cxScreen;
        RECT expected;
    };
    for (const Row& row :
         {Row{50, {30, 2}, 1024, {50, 100, 100, 130}},
          Row{949, {30, 1}, 1024, {949, 100, 999, 117}},
          Row{950, {30, 1}, 1024, {949, 100, 999, 117}},
          Row{1010, {100, 3}, 1024, {879, 100, 999, 143}}, Row{5, {2, 1}, 1024, {5, 100, 27, 117}},
          Row{0, {2000, 1}, 1024, {-1021, 100, 999, 117}}}) {
        const RECT rc = PlaceTip(rcTool, POINT{row.cursorX, 60}, row.size, 13, row.cxScreen);
        EXPECT_EQ(row.expected.left, rc.left) << "cursor x " << row.cursorX;
        EXPECT_EQ(row.expected.top, rc.top) << "cursor x " << row.cursorX;
        EXPECT_EQ(row.expected.right, rc.right) << "cursor x " << row.cursorX;
        EXPECT_EQ(row.expected.bottom, rc.bottom) << "cursor x " << row.cursorX;
    }
}

TEST(TipLayout, TipNearTheBottomOfTheScreenIsNotMovedUp) {
    const RECT rc = PlaceTip(RECT{0, 740, 40, 766}, POINT{20, 750}, CTipTextSize{30, 4}, 16, 1024);
    EXPECT_EQ(766, rc.top);
    EXPECT_EQ(766 + 4 * 16 + 4, rc.bottom);
}

// The text area starts 16 pixels in, below the frame's top line; the widest line is centred in
// it with the spare width halved and rounded down, negative spare included.
TEST(TipLayout, TextAreaBesideTheStripeCentresTheWidestLine) {
    struct Row {
        LONG clientRight;
        int widest;
        LONG expectedLeft;
    };
    for (const Row& row : {Row{16 + 36, 32, 18}, Row{16 + 37, 32, 18}, Row{16 + 32, 32, 16},
                           Row{16 + 29, 32, 14}, Row{16 + 30, 32, 15}}) {
        const RECT rcClient = {0, 0, row.clientRight, 20};
        const RECT rc = TipTextRect(rcClient, row.widest);
        EXPECT_EQ(row.expectedLeft, rc.left)
            << "client width " << row.clientRight << ", widest " << row.widest;
        EXPECT_EQ(1, rc.top);
        EXPECT_EQ(row.clientRight, rc.right);
    }
    EXPECT_EQ(15, TipStripeRect(RECT{0, 0, 60, 20}).right);
}

}  // namespace
