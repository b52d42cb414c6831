// Calls of user routines: arguments are bound in the caller's frame, the
// body runs in a frame of its own, VAR arguments are copied back whatever
// ended the body.
#include "interpreter/keysrc.h"
#include "platform/format.h"

namespace {

struct TRoutineTexts {
    const char* badIndex;
    const char* noCodeBefore;  // + name +
    const char* noCodeAfter;
};

TRoutineTexts TextsOf(TRoutineKind kind)
{
    switch (kind) {
    case TRoutineKind::Sub: return {"サブルーチンインデックスが不正 : ", "サブルーチン ", " のコードが見つからない"};
    case TRoutineKind::NumFunc:
        return {"ユーザー定義関数(数字)インデックスが不正 : ", "ユーザー定義関数 ", " のコードが見つからない"};
    case TRoutineKind::StrFunc:
        return {"ユーザー定義関数(文字列)インデックスが不正 : ", "ユーザー定義関数 ", " のコードが見つからない"};
    case TRoutineKind::BoolFunc:
        return {"ユーザー定義関数(論理値)インデックスが不正 : ", "ユーザー定義関数 ", " のコードが見つからない"};
    case TRoutineKind::Dialog:
        return {"ユーザー定義ダイアログインデックスが不正 : ", "ユーザー定義ダイアログ ", " のコードが見つからない"};
    }
    return {};
}

// Restores a #FUNC's result slot around its body.
template <class T>
class TSlotScope {
public:
    explicit TSlotScope(T& slot) : slot_(slot), saved_(std::move(slot)) { slot_ = T{}; }
    ~TSlotScope() { slot_ = std::move(saved_); }
    TSlotScope(const TSlotScope&) = delete;
    TSlotScope& operator=(const TSlotScope&) = delete;
    T Take() { return std::move(slot_); }

private:
    T& slot_;
    T saved_;
};

// A function body runs in normal mode even when called from a stepped-over
// condition's argument.
class TNormalModeScope {
public:
    explicit TNormalModeScope(TInitDatas& rec) : rec_(rec), saved_(rec.SkipMode) { rec.SkipMode = false; }
    ~TNormalModeScope() { rec_.SkipMode = saved_; }
    TNormalModeScope(const TNormalModeScope&) = delete;
    TNormalModeScope& operator=(const TNormalModeScope&) = delete;

private:
    TInitDatas& rec_;
    bool saved_;
};

}  // namespace

const TUserSubProc& TKeySrc::Routine(TRoutineKind kind, std::int32_t word)
{
    // #SUB call words count from 1, the others from 0.
    const int number = bc::IndexOf(word);
    const int position = kind == TRoutineKind::Sub ? number - 1 : number;
    const TUserSubProcList* list = nullptr;
    switch (kind) {
    case TRoutineKind::Sub: list = &SubProcs; break;
    case TRoutineKind::NumFunc: list = &NumFuncs; break;
    case TRoutineKind::StrFunc: list = &StrFuncs; break;
    case TRoutineKind::BoolFunc: list = &BoolFuncs; break;
    case TRoutineKind::Dialog: list = &Dialogs; break;
    }
    const TRoutineTexts t = TextsOf(kind);
    if (position < 0 || static_cast<std::size_t>(position) >= list->size()) throw EGrammer(t.badIndex + IntToStr(number));
    const TUserSubProc& r = (*list)[static_cast<std::size_t>(position)];
    if (r.CodeOffset < 0) throw EGrammer(t.noCodeBefore + r.Name + t.noCodeAfter);
    return r;
}

void TKeySrc::ReadTerminator(TRoutineKind kind, const TUserSubProc& routine)
{
    std::int32_t t;
    const bool read = code_.TryWord(t);
    switch (kind) {
    case TRoutineKind::Sub:
        if (!read) throw EGrammer("サブルーチンのターミネータが読めない");
        if (t != 0) throw EGrammer("サブルーチンのターミネータがありません : " + Hex8(t));
        return;
    case TRoutineKind::Dialog:
        if (!read) throw EGrammer("ユーザー定義ダイアログのターミネータが読めない");
        if (t != 0) throw EGrammer("ユーザー定義ダイアログのターミネータがありません : " + Hex8(t));
        return;
    default:
        if (!read) throw EGrammer("ユーザー定義関数 " + routine.Name + " のターミネータが読めない");
        if (t != 0) throw EGrammer("ユーザー定義関数 " + routine.Name + " のターミネータがありません : " + Hex8(t));
        return;
    }
}

template <class TNormalEnd>
void TKeySrc::RunBody(const TUserSubProc& routine, TFrameLists& args, TInitDatas& rec)
{
    if (callDepth_ >= kMaxCallDepth)
        throw EGrammer("ルーチンの呼び出しが深すぎます (上限 " + IntToStr(kMaxCallDepth) + " 段) : " + routine.Name);
    ++callDepth_;
    const std::size_t back = code_.Position();
    EnterFrame(rec, args);
    try {
        code_.SetPosition(static_cast<std::size_t>(routine.CodeOffset));
        RunCompound(rec);
    } catch (const TNormalEnd&) {
    } catch (...) {
        --callDepth_;
        code_.SetPosition(back);
        LeaveFrame(rec, args);
        throw;
    }
    --callDepth_;
    code_.SetPosition(back);
    LeaveFrame(rec, args);
}

void TKeySrc::CallSub(std::int32_t word, TInitDatas& rec)
{
    const TUserSubProc& r = Routine(TRoutineKind::Sub, word);
    TFrameLists args = BindArguments(TRoutineKind::Sub, r, rec);
    ReadTerminator(TRoutineKind::Sub, r);
    RunBody<EExitProc>(r, args, rec);
}

std::int64_t TKeySrc::CallNumFunc(std::int32_t word, TInitDatas& rec)
{
    const TUserSubProc& r = Routine(TRoutineKind::NumFunc, word);
    TFrameLists args = BindArguments(TRoutineKind::NumFunc, r, rec);
    ReadTerminator(TRoutineKind::NumFunc, r);
    TSlotScope<std::int64_t> slot(rec.FuncNumResult);
    TNormalModeScope mode(rec);
    RunBody<ERetFunc>(r, args, rec);
    return slot.Take();
}

std::string TKeySrc::CallStrFunc(std::int32_t word, TInitDatas& rec)
{
    const TUserSubProc& r = Routine(TRoutineKind::StrFunc, word);
    TFrameLists args = BindArguments(TRoutineKind::StrFunc, r, rec);
    ReadTerminator(TRoutineKind::StrFunc, r);
    TSlotScope<std::string> slot(rec.FuncStrResult);
    TNormalModeScope mode(rec);
    RunBody<ERetFunc>(r, args, rec);
    return slot.Take();
}

bool TKeySrc::CallBoolFunc(std::int32_t word, TInitDatas& rec, bool skip)
{
    const TUserSubProc& r = Routine(TRoutineKind::BoolFunc, word);
    TFrameLists args = BindArguments(TRoutineKind::BoolFunc, r, rec);
    ReadTerminator(TRoutineKind::BoolFunc, r);
    if (skip) return false;
    TSlotScope<bool> slot(rec.FuncBoolResult);
    TNormalModeScope mode(rec);
    RunBody<ERetFunc>(r, args, rec);
    return slot.Take();
}

void TKeySrc::CallDialog(std::int32_t word, TInitDatas& rec)
{
    // User dialogs are built by their own family; until one is registered
    // the call is undefined.
    TDialogCallFn fn = tables_.DialogCall();
    if (!fn) throw EGrammer("未定義の手続き文 : " + Hex8(word));
    fn(*this, word, rec);
}
