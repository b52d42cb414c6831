#include "panes/panestate.h"

#include <algorithm>
#include <cstdlib>

#include "panes/markstore.h"
#include "platform/orumask.h"
#include "platform/sjis.h"
#include "platform/textcase.h"

TPaneState::TPaneState(const TCustData& cust)
    : cust_(cust),
      defaultMask_(OpenMask(cust.MASKTYPE)),
      currentMask_(defaultMask_),
      sortSet_(cust.SORTSETS),
      viewItems_(cust.VIEWITEMS)
{
    entries_.SortSet = sortSet_;
    columnWidth_ = ::ColumnWidth(viewItems_, cust_, metrics_);
}

TPaneState::~TPaneState() = default;

void TPaneState::SetMeasure(const TTextMeasure* measure)
{
    measure_ = measure;
    LookChanged();
}

void TPaneState::SetLocation(std::string panePath, int arcType, std::string arcInnerPath, std::string arcTypeName)
{
    panePath_ = std::move(panePath);
    arcType_ = arcType;
    arcInnerPath_ = std::move(arcInnerPath);
    arcTypeName_ = std::move(arcTypeName);
}

std::string TPaneState::DirPathWithSlash() const
{
    return panePath_.empty() ? std::string() : SjisIncludeTrailingBackslash(panePath_);
}

std::string TPaneState::DirPathWithoutSlash() const { return SjisExcludeTrailingBackslash(panePath_); }

// --- listings

void TPaneState::Adopt(TListing listing)
{
    // The old entries live on until the reload is done: the mark store
    // holds views of their names.
    retired_ = std::move(entries_);
    entries_ = std::move(listing.entries);
    entries_.SortSet = sortSet_;
    entries_.DirNoExt = dirNoExt_;
    status_ = listing.status;
    totalSize_ = listing.totalSize;
    markedCount_ = 0;
    markedSize_ = 0;
    for (int i = 0; i < entries_.Count(); ++i) entries_[i].Marked = false;
    entries_.Sort();
}

void TPaneState::ShowListing(TListing listing, std::string_view cursorName)
{
    if (view_) view_->BeginUpdate();
    Adopt(std::move(listing));
    retired_.Clear();
    int found = cursorName.empty() ? -1 : FindEntry(cursorName);
    itemIndex_ = found >= 0 ? found : 0;
    topIndex_ = found >= 0 ? Page() * (found / Page()) : 0;
    if (view_) {
        view_->EndUpdate();
        view_->Repaint();
    }
    if (OnDirInfo) OnDirInfo(*this);
}

int TPaneState::FindEntry(std::string_view name) const
{
    // The same name as it was first; otherwise one that differs only in case.
    for (int i = 0; i < entries_.Count(); ++i)
        if (entries_[i].FileName() == name) return i;
    return entries_.IndexOfName(name);
}

void TPaneState::ReloadWith(const TReadStep& read, bool keepMarks)
{
    if (view_) view_->BeginUpdate();
    const bool hadEntries = !entries_.Empty();
    const int oldCursor = itemIndex_, oldTop = topIndex_;
    std::string cursorName;
    if (const TFileInfo* e = entries_.At(itemIndex_)) cursorName = e->FileName();

    std::unique_ptr<TUNCLBoxMarkHash> store;
    if (keepMarks && hadEntries && markedCount_ > 0) {
        store = std::make_unique<TUNCLBoxMarkHash>(markedCount_);
        for (int i = 0; i < entries_.Count(); ++i)
            if (entries_[i].Marked) store->Add(entries_[i].FileName());
    }
    try {
        read();
    } catch (...) {
        retired_.Clear();
        if (view_) view_->EndUpdate();
        throw;
    }
    if (store && store->Count() > 0 && !entries_.Empty()) Remark(*store);
    store.reset();
    retired_.Clear();

    const int count = entries_.Count();
    int cursor = cursorName.empty() ? -1 : FindEntry(cursorName);
    if (cursor < 0) cursor = oldCursor;
    cursor = count == 0 ? 0 : std::clamp(cursor, 0, count - 1);
    itemIndex_ = cursor;
    const int page = Page();
    if (!hadEntries || oldTop >= cursor || cursor >= oldTop + page) topIndex_ = page * (cursor / page);
    else topIndex_ = oldTop;

    if (view_) {
        view_->EndUpdate();
        view_->Repaint();
    }
    if (OnDirInfo) OnDirInfo(*this);
}

void TPaneState::Reload()
{
    if (!lister_) return;
    ReloadWith([this] { Adopt(lister_->ReadListing(*this)); }, true);
}

void TPaneState::Resort()
{
    ReloadWith(
        [this] {
            entries_.SortSet = sortSet_;
            entries_.DirNoExt = dirNoExt_;
            entries_.Sort();
        },
        false);
}

void TPaneState::TakeOverListing(TListing listing)
{
    ReloadWith([this, &listing] { Adopt(std::move(listing)); }, true);
}

bool TPaneState::ReplaceIfChanged(TListing listing)
{
    listing.entries.SortSet = sortSet_;
    listing.entries.DirNoExt = dirNoExt_;
    listing.entries.Sort();
    bool same = listing.entries.Count() == entries_.Count() && listing.status == status_;
    for (int i = 0; same && i < entries_.Count(); ++i) same = SameEntry(listing.entries[i], entries_[i]);
    if (same) return false;
    TakeOverListing(std::move(listing));
    return true;
}

// --- queries

