// The girdle, gem and unit tables at their edges, and size solving each shape's own formula
// back to the measures its weight came from.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "carat_estimator.h"
#include "size_command.h"
#include "stone_corrections.h"

namespace {

TEST(GirdleGrade, FactorsBySizeBandAtTheBandEdges) {
    struct Row {
        const char* name;
        double diameter;
        double factor;
    };
    for (const Row row :
         {Row{"ETN", 2.0, 0.97}, Row{"extremely thin", 4.14, 0.97},
          Row{"Extremely-Thin", 4.15, 0.96}, Row{"etn", 6.99, 0.96}, Row{"ETN", 7.0, 0.95},
          Row{"VTN", 5.0, 0.97}, Row{"thin", 7.5, 0.975}, Row{"MED", 3.0, 1.0},
          Row{"slightly_thick", 3.5, 1.03}, Row{"THK", 6.0, 1.03}, Row{"very thick", 8.0, 1.035},
          Row{"ETK", 1.0, 1.07}}) {
        const CGirdleGrade* grade = FindGirdleGrade(row.name);
        ASSERT_NE(nullptr, grade) << row.name;
        EXPECT_EQ(row.factor, GirdleFactor(*grade, row.diameter))
            << row.name << " at " << row.diameter << " mm";
    }
    // A fancy shape's band is its mean of length and width: 5.6 mm here, though 7.2 mm long.
    CStoneCorrections thick;
    thick.pGirdle = FindGirdleGrade("thick");
    EXPECT_EQ(1.03, CorrectedCarat(1.0, thick, GirdleDiameter(kShapes[1], {7.2, 4.0, 3.0})));
    for (const char* name : {"", "thick ", "xthick", "STKK"})
        EXPECT_EQ(nullptr, FindGirdleGrade(name)) << "'" << name << "'";
}

TEST(Gem, ScalesByDensityAgainstDiamond) {
    EXPECT_GE(kGemCount, 20u);
    const CStoneCorrections diamond;
    EXPECT_EQ(0.4875, CorrectedCarat(0.4875, diamond, 5.0)) << "diamond leaves every digit";
    for (const char* name : {"ruby", "SAPPHIRE", "cubic zirconia", "Cubic_Zirconia", "apatite"}) {
        const CGem* gem = FindGem(name);
        ASSERT_NE(nullptr, gem) << name;
        CStoneCorrections corrections;
        corrections.dRelativeDensity = gem->dRelativeDensity;
        EXPECT_DOUBLE_EQ(gem->dRelativeDensity, CorrectedCarat(3.52, corrections, 5.0)) << name;
    }
    EXPECT_EQ(4.00, FindGem("ruby")->dRelativeDensity);
    EXPECT_EQ(2.72, FindGem("emerald")->dRelativeDensity);
    EXPECT_EQ(nullptr, FindGem("glass"));
}

TEST(WeightUnit, CaratsGramsAndPoints) {
    EXPECT_EQ(1.0, FindWeightUnit("CT")->dPerCarat);
    EXPECT_EQ(0.2, FindWeightUnit("g")->dPerCarat);
    EXPECT_EQ(100.0, FindWeightUnit("pt")->dPerCarat);
    EXPECT_EQ(nullptr, FindWeightUnit("kg"));
}

// Each shape at a width of 6.37 mm (no bisection lands on it by chance) with its default
// proportions, a thick girdle and as ruby: size finds the measures again from their weight.
TEST(Size, RoundTripsEveryShape) {
    CStoneCorrections corrections;
    corrections.pGirdle = FindGirdleGrade("THK");
    corrections.dRelativeDensity = 4.0;
    for (std::size_t i = 0; i < kShapeCount; ++i) {
        const CShape& shape = kShapes[i];
        const CSizeDefaults& defaults = kSizeDefaults[i];
        CStoneSize size;
        size.dWidth = shape.bWidthShown ? 6.37 : 0.0;
        size.dLength = shape.bWidthShown ? 6.37 * defaults.dRatio : 6.37;
        size.dDepth = 6.37 * defaults.dDepthPct / 100;
        CCaratEstimator estimator;
        double carat = 0.0;
        ASSERT_TRUE(estimator.EstimateCorrected(shape, size, corrections, carat));
        CStoneSize solved;
        ASSERT_TRUE(SolveSize(estimator, shape, carat, defaults.dDepthPct, defaults.dRatio,
                              corrections, solved));
        EXPECT_NEAR(size.dLength, solved.dLength, 1e-12) << shape.pszCaption;
        EXPECT_NEAR(size.dWidth, solved.dWidth, 1e-12) << shape.pszCaption;
        EXPECT_NEAR(size.dDepth, solved.dDepth, 1e-12) << shape.pszCaption;
    }
}

}  // namespace
