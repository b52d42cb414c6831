// Conditions: terms joined by AND and OR, strictly left to right; a term
// that cannot change the result is stepped over (its arguments are still
// read and evaluated).
#include "interpreter/keysrc.h"

namespace {

// Restores the record's SkipMode whatever the builtin does.
class TSkipModeScope {
public:
    TSkipModeScope(TInitDatas& rec, bool skip) : rec_(rec), saved_(rec.SkipMode) { rec.SkipMode = skip; }
    ~TSkipModeScope() { rec_.SkipMode = saved_; }
    TSkipModeScope(const TSkipModeScope&) = delete;
    TSkipModeScope& operator=(const TSkipModeScope&) = delete;

private:
    TInitDatas& rec_;
    bool saved_;
};

}  // namespace

bool TKeySrc::EvalCondition(TInitDatas& rec, bool skip)
{
    std::int32_t w = code_.Word("判定式が読み込めない");
    if (w != bc::bcCondBegin) throw EGrammer("判定式開始マーカーがありません : " + Hex8(w));
    return EvalConditionBody(rec, skip);
}

bool TKeySrc::EvalConditionBody(TInitDatas& rec, bool skip)
{
    TNestingGuard guard(*this);
    bool r = EvalTerm(rec, skip);
    for (;;) {
        std::int32_t c = code_.Word("判定式が読み込めない");
        if (c == bc::bcCondEnd) return skip ? false : r;
        if (c == bc::bcAnd) {
            if (skip || !r)
                EvalTerm(rec, true);
            else
                r = EvalTerm(rec, false);
        } else if (c == bc::bcOr) {
            if (skip || r)
                EvalTerm(rec, true);
            else
                r = EvalTerm(rec, false);
        } else {
            throw EGrammer("判定式が終了していません : " + Hex8(c));
        }
    }
}

bool TKeySrc::EvalTerm(TInitDatas& rec, bool skip)
{
    std::int32_t w = code_.Word("判定式が読み込めない");
    bool negate = false;
    if (w == bc::bcNot) {
        negate = true;
        w = code_.Word("判定式が読み込めない");
    }
    bool t;
    if (w == bc::bcCondBegin) {
        t = EvalConditionBody(rec, skip);
    } else if (w == bc::bcBoolConst) {
        t = code_.Word("判定式が読み込めない") != 0;
    } else if (bc::ClassOf(w) == bc::ccCondFunc) {
        t = DispatchCondition(w, rec, skip);
    } else if (bc::ClassOf(w) == bc::ccCallBoolFunc) {
        TRecordValues saved(rec);
        t = CallBoolFunc(w, rec, skip);
        saved.RestoreTo(rec);
    } else {
        throw EGrammer("判定式が見つかりません : " + Hex8(w));
    }
    if (skip) return false;
    return negate ? !t : t;
}

bool TKeySrc::DispatchCondition(std::int32_t id, TInitDatas& rec, bool skip)
{
    if (bc::ClassOf(id) != bc::ccCondFunc) throw EGrammer("判定式ではありません : " + Hex8(id));
    if (id < dispatch::kFirstCondition || id > dispatch::kLastCondition) throw EGrammer("未知の判定式 : " + Hex8(id));
    TConditionFn fn = tables_.Condition(id);
    if (!fn) throw EGrammer("未定義の判定式 : " + Hex8(id));
    TSkipModeScope scope(rec, skip);
    return fn(*this, rec);
}

bool TKeySrc::ReadBool(TInitDatas& rec)
{
    std::int32_t w;
    if (code_.PeekWord(w) && w == bc::bcBoolConst) {
        code_.Skip(4);
        return code_.Word("判定式が読み込めない") != 0;
    }
    return EvalCondition(rec, false);
}
