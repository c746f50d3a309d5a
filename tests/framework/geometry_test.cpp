#include <gtest/gtest.h>

#include "geometry.h"

namespace {

::testing::AssertionResult SameRect(const RECT& expected, const RECT& actual) {
    if (expected.left == actual.left && expected.top == actual.top &&
        expected.right == actual.right && expected.bottom == actual.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected {" << expected.left << "," << expected.top << "," << expected.right << ","
           << expected.bottom << "}, got {" << actual.left << "," << actual.top << ","
           << actual.right << "," << actual.bottom << "}";
}

}  // namespace

TEST(CRectCombine, IntersectAndUnionAsWin32Does) {
    struct {
        CRect rc1;
        CRect rc2;
        BOOL bIntersects;
        CRect rcIntersection;
        CRect rcUnion;
    } const kCases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, {0, 0, 20, 10}},
        {{0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {0, 0, 0, 0}, {0, 0, 30, 30}},
        {{0, 0, 0, 0}, {2, 2, 4, 4}, FALSE, {0, 0, 0, 0}, {2, 2, 4, 4}},
        {{5, 5, 5, 9}, {0, 0, 0, 0}, FALSE, {0, 0, 0, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : kCases) {
        CRect rc(1, 2, 3, 4);
        EXPECT_EQ(c.bIntersects, rc.IntersectRect(&c.rc1, &c.rc2));
        EXPECT_TRUE(SameRect(c.rcIntersection, rc));
        rc.UnionRect(&c.rc1, &c.rc2);
        EXPECT_TRUE(SameRect(c.rcUnion, rc));
    }
}

TEST(CRectShape, SizeMovesAndHitTests) {
    CRect rc(10, 20, 110, 70);
    EXPECT_EQ(100, rc.Width());
    EXPECT_EQ(50, rc.Height());
    EXPECT_EQ(CPoint(60, 45), rc.CenterPoint());
    EXPECT_TRUE(rc.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rc.PtInRect(CPoint(110, 20))) << "right edge is outside";
    rc.OffsetRect(-10, -20);
    EXPECT_TRUE(SameRect(CRect(0, 0, 100, 50), rc));
    rc.DeflateRect(1, 2);
    EXPECT_TRUE(SameRect(CRect(1, 2, 99, 48), rc));
    rc.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(SameRect(CRect(0, 0, 102, 52), rc));
    CRect rcBackwards(10, 10, 0, 0);
    EXPECT_TRUE(rcBackwards.IsRectEmpty());
    rcBackwards.NormalizeRect();
    EXPECT_TRUE(SameRect(CRect(0, 0, 10, 10), rcBackwards));
    EXPECT_TRUE(SameRect(CRect(5, 5, 15, 15), CRect(0, 0, 10, 10) + CPoint(5, 5)));
    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
}
