// Control statements, routine calls, the binding run with #PREKEY, the
// reports of errors and the stop request.
#include <gtest/gtest.h>

#include "interpreter/vtlfixture.h"

using namespace kb;

class Statements : public TVtlTest {};

namespace {
TCode Out(const char* text) { return Show(Str(text)); }
TCode True() { return Cond({Bool(true)}); }
TCode Less(const TCode& a, std::int64_t b) { return Cond({Term("LsNum", {a, Num(b)})}); }
TCode Inc(const TCode& v) { return Call("IncNum", {v}); }
}  // namespace

TEST_F(Statements, IfElseIfElse)
{
    Globals(1);
    auto chain = [&](std::int64_t v) {
        return W(bc::bcIf) + Cond({Term("EqNum", {Num(v), Num(1)})}) + Block({Out("one")}) + W(bc::bcElseIf) +
               Cond({Term("EqNum", {Num(v), Num(2)})}) + Block({Out("two")}) + W(bc::bcElse) + Block({Out("other")}) +
               W(bc::bcEndIf);
    };
    Init({chain(1), chain(2), chain(3)});
    EXPECT_EQ(host.lines, (Lines{"[out] one", "[out] two", "[out] other"}));
}

TEST_F(Statements, BreakLeavesTheInnermostCompoundStatement)
{
    Globals(1);
    // In a WHILE body Break ends that pass only: the loop tests again.
    Init({While(Less(GN(0), 3), Block({Inc(GN(0)), Call("Break"), Out("not reached")})), Out("after"),
          If(True(), Block({Call("Break"), Out("not reached")})), Out("end")});
    EXPECT_EQ(G(0), 3);
    EXPECT_EQ(host.lines, (Lines{"[out] after", "[out] end"}));
}

TEST_F(Statements, ExitLoopAndContinue)
{
    Globals(3);
    Init({While(True(), Block({Inc(GN(0)), If(Cond({Term("EqNum", {GN(0), Num(5)})}), Block({Call("ExitLoop")}))})),
          // Continue in the first REPEAT pass runs the body again.
          Repeat(Block({Inc(GN(1)), If(Less(GN(1), 3), Block({Call("Continue")}))}), True()),
          ForTo(GN(2), Num(1), Num(10), Block({If(Less(GN(2), 10), Block({Call("Continue")})), Out("last pass")}))});
    EXPECT_EQ(G(0), 5);
    EXPECT_EQ(G(1), 3);
    EXPECT_EQ(G(2), 10);
    EXPECT_EQ(host.lines, Lines{"[out] last pass"});
}

TEST_F(Statements, ExitLoopOrContinueWithoutALoopAreReported)
{
    program.subs = {{"S", "", Block({Call("ExitLoop")})}};
    Init({CallSub(0)});
    Init({Call("Continue")});
    EXPECT_EQ(host.lines, (Lines{"[Velkano] 文法エラー\\nFOR,WHILE,REPEATが無いのにExitLoop()が呼ばれました",
                                 "[Velkano] 文法エラー\\nFOR,WHILE,REPEATが無いのにContinue()が呼ばれました"}));
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].icon, kIconWarning);
    EXPECT_EQ(host.boxes[0].buttons, std::vector<std::string>{"&OK"});
    EXPECT_TRUE(host.boxes[0].centredOnMainWindow);
}

TEST_F(Statements, ExitLoopInsideASubActsOnTheCallersLoop)
{
    Globals(1);
    program.subs = {{"S", "", Block({Call("ExitLoop")})}};
    Init({While(True(), Block({Inc(GN(0)), CallSub(0)})), Out("after")});
    EXPECT_EQ(G(0), 1);
    EXPECT_EQ(host.lines, Lines{"[out] after"});
}

