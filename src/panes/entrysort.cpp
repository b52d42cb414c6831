// Sorting an entry list. The comparison is the sort set's; what makes it
// fast is what the sort keeps beside each entry: the locale is asked once
// per name for a collation key, the keys are ranked once, and comparing two
// names is then comparing two numbers. Where every key of the set is a flag
// or a ranked text, all of them fold into one number.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <unordered_map>

#include "panes/sortcompare.h"
#include "panes/uboxlist.h"
#include "platform/textcase.h"

namespace {

// The collation keys of many texts side by side in one buffer, and their
// ranks by byte order (equal keys, equal ranks).
class TKeyRanker {
public:
    explicit TKeyRanker(const std::vector<std::string_view>& texts)
    {
        // Asking the locale is most of the work and needs nothing shared, so
        // a large list has its second half keyed on another thread.
        const std::size_t n = texts.size();
        const bool split = n >= 8192 && std::thread::hardware_concurrency() > 1;
        const std::size_t half = split ? n / 2 : n;
        TKeys first, second;
        std::thread helper;
        if (split) helper = std::thread([&] { second = KeysOf(texts, half, n); });
        first = KeysOf(texts, 0, half);
        if (helper.joinable()) helper.join();
        bytes_ = std::move(first.bytes);
        refs_ = std::move(first.refs);
        const std::uint32_t offset = static_cast<std::uint32_t>(bytes_.size());
        bytes_ += second.bytes;
        for (TRef r : second.refs) refs_.push_back({r.at + offset, r.length});
    }

    std::vector<std::uint32_t> Ranks() const
    {
        const std::size_t n = refs_.size();
        std::vector<TRecord> records(n);
        for (std::uint32_t i = 0; i < n; ++i) {
            TRecord& r = records[i];
            r.index = i;
            r.length = refs_[i].length;
            unsigned char head[kCachedBytes] = {};
            std::memcpy(head, bytes_.data() + refs_[i].at, std::min<std::size_t>(r.length, sizeof head));
            for (std::size_t w = 0; w < kCachedWords; ++w) {
                std::uint64_t v;
                std::memcpy(&v, head + 8 * w, 8);
                r.words[w] = __builtin_bswap64(v);  // the first byte most significant
            }
        }
        RadixSort(records.data(), n, 0);
        std::vector<std::uint32_t> rank(n);
        std::uint32_t r = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0 && Order(records[i - 1], records[i]) != 0) ++r;
            rank[records[i].index] = r;
        }
        return rank;
    }

private:
    // The first bytes of a key travel with its index, as numbers (zeros past
    // its end; keys hold no zero byte, so a shorter key is a smaller
    // number): the sort seldom looks into the buffer.
    static constexpr std::size_t kCachedWords = 4;
    static constexpr std::uint32_t kCachedBytes = 8 * kCachedWords;
    struct TRef {
        std::uint32_t at, length;
    };
    struct TKeys {
        std::string bytes;
        std::vector<TRef> refs;
    };

    static TKeys KeysOf(const std::vector<std::string_view>& texts, std::size_t from, std::size_t to)
    {
        TKeys k;
        std::size_t bytes = 0;
        for (std::size_t i = from; i < to; ++i) bytes += texts[i].size() * 2 + 8;
        k.bytes.reserve(bytes);
        k.refs.reserve(to - from);
        TLocaleSortKeys keys;
        for (std::size_t i = from; i < to; ++i) {
            std::uint32_t at = static_cast<std::uint32_t>(k.bytes.size());
            keys.Append(texts[i], k.bytes);
            k.refs.push_back({at, static_cast<std::uint32_t>(k.bytes.size() - at)});
        }
        return k;
    }
    struct TRecord {
        std::uint64_t words[kCachedWords] = {};
        std::uint32_t index = 0, length = 0;
    };

    unsigned ByteAt(const TRecord& r, std::size_t d) const
    {
        if (d < kCachedBytes) return static_cast<unsigned>(r.words[d / 8] >> (56 - 8 * (d % 8))) & 0xFF;
        return d < r.length ? static_cast<unsigned char>(bytes_[refs_[r.index].at + d]) : 0u;
    }

    int Order(const TRecord& a, const TRecord& b) const
    {
        for (std::size_t w = 0; w < kCachedWords; ++w)
            if (a.words[w] != b.words[w]) return a.words[w] < b.words[w] ? -1 : 1;
        if (a.length <= kCachedBytes && b.length <= kCachedBytes) return 0;  // equal heads, no zero byte: equal keys
        auto tail = [this](const TRecord& r) {
            std::uint32_t skip = std::min(r.length, kCachedBytes);
            return std::string_view(bytes_.data() + refs_[r.index].at + skip, r.length - skip);
        };
        int c = tail(a).compare(tail(b));
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }

    // A radix sort from the most significant byte, one byte a level: the
    // common beginnings of similar names are read once per level, never
    // compared over and over. Keys that end at a level are equal there.
    void RadixSort(TRecord* a, std::size_t n, std::size_t d) const
    {
        while (n > 1) {
            if (n < 32) {
                for (std::size_t i = 1; i < n; ++i)
                    for (std::size_t j = i; j > 0 && Order(a[j], a[j - 1]) < 0; --j) std::swap(a[j], a[j - 1]);
                return;
            }
            std::size_t count[256] = {};
            for (std::size_t i = 0; i < n; ++i) ++count[ByteAt(a[i], d)];
            const unsigned only = ByteAt(a[0], d);
            if (count[only] == n) {  // one byte for all: on to the next
                if (only == 0) return;
                ++d;
                continue;
            }
            // Each record goes to its byte's bucket in place, by cycles.
            std::size_t start[256], next[256], at = 0;
            for (unsigned b = 0; b < 256; ++b) {
                start[b] = next[b] = at;
                at += count[b];
            }
            for (unsigned b = 0; b < 256; ++b) {
                const std::size_t end = start[b] + count[b];
                while (next[b] < end) {
                    TRecord r = a[next[b]];
                    unsigned c = ByteAt(r, d);
                    while (c != b) {
                        std::swap(r, a[next[c]++]);
                        c = ByteAt(r, d);
                    }
                    a[next[b]++] = r;
                }
            }
            for (unsigned b = 1; b < 256; ++b)
                if (count[b] > 1) RadixSort(a + start[b], count[b], d + 1);
            return;
        }
    }

    std::string bytes_;
    std::vector<TRef> refs_;
};

