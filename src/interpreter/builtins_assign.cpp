// The assignment builtins that statements compile to, and their kin.
#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

void SetNum(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::int64_t v = vtl.ReadNum(rec);
    vtl.WriteNumVar(target, rec, v);
}

void CalcNum(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::int64_t a = vtl.ReadNum(rec);
    std::int32_t op = vtl.ReadOperator();
    std::int64_t b = vtl.ReadNum(rec);
    vtl.WriteNumVar(target, rec, TKeySrc::Calculate(a, op, b));
}

void NotNum(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::int64_t v = vtl.ReadNum(rec);
    vtl.WriteNumVar(target, rec, ~v);
}

void IncNum(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    vtl.WriteNumVar(target, rec, TKeySrc::Calculate(vtl.ReadNumVar(target, rec), bc::bcOpAdd, 1));
}

void DecNum(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    vtl.WriteNumVar(target, rec, TKeySrc::Calculate(vtl.ReadNumVar(target, rec), bc::bcOpSub, 1));
}

void SetResult(TKeySrc& vtl, TInitDatas& rec) { rec.Result = vtl.ReadNum(rec); }

void SetStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string v = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, std::move(v), rec);
}

void AddStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string joined;
    for (const std::string& s : vtl.ReadStrList(rec)) joined += s;
    vtl.WriteStrVar(target, std::move(joined), rec);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "SetNum"), SetNum);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "CalcNum"), CalcNum);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "NotNum"), NotNum);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "IncNum"), IncNum);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "DecNum"), DecNum);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "SetResult"), SetResult);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "SetStr"), SetStr);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "AddStr"), AddStr);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
