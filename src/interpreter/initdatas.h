#pragma once
// The run record: the context of one binding run, shared by every routine
// the run calls. A routine call exchanges only its twelve variable lists.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "interpreter/userlists.h"

// A variable named by compiled code: its operand code and, for an array
// element, the subscript (0 for scalars).
struct TVarRef {
    std::int32_t code = 0;
    std::int32_t index = 0;
};

// The lists of one routine activation; absent lists are empty pointers.
struct TFrameLists {
    std::unique_ptr<TUserNumList> LocalNums, ArgNums, VarArgNums;
    std::unique_ptr<TUserStrList> LocalStrs, ArgStrs, VarArgStrs;
    std::unique_ptr<TUserAryNumList> LocalNumArrays, ArgNumArrays, VarArgNumArrays;
    std::unique_ptr<TUserAryStrList> LocalStrArrays, ArgStrArrays, VarArgStrArrays;

    void FreeLocals()
    {
        LocalNums.reset();
        LocalStrs.reset();
        LocalNumArrays.reset();
        LocalStrArrays.reset();
    }
    bool HasLocals() const { return LocalNums || LocalStrs || LocalNumArrays || LocalStrArrays; }
};

// What a mark-list builtin noted of a pane for the rest of the run; the
// pane builtins define its content. Freed when the run ends.
class TMarkSnapshot {
public:
    virtual ~TMarkSnapshot() = default;
};

enum TKeyMode : std::int32_t {
    kmCharKey = 0,
    kmKey = 1,
    kmMouse = 2,
    kmEvent = 3,
    kmInit = 10,
    kmDone = 11,
};

constexpr int kArchiverLibraryCount = 15;

struct TInitDatas {
    std::int32_t StartIndex = 0;
    std::int32_t KeyMode = 0;
    std::int32_t KeyCode = 0;
    std::int32_t RStart = 0;
    std::int32_t RLength = 0;
    std::int64_t Result = 0;
    std::string ArcResult;
    std::unique_ptr<TMarkSnapshot> MarkSnapshot1, MarkSnapshot2;
    bool ReloadRequested = false;
    std::string ReloadFile;
    std::string KeySetName;
    TFrameLists Frame;
    bool AltKey = false, CtrlKey = false, ShiftKey = false;
    bool LBtnKey = false, MBtnKey = false, RBtnKey = false;
    bool RunInitAfterReload = false;
    bool SkipMode = false;
    std::array<bool, kArchiverLibraryCount> ArcUsed{};
    bool InPreKey = true;
    std::int32_t MouseX = 0;
    std::int32_t MouseY = 0;
    std::int64_t RaiseNum = 0;
    std::string RaiseStr;
    std::int64_t FuncNumResult = 0;
    std::string FuncStrResult;
    bool FuncBoolResult = false;
};

// The record's own values, which a function called inside an expression
// must leave as they were. What the run releases at its end (the library
// flags, the mark snapshots) is not among them: it stays with the record.
struct TRecordValues {
    explicit TRecordValues(const TInitDatas& r)
        : Result(r.Result), RStart(r.RStart), RLength(r.RLength), ArcResult(r.ArcResult), KeySetName(r.KeySetName),
          RaiseNum(r.RaiseNum), RaiseStr(r.RaiseStr), ReloadRequested(r.ReloadRequested), ReloadFile(r.ReloadFile),
          RunInitAfterReload(r.RunInitAfterReload)
    {
    }
    void RestoreTo(TInitDatas& r)
    {
        r.Result = Result;
        r.RStart = RStart;
        r.RLength = RLength;
        r.ArcResult = std::move(ArcResult);
        r.KeySetName = std::move(KeySetName);
        r.RaiseNum = RaiseNum;
        r.RaiseStr = std::move(RaiseStr);
        r.ReloadRequested = ReloadRequested;
        r.ReloadFile = std::move(ReloadFile);
        r.RunInitAfterReload = RunInitAfterReload;
    }

    std::int64_t Result;
    std::int32_t RStart, RLength;
    std::string ArcResult, KeySetName;
    std::int64_t RaiseNum;
    std::string RaiseStr;
    bool ReloadRequested;
    std::string ReloadFile;
    bool RunInitAfterReload;
};
