// Control builtins: they leave blocks, loops, routines or the run.
#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

void Break(TKeySrc&, TInitDatas&) { throw EExitSentence(); }
void Exit(TKeySrc&, TInitDatas&) { throw EExitVTL(); }
void ExitLoop(TKeySrc&, TInitDatas&) { throw EExitLoop(); }
void ExitProc(TKeySrc&, TInitDatas&) { throw EExitProc(); }
void Continue(TKeySrc&, TInitDatas&) { throw EContinue(); }

void Return(TKeySrc& vtl, TInitDatas& rec)
{
    rec.Result = vtl.ReadNum(rec);
    throw EExitProc("#_RESULTにセット後、#SUB又は#KEYを抜ける");
}

void Raise(TKeySrc& vtl, TInitDatas& rec)
{
    std::string text = vtl.ReadStr(rec);
    std::int64_t number = vtl.ReadNum(rec);
    rec.RaiseStr = std::move(text);
    rec.RaiseNum = number;
    throw EUserRaise();
}

// The typed Return words of #FUNC bodies.
void ReturnInt(TKeySrc& vtl, TInitDatas& rec)
{
    rec.FuncNumResult = vtl.ReadNum(rec);
    throw ERetFunc();
}

void ReturnStr(TKeySrc& vtl, TInitDatas& rec)
{
    rec.FuncStrResult = vtl.ReadStr(rec);
    throw ERetFunc();
}

void ReturnBool(TKeySrc& vtl, TInitDatas& rec)
{
    rec.FuncBoolResult = vtl.ReadBool(rec);
    throw ERetFunc();
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Break"), Break);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Exit"), Exit);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ExitLoop"), ExitLoop);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ExitProc"), ExitProc);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Return"), Return);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Continue"), Continue);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Raise"), Raise);
    t.SetProcedure(bc::bcReturnInt, ReturnInt);
    t.SetProcedure(bc::bcReturnStr, ReturnStr);
    t.SetProcedure(bc::bcReturnBool, ReturnBool);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