TEST_F(Statements, ForLoops)
{
    Globals(4);
    program.numArrays = {{"#a", {0, 0}}};
    Init({SetNum(GN(0), Num(99)), ForTo(GN(0), Num(1), Num(0), Block({Out("never")})),
          ForDownTo(GN(1), Num(3), Num(1), Block({Call("CalcNum", {GN(2), GN(2), Op('*'), Num(10)}),
                                                  Call("CalcNum", {GN(2), GN(2), Op('+'), GN(1)})})),
          ForTo(GN(3), Num(1), Num(3), Block({})),
          // An element's subscript is evaluated once.
          ForTo(At(GNA(0), Expr({GN(3), Op('-'), Num(1)})), Num(5), Num(6), Block({SetNum(GN(3), Num(1))}))});
    EXPECT_EQ(G(0), 99);   // unchanged by a loop that does not run
    EXPECT_EQ(G(2), 321);
    EXPECT_EQ(G(3), 1);    // the last value written, not 4
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{0, 6}));
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Statements, ForLoopsEndAtTheLargestAndSmallestNumbers)
{
    Globals(2);
    Init({ForTo(GN(0), Num(INT64_MAX - 2), Num(INT64_MAX), Block({Inc(GN(1))})),
          ForDownTo(GN(0), Num(INT64_MIN + 1), Num(INT64_MIN), Block({Inc(GN(1))}))});
    EXPECT_EQ(G(1), 5);
    EXPECT_EQ(G(0), INT64_MIN);
}

TEST_F(Statements, ChangingTheLoopVariableFails)
{
    Globals(1);
    Init({ForTo(GN(0), Num(1), Num(3), Block({SetNum(GN(0), Num(7))}))});
    EXPECT_EQ(host.lines, Lines{GrammarError("ループ変数をFOR文内で変更しては行けません")});
    EXPECT_EQ(G(0), 7);
}

TEST_F(Statements, CaseEvaluatesEveryLabelAndRunsTheFirstMatch)
{
    Globals(1);
    program.intFuncs = {{"Label", "N", Block({Inc(GN(0)), W(bc::bcReturnInt) + AN(0)})}};
    const TCode elseWord = W(bc::bcElse);
    Init({Case(Num(4294967297), {{{CallNumFunc(0, {Num(1)})}, Block({Out("one")})},
                                 {{CallNumFunc(0, {Num(2)}), CallNumFunc(0, {Num(1)})}, Block({Out("again")})},
                                 {{elseWord}, Block({Out("else")})}}),
          Case(Num(9), {{{Num(1)}, Block({Out("no")})}, {{elseWord}, Block({Out("else")})}})});
    EXPECT_EQ(host.lines, (Lines{"[out] one", "[out] else"}));
    EXPECT_EQ(G(0), 3);
    host.lines.clear();
    Init({Case(Num(1), {{{Num(2), elseWord}, Block({})}})});
    EXPECT_EQ(host.lines, Lines{GrammarError("ELSEが不正な箇所にあります")});
}

TEST_F(Statements, StrCaseKinds)
{
    struct Case {
        std::int32_t kind;
        const char* selector;
        const char* label;
        bool match;
    } cases[] = {
        {bc::bcMatchStr, "abc", "abc", true},      {bc::bcMatchStr, "abc", "ABC", false},
        {bc::bcMatchText, "abc.txt", "ABC.TXT", true}, {bc::bcMatchRegStr, "xaby", "a.", true},
        {bc::bcMatchRegStr, "xAby", "ab", false},  {bc::bcMatchRegText, "xAby", "ab", true},
        {bc::bcMatchMaskStr, "A.TXT", "*.TXT", true}, {bc::bcMatchMaskStr, "A.TXT", "*.txt", false},
        {bc::bcMatchMaskText, "A.TXT", "*.txt", true},
    };
    for (const Case& c : cases) {
        host.lines.clear();
        Init({StrCase(Str(c.selector), c.kind, {{{Str(c.label)}, Block({Out("hit")})}, {{W(bc::bcElse)}, Block({Out("miss")})}})});
        EXPECT_EQ(host.lines, Lines{c.match ? "[out] hit" : "[out] miss"}) << c.selector << " " << c.label;
    }
    host.lines.clear();
    Init({StrCase(Str("a"), 0x00900059, {{{Str("a")}, Block({})}})});
    EXPECT_EQ(host.lines, Lines{GrammarError("未知のSTRCASE TYPE : 00900059")});
}

