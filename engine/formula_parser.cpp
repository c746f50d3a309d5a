#include "formula_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>

#include "ascii_case.h"
#include "decimal_conversion.h"
#include "function_library.h"
#include "step_rules.h"

namespace {

const char kExceptionPrefix[] = "Error in Calculation() weil ";
const char kBadConstIndex[] = "ProgrammError in SetFunctConst()";
const char kSyntaxErrorPrefix[] = "XXX";
const char kSyntaxErrorSuffix[] = "!";

// X = 0 is read as this value, so that formulas dividing by X stay finite.
constexpr double kZeroArgument = 1e-99;

CFormulaParser::MessageHook g_messageHook = nullptr;

// White space in the C sense; the engine trims only these, whatever the process locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Runs evaluate; an exception, such as running out of memory, becomes the error text instead.
template <class Evaluate>
double Guarded(Evaluate evaluate, std::uint16_t& errorPosition, std::string& errorText) {
    try {
        return evaluate();
    } catch (const std::exception& e) {
        errorPosition = 0;
        errorText = std::string(kExceptionPrefix) + e.what();
        return 0.0;
    }
}

// The text without the white space at both ends.
inline std::string_view Trimmed(std::string_view text) {
    const auto first = std::find_if_not(text.cbegin(), text.cend(), IsWhiteSpace);
    const auto last =
        std::find_if_not(text.crbegin(), std::make_reverse_iterator(first), IsWhiteSpace).base();
    return text.substr(first - text.cbegin(), last - first);
}

bool IsDigitOrPoint(int token) {
    return (token >= '0' && token <= '9') || token == '.';
}

// Powers of ten that doubles hold exactly: the limit of the one-division fast path.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads digits, at most one point, digits, as strtod would, correctly rounded in any locale.
inline double ConvertDecimal(const char* first, const char* last) {
    std::uint64_t mantissa = 0;
    int digits = 0;
    const char* end = first;
    for (; end != last && *end >= '0' && *end <= '9'; ++end, ++digits) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*end - '0');
    }
    const char* point = end;
    if (end != last && *end == '.') {
        for (++end; end != last && *end >= '0' && *end <= '9'; ++end, ++digits) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*end - '0');
        }
    }
    // Up to 15 digits both parts are exact doubles, so one division rounds correctly.
    if (digits <= 15) {
        const std::ptrdiff_t decimals = (point == end) ? 0 : end - point - 1;
        const double whole = static_cast<double>(mantissa);
        return decimals == 0 ? whole : whole / kExactPowersOfTen[decimals];
    }
    double value = 0.0;
    if (DecimalToDouble(first, end, value) != EDecimalConversion::kOutOfRange) return value;
    // Out of range: too large when a non-zero digit stands before the point, else too small.
    const bool large = std::find_if(first, point, [](char c) { return c != '0'; }) != point;
    return large ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

CFormulaParser::MessageHook CFormulaParser::SetMessageHook(MessageHook hook) {
    MessageHook previous = g_messageHook;
    g_messageHook = hook;
    return previous;
}

CFormulaParser::CFormulaParser() = default;

CFormulaParser::~CFormulaParser() = default;

void CFormulaParser::SetFunctConst(int index, double value) {
    if (index >= formula::kFirstConstantSlot && index <= formula::kLastConstantSlot) {
        m_dConst[index] = value;
        return;
    }
    if (g_messageHook != nullptr) g_messageHook(kBadConstIndex);
}

double CFormulaParser::Calculation(const std::string& formula, double x,
                                   std::uint16_t& errorPosition, std::string& errorText) {
    errorPosition = 0;
    m_dConst[formula::kArgumentSlot] = (x == 0.0) ? kZeroArgument : x;
    if (m_compiled.Replays(formula)) return Replay(errorPosition, errorText);
    return ReadText(formula, errorPosition, errorText);
}

// A new text is read; a text that comes again is read again and its steps are recorded.
double CFormulaParser::ReadText(const std::string& formula, std::uint16_t& errorPosition,
                                std::string& errorText) {
    if (m_compiled.ComesAgain(formula) && m_compiled.BeginRecording(formula)) {
        m_strText = Trimmed(m_compiled.Text());
        return Guarded([&] { return Read<true>(errorPosition, errorText); }, errorPosition,
                       errorText);
    }
    m_strText = Trimmed(formula);
    return Guarded([&] { return Read<false>(errorPosition, errorText); }, errorPosition, errorText);
}

