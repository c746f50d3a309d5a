// The C functions the page's JavaScript calls: each hands its texts to the core and keeps what
// the core answered (status, output, message) for the caller to read. No weight, table or error
// text is made here; only the page's way of passing fields (tab-separated texts) is.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "batch_command.h"
#include "decimal_arg.h"
#include "eval_command.h"
#include "exit_status.h"
#include "formula_parser.h"
#include "shape_commands.h"
#include "size_command.h"
#include "stone_corrections.h"

namespace {

// The last answer: the exit status the command line would give, its output and its message.
struct Answer {
    int nStatus = 0;
    std::string strOut;
    std::string strErr;
};
Answer g_answer;

// The fields of a tab-separated text, empty ones kept.
std::vector<std::string> Fields(const char* pszText) {
    std::vector<std::string> fields(1);
    for (const char* p = pszText; *p != '\0'; ++p) {
        if (*p == '\t')
            fields.emplace_back();
        else
            fields.back() += *p;
    }
    return fields;
}

// A phone's decimal keyboard may type a comma: the page reads "6,5" as 6.5.
std::string WithDecimalPoint(std::string text) {
    if (text.find('.') == std::string::npos && text.find(',') == text.rfind(','))
        for (char& c : text)
            if (c == ',') c = '.';
    return text;
}

const char* Kept(std::ostringstream& out, std::ostringstream& err, int nStatus) {
    g_answer.nStatus = nStatus;
    g_answer.strOut = out.str();
    g_answer.strErr = err.str();
    return g_answer.strOut.c_str();
}

// The stone options as the page passes them: girdle, gem, SG, unit, tolerance (tab-separated,
// empty for none). False with the reason kept when one is refused.
bool TakeStoneOptions(const char* pszOptions, CStoneCorrections& corrections) {
    std::vector<std::string> fields = Fields(pszOptions);
    fields.resize(5);
    std::ostringstream out, err;
    auto refuse = [&](const std::string& reason) {
        err << reason << '\n';
        Kept(out, err, kExitUsage);
        return false;
    };
    if (!fields[0].empty() && (corrections.pGirdle = FindGirdleGrade(fields[0])) == nullptr)
        return refuse("--girdle: unknown grade '" + fields[0] + "'");
    if (!fields[1].empty()) {
        const CGem* pGem = FindGem(fields[1]);
        if (pGem == nullptr) return refuse("--gem: unknown gem '" + fields[1] + "'");
        corrections.dRelativeDensity = pGem->dRelativeDensity;
    }
    if (!fields[2].empty()) {
        const DecimalArg sg = ParseDecimalArg(WithDecimalPoint(fields[2]));
        if (!sg.ok || !(sg.value > 0))
            return refuse("--sg: " + (sg.ok ? "'" + fields[2] + "' is not above 0" : sg.error));
        corrections.dRelativeDensity = sg.value;
    }
    if (!fields[3].empty() && (corrections.pUnit = FindWeightUnit(fields[3])) == nullptr)
        return refuse("--unit: '" + fields[3] + "' is not ct, g or pt");
    if (!fields[4].empty()) {
        const DecimalArg tolerance = ParseDecimalArg(WithDecimalPoint(fields[4]));
        if (!tolerance.ok || !(tolerance.value >= 0 && tolerance.value < 100))
            return refuse("--tolerance: " + (tolerance.ok
                                                 ? "'" + fields[4] + "' is not from 0 to below 100"
                                                 : tolerance.error));
        corrections.dTolerancePct = tolerance.value;
        corrections.bTolerance = true;
    }
    return true;
}

// A parcel's input, read by the core through a C stream, and its progress for the page.
struct ParcelInput {
    std::string strBytes;
    std::size_t nRead = 0;
};

EM_JS(void, ReportParcelProgress, (double dBytes), {
    if (Module.onParcelProgress) Module.onParcelProgress(dBytes);
});

ssize_t ReadParcel(void* pCookie, char* pBuffer, size_t nSize) {
    ParcelInput& input = *static_cast<ParcelInput*>(pCookie);
    const std::size_t nTaken = std::min(nSize, input.strBytes.size() - input.nRead);
    std::memcpy(pBuffer, input.strBytes.data() + input.nRead, nTaken);
    input.nRead += nTaken;
    ReportParcelProgress(static_cast<double>(input.nRead));
    return static_cast<ssize_t>(nTaken);
}

struct Parcel {
    BatchOptions options;
    ParcelInput input;
};
Parcel g_parcel;

// The engine's own evaluation of formula slots, for the speed comparison in bench/.
CFormulaParser g_aParser[8];
std::string g_astrFormula[8];

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int velastro_status() {
    return g_answer.nStatus;
}

EMSCRIPTEN_KEEPALIVE const char* velastro_message() {
    return g_answer.strErr.c_str();
}

// 0: the shapes (caption, fields, formula), 1: the gems (name, SG), 2: the girdle grades
// (name, abbreviation), 3: the weight units; one per line, fields tab-separated.
EMSCRIPTEN_KEEPALIVE const char* velastro_list(int nWhat) {
    std::ostringstream out, err;
    if (nWhat == 0) PrintShapes(out);
    if (nWhat == 1) PrintGems(out);
    if (nWhat == 2)
        for (const CGirdleGrade& grade : kGirdleGrades)
            out << grade.pszName << '\t' << grade.pszAbbreviation << '\n';
    if (nWhat == 3)
        for (const CWeightUnit& unit : kWeightUnits)
            out << unit.pszName << '\n';
    return Kept(out, err, kExitOk);
}

// velastro-cli estimate SHAPE NUMBERS... with the stone options; the answer line as it prints it.
EMSCRIPTEN_KEEPALIVE const char* velastro_estimate(const char* pszShape, const char* pszNumbers,
                                                   const char* pszOptions) {
    CStoneCorrections corrections;
    if (!TakeStoneOptions(pszOptions, corrections)) return g_answer.strOut.c_str();
    std::vector<std::string> numbers = Fields(pszNumbers);
    for (std::string& number : numbers)
        number = WithDecimalPoint(number);
    std::ostringstream out, err;
    const int nStatus = RunEstimate(pszShape, numbers, corrections, out, err);
    return Kept(out, err, nStatus);
}

// velastro-cli size SHAPE WEIGHT [--depth-pct P] [--ratio R] [--decimals N] with stone options.
EMSCRIPTEN_KEEPALIVE const char* velastro_size(const char* pszShape, const char* pszWeight,
                                               const char* pszDepthPct, const char* pszRatio,
                                               const char* pszOptions) {
    SizeOptions options;
    if (!TakeStoneOptions(pszOptions, options.corrections)) return g_answer.strOut.c_str();
    std::ostringstream out, err;
    const std::pair<const char*, std::optional<double>*> proportions[] = {
        {pszDepthPct, &options.depthPct}, {pszRatio, &options.ratio}};
    for (const auto& [pszText, pValue] : proportions) {
        if (*pszText == '\0') continue;
        const DecimalArg arg = ParseDecimalArg(WithDecimalPoint(pszText));
        if (!arg.ok) {
            err << arg.error << '\n';
            return Kept(out, err, kExitUsage);
        }
        *pValue = arg.value;
    }
    const int nStatus = RunSize(pszShape, WithDecimalPoint(pszWeight), options, out, err);
    return Kept(out, err, nStatus);
}

// velastro-cli eval -B .. -X FORMULA: pszLetters holds B F G H J K M N U X, tab-separated.
EMSCRIPTEN_KEEPALIVE const char* velastro_eval(const char* pszFormula, const char* pszLetters) {
    EvalOptions options;
    options.formula = pszFormula;
    std::vector<std::string> letters = Fields(pszLetters);
    letters.resize(options.letters.size());
    std::ostringstream out, err;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (letters[i].empty()) continue;
        const DecimalArg arg = ParseDecimalArg(WithDecimalPoint(letters[i]));
        if (!arg.ok) {
            err << arg.error << '\n';
            return Kept(out, err, kExitUsage);
        }
        options.letters[i] = arg.value;
    }
    const int nStatus = RunEval(options, nullptr, out, err);
    return Kept(out, err, nStatus);
}