TEST_F(Statements, RaiseInTryRunsExceptAndFinally)
{
    const TCode except = Block({Out("except"), Show(SysStr("$_RAISESTR"))});
    const TCode finally = Block({Out("finally")});
    Init({Try(Block({Call("Raise", {Str("boom"), Num(3)}), Out("no")}), &except, &finally), Out("after")});
    EXPECT_EQ(host.lines, (Lines{"[out] except", "[out] boom", "[out] finally", "[out] after"}));
}

TEST_F(Statements, ASecondRaiseInExceptStillRunsFinallyThenEndsTheRun)
{
    const TCode except = Block({Call("Raise", {Str("second"), Num(-2)})});
    const TCode finally = Block({Out("finally")});
    Init({Try(Block({Call("Raise", {Str("first"), Num(1)})}), &except, &finally), Out("no")});
    EXPECT_EQ(host.lines, (Lines{"[out] finally", "[Velkano] ユーザー例外\\nsecond\\nerr value=-2"}));
}

TEST_F(Statements, ExitInTryRunsFinallyOnly)
{
    const TCode except = Block({Out("except")});
    const TCode finally = Block({Out("finally")});
    Init({Try(Block({Call("Exit")}), &except, &finally), Out("no")});
    EXPECT_EQ(host.lines, Lines{"[out] finally"});
}

TEST_F(Statements, ReturnInTryInsideAFunctionRunsFinallyAndReturns)
{
    Globals(1);
    const TCode finally = Block({Out("finally")});
    program.intFuncs = {{"F", "", Block({Try(Block({W(bc::bcReturnInt) + Num(42), Out("no")}), nullptr, &finally),
                                         W(bc::bcReturnInt) + Num(1)})}};
    Init({SetNum(GN(0), CallNumFunc(0)), Out("caller goes on")});
    EXPECT_EQ(G(0), 42);
    EXPECT_EQ(host.lines, (Lines{"[out] finally", "[out] caller goes on"}));
}

TEST_F(Statements, RunTimeErrorsAndBreakInTryRunNeitherBlock)
{
    Globals(1);
    const TCode except = Block({Out("except")});
    const TCode finally = Block({Out("finally")});
    Init({While(Less(GN(0), 1), Block({Inc(GN(0)), Try(Block({Call("ExitLoop")}), &except, &finally)})), Out("after"),
          Try(Block({SetNum(GN(0), Expr({Num(1), Op('/'), Num(0)}))}), &except, &finally)});
    EXPECT_EQ(host.lines, (Lines{"[out] after", GrammarError("０で割ろうとしました")}));
}

TEST_F(Statements, FunctionsAndSubs)
{
    Globals(2, 1);
    // Fact(#n): recursion; Name(): a string function; Exits(): ExitProc in a
    // function leaves the calling binding.
    program.intFuncs = {{"Fact", "N", Block({If(Less(AN(0), 2), Block({W(bc::bcReturnInt) + Num(1)})),
                                             W(bc::bcReturnInt) + Expr({AN(0), Op('*'), CallNumFunc(0, {Expr({AN(0), Op('-'), Num(1)})})})})},
                        {"NoReturn", "", Block({})}};
    program.strFuncs = {{"Name", "S", Block({W(bc::bcReturnStr) + Expr({Str("<"), AS(0), Str(">")})})}};
    program.subs = {{"Ret", "", Block({Call("Return", {Num(5)}), Out("no")})}};
    Init({SetNum(GN(0), CallNumFunc(0, {Num(20)})), SetStr(GS(0), CallStrFunc(0, {Str("x")})),
          SetNum(GN(1), Expr({CallNumFunc(1), Op('+'), Num(1)})), CallSub(0), Show(Str("result")),
          If(Cond({Term("EqNum", {SysNum("#_RESULT"), Num(5)})}), Block({Out("five")}))});
    EXPECT_EQ(G(0), 2432902008176640000);
    EXPECT_EQ(S(0), "<x>");
    EXPECT_EQ(G(1), 1);
    EXPECT_EQ(host.lines, (Lines{"[out] result", "[out] five"}));
}

