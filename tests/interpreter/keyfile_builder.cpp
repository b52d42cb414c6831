#include "interpreter/keyfile_builder.h"

#include <stdexcept>

#include "script-format/binconst_catalog.h"

namespace kb {

TCode W(std::int32_t word)
{
    TCode s(4, '\0');
    for (int i = 0; i < 4; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint32_t>(word) >> (8 * i));
    return s;
}

TCode I64(std::int64_t v)
{
    TCode s(8, '\0');
    for (int i = 0; i < 8; ++i) s[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i));
    return s;
}

TCode Padded(std::string_view s)
{
    return W(static_cast<std::int32_t>(s.size())) + TCode(s) + TCode(4 - s.size() % 4, '\0');
}

TCode Num(std::int64_t v) { return W(bc::bcNumConst) + I64(v); }
TCode Str(std::string_view s) { return W(bc::bcStrConst) + Padded(s); }
TCode Bool(bool b) { return W(bc::bcBoolConst) + W(b ? 1 : 0); }

namespace {
TCode Operand(bool isString, bool isArray, bc::Scope scope, int n)
{
    return W(bc::OperandClass(isString, isArray, scope) << 16 | n);
}
std::int32_t Id(bc::TBuiltinKind kind, std::string_view name)
{
    const bc::TBuiltin* b = bc::FindBuiltin(kind, name);
    if (!b) throw std::invalid_argument("no builtin " + std::string(name));
    return b->id;
}
TCode Join(std::initializer_list<TCode> parts)
{
    TCode s;
    for (const TCode& p : parts) s += p;
    return s;
}
TCode Arms(std::initializer_list<TArm> arms)
{
    TCode s;
    for (const TArm& a : arms) {
        for (const TCode& l : a.labels) s += l;
        s += W(bc::bcListEnd) + a.body;
    }
    return s + W(bc::bcListEnd);
}
TCode Call(std::int32_t word, std::initializer_list<TCode> args) { return W(word) + Join(args) + W(0); }
}  // namespace

TCode GN(int n) { return Operand(false, false, bc::scGlobal, n); }
TCode LN(int n) { return Operand(false, false, bc::scLocal, n); }
TCode AN(int n) { return Operand(false, false, bc::scValueArg, n); }
TCode VN(int n) { return Operand(false, false, bc::scVarArg, n); }
TCode GS(int n) { return Operand(true, false, bc::scGlobal, n); }
TCode LS(int n) { return Operand(true, false, bc::scLocal, n); }
TCode AS(int n) { return Operand(true, false, bc::scValueArg, n); }
TCode VS(int n) { return Operand(true, false, bc::scVarArg, n); }
TCode GNA(int n) { return Operand(false, true, bc::scGlobal, n); }
TCode LNA(int n) { return Operand(false, true, bc::scLocal, n); }
TCode ANA(int n) { return Operand(false, true, bc::scValueArg, n); }
TCode VNA(int n) { return Operand(false, true, bc::scVarArg, n); }
TCode GSA(int n) { return Operand(true, true, bc::scGlobal, n); }
TCode LSA(int n) { return Operand(true, true, bc::scLocal, n); }
TCode ASA(int n) { return Operand(true, true, bc::scValueArg, n); }
TCode VSA(int n) { return Operand(true, true, bc::scVarArg, n); }
TCode At(const TCode& array, const TCode& index) { return array + index; }
TCode Whole(const TCode& array) { return array + W(0); }
TCode ArrayConst(std::initializer_list<TCode> elements)
{
    return W(bc::bcArrayBegin) + W(static_cast<std::int32_t>(elements.size())) + Join(elements) + W(bc::bcArrayEnd);
}

TCode Expr(std::initializer_list<TCode> parts) { return W(bc::bcExprBegin) + Join(parts) + W(bc::bcExprEnd); }

TCode Op(char op)
{
    switch (op) {
    case '+': return W(bc::bcOpAdd);
    case '-': return W(bc::bcOpSub);
    case '*': return W(bc::bcOpMul);
    case '/': return W(bc::bcOpDiv);
    case '%': return W(bc::bcOpMod);
    case '&': return W(bc::bcOpAnd);
    case '|': return W(bc::bcOpOr);
    case '^': return W(bc::bcOpXor);
    }
    throw std::invalid_argument("no operator");
}

