#pragma once
// Expressions, operands, array references, conditions and the arguments of
// calls, written as code words into a code buffer. There is no precedence
// and no folding: the words follow the source.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "compiler/compilecontext.h"
#include "script-format/senobject.h"

// The value of a number token (decimal, or hexadecimal after "0x").
std::int64_t NumberConstantValue(const std::string& token);
// The value of a string constant (without its quotes) or of a special
// character (\n, \r, \t or a backslash and two hexadecimal digits).
std::string StringConstantValue(const TToken& t);

class TExprCompiler {
public:
    explicit TExprCompiler(TCompileContext& ctx) : ctx_(ctx) {}
    virtual ~TExprCompiler() = default;
    TExprCompiler(const TExprCompiler&) = delete;
    TExprCompiler& operator=(const TExprCompiler&) = delete;

    // An expression up to one of the endings, which it consumes and returns;
    // prompt is the message for a wrong ending. first, when given, is the
    // expression's first token, already read.
    TToken NumExpr(TSenObject& out, TTokenKinds endings, std::string_view prompt, const TToken* first = nullptr);
    TToken StrExpr(TSenObject& out, TTokenKinds endings, std::string_view prompt, const TToken* first = nullptr);
    // One operand whose first token has been read.
    void NumOperand(TSenObject& out, const TToken& t);
    void StrOperand(TSenObject& out, const TToken& t);
    // A numeric or string variable, or an element of an array, of the program.
    void NumVarRef(TSenObject& out, std::string_view prompt = "ユーザー変数が必要です");
    void StrVarRef(TSenObject& out, std::string_view prompt = "文字列が必要です");
    // The index expressions after an array's word (systemId 0 for user arrays).
    void ArrayIndex(TSenObject& out, std::int32_t systemId);
    // A condition whose "(" has been read, up to and including its ")".
    void Condition(TSenObject& out);
    // The arguments of a builtin after its "(", by its signature, up to and
    // including the ")".
    void BuiltinArguments(TSenObject& out, std::string_view signature);
    // A user routine's call word, "(", its arguments and the terminator.
    void RoutineCall(TSenObject& out, const TToken& name);
    // The word of a variable or array of any scope (the identifier for
    // system names).
    std::int32_t OperandWord(const TToken& t) const;

protected:
    // A compound statement in braces: the arms of C and I arguments.
    virtual void ArmBlock(TSenObject& out) = 0;

    TCompileContext& ctx_;

private:
    void WriteVariable(TSenObject& out, const TToken& t);
    void WholeArray(TSenObject& out, char letter);
    void ArrayConstant(TSenObject& out, bool isString);
    void ListOfStrings(TSenObject& out, int most);
    void Arms(TSenObject& out, bool isString);
    void RoutineArguments(TSenObject& out, std::string_view letters);
    // An argument of a letter builtins and user routines share (N S V T and
    // the arrays), up to its "," or, the last, its ")"; false for others.
    bool SharedArgument(TSenObject& out, char letter, bool last, const char* commaPrompt, const char* closePrompt);
    // One condition term; returns the kind that ended it when it consumed
    // the ")", AND or OR after it, otherwise tiError.
    TTokenKind Term(TSenObject& out);
    TTokenKind Comparison(TSenObject& out, bool isString);
    // After a "(" in a condition: whether the parentheses hold a condition.
    bool HoldsCondition();

    // Starts of parentheses already known to hold a condition, found by an
    // enclosing look-ahead; valid while one outermost condition is compiled.
    std::unordered_set<std::size_t> conditionGroups_;
    int conditionNesting_ = 0;
};
