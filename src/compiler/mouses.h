#pragma once
// Mouse action names: codes 0 to 16 in the low half of the input code
// word, with bit 31 and any modifiers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/inputset.h"

constexpr int kMouseCodeCount = 17;

// The code of a mouse name (any case), or -1.
int MouseCodeOf(std::string_view name);
// The input code word of a canonical mouse name (modifiers and the name).
std::optional<std::int32_t> MouseInputOfName(std::string_view canonicalName);
// The canonical name of a mouse input code word, or "unknown mouse key".
std::string MouseNameOfInput(std::int32_t input);

class TMouseSet : public TInputSet {
public:
    TMouseSet() : TInputSet(kModifierCombinations * kMouseCodeCount) {}
    // The slot of a mouse input code word.
    static int SlotNumber(std::int32_t input);
    const TSenObject* CodeOfInput(std::int32_t input) const;
};
