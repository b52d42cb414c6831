// Conditions on the system: files and directories, the state of a key.
#include <windows.h>

#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// The attributes of a path with the critical-error boxes off (a missing
// floppy gives "no such file", not a system prompt).
DWORD QuietAttributes(const std::string& path)
{
    if (path.empty()) return INVALID_FILE_ATTRIBUTES;
    UINT saved = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD a = GetFileAttributesA(path.c_str());
    SetErrorMode(saved);
    return a;
}

bool IsDir(TKeySrc& vtl, TInitDatas& rec)
{
    std::string path = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    DWORD a = QuietAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(TKeySrc& vtl, TInitDatas& rec)
{
    std::string path = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    DWORD a = QuietAttributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
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
