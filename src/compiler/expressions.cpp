#include "compiler/expressions.h"

#include <string>
#include <vector>

#include "compiler/kindsets.h"
#include "platform/sjis.h"
#include "script-format/binconst.h"

namespace {

// How a variable or array of one kind is written, and what a failed
// lookup of its number says.
struct TOperandKind {
    TTokenKind kind;
    bool isString, isArray;
    bc::Scope scope;
    const char* lookupPrefix;
};

constexpr TOperandKind kOperandKinds[] = {
    {tiSysNum, false, false, bc::scSystem, "システム変数 "},
    {tiGlobalNum, false, false, bc::scGlobal, "グローバル変数 "},
    {tiLocalNum, false, false, bc::scLocal, "ローカル変数 "},
    {tiValArgNum, false, false, bc::scValueArg, "引数(変数) "},
    {tiVarArgNum, false, false, bc::scVarArg, "引数(変数) "},
    {tiSysNumArray, false, true, bc::scSystem, "システム変数配列 "},
    {tiGlobalNumArray, false, true, bc::scGlobal, "引数(グローバル変数配列) "},
    {tiLocalNumArray, false, true, bc::scLocal, "引数(ローカル変数配列) "},
    {tiValArgNumArray, false, true, bc::scValueArg, "引数(値引数変数配列) "},
    {tiVarArgNumArray, false, true, bc::scVarArg, "引数(変数引数変数配列) "},
    {tiSysStr, true, false, bc::scSystem, "システム文字列 "},
    {tiGlobalStr, true, false, bc::scGlobal, "グローバル文字列 "},
    {tiLocalStr, true, false, bc::scLocal, "ローカル文字列 "},
    {tiValArgStr, true, false, bc::scValueArg, "引数(文字列) "},
    {tiVarArgStr, true, false, bc::scVarArg, "引数(文字列) "},
    {tiSysStrArray, true, true, bc::scSystem, "システム文字列配列 "},
    {tiGlobalStrArray, true, true, bc::scGlobal, "引数(グローバル文字列配列) "},
    {tiLocalStrArray, true, true, bc::scLocal, "引数(ローカル文字列配列) "},
    {tiValArgStrArray, true, true, bc::scValueArg, "引数(値引数文字列配列) "},
    {tiVarArgStrArray, true, true, bc::scVarArg, "引数(変数引数文字列配列) "},
};

const TOperandKind* OperandKindOf(TTokenKind kind)
{
    for (const TOperandKind& k : kOperandKinds)
        if (k.kind == kind) return &k;
    return nullptr;
}

struct TCallKind {
    TTokenKind kind;
    std::int32_t (*word)(int n);
    const char* lookupPrefix;
};

constexpr TCallKind kCallKinds[] = {
    {tiSub, bc::CallSubWord, "サブルーチン "},
    {tiIntFunc, bc::CallIntFuncWord, "ユーザー定義関数 "},
    {tiStrFunc, bc::CallStrFuncWord, "ユーザー定義関数 "},
    {tiBoolFunc, bc::CallBoolFuncWord, "ユーザー定義関数 "},
    {tiDialog, bc::CallDialogWord, "ダイアログ "},
};

std::int32_t OperatorWord(TTokenKind kind)
{
    switch (kind) {
    case tiPlus: return bc::bcOpAdd;
    case tiMinus: return bc::bcOpSub;
    case tiMul: return bc::bcOpMul;
    case tiDiv: return bc::bcOpDiv;
    case tiMod: return bc::bcOpMod;
    case tiBitAnd: return bc::bcOpAnd;
    case tiBitOr: return bc::bcOpOr;
    default: return bc::bcOpXor;
    }
}

// The condition function a comparison symbol selects.
std::string_view ComparisonFunction(TTokenKind kind, bool isString)
{
    switch (kind) {
    case tiEq: return isString ? "EqStr" : "EqNum";
    case tiGrt: return isString ? "GrtStr" : "GrtNum";
    case tiGEq: return isString ? "GEqStr" : "GEqNum";
    case tiLs: return isString ? "LsStr" : "LsNum";
    case tiLEq: return isString ? "LEqStr" : "LEqNum";
    default: return isString ? "NotEqStr" : "NotEqNum";
    }
}

int HexDigit(char c)
{
    c = AsciiUpper(c);
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// Puts a word in front of what was written from at on; the callers know
// whether an expression needs its grouping word or a comparison its
// function only after having written the operands.
void InsertWord(TSenObject& out, std::size_t at, std::int32_t word)
{
    const std::string tail(out.Bytes().substr(at));
    out.SetPosition(at);
    out.WriteWord(word);
    out.Write(tail.data(), tail.size());
}

void CloseGroup(TSenObject& out, std::size_t start, bool grouped)
{
    if (!grouped) return;
    InsertWord(out, start, bc::bcExprBegin);
    out.WriteWord(bc::bcExprEnd);
}

}  // namespace

std::int64_t NumberConstantValue(const std::string& token)
{
    std::optional<std::int64_t> v = VtlNumber(token);
    if (!v) throw ESrcReaderError(token + " を数字に変換できません");
    return *v;
}

std::string StringConstantValue(const TToken& t)
{
    const std::string& s = t.text;
    if (t.kind == tiStrConst) return s.substr(1, s.size() - 2);
    switch (AsciiUpper(s[1])) {
    case 'N': return "\n";
    case 'R': return "\r";
    case 'T': return "\t";
    default: return std::string(1, static_cast<char>(HexDigit(s[1]) * 16 + HexDigit(s[2])));
    }
}

TToken TExprCompiler::NumExpr(TSenObject& out, TTokenKinds endings, std::string_view prompt, const TToken* first)
{
    TNestingLevel level(ctx_);
    const std::size_t start = out.Position();
    bool grouped = false;
    TToken t = first ? *first : ctx_.Expect("数字が必要です", kinds::kNumExprStart);
    for (;;) {
        if (t.kind == tiLParen) {
            NumExpr(out, {tiRParen}, ") が必要です");
            grouped = true;
        } else {
            NumOperand(out, t);
        }
        TToken next = ctx_.Expect(prompt, endings | kinds::kArithmetic);
        if (!kinds::kArithmetic.Has(next.kind)) {
            CloseGroup(out, start, grouped);
            return next;
        }
        out.WriteWord(OperatorWord(next.kind));
        grouped = true;
        t = ctx_.Expect("数字が必要です", kinds::kNumExprStart);
    }
}

TToken TExprCompiler::StrExpr(TSenObject& out, TTokenKinds endings, std::string_view prompt, const TToken* first)
{
    TNestingLevel level(ctx_);
    const std::size_t start = out.Position();
    bool grouped = false;
    TToken t = first ? *first : ctx_.Expect("文字列が必要です", kinds::kStrOperands);
    for (;;) {
        StrOperand(out, t);
        TToken next = ctx_.Expect(prompt, endings | TTokenKinds{tiPlus});
        if (next.kind != tiPlus) {
            CloseGroup(out, start, grouped);
            return next;
        }
        grouped = true;
        t = ctx_.Expect("文字列が必要です", kinds::kStrOperands);
    }
}

std::int32_t TExprCompiler::OperandWord(const TToken& t) const
{
    const TOperandKind& k = *OperandKindOf(t.kind);
    int n = ctx_.analyzer.NumberOf(t.kind, t.text);
    if (n < 0) throw ESrcReaderError(k.lookupPrefix + t.text + " のIDが取得できません");
    if (k.scope == bc::scSystem) return n;
    return bc::OperandClass(k.isString, k.isArray, k.scope) << 16 | n;
}

void TExprCompiler::WriteVariable(TSenObject& out, const TToken& t)
{
    const std::int32_t word = OperandWord(t);
    out.WriteWord(word);
    const TOperandKind& k = *OperandKindOf(t.kind);
    if (k.isArray) ArrayIndex(out, k.scope == bc::scSystem ? word : 0);
}

void TExprCompiler::NumOperand(TSenObject& out, const TToken& t)
{
    if (t.kind == tiNumConst) {
        out.WriteWord(bc::bcNumConst);
        out.WriteInt64(NumberConstantValue(t.text));
        return;
    }
    if (t.kind == tiIntFunc) return RoutineCall(out, t);
    const TOperandKind* k = OperandKindOf(t.kind);
    if (!k || k->isString) throw ESrcReaderError(t.text + " は数字ではありません");
    WriteVariable(out, t);
}

void TExprCompiler::StrOperand(TSenObject& out, const TToken& t)
{
    if (t.kind == tiStrConst || t.kind == tiSpecialChar) {
        out.WriteWord(bc::bcStrConst);
        out.WritePaddedString(StringConstantValue(t));
        return;
    }
    if (t.kind == tiStrFunc) return RoutineCall(out, t);
    const TOperandKind* k = OperandKindOf(t.kind);
    if (!k || !k->isString) throw ESrcReaderError(t.text + " は文字列ではありません");
    WriteVariable(out, t);
}

void TExprCompiler::ArrayIndex(TSenObject& out, std::int32_t systemId)
{
    ctx_.Expect("[ が見つかりません", {tiLBracket});
    if (systemId == 0) {
        NumExpr(out, {tiRBracket}, "] が見つかりません");
        return;
    }
    if (bc::TakesTwoIndexes(systemId)) NumExpr(out, {tiComma}, ", がありません");
    NumExpr(out, {tiRBracket}, "] がありません");
}

void TExprCompiler::NumVarRef(TSenObject& out, std::string_view prompt)
{
    WriteVariable(out, ctx_.Expect(prompt, kinds::kNumVars | kinds::kNumArrays));
}

void TExprCompiler::StrVarRef(TSenObject& out, std::string_view prompt)
{
    WriteVariable(out, ctx_.Expect(prompt, kinds::kStrVars | kinds::kStrArrays));
}

void TExprCompiler::WholeArray(TSenObject& out, char letter)
{
    const bool numeric = letter == 'R' || letter == 'X' || letter == 'W';
    const bool string = letter == 'Y' || letter == 'Z' || letter == 'W';
    const bool constantAllowed = letter == 'R' || letter == 'Y';
    const char* prompt = letter == 'W' ? "変数配列か文字列配列が必要です"
                         : numeric     ? "数字配列が必要です"
                                       : "文字列配列が必要です";
    TTokenKinds arrays, scalars;
    if (numeric) {
        arrays = arrays | kinds::kNumArrays;
        scalars = scalars | kinds::kNumVars;
    }
    if (string) {
        arrays = arrays | kinds::kStrArrays;
        scalars = scalars | kinds::kStrVars;
    }
    TToken t = ctx_.Expect(prompt, arrays | scalars | (constantAllowed ? TTokenKinds{tiLBracket} : TTokenKinds{}));
    if (t.kind == tiLBracket) return ArrayConstant(out, !numeric);
    if (scalars.Has(t.kind))
        throw ESrcReaderError(t.text + (kinds::kNumVars.Has(t.kind) ? " は数字配列ではありません" : " は文字列配列ではありません"));
    out.WriteWord(OperandWord(t));
    out.WriteWord(0);
}

void TExprCompiler::ArrayConstant(TSenObject& out, bool isString)
{
    out.WriteWord(bc::bcArrayBegin);
    const std::size_t countAt = out.Position();
    out.WriteWord(0);
    std::int32_t count = 0;
    const TTokenKinds endings{tiComma, tiRBracket};
    TTokenKind end;
    do {
        ++count;
        end = (isString ? StrExpr(out, endings, "] か , が必要です") : NumExpr(out, endings, "] か , が必要です")).kind;
    } while (end == tiComma);
    out.PatchWord(countAt, count);
    out.WriteWord(bc::bcArrayEnd);
}

void TExprCompiler::ListOfStrings(TSenObject& out, int most)
{
    for (int n = 1;; ++n) {
        const bool mustEnd = most > 0 && n == most;
        TToken end = mustEnd ? StrExpr(out, {tiRParen}, ") が必要です")
                             : StrExpr(out, {tiComma, tiRParen}, ", か ) が必要です");
        if (end.kind == tiRParen) break;
    }
    out.WriteWord(bc::bcListEnd);
}

void TExprCompiler::Arms(TSenObject& out, bool isString)
{
    const TTokenKinds starts = isString ? kinds::kStrOperands : kinds::kNumExprStart;
    const char* startPrompt = isString ? "文字列が必要です" : "数字が必要です";
    for (bool first = true;; first = false) {
        TToken t = ctx_.Expect(startPrompt, first ? starts : starts | TTokenKinds{tiElse});
        if (t.kind == tiElse) {
            out.WriteWord(bc::bcElse);
            ctx_.Expect(", が必要です", {tiComma});
            ArmBlock(out);
            ctx_.Expect(isString ? " ) が必要です" : ") が必要です", {tiRParen});
            break;
        }
        if (isString)
            StrExpr(out, {tiComma}, ", が必要です", &t);
        else
            NumExpr(out, {tiComma}, ", が必要です", &t);
        ArmBlock(out);
        if (ctx_.Expect(", か ) が必要です", {tiComma, tiRParen}).kind == tiRParen) break;
    }
    out.WriteWord(bc::bcListEnd);
}

bool TExprCompiler::SharedArgument(TSenObject& out, char letter, bool last, const char* commaPrompt,
                                   const char* closePrompt)
{
    const TTokenKinds end = last ? TTokenKinds{tiRParen} : TTokenKinds{tiComma};
    const char* endPrompt = last ? closePrompt : commaPrompt;
    switch (letter) {
    case 'N': NumExpr(out, end, endPrompt); return true;
    case 'S': StrExpr(out, end, endPrompt); return true;
    case 'V': NumVarRef(out); break;
    case 'T': StrVarRef(out); break;
    case 'W':
    case 'R':
    case 'X':
    case 'Y':
    case 'Z': WholeArray(out, letter); break;
    default: return false;
    }
    ctx_.Expect(endPrompt, end);
    return true;
}

void TExprCompiler::BuiltinArguments(TSenObject& out, std::string_view signature)
{
    if (signature == bc::kNoArgs) {
        ctx_.Expect(") がありません", {tiRParen});
        return;
    }
    for (std::size_t i = 0; i < signature.size(); ++i) {
        const bool last = i + 1 == signature.size();
        const char letter = signature[i];
        // R and X are letters of user routines only.
        if (letter != 'R' && letter != 'X' && SharedArgument(out, letter, last, ", が必要です", ") が必要です")) continue;
        switch (letter) {
        case '+':
            out.WriteWord(OperatorWord(ctx_.Expect("+ - * / % & | ^のどれかを指定してください", kinds::kArithmetic).kind));
            if (last)
                ctx_.Expect(") が必要です", {tiRParen});
            else
                ctx_.Expect(", がありません", {tiComma});
            break;
        case 'A': ListOfStrings(out, 0); break;
        case 'F': ListOfStrings(out, 5); break;
        case 'C': Arms(out, true); break;
        case 'I': Arms(out, false); break;
        case 'B': Condition(out); break;
        default: throw ESrcReaderError(std::string("未知のパラメータ指定 : ") + letter);
        }
    }
}

void TExprCompiler::RoutineArguments(TSenObject& out, std::string_view letters)
{
    if (letters.empty()) {
        ctx_.Expect(") がみつかりません", {tiRParen});
        return;
    }
    for (std::size_t i = 0; i < letters.size(); ++i)
        SharedArgument(out, letters[i], i + 1 == letters.size(), ", がありません", ") がありません");
}

void TExprCompiler::RoutineCall(TSenObject& out, const TToken& name)
{
    const TCallKind* call = nullptr;
    for (const TCallKind& c : kCallKinds)
        if (c.kind == name.kind) call = &c;
    const int n = ctx_.analyzer.NumberOf(name.kind, name.text);
    if (n < 0) throw ESrcReaderError(call->lookupPrefix + name.text + " のIDが取得できません");
    out.WriteWord(call->word(n));
    ctx_.Expect("( がみつかりません", {tiLParen});
    RoutineArguments(out, ctx_.analyzer.SignatureOf(name.kind, name.text).value_or(""));
    out.WriteWord(0);
}

void TExprCompiler::Condition(TSenObject& out)
{
    TNestingLevel level(ctx_);
    if (conditionNesting_ == 0) conditionGroups_.clear();
    ++conditionNesting_;
    struct TLeave {
        int& n;
        ~TLeave() { --n; }
    } leave{conditionNesting_};

    out.WriteWord(bc::bcCondBegin);
    for (;;) {
        TTokenKind end = Term(out);
        if (end == tiError) end = ctx_.Expect(") かANDかORが必要です", {tiRParen, tiAnd, tiOr}).kind;
        if (end == tiRParen) break;
        out.WriteWord(end == tiAnd ? bc::bcAnd : bc::bcOr);
    }
    out.WriteWord(bc::bcCondEnd);
}

TTokenKind TExprCompiler::Term(TSenObject& out)
{
    static constexpr TTokenKinds kTermStarts =
        kinds::kNumOperands | kinds::kStrOperands | TTokenKinds{tiLParen, tiNot, tiCondFunc, tiFalse, tiTrue, tiBoolFunc};
    TSrcPosition before = ctx_.reader->SavePosition();
    TToken t = ctx_.Expect("判定式が必要です", kTermStarts);
    if (t.kind == tiNot) {
        out.WriteWord(bc::bcNot);
        // A comparison after NOT must be in parentheses.
        before = ctx_.reader->SavePosition();
        t = ctx_.Expect("判定式が必要です", {tiLParen, tiCondFunc, tiBoolFunc});
    }
    switch (t.kind) {
    case tiLParen: {
        if (HoldsCondition()) {
            Condition(out);
            return tiError;
        }
        // A parenthesised expression on the left of a comparison.
        TToken inner = ctx_.Expect("数字 又は 文字列 が必要です", kinds::kNumExprStart | kinds::kStrOperands);
        ctx_.reader->RestorePosition(before);
        return Comparison(out, kinds::kStrOperands.Has(inner.kind));
    }
    case tiCondFunc: {
        const int id = ctx_.analyzer.NumberOf(tiCondFunc, t.text);
        if (id < 0) throw ESrcReaderError("判定式 " + t.text + " のIDが取得できません");
        out.WriteWord(id);
        ctx_.Expect("( がありません", {tiLParen});
        std::optional<std::string> signature = ctx_.analyzer.SignatureOf(tiCondFunc, t.text);
        if (!signature) throw ESrcReaderError("判定式 " + t.text + " のパラメータ定義が取得できません");
        BuiltinArguments(out, *signature);
        return tiError;
    }
    case tiFalse:
    case tiTrue:
        out.WriteWord(bc::bcBoolConst);
        out.WriteWord(t.kind == tiTrue ? 1 : 0);
        return tiError;
    case tiBoolFunc: RoutineCall(out, t); return tiError;
    default:
        ctx_.reader->RestorePosition(before);
        return Comparison(out, kinds::kStrOperands.Has(t.kind));
    }
}

TTokenKind TExprCompiler::Comparison(TSenObject& out, bool isString)
{
    const std::size_t start = out.Position();
    auto side = [&](TTokenKinds endings, std::string_view prompt) {
        return isString ? StrExpr(out, endings, prompt) : NumExpr(out, endings, prompt);
    };
    const TToken symbol = side(kinds::kComparisons, "比較演算子が必要です");
    const std::string_view function = ComparisonFunction(symbol.kind, isString);
    const int id = ctx_.analyzer.NumberOf(tiCondFunc, function);
    if (id < 0) throw ESrcReaderError("判定式 " + std::string(function) + " のIDが取得できません");
    InsertWord(out, start, id);
    return side({tiRParen, tiAnd, tiOr}, "AND 又は OR 又は ) が必要です").kind;
}

bool TExprCompiler::HoldsCondition()
{
    static constexpr TTokenKinds kLookAhead =
        kinds::kNumOperands | kinds::kStrOperands | kinds::kComparisons | kinds::kArithmetic |
        TTokenKinds{tiLParen, tiRParen, tiLBracket, tiRBracket, tiNot, tiCondFunc, tiIntFunc, tiStrFunc, tiBoolFunc};
    TSrcReader& reader = *ctx_.reader;
    const TSrcPosition start = reader.SavePosition();
    if (conditionGroups_.count(start.position)) return true;

    // Every parenthesis still open when a condition word is met holds a
    // condition too; remembering them keeps nested look-aheads linear.
    std::vector<std::size_t> open{start.position};
    bool condition = false;
    while (!open.empty()) {
        const TToken t = ctx_.Expect("判定式で使用できないものです", kLookAhead);
        if (t.kind == tiLParen) {
            open.push_back(reader.SavePosition().position);
            if (ctx_.depth + static_cast<int>(open.size()) > kMaxNesting) NestingTooDeep();
        } else if (t.kind == tiRParen) {
            open.pop_back();
        } else if (t.kind == tiNot || t.kind == tiCondFunc || kinds::kComparisons.Has(t.kind)) {
            conditionGroups_.insert(open.begin(), open.end());
            condition = true;
            break;
        }
    }
    reader.RestorePosition(start);
    return condition;
}
