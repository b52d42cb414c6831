#pragma once
// Sort sets: up to 19 keys, each ascending or descending, compared one after
// another until two entries differ; their text form ("NAME+,EXT-"); and the
// comparison of two entries.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "panes/fileinfo.h"

enum TSortKey : std::uint8_t {
    skNONE = 0,  // the order of reading
    skNAME,
    skEXT,
    skDOSNAME,
    skDOSEXT,
    skDATETIME,
    skACDATETIME,
    skCRDATETIME,
    skSIZE,
    skSERVER,
    skSHARE,
    skROOTDRIVE,
    skATTR_R,
    skATTR_H,
    skATTR_S,
    skATTR_A,
    skATTR_D,
    skATTR_C,
    skCOMPSIZE,
};
constexpr int kSortKeyCount = 19;

struct TSortPair {
    std::uint8_t key = skNONE;
    std::uint8_t ascending = 1;  // 1 ascending, 0 descending
    bool operator==(const TSortPair&) const = default;
};
constexpr int kSortPairs = 19;
using TSortSet = std::array<TSortPair, kSortPairs>;

// "NAME", "EXT", ...; nullptr for a code that is no key.
const char* SortKeyName(int key);
// The sort-set dialog's label of a key ("名前", "格納", ...).
const char* SortKeyLabel(int key);

// "ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+,NONE+".
TSortSet DefaultSortSet();
// Items of a comma list, each a key name and "+" or "-"; anything else is
// NONE ascending ("NONE-" is NONE descending); a NONE ascending pair follows
// the last item when fewer than 19 are given.
TSortSet ParseSortSet(std::string_view text);
// The pairs up to and including the first NONE; "NONE+" when empty.
std::string SortSetText(const TSortSet& set);
// The pairs agree up to and including the first NONE, or over all 19.
bool SameSortSet(const TSortSet& a, const TSortSet& b);

// Negative when a comes first. "." and ".." come first whatever the
// directions; with dirNoExt directory names are not split into body and
// extension.
int CompareEntries(const TFileInfo& a, const TFileInfo& b, const TSortSet& set, bool dirNoExt);

// The short name cut for the DOSNAME and DOSEXT keys.
std::string_view ShortNameBody(std::string_view shortName);
std::string_view ShortNameExt(std::string_view shortName);
