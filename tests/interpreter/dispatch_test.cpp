// Builtin dispatch: registration, SkipMode around condition builtins, the
// window number convention, and what a function inside an expression may
// change of the run record.
#include <gtest/gtest.h>

#include "interpreter/vtlfixture.h"

using namespace kb;

class Dispatch : public TVtlTest {};

namespace {

using bc::BuiltinId;
using bc::TBuiltinKind;

std::vector<bool> skipModes;
bool RecordSkipMode(TKeySrc& vtl, TInitDatas& rec)
{
    vtl.ReadNum(rec);
    skipModes.push_back(rec.SkipMode);
    return true;
}

// A stand-in of IsMark's shape: a bad index fails unless the
// term is stepped over.
bool FailingIsMark(TKeySrc& vtl, TInitDatas& rec)
{
    std::int64_t index = vtl.ReadNum(rec);
    if (rec.SkipMode) return false;
    throw EGrammer("Indexが範囲外です : " + std::to_string(index));
}

int window = 0;
void TakeWindow(TKeySrc& vtl, TInitDatas& rec) { window = vtl.ReadPaneWindow(rec); }

int snapshotsFreed = 0;
struct TCountedSnapshot : TMarkSnapshot {
    ~TCountedSnapshot() override { ++snapshotsFreed; }
};
// Stands in for a builtin that loads an archiver library and snapshots the
// marks of pane 1.
void UseResources(TKeySrc&, TInitDatas& rec)
{
    rec.ArcUsed[3] = true;
    rec.MarkSnapshot1 = std::make_unique<TCountedSnapshot>();
    rec.Result = 55;
}

}  // namespace

TEST_F(Dispatch, EveryIdentifierOfTheFamiliesIsInTheCatalogue)
{
    // The families registered entries only for catalogue identifiers (and
    // the typed Return words); everything else stays empty.
    int procedures = 0, conditions = 0;
    for (std::int32_t id = dispatch::kFirstProcedure; id <= dispatch::kLastProcedure; ++id)
        if (vtl.Tables().Procedure(id)) {
            ++procedures;
            bool typedReturn = id == bc::bcReturnInt || id == bc::bcReturnStr || id == bc::bcReturnBool;
            EXPECT_TRUE(typedReturn || bc::FindBuiltinById(id)) << Hex8(id);
        }
    for (std::int32_t id = dispatch::kFirstCondition; id <= dispatch::kLastCondition; ++id)
        if (vtl.Tables().Condition(id)) {
            ++conditions;
            EXPECT_TRUE(bc::FindBuiltinById(id)) << Hex8(id);
        }
    EXPECT_GT(procedures, 0);
    EXPECT_GT(conditions, 0);
    for (const char* undefined : {"AllMark", "AllUnmark", "DustBox", "ConvertRegStr", "InputRegStr"})
        EXPECT_FALSE(vtl.Tables().Procedure(bc::FindBuiltin(TBuiltinKind::SysProc, undefined)->id)) << undefined;
}

TEST_F(Dispatch, SkipModeIsSetAroundAConditionBuiltinAndRestored)
{
    skipModes.clear();
    vtl.Tables().SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsMark"), RecordSkipMode);
    Init({If(Cond({Term("IsMark", {Num(1)}), Or(), Term("IsMark", {Num(2)})}), Block({})),
          If(Cond({Term("IsMark", {Num(3)})}), Block({}))});
    EXPECT_EQ(skipModes, (std::vector<bool>{false, true, false}));
}

TEST_F(Dispatch, ASteppedOverFailingConditionDoesNotFail)
{
    Globals(1);
    vtl.Tables().SetCondition(BuiltinId(TBuiltinKind::CondFunc, "IsMark"), FailingIsMark);
    Init({If(Cond({Bool(true), Or(), Term("IsMark", {Num(-1)})}), Block({SetNum(GN(0), Num(1))}))});
    EXPECT_EQ(G(0), 1);
    EXPECT_TRUE(host.lines.empty());
    Init({If(Cond({Bool(false), Or(), Term("IsMark", {Num(-1)})}), Block({SetNum(GN(0), Num(2))}))});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(host.lines, Lines{GrammarError("Indexが範囲外です : -1")});
}

TEST_F(Dispatch, WindowNumbersAreComparedAs64Bits)
{
    vtl.Tables().SetProcedure(BuiltinId(TBuiltinKind::SysProc, "Update"), TakeWindow);
    Init({Call("Update", {Num(2)})});
    EXPECT_EQ(window, 2);
    Init({Call("Update", {Num(4294967297)})});
    EXPECT_EQ(host.lines, Lines{GrammarError("窓の指定が不正です : 4294967297")});
}

TEST_F(Dispatch, AFunctionInAnExpressionKeepsWhatTheRunMustRelease)
{
    Globals(2);
    snapshotsFreed = 0;
    vtl.Tables().SetProcedure(BuiltinId(TBuiltinKind::SysProc, "ClearArcBuf"), UseResources);
    program.intFuncs = {{"F", "", Block({Call("ClearArcBuf"), W(bc::bcReturnInt) + Num(1)})}};
    Init({SetNum(GN(0), CallNumFunc(0)), SetNum(GN(1), SysNum("#_RESULT"))});
    EXPECT_EQ(G(1), 0);  // the record's value is as before the call
    EXPECT_EQ(snapshotsFreed, 1);
    EXPECT_EQ(host.runEnds, (std::vector<std::string>{"plugins", "archiver 3", "after"}));
}

TEST_F(Dispatch, ARaiseInAFunctionInAnExpressionReportsItsOwnText)
{
    program.intFuncs = {{"F", "", Block({Call("Raise", {Str("inner"), Num(8)})})}};
    Globals(1);
    Init({SetNum(GN(0), CallNumFunc(0))});
    EXPECT_EQ(host.lines, Lines{"[Velkano] ユーザー例外\\ninner\\nerr value=8"});
}
