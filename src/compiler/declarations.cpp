#include "compiler/declarations.h"

#include <memory>

#include "compiler/expressions.h"
#include "compiler/kindsets.h"
#include "script-format/binconst.h"

namespace {

// "#" or "$" and at most 60 characters.
constexpr std::size_t kMaxVariableName = bc::kMaxNameLength + 1;
// Arguments and locals are numbered in the low half of their code word.
constexpr int kMaxPerList = 0x10000;

bool IsString(const TToken& name) { return name.text[0] == '$'; }

[[noreturn]] void TooMany()
{
    throw ESrcReaderError("引数・ローカル変数が多すぎます (種類ごとに 65536 個まで)");
}

template <class List>
void CheckRoom(const List& list)
{
    if (list.Count() >= kMaxPerList) TooMany();
}

}  // namespace

void TDeclCompiler::CheckLength(const TToken& name) const
{
    if (name.text.size() > kMaxVariableName) throw ESrcReaderError("名前は６０文字以内です");
}

void TDeclCompiler::WarnHiding(const TToken& name) const
{
    ctx_.Warning("  WARINIG : " + name.text + (IsString(name) ? " はグローバル文字列を隠します" : " はグローバル変数を隠します"));
}

std::int64_t TDeclCompiler::Constant()
{
    TToken t = ctx_.ExpectDecl("定数を指定してください", {tiNumConst, tiPlus, tiMinus});
    std::string text = t.text;
    if (t.kind != tiNumConst) text += ctx_.ExpectDecl("定数を指定してください", {tiNumConst}).text;
    std::optional<std::int64_t> v = VtlNumber(text);
    if (!v) throw ESrcReaderError(text + " は数字に変換できません");
    return *v;
}

std::string TDeclCompiler::StringConstant()
{
    return StringConstantValue(ctx_.ExpectDecl("文字列定数を指定してください", {tiStrConst, tiSpecialChar}));
}

std::int32_t TDeclCompiler::ArraySize()
{
    std::int64_t size = Constant();
    if (size < 1 || size > bc::kMaxArraySize)
        throw ESrcReaderError("添字は１以上" + std::to_string(bc::kMaxArraySize) + "以下です");
    ctx_.ExpectDecl("] がありません", {tiRBracket});
    return static_cast<std::int32_t>(size);
}

void TDeclCompiler::GlobalVars()
{
    TGlobalTables& globals = ctx_.analyzer.globals;
    for (;;) {
        TToken name = ctx_.ExpectDecl("識別子が必要です", kinds::kSystemNames | kinds::kGlobals | TTokenKinds{tiNewNum, tiNewStr});
        if (kinds::kSystemNames.Has(name.kind)) throw ESrcReaderError(name.text + " はシステムで使用しています");
        if (kinds::kGlobals.Has(name.kind)) throw ESrcReaderError(name.text + " は既に定義されています");
        CheckLength(name);
        TTokenKind next = ctx_.ExpectDecl("; か , か = か [ が必要です", {tiComma, tiSemicolon, tiEqual, tiLBracket}).kind;
        if (next == tiLBracket) {
            next = GlobalArray(name);
        } else {
            const bool initialised = next == tiEqual;
            if (IsString(name))
                globals.strs.AddStrInt(name.text, 0, initialised ? StringConstant() : std::string());
            else
                globals.nums.AddInt64(name.text, initialised ? Constant() : 0);
            if (initialised) next = ctx_.ExpectDecl("; か , が必要です", {tiComma, tiSemicolon}).kind;
        }
        if (next == tiSemicolon) return;
    }
}

TTokenKind TDeclCompiler::GlobalArray(const TToken& name)
{
    const std::int32_t size = ArraySize();
    TTokenKind next = ctx_.ExpectDecl("= か , か ; が必要です", {tiComma, tiSemicolon, tiEqual}).kind;
    auto fill = [&](auto& array, auto readValue) {
        if (next != tiEqual) return;
        ctx_.ExpectDecl("[ が必要です", {tiLBracket});
        for (std::int32_t i = 0; i < size; ++i) {
            array.Set(i, readValue());
            if (i + 1 < size)
                ctx_.ExpectDecl(",が必要です", {tiComma});
            else
                ctx_.ExpectDecl("] が必要です", {tiRBracket});
        }
        next = ctx_.ExpectDecl(", か ; が必要です", {tiComma, tiSemicolon}).kind;
    };
    TGlobalTables& globals = ctx_.analyzer.globals;
    if (IsString(name)) {
        auto array = std::make_unique<TStrArray>(name.text, size);
        fill(*array, [this] { return StringConstant(); });
        globals.strArrays.Add(name.text, std::move(array));
    } else {
        auto array = std::make_unique<TInt64Array>(name.text, size);
        fill(*array, [this] { return Constant(); });
        globals.numArrays.Add(name.text, std::move(array));
    }
    return next;
}

