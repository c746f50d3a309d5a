// The formula table (formulas.tsv) evaluated row by row, each row read, recorded and replayed by
// one parser that goes through the whole table.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "evaluation.h"

namespace {

struct Row {
    int line;
    std::string formula;
    double x;
    double value;
    bool approximate;  // "~": library functions may differ in the last places
    bool signedNaN;    // "+nan" or "-nan": the sign is part of the value
    std::uint16_t position;
    std::string text;
};

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

std::vector<Row> LoadTable() {
    std::vector<Row> rows;
    std::ifstream file(VELASTRO_FORMULA_TABLE);
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream in(line);
        for (std::string field; std::getline(in, field, '\t');)
            fields.push_back(field);
        fields.resize(5);
        const bool approximate = !fields[2].empty() && fields[2][0] == '~';
        const bool signedNaN = fields[2] == "+nan" || fields[2] == "-nan";
        rows.push_back({number, Unescape(fields[0]), std::strtod(fields[1].c_str(), nullptr),
                        std::strtod(fields[2].c_str() + (approximate ? 1 : 0), nullptr),
                        approximate, signedNaN, static_cast<std::uint16_t>(std::stoi(fields[3])),
                        fields[4]});
    }
    return rows;
}

TEST(FormulaTable, EveryRowEvaluatesAsListedAndAlikeWhenEvaluatedAgain) {
    const std::vector<Row> rows = LoadTable();
    ASSERT_GT(rows.size(), 150u) << "formulas.tsv was not found or is cut short";
    CFormulaParser parser;
    for (const Row& row : rows) {
        SCOPED_TRACE("formulas.tsv:" + std::to_string(row.line) + " \"" +
                     row.formula.substr(0, 60) + "\"");
        const Outcome actual = EvaluateEveryWay(parser, row.formula, row.x);
        if (std::isnan(row.value)) {
            EXPECT_TRUE(std::isnan(actual.value)) << "expected NaN, got " << actual.value;
            EXPECT_TRUE(!row.signedNaN || std::signbit(row.value) == std::signbit(actual.value))
                << "expected " << row.value << ", got " << actual.value;
        } else if (row.approximate) {
            EXPECT_DOUBLE_EQ(row.value, actual.value);
        } else {
            EXPECT_EQ(row.value, actual.value);
            EXPECT_EQ(std::signbit(row.value), std::signbit(actual.value)) << "sign of zero";
        }
        EXPECT_EQ(std::tie(row.position, row.text), std::tie(actual.position, actual.text));
    }
}

}  // namespace