TCode Proc(std::string_view name) { return W(Id(bc::TBuiltinKind::SysProc, name)); }
TCode CondFn(std::string_view name) { return W(Id(bc::TBuiltinKind::CondFunc, name)); }
TCode SysNum(std::string_view name) { return W(Id(bc::TBuiltinKind::SysNum, name)); }
TCode SysStr(std::string_view name) { return W(Id(bc::TBuiltinKind::SysStr, name)); }
TCode Call(std::string_view proc, std::initializer_list<TCode> args) { return Proc(proc) + Join(args); }
TCode Term(std::string_view cond, std::initializer_list<TCode> args) { return CondFn(cond) + Join(args); }
TCode Cond(std::initializer_list<TCode> terms) { return W(bc::bcCondBegin) + Join(terms) + W(bc::bcCondEnd); }
TCode And() { return W(bc::bcAnd); }
TCode Or() { return W(bc::bcOr); }
TCode Not() { return W(bc::bcNot); }
TCode List(std::initializer_list<TCode> items) { return Join(items) + W(bc::bcListEnd); }

TCode Block(const std::vector<TCode>& statements)
{
    TCode body;
    for (const TCode& s : statements) body += s;
    return W(bc::bcCompoundBegin) + W(static_cast<std::int32_t>(body.size())) + body + W(bc::bcCompoundEnd);
}
TCode Block(std::initializer_list<TCode> statements) { return Block(std::vector<TCode>(statements)); }

TCode Var(int nums, int strs, std::vector<int> numArrays, std::vector<int> strArrays)
{
    TCode s = W(bc::bcVar) + W(nums) + W(strs) + W(static_cast<std::int32_t>(numArrays.size()));
    for (int n : numArrays) s += W(n);
    s += W(static_cast<std::int32_t>(strArrays.size()));
    for (int n : strArrays) s += W(n);
    return s;
}

TCode If(const TCode& cond, const TCode& then) { return W(bc::bcIf) + cond + then + W(bc::bcEndIf); }
TCode IfElse(const TCode& cond, const TCode& then, const TCode& otherwise)
{
    return W(bc::bcIf) + cond + then + W(bc::bcElse) + otherwise + W(bc::bcEndIf);
}
TCode While(const TCode& cond, const TCode& body) { return W(bc::bcWhile) + cond + body + W(bc::bcEndWhile); }
TCode Repeat(const TCode& body, const TCode& cond) { return W(bc::bcRepeat) + body + cond + W(bc::bcUntil); }
TCode ForTo(const TCode& var, const TCode& first, const TCode& last, const TCode& body)
{
    return W(bc::bcFor) + var + first + W(bc::bcTo) + last + body;
}
TCode ForDownTo(const TCode& var, const TCode& first, const TCode& last, const TCode& body)
{
    return W(bc::bcFor) + var + first + W(bc::bcDownTo) + last + body;
}
TCode Case(const TCode& selector, std::initializer_list<TArm> arms) { return W(bc::bcCase) + selector + Arms(arms); }
TCode StrCase(const TCode& selector, std::int32_t matchWord, std::initializer_list<TArm> arms)
{
    return W(bc::bcStrCase) + selector + W(matchWord) + Arms(arms);
}
TCode Try(const TCode& body, const TCode* except, const TCode* finally)
{
    TCode s = W(bc::bcTry) + body;
    if (except) s += W(bc::bcExcept) + *except;
    if (finally) s += W(bc::bcFinally) + *finally;
    return s + W(bc::bcEndTry);
}

TCode CallSub(int n, std::initializer_list<TCode> args) { return Call(bc::CallSubWord(n), args); }
TCode CallNumFunc(int n, std::initializer_list<TCode> args) { return Call(bc::CallIntFuncWord(n), args); }
TCode CallStrFunc(int n, std::initializer_list<TCode> args) { return Call(bc::CallStrFuncWord(n), args); }
TCode CallBoolFunc(int n, std::initializer_list<TCode> args) { return Call(bc::CallBoolFuncWord(n), args); }

TCode SetNum(const TCode& target, const TCode& value) { return Call("SetNum", {target, value}); }
TCode SetStr(const TCode& target, const TCode& value) { return Call("SetStr", {target, value}); }
TCode Show(const TCode& text) { return Call("ShowMessage", {text, Str("out"), Num(0)}); }

std::string FileOf(std::string_view version, const std::string& sections)
{
    return std::string(bc::kMagic) + std::string(version) + "\r\n\x1a" + sections;
}

}  // namespace kb
