#include "compiler/mouses.h"

#include "script-format/binconst.h"
#include "script-format/vtlname.h"

namespace {

constexpr std::string_view kMouseNames[kMouseCodeCount] = {
    "LDBLCLICK",  "LCLICK",    "MDBLCLICK",  "MCLICK", "RDBLCLICK", "RCLICK", "WHEELUP", "WHEELDOWN", "X1DBLCLICK",
    "X1CLICK",    "X2DBLCLICK", "X2CLICK",   "LDOWN",  "MDOWN",     "RDOWN",  "X1DOWN",  "X2DOWN",
};

bool ValidMouseInput(std::int32_t input)
{
    return bc::IndexOf(input) < kMouseCodeCount;
}

}  // namespace

int MouseCodeOf(std::string_view name)
{
    for (int i = 0; i < kMouseCodeCount; ++i)
        if (SameName(name, kMouseNames[i])) return i;
    return -1;
}

std::optional<std::int32_t> MouseInputOfName(std::string_view canonicalName)
{
    int combination = StripModifiers(canonicalName);
    int code = MouseCodeOf(canonicalName);
    if (code < 0) return std::nullopt;
    return bc::kInputVirtualBit | (combination << 16) | code;
}

std::string MouseNameOfInput(std::int32_t input)
{
    if (!ValidMouseInput(input)) return "unknown mouse key";
    return ModifierPrefix(bc::ModifiersOf(input)) + std::string(kMouseNames[bc::IndexOf(input)]);
}

int TMouseSet::SlotNumber(std::int32_t input)
{
    return bc::ModifiersOf(input) * kMouseCodeCount + bc::IndexOf(input);
}

const TSenObject* TMouseSet::CodeOfInput(std::int32_t input) const
{
    return ValidMouseInput(input) ? CodeAtSlot(SlotNumber(input)) : nullptr;
}
