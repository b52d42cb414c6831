#pragma once
// The comparison of a sort set, written once for the plain comparison and
// for the sort, which compares ranks of collation keys made once per name
// instead of asking the locale for every pair of names.

#include <cstdint>
#include <string_view>

#include "panes/fileinfo.h"
#include "panes/sortset.h"

// The texts that NAME and EXT compare: with dirNoExt a directory
// contributes its whole name, as listed, and no extension.
inline std::string_view NameSortText(const TFileInfo& e, bool dirNoExt)
{
    return dirNoExt && e.IsDirectory() ? std::string_view(e.FileName()) : e.LowerBody();
}
inline std::string_view ExtSortText(const TFileInfo& e, bool dirNoExt)
{
    return dirNoExt && e.IsDirectory() ? std::string_view() : e.LowerExt();
}

// The flags and attributes the keys test, as bits, so that a sort can keep
// them beside its keys instead of reaching into every entry.
enum TSortFlag : std::uint16_t {
    sfCurDir = 1 << 0,
    sfParentDir = 1 << 1,
    sfServer = 1 << 2,
    sfShare = 1 << 3,
    sfDrive = 1 << 4,
    sfReadOnly = 1 << 5,
    sfHidden = 1 << 6,
    sfSystem = 1 << 7,
    sfArchive = 1 << 8,
    sfCompressed = 1 << 9,
    sfDirectory = 1 << 10,
};
inline std::uint16_t SortFlags(const TFileInfo& e)
{
    return static_cast<std::uint16_t>((e.IsCurDir ? sfCurDir : 0) | (e.IsParentDir ? sfParentDir : 0) |
                                      (e.IsServer ? sfServer : 0) | (e.IsShare ? sfShare : 0) |
                                      (e.IsDrive ? sfDrive : 0) | (e.AttrR == 'R' ? sfReadOnly : 0) |
                                      (e.AttrH == 'H' ? sfHidden : 0) | (e.AttrS == 'S' ? sfSystem : 0) |
                                      (e.AttrA == 'A' ? sfArchive : 0) | (e.AttrC == 'C' ? sfCompressed : 0) |
                                      (e.AttrD == 'D' ? sfDirectory : 0));
}

namespace sort_detail {
inline int Sign(int c) { return c < 0 ? -1 : c > 0 ? 1 : 0; }
template <class T>
int Order(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}
// The one that has the flag comes first.
inline int FlagFirst(bool a, bool b) { return a == b ? 0 : a ? -1 : 1; }
inline int FlagFirst(std::uint16_t a, std::uint16_t b, std::uint16_t flag)
{
    return FlagFirst((a & flag) != 0, (b & flag) != 0);
}
inline int ShortBodyOrder(const TFileInfo& a, const TFileInfo& b, bool dirNoExt)
{
    auto body = [dirNoExt](const TFileInfo& e) {
        return dirNoExt && e.IsDirectory() ? e.ShortName() : ShortNameBody(e.ShortName());
    };
    return Sign(body(a).compare(body(b)));
}
inline int ShortExtOrder(const TFileInfo& a, const TFileInfo& b, bool dirNoExt)
{
    auto ext = [dirNoExt](const TFileInfo& e) {
        return dirNoExt && e.IsDirectory() ? std::string_view() : ShortNameExt(e.ShortName());
    };
    return Sign(ext(a).compare(ext(b)));
}
}  // namespace sort_detail

// Access must offer Entry(item) -> const TFileInfo&, Flags(item) and
// ListIndex(item) (the same as the entry's, perhaps kept closer at hand),
// and CompareText(itemA, itemB, key) -> int for the keys NAME and EXT.
template <class Item, class Access>
int CompareBySortSet(const Item& x, const Item& y, const TSortSet& set, bool dirNoExt, const Access& access)
{
    using namespace sort_detail;
    const std::uint16_t fa = access.Flags(x), fb = access.Flags(y);
    // The links first, before the reading positions: in an archive "." and
    // ".." are made with positions 0 and 1, which members carry too.
    if (int c = FlagFirst(fa, fb, sfCurDir)) return c;
    if (int c = FlagFirst(fa, fb, sfParentDir)) return c;
    const std::int32_t ia = access.ListIndex(x), ib = access.ListIndex(y);
    if (ia == ib) return 0;
    for (const TSortPair& pair : set) {
        int c = 0;
        switch (pair.key) {
        case skNAME:
        case skEXT: c = access.CompareText(x, y, pair.key); break;
        case skDOSNAME: c = ShortBodyOrder(access.Entry(x), access.Entry(y), dirNoExt); break;
        case skDOSEXT: c = ShortExtOrder(access.Entry(x), access.Entry(y), dirNoExt); break;
        case skDATETIME: c = Order(access.Entry(x).LastWriteTime, access.Entry(y).LastWriteTime); break;
        case skACDATETIME: c = Order(access.Entry(x).LastAccessTime, access.Entry(y).LastAccessTime); break;
        case skCRDATETIME: c = Order(access.Entry(x).CreationTime, access.Entry(y).CreationTime); break;
        case skSIZE: c = Order(access.Entry(x).Size, access.Entry(y).Size); break;
        case skCOMPSIZE: c = Order(access.Entry(x).CompSize, access.Entry(y).CompSize); break;
        case skSERVER: c = FlagFirst(fa, fb, sfServer); break;
        case skSHARE: c = FlagFirst(fa, fb, sfShare); break;
        case skROOTDRIVE: c = FlagFirst(fa, fb, sfDrive); break;
        case skATTR_R: c = FlagFirst(fa, fb, sfReadOnly); break;
        case skATTR_H: c = FlagFirst(fa, fb, sfHidden); break;
        case skATTR_S: c = FlagFirst(fa, fb, sfSystem); break;
        case skATTR_A: c = FlagFirst(fa, fb, sfArchive); break;
        case skATTR_D: c = FlagFirst(fa, fb, sfDirectory); break;
        case skATTR_C: c = FlagFirst(fa, fb, sfCompressed); break;
        default: c = Order(ia, ib); break;  // NONE, and codes that are no key
        }
        if (!pair.ascending) c = -c;
        if (c != 0) return c;
    }
    return 0;
}
