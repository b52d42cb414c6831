// The code words written for every statement, expression, condition and
// argument form.
#include <gtest/gtest.h>

#include "compile_harness.h"
#include "script-format/binconst.h"

namespace {

using namespace bc;

// Globals: #a 0, #b 1; $s 0, $t 1; #arr 0; $sa 0. Routines: Sub0 0, Sub1 1;
// Fi, Fs, Fb 0 in their tables.
const char kPrelude[] =
    "#GLOBALVAR #a, #b, $s, $t, #arr[3], $sa[2];\r\n"
    "#SUB Sub0() { }\r\n"
    "#SUB Sub1(#n, $m) { }\r\n"
    "#FUNC INT Fi(#x) { }\r\n"
    "#FUNC STR Fs() { }\r\n"
    "#FUNC BOOL Fb(VAR #y) { }\r\n";

constexpr std::uint32_t A = 0x00420000, B = 0x00420001, S = 0x00520000, T = 0x00520001;
constexpr std::uint32_t Arr = 0x004A0000, SArr = 0x005A0000;

struct TWordsCase {
    const char* statements;
    Words expected;
};

void CheckCases(const std::vector<TWordsCase>& cases)
{
    for (const TWordsCase& c : cases) {
        Words got = StatementWords(kPrelude, c.statements);
        EXPECT_EQ(got, c.expected) << c.statements << "\n  got      " << Hex(got) << "\n  expected " << Hex(c.expected);
    }
}

Words Condition(const Words& terms) { return Seq({bcCondBegin, terms, bcCondEnd}); }
Words Expr(const Words& inner) { return Seq({bcExprBegin, inner, bcExprEnd}); }
Words If(const Words& condition) { return Seq({bcIf, condition, Block({}), bcEndIf}); }

TEST(CodeWords, Assignments)
{
    const std::uint32_t setNum = Proc("SetNum"), addStr = Proc("AddStr");
    CheckCases({
        {"#a = -5;", Seq({setNum, A, Num(-5)})},
        {"#a = - 5;", Seq({setNum, A, Num(-5)})},
        {"#b = 0x1F;", Seq({setNum, B, Num(31)})},
        {"#a = 0XffffFFFFffffFFFF;", Seq({setNum, A, Num(-1)})},
        {"#a = -0x10;", Seq({setNum, A, Num(-16)})},
        {"#a = +7;", Seq({setNum, A, Num(7)})},
        {"#a = 9223372036854775807;", Seq({setNum, A, Num(INT64_MAX)})},
        // No precedence: the words stay in source order.
        {"#a = 1 + 2 * 3;", Seq({setNum, A, Expr(Seq({Num(1), bcOpAdd, Num(2), bcOpMul, Num(3)}))})},
        {"#a = (1);", Seq({setNum, A, Expr(Num(1))})},
        {"#a = ((1));", Seq({setNum, A, Expr(Expr(Num(1)))})},
        {"#a = (#b + 1) * 2;", Seq({setNum, A, Expr(Seq({Expr(Seq({B, bcOpAdd, Num(1)})), bcOpMul, Num(2)}))})},
        {"#a = #b * -2;", Seq({setNum, A, Expr(Seq({B, bcOpMul, Num(-2)}))})},
        {"#a = 7 - -1;", Seq({setNum, A, Expr(Seq({Num(7), bcOpSub, Num(-1)}))})},
        {"#a = 1 % 2 & 3 | 4 ^ 5 / 6;",
         Seq({setNum, A,
              Expr(Seq({Num(1), bcOpMod, Num(2), bcOpAnd, Num(3), bcOpOr, Num(4), bcOpXor, Num(5), bcOpDiv, Num(6)}))})},
        {"#arr[#a + 1] = #arr[2];", Seq({setNum, Arr, Expr(Seq({A, bcOpAdd, Num(1)})), Arr, Num(2)})},
        // #_FILESIZE takes two indexes, #_DRIVESIZE one.
        {"#a = #_FILESIZE[1, 2] + #_DRIVESIZE[1];",
         Seq({setNum, A, Expr(Seq({0x00490201, Num(1), Num(2), bcOpAdd, 0x00490011, Num(1)}))})},
        {"#a = #_RESULT;", Seq({setNum, A, 0x00410031})},
        {"#a = Fi(#b) + 1;", Seq({setNum, A, Expr(Seq({0x00880000, B, 0, bcOpAdd, Num(1)}))})},
        {"#a = Fi(Fi(1));", Seq({setNum, A, 0x00880000, 0x00880000, Num(1), 0, 0})},
        {"#A = 1;", Seq({setNum, A, Num(1)})},
        // String assignments list single operands.
        {"$s = 'a' + \\n + $t;", Seq({addStr, S, Str("a"), Str("\n"), T, bcListEnd})},
        {"$s = \\41 + \\00 + \\R + \\t;",
         Seq({addStr, S, Str("A"), Str(std::string(1, '\0')), Str("\r"), Str("\t"), bcListEnd})},
        {"$s = 'It''s';", Seq({addStr, S, Str("It's"), bcListEnd})},
        {"$s = '';", Seq({addStr, S, Str(""), bcListEnd})},
        {"$s = '表示';", Seq({addStr, S, Str("表示"), bcListEnd})},
        {"$sa[1] = $_CUR_FILENAME + $sa[#a];", Seq({addStr, SArr, Num(1), 0x00510001, SArr, A, bcListEnd})},
        {"$s = $_FILENAME[1, #a] + $_DRIVE[2];", Seq({addStr, S, 0x00590101, Num(1), A, 0x00590001, Num(2), bcListEnd})},
        {"$s = Fs() + 'x';", Seq({addStr, S, 0x00890000, 0, Str("x"), bcListEnd})},
    });
}

TEST(CodeWords, Conditions)
{
    const std::uint32_t eqNum = Cond("EqNum");
    CheckCases({
        {"IF (#a == 1 AND $s <> 'x') { };", If(Condition(Seq({eqNum, A, Num(1), bcAnd, Cond("NotEqStr"), S, Str("x")})))},
        // A parenthesised expression on the left (grouped by its parentheses
        // and by its operator), or a nested condition.
        {"IF ((#a + 1) == 2) { };", If(Condition(Seq({eqNum, Expr(Expr(Seq({A, bcOpAdd, Num(1)}))), Num(2)})))},
        {"IF ((#a) == 2) { };", If(Condition(Seq({eqNum, Expr({A}), Num(2)})))},
        {"IF ((#a == 1) OR (#b == 2)) { };",
         If(Condition(Seq({Condition(Seq({eqNum, A, Num(1)})), bcOr, Condition(Seq({eqNum, B, Num(2)}))})))},
        {"IF (((#a + 1) == 2)) { };", If(Condition(Condition(Seq({eqNum, Expr(Expr(Seq({A, bcOpAdd, Num(1)}))), Num(2)}))))},
        {"IF ((IsDir($s))) { };", If(Condition(Condition(Seq({Cond("IsDir"), S}))))},
        {"IF (NOT IsDir($s)) { };", If(Condition(Seq({bcNot, Cond("IsDir"), S})))},
        {"IF (NOT (#a == 1)) { };", If(Condition(Seq({bcNot, Condition(Seq({eqNum, A, Num(1)}))})))},
        {"IF (NOT Fb(#a) OR FALSE) { };", If(Condition(Seq({bcNot, 0x008A0000, A, 0, bcOr, bcBoolConst, 0})))},
        {"IF (TRUE) { };", If(Condition(Seq({bcBoolConst, 1})))},
        {"IF ($s + 'x' >= $t) { };", If(Condition(Seq({Cond("GEqStr"), Expr(Seq({S, Str("x")})), T})))},
        {"IF (#a > #b * 2 OR #a < 1 AND #a <= 2) { };",
         If(Condition(Seq({Cond("GrtNum"), A, Expr(Seq({B, bcOpMul, Num(2)})), bcOr, Cond("LsNum"), A, Num(1), bcAnd,
                           Cond("LEqNum"), A, Num(2)})))},
        {"IF (#a => 1 AND #a =< 2 AND #a != 3 AND #a <> 4 AND #a >= 5) { };",
         If(Condition(Seq({Cond("GEqNum"), A, Num(1), bcAnd, Cond("LEqNum"), A, Num(2), bcAnd, Cond("NotEqNum"), A,
                           Num(3), bcAnd, Cond("NotEqNum"), A, Num(4), bcAnd, Cond("GEqNum"), A, Num(5)})))},
        {"IF ($s == 'a' OR $s > 'b' OR $s < 'c' OR $s <= 'd' OR $s => 'e' OR $s != 'f') { };",
         If(Condition(Seq({Cond("EqStr"), S, Str("a"), bcOr, Cond("GrtStr"), S, Str("b"), bcOr, Cond("LsStr"), S,
                           Str("c"), bcOr, Cond("LEqStr"), S, Str("d"), bcOr, Cond("GEqStr"), S, Str("e"), bcOr,
                           Cond("NotEqStr"), S, Str("f")})))},
        {"IF (UseUnlha() AND CheckArc('a', 'b', 'c', 1)) { };",
         If(Condition(Seq({Cond("UseUnlha"), bcAnd, Cond("CheckArc"), Str("a"), Str("b"), Str("c"), Num(1)})))},
        {"IF (Fi(1) == Fi(2)) { };", If(Condition(Seq({eqNum, 0x00880000, Num(1), 0, 0x00880000, Num(2), 0})))},
        {"IF (Fs() == 'a') { };", If(Condition(Seq({Cond("EqStr"), 0x00890000, 0, Str("a")})))},
        {"IF (#_FILESIZE[1, 2] == 0) { };", If(Condition(Seq({eqNum, 0x00490201, Num(1), Num(2), Num(0)})))},
    });
}

TEST(CodeWords, ControlStatements)
{
    const std::uint32_t brk = Proc("Break");
    const Words aIs1 = Condition(Seq({Cond("EqNum"), A, Num(1)}));
    const Words aIs2 = Condition(Seq({Cond("EqNum"), A, Num(2)}));
    CheckCases({
        {"IF (#a == 1) THEN { };", Seq({bcIf, aIs1, Block({}), bcEndIf})},
        {"IF (#a == 1) THEN { Break(); } ELSEIF (#a == 2) THEN { } ELSE { Break(); };",
         Seq({bcIf, aIs1, Block({brk}), bcElseIf, aIs2, Block({}), bcElse, Block({brk}), bcEndIf})},
        {"IF (#a == 1) { } ELSEIF (#a == 2) THEN { } ELSEIF (#a == 1) THEN { };",
         Seq({bcIf, aIs1, Block({}), bcElseIf, aIs2, Block({}), bcElseIf, aIs1, Block({}), bcEndIf})},
        {"WHILE (#a == 1) DO { Break(); };", Seq({bcWhile, aIs1, Block({brk}), bcEndWhile})},
        {"WHILE (FALSE) { };", Seq({bcWhile, Condition(Seq({bcBoolConst, 0})), Block({}), bcEndWhile})},
        {"REPEAT { Break(); } UNTIL (#a == 1);", Seq({bcRepeat, Block({brk}), aIs1, bcUntil})},
        // FOR has no end word.
        {"FOR #a = 1 TO 10 DO { };", Seq({bcFor, A, Num(1), bcTo, Num(10), Block({})})},
        {"FOR #arr[1] = #b DOWNTO #b - 1 DO { };",
         Seq({bcFor, Arr, Num(1), B, bcDownTo, Expr(Seq({B, bcOpSub, Num(1)})), Block({})})},
        {"TRY { } EXCEPT { Break(); } FINALLY { };",
         Seq({bcTry, Block({}), bcExcept, Block({brk}), bcFinally, Block({}), bcEndTry})},
        {"TRY { } EXCEPT { };", Seq({bcTry, Block({}), bcExcept, Block({}), bcEndTry})},
        {"TRY { } FINALLY { };", Seq({bcTry, Block({}), bcFinally, Block({}), bcEndTry})},
        {"CASE #a OF { 1, 2 : { } , ELSE : { } };",
         Seq({bcCase, A, Num(1), Num(2), bcListEnd, Block({}), bcElse, bcListEnd, Block({}), bcListEnd})},
        {"CASE #a + 1 OF { -1 : { Break(); }, #b, (2) : { } };",
         Seq({bcCase, Expr(Seq({A, bcOpAdd, Num(1)})), Num(-1), bcListEnd, Block({brk}), B, Expr(Num(2)), bcListEnd,
              Block({}), bcListEnd})},
        {"STRCASE $s OF { 'a', 'b' + $t : { }, ELSE : { } };",
         Seq({bcStrCase, S, bcMatchStr, Str("a"), Expr(Seq({Str("b"), T})), bcListEnd, Block({}), bcElse, bcListEnd,
              Block({}), bcListEnd})},
        {"STRCASE $s + 'x' AS REGTEXT OF { 'a.*' : { } };",
         Seq({bcStrCase, Expr(Seq({S, Str("x")})), bcMatchRegText, Str("a.*"), bcListEnd, Block({}), bcListEnd})},
        // Nested blocks get their own frames and sizes.
        {"IF (TRUE) { WHILE (TRUE) { Break(); }; };",
         Seq({bcIf, Condition(Seq({bcBoolConst, 1})),
              Block(Seq({bcWhile, Condition(Seq({bcBoolConst, 1})), Block({brk}), bcEndWhile})), bcEndIf})},
    });

    const std::pair<const char*, std::int32_t> matches[] = {
        {"STR", bcMatchStr},         {"text", bcMatchText},         {"RegStr", bcMatchRegStr},
        {"REGTEXT", bcMatchRegText}, {"MASKSTR", bcMatchMaskStr}, {"masktext", bcMatchMaskText},
    };
    for (auto [word, match] : matches)
        EXPECT_EQ(StatementWords(kPrelude, std::string("STRCASE $s AS ") + word + " OF { 'x' : { } };"),
                  Seq({bcStrCase, S, match, Str("x"), bcListEnd, Block({}), bcListEnd}))
            << word;
}

TEST(CodeWords, CallsBySignatureLetter)
{
    CheckCases({
        {"Break();", {Proc("Break")}},                                                   // -
        {"CalcNum(#a, 5, *, 3);", Seq({0x00920232, A, Num(5), bcOpMul, Num(3)})},        // V N + N
        {"CalcNum(#a, 5 - 1, -, 3);", Seq({0x00920232, A, Expr(Seq({Num(5), bcOpSub, Num(1)})), bcOpSub, Num(3)})},
        {"GetCurDir($sa[2]);", Seq({Proc("GetCurDir"), SArr, Num(2)})},                   // T
        {"IncNum(#arr[#b]);", Seq({Proc("IncNum"), Arr, B})},                             // V
        {"GetMaxIndex(#a, $sa);", Seq({Proc("GetMaxIndex"), A, SArr, 0})},                // V W
        {"SetMaxIndex(#arr, 5);", Seq({Proc("SetMaxIndex"), Arr, 0, Num(5)})},            // W N
        {"ToStrArray($sa, 1, 'x');", Seq({Proc("ToStrArray"), SArr, 0, Num(1), Str("x")})},  // Z N S
        {"PopupMenu($sa, 1, 2, 3);", Seq({Proc("PopupMenu"), SArr, 0, Num(1), Num(2), Num(3)})},  // Y
        {"PopupMenu(['a', 'b' + $s], 1, 2, 3);",
         Seq({Proc("PopupMenu"), bcArrayBegin, 2, Str("a"), Expr(Seq({Str("b"), S})), bcArrayEnd, Num(1), Num(2), Num(3)})},
        {"AddStr($s, 'a', $t + 'b');", Seq({Proc("AddStr"), S, Str("a"), Expr(Seq({T, Str("b")})), bcListEnd})},  // A
        {"MsgBox('m', 't', 0, 'a');", Seq({Proc("MsgBox"), Str("m"), Str("t"), Num(0), Str("a"), bcListEnd})},  // F
        {"MsgBox('m', 't', 0, 'a', 'b', 'c', 'd', 'e');",
         Seq({Proc("MsgBox"), Str("m"), Str("t"), Num(0), Str("a"), Str("b"), Str("c"), Str("d"), Str("e"), bcListEnd})},
        {"SelectStr($s, 'a', { Break(); }, 'b' + $t, { });",  // S C
         Seq({Proc("SelectStr"), S, Str("a"), Block({Proc("Break")}), Expr(Seq({Str("b"), T})), Block({}), bcListEnd})},
        {"SelectStr($s, 'a', { }, ELSE, { });", Seq({Proc("SelectStr"), S, Str("a"), Block({}), bcElse, Block({}), bcListEnd})},
        {"SelectNum(#a, 1, { }, (2), { }, ELSE, { });",  // N I
         Seq({Proc("SelectNum"), A, Num(1), Block({}), Expr(Num(2)), Block({}), bcElse, Block({}), bcListEnd})},
        // User routines: the call word, an argument per letter, int32 0.
        {"Sub0();", Seq({0x00910001, 0})},
        {"Sub1(#a + 1, 'x' + $s);", Seq({0x00910002, Expr(Seq({A, bcOpAdd, Num(1)})), Expr(Seq({Str("x"), S})), 0})},
        {"Fi(1);", Seq({0x00880000, Num(1), 0})},
        {"Fs();", Seq({0x00890000, 0})},
        {"Fb(#arr[1]);", Seq({0x008A0000, Arr, Num(1), 0})},
    });
}

// Routines see their parameters and locals by ordinal: declaration order
// within each kind, even where the list is sorted.
TEST(CodeWords, ParametersAndLocals)
{
    const char* src =
        "#GLOBALVAR #g, #x;\r\n"
        "#SUB S(#a, $b, VAR #c, #d, #r[], VAR $z[], VAR #x, VAR $t, $y[], VAR #q[])\r\n"
        "{\r\n"
        "  VAR #zz, $l2, #aa, #la[5], $ls[2], $lt[7];\r\n"
        "  #d = #c + #aa + #zz + #x + #g;\r\n"
        "  $l2 = $b + $t + $ls[1] + $lt[2] + $z[1] + $y[1];\r\n"
        "  #la[1] = #r[#q[1]];\r\n"
        "  S(#a, $b, #c, #d, #r, $z, #la[2], $ls[1], $ls, #q);\r\n"
        "}\r\n"
        "#SUB U(#a, $z[], $t, #q[]) { #a = 1; S(1, '', #g, 2, [1, 2], $z, #g, $t, ['x'], #q); }\r\n";
    TDecodedFile f = CompileAndDecode(src);
    ASSERT_EQ(f.subs.size(), 2u);
    EXPECT_EQ(f.subs[0].args, (Words{0x00440000, 0x00540000, 0x00450000, 0x00440001, 0x004C0000, 0x005D0000,
                                     0x00450001, 0x00550000, 0x005C0000, 0x004D0000}));
    const std::uint32_t setNum = Proc("SetNum"), addStr = Proc("AddStr");
    const Words body = Seq({
        bcVar, 2, 1, 1, 5, 2, 2, 7,
        setNum, 0x00440001, Expr(Seq({0x00450000, bcOpAdd, 0x00430001, bcOpAdd, 0x00430000, bcOpAdd, 0x00450001,
                                      bcOpAdd, 0x00420000})),
        addStr, 0x00530000, 0x00540000, 0x00550000, 0x005B0000, Num(1), 0x005B0001, Num(2), 0x005D0000, Num(1),
        0x005C0000, Num(1), bcListEnd,
        setNum, 0x004B0000, Num(1), 0x004C0000, 0x004D0000, Num(1),
        0x00910001, 0x00440000, 0x00540000, 0x00450000, 0x00440001, 0x004C0000, 0, 0x005D0000, 0, 0x004B0000, Num(2),
        0x005B0000, Num(1), 0x005B0000, 0, 0x004D0000, 0, 0,
    });
    EXPECT_EQ(f.subs[0].body, body) << Hex(f.subs[0].body);
    // Another routine starts its numbering again; arrays may be constants.
    EXPECT_EQ(f.subs[1].body,
              Seq({setNum, 0x00440000, Num(1), 0x00910001, Num(1), Str(""), 0x00420000, Num(2), bcArrayBegin, 2, Num(1),
                   Num(2), bcArrayEnd, 0x005C0000, 0, 0x00420000, 0x00540000, bcArrayBegin, 1, Str("x"), bcArrayEnd,
                   0x004C0000, 0, 0}))
        << Hex(f.subs[1].body);
}

TEST(CodeWords, ReturnTakesTheFunctionsType)
{
    const char* src =
        "#FUNC INT Twice(#x) { Return(#x * 2); }\r\n"
        "#FUNC STR Name() { Return('a' + 'b'); }\r\n"
        "#FUNC BOOL Big(#x) { Return(#x > 1 OR Big(#x)); }\r\n"
        "#FUNC BOOL Yes() { Return(TRUE); }\r\n"
        "#SUB S() { Return(1); }\r\n"
        "#KEY A { Return(Twice(2)); }\r\n";
    TDecodedFile f = CompileAndDecode(src);
    ASSERT_EQ(f.intFuncs.size(), 1u);
    ASSERT_EQ(f.boolFuncs.size(), 2u);
    EXPECT_EQ(f.intFuncs[0].body, Seq({bcReturnInt, Expr(Seq({0x00440000, bcOpMul, Num(2)}))}));
    EXPECT_EQ(f.strFuncs[0].body, Seq({bcReturnStr, Expr(Seq({Str("a"), Str("b")}))}));
    EXPECT_EQ(f.boolFuncs[0].body,
              Seq({bcReturnBool, Condition(Seq({Cond("GrtNum"), 0x00440000, Num(1), bcOr, 0x008A0000, 0x00440000, 0}))}));
    EXPECT_EQ(f.boolFuncs[1].body, Seq({bcReturnBool, Condition(Seq({bcBoolConst, 1}))}));
    EXPECT_EQ(f.subs[0].body, Seq({Proc("Return"), Num(1)}));
    EXPECT_EQ(f.keySets[0].bindings[0].body, Seq({Proc("Return"), 0x00880000, Num(2), 0}));
}

TEST(CodeWords, RoutinesAreNumberedPerTableFromTheFirstDeclaration)
{
    const char* src =
        "#SUB Later(); FORWARD;\r\n"
        "#FUNC INT I0(); FORWARD;\r\n"
        "#SUB First() { Later(); First(); }\r\n"
        "#FUNC STR S0() { }\r\n"
        "#FUNC INT I1() { Return(I0() + I1()); }\r\n"
        "#SUB Later() { First(); }\r\n"
        "#FUNC INT I0() { }\r\n";
    TDecodedFile f = CompileAndDecode(src);
    ASSERT_EQ(f.subs.size(), 2u);
    EXPECT_EQ(f.subs[0].name, "Later");
    EXPECT_EQ(f.subs[0].body, Seq({0x00910002, 0}));
    EXPECT_EQ(f.subs[1].name, "First");
    EXPECT_EQ(f.subs[1].body, Seq({0x00910001, 0, 0x00910002, 0}));
    ASSERT_EQ(f.intFuncs.size(), 2u);
    EXPECT_EQ(f.intFuncs[0].name, "I0");
    EXPECT_EQ(f.intFuncs[1].body, Seq({bcReturnInt, Expr(Seq({0x00880000, 0, bcOpAdd, 0x00880001, 0}))}));
    EXPECT_EQ(f.strFuncs[0].body, Words{});
}

}  // namespace
