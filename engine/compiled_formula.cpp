#include "compiled_formula.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "function_library.h"
#include "step_rules.h"

namespace {

using Op = CCompiledFormula::Op;

// Each operator group lists add, subtract, multiply, divide and raise in this order.
constexpr int kOperatorCount = 5;
static_assert(static_cast<int>(Op::kAddNumber) == static_cast<int>(Op::kAdd) + kOperatorCount);
static_assert(static_cast<int>(Op::kAddSlot) == static_cast<int>(Op::kAddNumber) + kOperatorCount);
static_assert(static_cast<int>(Op::kPushNumberRaiseSlot) == static_cast<int>(Op::kNegate) - 1);

// The divisor 2^(e-1) has the double 2^(1-e) as reciprocal down to this e: 2^1023 is the largest.
constexpr int kLowestExactExponent = -1022;

bool IsPush(Op op) {
    return op == Op::kPushNumber || op == Op::kPushSlot;
}

bool IsStackOperator(Op op) {
    return op >= Op::kAdd && op <= Op::kRaise;
}

// The operator of op, which belongs to the group that starts with group, in the group of to.
Op Regrouped(Op op, Op group, Op to) {
    return static_cast<Op>(static_cast<int>(to) + static_cast<int>(op) - static_cast<int>(group));
}

// True for the powers of two whose reciprocals are doubles too (subnormal ones included).
bool HasExactReciprocal(double divisor) {
    int exponent = 0;
    const double mantissa = std::frexp(divisor, &exponent);
    return (mantissa == 0.5 || mantissa == -0.5) && exponent >= kLowestExactExponent;
}

double Divided(double dividend, double divisor, const char*& error) {
    if (formula::CanDivide(divisor)) return dividend / divisor;
    error = formula::kDivisionByZero;
    return dividend;
}

double Raised(double base, double exponent, const char*& error) {
    if (formula::CanRaise(base, exponent)) return std::pow(base, exponent);
    error = formula::kNoRoot;
    return base;
}

double Applied(std::size_t index, double argument, const char*& error) {
    const formula::FunctionEntry& entry = formula::kFunctions[index];
    if (entry.inDomain(argument)) return entry.apply(argument);
    error = formula::kCaught;
    return argument;
}

// What a replay keeps between its steps.
struct ReplayState {
    double dValue;         // the running value
    double* pTop;          // one past the value pushed last
    const double* pSlots;  // the letter values
    const char* pszError;  // the last numeric error text, or nullptr
};

// Where a step takes an operand from.
enum class ESource { kRunning, kStack, kNumber, kSlot, kSecondSlot };

// The operators of a group, in the order the groups list them.
enum class EOperator { kAdd, kSubtract, kMultiply, kDivide, kRaise };

template <ESource kSource>
double Operand(ReplayState& state, const CCompiledFormula::Step& step) {
    if constexpr (kSource == ESource::kRunning) return state.dValue;
    if constexpr (kSource == ESource::kStack) return *--state.pTop;
    if constexpr (kSource == ESource::kNumber) return step.number;
    if constexpr (kSource == ESource::kSlot) return state.pSlots[step.index];
    if constexpr (kSource == ESource::kSecondSlot) return state.pSlots[step.index2];
}

// A number is never NaN, so only two other operands need the rule for two NaNs.
template <EOperator kOperator, bool kNumberOperand>
double Operate(double left, double right, const char*& error) {
    if constexpr (kOperator == EOperator::kAdd)
        return kNumberOperand ? left + right : formula::Sum(left, right);
    if constexpr (kOperator == EOperator::kSubtract) return left - right;
    if constexpr (kOperator == EOperator::kMultiply)
        return kNumberOperand ? left * right : formula::Product(left, right);
    if constexpr (kOperator == EOperator::kDivide) return Divided(left, right, error);
    if constexpr (kOperator == EOperator::kRaise) return Raised(left, right, error);
}

// The running value becomes left operator right; with kPush the running value is pushed first.
template <ESource kLeft, EOperator kOperator, ESource kRight, bool kPush = false>
void Combine(ReplayState& state, const CCompiledFormula::Step& step) {
    const double right = Operand<kRight>(state, step);  // the running value, before a pop
    const double left = Operand<kLeft>(state, step);
    constexpr bool kNumberOperand = kLeft == ESource::kNumber || kRight == ESource::kNumber;
    const double value = Operate<kOperator, kNumberOperand>(left, right, state.pszError);
    if constexpr (kPush) *state.pTop++ = state.dValue;
    state.dValue = value;
}

template <ESource kSource>
void Push(ReplayState& state, const CCompiledFormula::Step& step) {
    *state.pTop++ = state.dValue;
    state.dValue = Operand<kSource>(state, step);
}

}  // namespace