TEST_F(Statements, AFunctionInAnExpressionLeavesTheRecordsValues)
{
    Globals(3);
    program.intFuncs = {{"F", "", Block({Call("SetResult", {Num(9)}), W(bc::bcReturnInt) + Num(1)})}};
    // As a statement the function uses the record itself.
    Init({Call("SetResult", {Num(4)}), SetNum(GN(0), CallNumFunc(0)), SetNum(GN(1), SysNum("#_RESULT")), CallNumFunc(0),
          SetNum(GN(2), SysNum("#_RESULT"))});
    EXPECT_EQ(G(0), 1);
    EXPECT_EQ(G(1), 4);
    EXPECT_EQ(G(2), 9);
}

TEST_F(Statements, RecursionEndsAtTheDepthBoundWithAMessage)
{
    Globals(1);
    program.subs = {{"Deep", "", Block({Inc(GN(0)), CallSub(0)})}};
    Init({CallSub(0)});
    EXPECT_EQ(G(0), TKeySrc::kMaxCallDepth);
    EXPECT_EQ(host.lines, Lines{GrammarError("ルーチンの呼び出しが深すぎます (上限 1000 段) : Deep")});
    // The bound is per run: the next run starts from the bottom again.
    host.lines.clear();
    vtl.RunInit();
    EXPECT_EQ(G(0), 2 * TKeySrc::kMaxCallDepth);
}

TEST_F(Statements, DeeplyNestedCodeEndsAtTheNestingBound)
{
    Globals(1);
    TCode expr = Num(1);
    for (int i = 0; i < TKeySrc::kMaxNesting + 10; ++i) expr = Expr({expr});
    Init({SetNum(GN(0), expr)});
    EXPECT_EQ(host.lines, Lines{GrammarError("文や式の入れ子が深すぎます (上限 4000 段)")});
    host.lines.clear();
    TCode block = Block({});
    for (int i = 0; i < TKeySrc::kMaxNesting + 10; ++i) block = Block({If(True(), block)});
    Init({If(True(), block)});
    EXPECT_EQ(host.lines, Lines{GrammarError("文や式の入れ子が深すぎます (上限 4000 段)")});
    // Recursion through expressions stays inside the stack as well.
    host.lines.clear();
    program.intFuncs = {{"F", "N", Block({W(bc::bcReturnInt) + Expr({Expr({Expr({CallNumFunc(0, {AN(0)})})})})})}};
    Init({SetNum(GN(0), CallNumFunc(0, {Num(1)}))});
    ASSERT_EQ(host.lines.size(), 1u);
    EXPECT_NE(host.lines[0].find("深すぎます"), std::string::npos);
}

TEST_F(Statements, TheStopRequestEndsAnEndlessLoop)
{
    host.stopAfterPolls = 100000;
    Init({While(True(), Block({})), Out("no")});
    EXPECT_EQ(host.lines, Lines{"[status 3000] VTLを強制終了"});
    EXPECT_TRUE(host.boxes.empty());
    // Messages were pumped, but not once per statement.
    EXPECT_LT(host.pumps, 1000);
}

TEST_F(Statements, TheEndOfEveryRunCleansUp)
{
    Init({Call("Exit")});
    Init({Call("AllMark", {Num(1)})});
    EXPECT_EQ(host.runEnds, (std::vector<std::string>{"plugins", "after", "plugins", "after"}));
    EXPECT_FALSE(vtl.Running());
}

