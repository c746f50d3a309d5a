// The girdle grades' size bands at their edges, diamond's own weight to the last digit, and size
// solving each shape's own formula back to the measures its weight came from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carat_estimator.h"
#include "size_solver.h"
#include "stone_corrections.h"

namespace {

// Stones under 3.1 mm take the smallest band; very thin and the thickest grades stand in for
// rows the published table lacks.
TEST(GirdleGrade, FactorsBySizeBandAtTheBandEdges) {
    struct Row {
        const char* name;
        double diameter;
        double factor;
    };
    for (const Row row : {Row{"ETN", 2.0, 0.97}, Row{"extremely thin", 4.14, 0.97},
                          Row{"Extremely-Thin", 4.15, 0.96}, Row{"etn", 6.99, 0.96},
                          Row{"extremely_thin", 7.0, 0.95}, Row{"VTN", 5.0, 0.97},
                          Row{"very thick", 8.0, 1.035}, Row{"ETK", 1.0, 1.07}}) {
        const GirdleGrade* grade = FindGirdleGrade(row.name);
        ASSERT_NE(nullptr, grade) << row.name;
        EXPECT_EQ(row.factor, GirdleFactor(*grade, row.diameter))
            << row.name << " at " << row.diameter << " mm";
    }
}

TEST(Gem, DiamondLeavesEveryDigit) {
    EXPECT_EQ(0.0013, CorrectedCarat(0.0013, StoneOptions(), 5.0));
}

// Each shape at a width of 6.37 mm (no bisection lands on it by chance) with its default
// proportions, a thick girdle and as ruby, by the window's formulas and by the measured model
// and field rules: size finds the measures again from their weight.
TEST(Size, RoundTripsEveryShapeUnderEitherModel) {
    std::vector<const Shape*> shapes;
    for (const Shape& shape : kShapes)
        shapes.push_back(&shape);
    for (const Shape& shape : kRuleShapes)
        shapes.push_back(&shape);
    for (const bool bMeasured : {false, true}) {
        StoneOptions stone;
        FindGirdleRange("THK", stone.girdle);
        stone.dRelativeDensity = 4.0;
        stone.bMeasured = bMeasured;
        for (const Shape* pShape : shapes) {
            const Shape& shape = *pShape;
            if (shape.pszFormula == nullptr && !bMeasured) continue;
            const StoneSize size = SizeAt(shape, 6.37, shape.dDepthPct, shape.dRatio);
            CCaratEstimator estimator;
            StoneWeight weight;
            std::string strError;
            ASSERT_TRUE(WeighStone(estimator, shape, size, stone, weight, strError)) << strError;
            StoneSize solved;
            ASSERT_TRUE(SolveSize(estimator, shape, weight.dCarat, shape.dDepthPct, shape.dRatio,
                                  stone, solved));
            EXPECT_NEAR(size.dLength, solved.dLength, 1e-12) << shape.pszCaption << bMeasured;
            EXPECT_NEAR(size.dWidth, solved.dWidth, 1e-12) << shape.pszCaption << bMeasured;
            EXPECT_NEAR(size.dDepth, solved.dDepth, 1e-12) << shape.pszCaption << bMeasured;
        }
    }
}

// A weight in grams or points is the weight in carats of the same stone.
TEST(Size, ReadsTheWeightInTheUnit) {
    const Shape& oval = *FindShapeByName("oval");
    CCaratEstimator estimator;
    StoneSize inCarats;
    ASSERT_TRUE(
        SolveSize(estimator, oval, 1.0, oval.dDepthPct, oval.dRatio, StoneOptions(), inCarats));
    for (const WeightUnit& unit : kWeightUnits) {
        StoneOptions stone;
        stone.pUnit = &unit;
        StoneSize size;
        ASSERT_TRUE(
            SolveSize(estimator, oval, unit.dPerCarat, oval.dDepthPct, oval.dRatio, stone, size))
            << unit.pszName;
        EXPECT_NEAR(inCarats.dWidth, size.dWidth, 1e-12) << unit.pszName;
        EXPECT_NEAR(5.626, size.dWidth, 0.001) << "1 ct of oval at its default proportions";
    }
}

}  // namespace
