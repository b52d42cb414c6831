// Arithmetic, concatenation, conditions with skip mode, and the condition
// builtins of this subsystem.
#include <gtest/gtest.h>

#include <windows.h>

#include "interpreter/vtlfixture.h"
#include "support/testsupport.h"

using namespace kb;

class Expressions : public TVtlTest {
protected:
    // The value of a numeric expression, through a global.
    std::int64_t Value(const TCode& expr)
    {
        host.lines.clear();
        program.globalNums = {{"#r", 0}};
        Init({SetNum(GN(0), expr)});
        return G(0);
    }
    // The truth of a condition, as 1 or 0 in a global.
    int Truth(const TCode& cond)
    {
        host.lines.clear();
        program.globalNums = {{"#r", 0}};
        Init({IfElse(cond, Block({SetNum(GN(0), Num(1))}), Block({SetNum(GN(0), Num(0))}))});
        EXPECT_TRUE(host.lines.empty()) << host.lines[0];
        return static_cast<int>(G(0));
    }
};

TEST_F(Expressions, ArithmeticHasTwoLevelsEachLeftToRight)
{
    struct Case {
        const char* what;
        TCode expr;
        std::int64_t value;
    } cases[] = {
        {"2 + 3 * 4", Expr({Num(2), Op('+'), Num(3), Op('*'), Num(4)}), 14},
        {"1 or 2 * 4", Expr({Num(1), Op('|'), Num(2), Op('*'), Num(4)}), 12},
        {"6 - 2 - 1", Expr({Num(6), Op('-'), Num(2), Op('-'), Num(1)}), 3},
        {"1 + 2 * 3 or 8 - 1", Expr({Num(1), Op('+'), Num(2), Op('*'), Num(3), Op('|'), Num(8), Op('-'), Num(1)}), 14},
        {"(1 + 2) * 3", Expr({Expr({Num(1), Op('+'), Num(2)}), Op('*'), Num(3)}), 9},
        {"-7 / 2", Expr({Num(-7), Op('/'), Num(2)}), -3},
        {"-7 mod 2", Expr({Num(-7), Op('%'), Num(2)}), -1},
        {"12 and 10 xor 1", Expr({Num(12), Op('&'), Num(10), Op('^'), Num(1)}), 9},
        {"max + 1 wraps", Expr({Num(INT64_MAX), Op('+'), Num(1)}), INT64_MIN},
        {"min - 1 wraps", Expr({Num(INT64_MIN), Op('-'), Num(1)}), INT64_MAX},
        {"max * 2 wraps", Expr({Num(INT64_MAX), Op('*'), Num(2)}), -2},
        {"min / -1 does not trap", Expr({Num(INT64_MIN), Op('/'), Num(-1)}), INT64_MIN},
        {"min mod -1 does not trap", Expr({Num(INT64_MIN), Op('%'), Num(-1)}), 0},
        {"(#r)", Expr({GN(0)}), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Value(c.expr), c.value) << c.what;
}

TEST_F(Expressions, ArithmeticErrors)
{
    struct Case {
        TCode statement;
        std::string error;
    } cases[] = {
        {SetNum(GN(0), Expr({Num(1), Op('/'), Num(0)})), "０で割ろうとしました"},
        {SetNum(GN(0), Expr({Num(1), Op('%'), Num(0)})), "０で割ろうとしました"},
        {Call("CalcNum", {GN(0), Num(1), Op('%'), Num(0)}), "０で割ろうとしました"},
        {SetNum(GN(0), Expr({Num(1), W(0x00920240), Num(0)})), "未知の演算子です : 00920240"},
        {Call("CalcNum", {GN(0), Num(1), W(0x00920232), Num(0)}), "未知の演算子です : 00920232"},
        {SetNum(GN(0), Str("x")), "数字がありません : 00500001"},
        {SetStr(GS(0), Num(1)), "文字列がありません : 00400001"},
        {SetNum(GN(0), SysNum("#_FILENUM")), "未定義のシステム変数 : 00410001"},
        {SetStr(GS(0), SysStr("$_CUR_DRIVE")), "未定義のシステム文字列 : 00510011"},
        {SetNum(GN(0), W(0x00490201) + Num(1) + Num(0)), "不明なシステム変数配列 : 00490201"},
        {SetStr(GS(0), W(0x00590101) + Num(1) + Num(0)), "不明なシステム文字列配列 : 00590101"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        host.lines.clear();
        program.globalNums = {{"#r", 0}};
        program.globalStrs = {{"$s", ""}};
        Init({c.statement});
        EXPECT_EQ(host.lines, Lines{GrammarError(c.error)});
    }
}

TEST_F(Expressions, AssignmentBuiltins)
{
    Globals(7, 2);
    Init({SetNum(GN(0), Num(5)), Call("CalcNum", {GN(1), GN(0), Op('*'), Num(3)}), Call("NotNum", {GN(2), Num(0)}),
          SetNum(GN(3), Num(INT64_MAX)), Call("IncNum", {GN(3)}), Call("DecNum", {GN(4)}), Call("SetResult", {Num(77)}),
          SetNum(GN(5), SysNum("#_RESULT")), Call("AddStr", {GS(0), List({Str("a"), Str("bc"), SysStr("$_CRLF")})}),
          Call("SetStr", {GS(1), Expr({GS(0), Str("d")})}), Call("CalcNum", {GN(6), Num(7), Op('-'), Num(10)})});
    EXPECT_EQ(G(1), 15);
    EXPECT_EQ(G(2), -1);
    EXPECT_EQ(G(3), INT64_MIN);
    EXPECT_EQ(G(4), -1);
    EXPECT_EQ(G(5), 77);
    EXPECT_EQ(G(6), -3);
    EXPECT_EQ(S(0), "abc\r\n");
    EXPECT_EQ(S(1), "abc\r\nd");
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Expressions, ConcatenationSubscriptsUseTheirLow32Bits)
{
    Globals(0, 2);
    program.strArrays = {{"$y", {"one", "two"}}};
    // Outside a concatenation the same subscript is out of range.
    Init({SetStr(GS(0), Expr({Str("<"), At(GSA(0), Num(4294967298)), Str(">")})), SetStr(GS(1), At(GSA(0), Num(4294967298)))});
    EXPECT_EQ(S(0), "<two>");
    EXPECT_EQ(host.lines, Lines{GrammarError("添字が範囲外です : 4294967298")});
}

TEST_F(Expressions, ConditionsGoLeftToRightWithoutPrecedence)
{
    EXPECT_EQ(Truth(Cond({Bool(false), And(), Bool(true), Or(), Bool(true)})), 1);
    EXPECT_EQ(Truth(Cond({Bool(true), Or(), Bool(false), And(), Bool(false)})), 0);
    EXPECT_EQ(Truth(Cond({Not(), Bool(false), And(), Bool(false)})), 0);
    EXPECT_EQ(Truth(Cond({Not(), Cond({Bool(false), And(), Bool(false)})})), 1);
    EXPECT_EQ(Truth(Cond({Term("EqNum", {Num(INT64_MAX), Num(INT64_MIN)})})), 0);
    EXPECT_EQ(Truth(Cond({Term("GrtNum", {Num(INT64_MAX), Num(INT64_MIN)})})), 1);
}

TEST_F(Expressions, SteppedOverTermsStillEvaluateTheirArguments)
{
    // Count() increments #g0 and returns it; Truthy() would set #g1.
    Globals(2);
    program.intFuncs = {{"Count", "", Block({Call("IncNum", {GN(0)}), W(bc::bcReturnInt) + GN(0)})}};
    program.boolFuncs = {{"Truthy", "N", Block({SetNum(GN(1), Num(1)), W(bc::bcReturnBool) + Bool(true)})}};
    // false AND (Count() == 0) OR false AND Truthy(Count())
    Init({If(Cond({Bool(false), And(), Term("EqNum", {CallNumFunc(0), Num(0)}), Or(), Bool(false), And(),
                   CallBoolFunc(0, {CallNumFunc(0)})}),
             Block({}))});
    EXPECT_EQ(G(0), 2);  // both arguments ran
    EXPECT_EQ(G(1), 0);  // the boolean function's body did not
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Expressions, ConditionBuiltinsThatFailOnlyWhenEvaluated)
{
    Globals(1);
    // A bad pattern fails when the term counts, not when stepped over.
    Init({If(Cond({Bool(false), And(), Term("MatchStr", {Str("a"), Str("(")})}), Block({}))});
    EXPECT_TRUE(host.lines.empty());
    Init({If(Cond({Bool(true), And(), Term("MatchStr", {Str("a"), Str("(")})}), Block({}))});
    ASSERT_EQ(host.lines.size(), 1u);
    EXPECT_EQ(host.lines[0].rfind(GrammarError(""), 0), 0u);
}

TEST_F(Expressions, ComparisonBuiltins)
{
    struct Case {
        const char* what;
        TCode term;
        int truth;
    } cases[] = {
        {"EqStr is by bytes", Term("EqStr", {Str("ABC.TXT"), Str("abc.txt")}), 0},
        {"EqText is by file name", Term("EqText", {Str("ABC.TXT"), Str("abc.txt")}), 1},
        {"LsStr: a prefix first", Term("LsStr", {Str("ab"), Str("abc")}), 1},
        {"GrtStr by bytes", Term("GrtStr", {Str("b"), Str("a")}), 1},
        {"GEqStr equal", Term("GEqStr", {Str("a"), Str("a")}), 1},
        {"LEqText", Term("LEqText", {Str("A"), Str("b")}), 1},
        {"NotEqText", Term("NotEqText", {Str("A"), Str("a")}), 0},
        {"EqStrEx 0 2 is exact", Term("EqStrEx", {Str("ABC"), Str("abc"), Num(0), Num(2)}), 0},
        {"EqStrEx 0 0 ignores case", Term("EqStrEx", {Str("ABC"), Str("abc"), Num(0), Num(0)}), 1},
        {"EqStrEx 1 1 file names", Term("EqStrEx", {Str("ABC"), Str("abc"), Num(1), Num(1)}), 1},
        {"NotEqStrEx 1 2", Term("NotEqStrEx", {Str("ABC"), Str("abc"), Num(1), Num(2)}), 1},
        {"LsNum", Term("LsNum", {Num(-1), Num(0)}), 1},
        {"GEqNum", Term("GEqNum", {Num(3), Num(3)}), 1},
        {"LEqNum", Term("LEqNum", {Num(4), Num(3)}), 0},
        {"NotEqNum", Term("NotEqNum", {Num(4), Num(3)}), 1},
        {"MatchDOSStr", Term("MatchDOSStr", {Str("ABC.TXT"), Str("*.TXT")}), 1},
        {"MatchDOSStr case", Term("MatchDOSStr", {Str("ABC.TXT"), Str("*.txt")}), 0},
        {"MatchDOSText", Term("MatchDOSText", {Str("ABC.TXT"), Str("*.txt")}), 1},
        {"MatchDOSStr malformed mask", Term("MatchDOSStr", {Str("a>"), Str("a>")}), 0},
        {"CheckRegStr (", Term("CheckRegStr", {Str("(")}), 0},
        {"CheckRegStr a+", Term("CheckRegStr", {Str("a+")}), 1},
        {"CheckWildCard >", Term("CheckWildCard", {Str("a>b")}), 0},
        {"CheckWildCard <a-c>", Term("CheckWildCard", {Str("<a-c>*.txt")}), 1},
        {"MatchText fuzzy", Term("MatchText", {Str("ＡＢＣ"), Str("b")}), 1},
        {"MatchStr exact", Term("MatchStr", {Str("ＡＢＣ"), Str("b")}), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Truth(Cond({c.term})), c.truth) << c.what;
}

TEST_F(Expressions, MatchStrSetsStartAndLength)
{
    Globals(4);
    Init({If(Cond({Term("MatchStr", {Str("abcabc"), Str("c")})}), Block({SetNum(GN(0), SysNum("#_RSTART")),
                                                                         SetNum(GN(1), SysNum("#_RLENGTH"))})),
          If(Cond({Not(), Term("MatchStr", {Str("abcabc"), Str("x")})}),
             Block({SetNum(GN(2), SysNum("#_RSTART")), SetNum(GN(3), SysNum("#_RLENGTH"))}))});
    EXPECT_EQ(G(0), 3);
    EXPECT_EQ(G(1), 1);
    EXPECT_EQ(G(2), 0);
    EXPECT_EQ(G(3), -1);
}

TEST_F(Expressions, FilesAndDirectories)
{
    TTempDir dir;
    WriteBytes(dir.File("f.txt"), "x");
    struct Case {
        TCode term;
        int truth;
    } cases[] = {
        {Term("IsDir", {Str(dir.Path())}), 1},
        {Term("IsFile", {Str(dir.Path())}), 0},
        {Term("IsFile", {Str(dir.File("f.txt"))}), 1},
        {Term("IsDir", {Str(dir.File("f.txt"))}), 0},
        {Term("IsFile", {Str(dir.File("none"))}), 0},
        {Term("IsDir", {Str("")}), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Truth(Cond({c.term})), c.truth);
}

TEST_F(Expressions, NetworkNameForms)
{
    struct Case {
        const char* cond;
        const char* text;
        int truth;
    } cases[] = {
        {"IsUNCName", "\\\\", 1},
        {"IsUNCName", "\\\\srv", 1},
        {"IsUNCName", "\\\\\\srv", 0},
        {"IsUNCName", "\\srv", 0},
        {"IsUNCName", "C:\\", 0},
        {"IsUNCServer", "\\\\srv", 1},
        {"IsUNCServer", "\\\\srv\\", 1},
        {"IsUNCServer", "\\\\srv\\share", 0},
        {"IsUNCServer", "\\\\", 0},
        // The trail byte of ソ is a backslash and is not counted.
        {"IsUNCServer", "\\\\ソフト", 1},
        {"IsUNCSharename", "\\\\srv\\share", 1},
        {"IsUNCSharename", "\\\\srv\\share\\", 1},
        {"IsUNCSharename", "\\\\srv\\share\\dir", 0},
        {"IsUNCSharename", "\\\\\\s\\x", 0},
        {"IsUNCSharename", "\\\\s\\", 0},
        {"IsUNCSharename", "\\\\表\\ソ", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(Truth(Cond({Term(c.cond, {Str(c.text)})})), c.truth) << c.cond << " " << c.text;
    // Stepped over, the argument is still read and the term is false.
    EXPECT_EQ(Truth(Cond({Bool(false), And(), Term("IsUNCName", {Str("\\\\srv")})})), 0);
}

TEST_F(Expressions, KeyStateOfTheMessageAndOfTheKeyboard)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys['Q'] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(Truth(Cond({Term("IsKeyPressed", {Num(1), Num('Q')})})), 1);
    EXPECT_EQ(Truth(Cond({Term("IsKeyPressed", {Num(1), Num('W')})})), 0);
    EXPECT_EQ(Truth(Cond({Term("IsKeyPressed", {Num(0), Num('W')})})), 0);
    keys['Q'] = 0;
    SetKeyboardState(keys);
}

TEST_F(Expressions, SystemVariablesOfTheRun)
{
    Globals(12, 2);
    program.keySets = {{"DEFAULT",
                        {{"CTRL+A", static_cast<std::int32_t>(0x80020041),
                          Block({SetNum(GN(0), SysNum("#_KEYMODE")), SetNum(GN(1), SysNum("#_KEYCODE")),
                                 SetNum(GN(2), SysNum("#_STARTINDEX")), SetNum(GN(3), SysNum("#_MOUSE_X")),
                                 SetNum(GN(4), SysNum("#_MOUSE_Y")), SetNum(GN(5), SysNum("#_CTRLKEY")),
                                 SetNum(GN(6), SysNum("#_ALTKEY")), SetNum(GN(7), SysNum("#_SHIFTKEY")),
                                 SetNum(GN(8), SysNum("#_LBTNKEY")), SetNum(GN(9), SysNum("#_RBTNKEY")),
                                 SetNum(GN(10), SysNum("#_MBTNKEY")), SetNum(GN(11), SysNum("#_RELOADCOUNT")),
                                 Call("AddStr", {GS(0), List({SysStr("$_CR"), SysStr("$_LF"), SysStr("$_TAB")})}),
                                 SetStr(GS(1), SysStr("$_KEYSET"))})}}}};
    ASSERT_TRUE(Load());
    // Ctrl (bit 2) and the right button (bit 4).
    vtl.RunKey('A', 7, 20, 30, 4 | 16);
    EXPECT_EQ((std::vector<std::int64_t>{G(0), G(1), G(2), G(3), G(4), G(5), G(6), G(7), G(8), G(9), G(10), G(11)}),
              (std::vector<std::int64_t>{1, 'A', 7, 30, 20, 1, 0, 0, 0, 1, 0, 0}));
    EXPECT_EQ(S(0), "\r\n\t");
    EXPECT_EQ(S(1), "");
    EXPECT_TRUE(host.lines.empty());
}
