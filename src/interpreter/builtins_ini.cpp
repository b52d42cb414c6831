// INI files named by the program: reading keys with defaults, and writing
// one key with the file saved at once (every other line kept as it was).
#include "interpreter/keysrc.h"
#include "platform/inifile.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// T S S S S: file, section, key, default.
void GetIniDataStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string file = vtl.ReadStr(rec);
    std::string section = vtl.ReadStr(rec);
    std::string key = vtl.ReadStr(rec);
    std::string def = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, TMemIniFile(file).ReadString(section, key, def), rec);
}

void GetIniDataInt(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string file = vtl.ReadStr(rec);
    std::string section = vtl.ReadStr(rec);
    std::string key = vtl.ReadStr(rec);
    std::int32_t def = vtl.ReadInt(rec);
    vtl.WriteNumVar(target, rec, TMemIniFile(file).ReadInteger(section, key, def));
}

// #_RESULT 0, or 1 when the key could not be written. A file that exists
// but cannot be read is left alone: saving what was read would lose it.
template <class TWrite>
void WriteKey(TInitDatas& rec, const std::string& file, TWrite write)
{
    TMemIniFile ini(file);
    // Reading again tells whether a file that exists could be read.
    rec.Result = ini.Load() && write(ini) && ini.Save() ? 0 : 1;
}

void SetIniDataStr(TKeySrc& vtl, TInitDatas& rec)
{
    std::string file = vtl.ReadStr(rec);
    std::string section = vtl.ReadStr(rec);
    std::string key = vtl.ReadStr(rec);
    std::string value = vtl.ReadStr(rec);
    WriteKey(rec, file, [&](TMemIniFile& ini) { return ini.WriteString(section, key, value); });
}

void SetIniDataInt(TKeySrc& vtl, TInitDatas& rec)
{
    std::string file = vtl.ReadStr(rec);
    std::string section = vtl.ReadStr(rec);
    std::string key = vtl.ReadStr(rec);
    std::int32_t value = vtl.ReadInt(rec);
    WriteKey(rec, file, [&](TMemIniFile& ini) { return ini.WriteInteger(section, key, value); });
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("GetIniDataStr"), GetIniDataStr);
    t.SetProcedure(ProcId("GetIniDataInt"), GetIniDataInt);
    t.SetProcedure(ProcId("SetIniDataStr"), SetIniDataStr);
    t.SetProcedure(ProcId("SetIniDataInt"), SetIniDataInt);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
