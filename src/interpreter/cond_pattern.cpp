// Pattern conditions: regular expressions (the interpreter's one matcher)
// and file masks.
#include "interpreter/keysrc.h"
#include "platform/orumask.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

template <bool Fuzzy>
bool MatchRegular(TKeySrc& vtl, TInitDatas& rec)
{
    std::string subject = vtl.ReadStr(rec);
    std::string pattern = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    TAWKMatch found = vtl.MatchRegular(subject, pattern, Fuzzy);
    rec.RStart = found.start;
    rec.RLength = found.length;
    return found.Found();
}

// These compute their answer even when stepped over.
template <bool ExactCase>
bool MatchDOS(TKeySrc& vtl, TInitDatas& rec)
{
    std::string name = vtl.ReadStr(rec);
    std::string mask = vtl.ReadStr(rec);
    try {
        return MatchMask(name, mask, ExactCase);
    } catch (const EOruMatchError&) {
        return false;
    }
}

bool CheckRegStr(TKeySrc& vtl, TInitDatas& rec) { return TAWKStr::IsValid(vtl.ReadStr(rec)); }

bool CheckWildCard(TKeySrc& vtl, TInitDatas& rec) { return IsValidMask(vtl.ReadStr(rec)); }

void Register(TDispatchTables& t)
{
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "MatchStr"), MatchRegular<false>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "MatchText"), MatchRegular<true>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "MatchDOSStr"), MatchDOS<true>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "MatchDOSText"), MatchDOS<false>);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "CheckRegStr"), CheckRegStr);
    t.SetCondition(BuiltinId(TBuiltinKind::CondFunc, "CheckWildCard"), CheckWildCard);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
