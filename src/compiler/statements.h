#pragma once
// Statements and compound statements, written as code words into the
// code buffer of a routine, binding or special block.

#include "compiler/declarations.h"
#include "compiler/expressions.h"

class TStmtCompiler : public TExprCompiler {
public:
    explicit TStmtCompiler(TCompileContext& ctx) : TExprCompiler(ctx), decls_(ctx) {}

    // The outermost compound statement of a routine, binding or block, with
    // VAR allowed first. Where FORWARD is allowed, "; FORWARD ;" may stand
    // instead: then nothing is written and the result is false.
    bool CompileBody(TSenObject& out, bool forwardAllowed);

protected:
    void ArmBlock(TSenObject& out) override { CompileBlock(out, true); }

private:
    // A nested compound statement; its "{" may still have to be read.
    void CompileBlock(TSenObject& out, bool braceToRead);
    // The statements after a "{" up to its "}", framed as a compound statement.
    void CompileCompound(TSenObject& out, bool outermost);
    void Statement(TSenObject& out, const TToken& t);
    void LocalDeclarations(TSenObject& out);
    void NumAssignment(TSenObject& out, const TToken& target);
    void StrAssignment(TSenObject& out, const TToken& target);
    void If(TSenObject& out);
    void While(TSenObject& out);
    void Repeat(TSenObject& out);
    void For(TSenObject& out);
    void Try(TSenObject& out);
    void Case(TSenObject& out, bool strings);
    void ProcedureCall(TSenObject& out, const TToken& name);
    void RoutineCallStatement(TSenObject& out, const TToken& name);
    // The identifier of a system procedure the statements compile to.
    std::int32_t ProcedureId(std::string_view name) const;

    TDeclCompiler decls_;
};
