// Compound statements and the control statements, run straight from the
// code stream.
#include <windows.h>

#include "interpreter/keysrc.h"
#include "platform/format.h"
#include "platform/orumask.h"
#include "platform/textcase.h"

namespace {

// A PeekMessage costs a wineserver round trip: the window gets its messages
// when the tick count says this many milliseconds have passed, looked at
// every kPollStride statements.
constexpr unsigned long kPumpIntervalMs = 4;
constexpr unsigned kPollStride = 64;

constexpr const char* kStatementEnd = "文を読み込めない";

}  // namespace

void TNestingGuard::Overflow()
{
    throw EGrammer("文や式の入れ子が深すぎます (上限 " + IntToStr(TKeySrc::kMaxNesting) + " 段)");
}

void TKeySrc::PollBeforeStatement()
{
    if (pollCountdown_-- == 0) {
        pollCountdown_ = kPollStride;
        unsigned long now = GetTickCount();
        if (now - lastPump_ >= kPumpIntervalMs) {
            lastPump_ = now;
            host_.ProcessMessages();
        }
    }
    if (host_.ReadStopRequest()) throw EExitForce();
}

void TKeySrc::RunCompound(TInitDatas& rec)
{
    TNestingGuard guard(*this);
    const std::size_t begin = code_.Position();
    std::int32_t w;
    if (!code_.TryWord(w)) throw EGrammer("複文開始マーカーを読み込めない");
    if (w != bc::bcCompoundBegin) throw EGrammer("複文開始マーカーがない : " + Hex8(w));
    std::int32_t size;
    if (!code_.TryWord(size)) throw EGrammer("複文のサイズを読み込めない");
    const std::int64_t limit = static_cast<std::int64_t>(begin) + size + 12;
    try {
        for (;;) {
            PollBeforeStatement();
            if (static_cast<std::int64_t>(code_.Position()) > limit) throw EGrammer("複文サイズ不一致");
            std::int32_t statement = code_.Word(kStatementEnd);
            if (statement == bc::bcCompoundEnd) return;
            RunStatement(statement, rec);
        }
    } catch (const EExitSentence&) {
        code_.SetPosition(begin);
        SkipCompound();
    }
}

void TKeySrc::SkipCompound()
{
    std::int32_t w;
    if (!code_.TryWord(w)) throw EGrammer("複文開始マーカーを読み込めない");
    if (w != bc::bcCompoundBegin) throw EGrammer("複文開始マーカーがない : " + Hex8(w));
    std::int32_t size;
    if (!code_.TryWord(size)) throw EGrammer("複文のサイズを読み込めない");
    if (size < 0) throw EGrammer("複文のサイズが不正 : " + IntToStr(size));
    code_.Skip(static_cast<std::uint32_t>(size));
    if (!code_.TryWord(w)) throw EGrammer("複文終了マーカーを読み込めない");
    if (w != bc::bcCompoundEnd) throw EGrammer("複文終了マーカーがない : " + Hex8(w));
}

void TKeySrc::RunStatement(std::int32_t code, TInitDatas& rec)
{
    switch (bc::ClassOf(code)) {
    case bc::ccSysProc: DispatchProcedure(code, rec); return;
    case bc::ccStructured:
        switch (code) {
        case bc::bcIf: RunIf(rec); return;
        case bc::bcWhile: RunWhile(rec); return;
        case bc::bcRepeat: RunRepeat(rec); return;
        case bc::bcVar: RunVar(rec); return;
        case bc::bcFor: RunFor(rec); return;
        case bc::bcCase: RunCase(rec); return;
        case bc::bcStrCase: RunStrCase(rec); return;
        case bc::bcTry: RunTry(rec); return;
        }
        break;
    case bc::ccCallIntFunc: CallNumFunc(code, rec); return;
    case bc::ccCallStrFunc: CallStrFunc(code, rec); return;
    case bc::ccCallBoolFunc: CallBoolFunc(code, rec, false); return;
    case bc::ccCallSub: CallSub(code, rec); return;
    case bc::ccCallDialog: CallDialog(code, rec); return;
    }
    throw EGrammer("未定義コード : " + Hex8(code));
}

