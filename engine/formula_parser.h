// CFormulaParser evaluates one formula text in a single left-to-right pass, computing while it
// reads. It builds no syntax tree, knows no dialog or window, and owns nothing beyond one
// evaluation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CFormulaParser {
public:
    // Receives the engine's own message texts; the dialog points it at its message box.
    using MessageHook = void (*)(const std::string& text);

    // Installs the hook for every parser and returns the previous one (nullptr: stay silent).
    static MessageHook SetMessageHook(MessageHook hook);

    // Deepest nesting of "(" and function arguments; one level more is a syntax error there.
    static constexpr std::size_t kMaxNesting = 256;
    // Error positions are 16 bits wide; later positions are reported as this one.
    static constexpr std::uint16_t kMaxPosition = 65535;
    static constexpr std::size_t kFunctionCount = 20;

    CFormulaParser();
    virtual ~CFormulaParser();

    // Loads constant slot 1 to 9 (letters B F G H J K M N U); any other index is refused.
    void SetFunctConst(int index, double value);

    // Evaluates formula with X = x (0 counts as 1e-99). errorPosition is the 1-based position of
    // a syntax error or 0; errorText is the numeric or syntax error text, empty on success.
    double Calculation(std::string formula, double x, std::uint16_t& errorPosition,
                       std::string& errorText);

private:
    // Wider than the reported 16 bits so that long formulas are read whole without wrapping.
    using Position = std::size_t;
    // Current token: a character of the working text (0 to 255), or kEndToken.
    using Token = int;
    static constexpr Token kEndToken = -1;

    void NextToken();
    double Expression();
    double Term();
    double Power();
    double SignedOperand();
    double Operand();
    double Number();
    double Parenthesised();
    double Function(std::size_t index);
    const double* VariableSlot(Token token) const;
    std::size_t MatchFunction() const;

    std::string_view m_strText;  // the trimmed formula while an evaluation runs, then empty
    std::string m_strError;
    double m_dVarX = 0.0;
    double m_dConst[11] = {};
    std::array<std::string_view, kFunctionCount + 1> m_astrFunctions;
    std::size_t m_nDepth = 0;  // nesting of "(" and function arguments in this evaluation
    // The reading state every grammar step shares besides the text: position and token.
    Position m_nPos = 0;
    Token m_nToken = kEndToken;
};