bool CCompiledFormula::BeginRecording(const std::string& text) noexcept {
    m_bRecorded = false;
    try {
        m_strText = text;
    } catch (const std::bad_alloc&) {
        m_bRecording = false;
        return false;
    }
    m_bRecording = true;
    m_steps.clear();
    m_nDepth = 0;
    m_nMaxDepth = 0;
    return true;
}

void CCompiledFormula::Record(Op op, double number, std::size_t index) noexcept {
    if (!m_bRecording) return;
    if (IsStackOperator(op) && !m_steps.empty() && IsPush(m_steps.back().op)) {
        TakeOperand(op);
        TakeLeftOperand();
        --m_nDepth;
        return;
    }
    try {
        m_steps.push_back(Step{op, static_cast<std::uint8_t>(index), 0, number});
    } catch (const std::bad_alloc&) {
        m_bRecording = false;  // the reading goes on; this text is simply read again next time
    }
    if (IsPush(op)) m_nMaxDepth = std::max(m_nMaxDepth, ++m_nDepth);
    if (IsStackOperator(op)) --m_nDepth;
}

// The last step, the push of op's right operand, becomes op with that operand.
void CCompiledFormula::TakeOperand(Op op) {
    Step& right = m_steps.back();
    right.op = Regrouped(op, Op::kAdd, right.op == Op::kPushNumber ? Op::kAddNumber : Op::kAddSlot);
    if (right.op == Op::kDivideNumber && HasExactReciprocal(right.number)) {
        // x / 2^k and x * 2^-k are the same real number, so both round to the same double.
        right.op = Op::kMultiplyNumber;
        right.number = 1.0 / right.number;
    }
}

// When the left operand is one push too, that push takes over the operator and its operand.
void CCompiledFormula::TakeLeftOperand() {
    if (m_steps.size() < 2) return;
    Step& left = m_steps[m_steps.size() - 2];
    const Step& right = m_steps.back();
    const bool slotOnRight = right.op >= Op::kAddSlot;
    const Op group = slotOnRight ? Op::kAddSlot : Op::kAddNumber;
    if (left.op == Op::kPushSlot && slotOnRight) {
        left.op = Regrouped(right.op, group, Op::kPushSlotAddSlot);
        left.index2 = right.index;
    } else if (left.op == Op::kPushSlot) {
        left.op = Regrouped(right.op, group, Op::kPushSlotAddNumber);
        left.number = right.number;
    } else if (left.op == Op::kPushNumber && slotOnRight) {
        left.op = Regrouped(right.op, group, Op::kPushNumberAddSlot);
        left.index = right.index;
    } else {
        return;  // a number with a number, or a left operand of several steps
    }
    m_steps.pop_back();
}

void CCompiledFormula::FinishRecording(std::size_t syntaxError) noexcept {
    m_bRecorded = m_bRecording;
    m_bRecording = false;
    m_nSyntaxError = syntaxError;
    if (!m_bRecorded || m_nMaxDepth <= m_adStack.size()) return;
    try {
        m_adStack.resize(m_nMaxDepth);
    } catch (const std::bad_alloc&) {
        m_bRecorded = false;
    }
}

