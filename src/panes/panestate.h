#pragma once
// The state of one file pane without its window: what is listed, the
// entries and their marks, filters, sort order, display settings and the
// notifications to the main window. The pane control draws it; directory
// reading fills it through a lister.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "panes/attrmask.h"
#include "panes/custdata.h"
#include "panes/itemformat.h"
#include "panes/paneops.h"
#include "panes/uboxarclist.h"
#include "panes/uboxlist.h"
#include "platform/awkstr.h"

class TPaneState;
class TUNCLBoxMarkHash;

// What the window does for the state: repaint rows, hold painting during
// bulk changes, follow changes of the column width, item height or colour.
class TPaneView {
public:
    virtual ~TPaneView() = default;
    virtual void RedrawItem(int index) = 0;
    virtual void Repaint() = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void LayoutChanged() = 0;
};

// One reading of a listing: the entries (in reading order), the status and
// the sum of the sizes that the status bar shows.
struct TListing {
    TUBoxList entries;
    int status = kPaneListed;
    std::int64_t totalSize = 0;
};

// Reads the pane's current listing again (directory, drive list, share
// list, or the current directory of the open archive, with the pane's
// filters).
class TPaneLister {
public:
    virtual ~TPaneLister() = default;
    virtual TListing ReadListing(const TPaneState& pane) = 0;
};

class TPaneState : public TPaneOps {
public:
    using TPaneEvent = std::function<void(TPaneState&)>;

    // A fresh pane: nothing listed, masks open for the mask type of cust.
    explicit TPaneState(const TCustData& cust = TCustData());
    ~TPaneState() override;
    TPaneState(const TPaneState&) = delete;
    TPaneState& operator=(const TPaneState&) = delete;

    void SetView(TPaneView* view) { view_ = view; }
    void SetLister(TPaneLister* lister) { lister_ = lister; }
    // Measures the font for the column width; nullptr keeps the last figures.
    void SetMeasure(const TTextMeasure* measure);

    TPaneEvent OnDirInfo;   // after every change of directory, reload or refresh
    TPaneEvent OnFileInfo;  // whenever the cursor entry is drawn with focus
    TPaneEvent OnMarkInfo;  // after marks change

    // --- what is listed
    const std::string& PanePath() const { return panePath_; }
    const std::string& ArcInnerPath() const { return arcInnerPath_; }
    int ArcType() const { return arcType_; }
    const std::string& ArcTypeName() const { return arcTypeName_; }
    void SetLocation(std::string panePath, int arcType = 0, std::string arcInnerPath = {},
                     std::string arcTypeName = {});
    // PanePath with exactly one trailing backslash (empty for an empty path),
    // and without one.
    std::string DirPathWithSlash() const;
    std::string DirPathWithoutSlash() const;
    TUBoxArcList& ArcTree() { return arcTree_; }
    const TUBoxArcList& ArcTree() const { return arcTree_; }

    // A new listing (a change of directory): no marks; the cursor on the
    // entry named cursorName when there is one, else on the first entry.
    void ShowListing(TListing listing, std::string_view cursorName = {});
    // Reads the listing again through the lister, keeping marks, cursor and
    // top line; nothing without a lister.
    void Reload();
    // Sorts again, keeping marks, cursor and top line.
    void Resort();
    // Takes over a listing read elsewhere as Reload would.
    void TakeOverListing(TListing listing);
    // Takes over a listing only when it differs from the shown one; true
    // when it did.
    bool ReplaceIfChanged(TListing listing);

    // --- queries
    int EntryCount() const override { return entries_.Count(); }
    int PaneStatus() const override { return status_; }
    const TFileInfo* EntryAt(int i) const override { return entries_.At(i); }
    const TFileInfo* CurrentEntry() override;
    std::string EntryName(int i) const;
    std::string CurrentName();
    const TUBoxList& Entries() const { return entries_; }
    std::int64_t TotalSize() const { return totalSize_; }
    // The one line the list shows instead of entries ("-No Files-", ...);
    // empty while there are entries.
    std::string StatusText() const;

    // --- marks
    bool IsMarked(int i) const override;
    int MarkedCount() const override { return markedCount_; }
    std::int64_t MarkedSize() const override { return markedSize_; }
    bool WildcardMasks() const override { return cust_.MASKTYPE; }
    void SetMark(int i, bool on) override;
    void ToggleMark(int i) override;
    void InvertMarks() override;
    void MarkAllFiles() override;
    void MarkByPattern(std::string_view pattern, bool on, bool exact, bool dirsToo) override;
    void ToggleMarkByPattern(std::string_view pattern, bool dirsToo, bool exact) override;

