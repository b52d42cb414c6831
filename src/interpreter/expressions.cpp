// Numeric, string, array and reference operands, and the arithmetic.
#include "interpreter/keysrc.h"
#include "platform/format.h"

namespace {

using bc::ClassOf;
using bc::IndexOf;

}  // namespace

std::int64_t TKeySrc::Calculate(std::int64_t a, std::int32_t op, std::int64_t b)
{
    // Unsigned arithmetic wraps around instead of overflowing.
    const std::uint64_t ua = static_cast<std::uint64_t>(a), ub = static_cast<std::uint64_t>(b);
    switch (op) {
    case bc::bcOpAdd: return static_cast<std::int64_t>(ua + ub);
    case bc::bcOpSub: return static_cast<std::int64_t>(ua - ub);
    case bc::bcOpMul: return static_cast<std::int64_t>(ua * ub);
    case bc::bcOpDiv:
        if (b == 0) throw EGrammer("０で割ろうとしました");
        // The smallest number divided by -1 wraps to itself (the division
        // instruction would trap).
        return b == -1 ? static_cast<std::int64_t>(0 - ua) : a / b;
    case bc::bcOpMod:
        if (b == 0) throw EGrammer("０で割ろうとしました");
        return b == -1 ? 0 : a % b;
    case bc::bcOpAnd: return a & b;
    case bc::bcOpOr: return a | b;
    case bc::bcOpXor: return a ^ b;
    }
    throw EGrammer("未知の演算子です : " + Hex8(op));
}

std::int64_t TKeySrc::ReadArithmetic(TInitDatas& rec)
{
    TNestingGuard guard(*this);
    // Two levels, each left to right: terms joined by * / mod and or xor,
    // the terms joined by + and -.
    std::int64_t sum = 0;
    std::int32_t addOp = bc::bcOpAdd;
    std::int64_t term = ReadNum(rec);
    for (;;) {
        std::int32_t op = code_.Word("数字が読めない");
        switch (op) {
        case bc::bcExprEnd: return Calculate(sum, addOp, term);
        case bc::bcOpAdd:
        case bc::bcOpSub:
            sum = Calculate(sum, addOp, term);
            addOp = op;
            term = ReadNum(rec);
            break;
        case bc::bcOpMul:
        case bc::bcOpDiv:
        case bc::bcOpMod:
        case bc::bcOpAnd:
        case bc::bcOpOr:
        case bc::bcOpXor: term = Calculate(term, op, ReadNum(rec)); break;
        default: throw EGrammer("未知の演算子です : " + Hex8(op));
        }
    }
}

std::int64_t TKeySrc::ReadNum(TInitDatas& rec)
{
    std::int32_t w = code_.Word("数字が読めない");
    switch (ClassOf(w)) {
    case 0x40:
        if (w == bc::bcNumConst) {
            std::int64_t v;
            if (!code_.TryInt64(v)) throw EGrammer("数字が読めない : " + IntToHex(v, 16));
            return v;
        }
        break;
    case 0x41: return ReadSysNum(w, rec);
    case 0x42: {
        std::size_t n = static_cast<std::size_t>(IndexOf(w));
        if (n < GlobalNums.size()) return GlobalNums[n].Value;
        return ReadNumVar(TVarRef{w, 0}, rec);
    }
    case 0x43:
    case 0x44:
    case 0x45: return ReadNumVar(TVarRef{w, 0}, rec);
    case 0x49: {
        TSysNumFn fn = tables_.SysNumArray(w);
        if (!fn) throw EGrammer("不明なシステム変数配列 : " + Hex8(w));
        return fn(*this, rec);
    }
    case 0x4A:
    case 0x4B:
    case 0x4C:
    case 0x4D: {
        std::int32_t index = ReadSubscript(rec);
        return ReadNumVar(TVarRef{w, index}, rec);
    }
    case bc::ccCallIntFunc: {
        // A function inside an expression leaves the record's values alone.
        TRecordValues saved(rec);
        std::int64_t v = CallNumFunc(w, rec);
        saved.RestoreTo(rec);
        return v;
    }
    case bc::ccMarker:
        if (w == bc::bcExprBegin) return ReadArithmetic(rec);
        break;
    }
    throw EGrammer("数字がありません : " + Hex8(w));
}

