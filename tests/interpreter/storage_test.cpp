// Variables, arrays, locals, arguments and frames, with their error texts.
#include <gtest/gtest.h>

#include "interpreter/vtlfixture.h"

using namespace kb;

class Storage : public TVtlTest {};

namespace {
constexpr std::int64_t kMax = INT64_MAX;

// SetMaxIndex on numeric arrays, as the array builtins will have it.
void Resize(TKeySrc& vtl, TInitDatas& rec)
{
    std::int32_t code = vtl.ReadNumArrayVar();
    std::int32_t count = vtl.ReadInt(rec);
    vtl.GetNumArray(code, rec).Resize(count);
}
}  // namespace

TEST_F(Storage, TheFullRangeSurvivesGlobalsLocalsArgumentsAndElements)
{
    Globals(3);
    program.numArrays = {{"#arr", {0, 0}}};
    // #g1 = F(local) where F(#a) returns #a through a local array element.
    program.intFuncs = {{"F", "N", Block({Var(1, 0, {2}), SetNum(LN(0), AN(0)), SetNum(At(LNA(0), Num(2)), LN(0)),
                                          W(bc::bcReturnInt) + At(LNA(0), Num(2))})}};
    Init({SetNum(GN(0), Num(kMax)), SetNum(At(GNA(0), Num(2)), GN(0)), SetNum(GN(1), CallNumFunc(0, {At(GNA(0), Num(2))})),
          SetNum(GN(2), Num(INT64_MIN))});
    EXPECT_EQ(G(1), kMax);
    EXPECT_EQ(G(2), INT64_MIN);
    EXPECT_TRUE(host.lines.empty()) << host.lines[0];
}

