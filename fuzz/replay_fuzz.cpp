// libFuzzer target: one parser evaluating a formula again and again with changing letter values
// must answer exactly as a fresh parser's first reading does: value bits, position and text.
//
// Input: a plan byte, two value bytes per call, then the formula. The plan gives the number of
// calls and, per call, whether it takes the formula or a twin of the same length that differs in
// its middle byte; the value bytes pick the letters' values from a table of awkward doubles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "formula_letters.h"
#include "formula_parser.h"

namespace {

constexpr std::size_t kMaxCalls = 6;
constexpr std::size_t kMinCalls = 3;  // read, record, replay
constexpr std::size_t kHeaderSize = 1 + 2 * kMaxCalls;

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kValues[] = {0.0,
                          -0.0,
                          1.0,
                          -1.0,
                          2.0,
                          0.5,
                          3.0,
                          -2.5,
                          41.0,
                          41.5,
                          1e308,
                          -1e308,
                          kInf,
                          -kInf,
                          kNaN,
                          -kNaN,
                          5e-324,
                          -5e-324,
                          1e-99,
                          2147483647.0,
                          2147483648.0,
                          -2147483649.0,
                          0.1,
                          6.0,
                          4.0,
                          1e16,
                          1.0000000000000002,
                          0.9999999999999999,
                          7.0,
                          -8.0,
                          3.141592653589793,
                          2.2250738585072014e-308};
constexpr std::size_t kValueCount = sizeof kValues / sizeof kValues[0];

void Require(bool condition) {
    if (!condition) std::abort();
}

std::uint64_t Bits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct Letters {
    double constants[formula::kLastConstantSlot + 1];  // indexed by slot
    double x;
};

// Spreads the two value bytes of a call over all letters (splitmix64 steps).
Letters LettersOf(std::uint16_t choice) {
    std::uint64_t state = choice;
    auto next = [&state] {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return kValues[(z ^ (z >> 31)) % kValueCount];
    };
    Letters letters{};
    for (int slot = formula::kFirstConstantSlot; slot <= formula::kLastConstantSlot; ++slot)
        letters.constants[slot] = next();
    letters.x = next();
    return letters;
}

FormulaResult Evaluate(CFormulaParser& parser, const Letters& letters, const std::string& formula) {
    for (int slot = formula::kFirstConstantSlot; slot <= formula::kLastConstantSlot; ++slot)
        parser.SetFunctConst(slot, letters.constants[slot]);
    return formula::Evaluate(parser, formula, letters.x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderSize) return 0;
    const std::uint8_t plan = data[0];
    const std::string formula(reinterpret_cast<const char*>(data + kHeaderSize),
                              size - kHeaderSize);
    std::string twin = formula;
    if (!twin.empty()) ++twin[twin.size() / 2];
    const std::size_t calls = kMinCalls + plan % (kMaxCalls - kMinCalls + 1);

    CFormulaParser reused;
    for (std::size_t call = 0; call < calls; ++call) {
        const bool takesTwin = (plan >> (2 + call)) & 1u;
        const std::string& text = takesTwin ? twin : formula;
        const Letters letters = LettersOf(static_cast<std::uint16_t>(
            data[1 + 2 * call] | (static_cast<unsigned>(data[2 + 2 * call]) << 8)));
        CFormulaParser fresh;
        const FormulaResult expected = Evaluate(fresh, letters, text);
        const FormulaResult actual = Evaluate(reused, letters, text);
        Require(Bits(expected.dValue) == Bits(actual.dValue));
        Require(expected.nPosition == actual.nPosition);
        Require(expected.strError == actual.strError);
    }
    return 0;
}