void TKeySrc::RunIf(TInitDatas& rec)
{
    if (EvalCondition(rec, false)) {
        RunCompound(rec);
        StepOverElse(rec);
        return;
    }
    SkipCompound();
    for (;;) {
        std::int32_t w = code_.Word("ENDIFを読み込めない");
        if (w == bc::bcElseIf) {
            if (EvalCondition(rec, false)) {
                RunCompound(rec);
                StepOverElse(rec);
                return;
            }
            SkipCompound();
        } else if (w == bc::bcElse) {
            RunCompound(rec);
            StepOverElse(rec);
            return;
        } else if (w == bc::bcEndIf) {
            return;
        } else {
            throw EGrammer("ENDIFがみつからない");
        }
    }
}

void TKeySrc::StepOverElse(TInitDatas& rec)
{
    for (;;) {
        std::int32_t w = code_.Word("ENDIFが読み込めない");
        if (w == bc::bcElseIf) {
            EvalCondition(rec, true);
            SkipCompound();
        } else if (w == bc::bcElse) {
            SkipCompound();
        } else if (w == bc::bcEndIf) {
            return;
        } else {
            throw EGrammer("ENDIFが必要です : " + Hex8(w));
        }
    }
}

void TKeySrc::RunWhile(TInitDatas& rec)
{
    const std::size_t start = code_.Position();
    for (;;) {
        code_.SetPosition(start);
        if (!EvalCondition(rec, false)) {
            SkipCompound();
            break;
        }
        try {
            RunCompound(rec);
        } catch (const EContinue&) {
        } catch (const EExitLoop&) {
            code_.SetPosition(start);
            EvalCondition(rec, true);
            SkipCompound();
            break;
        }
    }
    std::int32_t w = code_.Word("WEND Markerが読み込めない");
    if (w != bc::bcEndWhile) throw EGrammer("WEND Markerが見つからない : " + Hex8(w));
}

void TKeySrc::RunRepeat(TInitDatas& rec)
{
    const std::size_t start = code_.Position();
    for (;;) {
        code_.SetPosition(start);
        try {
            RunCompound(rec);
        } catch (const EContinue&) {
            continue;
        } catch (const EExitLoop&) {
            code_.SetPosition(start);
            SkipCompound();
            EvalCondition(rec, true);
            break;
        }
        if (EvalCondition(rec, false)) break;
    }
    std::int32_t w = code_.Word("REND Markerが読み込めない");
    if (w != bc::bcUntil) throw EGrammer("REND Markerが見つからない : " + Hex8(w));
}

void TKeySrc::RunFor(TInitDatas& rec)
{
    const TVarRef var = ReadNumRef(rec);
    const std::int64_t first = ReadNum(rec);
    const std::int32_t direction = code_.Word("TO 又は DOWNTO が読めない");
    if (direction != bc::bcTo && direction != bc::bcDownTo) throw EGrammer("TO 又は DOWNTO が有りません : " + Hex8(direction));
    const std::int64_t last = ReadNum(rec);
    const bool up = direction == bc::bcTo;
    const std::size_t body = code_.Position();
    if (up ? first <= last : first >= last) {
        for (std::int64_t i = first;; up ? ++i : --i) {
            WriteNumVar(var, rec, i);
            code_.SetPosition(body);
            try {
                RunCompound(rec);
                if (ReadNumVar(var, rec) != i) throw EGrammer("ループ変数をFOR文内で変更しては行けません");
            } catch (const EContinue&) {
            } catch (const EExitLoop&) {
                break;
            }
            // Ends after the pass for the last value, also when that value is
            // the largest or smallest number.
            if (i == last) break;
        }
    }
    code_.SetPosition(body);
    SkipCompound();
}

// Each arm is its labels (or ELSE alone) up to bcListEnd, then a compound;
// the first arm with a hit runs. Every label is evaluated, also after a match.
template <class LabelHits>
void TKeySrc::RunCaseArms(TInitDatas& rec, LabelHits labelHits)
{
    bool matched = false;
    for (;;) {
        int labels = 0;
        bool hasElse = false, hit = false;
        for (;;) {
            std::int32_t w;
            if (!code_.PeekWord(w)) throw EGrammer(kStatementEnd);
            if (w == bc::bcListEnd) {
                code_.Skip(4);
                break;
            }
            ++labels;
            if (w == bc::bcElse) {
                code_.Skip(4);
                hasElse = true;
            } else if (labelHits()) {
                hit = true;
            }
        }
        if (labels == 0) return;
        if (hasElse && labels > 1) throw EGrammer("ELSEが不正な箇所にあります");
        if ((hit || hasElse) && !matched) {
            matched = true;
            RunCompound(rec);
        } else {
            SkipCompound();
        }
    }
}

