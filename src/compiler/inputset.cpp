#include "compiler/inputset.h"

#include "script-format/binconst.h"
#include "script-format/vtlname.h"

namespace {

struct TModifier {
    std::string_view word;
    std::int32_t bit;
    int Combination() const { return bc::ModifiersOf(bit); }
};
// In canonical order.
constexpr TModifier kModifiers[] = {{"ALT", bc::kModAlt}, {"CTRL", bc::kModCtrl}, {"SHIFT", bc::kModShift}};

}  // namespace

std::int32_t ModifierBitOf(std::string_view word)
{
    for (const TModifier& m : kModifiers)
        if (SameName(word, m.word)) return m.bit;
    return 0;
}

std::string ModifierPrefix(int combination)
{
    std::string prefix;
    for (const TModifier& m : kModifiers)
        if (combination & m.Combination()) prefix.append(m.word).append("+");
    return prefix;
}

int StripModifiers(std::string_view& name)
{
    int combination = 0;
    for (bool more = true; more;) {
        more = false;
        for (const TModifier& m : kModifiers) {
            std::size_t n = m.word.size();
            if (name.size() > n && name[n] == '+' && SameName(name.substr(0, n), m.word)) {
                combination |= m.Combination();
                name.remove_prefix(n + 1);
                more = true;
            }
        }
    }
    return combination;
}

const TSenObject* TInputSet::CodeOf(std::string_view canonicalName) const
{
    const int* slot = names_.Find(canonicalName);
    return slot ? CodeAtSlot(*slot) : nullptr;
}

void TInputSet::Store(int slot, const std::string& canonicalName, std::unique_ptr<TSenObject> code)
{
    slots_.at(static_cast<std::size_t>(slot)) = std::move(code);
    names_.Add(canonicalName, std::make_unique<int>(slot));
}
