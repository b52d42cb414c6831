#pragma once
// The store that carries a pane's marks across a reload: the names of the
// marked entries in open-addressing hash tables of 16384 slots, keyed by the
// name upper-cased by the file-name rules. It keeps each name as it was, so
// that of two names that differ only in case the right one is marked again.
// The store holds views of the names: they must outlive it.

#include <memory>
#include <string_view>
#include <vector>

constexpr int kUNCLBoxHashSlots = 0x4000;
constexpr int kUNCLBoxProbeStep = 4211;  // odd: the probe visits every slot once
// A table counts as full at three quarters of its slots: the probe
// sequence is a fixed stride, and near a full table every insertion would
// walk most of it.
constexpr int kUNCLBoxTableLoad = kUNCLBoxHashSlots / 4 * 3;

// The home slot of a key (bytes as they are).
int UNCLBoxHashSlot(std::string_view key);
// The home slot of a name's key: the name upper-cased by the file-name rules.
int UNCLBoxNameSlot(std::string_view name);
inline int UNCLBoxNextSlot(int slot) { return (slot + kUNCLBoxProbeStep) & (kUNCLBoxHashSlots - 1); }

struct TMarkSlot {
    std::string_view name;                // the first name added; empty: a free slot
    std::vector<std::string_view> more;   // other names of the same key
    bool exactSeen = false;               // set by the caller while marking again
    bool Holds(std::string_view exact) const;
};

class TUNCLBoxHashTbl {
public:
    TUNCLBoxHashTbl() : slots_(kUNCLBoxHashSlots) {}
    int Count() const { return count_; }
    bool Full() const { return count_ >= kUNCLBoxTableLoad; }
    // The slot of the name's key, or nullptr.
    TMarkSlot* Find(std::string_view name);
    TMarkSlot* Find(std::string_view name, int home);
    // A new slot for a name whose key is not in the table; nullptr when full.
    TMarkSlot* Insert(std::string_view name);
    TMarkSlot* Insert(std::string_view name, int home);

private:
    std::vector<TMarkSlot> slots_;
    int count_ = 0;
};

// Names are spread over as many tables as the expected count needs, each
// name's table chosen by a second hash of its key: a lookup then searches
// one table, not every table before it. A table that fills passes names on
// to the next.
class TUNCLBoxMarkHash {
public:
    explicit TUNCLBoxMarkHash(int expected = 0);
    // A name whose key is stored already counts as stored too.
    void Add(std::string_view name);
    bool Contains(std::string_view name) { return Find(name) != nullptr; }
    TMarkSlot* Find(std::string_view name);
    // The names added.
    int Count() const { return count_; }
    int TableCount() const { return static_cast<int>(tables_.size()); }

private:
    std::vector<std::unique_ptr<TUNCLBoxHashTbl>> tables_;
    std::size_t routes_ = 1;  // the tables a name's second hash chooses among
    int count_ = 0;
};
