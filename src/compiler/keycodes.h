#pragma once
// Key names: 23 character keys (bound by their character code, without
// modifiers) and 83 virtual keys (bound by virtual-key code, with any
// modifiers). A key's position in its table is its slot in a key set.

#include <cstdint>
#include <optional>
#include <string_view>

#include "compiler/inputset.h"
#include "compiler/velkhtbl.h"

constexpr int kCharKeyCount = 23;
constexpr int kVirtualKeyCount = 83;

// Where a key binding lives in a key set, and its input code word.
struct TKeySlot {
    bool charKey = false;
    int combination = 0;  // modifiers; always 0 for a character key
    int index = 0;        // position in the character or virtual key table
    std::int32_t code = 0;
};

class TKeyNames {
public:
    TKeyNames();

    // Position in the table, or -1 (case does not matter).
    int CharKeyIndex(std::string_view name) const { return charKeys_.IndexOf(name); }
    int VirtualKeyIndex(std::string_view name) const { return virtualKeys_.IndexOf(name); }
    std::int32_t CharKeyCode(int index) const { return charKeys_.PayloadAt(index)->value; }
    std::int32_t VirtualKeyCode(int index) const { return virtualKeys_.PayloadAt(index)->value; }

    // A binding name (a character key, or modifiers and a virtual key).
    std::optional<TKeySlot> SlotOfKeyName(std::string_view name) const;

private:
    TIntHashTable charKeys_;
    TIntHashTable virtualKeys_;
};

class TKeySet : public TInputSet {
public:
    TKeySet() : TInputSet(kCharKeyCount + kModifierCombinations * kVirtualKeyCount) {}
    static int SlotNumber(const TKeySlot& k)
    {
        return k.charKey ? k.index : kCharKeyCount + k.combination * kVirtualKeyCount + k.index;
    }
};