TParameters TDeclCompiler::Parameters()
{
    TRoutineScope& scope = ctx_.analyzer.scope;
    TParameters p;
    int perLetter[256] = {};
    ctx_.Expect("( が見つかりません", {tiLParen});
    for (;;) {
        TToken name = ctx_.Expect("引数かVAR が必要です", kinds::kAnyName | TTokenKinds{tiRParen, tiVar});
        if (name.kind == tiRParen) break;
        const bool byReference = name.kind == tiVar;
        if (byReference) name = ctx_.Expect("引数が必要です", kinds::kAnyName);
        if (kinds::kSystemNames.Has(name.kind)) throw ESrcReaderError(name.text + " はシステムで使用しています");
        if (kinds::kArguments.Has(name.kind)) throw ESrcReaderError(name.text + " は既に定義されています");
        CheckLength(name);
        if (kinds::kGlobals.Has(name.kind)) WarnHiding(name);

        TToken next = ctx_.Expect(", か ) か [ が必要です", {tiComma, tiRParen, tiLBracket});
        const bool array = next.kind == tiLBracket;
        if (array) {
            ctx_.Expect("] が必要です", {tiRBracket});
            next = ctx_.Expect(", か ) が必要です", {tiComma, tiRParen});
        }
        static constexpr char kLetters[2][2][3] = {{"NR", "SY"}, {"VX", "TZ"}};
        const char letter = kLetters[byReference][IsString(name)][array];
        if (++perLetter[static_cast<unsigned char>(letter)] > kMaxPerList) TooMany();
        scope.AddArgument(letter, name.text);
        if (!p.letters.empty()) p.display += ", ";
        p.display += (byReference ? "VAR " : "") + name.text + (array ? "[]" : "");
        p.letters += letter;
        if (next.kind == tiRParen) break;
    }
    return p;
}

void TDeclCompiler::LocalVars()
{
    TRoutineScope& scope = ctx_.analyzer.scope;
    for (;;) {
        TToken name = ctx_.ExpectDecl("識別子が必要です", kinds::kAnyName);
        const bool string = IsString(name);
        if (kinds::kSystemNames.Has(name.kind)) throw ESrcReaderError(name.text + " はシステムで使用しています");
        if (kinds::kArguments.Has(name.kind)) throw ESrcReaderError(name.text + " は引数で使用されています");
        // Looked up in the local lists themselves: the classifier names a
        // local that hides a global as the global.
        const bool local = string ? scope.localStrs.IndexOf(name.text) >= 0 || scope.localStrArrays.IndexOf(name.text) >= 0
                                  : scope.localNums.IndexOf(name.text) >= 0 || scope.localNumArrays.IndexOf(name.text) >= 0;
        if (local) throw ESrcReaderError(name.text + " は既に定義されています");
        CheckLength(name);
        if (kinds::kGlobals.Has(name.kind)) WarnHiding(name);

        TToken next = ctx_.ExpectDecl("; か , か [ が必要です", {tiComma, tiSemicolon, tiLBracket});
        if (next.kind == tiLBracket) {
            const std::int32_t size = ArraySize();
            next = ctx_.ExpectDecl("; か , が必要です", {tiComma, tiSemicolon});
            if (string) {
                CheckRoom(scope.localStrArrays);
                scope.localStrArrays.AddArray(name.text, size);
            } else {
                CheckRoom(scope.localNumArrays);
                scope.localNumArrays.AddArray(name.text, size);
            }
        } else if (string) {
            CheckRoom(scope.localStrs);
            scope.localStrs.AddName(name.text);
        } else {
            CheckRoom(scope.localNums);
            scope.localNums.AddName(name.text);
        }
        if (next.kind == tiSemicolon) return;
    }
}
