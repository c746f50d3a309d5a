// CFormulaParser evaluates a formula text in a single left-to-right pass, computing while it
// reads, and replays the computed steps when the same text comes again. It builds no syntax tree,
// knows no dialog or window, and keeps nothing between calls but the constants and the last text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiled_formula.h"
#include "formula_letters.h"

namespace formula {
struct FunctionEntry;
}

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

    CFormulaParser();
    virtual ~CFormulaParser();

    // Loads constant slot 1 to 9 (letters B F G H J K M N U); any other index is refused.
    void SetFunctConst(int index, double value);

    // Evaluates formula with X = x (0 counts as 1e-99). errorPosition is the 1-based position of
    // a syntax error or 0; errorText is the numeric or syntax error text, empty on success.
    // The text is taken by reference: a caller that evaluates one text again and again pays for
    // no copy, as it would pay for none with a shared string.
    double Calculation(const std::string& formula, double x, std::uint16_t& errorPosition,
                       std::string& errorText);

private:
    // Wider than the reported 16 bits so that long formulas are read whole without wrapping.
    using Position = std::size_t;
    // Current token: a character of the working text (0 to 255), or kEndToken.
    using Token = int;
    static constexpr Token kEndToken = -1;
    using Op = CCompiledFormula::Op;

    double Replay(std::uint16_t& errorPosition, std::string& errorText);
    double ReadText(const std::string& formula, std::uint16_t& errorPosition,
                    std::string& errorText);
    // Every grammar step exists twice: kRecord also records the step for replaying.
    template <bool kRecord>
    double Read(std::uint16_t& errorPosition, std::string& errorText);
    double Report(double value, Position stop, std::uint16_t& errorPosition,
                  std::string& errorText);
    void ReportError(Position stop, std::uint16_t& errorPosition, std::string& errorText);

    void NextToken();
    template <bool kRecord>
    double Expression();
    template <bool kRecord>
    double Term();
    template <bool kRecord>
    double Power();
    template <bool kRecord>
    double SignedOperand();
    template <bool kRecord>
    double Operand();
    template <bool kRecord>
    double Number();
    template <bool kRecord>
    double Parenthesised();
    template <bool kRecord>
    double Function(const formula::FunctionEntry& entry);
    template <bool kRecord>
    double Nothing();
    template <bool kRecord>
    void Record(Op op, double number = 0.0, std::size_t index = 0);
    const formula::FunctionEntry* MatchFunction() const;

    std::string_view m_strText;  // the trimmed formula while a reading runs, then empty
    std::string m_strError;
    // Letter values by slot (formula_letters.h): X of this calculation, the constants, V.
    double m_dConst[formula::kSlotCount] = {};
    std::size_t m_nDepth = 0;  // nesting of "(" and function arguments in this reading
    // The reading state every grammar step shares besides the text: position and token.
    Position m_nPos = 0;
    Token m_nToken = kEndToken;
    CCompiledFormula m_compiled;
};

// One evaluation's outcome as Calculation reports it through its out-parameters.
struct FormulaResult {
    double dValue = 0.0;
    std::uint16_t nPosition = 0;  // 1-based position of a syntax error, or 0
    std::string strError;         // the numeric or syntax error text, empty on success
};

namespace formula {

// Loads B to U of values into parser's constant slots and returns X, for Calculation.
double LoadLetters(CFormulaParser& parser, const LetterValues& values);

// Calculation of text with X = dX, its three outcomes in one record.
FormulaResult Evaluate(CFormulaParser& parser, const std::string& text, double dX = 0.0);

}  // namespace formula