// An entry with what the comparison needs most, at hand without reaching
// into the entry.
struct TSortItem {
    TFileInfo* entry = nullptr;
    std::int32_t listIndex = 0;
    std::uint16_t flags = 0;
    std::uint32_t nameRank = 0, extRank = 0;
    std::uint64_t folded = 0;  // every key up to NONE in one number, when they fit
};

// An entry whose links and keys are folded into one number.
struct TFoldedItem {
    std::uint64_t folded;
    TFileInfo* entry;
    std::int32_t listIndex;
};

struct TRankedAccess {
    const TFileInfo& Entry(const TSortItem& item) const { return *item.entry; }
    std::uint16_t Flags(const TSortItem& item) const { return item.flags; }
    std::int32_t ListIndex(const TSortItem& item) const { return item.listIndex; }
    int CompareText(const TSortItem& a, const TSortItem& b, int key) const
    {
        std::uint32_t x = key == skNAME ? a.nameRank : a.extRank, y = key == skNAME ? b.nameRank : b.extRank;
        return x < y ? -1 : x > y ? 1 : 0;
    }
};

bool IsKey(int key) { return key > skNONE && key < kSortKeyCount; }

// The pairs before the first NONE (or code that is no key): only they
// compare, as entries' reading positions differ.
int PairsInUse(const TSortSet& set)
{
    int n = 0;
    while (n < kSortPairs && IsKey(set[static_cast<std::size_t>(n)].key)) ++n;
    return n;
}

bool UsesKey(const TSortSet& set, int key)
{
    for (int i = 0, n = PairsInUse(set); i < n; ++i)
        if (set[static_cast<std::size_t>(i)].key == key) return true;
    return false;
}

std::uint16_t FlagOfKey(int key)
{
    switch (key) {
    case skSERVER: return sfServer;
    case skSHARE: return sfShare;
    case skROOTDRIVE: return sfDrive;
    case skATTR_R: return sfReadOnly;
    case skATTR_H: return sfHidden;
    case skATTR_S: return sfSystem;
    case skATTR_A: return sfArchive;
    case skATTR_D: return sfDirectory;
    case skATTR_C: return sfCompressed;
    default: return 0;
    }
}

int BitsFor(std::uint32_t maxValue)
{
    int bits = 0;
    while (bits < 32 && (maxValue >> bits) != 0) ++bits;
    return bits;
}

// Folds the links and the keys in use into one number per entry, most
// significant first: two bits that put "." and ".." first, then a field per
// key, inverted for a descending pair. False when a key is neither a flag
// nor a ranked text, or the fields need more than the 62 bits left.
constexpr std::uint64_t kLinkBits = std::uint64_t{3} << 62;
bool FoldKeys(std::vector<TSortItem>& items, const TSortSet& set, std::uint32_t maxName, std::uint32_t maxExt)
{
    const int n = PairsInUse(set);
    int bits = 0;
    for (int i = 0; i < n; ++i) {
        int key = set[static_cast<std::size_t>(i)].key;
        bits += key == skNAME ? BitsFor(maxName) : key == skEXT ? BitsFor(maxExt) : FlagOfKey(key) ? 1 : 65;
    }
    if (bits > 62) return false;
    for (TSortItem& item : items) {
        std::uint64_t v = (item.flags & sfCurDir ? 0 : 2) | (item.flags & sfParentDir ? 0 : 1);
        for (int i = 0; i < n; ++i) {
            const TSortPair& pair = set[static_cast<std::size_t>(i)];
            std::uint32_t field, max;
            if (pair.key == skNAME) {
                field = item.nameRank;
                max = maxName;
            } else if (pair.key == skEXT) {
                field = item.extRank;
                max = maxExt;
            } else {
                field = (item.flags & FlagOfKey(pair.key)) ? 0 : 1;  // the one that has the flag first
                max = 1;
            }
            int width = pair.key == skNAME || pair.key == skEXT ? BitsFor(max) : 1;
            if (!pair.ascending) field = max - field;
            v = width ? (v << width | field) : v;
        }
        item.folded = v << (62 - bits);
    }
    return true;
}