// A parcel: begin with the options, feed its bytes in chunks (velastro_parcel_chunk gives room
// for the next one), finish to weigh it; the output then is velastro_answer's text.
EMSCRIPTEN_KEEPALIVE int velastro_parcel_begin(const char* pszOptions, int nDecimals,
                                               int nDecimalMark) {
    g_parcel = Parcel();
    g_parcel.options.decimals = nDecimals;
    g_parcel.options.decimalMark = static_cast<EDecimalMark>(nDecimalMark);
    return TakeStoneOptions(pszOptions, g_parcel.options.corrections) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE char* velastro_parcel_chunk(int nBytes) {
    std::string& bytes = g_parcel.input.strBytes;
    bytes.resize(bytes.size() + static_cast<std::size_t>(nBytes));
    return bytes.data() + bytes.size() - nBytes;
}

EMSCRIPTEN_KEEPALIVE const char* velastro_parcel_finish() {
    std::ostringstream out, err;
    std::FILE* pIn = fopencookie(&g_parcel.input, "r", {ReadParcel, nullptr, nullptr, nullptr});
    const int nStatus = RunBatch(g_parcel.options, pIn, out, err);
    std::fclose(pIn);
    std::string().swap(g_parcel.input.strBytes);
    return Kept(out, err, nStatus);
}

EMSCRIPTEN_KEEPALIVE int velastro_output_size() {
    return static_cast<int>(g_answer.strOut.size());
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
