// What turns the window's diamond estimate into the stone at hand: girdle grade, gem material,
// weight unit and a plus/minus band. Tables and look-ups only; nothing here evaluates a formula.
#pragma once

#include <cstddef>
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

struct Gem {
    const char* pszName;
    double dRelativeDensity;
};

constexpr double kDiamondRelativeDensity = 3.52;
constexpr std::size_t kGemCount = 31;
extern const Gem kGems[kGemCount];

// The gem named in any letter case, a '-' or '_' standing for a blank; nullptr when unknown.
const Gem* FindGem(std::string_view name);

struct WeightUnit {
    const char* pszName;    // as --unit takes it and the totals show it
    const char* pszColumn;  // the batch output's weight column
    double dPerCarat;
};

constexpr std::size_t kWeightUnitCount = 3;
extern const WeightUnit kWeightUnits[kWeightUnitCount];  // carats first

const WeightUnit* FindWeightUnit(std::string_view name);

// The corrections one stone is estimated with; the defaults leave the window's number as is.
struct StoneCorrections {
    const GirdleGrade* pGirdle = nullptr;  // none: the formulas' own medium girdle
    double dRelativeDensity = kDiamondRelativeDensity;
    const WeightUnit* pUnit = &kWeightUnits[0];
    double dTolerancePct = 0.0;
    bool bTolerance = false;  // print the low and high weights
};

// The weight in carats times the girdle and gem factors; dGirdleDiameterMm picks the size band.
double CorrectedCarat(double dCarat, const StoneCorrections& corrections, double dGirdleDiameterMm);
