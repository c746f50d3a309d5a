// The C functions the page's JavaScript calls: each hands its texts to the core (carat/, parcel/,
// engine/) and keeps what the core answered for the caller to read. Weights, tables, option
// checks and error texts all come from the core, as velastro-cli's do.
#include <emscripten.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "answer_text.h"
#include "carat_estimator.h"
#include "decimal_text.h"
#include "formula_parser.h"
#include "option_texts.h"
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
// and interval ("1" or empty), tab-separated, empty for none; read by the core as velastro-cli's.
bool TakeStoneOptions(const char* pszOptions, StoneOptions& stone, std::string& strError) {
    const std::vector<std::string> fields = Fields(pszOptions, 8);
    const auto given = [](const std::string& text, bool bNumber) {
        return text.empty() ? std::nullopt
                            : std::optional<std::string>(bNumber ? WithDecimalPoint(text) : text);
    };
    StoneOptionTexts texts;
    texts.girdle = given(fields[0], false);
    texts.gem = given(fields[1], false);
    texts.sg = given(fields[2], true);
    texts.unit = given(fields[3], false);
    texts.tolerance = given(fields[4], true);
    texts.model = given(fields[5], false);
    texts.table = given(fields[6], true);
    texts.bInterval = !fields[7].empty();
    return ReadStoneOptions(texts, stone, strError);
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

// The shape by its name under the options' model, and the options; nullptr and why on a fault.
const Shape* TakeShapeAndOptions(const char* pszShape, const char* pszOptions,
                                 StoneOptions& corrections, std::string& strError) {
    if (!TakeStoneOptions(pszOptions, corrections, strError)) return nullptr;
    const Shape* pShape = FindStoneShape(pszShape, corrections.bMeasured);
    if (pShape == nullptr) strError = UnknownShapeText(pszShape, corrections.bMeasured);
    return pShape;
}

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
    const Shape* pShape = TakeShapeAndOptions(pszShape, pszOptions, corrections, strError);
    if (pShape == nullptr) return Keep(kUsage, "", strError);
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
    const Shape* pShape = TakeShapeAndOptions(pszShape, pszOptions, corrections, strError);
    if (pShape == nullptr) return Keep(kUsage, "", strError);
    SizeTexts texts;
    texts.weight = WithDecimalPoint(pszWeight);
    if (*pszDepthPct != '\0') texts.depthPct = WithDecimalPoint(pszDepthPct);
    if (*pszRatio != '\0') texts.ratio = WithDecimalPoint(pszRatio);
    double dWeight = 0.0, dDepthPct = 0.0, dRatio = 0.0;
    if (!ReadSizeTexts(*pShape, texts, dWeight, dDepthPct, dRatio, strError))
        return Keep(kUsage, "", strError);
    CCaratEstimator estimator;
    StoneSize size;
    if (!SolveSize(estimator, *pShape, dWeight, dDepthPct, dRatio, corrections, size))
        return Keep(kEngineError, "", NoSizeText(*pShape, pszWeight, corrections));
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
