// The variable letters a formula may name and the value slot behind each one, for every layer
// that loads or exchanges letter values. A table only: no values are stored or read here.
#pragma once

#include <array>
#include <cstddef>

namespace formula {

// Where a letter's value comes from when a formula is evaluated.
enum class LetterSource {
    kConstant,  // a constant slot; its slot number is the SetFunctConst index
    kArgument,  // the x argument of Calculation
    kUnloaded,  // a slot that nothing loads, so it keeps the value it was created with
};

struct VariableLetter {
    char letter;  // upper case; formulas take either case
    int slot;     // the parser's value slot
    LetterSource source;
};

// The value fields' order (B to U, then X), and V last because no field or option feeds it.
inline constexpr VariableLetter kVariableLetters[] = {
    {'B', 1, LetterSource::kConstant},  {'F', 2, LetterSource::kConstant},
    {'G', 3, LetterSource::kConstant},  {'H', 4, LetterSource::kConstant},
    {'J', 5, LetterSource::kConstant},  {'K', 6, LetterSource::kConstant},
    {'M', 7, LetterSource::kConstant},  {'N', 8, LetterSource::kConstant},
    {'U', 9, LetterSource::kConstant},  {'X', 0, LetterSource::kArgument},
    {'V', 10, LetterSource::kUnloaded},
};

constexpr std::size_t CountLetters(LetterSource source) {
    std::size_t count = 0;
    for (const VariableLetter& entry : kVariableLetters)
        count += (entry.source == source) ? 1 : 0;
    return count;
}

// The letters a caller can give values: the loadable constants and X, the table's first entries.
inline constexpr std::size_t kValueLetterCount =
    CountLetters(LetterSource::kConstant) + CountLetters(LetterSource::kArgument);

// SetFunctConst loads the constant slots kFirstConstantSlot to kLastConstantSlot.
inline constexpr int kFirstConstantSlot = 1;
inline constexpr int kLastConstantSlot =
    kFirstConstantSlot - 1 + static_cast<int>(CountLetters(LetterSource::kConstant));

constexpr bool ConstantsLeadInSlotOrder() {
    for (int slot = kFirstConstantSlot; slot <= kLastConstantSlot; ++slot) {
        const VariableLetter& entry = kVariableLetters[slot - kFirstConstantSlot];
        if (entry.source != LetterSource::kConstant || entry.slot != slot) return false;
    }
    return kVariableLetters[kValueLetterCount - 1].source == LetterSource::kArgument;
}
// Callers walk the first kValueLetterCount entries as the SetFunctConst indices 1, 2, ... and X.
static_assert(ConstantsLeadInSlotOrder());

// The slot that holds X, the x argument of the current calculation.
inline constexpr int kArgumentSlot = kVariableLetters[kValueLetterCount - 1].slot;

// The values of the letters a caller gives, in the table's order: B to U, then X.
using LetterValues = std::array<double, kValueLetterCount>;

constexpr std::size_t CountSlots() {
    int highest = 0;
    for (const VariableLetter& entry : kVariableLetters)
        highest = entry.slot > highest ? entry.slot : highest;
    return static_cast<std::size_t>(highest) + 1;
}
inline constexpr std::size_t kSlotCount = CountSlots();

// Marks a character that names no variable in kSlotOfCharacter.
inline constexpr signed char kNoSlot = -1;

constexpr std::array<signed char, 256> SlotsOfCharacters() {
    std::array<signed char, 256> slots{};
    for (signed char& slot : slots)
        slot = kNoSlot;
    for (const VariableLetter& entry : kVariableLetters) {
        const int upper = static_cast<unsigned char>(entry.letter);
        slots[upper] = static_cast<signed char>(entry.slot);
        slots[upper - 'A' + 'a'] = static_cast<signed char>(entry.slot);
    }
    return slots;
}

// The slot each byte of a formula names, in either letter case, or kNoSlot.
inline constexpr std::array<signed char, 256> kSlotOfCharacter = SlotsOfCharacters();

// The slot of a variable letter, which for B to U is also its SetFunctConst index.
constexpr int SlotOfLetter(char letter) {
    return kSlotOfCharacter[static_cast<unsigned char>(letter)];
}

}  // namespace formula
