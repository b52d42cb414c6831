#include "compiler/velkhtbl.h"

namespace {

constexpr int kSlotMask = TVELKHash::kCapacity - 1;
// Odd, so probing visits every slot before it returns to the first.
constexpr int kProbeStep = 4211;

}  // namespace

TVELKHash::TVELKHash() : slots_(kCapacity, -1)
{
    names_.reserve(64);
}

int TVELKHash::HashSlot(std::string_view name)
{
    unsigned sum = 0;
    TUpperBytes forSum(name);
    for (std::size_t i = 0; i < name.size(); ++i) sum += forSum.At(i);
    unsigned k = sum % 14;
    unsigned h = 0;
    TUpperBytes bytes(name);
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned b = bytes.At(i);
        h += ((b << k) & kSlotMask) + (b >> (13 - k));
        if (++k == 14) k = 0;
    }
    return static_cast<int>(h & kSlotMask);
}

int TVELKHash::IndexOf(std::string_view name) const
{
    const int first = HashSlot(name);
    int slot = first;
    do {
        int n = slots_[static_cast<std::size_t>(slot)];
        if (n < 0) return -1;
        if (SameName(names_[static_cast<std::size_t>(n)], name)) return n;
        slot = (slot + kProbeStep) & kSlotMask;
    } while (slot != first);
    return -1;
}

int TVELKHash::Insert(std::string_view name)
{
    if (Count() >= kCapacity) throw EHashFull("Table full(1)");
    const int first = HashSlot(name);
    int slot = first;
    for (;;) {
        int n = slots_[static_cast<std::size_t>(slot)];
        if (n < 0) break;
        if (SameName(names_[static_cast<std::size_t>(n)], name)) throw EHashAlreadyExist("Already exists");
        slot = (slot + kProbeStep) & kSlotMask;
        if (slot == first) throw EHashFull("Table full(2)");
    }
    slots_[static_cast<std::size_t>(slot)] = Count();
    names_.emplace_back(name);
    return Count() - 1;
}

std::optional<std::int32_t> TIntHashTable::IntOf(std::string_view name) const
{
    const TIntObj* p = Find(name);
    return p ? std::optional<std::int32_t>(p->value) : std::nullopt;
}

std::optional<std::int64_t> TInt64HashTable::Int64Of(std::string_view name) const
{
    const TInt64Obj* p = Find(name);
    return p ? std::optional<std::int64_t>(p->value) : std::nullopt;
}

int TSenHashTable::AddSen(std::string_view name, std::unique_ptr<TSenObject> code)
{
    TSenObject* p = code.get();
    int n = Add(name, std::move(code));
    p->number = n;
    return n;
}

int TId64StringList::OrdinalOf(std::string_view name) const
{
    const TInt64Object* p = Find(name);
    return p ? p->ordinal : -1;
}

int TStrStrList::OrdinalOf(std::string_view name) const
{
    const TStrObject* p = Find(name);
    return p ? p->ordinal : -1;
}
