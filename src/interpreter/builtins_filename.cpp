// File names: long, short, UNC and relative forms, splits, completion with
// the UNC rules for "." and "..", levels of a path, and the shell's special
// folders. Every path is first completed to a full path against the
// current directory.
#include <windows.h>

#include <shlobj.h>
#include <winnetwk.h>

#include "interpreter/filenames.h"
#include "interpreter/keysrc.h"
#include "panes/pathutils.h"
#include "platform/sjis.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

std::string LongName(const std::string& full)
{
    try {
        return CanonicalPath(full);
    } catch (const EInOutError&) {
        return full;
    }
}

bool IsDrivePath(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }

// A drive letter made by the system's drive substitution stands for this
// path; otherwise the path itself.
std::string WithoutSubstitution(const std::string& full)
{
    if (!IsDrivePath(full)) return full;
    char target[MAX_PATH + 8] = {};
    const std::string drive = full.substr(0, 2);
    if (!QueryDosDeviceA(drive.c_str(), target, sizeof target)) return full;
    std::string_view t = target;
    if (t.substr(0, 4) != "\\??\\" || t.size() < 6 || t[5] != ':') return full;
    return SjisExcludeTrailingBackslash(t.substr(4)) + full.substr(2);
}

std::string ShortName(const std::string& full)
{
    std::string out(MAX_PATH, '\0');
    TCriticalErrorsOff quiet;
    for (;;) {
        DWORD n = GetShortPathNameA(full.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0) return full;
        if (n < out.size()) {
            out.resize(n);
            return out;
        }
        out.assign(n, '\0');
    }
}

std::string UNCName(const std::string& full)
{
    if (!IsDrivePath(full) || GetDriveTypeA(VolumeRoot(full).c_str()) != DRIVE_REMOTE) return full;
    alignas(UNIVERSAL_NAME_INFOA) char buf[2048];
    DWORD size = sizeof buf;
    if (WNetGetUniversalNameA(full.c_str(), UNIVERSAL_NAME_INFO_LEVEL, buf, &size) != NO_ERROR) return full;
    return reinterpret_cast<UNIVERSAL_NAME_INFOA*>(buf)->lpUniversalName;
}

template <std::string (*Form)(const std::string&)>
void NameForm(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string path = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, Form(ExpandPath(path)), rec);
}

std::string LongNameEx(const std::string& full) { return LongName(WithoutSubstitution(full)); }

void GetRelativeName(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string base = vtl.ReadStr(rec);
    std::string path = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, RelativeName(ExpandPath(base), ExpandPath(path)), rec);
}

void DivPathAndNameProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef dirTarget = vtl.ReadStrRef(rec);
    TVarRef nameTarget = vtl.ReadStrRef(rec);
    std::string path = vtl.ReadStr(rec);
    TPathAndName parts = DivPathAndName(ExpandPath(path));
    vtl.WriteStrVar(dirTarget, std::move(parts.dir), rec);
    vtl.WriteStrVar(nameTarget, std::move(parts.name), rec);
}

void DivNameAndExtProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef nameTarget = vtl.ReadStrRef(rec);
    TVarRef extTarget = vtl.ReadStrRef(rec);
    std::string full = ExpandPath(vtl.ReadStr(rec));
    // Directories keep their whole name while the active pane does not split them.
    const bool whole = vtl.Host().Panes().ActivePaneDirNoExt() && DirectoryExists(full);
    TNameAndExt parts = DivNameAndExt(full, whole);
    vtl.WriteStrVar(nameTarget, std::move(parts.name), rec);
    vtl.WriteStrVar(extTarget, std::move(parts.ext), rec);
}

// T S N: with N not 0 a ".." of a UNC path climbs above its share and server.
void ExpandFilename(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string path = vtl.ReadStr(rec);
    bool climb = vtl.ReadInt(rec) != 0;
    vtl.WriteStrVar(target, ExpandPath(path, climb), rec);
}

void ExtractDir(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string path = vtl.ReadStr(rec);
    int level = vtl.ReadInt(rec);
    vtl.WriteStrVar(target, ExtractDirLevel(ExpandPath(path), level), rec);
}

// #_RESULT 0 and T written, or 1 when the folder has no path.
void SpecialDir(TKeySrc& vtl, TInitDatas& rec, TVarRef target, int csidl)
{
    char path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) || !path[0]) {
        rec.Result = 1;
        return;
    }
    vtl.WriteStrVar(target, path, rec);
    rec.Result = 0;
}

void GetSpecialDir(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    int which = vtl.ReadInt(rec);
    int csidl = which == 1 ? CSIDL_PROGRAMS : which == 2 ? CSIDL_STARTUP : which == 16 ? CSIDL_STARTMENU
                                                                                        : CSIDL_DESKTOPDIRECTORY;
    SpecialDir(vtl, rec, target, csidl);
}

void GetSPecialDirEx(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    int csidl = vtl.ReadInt(rec);
    SpecialDir(vtl, rec, target, csidl);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("GetLongName"), NameForm<LongName>);
    t.SetProcedure(ProcId("GetLongNameEx"), NameForm<LongNameEx>);
    t.SetProcedure(ProcId("GetShortName"), NameForm<ShortName>);
    t.SetProcedure(ProcId("GetUNCName"), NameForm<UNCName>);
    t.SetProcedure(ProcId("GetRelativeName"), GetRelativeName);
    t.SetProcedure(ProcId("DivPathAndName"), DivPathAndNameProc);
    t.SetProcedure(ProcId("DivNameAndExt"), DivNameAndExtProc);
    t.SetProcedure(ProcId("ExpandFilename"), ExpandFilename);
    t.SetProcedure(ProcId("ExtractDir"), ExtractDir);
    t.SetProcedure(ProcId("GetSpecialDir"), GetSpecialDir);
    t.SetProcedure(ProcId("GetSPecialDirEx"), GetSPecialDirEx);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