std::int32_t TKeySrc::ReadInt(TInitDatas& rec)
{
    std::int64_t v = ReadNum(rec);
    if (v < INT32_MIN || v > INT32_MAX) throw EGrammer("範囲外の数です : " + IntToStr(v));
    return static_cast<std::int32_t>(v);
}

std::int64_t TKeySrc::ReadSysNum(std::int32_t id, TInitDatas& rec)
{
    TSysNumFn fn = tables_.SysNum(id);
    if (!fn) throw EGrammer("未定義のシステム変数 : " + Hex8(id));
    return fn(*this, rec);
}

std::string TKeySrc::ReadSysStr(std::int32_t id, TInitDatas& rec)
{
    TSysStrFn fn = tables_.SysStr(id);
    if (!fn) throw EGrammer("未定義のシステム文字列 : " + Hex8(id));
    // Stepped-over conditions compute no system strings.
    if (rec.SkipMode) return {};
    return fn(*this, rec);
}

std::string TKeySrc::ReadPaddedConst()
{
    std::int32_t n;
    if (!code_.TryWord(n)) throw EGrammer("文字列サイズが読めない");
    std::string s;
    if (n < 0 || !code_.TryBytes(static_cast<std::size_t>(n), s)) throw EGrammer("文字列定数を読み込めない");
    const std::size_t pad = 4 - static_cast<std::size_t>(n) % 4;
    if (code_.Remaining() < pad) throw EGrammer("文字列定数を読み込めない");
    code_.Skip(pad);
    return s;
}

std::string TKeySrc::ReadStrOperand(std::int32_t w, TInitDatas& rec, bool inConcatenation)
{
    switch (ClassOf(w)) {
    case 0x50:
        if (w == bc::bcStrConst) return ReadPaddedConst();
        break;
    case 0x51: return ReadSysStr(w, rec);
    case 0x52:
    case 0x53:
    case 0x54:
    case 0x55: return ReadStrVar(TVarRef{w, 0}, rec);
    case 0x59: {
        TSysStrFn fn = tables_.SysStrArray(w);
        if (!fn) throw EGrammer("不明なシステム文字列配列 : " + Hex8(w));
        return fn(*this, rec);
    }
    case 0x5A:
    case 0x5B:
    case 0x5C:
    case 0x5D: {
        // Inside a concatenation only the array's bounds check the subscript
        // (its low 32 bits).
        std::int32_t index = inConcatenation ? static_cast<std::int32_t>(ReadNum(rec)) : ReadSubscript(rec);
        return ReadStrVar(TVarRef{w, index}, rec);
    }
    case bc::ccCallStrFunc: {
        TRecordValues saved(rec);
        std::string v = CallStrFunc(w, rec);
        saved.RestoreTo(rec);
        return v;
    }
    case bc::ccMarker:
        if (w == bc::bcExprBegin) {
            TNestingGuard guard(*this);
            std::string s;
            for (;;) {
                std::int32_t next = code_.Word("文字列が読めない");
                if (next == bc::bcExprEnd) return s;
                s += ReadStrOperand(next, rec, true);
            }
        }
        break;
    }
    throw EGrammer("文字列がありません : " + Hex8(w));
}

std::string TKeySrc::ReadStr(TInitDatas& rec) { return ReadStrOperand(code_.Word("文字列が読めない"), rec, false); }

TVarRef TKeySrc::ReadNumRef(TInitDatas& rec)
{
    std::int32_t w = code_.Word("ユーザー変数が読めない");
    switch (ClassOf(w)) {
    case 0x42:
    case 0x43:
    case 0x44:
    case 0x45: return TVarRef{w, 0};
    case 0x4A:
    case 0x4B:
    case 0x4C:
    case 0x4D: return TVarRef{w, ReadSubscript(rec)};
    }
    throw EGrammer("ユーザー変数がありません : " + Hex8(w));
}

