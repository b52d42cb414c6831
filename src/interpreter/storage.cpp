// Variables, arrays, argument binding and routine frames.
#include <new>
#include <stdexcept>

#include "interpreter/keysrc.h"
#include "platform/format.h"

namespace {

using bc::ClassOf;
using bc::IndexOf;

// Operand classes of the user scopes.
constexpr std::int32_t kGlobalNum = 0x42, kLocalNum = 0x43, kArgNum = 0x44, kVarArgNum = 0x45;
constexpr std::int32_t kGlobalNumAry = 0x4A, kLocalNumAry = 0x4B, kArgNumAry = 0x4C, kVarArgNumAry = 0x4D;
constexpr std::int32_t kGlobalStr = 0x52, kLocalStr = 0x53, kArgStr = 0x54, kVarArgStr = 0x55;
constexpr std::int32_t kGlobalStrAry = 0x5A, kLocalStrAry = 0x5B, kArgStrAry = 0x5C, kVarArgStrAry = 0x5D;

[[noreturn]] void Fail(const char* text, std::int64_t n) { throw EGrammer(text + IntToStr(n)); }

template <class TList>
auto& Item(TList* list, int n, const char* indexOver)
{
    if (!list || static_cast<std::size_t>(n) >= list->size()) Fail(indexOver, n);
    return (*list)[static_cast<std::size_t>(n)];
}

template <class TArray>
auto& Element(TArray& array, std::int32_t index, const char* subscriptOver)
{
    if (index < 1 || index > array.Count()) throw EGrammer(subscriptOver + array.Name + " : " + IntToStr(index));
    return array.Items[static_cast<std::size_t>(index - 1)];
}

}  // namespace

std::string Hex8(std::int32_t word) { return IntToHex(static_cast<std::uint32_t>(word), 8); }

std::int64_t& TKeySrc::NumCell(TVarRef ref, TInitDatas& rec, bool writing)
{
    const int n = IndexOf(ref.code);
    TFrameLists& f = rec.Frame;
    switch (ClassOf(ref.code)) {
    case kGlobalNum: return Item(&GlobalNums, n, "グローバル変数IndexOver : ").Value;
    case kLocalNum: return Item(f.LocalNums.get(), n, "ローカル変数IndexOver : ").Value;
    case kArgNum: return Item(f.ArgNums.get(), n, "値引数変数IndexOver : ").Value;
    case kVarArgNum: return Item(f.VarArgNums.get(), n, "変数引数変数IndexOver : ").Value;
    case kGlobalNumAry:
        return Element(*Item(&GlobalNumArrays, n, "グローバル変数配列IndexOver : "), ref.index,
                       "グローバル変数配列添字Over : ");
    // Reading names a missing array with the historical spelling.
    case kLocalNumAry:
        return Element(*Item(f.LocalNumArrays.get(), n,
                             writing ? "ローカル変数配列IndexOver : " : "ローカル変数配列IndexOrver : "),
                       ref.index, "ローカル変数配列添字Over : ");
    case kArgNumAry:
        return Element(*Item(f.ArgNumArrays.get(), n, writing ? "値引数変数配列IndexOver : " : "値引数変数配列IndexOrver : "),
                       ref.index, "値引数変数配列添字Over : ");
    case kVarArgNumAry:
        return Element(*Item(f.VarArgNumArrays.get(), n,
                             writing ? "変数引数変数配列IndexOver : " : "変数引数変数配列IndexOrver : "),
                       ref.index, "変数引数変数配列添字Over : ");
    }
    throw EGrammer("未知のマーカー : " + Hex8(ref.code));
}

std::string& TKeySrc::StrCell(TVarRef ref, TInitDatas& rec)
{
    const int n = IndexOf(ref.code);
    TFrameLists& f = rec.Frame;
    switch (ClassOf(ref.code)) {
    case kGlobalStr: return Item(&GlobalStrs, n, "グローバル文字列IndexOver : ").Value;
    case kLocalStr: return Item(f.LocalStrs.get(), n, "ローカル文字列IndexOver : ").Value;
    case kArgStr: return Item(f.ArgStrs.get(), n, "値引数文字列IndexOver : ").Value;
    case kVarArgStr: return Item(f.VarArgStrs.get(), n, "変数引数文字列IndexOver : ").Value;
    case kGlobalStrAry:
        return Element(*Item(&GlobalStrArrays, n, "グローバル文字列配列IndexOver : "), ref.index,
                       "グローバル文字列配列添字Over : ");
    case kLocalStrAry:
        return Element(*Item(f.LocalStrArrays.get(), n, "ローカル文字列配列IndexOver : "), ref.index,
                       "ローカル文字列配列添字Over : ");
    case kArgStrAry:
        return Element(*Item(f.ArgStrArrays.get(), n, "値引数文字列配列IndexOver : "), ref.index,
                       "値引数文字列配列添字Over : ");
    case kVarArgStrAry:
        return Element(*Item(f.VarArgStrArrays.get(), n, "変数引数文字列配列IndexOver : "), ref.index,
                       "変数引数文字列配列添字Over : ");
    }
    throw EGrammer("未知のマーカー : " + Hex8(ref.code));
}

