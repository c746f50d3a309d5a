// The formula table (formulas.tsv) evaluated row by row, each row read, recorded and replayed by
// one parser that goes through the whole table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "evaluation.h"

namespace {

// Undoes the table's escapes, so tabs, line ends, NUL and other bytes can stand in a formula.
std::string Unescape(const std::string& field) {
    const std::string plain = "tnrfv0\\", coded("\t\n\r\f\v\0\\", 7);
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size())
            text += field[i];
        else if (field[++i] != 'x')
            text += coded[plain.find(field[i])];
        else
            text += static_cast<char>(std::stoi(field.substr((i += 2) - 1, 2), nullptr, 16));
    }
    return text;
}

// "~": the last places may differ (library functions); "+nan" or "-nan": a NaN of that sign.
void ExpectValue(const std::string& listed, double actual) {
    const bool approximate = !listed.empty() && listed[0] == '~';
    const double value = std::strtod(listed.c_str() + (approximate ? 1 : 0), nullptr);
    if (std::isnan(value)) {
        // The sign is read from the text: not every C library's strtod gives "-nan" its sign.
        const bool signedNaN = (listed == "+nan" || listed == "-nan") && kNaNSignsAreFixed;
        EXPECT_TRUE(std::isnan(actual) &&
                    (!signedNaN || (listed == "-nan") == std::signbit(actual)))
            << "expected " << listed << ", got " << actual;
    } else if (approximate) {
        EXPECT_DOUBLE_EQ(value, actual);
    } else {
        EXPECT_EQ(value, actual);
        EXPECT_EQ(std::signbit(value), std::signbit(actual)) << "sign of zero";
    }
}

TEST(FormulaTable, EveryRowEvaluatesAsListedAndAlikeWhenEvaluatedAgain) {
    std::ifstream file(VELASTRO_FORMULA_TABLE);
    CFormulaParser parser;
    int nRows = 0;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;  // formula, x, value, error position, error text
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');)
            fields.push_back(field);
        fields.resize(5);
        const std::string formula = Unescape(fields[0]);
        SCOPED_TRACE("formulas.tsv:" + std::to_string(number) + " \"" + formula.substr(0, 60) +
                     "\"");
        const FormulaResult actual =
            EvaluateEveryWay(parser, formula, std::strtod(fields[1].c_str(), nullptr));
        ExpectValue(fields[2], actual.dValue);
        EXPECT_EQ(std::make_pair(fields[3], fields[4]),
                  std::make_pair(std::to_string(actual.nPosition), actual.strError));
        ++nRows;
    }
    EXPECT_GT(nRows, 150) << "formulas.tsv was not found or is cut short";
}

}  // namespace
