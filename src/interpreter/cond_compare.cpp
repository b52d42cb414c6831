// Comparing conditions: numbers (signed 64-bit), strings by bytes, by the
// file-name comparison, or by a chosen method and case rule.
#include "interpreter/keysrc.h"
#include "platform/textcase.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

enum TRelation { kEq, kGrt, kGEq, kLs, kLEq, kNotEq };

constexpr bool Holds(TRelation r, int cmp)
{
    switch (r) {
    case kEq: return cmp == 0;
    case kGrt: return cmp > 0;
    case kGEq: return cmp >= 0;
    case kLs: return cmp < 0;
    case kLEq: return cmp <= 0;
    case kNotEq: return cmp != 0;
    }
    return false;
}

template <TRelation R>
bool CompareNum(TKeySrc& vtl, TInitDatas& rec)
{
    std::int64_t a = vtl.ReadNum(rec);
    std::int64_t b = vtl.ReadNum(rec);
    if (rec.SkipMode) return false;
    return Holds(R, a < b ? -1 : a > b ? 1 : 0);
}

template <TRelation R, int (*Compare)(std::string_view, std::string_view)>
bool CompareStrings(TKeySrc& vtl, TInitDatas& rec)
{
    std::string a = vtl.ReadStr(rec);
    std::string b = vtl.ReadStr(rec);
    if (rec.SkipMode) return false;
    return Holds(R, Compare(a, b));
}

template <TRelation R>
bool CompareStrEx(TKeySrc& vtl, TInitDatas& rec)
{
    std::string a = vtl.ReadStr(rec);
    std::string b = vtl.ReadStr(rec);
    int method = vtl.ReadInt(rec);
    int caseRule = vtl.ReadInt(rec);
    if (rec.SkipMode) return false;
    return Holds(R, CompareByRule(a, b, TCompareRule{method != 0 ? 1 : 0, caseRule}));
}

template <TRelation R>
void Relation(TDispatchTables& t, std::int32_t num, std::int32_t str, std::int32_t text, std::int32_t ex)
{
    t.SetCondition(num, CompareNum<R>);
    t.SetCondition(str, CompareStrings<R, CompareBytes>);
    t.SetCondition(text, CompareStrings<R, CompareFileName>);
    t.SetCondition(ex, CompareStrEx<R>);
}

void Register(TDispatchTables& t)
{
    Relation<kEq>(t, CondId("EqNum"), CondId("EqStr"), CondId("EqText"), CondId("EqStrEx"));
    Relation<kGrt>(t, CondId("GrtNum"), CondId("GrtStr"), CondId("GrtText"), CondId("GrtStrEx"));
    Relation<kGEq>(t, CondId("GEqNum"), CondId("GEqStr"), CondId("GEqText"), CondId("GEqStrEx"));
    Relation<kLs>(t, CondId("LsNum"), CondId("LsStr"), CondId("LsText"), CondId("LsStrEx"));
    Relation<kLEq>(t, CondId("LEqNum"), CondId("LEqStr"), CondId("LEqText"), CondId("LEqStrEx"));
    Relation<kNotEq>(t, CondId("NotEqNum"), CondId("NotEqStr"), CondId("NotEqText"), CondId("NotEqStrEx"));
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
