#include "compiled_formula.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "function_library.h"
#include "step_rules.h"

namespace {

using Op = CCompiledFormula::Op;

// The operators in stack form, then with a number, then with a slot, each group in one order.
constexpr int kOperatorCount = 5;
static_assert(static_cast<int>(Op::kAddNumber) == static_cast<int>(Op::kAdd) + kOperatorCount);
static_assert(static_cast<int>(Op::kAddSlot) == static_cast<int>(Op::kAddNumber) + kOperatorCount);
static_assert(static_cast<int>(Op::kRaiseSlot) == static_cast<int>(Op::kNegate) - 1);

// The divisor 2^(e-1) has the double 2^(1-e) as reciprocal down to this e: 2^1023 is the largest.
constexpr int kLowestExactExponent = -1022;

bool IsStackOperator(Op op) {
    return op >= Op::kAdd && op <= Op::kRaise;
}

// The operator op applied to the operand that push would have pushed.
Op Fused(Op op, Op push) {
    const int groups = (push == Op::kPushNumber) ? 1 : 2;
    return static_cast<Op>(static_cast<int>(op) + groups * kOperatorCount);
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

}  // namespace

CCompiledFormula::Way CCompiledFormula::Adopt(std::string& text) {
    m_strText = std::move(text);
    m_bRecorded = false;
    return Way::kRead;
}

void CCompiledFormula::BeginRecording() {
    m_bRecorded = false;
    m_bRecording = true;
    m_steps.clear();
    m_nDepth = 0;
    m_nMaxDepth = 0;
}

void CCompiledFormula::Record(Op op, double number, std::size_t index) noexcept {
    if (!m_bRecording) return;
    if (IsStackOperator(op) && !m_steps.empty() && m_steps.back().op <= Op::kPushSlot) {
        Step& last = m_steps.back();
        last.op = Fused(op, last.op);
        if (last.op == Op::kDivideNumber && HasExactReciprocal(last.number)) {
            // x / 2^k and x * 2^-k are the same real number, so both round to the same double.
            last.op = Op::kMultiplyNumber;
            last.number = 1.0 / last.number;
        }
        --m_nDepth;
        return;
    }
    try {
        m_steps.push_back(Step{op, static_cast<std::uint8_t>(index), number});
    } catch (const std::bad_alloc&) {
        m_bRecording = false;  // the reading goes on; this text is simply read again next time
    }
    if (op <= Op::kPushSlot) m_nMaxDepth = std::max(m_nMaxDepth, ++m_nDepth);
    if (IsStackOperator(op)) --m_nDepth;
}

void CCompiledFormula::FinishRecording(std::size_t syntaxError) noexcept {
    m_bRecorded = m_bRecording;
    m_bRecording = false;
    m_nSyntaxError = syntaxError;
    if (!m_bRecorded || m_nMaxDepth <= m_nStackSize) return;
    m_adStack.reset(new (std::nothrow) double[m_nMaxDepth]);
    m_nStackSize = m_adStack ? m_nMaxDepth : 0;
    m_bRecorded = m_adStack != nullptr;
}

double CCompiledFormula::Replay(const double* slots, const char*& error) {
    double value = 0.0;
    double* top = m_adStack.get();  // one past the value pushed last
    for (const Step& step : m_steps) {
        switch (step.op) {
            case Op::kPushNumber:
                *top++ = value;
                value = step.number;
                break;
            case Op::kPushSlot:
                *top++ = value;
                value = slots[step.index];
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
            case Op::kNegate:
                value = -value;
                break;
            case Op::kApply:
                value = Applied(step.index, value, error);
                break;
        }
    }
    return value;
}
