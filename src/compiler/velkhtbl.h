#pragma once
// The compiler's symbol tables: fixed-size open-addressing hash tables for
// module-wide names (entry numbers follow insertion order and become the
// numbers used in code), small name lists for a routine's arguments and
// locals, and the arrays declared in the source.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "script-format/senobject.h"
#include "script-format/vtlname.h"

class EHashError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EHashFull : public EHashError {
public:
    using EHashError::EHashError;
};
class EHashAlreadyExist : public EHashError {
public:
    using EHashError::EHashError;
};

// Names and slots; the payloads live in the typed tables below.
class TVELKHash {
public:
    static constexpr int kCapacity = 0x4000;

    TVELKHash();
    virtual ~TVELKHash() = default;
    TVELKHash(const TVELKHash&) = delete;
    TVELKHash& operator=(const TVELKHash&) = delete;

    // The slot a name hashes to (case does not matter).
    static int HashSlot(std::string_view name);

    int Count() const { return static_cast<int>(names_.size()); }
    // The entry number of a name, or -1.
    int IndexOf(std::string_view name) const;
    const std::string& NameAt(int n) const { return names_.at(static_cast<std::size_t>(n)); }

protected:
    // Claims a slot for the name and returns the new entry number.
    int Insert(std::string_view name);

private:
    std::vector<std::string> names_;
    std::vector<std::int32_t> slots_;
};

template <class Payload>
class TVELKHashOf : public TVELKHash {
public:
    // The new entry's number. On failure the payload is freed and the
    // EHashError passes on.
    int Add(std::string_view name, std::unique_ptr<Payload> payload)
    {
        int n = Insert(name);
        payloads_.push_back(std::move(payload));
        return n;
    }
    Payload* PayloadAt(int n) { return payloads_.at(static_cast<std::size_t>(n)).get(); }
    const Payload* PayloadAt(int n) const { return payloads_.at(static_cast<std::size_t>(n)).get(); }
    // The payload of a name, or nullptr.
    Payload* Find(std::string_view name)
    {
        int n = IndexOf(name);
        return n < 0 ? nullptr : PayloadAt(n);
    }
    const Payload* Find(std::string_view name) const
    {
        int n = IndexOf(name);
        return n < 0 ? nullptr : PayloadAt(n);
    }

private:
    std::vector<std::unique_ptr<Payload>> payloads_;
};

struct TIntObj {
    std::int32_t value = 0;
};
struct TInt64Obj {
    std::int64_t value = 0;
};
struct TStrIntObj {
    std::int32_t value = 0;
    std::string str;
};

// A source array: a name and a fixed number of elements, all 0 or empty at
// first. Only elements that were set are stored, so that the largest size
// costs nothing until it is filled.
template <class Element>
class TSrcArray {
public:
    static constexpr std::int32_t kMaxSize = 0x10000000;

    TSrcArray(std::string name, std::int64_t size)
        : name_(std::move(name)), size_(static_cast<std::int32_t>(size < 1 ? 1 : size > kMaxSize ? kMaxSize : size))
    {
    }
    const std::string& Name() const { return name_; }
    std::int32_t Size() const { return size_; }
    // Elements counted from 0, below Size().
    const Element& At(std::int32_t i) const
    {
        static const Element empty{};
        CheckIndex(i);
        return static_cast<std::size_t>(i) < items_.size() ? items_[static_cast<std::size_t>(i)] : empty;
    }
    // Elements from this index on have never been set: all 0 or empty.
    std::int32_t UnsetFrom() const { return static_cast<std::int32_t>(items_.size()); }
    void Set(std::int32_t i, Element value)
    {
        CheckIndex(i);
        if (static_cast<std::size_t>(i) >= items_.size()) items_.resize(static_cast<std::size_t>(i) + 1);
        items_[static_cast<std::size_t>(i)] = std::move(value);
    }

private:
    void CheckIndex(std::int32_t i) const
    {
        if (i < 0 || i >= size_) throw std::out_of_range("array index " + std::to_string(i) + " outside " + name_);
    }
    std::string name_;
    std::int32_t size_;
    std::vector<Element> items_;
};
using TInt64Array = TSrcArray<std::int64_t>;
using TStrArray = TSrcArray<std::string>;

class TIntHashTable : public TVELKHashOf<TIntObj> {
public:
    int AddInt(std::string_view name, std::int32_t value)
    {
        return Add(name, std::make_unique<TIntObj>(TIntObj{value}));
    }
    std::optional<std::int32_t> IntOf(std::string_view name) const;
};

class TInt64HashTable : public TVELKHashOf<TInt64Obj> {
public:
    int AddInt64(std::string_view name, std::int64_t value)
    {
        return Add(name, std::make_unique<TInt64Obj>(TInt64Obj{value}));
    }
    std::optional<std::int64_t> Int64Of(std::string_view name) const;
};

