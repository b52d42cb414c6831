#include "compiler/statements.h"

#include <string>

#include "compiler/kindsets.h"
#include "script-format/binconst.h"
#include "script-format/binconst_catalog.h"
#include "script-format/vtlname.h"

namespace {

constexpr TTokenKinds kStatementStarts =
    kinds::kNumVars | kinds::kNumArrays | kinds::kStrVars | kinds::kStrArrays | kinds::kRoutines |
    TTokenKinds{tiEnd, tiIf, tiWhile, tiRepeat, tiFor, tiCase, tiStrCase, tiTry, tiSysProc};

constexpr std::int32_t kReturnId = bc::BuiltinId(bc::TBuiltinKind::SysProc, "Return");

struct TMatchKind {
    TTokenKind kind;
    std::int32_t word;
};
constexpr TMatchKind kMatchKinds[] = {
    {tiStr, bc::bcMatchStr},         {tiText, bc::bcMatchText},         {tiRegStr, bc::bcMatchRegStr},
    {tiRegText, bc::bcMatchRegText}, {tiMaskStr, bc::bcMatchMaskStr}, {tiMaskText, bc::bcMatchMaskText},
};

}  // namespace

bool TStmtCompiler::CompileBody(TSenObject& out, bool forwardAllowed)
{
    if (forwardAllowed) {
        if (ctx_.Expect("{ か ; が必要です", {tiBegin, tiSemicolon}).kind == tiSemicolon) {
            if (UpperName(ctx_.reader->NextToken()) != "FORWARD") throw ESrcReaderError("FORWARD が必要です");
            ctx_.Expect("; が必要です", {tiSemicolon});
            ctx_.Progress("  FORWARD宣言");
            return false;
        }
    } else {
        ctx_.Expect("{ が必要です", {tiBegin});
    }
    CompileCompound(out, true);
    return true;
}

void TStmtCompiler::CompileBlock(TSenObject& out, bool braceToRead)
{
    if (braceToRead) ctx_.Expect("{ が見つかりません", {tiBegin});
    CompileCompound(out, false);
}

void TStmtCompiler::CompileCompound(TSenObject& out, bool outermost)
{
    TNestingLevel level(ctx_);
    const std::size_t size = out.BeginCompound();
    const TTokenKinds starts = outermost ? kStatementStarts | TTokenKinds{tiVar} : kStatementStarts;
    for (bool first = true;; first = false) {
        const TToken t = ctx_.Expect("文が必要です", starts);
        if (t.kind == tiEnd) break;
        if (t.kind != tiVar)
            Statement(out, t);
        else if (first)
            LocalDeclarations(out);
        else
            throw ESrcReaderError("VAR は複文の先頭でのみ使用可能です");
    }
    out.EndCompound(size);
}

void TStmtCompiler::Statement(TSenObject& out, const TToken& t)
{
    if (kinds::kNumVars.Has(t.kind) || kinds::kNumArrays.Has(t.kind)) return NumAssignment(out, t);
    if (kinds::kStrVars.Has(t.kind) || kinds::kStrArrays.Has(t.kind)) return StrAssignment(out, t);
    switch (t.kind) {
    case tiIf: return If(out);
    case tiWhile: return While(out);
    case tiRepeat: return Repeat(out);
    case tiFor: return For(out);
    case tiTry: return Try(out);
    case tiCase: return Case(out, false);
    case tiStrCase: return Case(out, true);
    case tiSysProc: return ProcedureCall(out, t);
    default: return RoutineCallStatement(out, t);
    }
}

std::int32_t TStmtCompiler::ProcedureId(std::string_view name) const
{
    const int id = ctx_.analyzer.NumberOf(tiSysProc, name);
    if (id < 0) throw ESrcReaderError("システム手続き " + std::string(name) + " のIDが取得できません");
    return id;
}

