// Binding runs: the entry points, #PREKEY, the reports of errors, the
// reload and the cleanup at the end of every run; procedure dispatch.
#include "interpreter/keysrc.h"

#include "platform/format.h"
#include "script-format/vtlname.h"

namespace {

constexpr char kDefaultSet[] = "DEFAULT";

// The flags word of the entry points.
constexpr int kFlagShift = 1, kFlagAlt = 2, kFlagCtrl = 4, kFlagLeft = 8, kFlagRight = 16, kFlagMiddle = 32;

}  // namespace

TKeySrc::TKeySrc(TVtlHost& host) : host_(host)
{
    for (TBuiltinFamily family : BuiltinFamilies()) family(tables_);
    code_.Attach(codeStream_);
}

TKeySrc::~TKeySrc() = default;

std::int32_t TKeySrc::LookupCharKey(std::string_view setName, int code) const
{
    return keySets_.Lookup(setName, [&](const TKeySet& s) { return s.CharSlot(code); });
}

std::int32_t TKeySrc::LookupKey(std::string_view setName, int code, bool alt, bool ctrl, bool shift) const
{
    const int m = ModifierCombination(alt, ctrl, shift);
    return keySets_.Lookup(setName, [&](const TKeySet& s) { return s.KeySlot(m, code); });
}

std::int32_t TKeySrc::LookupMouse(std::string_view setName, int code, bool alt, bool ctrl, bool shift) const
{
    const int m = ModifierCombination(alt, ctrl, shift);
    return keySets_.Lookup(setName, [&](const TKeySet& s) { return s.MouseSlot(m, code); });
}

std::int32_t TKeySrc::LookupEvent(std::string_view setName, int code) const
{
    return keySets_.Lookup(setName, [&](const TKeySet& s) { return s.EventSlot(code); });
}

std::int32_t TKeySrc::LookupBinding(std::string_view setName, TKeyMode mode, int code, int flags) const
{
    const bool shift = flags & kFlagShift, alt = flags & kFlagAlt, ctrl = flags & kFlagCtrl;
    switch (mode) {
    case kmCharKey: return LookupCharKey(setName, code);
    case kmKey: return LookupKey(setName, code, alt, ctrl, shift);
    case kmMouse: return LookupMouse(setName, code, alt, ctrl, shift);
    case kmEvent: return LookupEvent(setName, code);
    case kmInit: return initOffset_;
    case kmDone: return doneOffset_;
    }
    return -1;
}

void TKeySrc::RunCharKey(int character, int startIndex, int mouseY, int mouseX, int flags)
{
    RunBinding(kmCharKey, character, startIndex, mouseY, mouseX, flags);
}
void TKeySrc::RunKey(int keyCode, int startIndex, int mouseY, int mouseX, int flags)
{
    RunBinding(kmKey, keyCode, startIndex, mouseY, mouseX, flags);
}
void TKeySrc::RunMouse(int mouseCode, int startIndex, int mouseY, int mouseX, int flags)
{
    RunBinding(kmMouse, mouseCode, startIndex, mouseY, mouseX, flags);
}
void TKeySrc::RunEvent(int eventCode, int startIndex, int mouseY, int mouseX, int flags)
{
    RunBinding(kmEvent, eventCode, startIndex, mouseY, mouseX, flags);
}
void TKeySrc::RunInit() { RunBinding(kmInit, 0, 0, 0, 0, 0); }
void TKeySrc::RunDone(int startIndex) { RunBinding(kmDone, 0, startIndex, 0, 0, 0); }

void TKeySrc::Report(const std::string& text)
{
    TVtlMessageBox box;
    box.caption = "Velkano";
    box.text = text;
    box.buttons = {"&OK"};
    box.icon = kIconWarning;
    box.centredOnMainWindow = true;
    host_.Dialogs().MessageBox(box);
}

