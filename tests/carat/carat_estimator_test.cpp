// One stone's weight as the window computes it, corrected for girdle and gem and given in a
// unit; the numbers a face reads for a shape's fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carat_estimator.h"

namespace {

struct Stone {
    const char* shape;
    StoneSize size;
};

// Every shape's formula, worked by hand: the window's number to the last printed digit.
TEST(CaratEstimator, EveryShapeGivesTheWindowsNumber) {
    const std::pair<Stone, const char*> kRows[] = {
        {{"round", {6, 0, 3}}, "0.694575"},    {{"oval", {6, 4, 3}}, "0.487500"},
        {{"square", {6, 0, 3}}, "0.936000"},   {{"rectangle", {6, 3, 2}}, "0.390000"},
        {{"marquise", {6, 3, 2}}, "0.237000"}, {{"pear", {7.5, 5, 3.1}}, "0.720750"},
        {{"triangle", {6, 4, 3}}, "0.410400"}, {{"heart", {6, 4, 3}}, "0.432000"},
        {{"round", {-1, 0, 3}}, "0.019294"},   {{"Round Brilliant", {-0.5, 0, 3}}, "0.004823"},
    };
    CCaratEstimator estimator;
    for (const auto& [stone, pszWeight] : kRows) {
        double dCarat = 0.0;
        ASSERT_TRUE(estimator.Estimate(*FindShapeByName(stone.shape), stone.size, dCarat))
            << stone.shape;
        EXPECT_EQ(pszWeight, WeightsText(dCarat, StoneOptions())) << stone.shape;
    }
}

TEST(CaratEstimator, CorrectionsUnitsAndTolerance) {
    struct Row {
        const char* girdle;  // "" for none
        const char* gem;
        const char* unit;
        double tolerance;  // 0 for none
        const char* text;
    };
    for (const Row& row : {
             Row{"", "ruby", "ct", 0, "0.553977"},
             Row{"", "SAPPHIRE", "ct", 0, "0.553977"},
             Row{"", "Cubic_Zirconia", "ct", 0, "0.803267"},
             Row{"", "apatite", "ct", 0, "0.440412"},
             Row{"", "diamond", "pt", 0, "48.750000"},
             Row{"very thick", "cubic zirconia", "ct", 0, "0.843430"},
             Row{"STK", "ruby", "g", 5, "0.113011 0.107361 0.118662"},
             Row{"", "diamond", "ct", 5, "0.487500 0.463125 0.511875"},
         }) {
        StoneOptions stone;
        if (*row.girdle != '\0') FindGirdleRange(row.girdle, stone.girdle);
        stone.dRelativeDensity = FindGem(row.gem)->dRelativeDensity;
        stone.pUnit = FindWeightUnit(row.unit);
        stone.bTolerance = row.tolerance > 0;
        stone.dTolerancePct = row.tolerance;
        CCaratEstimator estimator;
        double dCarat = 0.0;
        ASSERT_TRUE(
            estimator.EstimateCorrected(*FindShapeByName("oval"), {6, 4, 3}, stone, dCarat));
        EXPECT_EQ(row.text, WeightsText(dCarat, stone))
            << row.girdle << ", " << row.gem << ", " << row.unit << ", " << row.tolerance;
    }
    // The thick girdle's band is read at the round's diameter of 6.5 mm.
    StoneOptions thick;
    FindGirdleRange("thick", thick.girdle);
    double dCarat = 0.0;
    CCaratEstimator estimator;
    ASSERT_TRUE(
        estimator.EstimateCorrected(*FindShapeByName("round"), {6.5, 0, 3.9}, thick, dCarat));
    EXPECT_EQ("1.091500", WeightsText(dCarat, thick));
}

// The numbers as typed for the shape's fields: the count the shape takes, each a number.
TEST(ReadStoneSize, TakesTheShapesFieldsOrSaysWhichIsWrong) {
    struct Row {
        const char* shape;
        std::vector<std::string> numbers;
        const char* error;  // "" when read
        StoneSize size = {};
    };
    for (const Row& row : {
             Row{"oval", {"6", "4", "3"}, "", {6, 4, 3}},
             Row{"round", {"6.5", "-0"}, "", {6.5, 0, -0.0}},
             Row{"square", {"6", "3"}, "", {6, 0, 3}},
             Row{"round", {"6.45", " 6.55", "3.9 "}, "", {6.5, 0, 3.9}},
             Row{"round",
                 {"6", "4", "3", "1"},
                 "Round Brilliant takes DIAMETER DEPTH (2 numbers) or MIN DIAMETER MAX DIAMETER "
                 "DEPTH (3 numbers), not 4"},
             Row{"Square",
                 {"6", "4", "3"},
                 "Square Trillion takes LENGTH DEPTH (2 numbers), not 3"},
             Row{"oval", {"6", "3"}, "Oval Brilliant takes LENGTH WIDTH DEPTH (3 numbers), not 2"},
             Row{"heart", {}, "Heart Brilliant takes LENGTH WIDTH DEPTH (3 numbers), not 0"},
             Row{"heart",
                 {"6", "4", "3mm"},
                 "DEPTH: '3mm' is not a decimal number (write it like 6.5, -0 or 1e-99)"},
         }) {
        StoneSize size;
        std::string strError;
        const bool bRead = ReadStoneSize(*FindShapeByName(row.shape), row.numbers, size, strError);
        EXPECT_EQ(*row.error == '\0', bRead) << row.shape << ": " << strError;
        EXPECT_EQ(row.error, strError) << row.shape;
        if (!bRead) continue;
        EXPECT_EQ(row.size.dLength, size.dLength) << row.shape;
        EXPECT_EQ(row.size.dWidth, size.dWidth) << row.shape;
        EXPECT_EQ(row.size.dDepth, size.dDepth) << row.shape;
    }
}

TEST(ShapeCatalogue, NamesByCaptionOrFirstWordInAnyCase) {
    for (const char* name : {"Oval Brilliant", "oval brilliant", "OVAL", "oVaL"})
        EXPECT_EQ(&kShapes[1], FindShapeByName(name)) << name;
    for (const char* name : {"Brilliant", "oval brilliant x", "", "ova"})
        EXPECT_EQ(nullptr, FindShapeByName(name)) << name;
    EXPECT_EQ(
        "unknown shape 'emerald'; the shapes are Round Brilliant, Oval Brilliant, Square "
        "Trillion, Rectangle, Marquise Brilliant, Pear Brilliant, Triangle Trillion, Heart "
        "Brilliant (in any letter case, or just the first word)",
        UnknownShapeText("emerald"));
}

}  // namespace
