#pragma once
// Key-assign files for tests, written code word by code word: operands,
// expressions, conditions, statements and compound statements as byte
// strings that concatenate into code.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/keyimage.h"
#include "script-format/binconst.h"

namespace kb {

using TCode = std::string;

TCode W(std::int32_t word);
TCode I64(std::int64_t v);
// A padded string: length, bytes, 1 to 4 zero bytes.
TCode Padded(std::string_view s);

TCode Num(std::int64_t v);
TCode Str(std::string_view s);
TCode Bool(bool b);

// Scalars and arrays by scope; n is the variable's number.
TCode GN(int n);
TCode LN(int n);
TCode AN(int n);
TCode VN(int n);
TCode GS(int n);
TCode LS(int n);
TCode AS(int n);
TCode VS(int n);
TCode GNA(int n);
TCode LNA(int n);
TCode ANA(int n);
TCode VNA(int n);
TCode GSA(int n);
TCode LSA(int n);
TCode ASA(int n);
TCode VSA(int n);
// An array element: the array word and its subscript expression.
TCode At(const TCode& array, const TCode& index);
// A whole array argument: the array word and 0.
TCode Whole(const TCode& array);
TCode ArrayConst(std::initializer_list<TCode> elements);

// A parenthesised expression or concatenation.
TCode Expr(std::initializer_list<TCode> parts);
// The operator word of + - * / % & | ^.
TCode Op(char op);

// The identifier of a procedure, condition or system variable (by name).
TCode Proc(std::string_view name);
TCode CondFn(std::string_view name);
TCode SysNum(std::string_view name);
TCode SysStr(std::string_view name);
// A procedure call statement: identifier and arguments.
TCode Call(std::string_view proc, std::initializer_list<TCode> args = {});
// A condition call term: identifier and arguments.
TCode Term(std::string_view cond, std::initializer_list<TCode> args);
TCode Cond(std::initializer_list<TCode> terms);
TCode And();
TCode Or();
TCode Not();
TCode List(std::initializer_list<TCode> items);

TCode Block(std::initializer_list<TCode> statements);
TCode Block(const std::vector<TCode>& statements);
TCode Var(int nums, int strs, std::vector<int> numArrays = {}, std::vector<int> strArrays = {});

TCode If(const TCode& cond, const TCode& then);
TCode IfElse(const TCode& cond, const TCode& then, const TCode& otherwise);
TCode While(const TCode& cond, const TCode& body);
TCode Repeat(const TCode& body, const TCode& cond);
TCode ForTo(const TCode& var, const TCode& first, const TCode& last, const TCode& body);
TCode ForDownTo(const TCode& var, const TCode& first, const TCode& last, const TCode& body);
// Arms: labels (a bcElse word for ELSE) and a block each.
struct TArm {
    std::vector<TCode> labels;
    TCode body;
};
TCode Case(const TCode& selector, std::initializer_list<TArm> arms);
TCode StrCase(const TCode& selector, std::int32_t matchWord, std::initializer_list<TArm> arms);
TCode Try(const TCode& body, const TCode* except, const TCode* finally);

// Calls of user routines: call word, arguments, terminator 0.
TCode CallSub(int n, std::initializer_list<TCode> args = {});
TCode CallNumFunc(int n, std::initializer_list<TCode> args = {});
TCode CallStrFunc(int n, std::initializer_list<TCode> args = {});
TCode CallBoolFunc(int n, std::initializer_list<TCode> args = {});

// Shorthands of the statements the tests use most.
TCode SetNum(const TCode& target, const TCode& value);
TCode SetStr(const TCode& target, const TCode& value);
// ShowMessage(text, "out", 0): one output line "[out] text".
TCode Show(const TCode& text);

// A whole file: the header of a version and the bytes after it.
std::string FileOf(std::string_view version, const std::string& sections);

}  // namespace kb
