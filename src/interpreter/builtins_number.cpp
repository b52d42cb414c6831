// Numbers and their texts: decimal and "$" hexadecimal, upper-case
// hexadecimal, thousands separators, single bytes, and bytes of a string
// read as an unsigned number.
#include "interpreter/keysrc.h"
#include "platform/format.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

void StrToInt(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string text = vtl.ReadStr(rec);
    std::int64_t v;
    rec.Result = TryStrToInt64(text, v) ? 1 : 0;
    if (rec.Result) vtl.WriteNumVar(target, rec, v);
}

void IntToStrProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t v = vtl.ReadNum(rec);
    vtl.WriteStrVar(target, IntToStr(v), rec);
    rec.Result = 1;
}

void IntToHexProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t v = vtl.ReadNum(rec);
    int digits = vtl.ReadInt(rec);
    vtl.WriteStrVar(target, IntToHex(v, digits), rec);
}

void IntToCommaStrProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t v = vtl.ReadNum(rec);
    vtl.WriteStrVar(target, IntToCommaStr(v), rec);
}

void IntToChar(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t code = vtl.ReadNum(rec);
    rec.Result = code >= 0 && code <= 255 ? 1 : 0;
    if (rec.Result) vtl.WriteStrVar(target, std::string(1, static_cast<char>(code)), rec);
}

// V S N N N: position, count (1 to 8), 1 when the first byte is the most
// significant one.
void CharToInt(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string s = vtl.ReadStr(rec);
    std::int64_t pos = vtl.ReadInt(rec);
    std::int64_t count = vtl.ReadInt(rec);
    bool bigEndian = vtl.ReadInt(rec) == 1;
    rec.Result = 0;
    if (pos < 1 || count < 1 || count > 8 || pos - 1 + count > static_cast<std::int64_t>(s.size())) return;
    std::uint64_t v = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        std::int64_t at = bigEndian ? pos - 1 + i : pos - 1 + count - 1 - i;
        v = v << 8 | static_cast<unsigned char>(s[static_cast<std::size_t>(at)]);
    }
    vtl.WriteNumVar(target, rec, static_cast<std::int64_t>(v));
    rec.Result = 1;
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("StrToInt"), StrToInt);
    t.SetProcedure(ProcId("IntToStr"), IntToStrProc);
    t.SetProcedure(ProcId("IntToHex"), IntToHexProc);
    t.SetProcedure(ProcId("IntToCommaStr"), IntToCommaStrProc);
    t.SetProcedure(ProcId("IntToChar"), IntToChar);
    t.SetProcedure(ProcId("CharToInt"), CharToInt);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
