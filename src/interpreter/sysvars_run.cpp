// System variables read from the run record and the interpreter.
#include "interpreter/keysrc.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

template <auto Field>
std::int64_t RecordNum(TKeySrc&, TInitDatas& rec)
{
    return static_cast<std::int64_t>(rec.*Field);
}

template <auto Field>
std::string RecordStr(TKeySrc&, TInitDatas& rec)
{
    return rec.*Field;
}

std::int64_t ReloadCount(TKeySrc& vtl, TInitDatas&) { return vtl.ReloadCount(); }

std::string Cr(TKeySrc&, TInitDatas&) { return "\r"; }
std::string Lf(TKeySrc&, TInitDatas&) { return "\n"; }
std::string Tab(TKeySrc&, TInitDatas&) { return "\t"; }
std::string CrLf(TKeySrc&, TInitDatas&) { return "\r\n"; }

consteval std::int32_t Num(std::string_view name) { return BuiltinId(TBuiltinKind::SysNum, name); }
consteval std::int32_t Str(std::string_view name) { return BuiltinId(TBuiltinKind::SysStr, name); }

void Register(TDispatchTables& t)
{
    t.SetSysNum(Num("#_RESULT"), RecordNum<&TInitDatas::Result>);
    t.SetSysNum(Num("#_RSTART"), RecordNum<&TInitDatas::RStart>);
    t.SetSysNum(Num("#_RLENGTH"), RecordNum<&TInitDatas::RLength>);
    t.SetSysNum(Num("#_STARTINDEX"), RecordNum<&TInitDatas::StartIndex>);
    t.SetSysNum(Num("#_KEYMODE"), RecordNum<&TInitDatas::KeyMode>);
    t.SetSysNum(Num("#_KEYCODE"), RecordNum<&TInitDatas::KeyCode>);
    t.SetSysNum(Num("#_MOUSE_X"), RecordNum<&TInitDatas::MouseX>);
    t.SetSysNum(Num("#_MOUSE_Y"), RecordNum<&TInitDatas::MouseY>);
    t.SetSysNum(Num("#_RAISENUM"), RecordNum<&TInitDatas::RaiseNum>);
    t.SetSysNum(Num("#_ALTKEY"), RecordNum<&TInitDatas::AltKey>);
    t.SetSysNum(Num("#_CTRLKEY"), RecordNum<&TInitDatas::CtrlKey>);
    t.SetSysNum(Num("#_SHIFTKEY"), RecordNum<&TInitDatas::ShiftKey>);
    t.SetSysNum(Num("#_LBTNKEY"), RecordNum<&TInitDatas::LBtnKey>);
    t.SetSysNum(Num("#_MBTNKEY"), RecordNum<&TInitDatas::MBtnKey>);
    t.SetSysNum(Num("#_RBTNKEY"), RecordNum<&TInitDatas::RBtnKey>);
    t.SetSysNum(Num("#_RELOADCOUNT"), ReloadCount);
    t.SetSysStr(Str("$_ARC_RESULT"), RecordStr<&TInitDatas::ArcResult>);
    t.SetSysStr(Str("$_RAISESTR"), RecordStr<&TInitDatas::RaiseStr>);
    t.SetSysStr(Str("$_KEYSET"), RecordStr<&TInitDatas::KeySetName>);
    t.SetSysStr(Str("$_CR"), Cr);
    t.SetSysStr(Str("$_LF"), Lf);
    t.SetSysStr(Str("$_TAB"), Tab);
    t.SetSysStr(Str("$_CRLF"), CrLf);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