void TStmtCompiler::LocalDeclarations(TSenObject& out)
{
    decls_.LocalVars();
    const TRoutineScope& s = ctx_.analyzer.scope;
    out.WriteWord(bc::bcVar);
    out.WriteWord(s.localNums.Count());
    out.WriteWord(s.localStrs.Count());
    out.WriteWord(s.localNumArrays.Count());
    for (int i = 0; i < s.localNumArrays.Count(); ++i) out.WriteWord(s.localNumArrays.PayloadAt(i).Size());
    out.WriteWord(s.localStrArrays.Count());
    for (int i = 0; i < s.localStrArrays.Count(); ++i) out.WriteWord(s.localStrArrays.PayloadAt(i).Size());

    if (!ctx_.verbose) return;
    auto names = [&](const char* heading, const auto& list) {
        ctx_.Progress(heading);
        for (int i = 0; i < list.Count(); ++i) ctx_.Progress("    " + list.NameAt(i));
    };
    auto arrays = [&](const char* heading, const auto& list) {
        ctx_.Progress(heading);
        for (int i = 0; i < list.Count(); ++i)
            ctx_.Progress("    " + list.NameAt(i) + "[" + std::to_string(list.PayloadAt(i).Size()) + "]");
    };
    names("  LocalNum", s.localNums);
    names("  LocalStr", s.localStrs);
    arrays("  LocalArrayNum", s.localNumArrays);
    arrays("  LocalArrayStr", s.localStrArrays);
}

void TStmtCompiler::NumAssignment(TSenObject& out, const TToken& target)
{
    out.WriteWord(ProcedureId("SetNum"));
    out.WriteWord(OperandWord(target));
    if (kinds::kNumArrays.Has(target.kind)) {
        ArrayIndex(out, 0);
        ctx_.Expect("= がありません", {tiEqual});
    } else {
        ctx_.Expect("= が見つかりません", {tiEqual});
    }
    NumExpr(out, {tiSemicolon}, "; が必要です");
}

void TStmtCompiler::StrAssignment(TSenObject& out, const TToken& target)
{
    out.WriteWord(ProcedureId("AddStr"));
    out.WriteWord(OperandWord(target));
    const bool element = kinds::kStrArrays.Has(target.kind);
    if (element) {
        ArrayIndex(out, 0);
        ctx_.Expect("= がありません", {tiEqual});
    } else {
        ctx_.Expect("= が見つかりません", {tiEqual});
    }
    // Single operands, not expressions; an element takes no function result.
    const TTokenKinds operands = element ? kinds::kStrValues : kinds::kStrOperands;
    do {
        StrOperand(out, ctx_.Expect("文字列が必要です", operands));
    } while (ctx_.Expect("+ か ; が必要です", {tiPlus, tiSemicolon}).kind == tiPlus);
    out.WriteWord(bc::bcListEnd);
}

void TStmtCompiler::If(TSenObject& out)
{
    out.WriteWord(bc::bcIf);
    ctx_.Expect("( が必要です", {tiLParen});
    Condition(out);
    CompileBlock(out, ctx_.Expect("THEN、又は複文が必要です", {tiThen, tiBegin}).kind == tiThen);
    for (;;) {
        const TTokenKind next = ctx_.Expect("; が必要です", {tiSemicolon, tiElseIf, tiElse}).kind;
        if (next == tiSemicolon) break;
        if (next == tiElse) {
            out.WriteWord(bc::bcElse);
            CompileBlock(out, true);
            ctx_.Expect("; が必要です", {tiSemicolon});
            break;
        }
        out.WriteWord(bc::bcElseIf);
        ctx_.Expect("( が必要です", {tiLParen});
        Condition(out);
        ctx_.Expect("THENが必要です", {tiThen});
        CompileBlock(out, true);
    }
    out.WriteWord(bc::bcEndIf);
}

void TStmtCompiler::While(TSenObject& out)
{
    out.WriteWord(bc::bcWhile);
    ctx_.Expect("( が必要です", {tiLParen});
    Condition(out);
    CompileBlock(out, ctx_.Expect("DO、又は複文が必要です", {tiDo, tiBegin}).kind == tiDo);
    ctx_.Expect("; が見つかりません", {tiSemicolon});
    out.WriteWord(bc::bcEndWhile);
}

void TStmtCompiler::Repeat(TSenObject& out)
{
    out.WriteWord(bc::bcRepeat);
    CompileBlock(out, true);
    ctx_.Expect("UNTILが必要です", {tiUntil});
    ctx_.Expect("( が必要です", {tiLParen});
    Condition(out);
    ctx_.Expect("; が見つかりません", {tiSemicolon});
    out.WriteWord(bc::bcUntil);
}

void TStmtCompiler::For(TSenObject& out)
{
    out.WriteWord(bc::bcFor);
    NumVarRef(out);
    ctx_.Expect("= が必要です", {tiEqual});
    const TTokenKind direction = NumExpr(out, {tiTo, tiDownTo}, "TO か DOWNTO が必要です").kind;
    out.WriteWord(direction == tiTo ? bc::bcTo : bc::bcDownTo);
    NumExpr(out, {tiDo}, "DO が必要です");
    CompileBlock(out, true);
    ctx_.Expect("; が見つかりません", {tiSemicolon});
}

