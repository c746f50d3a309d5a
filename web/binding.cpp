// The C functions the page's JavaScript calls: each hands its texts to the core (carat/, parcel/,
// engine/) and keeps what the core answered for the caller to read. Weights, tables and the
// core's error texts come from the core; the option checks mirror velastro-cli's, which has them.
#include <emscripten.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "answer_text.h"
#include "carat_estimator.h"
#include "decimal_text.h"
#include "formula_parser.h"
#include "parcel.h"
#include "shape_catalogue.h"
#include "size_solver.h"
#include "stone_corrections.h"

namespace {

// velastro-cli's exit statuses, which tell the page how to show an answer.
constexpr int kOk = 0;
constexpr int kEngineError = 1;  // the answer is the engine's error text
constexpr int kUsage = 2;        // the message says what was wrong with a field

// The last answer: its status, the output velastro-cli would print and the message it would give.
struct Answer {
    int nStatus = kOk;
    std::string strOut;
    std::string strMessage;
    int nPosition = 0;  // eval: where a syntax error stopped the reading (1-based), else 0
};
Answer g_answer;

const char* Keep(int nStatus, std::string strOut, std::string strMessage = std::string()) {
    g_answer = Answer{nStatus, std::move(strOut), std::move(strMessage), 0};
    return g_answer.strOut.c_str();
}

// The fields of a tab-separated text, empty ones kept.
std::vector<std::string> Fields(std::string_view text, std::size_t nAtLeast = 0) {
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (fields.size() < nAtLeast) fields.resize(nAtLeast);
    return fields;
}

// A phone's decimal keyboard may type a comma: the page reads "6,5" as 6.5.
std::string WithDecimalPoint(std::string text) {
    if (text.find('.') == std::string::npos && text.find(',') == text.rfind(','))
        for (char& c : text)
            if (c == ',') c = '.';
    return text;
}

DecimalParse ParseField(const std::string& text) {
    return ParseDecimal(WithDecimalPoint(text));
}

// The stone options as the page passes them: girdle, gem, SG, unit, tolerance, model, table %
// and interval ("1" or empty), tab-separated, empty for none. The same checks and words as
// velastro-cli's options, which hold them today.
bool TakeStoneOptions(const char* pszOptions, StoneOptions& corrections, std::string& strError) {
    const std::vector<std::string> fields = Fields(pszOptions, 8);
    const std::string &strGirdle = fields[0], &strGem = fields[1], &strSg = fields[2],
                      &strUnit = fields[3], &strTolerance = fields[4], &strTable = fields[6];
    corrections.bMeasured = fields[5] == "measured";
    corrections.bInterval = !fields[7].empty();
    if (!strUnit.empty() && (corrections.pUnit = FindWeightUnit(strUnit)) == nullptr) {
        strError = "--unit: '" + strUnit + "' is not ct, g or pt";
        return false;
    }
    if (!strGirdle.empty() && !FindGirdleRange(strGirdle, corrections.girdle)) {
        strError = "--girdle: " + UnknownGirdleText(strGirdle);
        return false;
    }
    if (!strGem.empty()) {
        const Gem* pGem = FindGem(strGem);
        if (pGem == nullptr) {
            strError = "--gem: " + UnknownGemText(strGem);
            return false;
        }
        corrections.dRelativeDensity = pGem->dRelativeDensity;
    }
    if (!strSg.empty()) {
        const DecimalParse sg = ParseField(strSg);
        if (!sg.bOk || !(sg.dValue > 0)) {
            strError = "--sg: " + (sg.bOk ? "'" + strSg + "' is not above 0" : sg.strError);
            return false;
        }
        corrections.dRelativeDensity = sg.dValue;
    }
    if (!strTable.empty()) {
        const DecimalParse table = ParseField(strTable);
        if (!table.bOk) {
            strError = "--table: " + table.strError;
            return false;
        }
        if (!corrections.bMeasured) {
            strError = "--table is read by the measured model: add --model measured";
            return false;
        }
        corrections.bTable = true;
        corrections.dTablePct = table.dValue;
    }
    if (strTolerance.empty()) return true;
    const DecimalParse tolerance = ParseField(strTolerance);
    if (!tolerance.bOk || !(tolerance.dValue >= 0 && tolerance.dValue < 100)) {
        strError =
            "--tolerance: " + (tolerance.bOk ? "'" + strTolerance + "' is not from 0 to below 100"
                                             : tolerance.strError);
        return false;
    }
    corrections.dTolerancePct = tolerance.dValue;
    corrections.bTolerance = true;
    return true;
}

std::string ShapesList() {
    std::string text;
    for (const Shape& shape : kShapes) {
        std::string strFields;
        for (const std::string& field : ShapeFields(shape))
            strFields += (strFields.empty() ? "" : " ") + field;
        text += std::string(shape.pszCaption) + '\t' + strFields + '\t' + shape.pszFormula + '\n';
    }
    return text;
}

// The proportion of size named pszName, or dDefault when the field is empty.
bool TakeProportion(const char* pszName, const std::string& text, double dDefault, double& dValue,
                    std::string& strError) {
    dValue = dDefault;
    if (text.empty()) return true;
    const DecimalParse number = ParseField(text);
    if (!number.bOk) strError = std::string(pszName) + ": " + number.strError;
    dValue = number.dValue;
    return number.bOk;
}

// The parcel being weighed, and its output not yet handed to the page.
std::unique_ptr<CParcel> g_pParcel;
std::string g_strParcelOut;

std::string ParcelMessages() {
    std::string text;
    for (const std::string& message : g_pParcel->Messages())
        text += message + '\n';
    g_pParcel->Messages().clear();
    return text;
}

int ParcelStatus(EParcelStatus eStatus) {
    switch (eStatus) {
        case EParcelStatus::kWeighed:
            return kOk;
        case EParcelStatus::kRowErrors:
            return kEngineError;
        case EParcelStatus::kBadHeader:
            return kUsage;
        case EParcelStatus::kTooLong:
            break;
    }
    return 3;
}

// The engine's own evaluation of formula slots, for the speed comparison in bench/.
constexpr int kSlots = 8;
CFormulaParser g_aParser[kSlots];
std::string g_astrFormula[kSlots];

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int velastro_status() {
    return g_answer.nStatus;
}

EMSCRIPTEN_KEEPALIVE const char* velastro_message() {
    return g_answer.strMessage.c_str();
}

EMSCRIPTEN_KEEPALIVE int velastro_position() {
    return g_answer.nPosition;
}

EMSCRIPTEN_KEEPALIVE int velastro_output_size() {
    return static_cast<int>(g_answer.strOut.size());
}

// 0: the shapes (caption, fields, formula), 1: the gems (name, SG), 2: the girdle grades
// (name, abbreviation), 3: the weight units; one per line, fields tab-separated.
EMSCRIPTEN_KEEPALIVE const char* velastro_list(int nWhat) {
    std::string text;
    if (nWhat == 0) text = ShapesList();
    if (nWhat == 1)
        for (const Gem& gem : kGems)
            text += std::string(gem.pszName) + '\t' + FormatFixed(gem.dRelativeDensity, 2) + '\n';
    if (nWhat == 2)
        for (const GirdleGrade& grade : kGirdleGrades)
            text += std::string(grade.pszName) + '\t' + grade.pszAbbreviation + '\n';
    if (nWhat == 3)
        for (const WeightUnit& unit : kWeightUnits)
            text += std::string(unit.pszName) + '\n';
    return Keep(kOk, text);
}

// velastro-cli estimate SHAPE NUMBERS... [--decimals N] [stone options]: the answer line.
EMSCRIPTEN_KEEPALIVE const char* velastro_estimate(const char* pszShape, const char* pszNumbers,
                                                   const char* pszOptions, int nDecimals) {
    StoneOptions corrections;
    std::string strError;
    if (!TakeStoneOptions(pszOptions, corrections, strError)) return Keep(kUsage, "", strError);
    const Shape* pShape = FindStoneShape(pszShape, corrections.bMeasured);
    if (pShape == nullptr)
        return Keep(kUsage, "", UnknownShapeText(pszShape, corrections.bMeasured));
    std::vector<std::string> numbers = Fields(pszNumbers);
    for (std::string& number : numbers)
        number = WithDecimalPoint(number);
    StoneSize size;
    if (!ReadStoneSize(*pShape, numbers, size, strError)) return Keep(kUsage, "", strError);
    CCaratEstimator estimator;
    StoneWeight weight;
    if (!WeighStone(estimator, *pShape, size, corrections, weight, strError))
        // The engine's error texts are answers, as the window shows them.
        return weight.bAnswerText ? Keep(kEngineError, strError) : Keep(kEngineError, "", strError);
    return Keep(kOk, WeightsText(weight, corrections, nDecimals));
}

// velastro-cli size SHAPE WEIGHT [--depth-pct P] [--ratio R] [--decimals N] [stone options]:
// the measures.
EMSCRIPTEN_KEEPALIVE const char* velastro_size(const char* pszShape, const char* pszWeight,
                                               const char* pszDepthPct, const char* pszRatio,
                                               const char* pszOptions, int nDecimals) {
    StoneOptions corrections;
    std::string strError;
    if (!TakeStoneOptions(pszOptions, corrections, strError)) return Keep(kUsage, "", strError);
    const Shape* pShape = FindStoneShape(pszShape, corrections.bMeasured);
    if (pShape == nullptr)
        return Keep(kUsage, "", UnknownShapeText(pszShape, corrections.bMeasured));
    double dDepthPct = 0.0, dRatio = 0.0;
    if (!TakeProportion("--depth-pct", pszDepthPct, pShape->dDepthPct, dDepthPct, strError) ||
        !TakeProportion("--ratio", pszRatio, pShape->dRatio, dRatio, strError))
        return Keep(kUsage, "", strError);
    if (pShape->bLengthLonger && dRatio < 1)
        return Keep(kUsage, "",
                    std::string("--ratio: the length of a ") + pShape->pszCaption +
                        " is its longer measure, so the ratio is 1 or more");
    if (*pszRatio != '\0' && !pShape->bWidthShown)
        return Keep(kUsage, "", std::string(pShape->pszCaption) + " has no width, so no --ratio");
    if (!(dDepthPct > 0) || !(dRatio > 0))
        return Keep(kUsage, "", "--depth-pct and --ratio must be above 0");
    const DecimalParse weight = ParseField(pszWeight);
    if (!weight.bOk || !(weight.dValue > 0) || !std::isfinite(weight.dValue))
        return Keep(kUsage, "",
                    "WEIGHT: " + (weight.bOk ? "'" + std::string(pszWeight) + "' is not above 0"
                                             : weight.strError));
    CCaratEstimator estimator;
    StoneSize size;
    if (!SolveSize(estimator, *pShape, weight.dValue, dDepthPct, dRatio, corrections, size))
        return Keep(kEngineError, "",
                    "no " + std::string(pShape->pszCaption) + " of these proportions weighs " +
                        pszWeight + ' ' + corrections.pUnit->pszName);
    return Keep(kOk, SizeText(*pShape, size, nDecimals));
}

// velastro-cli eval -B .. -X FORMULA: the answer text, and the position of a syntax error.
// pszLetters holds B F G H J K M N U X, tab-separated, empty for 0.
EMSCRIPTEN_KEEPALIVE const char* velastro_eval(const char* pszFormula, const char* pszLetters) {
    formula::LetterValues letters{};
    const std::vector<std::string> fields = Fields(pszLetters, letters.size());
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (fields[i].empty()) continue;
        const DecimalParse value = ParseField(fields[i]);
        if (!value.bOk) return Keep(kUsage, "", value.strError);
        letters[i] = value.dValue;
    }
    CFormulaParser parser;
    const double dX = formula::LoadLetters(parser, letters);
    const FormulaResult result = formula::Evaluate(parser, pszFormula, dX);
    Keep(result.strError.empty() ? kOk : kEngineError, AnswerText(result));
    g_answer.nPosition = result.nPosition;
    return g_answer.strOut.c_str();
}

