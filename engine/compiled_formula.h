// CCompiledFormula keeps the formula text a parser read last and, once that text comes again, the
// steps its reading computed, to replay them with new letter values. It reads no text itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

class CCompiledFormula {
public:
    struct Replayed {
        double value;
        const char* error;  // the last numeric error text, or nullptr
    };

    // A step changes the running value; the stack holds the left operands still waiting. The
    // operators come in groups of five, in the order of the first group.
    enum class Op : std::uint8_t {
        kPushNumber,  // push the running value, which becomes the number
        kPushSlot,    // push the running value, which becomes the letter's slot
        // the value pushed last, operator, the running value
        kAdd,
        kSubtract,
        kMultiply,
        kDivide,
        kRaise,
        // the running value, operator, the number
        kAddNumber,
        kSubtractNumber,
        kMultiplyNumber,
        kDivideNumber,
        kRaiseNumber,
        // the running value, operator, the slot
        kAddSlot,
        kSubtractSlot,
        kMultiplySlot,
        kDivideSlot,
        kRaiseSlot,
        // push the running value, which becomes the slot, operator, the second slot
        kPushSlotAddSlot,
        kPushSlotSubtractSlot,
        kPushSlotMultiplySlot,
        kPushSlotDivideSlot,
        kPushSlotRaiseSlot,
        // push the running value, which becomes the slot, operator, the number
        kPushSlotAddNumber,
        kPushSlotSubtractNumber,
        kPushSlotMultiplyNumber,
        kPushSlotDivideNumber,
        kPushSlotRaiseNumber,
        // push the running value, which becomes the number, operator, the slot
        kPushNumberAddSlot,
        kPushNumberSubtractSlot,
        kPushNumberMultiplySlot,
        kPushNumberDivideSlot,
        kPushNumberRaiseSlot,
        kNegate,
        kApply,  // the function of index in the function table
    };

    // One recorded step: the operation and the operands it takes directly.
    struct Step {
        Op op;
        std::uint8_t index;   // slot or function index
        std::uint8_t index2;  // the second slot
        double number;
    };

    // True when text is the one whose steps are recorded.
    bool Replays(const std::string& text) const { return m_bRecorded && SameText(text, m_strText); }
    // True when text looks like the text of the call before (same length, first and last eight
    // bytes), which then is worth recording. Keeping these marks instead of the text costs a
    // parser that evaluates once, as the window's does, nearly nothing; a text that merely looks
    // the same is recorded for nothing, since replaying takes the recorded text only.
    bool ComesAgain(const std::string& text) {
        const Marks marks = MarksOf(text);
        const bool again = marks.size == m_lastMarks.size && marks.head == m_lastMarks.head &&
                           marks.tail == m_lastMarks.tail;
        m_lastMarks = marks;
        return again;
    }

    // Keeps a copy of text and records the steps of its reading from now on; false when the
    // copy found no memory, so the reading goes on unrecorded.
    bool BeginRecording(const std::string& text) noexcept;
    // The text recorded last; it stays put until the next recording.
    const std::string& Text() const { return m_strText; }
    // Appends a step; an operator whose right operand is one push takes that operand directly.
    void Record(Op op, double number = 0.0, std::size_t index = 0) noexcept;
    // syntaxError: the position where the reading stopped, or 0 when it read the whole text.
    void FinishRecording(std::size_t syntaxError) noexcept;

    // Computes the recorded steps with slots as the letter values.
    Replayed Replay(const double* slots);
    std::size_t SyntaxError() const { return m_nSyntaxError; }

private:
    struct Marks {
        std::size_t size = 0;
        std::uint64_t head = 0;  // the first eight bytes, or all of a shorter text
        std::uint64_t tail = 0;  // the last eight bytes, or all of a shorter text
    };
    static Marks MarksOf(const std::string& text) {
        Marks marks;
        marks.size = text.size();
        const char* p = text.data();
        if (marks.size < sizeof(std::uint64_t)) {
            for (std::size_t i = 0; i < marks.size; ++i)
                marks.head = (marks.head << 8) | static_cast<unsigned char>(p[i]);
            marks.tail = marks.head;
            return marks;
        }
        marks.head = Word(p);
        marks.tail = Word(p + marks.size - sizeof(std::uint64_t));
        return marks;
    }

    // Eight bytes at a time and without a library call: that would cost more than the comparing.
    static bool SameText(const std::string& a, const std::string& b) {
        const std::size_t size = a.size();
        if (size != b.size()) return false;
        const char* p = a.data();
        const char* q = b.data();
        if (size < sizeof(std::uint64_t)) {
            for (std::size_t i = 0; i < size; ++i) {
                if (p[i] != q[i]) return false;
            }
            return true;
        }
        // The first and the last word overlap for texts shorter than two words.
        const std::size_t last = size - sizeof(std::uint64_t);
        std::uint64_t difference = (Word(p) ^ Word(q)) | (Word(p + last) ^ Word(q + last));
        for (std::size_t i = sizeof(std::uint64_t); i < last; i += sizeof(std::uint64_t))
            difference |= Word(p + i) ^ Word(q + i);
        return difference == 0;
    }
    static std::uint64_t Word(const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }

    void TakeOperand(Op op);
    void TakeLeftOperand();

    Marks m_lastMarks;
    std::string m_strText;
    bool m_bRecorded = false;   // m_steps replay m_strText
    bool m_bRecording = false;  // false again when a step could not be stored
    std::vector<Step> m_steps;
    std::size_t m_nDepth = 0;       // values pushed while recording
    std::size_t m_nMaxDepth = 0;    // the most values pushed at once while recording
    std::vector<double> m_adStack;  // room for the values that replaying pushes
    std::size_t m_nSyntaxError = 0;
};
