// Key data: choosing a key set in #PREKEY, asking for a reload at the end
// of the run, the name of the loaded file.
#include "interpreter/keysrc.h"
#include "script-format/vtlname.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

void ChangeKeySet(TKeySrc& vtl, TInitDatas& rec)
{
    std::string name = vtl.ReadStr(rec);
    if (!rec.InPreKey) throw EGrammer("ChangeKeySetは#PREKEYでのみ使用可能です");
    rec.Result = 0;
    if (SameName(name, "DEFAULT"))
        rec.KeySetName.clear();
    else if (vtl.KeySets().FindKeySet(name))
        rec.KeySetName = std::move(name);
    else
        rec.Result = 1;
}

void ReloadKeyData(TKeySrc& vtl, TInitDatas& rec)
{
    std::string file = vtl.ReadStr(rec);
    int runInit = vtl.ReadInt(rec);
    rec.ReloadRequested = true;
    rec.ReloadFile = std::move(file);
    rec.RunInitAfterReload = runInit == 1;
}

void GetNowKeyFilename(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    vtl.WriteStrVar(target, vtl.KeyFileName(), rec);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ChangeKeySet"), ChangeKeySet);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ReloadKeyData"), ReloadKeyData);
    t.SetProcedure(BuiltinId(TBuiltinKind::SysProc, "GetNowKeyFilename"), GetNowKeyFilename);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