void TStmtCompiler::Try(TSenObject& out)
{
    out.WriteWord(bc::bcTry);
    CompileBlock(out, true);
    TTokenKind next = ctx_.Expect("EXCEPT か FINALLY が必要です", {tiExcept, tiFinally}).kind;
    if (next == tiExcept) {
        out.WriteWord(bc::bcExcept);
        CompileBlock(out, true);
        next = ctx_.Expect("FINALLY か ; が必要です", {tiFinally, tiSemicolon}).kind;
    }
    if (next == tiFinally) {
        out.WriteWord(bc::bcFinally);
        CompileBlock(out, true);
        ctx_.Expect("; が必要です", {tiSemicolon});
    }
    out.WriteWord(bc::bcEndTry);
}

void TStmtCompiler::Case(TSenObject& out, bool strings)
{
    auto label = [&](TTokenKinds endings, std::string_view prompt, const TToken* first = nullptr) {
        return strings ? StrExpr(out, endings, prompt, first) : NumExpr(out, endings, prompt, first);
    };
    out.WriteWord(strings ? bc::bcStrCase : bc::bcCase);
    if (!strings) {
        label({tiOf}, "OF が必要です");
    } else {
        std::int32_t match = bc::bcMatchStr;
        if (label({tiOf, tiAs}, "OF 又は AS が必要です").kind == tiAs) {
            const TTokenKind kind = ctx_.Expect("STR,TEXT,REGSTR,REGTEXT,MASKSTR,MASKTEXTのいずれかが必要です",
                                                {tiStr, tiText, tiRegStr, tiRegText, tiMaskStr, tiMaskText})
                                        .kind;
            for (const TMatchKind& m : kMatchKinds)
                if (m.kind == kind) match = m.word;
            ctx_.Expect("OF が必要です", {tiOf});
        }
        out.WriteWord(match);
    }
    ctx_.Expect("{ が必要です", {tiBegin});

    const TTokenKinds labelStarts = (strings ? kinds::kStrOperands : kinds::kNumExprStart) | TTokenKinds{tiElse};
    const char* laterArm = strings ? "文字列 又は ELSEが必要です" : "数字 又は ELSE が必要です";
    for (bool first = true;; first = false) {
        TToken start;
        if (!first) {
            start = ctx_.Expect(laterArm, labelStarts);
            if (start.kind == tiElse) {
                out.WriteWord(bc::bcElse);
                ctx_.Expect(": が必要です", {tiColon});
                out.WriteWord(bc::bcListEnd);
                CompileBlock(out, true);
                ctx_.Expect("} が必要です", {tiEnd});
                break;
            }
        }
        const TToken* given = first ? nullptr : &start;
        while (label({tiComma, tiColon}, ", 又は : が必要です", given).kind == tiComma) given = nullptr;
        out.WriteWord(bc::bcListEnd);
        CompileBlock(out, true);
        if (ctx_.Expect(", か } が必要です", {tiComma, tiEnd}).kind == tiEnd) break;
    }
    out.WriteWord(bc::bcListEnd);
    ctx_.Expect("; がありません", {tiSemicolon});
}

void TStmtCompiler::ProcedureCall(TSenObject& out, const TToken& name)
{
    if (SameName(name.text, "ChangeKeySet") && ctx_.sectionKind != tiPreKeyDecl && ctx_.sectionKind != tiSubDecl)
        throw ESrcReaderError(name.text + " は #PREKEY でのみ使用可能です");
    std::int32_t id = ProcedureId(name.text);
    std::optional<std::string> signature = ctx_.analyzer.SignatureOf(tiSysProc, name.text);
    if (id == kReturnId && ctx_.funcKind != TFuncKind::None) {
        // A function returns its value with the Return of its type.
        switch (ctx_.funcKind) {
        case TFuncKind::Int: id = bc::bcReturnInt, signature = "N"; break;
        case TFuncKind::Str: id = bc::bcReturnStr, signature = "S"; break;
        default: id = bc::bcReturnBool, signature = "B"; break;
        }
    }
    ctx_.Expect("( がありません", {tiLParen});
    if (!signature) throw ESrcReaderError("システム手続き " + name.text + " のパラメータ定義が取得できません");
    out.WriteWord(id);
    BuiltinArguments(out, *signature);
    ctx_.Expect("; がありません", {tiSemicolon});
}

void TStmtCompiler::RoutineCallStatement(TSenObject& out, const TToken& name)
{
    RoutineCall(out, name);
    ctx_.Expect("; が見つかりません", {tiSemicolon});
}
