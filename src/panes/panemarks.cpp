// The marking operations of a pane and the keeping of marks over a reload.
#include "panes/markstore.h"
#include "panes/panestate.h"
#include "platform/orumask.h"
#include "platform/sjis.h"

// Holds painting and the per-entry notifications while many marks change;
// Finish repaints once and reports the new totals once.
class TPaneState::TBulkMarks {
public:
    explicit TBulkMarks(TPaneState& pane) : pane_(pane)
    {
        if (pane_.view_) pane_.view_->BeginUpdate();
        ++pane_.bulk_;
    }
    ~TBulkMarks()
    {
        --pane_.bulk_;
        if (pane_.view_) pane_.view_->EndUpdate();
    }
    void Finish()
    {
        if (pane_.view_) pane_.view_->Repaint();
        pane_.FireMarkInfo();
    }

private:
    TPaneState& pane_;
};

void TPaneState::FireMarkInfo()
{
    if (OnMarkInfo) OnMarkInfo(*this);
}

bool TPaneState::IsMarked(int i) const
{
    const TFileInfo* e = entries_.At(i);
    return e && !e->IsSpecial() && e->Marked;
}

bool TPaneState::MarkEntry(int i, bool on)
{
    TFileInfo* e = entries_.At(i);
    if (!e || e->IsSpecial() || e->Marked == on) return false;
    e->Marked = on;
    markedCount_ += on ? 1 : -1;
    markedSize_ += on ? e->Size : -e->Size;
    if (bulk_ == 0) {
        if (view_ && IsVisible(i)) view_->RedrawItem(i);
        FireMarkInfo();
    }
    return true;
}

void TPaneState::SetMark(int i, bool on) { MarkEntry(i, on); }

void TPaneState::ToggleMark(int i)
{
    if (const TFileInfo* e = entries_.At(i)) MarkEntry(i, !e->Marked);
}

void TPaneState::InvertMarks()
{
    if (entries_.Empty()) return;
    TBulkMarks bulk(*this);
    for (int i = 0; i < entries_.Count(); ++i) MarkEntry(i, !entries_[i].Marked);
    bulk.Finish();
}

void TPaneState::MarkAllFiles()
{
    if (entries_.Empty()) return;
    TBulkMarks bulk(*this);
    const bool clear = markedCount_ > 0;
    for (int i = 0; i < entries_.Count(); ++i) {
        if (clear) MarkEntry(i, false);
        else if (!entries_[i].IsDirectory()) MarkEntry(i, true);
    }
    bulk.Finish();
}

void TPaneState::RestoreFilterMatcher()
{
    try {
        filterMatcher_.SetPattern(SjisLowerCase(defaultMask_));
    } catch (const EAWKStrError&) {
        // An invalid default mask keeps the matcher's last pattern; every
        // reading compiles the filter afresh anyway.
    }
}

template <class NewMark>
void TPaneState::MarkMatching(std::string_view pattern, bool exact, bool dirsToo, NewMark newMark)
{
    if (entries_.Empty()) return;
    TBulkMarks bulk(*this);
    auto apply = [&](int i, bool matched) {
        const TFileInfo& e = entries_[i];
        if (matched && (dirsToo || !e.IsDirectory())) MarkEntry(i, newMark(e.Marked));
    };
    if (cust_.MASKTYPE) {
        TOruMaskList masks(pattern, exact);
        for (int i = 0; i < entries_.Count(); ++i) {
            bool matched;
            try {
                matched = masks.Match(entries_[i].FileName());
            } catch (const EOruMatchError&) {
                matched = false;  // a mask the matcher rejects takes no name
            }
            apply(i, matched);
        }
    } else {
        try {
            // Lower-casing steps over double-byte characters: a trail byte
            // that looks like a capital letter stays as it is.
            filterMatcher_.SetPattern(exact ? std::string(pattern) : SjisLowerCase(pattern));
            for (int i = 0; i < entries_.Count(); ++i) {
                const TFileInfo& e = entries_[i];
                apply(i, filterMatcher_.Match(exact ? e.FileName() : e.LowerName()).Found());
            }
        } catch (...) {
            RestoreFilterMatcher();
            throw;
        }
        RestoreFilterMatcher();
    }
    bulk.Finish();
}

void TPaneState::MarkByPattern(std::string_view pattern, bool on, bool exact, bool dirsToo)
{
    MarkMatching(pattern, exact, dirsToo, [on](bool) { return on; });
}

void TPaneState::ToggleMarkByPattern(std::string_view pattern, bool dirsToo, bool exact)
{
    MarkMatching(pattern, exact, dirsToo, [](bool marked) { return !marked; });
}

void TPaneState::Remark(TUNCLBoxMarkHash& store)
{
    TBulkMarks bulk(*this);
    // First the names exactly as they were marked; the scan ends as soon as
    // all of them are found.
    int found = 0;
    for (int i = 0; i < entries_.Count() && found < store.Count(); ++i) {
        const std::string& name = entries_[i].FileName();
        TMarkSlot* slot = store.Find(name);
        if (!slot || !slot->Holds(name)) continue;
        slot->exactSeen = true;
        ++found;
        MarkEntry(i, true);
    }
    if (found == store.Count()) return;
    // Then the names whose case changed: an entry takes the mark of a key
    // none of whose names is listed any more as it was.
    for (int i = 0; i < entries_.Count(); ++i) {
        if (entries_[i].Marked) continue;
        TMarkSlot* slot = store.Find(entries_[i].FileName());
        if (slot && !slot->exactSeen) MarkEntry(i, true);
    }
}