TVarRef TKeySrc::ReadStrRef(TInitDatas& rec)
{
    std::int32_t w = code_.Word("ユーザー文字列が読めない");
    switch (ClassOf(w)) {
    case 0x52:
    case 0x53:
    case 0x54:
    case 0x55: return TVarRef{w, 0};
    case 0x5A:
    case 0x5B:
    case 0x5C:
    case 0x5D: return TVarRef{w, ReadSubscript(rec)};
    }
    throw EGrammer("ユーザー文字列がありません : " + Hex8(w));
}

namespace {

void ReadArrayTerminator(TCodeReader& code)
{
    std::int32_t t = code.Word("配列IndexTerminaterが読めない");
    if (t != 0) throw EGrammer("配列IndexのTerminaterが不正 : " + Hex8(t));
}

template <class TArray, class TReadElement>
TArrayOperand<TArray> ReadArrayConstant(TCodeReader& code, TReadElement readElement)
{
    std::int32_t count = code.Word("配列定数のIndexが読めない");
    if (count < 1 || count > bc::kMaxArraySize) throw EGrammer("配列定数のIndexが不正 : " + IntToStr(count));
    TArrayOperand<TArray> a;
    a.temporary = std::make_unique<TArray>();
    a.temporary->Temporary = true;
    a.temporary->Items.clear();
    // Grown as the elements are read: a damaged count cannot allocate more
    // than the code holds.
    for (std::int32_t i = 0; i < count; ++i) a.temporary->Items.push_back(readElement());
    std::int32_t end = code.Word("配列定数終了マーカーが読めない");
    if (end != bc::bcArrayEnd) throw EGrammer("配列終了マーカーが無い");
    a.array = a.temporary.get();
    return a;
}

}  // namespace

std::int32_t TKeySrc::ReadNumArrayVar()
{
    std::int32_t w = code_.Word("配列が読めない");
    if (ClassOf(w) < 0x4A || ClassOf(w) > 0x4D) throw EGrammer("変数配列がありません : " + IntToStr(IndexOf(w)));
    ReadArrayTerminator(code_);
    return w;
}

std::int32_t TKeySrc::ReadStrArrayVar()
{
    std::int32_t w = code_.Word("配列が読めない");
    if (ClassOf(w) < 0x5A || ClassOf(w) > 0x5D) throw EGrammer("文字列配列がありません : " + IntToStr(IndexOf(w)));
    ReadArrayTerminator(code_);
    return w;
}

TArrayOperand<TInt64Array> TKeySrc::ReadNumArray(TInitDatas& rec)
{
    std::int32_t w;
    if (code_.PeekWord(w) && w == bc::bcArrayBegin) {
        code_.Skip(4);
        return ReadArrayConstant<TInt64Array>(code_, [&] { return ReadNum(rec); });
    }
    TArrayOperand<TInt64Array> a;
    a.array = &GetNumArray(ReadNumArrayVar(), rec);
    return a;
}

TArrayOperand<TStrArray> TKeySrc::ReadStrArray(TInitDatas& rec)
{
    std::int32_t w;
    if (code_.PeekWord(w) && w == bc::bcArrayBegin) {
        code_.Skip(4);
        return ReadArrayConstant<TStrArray>(code_, [&] { return ReadStr(rec); });
    }
    TArrayOperand<TStrArray> a;
    a.array = &GetStrArray(ReadStrArrayVar(), rec);
    return a;
}

std::vector<std::string> TKeySrc::ReadStrList(TInitDatas& rec)
{
    std::vector<std::string> items;
    for (;;) {
        std::int32_t w = code_.Word("文字列が読めない");
        if (w == bc::bcListEnd) return items;
        items.push_back(ReadStrOperand(w, rec, false));
    }
}

std::int32_t TKeySrc::ReadOperator()
{
    std::int32_t op;
    if (!code_.TryWord(op)) throw EGrammer("演算子を取得できません");
    if (op < bc::bcOpAdd || op > bc::bcOpXor) throw EGrammer("未知の演算子です : " + Hex8(op));
    return op;
}
