// CCompiledFormula keeps the formula text a parser read last and, once that text comes again, the
// steps its reading computed, to replay them with new letter values. It reads no text itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

class CCompiledFormula {
public:
    // How a parser evaluates the text it is given.
    enum class Way {
        kRead,    // a new text: read it once, as always
        kRecord,  // the text of the last reading: read it again and record the steps
        kReplay,  // the recorded text: replay its steps
    };

    // A step changes the running value; the stack holds the left operands still waiting.
    enum class Op : std::uint8_t {
        kPushNumber,  // push the running value, which becomes the number
        kPushSlot,    // push the running value, which becomes the letter's slot
        // the value pushed last, operator, the running value
        kAdd,
        kSubtract,
        kMultiply,
        kDivide,
        kRaise,
        // the running value, operator, a number
        kAddNumber,
        kSubtractNumber,
        kMultiplyNumber,
        kDivideNumber,
        kRaiseNumber,
        // the running value, operator, a letter's slot
        kAddSlot,
        kSubtractSlot,
        kMultiplySlot,
        kDivideSlot,
        kRaiseSlot,
        kNegate,
        kApply,  // the function of index in the function table
    };

    // Compares text with the last one; a different text is taken over (text is left empty).
    Way Prepare(std::string& text) {
        if (!SameText(text, m_strText)) return Adopt(text);
        return m_bRecorded ? Way::kReplay : Way::kRecord;
    }
    // The text of the last Prepare; it stays put until the next Prepare with another text.
    const std::string& Text() const { return m_strText; }

    void BeginRecording();
    // Appends a step; an operator whose right operand is one push takes that operand directly.
    void Record(Op op, double number = 0.0, std::size_t index = 0) noexcept;
    // syntaxError: the position where the reading stopped, or 0 when it read the whole text.
    void FinishRecording(std::size_t syntaxError) noexcept;

    // Computes the recorded steps with slots as the letter values; error is the last error text.
    double Replay(const double* slots, const char*& error);
    std::size_t SyntaxError() const { return m_nSyntaxError; }

private:
    // Eight bytes at a time: memcmp's set-up costs more than comparing a short formula.
    static bool SameText(const std::string& a, const std::string& b) {
        const std::size_t size = a.size();
        if (size != b.size()) return false;
        if (size < sizeof(std::uint64_t)) return a.compare(b) == 0;
        std::uint64_t difference = 0;
        for (std::size_t i = 0; i + sizeof difference <= size; i += sizeof difference)
            difference |= Word(a.data() + i) ^ Word(b.data() + i);
        const std::size_t last = size - sizeof difference;
        return (difference | (Word(a.data() + last) ^ Word(b.data() + last))) == 0;
    }
    static std::uint64_t Word(const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }
    Way Adopt(std::string& text);

    struct Step {
        Op op;
        std::uint8_t index;  // slot or function index
        double number;
    };

    std::string m_strText;
    bool m_bRecorded = false;   // m_steps replay m_strText
    bool m_bRecording = false;  // false again when a step could not be stored
    std::vector<Step> m_steps;
    std::size_t m_nDepth = 0;             // values pushed while recording
    std::size_t m_nMaxDepth = 0;          // the most values pushed at once while recording
    std::unique_ptr<double[]> m_adStack;  // room for m_nStackSize pushed values
    std::size_t m_nStackSize = 0;
    std::size_t m_nSyntaxError = 0;
};
