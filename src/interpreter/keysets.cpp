#include "interpreter/keysets.h"

#include "script-format/vtlname.h"

bool IsCharKey(int code)
{
    return (code >= 42 && code <= 47) || (code >= 58 && code <= 64) || (code >= 91 && code <= 96) ||
           (code >= 123 && code <= 126);
}

bool IsVirtualKey(int code)
{
    return code == 8 || code == 9 || code == 13 || code == 27 || (code >= 32 && code <= 40) || (code >= 45 && code <= 57) ||
           (code >= 65 && code <= 90) || (code >= 96 && code <= 107) || (code >= 109 && code <= 127);
}

TKeySet::TKeySet()
{
    CharSlots.fill(-1);
    for (auto& row : KeySlots) row.fill(-1);
    for (auto& row : MouseSlots) row.fill(-1);
    EventSlots.fill(-1);
}

std::int32_t TKeySet::CharSlot(int code) const { return IsCharKey(code) ? CharSlots[code - kFirstCharCode] : -1; }

std::int32_t TKeySet::KeySlot(int combination, int code) const
{
    if (combination < 0 || combination >= kModifierCombinations || !IsVirtualKey(code)) return -1;
    return KeySlots[combination][code - kFirstKeyCode];
}

std::int32_t TKeySet::MouseSlot(int combination, int code) const
{
    if (combination < 0 || combination >= kModifierCombinations || code < 0 || code >= kMouseCodes) return -1;
    return MouseSlots[combination][code];
}

std::int32_t TKeySet::EventSlot(int code) const { return code >= 0 && code < kEventCodes ? EventSlots[code] : -1; }

TKeySets::TKeySets() : TStringListOf(CompareNames) { SetSorted(true); }

const TKeySet* TKeySets::FindKeySet(std::string_view name) const
{
    int at;
    return Find(name, at) ? Object(at).get() : nullptr;
}

TKeySet& TKeySets::FindOrAddKeySet(std::string_view name)
{
    int at;
    if (!Find(name, at)) at = Add(std::string(name), std::make_unique<TKeySet>());
    return *Object(at);
}
