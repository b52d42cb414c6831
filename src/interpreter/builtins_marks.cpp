// Marks: setting and clearing them in the active pane, one entry, every
// entry or the entries whose names match; the IsMark condition; reading
// the marked entries of either window through the run's snapshots.
#include "interpreter/keysrc.h"
#include "interpreter/marksnapshot.h"
#include "panes/entrytext.h"
#include "platform/format.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

TPaneOps& ActivePane(TKeySrc& vtl) { return vtl.Host().Panes().ActivePane(); }

// The pane ignores an index outside its list.
template <bool On>
void SetMark(TKeySrc& vtl, TInitDatas& rec)
{
    int index = vtl.ReadInt(rec);
    ActivePane(vtl).SetMark(index, On);
}

void MarkTrigger(TKeySrc& vtl, TInitDatas& rec)
{
    int index = vtl.ReadInt(rec);
    ActivePane(vtl).ToggleMark(index);
}

void RevMarkTrigger(TKeySrc& vtl, TInitDatas&) { ActivePane(vtl).InvertMarks(); }
void AllMarkTrigger(TKeySrc& vtl, TInitDatas&) { ActivePane(vtl).MarkAllFiles(); }

enum class TPatternAction { Mark, Unmark, Toggle };

// Str forms match with case, Text forms without; directories take part
// only when the number is 1.
template <TPatternAction Action, bool Exact>
void MarkMatch(TKeySrc& vtl, TInitDatas& rec)
{
    std::string pattern = vtl.ReadStr(rec);
    const bool dirsToo = vtl.ReadInt(rec) == 1;
    TPaneOps& pane = ActivePane(vtl);
    try {
        if (Action == TPatternAction::Toggle) pane.ToggleMarkByPattern(pattern, dirsToo, Exact);
        else pane.MarkByPattern(pattern, Action == TPatternAction::Mark, Exact, dirsToo);
    } catch (const EAWKStrError& e) {
        throw EGrammer(e.what());
    }
}

bool IsMark(TKeySrc& vtl, TInitDatas& rec)
{
    int index = vtl.ReadInt(rec);
    if (rec.SkipMode) return false;
    TPaneOps& pane = ActivePane(vtl);
    if (index < 0 || index >= pane.EntryCount()) throw EGrammer("Indexが範囲外です : " + IntToStr(index));
    return pane.IsMarked(index);
}

// The window's snapshot is taken before the other arguments are read, so
// marks changed by a function inside them do not change what is indexed.
template <TEntryField Field>
void GetMark(TKeySrc& vtl, TInitDatas& rec)
{
    const int window = vtl.ReadPaneWindow(rec);
    RunMarkSnapshot(vtl, rec, window);
    TVarRef target = vtl.ReadStrRef(rec);
    int index = vtl.ReadInt(rec);
    // Looked up again: such a function may have retaken it (ReloadMarkInfo).
    const TSnapshotEntries& entries = RunMarkSnapshot(vtl, rec, window);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        throw EGrammer("インデックスが不正です : " + IntToStr(index));
    vtl.WriteStrVar(target, EntryFieldText(entries[static_cast<std::size_t>(index)], Field), rec);
}

void ReloadMarkInfo(TKeySrc& vtl, TInitDatas& rec) { RetakeMarkSnapshot(vtl, rec, vtl.ReadPaneWindow(rec)); }

void Register(TDispatchTables& t)
{
    using enum TPatternAction;
    t.SetProcedure(ProcId("Mark"), SetMark<true>);
    t.SetProcedure(ProcId("Unmark"), SetMark<false>);
    t.SetProcedure(ProcId("MarkTrigger"), MarkTrigger);
    t.SetProcedure(ProcId("RevMarkTrigger"), RevMarkTrigger);
    t.SetProcedure(ProcId("AllMarkTrigger"), AllMarkTrigger);
    t.SetProcedure(ProcId("MarkMatchStr"), MarkMatch<Mark, true>);
    t.SetProcedure(ProcId("MarkMatchText"), MarkMatch<Mark, false>);
    t.SetProcedure(ProcId("UnmarkMatchStr"), MarkMatch<Unmark, true>);
    t.SetProcedure(ProcId("UnmarkMatchText"), MarkMatch<Unmark, false>);
    t.SetProcedure(ProcId("MarkMatchStrTrigger"), MarkMatch<Toggle, true>);
    t.SetProcedure(ProcId("MarkMatchTextTrigger"), MarkMatch<Toggle, false>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsMark"), IsMark);
    t.SetProcedure(ProcId("GetMarkFILENAME"), GetMark<TEntryField::FileName>);
    t.SetProcedure(ProcId("GetMarkSFILENAME"), GetMark<TEntryField::ShortName>);
    t.SetProcedure(ProcId("GetMarkATTR"), GetMark<TEntryField::Attr>);
    t.SetProcedure(ProcId("GetMarkATTRC"), GetMark<TEntryField::AttrC>);
    t.SetProcedure(ProcId("GetMarkCRDATETIME"), GetMark<TEntryField::CrDateTime>);
    t.SetProcedure(ProcId("GetMarkLWDATETIME"), GetMark<TEntryField::LwDateTime>);
    t.SetProcedure(ProcId("GetMarkACDATETIME"), GetMark<TEntryField::AcDateTime>);
    t.SetProcedure(ProcId("GetMarkFILETYPE"), GetMark<TEntryField::FileType>);
    t.SetProcedure(ProcId("ReloadMarkInfo"), ReloadMarkInfo);
    // InputRegMark waits for the marking-pattern dialog; AllMark and
    // AllUnmark have no implementation at all.
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
