#include "formula_parser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// Reads digits, at most one point, digits, as strtod would, correctly rounded in any locale.
double ConvertDecimal(const char* first, const char* last) {
    const char* end = first;
    while (end != last && *end >= '0' && *end <= '9')
        ++end;
    const char* point = end;
    if (end != last && *end == '.') {
        ++end;
        while (end != last && *end >= '0' && *end <= '9')
            ++end;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, end, value, std::chars_format::fixed);
    if (result.ec != std::errc::result_out_of_range) return value;  // "." alone leaves 0
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

CFormulaParser::CFormulaParser() {
    m_astrFunctions[0] = std::string();
    for (std::size_t i = 0; i < kFunctionCount; ++i)
        m_astrFunctions[i + 1] = formula::kFunctions[i].name;
}

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
        const auto first = std::find_if_not(formula.begin(), formula.end(), IsWhiteSpace);
        const auto last =
            std::find_if_not(formula.rbegin(), std::make_reverse_iterator(first), IsWhiteSpace)
                .base();
        m_strText.assign(first, last);
        m_strText.push_back('\0');
        m_dVarX = (x == 0.0) ? 1e-99 : x;
        m_nDepth = 0;

        Position pos = 0;
        Token token = kEndToken;
        NextToken(pos, token);
        const double value = Expression(pos, token);
        if (token == kEndToken) {
            errorText = m_strError;
        } else {
            errorPosition = static_cast<std::uint16_t>(std::min<Position>(pos, kMaxPosition));
            errorText = "XXX" + m_strError + "!";
        }
        return value;
    } catch (const std::exception& e) {
        errorPosition = 0;
        errorText = std::string(kExceptionPrefix) + e.what();
        return 0.0;
    }
}

// Token: the next character that is not a blank; the end marker and anything past it end the text.
void CFormulaParser::NextToken(Position& pos, Token& token) const {
    const Position length = m_strText.size();
    do {
        ++pos;
        if (pos >= length) {
            token = kEndToken;  // the end marker sits at position length
            return;
        }
        token = static_cast<unsigned char>(m_strText[pos - 1]);
    } while (token == ' ');
}

// Expression = Term { ("+" | "-") Term }
double CFormulaParser::Expression(Position& pos, Token& token) {
    double value = Term(pos, token);
    while (token == '+' || token == '-') {
        const Token op = token;
        NextToken(pos, token);
        const double t = Term(pos, token);
        value = (op == '+') ? value + t : value - t;
    }
    return value;
}

// Term = Power { ("*" | "/") Power }
double CFormulaParser::Term(Position& pos, Token& token) {
    double value = Power(pos, token);
    while (token == '*' || token == '/') {
        const Token op = token;
        NextToken(pos, token);
        const double d = Power(pos, token);
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
double CFormulaParser::Power(Position& pos, Token& token) {
    double value = SignedOperand(pos, token);
    while (token == '^') {
        NextToken(pos, token);
        const double e = SignedOperand(pos, token);
        if (value > 0.0 || (std::fabs(e) > 1.0 && formula::IsWhole32(e))) {
            value = std::pow(value, e);
        } else {
            m_strError = kNoRoot;
        }
    }
    return value;
}

// SignedOperand = [ "-" ] Operand
double CFormulaParser::SignedOperand(Position& pos, Token& token) {
    if (token != '-') return Operand(pos, token);
    NextToken(pos, token);
    return -Operand(pos, token);
}

// Operand = number | "(" Expression [ ")" ] | letter | function Operand | nothing
double CFormulaParser::Operand(Position& pos, Token& token) {
    if (IsDigitOrPoint(token)) return Number(pos, token);
    if (token == '(') return Parenthesised(pos, token);
    if (const double* variable = VariableSlot(token)) {
        NextToken(pos, token);
        return *variable;
    }
    if (const std::size_t index = MatchFunction(pos)) return Function(index, pos, token);
    return 0.0;  // nothing fits: the token stays for an enclosing step or the syntax error
}

// Number = digits and points, blanks between them skipped by NextToken
double CFormulaParser::Number(Position& pos, Token& token) {
    const Position start = pos;
    do {
        NextToken(pos, token);
    } while (IsDigitOrPoint(token));
    // The conversion stops by itself at the first blank or other character inside the run.
    const char* text = m_strText.data();
    return ConvertDecimal(text + start - 1, text + m_strText.size());
}

// "(" Expression [ ")" ]: a missing closing parenthesis is no error
double CFormulaParser::Parenthesised(Position& pos, Token& token) {
    if (m_nDepth >= kMaxNesting) return 0.0;  // the "(" stays and becomes the syntax error
    ++m_nDepth;
    NextToken(pos, token);
    const double value = Expression(pos, token);
    if (token == ')') NextToken(pos, token);
    --m_nDepth;
    return value;
}

// function Operand: one operand as the argument, so a function binds tighter than any operator
double CFormulaParser::Function(std::size_t index, Position& pos, Token& token) {
    if (m_nDepth >= kMaxNesting) return 0.0;  // the name stays and becomes the syntax error
    ++m_nDepth;
    const formula::FunctionEntry& entry = formula::kFunctions[index - 1];
    pos += m_astrFunctions[index].size() - 1;
    NextToken(pos, token);
    const double argument = Operand(pos, token);
    --m_nDepth;
    if (entry.inDomain(argument)) return entry.apply(argument);
    m_strError = kCaught;  // assigned after the argument, so it replaces the argument's own error
    return argument;
}

// The slot of a variable letter in either case, or nullptr when the token names no variable.
const double* CFormulaParser::VariableSlot(Token token) const {
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

// The first table entry whose name stands at pos in any letter case, or 0 for none.
std::size_t CFormulaParser::MatchFunction(Position pos) const {
    const char* text = m_strText.data() + pos - 1;
    const std::size_t available = m_strText.size() - (pos - 1);
    for (std::size_t i = 1; i <= kFunctionCount; ++i) {
        const std::string& name = m_astrFunctions[i];
        if (name.size() > available) continue;
        std::size_t k = 0;
        while (k < name.size() && ToUpperAscii(text[k]) == name[k])
            ++k;
        if (k == name.size()) return i;
    }
    return 0;
}
