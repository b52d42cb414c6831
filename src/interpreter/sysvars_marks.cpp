// System variables of the panes' current mark totals (not the run's
// snapshots).
#include "interpreter/keysrc.h"
#include "panes/paneops.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

std::int64_t MarkNum(TKeySrc& vtl, TInitDatas&) { return vtl.Host().Panes().ActivePane().MarkedCount(); }
std::int64_t AltMarkNum(TKeySrc& vtl, TInitDatas&) { return vtl.Host().Panes().OtherPane().MarkedCount(); }

// Only a pane that lists something has a mark total.
std::int64_t TotalMarkSize(TKeySrc& vtl, TInitDatas& rec)
{
    TPaneOps& pane = vtl.Host().Panes().Pane(vtl.ReadSysArrayWindow(rec));
    return pane.PaneStatus() == kPaneListed ? pane.MarkedSize() : 0;
}

void Register(TDispatchTables& t)
{
    t.SetSysNum(BuiltinId(TBuiltinKind::SysNum, "#_MARKNUM"), MarkNum);
    t.SetSysNum(BuiltinId(TBuiltinKind::SysNum, "#_ALTMARKNUM"), AltMarkNum);
    t.SetSysNumArray(BuiltinId(TBuiltinKind::SysNumArray, "#_TOTALMARKSIZE"), TotalMarkSize);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