// velastro-cli batch [--decimals N] [--decimal MARK] [--against COLUMN] [stone options], fed in
// chunks: begin,
// then velastro_parcel_feed with each chunk (written where velastro_parcel_room points), then
// velastro_parcel_finish. Each call answers the output bytes its rows completed and the
// messages; the finish's message ends with the totals. Begin answers 0 when an option is refused.
EMSCRIPTEN_KEEPALIVE int velastro_parcel_begin(const char* pszOptions, int nDecimals,
                                               int nDecimalMark, const char* pszAgainst) {
    ParcelOptions options;
    options.strAgainst = pszAgainst;
    std::string strError;
    if (!TakeStoneOptions(pszOptions, options.stone, strError)) {
        Keep(kUsage, "", strError);
        return 0;
    }
    options.nDecimals = nDecimals;
    options.eDecimalMark = static_cast<EDecimalMark>(nDecimalMark);
    g_pParcel = std::make_unique<CParcel>(options);
    return 1;
}

EMSCRIPTEN_KEEPALIVE char* velastro_parcel_room(int nBytes) {
    static std::string s_strChunk;
    s_strChunk.resize(static_cast<std::size_t>(nBytes));
    return s_strChunk.data();
}

EMSCRIPTEN_KEEPALIVE const char* velastro_parcel_feed(const char* pChunk, int nBytes) {
    std::string strOut;
    if (!g_pParcel->Refused())
        g_pParcel->Feed(std::string_view(pChunk, static_cast<std::size_t>(nBytes)), strOut);
    return Keep(ParcelStatus(g_pParcel->Status()), std::move(strOut), ParcelMessages());
}