TInt64Array& TKeySrc::GetNumArray(std::int32_t code, TInitDatas& rec)
{
    const int n = IndexOf(code);
    TFrameLists& f = rec.Frame;
    switch (ClassOf(code)) {
    case kGlobalNumAry: return *Item(&GlobalNumArrays, n, "グローバル変数配列IndexOver : ");
    case kLocalNumAry: return *Item(f.LocalNumArrays.get(), n, "ローカル変数配列IndexOrver : ");
    case kArgNumAry: return *Item(f.ArgNumArrays.get(), n, "値引数変数配列IndexOrver : ");
    case kVarArgNumAry: return *Item(f.VarArgNumArrays.get(), n, "変数引数変数配列IndexOrver : ");
    }
    Fail("変数配列がありません : ", n);
}

TStrArray& TKeySrc::GetStrArray(std::int32_t code, TInitDatas& rec)
{
    const int n = IndexOf(code);
    TFrameLists& f = rec.Frame;
    switch (ClassOf(code)) {
    case kGlobalStrAry: return *Item(&GlobalStrArrays, n, "グローバル文字列配列IndexOver : ");
    case kLocalStrAry: return *Item(f.LocalStrArrays.get(), n, "ローカル文字列配列IndexOrver : ");
    case kArgStrAry: return *Item(f.ArgStrArrays.get(), n, "値引数文字列配列IndexOrver : ");
    case kVarArgStrAry: return *Item(f.VarArgStrArrays.get(), n, "変数引数文字列配列IndexOrver : ");
    }
    Fail("文字列配列がありません : ", n);
}

std::int32_t TKeySrc::ReadSubscript(TInitDatas& rec)
{
    std::int64_t v = ReadNum(rec);
    if (v < 1 || v > bc::kMaxArraySize) Fail("添字が範囲外です : ", v);
    return static_cast<std::int32_t>(v);
}

namespace {

const char* RoutineKindName(TRoutineKind kind)
{
    switch (kind) {
    case TRoutineKind::Sub: return "サブルーチン";
    case TRoutineKind::Dialog: return "ダイアログ";
    case TRoutineKind::NumFunc: return "ユーザー定義関数(数字)";
    case TRoutineKind::StrFunc: return "ユーザー定義関数(文字列)";
    case TRoutineKind::BoolFunc: return "ユーザー定義関数(論理値)";
    }
    throw EGrammer("不正な引数オーナータイプ");
}

template <class TList>
TList& Ensure(std::unique_ptr<TList>& list)
{
    if (!list) list = std::make_unique<TList>();
    return *list;
}

}  // namespace

TFrameLists TKeySrc::BindArguments(TRoutineKind kind, const TUserSubProc& routine, TInitDatas& rec)
{
    TFrameLists a;
    for (std::size_t i = 0; i < routine.Signature.size(); ++i) {
        switch (char letter = routine.Signature[i]) {
        case 'N': Ensure(a.ArgNums).push_back(TUserNum{{}, -1, 0, ReadNum(rec)}); break;
        case 'V': {
            TVarRef ref = ReadNumRef(rec);
            Ensure(a.VarArgNums).push_back(TUserNum{{}, ref.code, ref.index, ReadNumVar(ref, rec)});
            break;
        }
        case 'S': Ensure(a.ArgStrs).push_back(TUserStr{{}, ReadStr(rec), -1, 0}); break;
        case 'T': {
            TVarRef ref = ReadStrRef(rec);
            Ensure(a.VarArgStrs).push_back(TUserStr{{}, ReadStrVar(ref, rec), ref.code, ref.index});
            break;
        }
        case 'R': {
            TArrayOperand<TInt64Array> src = ReadNumArray(rec);
            auto copy = std::make_unique<TInt64Array>();
            copy->Assign(*src);
            copy->Temporary = false;
            Ensure(a.ArgNumArrays).push_back(std::move(copy));
            break;
        }
        case 'X': {
            std::int32_t code = ReadNumArrayVar();
            auto copy = std::make_unique<TInt64Array>();
            copy->Assign(GetNumArray(code, rec));
            copy->RefKind = code;
            Ensure(a.VarArgNumArrays).push_back(std::move(copy));
            break;
        }
        case 'Y': {
            TArrayOperand<TStrArray> src = ReadStrArray(rec);
            auto copy = std::make_unique<TStrArray>();
            copy->Assign(*src);
            Ensure(a.ArgStrArrays).push_back(std::move(copy));
            break;
        }
        case 'Z': {
            std::int32_t code = ReadStrArrayVar();
            auto copy = std::make_unique<TStrArray>();
            copy->Assign(GetStrArray(code, rec));
            copy->RefKind = code;
            Ensure(a.VarArgStrArrays).push_back(std::move(copy));
            break;
        }
        default:
            throw EGrammer(std::string(RoutineKindName(kind)) + " " + routine.Name + " の引数が不正です\r\n" +
                           IntToStr(static_cast<std::int64_t>(i + 1)) + " 番目 : " + letter);
        }
    }
    return a;
}

