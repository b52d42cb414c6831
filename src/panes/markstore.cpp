#include "panes/markstore.h"

#include <cstdint>

#include "platform/sjis.h"

namespace {

// The rotation hash over bytes as fold maps them.
template <class Fold>
int RotationHash(std::string_view s, Fold fold)
{
    unsigned sum = 0;
    fold(s, [&sum](unsigned char b) { sum += b; });
    unsigned shift = sum % 14;
    std::uint16_t h = 0;
    fold(s, [&](unsigned char b) {
        h = static_cast<std::uint16_t>(h + ((unsigned{b} << shift) & 0x3FFF) + (unsigned{b} >> (13 - shift)));
        shift = shift + 1 == 14 ? 0 : shift + 1;
    });
    return h & (kUNCLBoxHashSlots - 1);
}

template <class Visit>
void AsIs(std::string_view s, Visit visit)
{
    for (char c : s) visit(static_cast<unsigned char>(c));
}

// The bytes of SjisUpperCase(s), without making it.
template <class Visit>
void UpperCased(std::string_view s, Visit visit)
{
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = SjisCharLength(s, i);
        if (n == 1) visit(static_cast<unsigned char>(AsciiUpper(s[i])));
        else for (std::size_t k = 0; k < n; ++k) visit(static_cast<unsigned char>(s[i + k]));
        i += n;
    }
}

}  // namespace

int UNCLBoxHashSlot(std::string_view key)
{
    return RotationHash(key, [](std::string_view s, auto visit) { AsIs(s, visit); });
}

int UNCLBoxNameSlot(std::string_view name)
{
    return RotationHash(name, [](std::string_view s, auto visit) { UpperCased(s, visit); });
}

bool TMarkSlot::Holds(std::string_view exact) const
{
    if (name == exact) return true;
    for (std::string_view other : more)
        if (other == exact) return true;
    return false;
}

TMarkSlot* TUNCLBoxHashTbl::Find(std::string_view name)
{
    const int home = UNCLBoxNameSlot(name);
    int slot = home;
    do {
        TMarkSlot& s = slots_[static_cast<std::size_t>(slot)];
        if (s.name.empty()) return nullptr;
        if (SjisSameTextAscii(s.name, name)) return &s;
        slot = UNCLBoxNextSlot(slot);
    } while (slot != home);
    return nullptr;
}

TMarkSlot* TUNCLBoxHashTbl::Insert(std::string_view name)
{
    if (count_ >= kUNCLBoxTableLoad) return nullptr;
    const int home = UNCLBoxNameSlot(name);
    int slot = home;
    do {
        TMarkSlot& s = slots_[static_cast<std::size_t>(slot)];
        if (s.name.empty()) {
            s.name = name;
            ++count_;
            return &s;
        }
        slot = UNCLBoxNextSlot(slot);
    } while (slot != home);
    return nullptr;
}

TMarkSlot* TUNCLBoxMarkHash::Find(std::string_view name)
{
    for (auto& t : tables_) {
        if (t->Count() == 0) break;
        if (TMarkSlot* s = t->Find(name)) return s;
    }
    return nullptr;
}

void TUNCLBoxMarkHash::Add(std::string_view name)
{
    if (name.empty()) return;  // no entry is nameless, and an empty name marks a free slot
    ++count_;
    if (TMarkSlot* slot = Find(name)) {
        slot->more.push_back(name);
        return;
    }
    for (auto& t : tables_)
        if (t->Insert(name)) return;
    tables_.push_back(std::make_unique<TUNCLBoxHashTbl>());
    tables_.back()->Insert(name);
}