// The quicksort of the list: the pivot is the entry in the middle of the
// range when the range is entered; the smaller part is sorted by recursion,
// the larger by the loop.
template <class Item, class Compare>
void QuickSort(std::vector<Item>& a, int l, int r, const Compare& compare)
{
    while (l < r) {
        int i = l, j = r;
        const Item p = a[static_cast<std::size_t>((l + r) / 2)];
        do {
            while (compare(a[static_cast<std::size_t>(i)], p) < 0) ++i;
            while (compare(a[static_cast<std::size_t>(j)], p) > 0) --j;
            if (i <= j) {
                std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - l < r - i) {
            if (l < j) QuickSort(a, l, j, compare);
            l = i;
        } else {
            if (i < r) QuickSort(a, i, r, compare);
            r = j;
        }
    }
}

// Ranks of the extensions: they repeat, so each is keyed once.
std::uint32_t RankExtensions(std::vector<TSortItem>& items, bool dirNoExt)
{
    std::unordered_map<std::string_view, std::uint32_t> index;
    std::vector<std::string_view> exts;
    for (TSortItem& item : items) {
        std::string_view ext = ExtSortText(*item.entry, dirNoExt);
        auto [it, added] = index.try_emplace(ext, static_cast<std::uint32_t>(exts.size()));
        if (added) exts.push_back(ext);
        item.extRank = it->second;
    }
    std::vector<std::uint32_t> rank = TKeyRanker(exts).Ranks();
    std::uint32_t max = 0;
    for (TSortItem& item : items) max = std::max(max, item.extRank = rank[item.extRank]);
    return max;
}

std::uint32_t RankNames(std::vector<TSortItem>& items, bool dirNoExt)
{
    std::vector<std::string_view> names;
    names.reserve(items.size());
    for (const TSortItem& item : items) names.push_back(NameSortText(*item.entry, dirNoExt));
    std::vector<std::uint32_t> rank = TKeyRanker(names).Ranks();
    std::uint32_t max = 0;
    for (std::size_t i = 0; i < items.size(); ++i) max = std::max(max, items[i].nameRank = rank[i]);
    return max;
}

}  // namespace

void TUBoxList::Sort()
{
    if (items_.size() < 2) return;
    std::vector<TSortItem> sorted(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i) {
        sorted[i].entry = items_[i].get();
        sorted[i].listIndex = items_[i]->ListIndex;
        sorted[i].flags = SortFlags(*items_[i]);
    }
    const std::uint32_t maxName = UsesKey(SortSet, skNAME) ? RankNames(sorted, DirNoExt) : 0;
    const std::uint32_t maxExt = UsesKey(SortSet, skEXT) ? RankExtensions(sorted, DirNoExt) : 0;
    const bool folded = FoldKeys(sorted, SortSet, maxName, maxExt);

    std::vector<TFoldedItem> compact(folded ? sorted.size() : 0);
    for (std::size_t i = 0; i < compact.size(); ++i)
        compact[i] = {sorted[i].folded, sorted[i].entry, sorted[i].listIndex};

    // Nothing below throws: the list owns its entries again at the end.
    for (auto& e : items_) e.release();
    const TSortSet set = SortSet;
    const bool dirNoExt = DirNoExt;
    const int inUse = PairsInUse(set);
    // The pair that ends the keys in use decides by reading position.
    const bool tieByIndex = inUse < kSortPairs;
    const bool tieAscending = tieByIndex && set[static_cast<std::size_t>(inUse)].ascending;
    if (folded) {
        QuickSort(compact, 0, static_cast<int>(compact.size()) - 1, [&](const TFoldedItem& a, const TFoldedItem& b) {
            if ((a.folded ^ b.folded) & kLinkBits) return (a.folded & kLinkBits) < (b.folded & kLinkBits) ? -1 : 1;
            if (a.listIndex == b.listIndex) return 0;
            if (a.folded != b.folded) return a.folded < b.folded ? -1 : 1;
            if (!tieByIndex) return 0;
            int c = sort_detail::Order(a.listIndex, b.listIndex);
            return tieAscending ? c : -c;
        });
        for (std::size_t i = 0; i < compact.size(); ++i) sorted[i].entry = compact[i].entry;
    } else {
        TRankedAccess access;
        QuickSort(sorted, 0, static_cast<int>(sorted.size()) - 1, [&](const TSortItem& a, const TSortItem& b) {
            return CompareBySortSet(a, b, set, dirNoExt, access);
        });
    }
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i].reset(sorted[i].entry);
}