void TKeySrc::EnterFrame(TInitDatas& rec, TFrameLists& args) { std::swap(rec.Frame, args); }

void TKeySrc::LeaveFrame(TInitDatas& rec, TFrameLists& args)
{
    // args takes back the callee's lists; they are freed with it.
    std::swap(rec.Frame, args);
    if (args.VarArgNums)
        for (const TUserNum& v : *args.VarArgNums) WriteNumVar(TVarRef{v.RefKind, v.RefIndex}, rec, v.Value);
    if (args.VarArgStrs)
        for (const TUserStr& v : *args.VarArgStrs) WriteStrVar(TVarRef{v.RefKind, v.RefIndex}, v.Value, rec);
    // Elements only: the caller's array keeps its own name and RefKind (it
    // may itself be a VAR argument of its caller).
    if (args.VarArgNumArrays)
        for (const auto& a : *args.VarArgNumArrays) GetNumArray(a->RefKind, rec).Items = a->Items;
    if (args.VarArgStrArrays)
        for (const auto& a : *args.VarArgStrArrays) GetStrArray(a->RefKind, rec).Items = a->Items;
}

namespace {

// A count of locals, or one array size, of a VAR statement. Variable
// numbers are 16 bits wide, so more locals than that cannot be named.
std::int32_t ReadLocalCount(TCodeReader& code, const char* endText, const char* badText)
{
    std::int32_t n = code.Word(endText);
    if (n < 0 || n > 0x10000) Fail(badText, n);
    return n;
}

template <class TList, class TArray>
void ReadLocalArrays(TCodeReader& code, std::unique_ptr<TList>& list, const char* endText, const char* countText,
                     const char* sizeText, const char* memoryText)
{
    const std::string countEnd = std::string(endText) + "0";
    std::int32_t n = ReadLocalCount(code, countEnd.c_str(), countText);
    list = std::make_unique<TList>();
    for (std::int32_t i = 0; i < n; ++i) {
        std::int32_t size;
        if (!code.TryWord(size)) Fail(endText, i + 1);
        if (size < 1 || size > bc::kMaxArraySize) Fail(sizeText, size);
        try {
            list->push_back(std::make_unique<TArray>(size));
        } catch (const std::bad_alloc&) {
            Fail(memoryText, size);
        } catch (const std::length_error&) {
            Fail(memoryText, size);
        }
    }
}

}  // namespace

void TKeySrc::RunVar(TInitDatas& rec)
{
    TFrameLists& f = rec.Frame;
    if (f.HasLocals()) throw EGrammer("VAR文が複数あります");
    std::int32_t nums = ReadLocalCount(code_, "ローカル変数の個数を読み込めない", "ローカル変数の個数が不正です : ");
    std::int32_t strs = ReadLocalCount(code_, "ローカル文字列の個数を読み込めない", "ローカル文字列の個数が不正です : ");
    f.LocalNums = std::make_unique<TUserNumList>(static_cast<std::size_t>(nums));
    f.LocalStrs = std::make_unique<TUserStrList>(static_cast<std::size_t>(strs));
    if (fileVersion_ < 200) {
        f.LocalNumArrays = std::make_unique<TUserAryNumList>();
        f.LocalStrArrays = std::make_unique<TUserAryStrList>();
        return;
    }
    ReadLocalArrays<TUserAryNumList, TInt64Array>(code_, f.LocalNumArrays, "ローカル変数配列の添字範囲が読み込めない : ",
                                                   "ローカル変数配列の個数が不正です : ",
                                                   "ローカル変数配列の添字範囲が不正です : ",
                                                   "ローカル変数配列を確保できません : ");
    ReadLocalArrays<TUserAryStrList, TStrArray>(code_, f.LocalStrArrays, "ローカル文字列配列の添字範囲が読み込めない : ",
                                                 "ローカル文字列配列の個数が不正です : ",
                                                 "ローカル文字列配列の添字範囲が不正です : ",
                                                 "ローカル文字列配列を確保できません : ");
}