    // --- cursor and geometry (the list box's)
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int i) { itemIndex_ = i; }
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int i) { topIndex_ = i; }
    // Rows and columns that fit the window (each at least 1).
    void SetGeometry(int rows, int columns);
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    int Page() const { return rows_ * columns_; }
    bool IsVisible(int i) const { return i >= topIndex_ && i < topIndex_ + Page(); }

    // --- settings
    const TCustData& CustData() const { return cust_; }
    void SetCustData(const TCustData& data);
    const TViewItems& ViewItems() const { return viewItems_; }
    void SetViewItems(const TViewItems& items);     // default and current
    void SetCurViewItems(const TViewItems& items);  // current only
    const TSortSet& SortSet() const { return sortSet_; }
    void SetSortSet(const TSortSet& set);
    void SetCurSortSet(const TSortSet& set);
    void SetMaskType(bool wildcard);
    const std::string& DefaultMask() const { return defaultMask_; }
    const std::string& CurrentMask() const { return currentMask_; }
    void SetDefaultMask(std::string_view mask);
    void SetMask(std::string_view mask);
    const TAttrMaskList& DefaultAttrMasks() const { return defaultAttrMasks_; }
    const TAttrMaskList& CurrentAttrMasks() const { return currentAttrMasks_; }
    // Raise EAttrMaskError for an invalid text and change nothing then.
    void SetDefaultAttrMask(std::string_view text);
    void SetAttrMask(std::string_view text);
    // Column widths in display characters; negative values are ignored.
    void SetLongNameLen(int n) { SetWidth(cust_.LONGNAMELEN, n); }
    void SetFileNameLen(int n) { SetWidth(cust_.FILENAMELEN, n); }
    void SetExtLen(int n) { SetWidth(cust_.EXTLEN, n); }
    void SetKeta(int n) { SetWidth(cust_.KETA, n); }
    void SetCompKeta(int n) { SetWidth(cust_.COMPKETA, n); }
    void SetShowIcon(int mode);
    // The font's height in pixels (its sign does not matter).
    void SetFontHeight(int height);
    bool DirNoExt() const { return dirNoExt_; }
    void SetDirNoExt(bool on);
    bool ShowInactiveCursor() const { return showInactiveCursor_; }
    void SetShowInactiveCursor(bool on);
    void SetUseUnderLine(bool on);

    // --- display
    const TPaneMetrics& Metrics() const { return metrics_; }
    int CharWidth() const { return metrics_.charWidth; }
    int ColumnWidth() const { return columnWidth_; }
    // |font height| + 2, at least 16 with small icons and 32 with large ones.
    int ItemHeight() const;
    // The cells of entry i's row; an empty layout for an invalid index.
    TRowLayout LayoutRow(int i) const;

private:
    class TBulkMarks;
    using TReadStep = std::function<void()>;

    bool MarkEntry(int i, bool on);
    void FireMarkInfo();
    template <class NewMark>
    void MarkMatching(std::string_view pattern, bool exact, bool dirsToo, NewMark newMark);
    void ReloadWith(const TReadStep& read, bool keepMarks);
    void Adopt(TListing listing);
    void Remark(TUNCLBoxMarkHash& store);
    int FindEntry(std::string_view name) const;
    void RestoreFilterMatcher();
    void SetWidth(std::int32_t& field, int n);
    void LookChanged();

    TCustData cust_;
    TUBoxList entries_;
    TUBoxList retired_;  // the entries a reload replaced, until it is done
    TUBoxArcList arcTree_;
    std::string panePath_, arcInnerPath_, arcTypeName_;
    int arcType_ = 0;
    int status_ = kPaneNothing;
    int markedCount_ = 0;
    std::int64_t markedSize_ = 0, totalSize_ = 0;
    std::string defaultMask_, currentMask_;
    TAttrMaskList defaultAttrMasks_, currentAttrMasks_;
    TSortSet sortSet_;
    TViewItems viewItems_;
    bool dirNoExt_ = false;
    bool showInactiveCursor_ = false;
    TAWKStr filterMatcher_;  // the name filter's, borrowed by pattern marking

    const TTextMeasure* measure_ = nullptr;
    TPaneMetrics metrics_;
    int columnWidth_ = 0;
    int fontHeight_ = 0;

    int itemIndex_ = -1, topIndex_ = 0, rows_ = 1, columns_ = 1;
    int bulk_ = 0;  // bulk mark changes repaint and notify once at their end

    TPaneView* view_ = nullptr;
    TPaneLister* lister_ = nullptr;
};
