#include "stone_corrections.h"

#include <string>
#include <vector>

#include "ascii_case.h"

// Girdle factors: Adamas Gemological Laboratory's girdle thickness adjustment table, as
// published by GemGate ("Diamond Weight Estimation & Girdle Thickness Judgment"). That table
// has no very thin grade: its "thin -" row (between extremely thin and thin) stands for it.
// Its thickest figures are the "very thick -" row; very thick and extremely thick both take
// them, so their estimates are a lower bound. Stones under 3.1 mm, below the table, take the
// smallest band's factors.
// clang-format off
const GirdleGrade kGirdleGrades[kGirdleGradeCount] = {
    {"extremely thin",  "ETN", {0.97,  0.96,  0.95}},
    {"very thin",       "VTN", {0.98,  0.97,  0.965}},
    {"thin",            "THN", {0.985, 0.98,  0.975}},
    {"medium",          "MED", {1.0,   1.0,   1.0}},
    {"slightly thick",  "STK", {1.03,  1.02,  1.01}},
    {"thick",           "THK", {1.04,  1.03,  1.02}},
    {"very thick",      "VTK", {1.07,  1.05,  1.035}},
    {"extremely thick", "ETK", {1.07,  1.05,  1.035}},
};

// The lower edges of the table's second and third bands (3.1-4.1, 4.15-6.9, 7.0+ mm).
constexpr double kBandFloorsMm[] = {4.15, 7.0};

// Usual relative densities (SG): the International Gem Society's table of SG values of selected
// gems (gemsociety.org) gives each range; the value here is the one gemmologists usually quote.
const Gem kGems[kGemCount] = {
    {"diamond", kDiamondRelativeDensity},
    {"ruby", 4.00},          {"sapphire", 4.00},        {"emerald", 2.72},
    {"aquamarine", 2.72},    {"morganite", 2.80},       {"alexandrite", 3.73},
    {"chrysoberyl", 3.73},   {"spinel", 3.60},          {"topaz", 3.53},
    {"tourmaline", 3.06},    {"peridot", 3.34},         {"tanzanite", 3.35},
    {"almandine", 4.05},     {"pyrope", 3.78},          {"rhodolite", 3.84},
    {"spessartine", 4.15},   {"tsavorite", 3.61},       {"demantoid", 3.84},
    {"amethyst", 2.66},      {"citrine", 2.66},         {"quartz", 2.66},
    {"zircon", 4.69},        {"cubic zirconia", 5.80},  {"moissanite", 3.22},
    {"opal", 2.15},          {"iolite", 2.61},          {"kunzite", 3.18},
    {"jadeite", 3.34},       {"moonstone", 2.57},       {"apatite", 3.18},
};

const WeightUnit kWeightUnits[kWeightUnitCount] = {
    {"ct", "carat", 1.0},
    {"g", "grams", 0.2},  // the metric carat is 0.2 g exactly
    {"pt", "points", 100.0},
};
// clang-format on

namespace {

// Names are written with blanks; "very-thick" and "cubic_zirconia" mean the same.
bool SameName(std::string_view given, std::string_view name) {
    std::string spaced(given);
    for (char& c : spaced)
        if (c == '-' || c == '_') c = ' ';
    return EqualIgnoringAsciiCase(spaced, name);
}

}  // namespace

const GirdleGrade* FindGirdleGrade(std::string_view name) {
    for (const GirdleGrade& grade : kGirdleGrades)
        if (SameName(name, grade.pszName) || EqualIgnoringAsciiCase(name, grade.pszAbbreviation))
            return &grade;
    return nullptr;
}

double GirdleFactor(const GirdleGrade& grade, double dDiameterMm) {
    std::size_t nBand = 0;
    while (nBand < 2 && dDiameterMm >= kBandFloorsMm[nBand])
        ++nBand;
    return grade.adFactor[nBand];
}

bool FindGirdleRange(std::string_view text, GirdleRange& range) {
    text = TrimBlanks(text);
    range.pFrom = range.pTo = FindGirdleGrade(text);
    if (range.pFrom != nullptr) return true;
    // A range: two grades joined by "to" or a dash, the dash also standing inside a grade's name.
    const std::string lower = AsciiLower(text);
    for (std::size_t i = 0; i < lower.size(); ++i) {
        std::size_t nJoin = 0;
        if (lower[i] == '-') nJoin = 1;
        if (lower.compare(i, 4, " to ") == 0) nJoin = 4;
        if (nJoin == 0) continue;
        const GirdleGrade* pFrom = FindGirdleGrade(TrimBlanks(text.substr(0, i)));
        const GirdleGrade* pTo = FindGirdleGrade(TrimBlanks(text.substr(i + nJoin)));
        if (pFrom == nullptr || pTo == nullptr) continue;
        range = {pFrom, pTo};
        return true;
    }
    return false;
}

double GirdleFactor(const GirdleRange& range, double dDiameterMm) {
    if (range.pFrom == nullptr) return 1.0;
    const double dFrom = GirdleFactor(*range.pFrom, dDiameterMm);
    if (range.pTo == range.pFrom) return dFrom;
    return (dFrom + GirdleFactor(*range.pTo, dDiameterMm)) / 2;
}

std::string UnknownGirdleText(std::string_view text) {
    std::string strGrades;
    for (const GirdleGrade& grade : kGirdleGrades)
        strGrades += std::string(strGrades.empty() ? "" : ", ") + grade.pszName + " (" +
                     grade.pszAbbreviation + ")";
    return "unknown girdle '" + std::string(text) + "'; the grades are " + strGrades +
           ", or two of them as a range such as 'medium to slightly thick'";
}

const Gem* FindGem(std::string_view name) {
    for (const Gem& gem : kGems)
        if (SameName(name, gem.pszName)) return &gem;
    return nullptr;
}

std::string UnknownGemText(std::string_view name) {
    std::vector<std::string_view> names;
    for (const Gem& gem : kGems)
        names.push_back(gem.pszName);
    const std::string_view nearest = NearestName(name, names);
    return "unknown gem '" + std::string(name) + "'" +
           (nearest.empty() ? "" : "; did you mean " + std::string(nearest) + "?");
}

const WeightUnit* FindWeightUnit(std::string_view name) {
    for (const WeightUnit& unit : kWeightUnits)
        if (EqualIgnoringAsciiCase(name, unit.pszName)) return &unit;
    return nullptr;
}

double CorrectedCarat(double dCarat, const StoneOptions& stone, double dGirdleDiameterMm) {
    if (stone.girdle.pFrom != nullptr) dCarat *= GirdleFactor(stone.girdle, dGirdleDiameterMm);
    // Diamond's own gravity gives exactly 1, so the window's number stays to the last digit.
    return dCarat * (stone.dRelativeDensity / kDiamondRelativeDensity);
}
