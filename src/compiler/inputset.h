#pragma once
// What key, mouse and event bindings have in common: modifier words and
// their canonical order, and a set of bindings of one kind with a slot per
// input and the canonical names bound, sorted without regard to case.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/velkhtbl.h"
#include "script-format/senobject.h"

// 4 x ALT + 2 x CTRL + 1 x SHIFT, as in bits 16-18 of an input code word.
constexpr int kModifierCombinations = 8;

// The input code word bit of ALT, CTRL or SHIFT (any case), else 0.
std::int32_t ModifierBitOf(std::string_view word);
// "ALT+", "CTRL+", "SHIFT+" as present in a combination, in that order.
std::string ModifierPrefix(int combination);
// Removes leading "ALT+", "CTRL+" and "SHIFT+" (any case, any order) and
// returns their combination.
int StripModifiers(std::string_view& name);

class TInputSet {
public:
    explicit TInputSet(int slotCount) : slots_(static_cast<std::size_t>(slotCount)) {}
    virtual ~TInputSet() = default;

    // Bindings, in the order of their canonical names.
    int Count() const { return names_.Count(); }
    const std::string& NameAt(int i) const { return names_.NameAt(i); }
    // The code of a binding by canonical name, or nullptr.
    const TSenObject* CodeOf(std::string_view canonicalName) const;

    bool Filled(int slot) const { return slots_.at(static_cast<std::size_t>(slot)) != nullptr; }
    const TSenObject* CodeAtSlot(int slot) const { return slots_.at(static_cast<std::size_t>(slot)).get(); }
    void Store(int slot, const std::string& canonicalName, std::unique_ptr<TSenObject> code);

private:
    std::vector<std::unique_ptr<TSenObject>> slots_;
    TNamedList<int> names_{true};  // canonical name -> slot
};