TEST_F(Statements, PreKeyRunsFirstAndMayChangeTheKeySet)
{
    Globals(1, 1);
    const std::int32_t a = static_cast<std::int32_t>(0x80000041);
    program.keySets = {{"DEFAULT", {{"A", a, Block({Var(1, 0), Out("default A")})}}},
                       {"EDIT", {{"A", a, Block({Out("edit A"), Show(SysStr("$_KEYSET"))})}}}};
    // #PREKEY's locals are gone before the binding runs.
    program.preKey = Block({Var(1, 0), Out("prekey"), If(Cond({Term("EqNum", {GN(0), Num(1)})}),
                                                         Block({Call("ChangeKeySet", {Str("edit")})})),
                            If(Cond({Term("EqNum", {GN(0), Num(2)})}), Block({Call("ChangeKeySet", {Str("none")}),
                                                                               SetNum(GN(0), SysNum("#_RESULT"))}))});
    ASSERT_TRUE(Load());
    vtl.RunKey('A', 0, 0, 0, 0);
    vtl.GlobalNums[0].Value = 1;
    vtl.RunKey('A', 0, 0, 0, 0);
    vtl.GlobalNums[0].Value = 2;
    vtl.RunKey('A', 0, 0, 0, 0);
    vtl.RunInit();  // no #PREKEY for #INIT
    EXPECT_EQ(host.lines, (Lines{"[out] prekey", "[out] default A", "[out] prekey", "[out] edit A", "[out] edit",
                                 "[out] prekey", "[out] default A"}));
    EXPECT_EQ(G(0), 1);  // an unknown set gives 1
}

TEST_F(Statements, ChangeKeySetOutsidePreKeyFails)
{
    Init({Call("ChangeKeySet", {Str("DEFAULT")})});
    EXPECT_EQ(host.lines, Lines{GrammarError("ChangeKeySetは#PREKEYでのみ使用可能です")});
}