void TKeySrc::RunCase(TInitDatas& rec)
{
    // The selector's low 32 bits, sign-extended.
    const std::int64_t selector = static_cast<std::int32_t>(ReadNum(rec));
    RunCaseArms(rec, [&] { return ReadNum(rec) == selector; });
}

namespace {

bool StrCaseMatch(TKeySrc& vtl, std::int32_t kind, const std::string& selector, const std::string& label)
{
    switch (kind) {
    case bc::bcMatchStr: return selector == label;
    case bc::bcMatchText: return SameFileName(selector, label);
    case bc::bcMatchRegStr:
    case bc::bcMatchRegText:
        return vtl.MatchRegular(selector, label, kind == bc::bcMatchRegText).Found();
    case bc::bcMatchMaskStr:
    case bc::bcMatchMaskText:
        try {
            return MatchMask(selector, label, kind == bc::bcMatchMaskStr);
        } catch (const EOruMatchError&) {
            return false;  // as MatchDOSStr: a malformed mask matches nothing
        }
    }
    return false;
}

}  // namespace

void TKeySrc::RunStrCase(TInitDatas& rec)
{
    const std::string selector = ReadStr(rec);
    const std::int32_t kind = code_.Word(kStatementEnd);
    if (kind < bc::bcMatchStr || kind > bc::bcMatchMaskText) throw EGrammer("未知のSTRCASE TYPE : " + Hex8(kind));
    RunCaseArms(rec, [&] { return StrCaseMatch(*this, kind, selector, ReadStr(rec)); });
}

namespace {

// What ended a TRY or EXCEPT block and is raised again after FINALLY.
enum class TTryNote { None, Raised, Exit, Leave, Return };

template <class TRun>
TTryNote RunNoting(TRun run)
{
    try {
        run();
    } catch (const EUserRaise&) {
        return TTryNote::Raised;
    } catch (const EExitVTL&) {
        return TTryNote::Exit;
    } catch (const EExitProc&) {
        return TTryNote::Leave;
    } catch (const ERetFunc&) {
        return TTryNote::Return;
    }
    return TTryNote::None;
}

}  // namespace

void TKeySrc::RunTry(TInitDatas& rec)
{
    const std::size_t tryBody = code_.Position();
    TTryNote note = RunNoting([&] { RunCompound(rec); });
    if (note != TTryNote::None) {
        code_.SetPosition(tryBody);
        SkipCompound();
    }
    std::int32_t w = code_.Word(kStatementEnd);
    if (w != bc::bcExcept && w != bc::bcFinally) throw EGrammer("EXCEPTかFINALLYが必要 : " + Hex8(w));
    if (w == bc::bcExcept) {
        const std::size_t exceptBody = code_.Position();
        if (note == TTryNote::Raised) {
            note = RunNoting([&] { RunCompound(rec); });
            if (note != TTryNote::None) {
                code_.SetPosition(exceptBody);
                SkipCompound();
            }
        } else {
            SkipCompound();
        }
        w = code_.Word(kStatementEnd);
        if (w != bc::bcFinally && w != bc::bcEndTry)
            throw EGrammer("FINALLYが無い、又はTRY文が終了していない : " + Hex8(w));
    }
    if (w == bc::bcFinally) {
        RunCompound(rec);
        w = code_.Word(kStatementEnd);
    }
    if (w != bc::bcEndTry) throw EGrammer("TRY文が終了していない : " + Hex8(w));
    switch (note) {
    case TTryNote::None: return;
    case TTryNote::Raised: throw EUserRaise();
    case TTryNote::Exit: throw EExitVTL();
    case TTryNote::Return: throw ERetFunc();
    case TTryNote::Leave: throw EExitProc("#SUB,#KEY,#FUNCを抜ける");
    }
}
