#include "formula_parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>

#include "function_library.h"

namespace {

const char kDivisionByZero[] = " (Division durch Null)";
const char kNoRoot[] = " (keine Wurzel aus neg. Zahl)";
const char kCaught[] = " (Ein Error wurde abgefangen)";
const char kExceptionPrefix[] = "Error in Calculation() weil ";
const char kBadConstIndex[] = "ProgrammError in SetFunctConst()";

CFormulaParser::MessageHook g_messageHook = nullptr;

// White space in the C sense; the engine trims only these, whatever the process locale.
bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigitOrPoint(int token) {
    return (token >= '0' && token <= '9') || token == '.';
}

char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Powers of ten that doubles hold exactly: the limit of the one-division fast path.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Reads digits, at most one point, digits, as strtod would, correctly rounded in any locale.
double ConvertDecimal(const char* first, const char* last) {
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
    const auto result = std::from_chars(first, end, value, std::chars_format::fixed);
    if (result.ec != std::errc::result_out_of_range) return value;
    // Out of range: too large when a non-zero digit stands before the point, else too small.
    const bool large = std::find_if(first, point, [](char c) { return c != '0'; }) != point;
    return large ? std::numeric_limits<double>::infinity() : 0.0;
}

// Entry 0 empty, then the names in matching order; built once, copied by every parser.
const std::array<std::string_view, CFormulaParser::kFunctionCount + 1>& NameTable() {
    static const auto table = [] {
        std::array<std::string_view, CFormulaParser::kFunctionCount + 1> names{};
        for (std::size_t i = 0; i < CFormulaParser::kFunctionCount; ++i) {
            names[i + 1] = formula::kFunctions[i].name;
        }
        return names;
    }();
    return table;
}

}  // namespace

CFormulaParser::MessageHook CFormulaParser::SetMessageHook(MessageHook hook) {
    MessageHook previous = g_messageHook;
    g_messageHook = hook;
    return previous;
}

CFormulaParser::CFormulaParser() : m_astrFunctions(NameTable()) {}

CFormulaParser::~CFormulaParser() = default;

void CFormulaParser::SetFunctConst(int index, double value) {
    if (index >= 1 && index <= 9) {
        m_dConst[index] = value;
        return;
    }
    if (g_messageHook != nullptr) g_messageHook(kBadConstIndex);
}

