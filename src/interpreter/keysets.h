#pragma once
// Named sets of input bindings, each slot holding the code offset of the
// bound compound statement (-1 when nothing is bound), and the lookups
// with the set "ALL" as the fallback of every other set.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/stringlist.h"

// The 23 character codes a binding may name: 42-47, 58-64, 91-96, 123-126.
bool IsCharKey(int code);
// The virtual key codes a binding may name: 8, 9, 13, 27, 32-40, 45-57,
// 65-90, 96-107, 109-127.
bool IsVirtualKey(int code);

constexpr int kFirstCharCode = 42, kLastCharCode = 126;
constexpr int kFirstKeyCode = 8, kLastKeyCode = 127;
constexpr int kModifierCombinations = 8;  // 4 ALT + 2 CTRL + 1 SHIFT
constexpr int kMouseCodes = 17;
constexpr int kEventCodes = 5;

inline int ModifierCombination(bool alt, bool ctrl, bool shift) { return (alt ? 4 : 0) + (ctrl ? 2 : 0) + (shift ? 1 : 0); }

class TKeySet {
public:
    TKeySet();

    // Each gives -1 for a code outside its table (or not bindable).
    std::int32_t CharSlot(int code) const;
    std::int32_t KeySlot(int combination, int code) const;
    std::int32_t MouseSlot(int combination, int code) const;
    std::int32_t EventSlot(int code) const;

    // The codes must be bindable (the loader checks them first).
    void BindChar(int code, std::int32_t offset) { CharSlots[code - kFirstCharCode] = offset; }
    void BindKey(int combination, int code, std::int32_t offset) { KeySlots[combination][code - kFirstKeyCode] = offset; }
    void BindMouse(int combination, int code, std::int32_t offset) { MouseSlots[combination][code] = offset; }
    void BindEvent(int code, std::int32_t offset) { EventSlots[code] = offset; }

    std::array<std::int32_t, kLastCharCode - kFirstCharCode + 1> CharSlots;
    std::array<std::array<std::int32_t, kLastKeyCode - kFirstKeyCode + 1>, kModifierCombinations> KeySlots;
    std::array<std::array<std::int32_t, kMouseCodes>, kModifierCombinations> MouseSlots;
    std::array<std::int32_t, kEventCodes> EventSlots;
};

// Sorted by name without regard to case; owns its sets.
class TKeySets : public TStringListOf<std::unique_ptr<TKeySet>> {
public:
    TKeySets();

    const TKeySet* FindKeySet(std::string_view name) const;
    TKeySet& FindOrAddKeySet(std::string_view name);

    // The slot read from the set of that name; falling back to the set
    // "ALL" when the set is missing or its slot is empty.
    template <class TRead>
    std::int32_t Lookup(std::string_view setName, TRead read) const
    {
        const TKeySet* all = FindKeySet("ALL");
        const TKeySet* set = FindKeySet(setName);
        std::int32_t offset = set ? read(*set) : -1;
        if (offset == -1 && all && set != all) offset = read(*all);
        return offset;
    }
};
