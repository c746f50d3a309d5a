// The README's tables of girdle factors, gem densities and size proportions say what the carat
// core's own tables hold, so the two cannot drift apart.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "decimal_text.h"
#include "shape_catalogue.h"
#include "stone_corrections.h"

namespace {

std::string Readme() {
    std::ifstream file(VELASTRO_README);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t begin = 0;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos) return parts;
        begin = end + separator.size();
    }
}

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The cells of the rows of the table whose header row starts with header, by their first cell:
// "| a | b |" gives {a, b}.
std::map<std::string, std::vector<std::string>> TableRows(const std::string& readme,
                                                          const std::string& header) {
    std::map<std::string, std::vector<std::string>> rows;
    std::istringstream lines(readme.substr(readme.find("\n" + header) + 1));
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 2 || line[0] != '|') break;
        std::vector<std::string> cells = Split(line.substr(1, line.size() - 2), "|");
        for (std::string& cell : cells)
            cell = Trim(cell);
        rows[cells[0]] = cells;
    }
    return rows;
}

double Number(const std::string& text) {
    return ReadDecimal(text.data(), text.data() + text.size()).dValue;
}

TEST(ReadmeTables, GirdleFactorsAreTheCoresOwn) {
    const auto rows = TableRows(Readme(), "| grade |");
    for (const GirdleGrade& grade : kGirdleGrades) {
        ASSERT_EQ(1u, rows.count(grade.pszName)) << grade.pszName << " has no README row";
        const std::vector<std::string>& cells = rows.at(grade.pszName);
        ASSERT_EQ(5u, cells.size()) << grade.pszName;
        EXPECT_EQ(grade.pszAbbreviation, cells[1]) << grade.pszName;
        for (int band = 0; band < 3; ++band)
            EXPECT_EQ(grade.adFactor[band], Number(cells[2 + band]))
                << grade.pszName << ", band " << band << ": README says " << cells[2 + band];
    }
}

TEST(ReadmeTables, SizeProportionsAreTheCatalogues) {
    const auto rows = TableRows(Readme(), "| shape | depth % |");
    for (const Shape& shape : kShapes) {
        ASSERT_EQ(1u, rows.count(shape.pszCaption)) << shape.pszCaption << " has no README row";
        const std::vector<std::string>& cells = rows.at(shape.pszCaption);
        EXPECT_EQ(shape.dDepthPct, Number(cells[1])) << shape.pszCaption << ": " << cells[1];
        if (shape.bWidthShown) {
            EXPECT_EQ(shape.dRatio, Number(cells[2])) << shape.pszCaption << ": " << cells[2];
        }
    }
}

// The README lists the gems in a sentence: "diamond 3.52, ruby and sapphire 4.00, ...".
TEST(ReadmeTables, GemDensitiesAreTheCores) {
    std::string readme = Readme();
    for (char& c : readme)
        if (c == '\n') c = ' ';
    const std::string kStart = "relative density (SG): ";
    const std::size_t begin = readme.find(kStart);
    ASSERT_NE(std::string::npos, begin);
    const std::size_t end = readme.find(". Source:", begin);
    std::map<std::string, double> listed;
    std::vector<std::string> names;
    for (const std::string& item :
         Split(readme.substr(begin + kStart.size(), end - begin - kStart.size()), ", ")) {
        for (std::string name : Split(item, " and ")) {
            const std::size_t blank = name.rfind(' ');
            const bool bNumber =
                blank != std::string::npos && name[blank + 1] >= '0' && name[blank + 1] <= '9';
            names.push_back(bNumber ? name.substr(0, blank) : name);
            if (!bNumber) continue;
            for (const std::string& named : names)
                listed[named] = Number(name.substr(blank + 1));
            names.clear();
        }
    }
    EXPECT_EQ(kGemCount, listed.size());
    for (const Gem& gem : kGems)
        EXPECT_EQ(gem.dRelativeDensity, listed[gem.pszName]) << gem.pszName;
}

}  // namespace