const TFileInfo* TPaneState::CurrentEntry()
{
    if (entries_.Empty()) return nullptr;
    if (!entries_.InRange(itemIndex_)) itemIndex_ = 0;
    return entries_.At(itemIndex_);
}

std::string TPaneState::EntryName(int i) const
{
    const TFileInfo* e = entries_.At(i);
    return e ? e->FileName() : std::string();
}

std::string TPaneState::CurrentName()
{
    const TFileInfo* e = CurrentEntry();
    return e ? e->FileName() : std::string();
}

std::string TPaneState::StatusText() const
{
    if (!entries_.Empty()) return std::string();
    switch (status_) {
    case kPaneListed: return "-No Files-";
    case kPaneNoDrive: return "-NoDrive-";
    case kPaneNotReady: return "-NotReady-";
    case kPaneNotExist: return "-NotExist-";
    default: return "-unknown status-";
    }
}

void TPaneState::SetGeometry(int rows, int columns)
{
    rows_ = std::max(1, rows);
    columns_ = std::max(1, columns);
}

// --- settings

void TPaneState::LookChanged()
{
    if (measure_) metrics_ = MeasurePane(*measure_, cust_);
    if (ViewItemCount(viewItems_) == 0) viewItems_ = TViewItems{viLFN};
    columnWidth_ = ::ColumnWidth(viewItems_, cust_, metrics_);
    if (view_) {
        view_->LayoutChanged();
        view_->Repaint();
    }
}

void TPaneState::SetCustData(const TCustData& data)
{
    const bool resort = status_ != kPaneNothing && !SameSortSet(data.SORTSETS, sortSet_);
    cust_ = data;
    defaultMask_ = currentMask_ = OpenMask(cust_.MASKTYPE);
    viewItems_ = cust_.VIEWITEMS;
    sortSet_ = cust_.SORTSETS;
    LookChanged();
    if (resort) Resort();
}

void TPaneState::SetViewItems(const TViewItems& items)
{
    if (SameViewItems(items, cust_.VIEWITEMS) && SameViewItems(items, viewItems_)) return;
    cust_.VIEWITEMS = items;
    viewItems_ = items;
    LookChanged();
}

void TPaneState::SetCurViewItems(const TViewItems& items)
{
    if (SameViewItems(items, viewItems_)) return;
    viewItems_ = items;
    LookChanged();
}

void TPaneState::SetSortSet(const TSortSet& set)
{
    cust_.SORTSETS = set;
    SetCurSortSet(set);
}

void TPaneState::SetCurSortSet(const TSortSet& set)
{
    if (SameSortSet(set, sortSet_)) return;
    sortSet_ = set;
    Resort();
}

void TPaneState::SetMaskType(bool wildcard)
{
    if (wildcard == cust_.MASKTYPE) return;
    cust_.MASKTYPE = wildcard;
    defaultMask_ = currentMask_ = OpenMask(wildcard);
    Reload();
}

void TPaneState::SetDefaultMask(std::string_view mask)
{
    if (cust_.MASKTYPE && !IsValidMask(mask)) return;
    if (defaultMask_ == mask && currentMask_ == mask) return;
    defaultMask_ = currentMask_ = std::string(mask);
    Reload();
}

void TPaneState::SetMask(std::string_view mask)
{
    if (cust_.MASKTYPE && !IsValidMask(mask)) return;
    if (currentMask_ == mask) return;
    currentMask_ = std::string(mask);
    Reload();
}

void TPaneState::SetDefaultAttrMask(std::string_view text)
{
    TAttrMaskList masks;
    masks.SetText(text);
    if (masks == defaultAttrMasks_ && masks == currentAttrMasks_) return;
    defaultAttrMasks_ = masks;
    currentAttrMasks_ = masks;
    if (arcType_ == 0) Reload();
}

void TPaneState::SetAttrMask(std::string_view text)
{
    TAttrMaskList masks;
    masks.SetText(text);
    if (masks == currentAttrMasks_) return;
    currentAttrMasks_ = masks;
    if (arcType_ == 0) Reload();
}

void TPaneState::SetWidth(std::int32_t& field, int n)
{
    // A negative width would make cells run backwards.
    if (n < 0 || n == field) return;
    field = n;
    LookChanged();
}

void TPaneState::SetShowIcon(int mode)
{
    if (mode == cust_.ShowIcon) return;
    cust_.ShowIcon = static_cast<std::uint8_t>(mode);
    LookChanged();
}

void TPaneState::SetFontHeight(int height)
{
    if (height == fontHeight_) return;
    fontHeight_ = height;
    LookChanged();
}

int TPaneState::ItemHeight() const
{
    int h = std::abs(fontHeight_) + 2;
    if (cust_.ShowIcon == 1) return std::max(h, 16);
    if (cust_.ShowIcon == 2) return std::max(h, 32);
    return h;
}

void TPaneState::SetDirNoExt(bool on)
{
    if (on == dirNoExt_) return;
    dirNoExt_ = on;
    Resort();
}

void TPaneState::SetShowInactiveCursor(bool on)
{
    if (on == showInactiveCursor_) return;
    showInactiveCursor_ = on;
    if (view_) view_->Repaint();
}

void TPaneState::SetUseUnderLine(bool on)
{
    if (on == cust_.UseUnderLine) return;
    cust_.UseUnderLine = on;
    if (view_) view_->Repaint();
}

TRowLayout TPaneState::LayoutRow(int i) const
{
    const TFileInfo* e = entries_.At(i);
    if (!e) return TRowLayout();
    return ::LayoutRow(*e, TRowContext{cust_, viewItems_, metrics_, dirNoExt_});
}
