// What turns the window's diamond estimate into the stone at hand: girdle grade, gem material,
// weight unit and a plus/minus band. Tables and look-ups only; nothing here evaluates a formula.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A girdle grade and its weight factors for the three size bands of the published table.
struct GirdleGrade {
    const char* pszName;          // "extremely thin" ... "extremely thick"
    const char* pszAbbreviation;  // "ETN" ... "ETK"
    double adFactor[3];           // below 4.15 mm, 4.15 to 6.99 mm, 7.0 mm and above
};

constexpr std::size_t kGirdleGradeCount = 8;
extern const GirdleGrade kGirdleGrades[kGirdleGradeCount];

// The grade named by its words ("very thick", "very-thick") or abbreviation, in any letter case.
const GirdleGrade* FindGirdleGrade(std::string_view name);

// The grade's factor for a stone whose girdle diameter is dDiameterMm.
double GirdleFactor(const GirdleGrade& grade, double dDiameterMm);

// A girdle as graded: one grade, or a range of two as reports write it ("Medium to Slightly
// Thick", "THN-MED"), which weighs as the mean of their factors.
struct GirdleRange {
    const GirdleGrade* pFrom = nullptr;  // none: the formulas' own medium girdle
    const GirdleGrade* pTo = nullptr;    // the same grade when only one is given
};

// The grade or range of two grades named by text; false when it names neither.
bool FindGirdleRange(std::string_view text, GirdleRange& range);

// The range's factor for a stone whose girdle diameter is dDiameterMm; 1 for none.
double GirdleFactor(const GirdleRange& range, double dDiameterMm);

// Why text names no girdle, with the grades there are.
std::string UnknownGirdleText(std::string_view text);

struct Gem {
    const char* pszName;
    double dRelativeDensity;
};

constexpr double kDiamondRelativeDensity = 3.52;
constexpr std::size_t kGemCount = 31;
extern const Gem kGems[kGemCount];

// The gem named in any letter case, a '-' or '_' standing for a blank; nullptr when unknown.
const Gem* FindGem(std::string_view name);

// Why name names no gem, with the nearest name when one is near.
std::string UnknownGemText(std::string_view name);

struct WeightUnit {
    const char* pszName;    // as --unit takes it and the totals show it
    const char* pszColumn;  // the batch output's weight column
    double dPerCarat;
};

constexpr std::size_t kWeightUnitCount = 3;
extern const WeightUnit kWeightUnits[kWeightUnitCount];  // carats first

const WeightUnit* FindWeightUnit(std::string_view name);

// The options one stone is estimated with; the defaults leave the window's number as is.
struct StoneOptions {
    GirdleRange girdle;  // none: the formulas' own medium girdle
    double dRelativeDensity = kDiamondRelativeDensity;
    const WeightUnit* pUnit = &kWeightUnits[0];
    double dTolerancePct = 0.0;
    bool bTolerance = false;  // print the low and high weights
    // The measured model for round brilliants and published field rules for the other shapes
    // that have one, else the window's formulas.
    bool bMeasured = false;
    bool bTable = false;  // a round's table % is known: dTablePct
    double dTablePct = 0.0;
    bool bInterval = false;  // print the range 90 % of real stones with these measures weigh in
};

// The weight in carats times the girdle and gem factors; dGirdleDiameterMm picks the size band.
double CorrectedCarat(double dCarat, const StoneOptions& stone, double dGirdleDiameterMm);