void TKeySrc::RunBinding(TKeyMode mode, int code, int startIndex, int mouseY, int mouseX, int flags)
{
    TInitDatas rec;
    rec.KeyMode = mode;
    rec.KeyCode = code;
    rec.StartIndex = startIndex;
    rec.MouseX = mouseX;
    rec.MouseY = mouseY;
    rec.ShiftKey = flags & kFlagShift;
    rec.AltKey = flags & kFlagAlt;
    rec.CtrlKey = flags & kFlagCtrl;
    rec.LBtnKey = flags & kFlagLeft;
    rec.RBtnKey = flags & kFlagRight;
    rec.MBtnKey = flags & kFlagMiddle;

    const bool outerRun = !running_;
    const std::size_t resume = code_.Position();
    running_ = true;
    bool initAfterReload = false;
    std::exception_ptr unexpected;
    try {
        std::int32_t offset = LookupBinding(kDefaultSet, mode, code, flags);
        try {
            if (mode <= kmEvent && preKeyOffset_ >= 0) {
                code_.SetPosition(static_cast<std::size_t>(preKeyOffset_));
                RunCompound(rec);
                rec.Frame.FreeLocals();
            }
            rec.InPreKey = false;
            if (!rec.KeySetName.empty()) offset = LookupBinding(rec.KeySetName, mode, code, flags);
            if (offset != -1) {
                code_.SetPosition(static_cast<std::size_t>(offset));
                RunCompound(rec);
            }
        } catch (const EExitSentence&) {
        } catch (const EExitVTL&) {
        } catch (const EExitProc&) {
        } catch (const ERetFunc&) {
        }
        if (rec.ReloadRequested) pendingReload_ = TReloadRequest{rec.ReloadFile, rec.RunInitAfterReload};
        // The code of an outer run must stay: the outer run reloads.
        if (pendingReload_ && outerRun) {
            initAfterReload = pendingReload_->runInit;
            ReloadAfterRun(pendingReload_->file);
        }
    } catch (const EExitForce&) {
        host_.Window().ShowTimedStatusMessage("VTLを強制終了", 0, 3000);
    } catch (const EExitLoop&) {
        Report("文法エラー\r\nFOR,WHILE,REPEATが無いのにExitLoop()が呼ばれました");
    } catch (const EContinue&) {
        Report("文法エラー\r\nFOR,WHILE,REPEATが無いのにContinue()が呼ばれました");
    } catch (const EUserRaise&) {
        Report("ユーザー例外\r\n" + rec.RaiseStr + "\r\nerr value=" + IntToStr(rec.RaiseNum));
    } catch (const EExitError& e) {
        Report(std::string("エラー\r\n") + e.what());
    } catch (const EGrammer& e) {
        Report(std::string("文法エラー\r\n") + e.what());
    } catch (...) {
        unexpected = std::current_exception();
    }
    EndOfRun(rec);
    if (outerRun) {
        // A reload asked for by a run that failed is dropped with it.
        pendingReload_.reset();
        running_ = false;
        nesting_ = 0;
        callDepth_ = 0;
    }
    code_.SetPosition(resume);
    if (unexpected) std::rethrow_exception(unexpected);
    if (initAfterReload) RunInit();
}

void TKeySrc::ReloadAfterRun(std::string file)
{
    pendingReload_.reset();
    ClearKeyData();
    LoadKeyFile(file);
    ++reloadCount_;
}

void TKeySrc::EndOfRun(TInitDatas& rec)
{
    host_.UnloadImagePlugins();
    for (int i = 0; i < kArchiverLibraryCount; ++i)
        if (rec.ArcUsed[static_cast<std::size_t>(i)]) host_.UnloadArchiverLibrary(i);
    rec.MarkSnapshot1.reset();
    rec.MarkSnapshot2.reset();
    rec.Frame = TFrameLists{};
    host_.AfterRun();
}

void TKeySrc::DispatchProcedure(std::int32_t id, TInitDatas& rec)
{
    if (id < dispatch::kFirstProcedure || id > dispatch::kLastProcedure)
        throw EGrammer("未知のシステム手続き : " + Hex8(id));
    TProcedureFn fn = tables_.Procedure(id);
    if (!fn) throw EGrammer("未定義の手続き文 : " + Hex8(id));
    fn(*this, rec);
}

int TKeySrc::ReadPaneWindow(TInitDatas& rec)
{
    std::int64_t w = ReadNum(rec);
    if (w != 1 && w != 2) throw EGrammer("窓の指定が不正です : " + IntToStr(w));
    return static_cast<int>(w);
}

TAWKMatch TKeySrc::MatchRegular(const std::string& subject, const std::string& pattern, bool fuzzy)
{
    try {
        matcher_.SetPattern(pattern);
    } catch (const EAWKStrError& e) {
        throw EGrammer(e.what());
    }
    matcher_.SetFuzzy(fuzzy);
    return matcher_.Match(subject);
}

int TKeySrc::ReadSysArrayWindow(TInitDatas& rec)
{
    std::int64_t w = ReadNum(rec);
    if (w != 1 && w != 2) throw EGrammer("１つ目の添え字は１か２のみです : " + IntToStr(w));
    return static_cast<int>(w);
}