class TStrIntHashTable : public TVELKHashOf<TStrIntObj> {
public:
    int AddStrInt(std::string_view name, std::int32_t value, std::string str)
    {
        return Add(name, std::make_unique<TStrIntObj>(TStrIntObj{value, std::move(str)}));
    }
};

class TSenHashTable : public TVELKHashOf<TSenObject> {
public:
    // The buffer receives its entry number.
    int AddSen(std::string_view name, std::unique_ptr<TSenObject> code);
};

class TInt64AryHashTable : public TVELKHashOf<TInt64Array> {};
class TStrAryHashTable : public TVELKHashOf<TStrArray> {};

// A list of names with a payload each, sorted (without regard to case) or
// in the order of adding. Names are found without regard to case.
template <class Payload>
class TNamedList {
public:
    explicit TNamedList(bool sorted) : sorted_(sorted) {}

    bool Sorted() const { return sorted_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& NameAt(int i) const { return entries_.at(static_cast<std::size_t>(i)).name; }
    Payload& PayloadAt(int i) { return *entries_.at(static_cast<std::size_t>(i)).payload; }
    const Payload& PayloadAt(int i) const { return *entries_.at(static_cast<std::size_t>(i)).payload; }
    int IndexOf(std::string_view name) const;
    Payload* Find(std::string_view name)
    {
        int i = IndexOf(name);
        return i < 0 ? nullptr : &PayloadAt(i);
    }
    const Payload* Find(std::string_view name) const
    {
        int i = IndexOf(name);
        return i < 0 ? nullptr : &PayloadAt(i);
    }
    // The position of the name; a sorted list that holds it already keeps
    // the old entry and drops the new payload.
    int Add(std::string_view name, std::unique_ptr<Payload> payload);
    void Clear() { entries_.clear(); }

private:
    struct TEntry {
        std::string name;
        std::unique_ptr<Payload> payload;
    };
    // The first position whose name is not below the given one.
    std::size_t LowerBound(std::string_view name) const;

    bool sorted_;
    std::vector<TEntry> entries_;
};

// Ordinal: the list's count when the entry was added; code refers to
// arguments and locals by it, also in a sorted list.
struct TInt64Object {
    int ordinal = 0;
    std::int64_t value = 0;
};
struct TStrObject {
    int ordinal = 0;
    std::string value;
};

class TId64StringList : public TNamedList<TInt64Object> {
public:
    using TNamedList::TNamedList;
    int AddName(std::string_view name, std::int64_t value = 0)
    {
        return Add(name, std::make_unique<TInt64Object>(TInt64Object{Count(), value}));
    }
    // The ordinal of a name, or -1.
    int OrdinalOf(std::string_view name) const;
};

class TStrStrList : public TNamedList<TStrObject> {
public:
    using TNamedList::TNamedList;
    int AddName(std::string_view name, std::string value = {})
    {
        return Add(name, std::make_unique<TStrObject>(TStrObject{Count(), std::move(value)}));
    }
    int OrdinalOf(std::string_view name) const;
};

class TNumAryList : public TNamedList<TInt64Array> {
public:
    TNumAryList() : TNamedList(false) {}
    int AddArray(std::string_view name, std::int64_t size)
    {
        return Add(name, std::make_unique<TInt64Array>(std::string(name), size));
    }
};

class TStrAryList : public TNamedList<TStrArray> {
public:
    TStrAryList() : TNamedList(false) {}
    int AddArray(std::string_view name, std::int64_t size)
    {
        return Add(name, std::make_unique<TStrArray>(std::string(name), size));
    }
};

template <class Payload>
std::size_t TNamedList<Payload>::LowerBound(std::string_view name) const
{
    std::size_t lo = 0, hi = entries_.size();
    while (lo < hi) {
        std::size_t mid = (lo + hi) / 2;
        if (CompareNames(entries_[mid].name, name) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

template <class Payload>
int TNamedList<Payload>::IndexOf(std::string_view name) const
{
    if (sorted_) {
        std::size_t i = LowerBound(name);
        return i < entries_.size() && SameName(entries_[i].name, name) ? static_cast<int>(i) : -1;
    }
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (SameName(entries_[i].name, name)) return static_cast<int>(i);
    return -1;
}

template <class Payload>
int TNamedList<Payload>::Add(std::string_view name, std::unique_ptr<Payload> payload)
{
    if (!sorted_) {
        entries_.push_back(TEntry{std::string(name), std::move(payload)});
        return Count() - 1;
    }
    std::size_t i = LowerBound(name);
    if (i < entries_.size() && SameName(entries_[i].name, name)) return static_cast<int>(i);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), TEntry{std::string(name), std::move(payload)});
    return static_cast<int>(i);
}
