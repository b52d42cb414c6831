#pragma once
// The entries of one listing, in display order; the list owns them.

#include <memory>
#include <string_view>
#include <vector>

#include "panes/fileinfo.h"
#include "panes/sortset.h"

class TUBoxList {
public:
    TUBoxList() : SortSet(DefaultSortSet()) {}
    TUBoxList(TUBoxList&&) noexcept = default;
    TUBoxList& operator=(TUBoxList&&) noexcept = default;

    int Count() const { return static_cast<int>(items_.size()); }
    bool Empty() const { return items_.empty(); }
    TFileInfo& operator[](int i) { return *items_[static_cast<std::size_t>(i)]; }
    const TFileInfo& operator[](int i) const { return *items_[static_cast<std::size_t>(i)]; }
    // nullptr outside 0..Count()-1.
    TFileInfo* At(int i) { return InRange(i) ? items_[static_cast<std::size_t>(i)].get() : nullptr; }
    const TFileInfo* At(int i) const { return InRange(i) ? items_[static_cast<std::size_t>(i)].get() : nullptr; }
    bool InRange(int i) const { return i >= 0 && i < Count(); }

    TFileInfo& Add(TFileInfo entry);
    void Clear() { items_.clear(); }
    void Reserve(int n) { items_.reserve(static_cast<std::size_t>(n)); }

    // The first entry whose name equals name by the file-name comparison, or -1.
    int IndexOfName(std::string_view name) const;

    // Sorts by SortSet and DirNoExt.
    void Sort();

    bool DirNoExt = false;
    TSortSet SortSet;

private:
    std::vector<std::unique_ptr<TFileInfo>> items_;
};
