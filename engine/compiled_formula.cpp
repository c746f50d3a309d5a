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

// Pushes the running value and gives the new one.
double Pushed(double*& top, double value, double next) {
    *top++ = value;
    return next;
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
    const char* error = nullptr;
    double value = 0.0;
    double* top = m_adStack.data();  // one past the value pushed last
    for (const Step& step : m_steps) {
        switch (step.op) {
            case Op::kPushNumber:
                value = Pushed(top, value, step.number);
                break;
            case Op::kPushSlot:
                value = Pushed(top, value, slots[step.index]);
                break;
            case Op::kAdd:
                value = formula::Sum(*--top, value);
                break;
            case Op::kSubtract:
                value = *--top - value;
                break;
            case Op::kMultiply:
                value = formula::Product(*--top, value);
                break;
            case Op::kDivide:
                value = Divided(*--top, value, error);
                break;
            case Op::kRaise:
                value = Raised(*--top, value, error);
                break;
            // A number is never NaN, so these need no rule for two NaN operands.
            case Op::kAddNumber:
                value = value + step.number;
                break;
            case Op::kSubtractNumber:
                value = value - step.number;
                break;
            case Op::kMultiplyNumber:
                value = value * step.number;
                break;
            case Op::kDivideNumber:
                value = Divided(value, step.number, error);
                break;
            case Op::kRaiseNumber:
                value = Raised(value, step.number, error);
                break;
            case Op::kAddSlot:
                value = formula::Sum(value, slots[step.index]);
                break;
            case Op::kSubtractSlot:
                value = value - slots[step.index];
                break;
            case Op::kMultiplySlot:
                value = formula::Product(value, slots[step.index]);
                break;
            case Op::kDivideSlot:
                value = Divided(value, slots[step.index], error);
                break;
            case Op::kRaiseSlot:
                value = Raised(value, slots[step.index], error);
                break;
            case Op::kPushSlotAddSlot:
                value = Pushed(top, value, formula::Sum(slots[step.index], slots[step.index2]));
                break;
            case Op::kPushSlotSubtractSlot:
                value = Pushed(top, value, slots[step.index] - slots[step.index2]);
                break;
            case Op::kPushSlotMultiplySlot:
                value = Pushed(top, value, formula::Product(slots[step.index], slots[step.index2]));
                break;
            case Op::kPushSlotDivideSlot:
                value = Pushed(top, value, Divided(slots[step.index], slots[step.index2], error));
                break;
            case Op::kPushSlotRaiseSlot:
                value = Pushed(top, value, Raised(slots[step.index], slots[step.index2], error));
                break;
            case Op::kPushSlotAddNumber:
                value = Pushed(top, value, slots[step.index] + step.number);
                break;
            case Op::kPushSlotSubtractNumber:
                value = Pushed(top, value, slots[step.index] - step.number);
                break;
            case Op::kPushSlotMultiplyNumber:
                value = Pushed(top, value, slots[step.index] * step.number);
                break;
            case Op::kPushSlotDivideNumber:
                value = Pushed(top, value, Divided(slots[step.index], step.number, error));
                break;
            case Op::kPushSlotRaiseNumber:
                value = Pushed(top, value, Raised(slots[step.index], step.number, error));
                break;
            case Op::kPushNumberAddSlot:
                value = Pushed(top, value, step.number + slots[step.index]);
                break;
            case Op::kPushNumberSubtractSlot:
                value = Pushed(top, value, step.number - slots[step.index]);
                break;
            case Op::kPushNumberMultiplySlot:
                value = Pushed(top, value, step.number * slots[step.index]);
                break;
            case Op::kPushNumberDivideSlot:
                value = Pushed(top, value, Divided(step.number, slots[step.index], error));
                break;
            case Op::kPushNumberRaiseSlot:
                value = Pushed(top, value, Raised(step.number, slots[step.index], error));
                break;
            case Op::kNegate:
                value = -value;
                break;
            case Op::kApply:
                value = Applied(step.index, value, error);
                break;
        }
    }
    return {value, error};
}
