// The estimates behind bench/accuracy.sh: every stone of a CSV table weighed by the window's
// round formula (through the engine), the field rule and the measured model, with their ranges.
// Reads row,half,carat,x,y,z,table and writes one line per stone; it fits and summarises nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "formula_letters.h"
#include "formula_parser.h"
#include "shape_catalogue.h"
#include "weight_model.h"

namespace {

struct TableStone {
    std::string strRow;
    std::string strHalf;
    double dCarat = 0.0;
    StoneMeasures measures;
};

// One line "row,half,carat,x,y,z,table"; false for a line that is not a stone.
bool ReadStone(const std::string& strLine, TableStone& stone) {
    std::istringstream fields(strLine);
    std::string strCarat, strX, strY, strZ, strTable;
    if (!std::getline(fields, stone.strRow, ',') || !std::getline(fields, stone.strHalf, ',') ||
        !std::getline(fields, strCarat, ',') || !std::getline(fields, strX, ',') ||
        !std::getline(fields, strY, ',') || !std::getline(fields, strZ, ',') ||
        !std::getline(fields, strTable, ','))
        return false;
    stone.dCarat = std::strtod(strCarat.c_str(), nullptr);
    stone.measures.dLength = std::strtod(strX.c_str(), nullptr);
    stone.measures.dWidth = std::strtod(strY.c_str(), nullptr);
    stone.measures.dDepth = std::strtod(strZ.c_str(), nullptr);
    stone.measures.dTablePct = std::strtod(strTable.c_str(), nullptr);
    return stone.dCarat > 0.0;
}

// The window's Round Brilliant formula at the mean diameter, as the window would compute it.
double WindowCarat(CFormulaParser& parser, const StoneMeasures& measures) {
    const Shape* pRound = FindShapeByName("Round Brilliant");
    parser.SetFunctConst(formula::SlotOfLetter(kLengthLetter),
                         (measures.dLength + measures.dWidth) / 2.0);
    parser.SetFunctConst(formula::SlotOfLetter(kDepthLetter), measures.dDepth);
    std::uint16_t nPosition = 0;
    std::string strError;
    return parser.Calculation(pRound->pszFormula, 0.0, nPosition, strError);
}

void PrintEstimate(std::ostream& out, const WeightEstimate& estimate, bool bRange) {
    char szText[96];
    if (bRange)
        std::snprintf(szText, sizeof szText, ",%.9g,%.9g,%.9g", estimate.dCarat, estimate.dCaratLow,
                      estimate.dCaratHigh);
    else
        std::snprintf(szText, sizeof szText, ",%.9g", estimate.dCarat);
    out << szText;
}

void PrintStone(std::ostream& out, CFormulaParser& parser, TableStone& stone) {
    out << stone.strRow << ',' << stone.strHalf << ',' << stone.dCarat;
    PrintEstimate(out, WindowEstimate("round", WindowCarat(parser, stone.measures)), true);
    PrintEstimate(out, EstimateByFieldRule("round", stone.measures), false);
    stone.measures.bTable = false;
    PrintEstimate(out, EstimateMeasured("round", stone.measures), true);
    stone.measures.bTable = true;
    PrintEstimate(out, EstimateMeasured("round", stone.measures), true);
    out << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: velastro-accuracy STONES.csv > ESTIMATES.csv\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "velastro-accuracy: can not open " << argv[1] << '\n';
        return 2;
    }
    std::cout << "row,half,carat,window,window_low,window_high,rule,measured_plain,"
                 "measured_plain_low,measured_plain_high,measured_table,measured_table_low,"
                 "measured_table_high\n";
    CFormulaParser parser;
    std::string strLine;
    TableStone stone;
    while (std::getline(in, strLine))
        if (ReadStone(strLine, stone)) PrintStone(std::cout, parser, stone);
    std::cout.flush();
    return std::cout ? 0 : 3;
}
