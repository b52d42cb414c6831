// Conditions on the system: files and directories, the state of a key.
#include <windows.h>

#include "interpreter/keysrc.h"
#include "panes/pathutils.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

bool IsDir(TKeySrc& vtl, TInitDatas& rec)
{
    std::string path = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    return DirectoryExists(path);
}

bool IsFile(TKeySrc& vtl, TInitDatas& rec)
{
    std::string path = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    return FileExistsQuietly(path);
}

// Computed even when stepped over. A non-zero first number asks the key
// state of the input message being handled, 0 the physical state.
bool IsKeyPressed(TKeySrc& vtl, TInitDatas& rec)
{
    int fromMessage = vtl.ReadInt(rec);
    int key = vtl.ReadInt(rec);
    SHORT state = fromMessage ? GetKeyState(key) : GetAsyncKeyState(key);
    return (state & 0x8000) != 0;
}

void Register(TDispatchTables& t)
{
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsDir"), IsDir);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsFile"), IsFile);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsKeyPressed"), IsKeyPressed);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
