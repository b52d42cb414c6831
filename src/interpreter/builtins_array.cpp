// Whole arrays: their element count, resizing, and string arrays made from
// the lines of a text and joined back into one.
#include <new>
#include <stdexcept>

#include "interpreter/keysrc.h"
#include "platform/format.h"
#include "platform/stringlist.h"

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

// W: a whole array of either type, resolved when it is used.
struct TAnyArray {
    bool strings;
    std::int32_t code;
};

TAnyArray ReadAnyArray(TKeySrc& vtl)
{
    std::int32_t w;
    if (vtl.Code().PeekWord(w) && bc::ClassOf(w) >= 0x5A && bc::ClassOf(w) <= 0x5D)
        return TAnyArray{true, vtl.ReadStrArrayVar()};
    return TAnyArray{false, vtl.ReadNumArrayVar()};
}

template <class TUse>
void Use(TKeySrc& vtl, TInitDatas& rec, TAnyArray a, TUse use)
{
    if (a.strings)
        use(vtl.GetStrArray(a.code, rec));
    else
        use(vtl.GetNumArray(a.code, rec));
}

void GetMaxIndex(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadNumRef(rec);
    TAnyArray a = ReadAnyArray(vtl);
    std::int64_t count = 0;
    Use(vtl, rec, a, [&](auto& array) { count = array.Count(); });
    vtl.WriteNumVar(target, rec, count);
}

// W N: the new count must pass the subscript test (1 to 268,435,456); a
// count this process cannot hold is a script error, the array unchanged.
void SetMaxIndex(TKeySrc& vtl, TInitDatas& rec)
{
    TAnyArray a = ReadAnyArray(vtl);
    std::int32_t count = vtl.ReadSubscript(rec);
    Use(vtl, rec, a, [&](auto& array) {
        auto noRoom = [&] { return EGrammer("配列を確保できません : " + IntToStr(count) + " " + array.Name); };
        try {
            array.Resize(count);
        } catch (const std::bad_alloc&) {
            throw noRoom();
        } catch (const std::length_error&) {
            throw noRoom();
        }
    });
}

// Z N S: the lines of the text, cut to N elements when N is positive and
// smaller than their number. An empty text leaves no elements at all.
void ToStrArray(TKeySrc& vtl, TInitDatas& rec)
{
    std::int32_t code = vtl.ReadStrArrayVar();
    std::int64_t limit = vtl.ReadNum(rec);
    std::string text = vtl.ReadStr(rec);
    if (limit > bc::kMaxArraySize) throw EGrammer("最大値は " + IntToStr(bc::kMaxArraySize) + " までです");
    TStrArray& array = vtl.GetStrArray(code, rec);
    array.Items = SplitLines(text);
    if (limit > 0 && limit < array.Count()) array.Items.resize(static_cast<std::size_t>(limit));
}

void ToLines(TKeySrc& vtl, TInitDatas& rec)
{
    TVarRef target = vtl.ReadStrRef(rec);
    TArrayOperand<TStrArray> array = vtl.ReadStrArray(rec);
    vtl.WriteStrVar(target, JoinLines(array->Items), rec);
}

void Register(TDispatchTables& t)
{
    t.SetProcedure(ProcId("GetMaxIndex"), GetMaxIndex);
    t.SetProcedure(ProcId("SetMaxIndex"), SetMaxIndex);
    t.SetProcedure(ProcId("ToStrArray"), ToStrArray);
    t.SetProcedure(ProcId("ToLines"), ToLines);
}

const TBuiltinFamilyRegistration family(Register);

}  // namespace
