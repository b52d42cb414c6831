// String editing: case, substrings, insertion and deletion, searching and
// replacing (double-byte aware: a match never starts on a trail byte), the
// last character and the kind of a byte.
#include "interpreter/keysrc.h"
#include "platform/sjis.h"
#include "platform/textcase.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// How two texts are made alike before a search. Every folding keeps each
// character's byte length, so positions in the folded text are positions in
// the original.
enum class TFold { None, Ascii, Locale };

std::string Folded(std::string_view s, TFold fold)
{
    switch (fold) {
    case TFold::None: break;
    case TFold::Ascii: return SjisUpperCase(s);
    case TFold::Locale: return LocaleUpperCase(s);
    }
    return std::string(s);
}

// 0-based index of the first occurrence, or npos; an empty needle is never
// found.
std::size_t FindFolded(std::string_view s, std::string_view needle, TFold fold)
{
    if (needle.empty()) return std::string_view::npos;
    return SjisFind(Folded(s, fold), Folded(needle, fold));
}

std::string Replace(std::string_view s, std::string_view from, std::string_view to, bool every, TFold fold)
{
    if (from.empty()) return std::string(s);
    const std::string fs = Folded(s, fold), ff = Folded(from, fold);
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        std::size_t i = SjisFind(fs, ff, pos);
        if (i == std::string::npos) break;
        out.append(s.substr(pos, i - pos));
        out.append(to);
        pos = i + from.size();
        if (!every) break;
    }
    out.append(s.substr(pos));
    return out;
}

template <std::string (*Map)(std::string_view)>
void MapCase(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string s = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, Map(s), rec);
}

// T S N N: from a start position (below 1: the first byte), count bytes at
// most.
void CopyStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string s = vtl.ReadStr(rec);
    std::int64_t start = vtl.ReadInt(rec);
    std::int64_t count = vtl.ReadInt(rec);
    if (start < 1) start = 1;
    std::string part;
    if (count > 0 && start <= static_cast<std::int64_t>(s.size()))
        part = s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
    vtl.WriteStrVar(target, std::move(part), rec);
}

void InsertStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string insert = vtl.ReadStr(rec);
    std::int64_t pos = vtl.ReadInt(rec);
    std::string v = vtl.ReadStrVar(target, rec);
    std::int64_t at = pos < 1 ? 0 : std::min<std::int64_t>(pos - 1, static_cast<std::int64_t>(v.size()));
    v.insert(static_cast<std::size_t>(at), insert);
    vtl.WriteStrVar(target, std::move(v), rec);
}

// T N N: a position outside the value or a count below 1 deletes nothing.
void DeleteStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::int64_t pos = vtl.ReadInt(rec);
    std::int64_t count = vtl.ReadInt(rec);
    std::string v = vtl.ReadStrVar(target, rec);
    if (pos >= 1 && pos <= static_cast<std::int64_t>(v.size()) && count > 0)
        v.erase(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(count));
    vtl.WriteStrVar(target, std::move(v), rec);
}

void LengthStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string s = vtl.ReadStr(rec);
    vtl.WriteNumVar(target, rec, static_cast<std::int64_t>(s.size()));
}

void PosStr(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string s = vtl.ReadStr(rec);
    std::string needle = vtl.ReadStr(rec);
    std::size_t i = FindFolded(s, needle, TFold::None);
    vtl.WriteNumVar(target, rec, i == std::string::npos ? 0 : static_cast<std::int64_t>(i) + 1);
}

// V S S N: bit 0 compares ASCII letters without case; bits 0 and 1 together
// compare every letter without case by the locale.
void PosText(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string s = vtl.ReadStr(rec);
    std::string needle = vtl.ReadStr(rec);
    int mode = vtl.ReadInt(rec);
    TFold fold = (mode & 3) == 3 ? TFold::Locale : (mode & 1) ? TFold::Ascii : TFold::None;
    std::size_t i = FindFolded(s, needle, fold);
    rec.Result = i == std::string::npos ? 0 : 1;
    vtl.WriteNumVar(target, rec, i == std::string::npos ? 0 : static_cast<std::int64_t>(i) + 1);
}

template <TFold Fold>
void ReplaceProc(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string from = vtl.ReadStr(rec);
    std::string to = vtl.ReadStr(rec);
    bool every = vtl.ReadInt(rec) != 0;
    std::string v = vtl.ReadStrVar(target, rec);
    vtl.WriteStrVar(target, Replace(v, from, to, every, Fold), rec);
}

void LastChar(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    std::string s = vtl.ReadStr(rec);
    vtl.WriteStrVar(target, SjisLastChar(s), rec);
}

// V S N: 0 single-byte character, 1 lead byte, 2 trail byte, -1 outside.
void CharType(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    std::string s = vtl.ReadStr(rec);
    std::int64_t pos = vtl.ReadInt(rec);
    std::int64_t kind = -1;
    if (pos >= 1 && pos <= static_cast<std::int64_t>(s.size()))
        kind = static_cast<std::int64_t>(SjisByteKind(s, static_cast<std::size_t>(pos - 1)));
    vtl.WriteNumVar(target, rec, kind);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("UpperStr"), MapCase<SjisUpperCase>);
    t.SetProcedure(ProcId("LowerStr"), MapCase<SjisLowerCase>);
    t.SetProcedure(ProcId("CopyStr"), CopyStr);
    t.SetProcedure(ProcId("InsertStr"), InsertStr);
    t.SetProcedure(ProcId("DeleteStr"), DeleteStr);
    t.SetProcedure(ProcId("LengthStr"), LengthStr);
    t.SetProcedure(ProcId("PosStr"), PosStr);
    t.SetProcedure(ProcId("PosText"), PosText);
    t.SetProcedure(ProcId("ReplaceStr"), ReplaceProc<TFold::None>);
    t.SetProcedure(ProcId("ReplaceText"), ReplaceProc<TFold::Locale>);
    t.SetProcedure(ProcId("LastChar"), LastChar);
    t.SetProcedure(ProcId("CharType"), CharType);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
