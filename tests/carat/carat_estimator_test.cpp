// One stone's weight as the window computes it, corrected for girdle and gem and given in a
// unit; the numbers a face reads for a shape's fields.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "carat_estimator.h"
#include "decimal_text.h"

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
        EXPECT_EQ(pszWeight, FormatFixed(dCarat)) << stone.shape;
    }
}

// A stone weighed with its options: corrections, unit, tolerance, model, table and range; or the
// reason it has no weight.
TEST(WeighStone, EveryOptionInItsPlaceOrTheReason) {
    struct Row {
        const char* shape;
        StoneSize size;
        const char* options;  // girdle|gem|unit|tolerance|measured|table|interval
        const char* text;     // WeightsText, or the reason
    };
    const Row rows[] = {
        {"oval", {6, 4, 3}, "|ruby|ct|0|||", "0.553977"},
        {"oval", {6, 4, 3}, "|Cubic_Zirconia|ct|0|||", "0.803267"},
        {"oval", {6, 4, 3}, "|diamond|pt|0|||", "48.750000"},
        {"oval", {6, 4, 3}, "very thick|cubic zirconia|ct|0|||", "0.843430"},
        {"oval", {6, 4, 3}, "STK|ruby|g|5|||", "0.113011 0.107361 0.118662"},
        {"oval", {6, 4, 3}, "Medium to Slightly Thick|diamond|ct|0|||", "0.492375"},
        {"round", {6.5, 0, 3.9}, "thick|diamond|ct|0|||", "1.091500"},
        {"round", {6.5, 0, 3.9}, "|diamond|ct|0|||1", "1.059709 0.986589 1.049112"},
        {"oval", {6, 4, 3}, "|diamond|ct|0|||1", "0.487500 - -"},
        {"round", {6.5, 0, 3.9}, "|diamond|ct|0|1||1", "1.000324 0.978316 1.026332 measured"},
        {"round", {6.5, 0, 3.9}, "|diamond|ct|0|1|57|", "0.994852 measured+table"},
        {"oval", {6, 4, 3}, "|diamond|ct|0|1||1", "0.465000 - - field-rule"},
        {"square", {6, 0, 3}, "|diamond|ct|0|1||", "0.936000 window"},
        {"emerald", {7, 5, 3.2}, "|diamond|ct|0|1||", "1.003520 field-rule"},
        {"round", {6.5, 0, 3.9}, "|diamond|ct|0|1|95|", "the table % must be between 40 and 90"},
        {"marquise",
         {5, 10, 3},
         "||ct|0|||",
         "the width 10 mm is above the length 5 mm, and the length of a Marquise Brilliant is "
         "its longer measure"},
        {"round", {-1, 0, 3}, "||ct|0|||", "the diameter -1 mm is not above 0"},
        {"heart", {6, 4, 0}, "||ct|0|||", "the depth 0 mm is not above 0"},
        {"oval",
         {1e200, 1e200, 1e200},
         "||ct|0|||",
         "these measures give no finite weight (are they in mm?)"},
    };
    for (const Row& row : rows) {
        std::vector<std::string> option;
        std::stringstream fields(row.options);
        for (std::string field; std::getline(fields, field, '|');)
            option.push_back(field);
        option.resize(7);
        StoneOptions stone;
        if (!option[0].empty()) FindGirdleRange(option[0], stone.girdle);
        if (!option[1].empty()) stone.dRelativeDensity = FindGem(option[1])->dRelativeDensity;
        stone.pUnit = FindWeightUnit(option[2]);
        stone.dTolerancePct = std::atof(option[3].c_str());
        stone.bTolerance = stone.dTolerancePct > 0;
        stone.bMeasured = !option[4].empty();
        stone.dTablePct = std::atof(option[5].c_str());
        stone.bTable = stone.dTablePct > 0;
        stone.bInterval = !option[6].empty();
        CCaratEstimator estimator;
        StoneWeight weight;
        std::string strError;
        const Shape* pShape = FindStoneShape(row.shape, stone.bMeasured);
        ASSERT_NE(nullptr, pShape) << row.shape;
        const bool bWeighed = WeighStone(estimator, *pShape, row.size, stone, weight, strError);
        EXPECT_EQ(row.text, bWeighed ? WeightsText(weight, stone) : strError)
            << row.shape << " with " << row.options;
    }
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