double CFormulaParser::Calculation(std::string formula, double x, std::uint16_t& errorPosition,
                                   std::string& errorText) {
    errorPosition = 0;
    try {
        m_strError.clear();
        // A view of the trimmed text: reading needs no copy beyond the caller's own.
        const auto first = std::find_if_not(formula.cbegin(), formula.cend(), IsWhiteSpace);
        const auto last =
            std::find_if_not(formula.crbegin(), std::make_reverse_iterator(first), IsWhiteSpace)
                .base();
        m_strText = std::string_view(formula).substr(first - formula.cbegin(), last - first);
        m_dVarX = (x == 0.0) ? 1e-99 : x;
        m_nDepth = 0;
        m_nPos = 0;
        NextToken();
        const double value = Expression();
        if (m_nToken == kEndToken) {
            if (m_strError.empty()) {
                errorText.clear();  // the common case, without a call into the string library
            } else {
                errorText = m_strError;
            }
        } else {
            errorPosition = static_cast<std::uint16_t>(std::min<Position>(m_nPos, kMaxPosition));
            errorText = "XXX" + m_strError + "!";
        }
        m_strText = std::string_view();  // the text dies with this call
        return value;
    } catch (const std::exception& e) {
        m_strText = std::string_view();
        errorPosition = 0;
        errorText = std::string(kExceptionPrefix) + e.what();
        return 0.0;
    }
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
double CFormulaParser::Expression() {
    double value = Term();
    while (m_nToken == '+' || m_nToken == '-') {
        const Token op = m_nToken;
        NextToken();
        const double t = Term();
        value = (op == '+') ? value + t : value - t;
    }
    return value;
}

// Term = Power { ("*" | "/") Power }
inline double CFormulaParser::Term() {
    double value = Power();
    while (m_nToken == '*' || m_nToken == '/') {
        const Token op = m_nToken;
        NextToken();
        const double d = Power();
        if (op == '*') {
            value *= d;
        } else if (d == 0.0) {
            m_strError = kDivisionByZero;
        } else {
            value /= d;
        }
    }
    return value;
}

// Power = SignedOperand { "^" SignedOperand }, left-associative
inline double CFormulaParser::Power() {
    double value = SignedOperand();
    while (m_nToken == '^') {
        NextToken();
        const double e = SignedOperand();
        if (value > 0.0 || (std::fabs(e) > 1.0 && formula::IsWhole32(e))) {
            value = std::pow(value, e);
        } else {
            m_strError = kNoRoot;
        }
    }
    return value;
}

// SignedOperand = [ "-" ] Operand
inline double CFormulaParser::SignedOperand() {
    if (m_nToken != '-') return Operand();
    NextToken();
    return -Operand();
}

// Operand = number | "(" Expression [ ")" ] | letter | function Operand | nothing
double CFormulaParser::Operand() {
    if (IsDigitOrPoint(m_nToken)) return Number();
    if (m_nToken == '(') return Parenthesised();
    if (const double* variable = VariableSlot(m_nToken)) {
        NextToken();
        return *variable;
    }
    if (const std::size_t index = MatchFunction()) return Function(index);
    return 0.0;  // nothing fits: the token stays for an enclosing step or the syntax error
}

// Number = digits and points, blanks between them skipped by NextToken
inline double CFormulaParser::Number() {
    const Position start = m_nPos;
    do {
        NextToken();
    } while (IsDigitOrPoint(m_nToken));
    // The conversion stops by itself at the first blank or other character inside the run.
    return ConvertDecimal(m_strText.data() + start - 1, m_strText.data() + m_strText.size());
}

// "(" Expression [ ")" ]: a missing closing parenthesis is no error
double CFormulaParser::Parenthesised() {
    if (m_nDepth >= kMaxNesting) return 0.0;  // the "(" stays and becomes the syntax error
    ++m_nDepth;
    NextToken();
    const double value = Expression();
    if (m_nToken == ')') NextToken();
    --m_nDepth;
    return value;
}

// function Operand: one operand as the argument, so a function binds tighter than any operator
double CFormulaParser::Function(std::size_t index) {
    if (m_nDepth >= kMaxNesting) return 0.0;  // the name stays and becomes the syntax error
    ++m_nDepth;
    const formula::FunctionEntry& entry = formula::kFunctions[index - 1];
    m_nPos += m_astrFunctions[index].size() - 1;
    NextToken();
    const double argument = Operand();
    --m_nDepth;
    if (entry.inDomain(argument)) return entry.apply(argument);
    m_strError = kCaught;  // assigned after the argument, so it replaces the argument's own error
    return argument;
}

// The slot of a variable letter in either case, or nullptr when the token names no variable.
// A switch, not a table search: it is a jump table, and a search cost 20% of the reused speed.
inline const double* CFormulaParser::VariableSlot(Token token) const {
    switch (token) {
        case 'X':
        case 'x':
            return &m_dVarX;
        case 'B':
        case 'b':
            return &m_dConst[1];
        case 'F':
        case 'f':
            return &m_dConst[2];
        case 'G':
        case 'g':
            return &m_dConst[3];
        case 'H':
        case 'h':
            return &m_dConst[4];
        case 'J':
        case 'j':
            return &m_dConst[5];
        case 'K':
        case 'k':
            return &m_dConst[6];
        case 'M':
        case 'm':
            return &m_dConst[7];
        case 'N':
        case 'n':
            return &m_dConst[8];
        case 'U':
        case 'u':
            return &m_dConst[9];
        case 'V':
        case 'v':
            return &m_dConst[10];
        default:
            return nullptr;
    }
}

// The first table entry whose name stands at the current token in any letter case, or 0.
std::size_t CFormulaParser::MatchFunction() const {
    const char* text = m_strText.data() + m_nPos - 1;
    const std::size_t available = m_strText.size() - (m_nPos - 1);
    const char first = ToUpperAscii(text[0]);
    for (std::size_t i = 1; i <= kFunctionCount; ++i) {
        const std::string_view name = m_astrFunctions[i];
        if (name[0] != first || name.size() > available) continue;
        std::size_t k = 1;
        while (k < name.size() && ToUpperAscii(text[k]) == name[k])
            ++k;
        if (k == name.size()) return i;
    }
    return 0;
}