EMSCRIPTEN_KEEPALIVE const char* velastro_parcel_finish() {
    std::string strOut;
    if (!g_pParcel->Refused()) g_pParcel->Finish(strOut);
    std::string strMessages = ParcelMessages();
    if (!g_pParcel->Refused()) strMessages += g_pParcel->SummaryText() + '\n';
    const int nStatus = ParcelStatus(g_pParcel->Status());
    g_pParcel.reset();
    return Keep(nStatus, std::move(strOut), std::move(strMessages));
}

// Formula slots 0 to 7 for the engine benchmark: load a text, then evaluate it with B, F, G.
EMSCRIPTEN_KEEPALIVE void velastro_load_formula(int nSlot, const char* pszFormula) {
    g_astrFormula[nSlot] = pszFormula;
}

EMSCRIPTEN_KEEPALIVE double velastro_evaluate(int nSlot, double dB, double dF, double dG) {
    CFormulaParser& parser = g_aParser[nSlot];
    parser.SetFunctConst(1, dB);
    parser.SetFunctConst(2, dF);
    parser.SetFunctConst(3, dG);
    std::uint16_t nPosition = 0;
    std::string strError;
    return parser.Calculation(g_astrFormula[nSlot], 0.0, nPosition, strError);
}

}  // extern "C"