TEST_F(Storage, SubscriptsOutsideTheirRangesFail)
{
    Globals(1);
    program.numArrays = {{"#arr", {1, 2, 3}}};
    program.strArrays = {{"$y", {"a"}}};
    struct Case {
        TCode statement;
        std::string error;
    } cases[] = {
        {SetNum(GN(0), At(GNA(0), Num(0))), "添字が範囲外です : 0"},
        {SetNum(GN(0), At(GNA(0), Num(-1))), "添字が範囲外です : -1"},
        {SetNum(GN(0), At(GNA(0), Num(268435457))), "添字が範囲外です : 268435457"},
        {SetNum(GN(0), At(GNA(0), Num(4))), "グローバル変数配列添字Over : #arr : 4"},
        {SetNum(At(GNA(0), Num(4)), Num(1)), "グローバル変数配列添字Over : #arr : 4"},
        {SetStr(At(GSA(0), Num(2)), Str("")), "グローバル文字列配列添字Over : $y : 2"},
        {SetNum(GN(0), At(GNA(1), Num(1))), "グローバル変数配列IndexOver : 1"},
        {SetNum(GN(1), Num(1)), "グローバル変数IndexOver : 1"},
        {SetStr(GS(0), Str("")), "グローバル文字列IndexOver : 0"},
        {SetNum(GN(0), LN(0)), "ローカル変数IndexOver : 0"},
        {SetStr(LS(2), Str("")), "ローカル文字列IndexOver : 2"},
        {SetNum(GN(0), AN(0)), "値引数変数IndexOver : 0"},
        {SetNum(GN(0), VN(0)), "変数引数変数IndexOver : 0"},
        {SetStr(GS(0), AS(0)), "値引数文字列IndexOver : 0"},
        {SetStr(VS(0), Str("")), "変数引数文字列IndexOver : 0"},
        // Reading a missing array keeps the historical spelling; writing not.
        {SetNum(GN(0), At(LNA(0), Num(1))), "ローカル変数配列IndexOrver : 0"},
        {SetNum(At(LNA(0), Num(1)), Num(1)), "ローカル変数配列IndexOver : 0"},
        {SetNum(GN(0), At(ANA(0), Num(1))), "値引数変数配列IndexOrver : 0"},
        {SetNum(At(ANA(0), Num(1)), Num(1)), "値引数変数配列IndexOver : 0"},
        {SetNum(GN(0), At(VNA(0), Num(1))), "変数引数変数配列IndexOrver : 0"},
        {SetNum(At(VNA(0), Num(1)), Num(1)), "変数引数変数配列IndexOver : 0"},
        {SetStr(GS(0), At(LSA(0), Num(1))), "ローカル文字列配列IndexOver : 0"},
        {SetStr(GS(0), At(ASA(0), Num(1))), "値引数文字列配列IndexOver : 0"},
        {SetStr(GS(0), At(VSA(0), Num(1))), "変数引数文字列配列IndexOver : 0"},
        {SetNum(GN(0), W(0x00460001)), "数字がありません : 00460001"},
        {SetNum(W(0x00410031), Num(1)), "ユーザー変数がありません : 00410031"},
        {SetStr(W(0x00510041), Str("")), "ユーザー文字列がありません : 00510041"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        host.lines.clear();
        Init({c.statement});
        EXPECT_EQ(host.lines, Lines{GrammarError(c.error)});
    }
}

TEST_F(Storage, LocalsStartEmptyAndASecondVarFails)
{
    Globals(2, 1);
    Init({Var(1, 1, {3}, {2}), SetNum(GN(0), LN(0)), SetNum(GN(1), At(LNA(0), Num(3))), SetStr(GS(0), At(LSA(0), Num(2)))});
    EXPECT_TRUE(host.lines.empty());
    host.lines.clear();
    Init({Var(1, 0), Var(1, 0)});
    EXPECT_EQ(host.lines, Lines{GrammarError("VAR文が複数あります")});
}

TEST_F(Storage, BadVarStatementsFail)
{
    struct Case {
        TCode var;
        std::string error;
    } cases[] = {
        {W(bc::bcVar) + W(-1) + W(0) + W(0) + W(0), "ローカル変数の個数が不正です : -1"},
        {W(bc::bcVar) + W(0) + W(-2) + W(0) + W(0), "ローカル文字列の個数が不正です : -2"},
        {W(bc::bcVar) + W(0) + W(0) + W(-3) + W(0), "ローカル変数配列の個数が不正です : -3"},
        {W(bc::bcVar) + W(0) + W(0) + W(0) + W(-4), "ローカル文字列配列の個数が不正です : -4"},
        {W(bc::bcVar) + W(0) + W(0) + W(1) + W(0) + W(0), "ローカル変数配列の添字範囲が不正です : 0"},
        {W(bc::bcVar) + W(0) + W(0) + W(0) + W(1) + W(0x10000001), "ローカル文字列配列の添字範囲が不正です : 268435457"},
        // More locals than 16-bit numbers can name.
        {W(bc::bcVar) + W(0x7FFFFFFF) + W(0) + W(0) + W(0), "ローカル変数の個数が不正です : 2147483647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        host.lines.clear();
        Init({c.var});
        EXPECT_EQ(host.lines, Lines{GrammarError(c.error)});
    }
}

TEST_F(Storage, VarArgumentsAreCopiedBackWhenTheCallEndsInArgumentOrder)
{
    Globals(3);
    // S(VAR #a, VAR #b, #c): #a = 5; #b = 6; #_(g2) = caller's #g0 (still old)
    program.subs = {{"S", "VVN", Block({SetNum(VN(0), Num(5)), SetNum(VN(1), Num(6)), SetNum(GN(2), GN(0))})}};
    Init({SetNum(GN(0), Num(1)), CallSub(0, {GN(0), GN(0), Num(0)}), SetNum(GN(1), GN(0))});
    EXPECT_EQ(G(2), 1);  // unchanged until the call returned
    EXPECT_EQ(G(0), 6);  // the second VAR argument was copied back last
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Storage, AnErrorInTheCalleeStillCopiesBack)
{
    Globals(1, 1);
    program.subs = {{"S", "VT", Block({SetNum(VN(0), Num(9)), SetStr(VS(0), Str("set")), Call("AllMark", {Num(1)})})}};
    Init({CallSub(0, {GN(0), GS(0)})});
    EXPECT_EQ(G(0), 9);
    EXPECT_EQ(S(0), "set");
    EXPECT_EQ(host.lines, Lines{GrammarError("未定義の手続き文 : 0092005C")});
}

TEST_F(Storage, VarArgumentsOfArrayElementsWriteThatElement)
{
    program.numArrays = {{"#n", {0, 0, 0}}};
    program.strArrays = {{"$y", {"", ""}}};
    program.subs = {{"S", "VT", Block({SetNum(VN(0), Num(42)), SetStr(VS(0), Str("x"))})}};
    Init({CallSub(0, {At(GNA(0), Num(3)), At(GSA(0), Num(2))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{0, 0, 42}));
    EXPECT_EQ(vtl.GlobalStrArrays[0]->Items, (std::vector<std::string>{"", "x"}));
}

TEST_F(Storage, ArraysByValueStayAndByVarTakeTheCalleesContents)
{
    Globals(2);
    program.numArrays = {{"#n", {1, 2}}};
    program.strArrays = {{"$y", {"a", "b"}}};
    // Value: writes into its copy. VAR: writes and is copied back.
    program.subs = {{"ByValue", "RY", Block({SetNum(At(ANA(0), Num(1)), Num(100)), SetStr(At(ASA(0), Num(2)), Str("z"))})},
                    {"ByVar", "XZ", Block({SetNum(At(VNA(0), Num(1)), Num(100)), SetStr(At(VSA(0), Num(2)), Str("z"))})}};
    Init({CallSub(0, {Whole(GNA(0)), Whole(GSA(0))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(vtl.GlobalStrArrays[0]->Items, (std::vector<std::string>{"a", "b"}));
    host.lines.clear();
    Init({CallSub(1, {Whole(GNA(0)), Whole(GSA(0))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{100, 2}));
    EXPECT_EQ(vtl.GlobalStrArrays[0]->Items, (std::vector<std::string>{"a", "z"}));
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Storage, AResizedArrayKeepsItsSizeByValueAndTakesTheCalleesByVar)
{
    vtl.Tables().SetProcedure(bc::BuiltinId(bc::TBuiltinKind::SysProc, "SetMaxIndex"), Resize);
    program.numArrays = {{"#n", {1, 2}}};
    program.subs = {{"ByValue", "R", Block({Call("SetMaxIndex", {Whole(ANA(0)), Num(5)})})},
                    {"ByVar", "X", Block({Call("SetMaxIndex", {Whole(VNA(0)), Num(3)}), SetNum(At(VNA(0), Num(3)), Num(9))})}};
    Init({CallSub(0, {Whole(GNA(0))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Count(), 2);
    Init({CallSub(1, {Whole(GNA(0))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{1, 2, 9}));
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Storage, AVarArrayPassedOnCopiesBackItsElementsOnly)
{
    // Outer(VAR #a[]) passes its argument on to Inner(VAR #b[]): copying
    // back into Outer's copy must not change which variable Outer's copy
    // refers to, so Outer still writes the global back.
    program.numArrays = {{"#n", {1}}, {"#other", {0}}};
    program.subs = {{"Outer", "X", Block({CallSub(1, {Whole(VNA(0))})})},
                    {"Inner", "X", Block({SetNum(At(VNA(0), Num(1)), Num(7))})}};
    Init({CallSub(0, {Whole(GNA(0))})});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{7}));
    EXPECT_EQ(vtl.GlobalNumArrays[1]->Items, (std::vector<std::int64_t>{0}));
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Storage, ArrayConstantsAreTemporaryArguments)
{
    Globals(2, 1);
    program.subs = {{"S", "RY", Block({SetNum(GN(0), At(ANA(0), Num(3))), SetStr(GS(0), At(ASA(0), Num(1)))})}};
    Init({CallSub(0, {ArrayConst({Num(1), Num(2), Expr({Num(3), Op('*'), Num(5)})}), ArrayConst({Str("q")})})});
    EXPECT_EQ(G(0), 15);
    EXPECT_EQ(S(0), "q");
    host.lines.clear();
    Init({CallSub(0, {W(bc::bcArrayBegin) + W(0) + W(bc::bcArrayEnd), ArrayConst({Str("q")})})});
    EXPECT_EQ(host.lines, Lines{GrammarError("配列定数のIndexが不正 : 0")});
}

TEST_F(Storage, ARoutineHasNoLocalsOfItsCaller)
{
    Globals(1);
    program.subs = {{"S", "", Block({SetNum(GN(0), LN(0))})}};
    Init({Var(1, 0), CallSub(0)});
    EXPECT_EQ(host.lines, Lines{GrammarError("ローカル変数IndexOver : 0")});
}