TEST_F(Statements, MalformedStatementsReportTheirTexts)
{
    struct Case {
        TCode statement;
        std::string error;
    } cases[] = {
        {W(0x00123456), "未定義コード : 00123456"},
        {W(bc::bcIf) + Cond({Bool(true)}) + Block({}) + W(0x00100077), "ENDIFが必要です : 00100077"},
        {W(bc::bcIf) + Cond({Bool(false)}) + Block({}) + W(0x00100077), "ENDIFがみつからない"},
        {W(bc::bcWhile) + Cond({Bool(false)}) + Block({}) + W(bc::bcUntil), "WEND Markerが見つからない : 00900023"},
        {W(bc::bcRepeat) + Block({}) + Cond({Bool(true)}) + W(bc::bcEndWhile), "REND Markerが見つからない : 00900013"},
        {W(bc::bcFor) + GN(0) + Num(1) + W(bc::bcEndIf) + Num(1) + Block({}), "TO 又は DOWNTO が有りません : 00900005"},
        {W(bc::bcTry) + Block({}) + W(bc::bcEndTry), "EXCEPTかFINALLYが必要 : 0090006F"},
        {W(bc::bcTry) + Block({}) + W(bc::bcExcept) + Block({}) + W(bc::bcIf), "FINALLYが無い、又はTRY文が終了していない : 00900001"},
        {W(bc::bcTry) + Block({}) + W(bc::bcFinally) + Block({}) + W(bc::bcIf), "TRY文が終了していない : 00900001"},
        {W(bc::bcIf) + W(bc::bcCondEnd), "判定式開始マーカーがありません : 00100035"},
        {W(bc::bcIf) + W(bc::bcCondBegin) + W(0x00400001), "判定式が見つかりません : 00400001"},
        {W(bc::bcIf) + W(bc::bcCondBegin) + Bool(true) + W(bc::bcElse), "判定式が終了していません : 00900004"},
        {W(bc::bcIf) + Cond({W(0x008000A4)}), "未知の判定式 : 008000A4"},
        {W(bc::bcIf) + Cond({Term("UseUnlha", {})}), "未定義の判定式 : 00800071"},
        {W(0x00920500), "未知のシステム手続き : 00920500"},
        {Call("AllMark", {Num(1)}), "未定義の手続き文 : 0092005C"},
        {W(bc::bcOpAdd), "未定義の手続き文 : 00920233"},
        {W(bc::bcIf) + Cond({Bool(false)}) + W(bc::bcCompoundBegin) + W(-8) + W(bc::bcCompoundEnd), "複文のサイズが不正 : -8"},
        {W(bc::bcIf) + Cond({Bool(false)}) + W(0x00100013), "複文開始マーカーがない : 00100013"},
        {W(bc::bcIf) + Cond({Bool(false)}) + W(bc::bcCompoundBegin) + W(0) + W(bc::bcElse), "複文終了マーカーがない : 00900004"},
        {W(bc::bcIf) + Cond({Bool(true)}) + W(bc::bcCompoundBegin) + W(0) + Call("SetResult", {Num(1)}), "複文サイズ不一致"},
        {CallSub(5), "サブルーチンインデックスが不正 : 6"},
        {W(bc::CallSubWord(0)) + W(7), "サブルーチンのターミネータがありません : 00000007"},
        {CallNumFunc(3), "ユーザー定義関数(数字)インデックスが不正 : 3"},
        {CallStrFunc(0), "ユーザー定義関数(文字列)インデックスが不正 : 0"},
        {CallBoolFunc(0), "ユーザー定義関数(論理値)インデックスが不正 : 0"},
        {W(bc::CallIntFuncWord(0)) + W(1), "ユーザー定義関数 F のターミネータがありません : 00000001"},
        {W(bc::CallDialogWord(0)) + W(0), "未定義の手続き文 : 00D00000"},
        {Call("MsgBox", {Str("m"), Str("c"), Num(0), List({})}), "文字列が最低１つは必要です"},
        {Call("MsgBox", {Str("m"), Str("c"), Num(0), List({Str("1"), Str("2"), Str("3"), Str("4"), Str("5"), Str("6")})}),
         "文字列が５つを越えています"},
        {Call("MsgBox", {Str("m"), Str("c"), Num(4294967296), List({Str("1")})}), "範囲外の数です : 4294967296"},
        {Call("SetNum", {GN(0), Num(1)}).substr(0, 12), "数字が読めない : 0000000000100012"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        host.lines.clear();
        program.globalNums = {{"#g0", 0}};
        program.subs = {{"S", "", Block({})}};
        program.intFuncs = {{"F", "", Block({})}};
        Init({c.statement});
        EXPECT_EQ(host.lines, Lines{GrammarError(c.error)});
    }
}

TEST_F(Statements, MessageBoxesAnswer)
{
    Globals(4);
    host.answers = {2, 1, 2, 0};
    Init({Call("MsgBox", {Str("m"), Str("c"), Num(1), List({Str("a"), Str("b")})}), SetNum(GN(0), SysNum("#_RESULT")),
          Call("YesNoBox", {Str("q"), Str("c"), Num(0), Num(3)}), SetNum(GN(1), SysNum("#_RESULT")),
          Call("YesNoCancelBox", {Str("q"), Str("c"), Num(0), Num(3)}), SetNum(GN(2), SysNum("#_RESULT")),
          Call("MsgBoxEx", {Num(9), Str("e"), Str("c"), Num(0), List({Str("x")})}), SetNum(GN(3), SysNum("#_RESULT"))});
    EXPECT_EQ((std::vector<std::int64_t>{G(0), G(1), G(2), G(3)}), (std::vector<std::int64_t>{2, 1, 1, 0}));
    ASSERT_EQ(host.boxes.size(), 4u);
    EXPECT_EQ(host.boxes[0].buttons, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(host.boxes[0].defaultButton, 1);
    EXPECT_EQ(host.boxes[0].icon, -1);
    EXPECT_FALSE(host.boxes[0].centredOnMainWindow);
    EXPECT_EQ(host.boxes[2].buttons, (std::vector<std::string>{"&YES", "&NO", "&CANCEL"}));
    EXPECT_EQ(host.boxes[3].icon, 0);
}