double CFormulaParser::Replay(std::uint16_t& errorPosition, std::string& errorText) {
    const CCompiledFormula::Replayed replayed = m_compiled.Replay(m_dConst);
    if (replayed.error == nullptr && m_compiled.SyntaxError() == 0) {
        errorText.clear();  // the common case, without a call into the string library
        return replayed.value;
    }
    return Guarded(
        [&] {
            m_strError = (replayed.error != nullptr) ? replayed.error : "";
            return Report(replayed.value, m_compiled.SyntaxError(), errorPosition, errorText);
        },
        errorPosition, errorText);
}

// The whole reading of m_strText.
template <bool kRecord>
double CFormulaParser::Read(std::uint16_t& errorPosition, std::string& errorText) {
    m_strError.clear();
    m_nDepth = 0;
    m_nPos = 0;
    NextToken();
    const double value = Expression<kRecord>();
    const Position stop = (m_nToken == kEndToken) ? 0 : m_nPos;
    if constexpr (kRecord) m_compiled.FinishRecording(stop);
    m_strText = std::string_view();
    return Report(value, stop, errorPosition, errorText);
}

// Fills the out-parameters from the error text and stop, the position of a syntax error or 0.
inline double CFormulaParser::Report(double value, Position stop, std::uint16_t& errorPosition,
                                     std::string& errorText) {
    if (stop == 0 && m_strError.empty()) {
        errorText.clear();  // the common case, without a call into the string library
        return value;
    }
    ReportError(stop, errorPosition, errorText);
    return value;
}

void CFormulaParser::ReportError(Position stop, std::uint16_t& errorPosition,
                                 std::string& errorText) {
    if (stop == 0) {
        errorText = m_strError;
        return;
    }
    errorPosition = static_cast<std::uint16_t>(std::min<Position>(stop, kMaxPosition));
    errorText = kSyntaxErrorPrefix + m_strError + kSyntaxErrorSuffix;
}

template <bool kRecord>
inline void CFormulaParser::Record(Op op, double number, std::size_t index) {
    if constexpr (kRecord) m_compiled.Record(op, number, index);
}

// Token: the next character that is not a blank; the end marker and anything past it end the text.
inline void CFormulaParser::NextToken() {
    do {
        if (++m_nPos > m_strText.size()) {
            m_nToken = kEndToken;
            return;
        }
        m_nToken = static_cast<unsigned char>(m_strText[m_nPos - 1]);
    } while (m_nToken == ' ');
}

// Expression = Term { ("+" | "-") Term }
template <bool kRecord>
double CFormulaParser::Expression() {
    double value = Term<kRecord>();
    while (m_nToken == '+' || m_nToken == '-') {
        const Token op = m_nToken;
        NextToken();
        const double t = Term<kRecord>();
        Record<kRecord>(op == '+' ? Op::kAdd : Op::kSubtract);
        value = (op == '+') ? formula::Sum(value, t) : value - t;
    }
    return value;
}

// Term = Power { ("*" | "/") Power }
template <bool kRecord>
inline double CFormulaParser::Term() {
    double value = Power<kRecord>();
    while (m_nToken == '*' || m_nToken == '/') {
        const Token op = m_nToken;
        NextToken();
        const double d = Power<kRecord>();
        Record<kRecord>(op == '*' ? Op::kMultiply : Op::kDivide);
        if (op == '*') {
            value = formula::Product(value, d);
        } else if (formula::CanDivide(d)) {
            value /= d;
        } else {
            m_strError = formula::kDivisionByZero;
        }
    }
    return value;
}

// Power = SignedOperand { "^" SignedOperand }, left-associative
template <bool kRecord>
inline double CFormulaParser::Power() {
    double value = SignedOperand<kRecord>();
    while (m_nToken == '^') {
        NextToken();
        const double e = SignedOperand<kRecord>();
        Record<kRecord>(Op::kRaise);
        if (formula::CanRaise(value, e)) {
            value = std::pow(value, e);
        } else {
            m_strError = formula::kNoRoot;
        }
    }
    return value;
}