CCompiledFormula::Replayed CCompiledFormula::Replay(const double* slots) {
    using S = ESource;
    using O = EOperator;
    ReplayState r{0.0, m_adStack.data(), slots, nullptr};
    for (const Step& step : m_steps) {
        // clang-format off
        switch (step.op) {
            case Op::kPushNumber: Push<S::kNumber>(r, step); break;
            case Op::kPushSlot: Push<S::kSlot>(r, step); break;
            // the value pushed last, operator, the running value
            case Op::kAdd: Combine<S::kStack, O::kAdd, S::kRunning>(r, step); break;
            case Op::kSubtract: Combine<S::kStack, O::kSubtract, S::kRunning>(r, step); break;
            case Op::kMultiply: Combine<S::kStack, O::kMultiply, S::kRunning>(r, step); break;
            case Op::kDivide: Combine<S::kStack, O::kDivide, S::kRunning>(r, step); break;
            case Op::kRaise: Combine<S::kStack, O::kRaise, S::kRunning>(r, step); break;
            // the running value, operator, the number
            case Op::kAddNumber: Combine<S::kRunning, O::kAdd, S::kNumber>(r, step); break;
            case Op::kSubtractNumber: Combine<S::kRunning, O::kSubtract, S::kNumber>(r, step); break;
            case Op::kMultiplyNumber: Combine<S::kRunning, O::kMultiply, S::kNumber>(r, step); break;
            case Op::kDivideNumber: Combine<S::kRunning, O::kDivide, S::kNumber>(r, step); break;
            case Op::kRaiseNumber: Combine<S::kRunning, O::kRaise, S::kNumber>(r, step); break;
            // the running value, operator, the slot
            case Op::kAddSlot: Combine<S::kRunning, O::kAdd, S::kSlot>(r, step); break;
            case Op::kSubtractSlot: Combine<S::kRunning, O::kSubtract, S::kSlot>(r, step); break;
            case Op::kMultiplySlot: Combine<S::kRunning, O::kMultiply, S::kSlot>(r, step); break;
            case Op::kDivideSlot: Combine<S::kRunning, O::kDivide, S::kSlot>(r, step); break;
            case Op::kRaiseSlot: Combine<S::kRunning, O::kRaise, S::kSlot>(r, step); break;
            // push the running value, which becomes the slot, operator, the second slot
            case Op::kPushSlotAddSlot: Combine<S::kSlot, O::kAdd, S::kSecondSlot, true>(r, step); break;
            case Op::kPushSlotSubtractSlot: Combine<S::kSlot, O::kSubtract, S::kSecondSlot, true>(r, step); break;
            case Op::kPushSlotMultiplySlot: Combine<S::kSlot, O::kMultiply, S::kSecondSlot, true>(r, step); break;
            case Op::kPushSlotDivideSlot: Combine<S::kSlot, O::kDivide, S::kSecondSlot, true>(r, step); break;
            case Op::kPushSlotRaiseSlot: Combine<S::kSlot, O::kRaise, S::kSecondSlot, true>(r, step); break;
            // push the running value, which becomes the slot, operator, the number
            case Op::kPushSlotAddNumber: Combine<S::kSlot, O::kAdd, S::kNumber, true>(r, step); break;
            case Op::kPushSlotSubtractNumber: Combine<S::kSlot, O::kSubtract, S::kNumber, true>(r, step); break;
            case Op::kPushSlotMultiplyNumber: Combine<S::kSlot, O::kMultiply, S::kNumber, true>(r, step); break;
            case Op::kPushSlotDivideNumber: Combine<S::kSlot, O::kDivide, S::kNumber, true>(r, step); break;
            case Op::kPushSlotRaiseNumber: Combine<S::kSlot, O::kRaise, S::kNumber, true>(r, step); break;
            // push the running value, which becomes the number, operator, the slot
            case Op::kPushNumberAddSlot: Combine<S::kNumber, O::kAdd, S::kSlot, true>(r, step); break;
            case Op::kPushNumberSubtractSlot: Combine<S::kNumber, O::kSubtract, S::kSlot, true>(r, step); break;
            case Op::kPushNumberMultiplySlot: Combine<S::kNumber, O::kMultiply, S::kSlot, true>(r, step); break;
            case Op::kPushNumberDivideSlot: Combine<S::kNumber, O::kDivide, S::kSlot, true>(r, step); break;
            case Op::kPushNumberRaiseSlot: Combine<S::kNumber, O::kRaise, S::kSlot, true>(r, step); break;
            case Op::kNegate: r.dValue = -r.dValue; break;
            case Op::kApply: r.dValue = Applied(step.index, r.dValue, r.pszError); break;
        }
        // clang-format on
    }
    return {r.dValue, r.pszError};
}
