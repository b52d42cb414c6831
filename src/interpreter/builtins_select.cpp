// Selection blocks: a subject and branches of one label (or ELSE) and a
// compound statement each. The first branch whose label matches runs; the
// labels after it are still read (their expressions evaluated) but no
// longer matched, so the match values of the branch that ran stay.
#include "interpreter/keysrc.h"
#include "platform/orumask.h"
#include "platform/textcase.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

template <class TReadLabel, class TMatches>
void RunBranches(TKeySrc& vtl, TInitDatas& rec, TReadLabel readLabel, TMatches matches)
{
    bool ran = false;
    for (;;) {
        std::int32_t w;
        if (!vtl.Code().PeekWord(w)) throw EGrammer("文を読み込めない");
        bool hit = true;
        if (w == bc::bcListEnd || w == bc::bcElse) {
            vtl.Code().Skip(4);
            if (w == bc::bcListEnd) return;
        } else {
            auto label = readLabel();
            hit = !ran && matches(label);
        }
        if (hit && !ran) {
            ran = true;
            vtl.RunCompound(rec);
        } else {
            vtl.SkipCompound();
        }
    }
}

template <class TMatches>
void SelectString(TKeySrc& vtl, TInitDatas& rec, TMatches matches)
{
    const std::string subject = vtl.ReadStr(rec);
    RunBranches(vtl, rec, [&] { return vtl.ReadStr(rec); },
                [&](const std::string& label) { return matches(subject, label); });
}

template <bool Fuzzy>
void SelectMatch(TKeySrc& vtl, TInitDatas& rec)
{
    SelectString(vtl, rec, [&](const std::string& subject, const std::string& pattern) {
        TAWKMatch found = vtl.MatchRegular(subject, pattern, Fuzzy);
        rec.RStart = found.start;
        rec.RLength = found.length;
        return found.Found();
    });
}

void SelectStr(TKeySrc& vtl, TInitDatas& rec)
{
    SelectString(vtl, rec, [](const std::string& a, const std::string& b) { return LocaleCompareStr(a, b) == 0; });
}

void SelectText(TKeySrc& vtl, TInitDatas& rec)
{
    SelectString(vtl, rec, [](const std::string& a, const std::string& b) { return SameFileName(a, b); });
}

template <bool ExactCase>
void SelectMask(TKeySrc& vtl, TInitDatas& rec)
{
    SelectString(vtl, rec, [](const std::string& name, const std::string& mask) {
        try {
            return MatchMask(name, mask, ExactCase);
        } catch (const EOruMatchError&) {
            return false;  // a malformed mask matches nothing
        }
    });
}

void SelectNum(TKeySrc& vtl, TInitDatas& rec)
{
    const std::int64_t subject = vtl.ReadNum(rec);
    RunBranches(vtl, rec, [&] { return vtl.ReadNum(rec); }, [&](std::int64_t label) { return label == subject; });
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("SelectMatchStr"), SelectMatch<false>);
    t.SetProcedure(ProcId("SelectMatchText"), SelectMatch<true>);
    t.SetProcedure(ProcId("SelectStr"), SelectStr);
    t.SetProcedure(ProcId("SelectText"), SelectText);
    t.SetProcedure(ProcId("SelectMaskStr"), SelectMask<true>);
    t.SetProcedure(ProcId("SelectMaskText"), SelectMask<false>);
    t.SetProcedure(ProcId("SelectNum"), SelectNum);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