// SignedOperand = [ "-" ] Operand
template <bool kRecord>
inline double CFormulaParser::SignedOperand() {
    if (m_nToken != '-') return Operand<kRecord>();
    NextToken();
    const double value = Operand<kRecord>();
    Record<kRecord>(Op::kNegate);
    return -value;
}

// The end token is no byte, and the byte it wraps to names no letter.
static_assert(formula::kSlotOfCharacter[static_cast<unsigned char>(-1)] == formula::kNoSlot);

// Operand = number | "(" Expression [ ")" ] | letter | function Operand | nothing
template <bool kRecord>
double CFormulaParser::Operand() {
    if (IsDigitOrPoint(m_nToken)) return Number<kRecord>();
    if (m_nToken == '(') return Parenthesised<kRecord>();
    const int slot = formula::kSlotOfCharacter[static_cast<unsigned char>(m_nToken)];
    if (slot != formula::kNoSlot) {
        NextToken();
        Record<kRecord>(Op::kPushSlot, 0.0, static_cast<std::size_t>(slot));
        return m_dConst[slot];
    }
    if (const formula::FunctionEntry* entry = MatchFunction()) return Function<kRecord>(*entry);
    return Nothing<kRecord>();
}

// Number = digits and points, blanks between them skipped by NextToken
template <bool kRecord>
inline double CFormulaParser::Number() {
    const Position start = m_nPos;
    do {
        NextToken();
    } while (IsDigitOrPoint(m_nToken));
    // The conversion stops by itself at the first blank or other character inside the run.
    const double value =
        ConvertDecimal(m_strText.data() + start - 1, m_strText.data() + m_strText.size());
    Record<kRecord>(Op::kPushNumber, value);
    return value;
}

// "(" Expression [ ")" ]: a missing closing parenthesis is no error
template <bool kRecord>
double CFormulaParser::Parenthesised() {
    if (m_nDepth >= kMaxNesting) return Nothing<kRecord>();  // the "(" becomes the syntax error
    ++m_nDepth;
    NextToken();
    const double value = Expression<kRecord>();
    if (m_nToken == ')') NextToken();
    --m_nDepth;
    return value;
}

// function Operand: one operand as the argument, so a function binds tighter than any operator
template <bool kRecord>
double CFormulaParser::Function(const formula::FunctionEntry& entry) {
    if (m_nDepth >= kMaxNesting) return Nothing<kRecord>();  // the name becomes the syntax error
    ++m_nDepth;
    m_nPos += entry.name.size() - 1;
    NextToken();
    const double argument = Operand<kRecord>();
    --m_nDepth;
    Record<kRecord>(Op::kApply, 0.0, static_cast<std::size_t>(&entry - formula::kFunctions));
    if (entry.inDomain(argument)) return entry.apply(argument);
    // Assigned after the argument was read, so it replaces the argument's own error text.
    m_strError = formula::kCaught;
    return argument;
}

// Nothing fits: the value is 0 and the token stays for an enclosing step or the syntax error.
template <bool kRecord>
double CFormulaParser::Nothing() {
    Record<kRecord>(Op::kPushNumber, 0.0);
    return 0.0;
}

// The first table entry whose name stands at the current token in any letter case, or nullptr.
const formula::FunctionEntry* CFormulaParser::MatchFunction() const {
    const char* text = m_strText.data() + m_nPos - 1;
    const std::size_t available = m_strText.size() - (m_nPos - 1);
    const char first = AsciiUpper(text[0]);
    for (std::size_t i = 0; i < formula::kFunctionCount; ++i) {
        const std::string_view name = formula::kFunctions[i].name;
        if (name[0] != first || name.size() > available) continue;
        std::size_t k = 1;
        while (k < name.size() && AsciiUpper(text[k]) == name[k])
            ++k;
        if (k == name.size()) return &formula::kFunctions[i];
    }
    return nullptr;
}

double formula::LoadLetters(CFormulaParser& parser, const LetterValues& values) {
    for (std::size_t i = 0; i < kValueLetterCount; ++i) {
        if (kVariableLetters[i].source == LetterSource::kConstant)
            parser.SetFunctConst(kVariableLetters[i].slot, values[i]);
    }
    return values[kValueLetterCount - 1];
}

FormulaResult formula::Evaluate(CFormulaParser& parser, const std::string& text, double dX) {
    FormulaResult result;
    result.dValue = parser.Calculation(text, dX, result.nPosition, result.strError);
    return result;
}
