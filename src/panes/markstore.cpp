#include "panes/markstore.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/sjis.h"

namespace {

std::uint16_t RotationHash(const unsigned char* key, std::size_t n)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += key[i];
    unsigned shift = sum % 14;
    std::uint16_t h = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned b = key[i];
        h = static_cast<std::uint16_t>(h + ((b << shift) & 0x3FFF) + (b >> (13 - shift)));
        shift = shift + 1 == 14 ? 0 : shift + 1;
    }
    return h & (kUNCLBoxHashSlots - 1);
}

// A name's key (upper-cased by the file-name rules) hashed once for an
// operation: its home slot, and a second hash that chooses its table.
struct TNameKey {
    int home;
    std::uint32_t route;
};

TNameKey KeyOf(std::string_view name)
{
    std::string upper;
    unsigned char stack[512];
    const unsigned char* key = stack;
    if (name.size() <= sizeof stack) {
        const std::array<bool, 256>& lead = SjisLeadByteTable();
        for (std::size_t i = 0; i < name.size(); ++i) {
            unsigned char b = static_cast<unsigned char>(name[i]);
            if (lead[b] && i + 1 < name.size()) {
                stack[i] = b;
                stack[i + 1] = static_cast<unsigned char>(name[i + 1]);
                ++i;
            } else {
                stack[i] = static_cast<unsigned char>(AsciiUpper(static_cast<char>(b)));
            }
        }
    } else {
        upper = SjisUpperCase(name);
        key = reinterpret_cast<const unsigned char*>(upper.data());
    }
    std::uint32_t route = 2166136261u;  // FNV-1a
    for (std::size_t i = 0; i < name.size(); ++i) route = (route ^ key[i]) * 16777619u;
    return {RotationHash(key, name.size()), route};
}

}  // namespace

int UNCLBoxHashSlot(std::string_view key)
{
    return RotationHash(reinterpret_cast<const unsigned char*>(key.data()), key.size());
}

int UNCLBoxNameSlot(std::string_view name) { return KeyOf(name).home; }

bool TMarkSlot::Holds(std::string_view exact) const
{
    if (name == exact) return true;
    for (std::string_view other : more)
        if (other == exact) return true;
    return false;
}

TMarkSlot* TUNCLBoxHashTbl::Find(std::string_view name) { return Find(name, UNCLBoxNameSlot(name)); }

TMarkSlot* TUNCLBoxHashTbl::Find(std::string_view name, int home)
{
    int slot = home;
    do {
        TMarkSlot& s = slots_[static_cast<std::size_t>(slot)];
        if (s.name.empty()) return nullptr;
        if (SjisSameTextAscii(s.name, name)) return &s;
        slot = UNCLBoxNextSlot(slot);
    } while (slot != home);
    return nullptr;
}

TMarkSlot* TUNCLBoxHashTbl::Insert(std::string_view name) { return Insert(name, UNCLBoxNameSlot(name)); }

TMarkSlot* TUNCLBoxHashTbl::Insert(std::string_view name, int home)
{
    if (count_ >= kUNCLBoxTableLoad) return nullptr;
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

TUNCLBoxMarkHash::TUNCLBoxMarkHash(int expected)
{
    // Tables half full at the expected count: short probe sequences.
    const std::size_t half = kUNCLBoxHashSlots / 2, names = static_cast<std::size_t>(std::max(expected, 0));
    const std::size_t tables = std::max<std::size_t>(1, (names + half - 1) / half);
    for (std::size_t i = 0; i < tables; ++i) tables_.push_back(std::make_unique<TUNCLBoxHashTbl>());
    routes_ = tables;
}

TMarkSlot* TUNCLBoxMarkHash::Find(std::string_view name)
{
    const TNameKey key = KeyOf(name);
    const std::size_t n = tables_.size(), first = key.route % routes_;
    for (std::size_t k = 0; k < n; ++k) {
        TUNCLBoxHashTbl& t = *tables_[(first + k) % n];
        if (TMarkSlot* s = t.Find(name, key.home)) return s;
        // Names pass on only from a full table, and past the tables there
        // were at first only when all were full.
        if (!t.Full() && tables_.size() == routes_) return nullptr;
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
    const TNameKey key = KeyOf(name);
    const std::size_t n = tables_.size(), first = key.route % routes_;
    for (std::size_t k = 0; k < n; ++k)
        if (tables_[(first + k) % n]->Insert(name, key.home)) return;
    tables_.push_back(std::make_unique<TUNCLBoxHashTbl>());
    tables_.back()->Insert(name, key.home);
}
