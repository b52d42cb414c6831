#include "interpreter/seedprograms.h"

#include "interpreter/keyfile_builder.h"

using namespace kb;

namespace {

TCode Less(const TCode& a, const TCode& b) { return Cond({Term("LsNum", {a, b})}); }

std::string Control()
{
    TKeyFileContent p;
    p.globalNums = {{"#i", 0}, {"#sum", 0}, {"#n", 5}};
    p.globalStrs = {{"$s", "abc"}, {"$t", ""}};
    p.numArrays = {{"#a", {1, 2, 3, 4}}};
    p.strArrays = {{"$y", {"x", "yy", ""}}};
    const TCode except = Block({Call("AddStr", {GS(1), List({SysStr("$_RAISESTR"), Str("!")})})});
    const TCode finally = Block({Call("IncNum", {GN(1)})});
    p.subs = {{"Swap", "VVT", Block({Var(1, 0), SetNum(LN(0), VN(0)), SetNum(VN(0), VN(1)), SetNum(VN(1), LN(0)),
                                     SetStr(VS(0), Expr({VS(0), Str("+")}))})},
              {"Arrays", "XZRY", Block({SetNum(At(VNA(0), Num(1)), At(ANA(0), Num(2))),
                                        SetStr(At(VSA(0), Num(1)), At(ASA(0), Num(1)))})}};
    p.intFuncs = {{"Fib", "N", Block({If(Less(AN(0), Num(2)), Block({W(bc::bcReturnInt) + AN(0)})),
                                      W(bc::bcReturnInt) + Expr({CallNumFunc(0, {Expr({AN(0), Op('-'), Num(1)})}), Op('+'),
                                                                 CallNumFunc(0, {Expr({AN(0), Op('-'), Num(2)})})})})}};
    p.strFuncs = {{"Up", "S", Block({W(bc::bcReturnStr) + Expr({AS(0), Str("!")})})}};
    p.boolFuncs = {{"Odd", "N", Block({W(bc::bcReturnBool) + Cond({Term("EqNum", {Expr({AN(0), Op('%'), Num(2)}), Num(1)})})})}};
    p.init = Block({
        Var(2, 1, {3}, {2}),
        ForTo(GN(0), Num(1), Num(10), Block({Call("CalcNum", {GN(1), GN(1), Op('+'), GN(0)})})),
        ForDownTo(LN(0), Num(3), Num(1), Block({SetNum(At(LNA(0), LN(0)), CallNumFunc(0, {LN(0)}))})),
        While(Less(LN(1), Num(4)), Block({Call("IncNum", {LN(1)}), If(Cond({CallBoolFunc(0, {LN(1)})}), Block({Call("Continue")}))})),
        Repeat(Block({Call("DecNum", {LN(1)})}), Cond({Term("LEqNum", {LN(1), Num(0)})})),
        Case(GN(2), {{{Num(1), Num(2)}, Block({Show(Str("small"))})}, {{Num(5)}, Block({Show(Str("five"))})},
                     {{W(bc::bcElse)}, Block({Show(Str("other"))})}}),
        StrCase(GS(0), bc::bcMatchRegText, {{{Str("B.")}, Block({Show(CallStrFunc(0, {GS(0)}))})}}),
        Try(Block({Call("Raise", {Str("raised"), Num(3)})}), &except, &finally),
        CallSub(0, {GN(0), GN(1), LS(0)}),
        CallSub(1, {Whole(GNA(0)), Whole(GSA(0)), ArrayConst({Num(7), Num(8)}), Whole(GSA(0))}),
        IfElse(Cond({Term("MatchStr", {GS(0), Str("b+")}), And(), Not(), Term("IsFile", {Str("C:\\nofile")})}),
               Block({Show(Expr({Str("match "), GS(0)}))}), Block({Call("Break")})),
    });
    p.keySets = {{"DEFAULT", {{"A", static_cast<std::int32_t>(0x80000041), Block({Call("SetResult", {Num(1)}), Call("ExitProc")})},
                              {";", 59, Block({Call("ExitLoop")})}}},
                 {"EDIT", {{"A", static_cast<std::int32_t>(0x80000041), Block({Show(SysStr("$_KEYSET"))})}}}};
    p.mouseSets = {{"DEFAULT", {{"LCLICK", static_cast<std::int32_t>(0x80000001), Block({Call("Exit")})}}}};
    p.eventSets = {{"DEFAULT", {{"Resize", 0, Block({Show(Str("resize"))})}}}};
    p.preKey = Block({If(Cond({Term("EqNum", {SysNum("#_KEYCODE"), Num('A')})}), Block({Call("ChangeKeySet", {Str("EDIT")})}))});
    p.done = Block({Call("MsgBox", {Str("bye"), Str("done"), Num(0), List({Str("&OK")})})});
    return SerializeKeyFile(p);
}

// The loop of the benchmark, with string work around it.
std::string Loop()
{
    TKeyFileContent p;
    p.globalNums = {{"#i", 0}, {"#s", 0}};
    p.globalStrs = {{"$x", ""}};
    p.init = Block({ForTo(GN(0), Num(1), Num(200),
                          Block({Call("CalcNum", {GN(1), GN(1), Op('+'), GN(0)}),
                                 If(Cond({Term("EqNum", {Expr({GN(0), Op('%'), Num(50)}), Num(0)})}),
                                    Block({Call("AddStr", {GS(0), List({GS(0), Str("."), SysStr("$_TAB")})})}))}))});
    return SerializeKeyFile(p);
}

}  // namespace

std::vector<std::string> SeedPrograms() { return {Control(), Loop()}; }
