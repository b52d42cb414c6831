// The histories shared by every running VELK: adding a line, replacing a
// whole list, reading the lists and the count of running copies.
#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

enum : int { kDirectories = 1, kExecutions = 2, kRegExps = 3 };

// An empty text adds nothing.
template <int List>
void AddHist(TKeySrc& vtl, TInitDatas& rec)
{
    std::string line = vtl.ReadStr(rec);
    if (!line.empty()) vtl.Host().Histories().AddHistory(List, line);
}

template <int List>
void SetHist(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    vtl.Host().Histories().SetHistory(List, text);
}

template <int List>
std::string History(TKeySrc& vtl, TInitDatas&)
{
    return vtl.Host().Histories().History(List);
}

std::int64_t InstanceCount(TKeySrc& vtl, TInitDatas&) { return vtl.Host().Histories().InstanceCount(); }
std::int64_t InstanceNumber(TKeySrc& vtl, TInitDatas&) { return vtl.Host().Histories().InstanceNumber(); }

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("AddDirHist"), AddHist<kDirectories>);
    t.SetProcedure(ProcId("AddExecHist"), AddHist<kExecutions>);
    t.SetProcedure(ProcId("AddRegHist"), AddHist<kRegExps>);
    t.SetProcedure(ProcId("SetDirHist"), SetHist<kDirectories>);
    t.SetProcedure(ProcId("SetExecHist"), SetHist<kExecutions>);
    t.SetProcedure(ProcId("SetRegHist"), SetHist<kRegExps>);
    t.SetSysStr(BuiltinId(TBuiltinKind::SysStr, "$_DIRHIST"), History<kDirectories>);
    t.SetSysStr(BuiltinId(TBuiltinKind::SysStr, "$_EXECHIST"), History<kExecutions>);
    t.SetSysStr(BuiltinId(TBuiltinKind::SysStr, "$_REGHIST"), History<kRegExps>);
    t.SetSysNum(BuiltinId(TBuiltinKind::SysNum, "#_VELKCOUNT"), InstanceCount);
    t.SetSysNum(BuiltinId(TBuiltinKind::SysNum, "#_VELKINDEX"), InstanceNumber);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
