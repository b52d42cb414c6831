// The mark builtins on the recording host's two panes: single entries,
// all and inverted marks, pattern marking, IsMark, the run's snapshots that
// GetMark* read, the mark totals as system variables; and the pane lists
// that fill the panes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "interpreter/panelist.h"
#include "interpreter/vtlfixture.h"

using namespace kb;

namespace {

// Listed by the default sort set as ".", "..", "sub", then the files.
const char kDir[] =
    ".\t0\tD\t2020/01/01 00:00:00\n"
    "..\t0\tD\t2020/01/01 00:00:00\n"
    "a.txt\t10\tA\t2022/01/02 03:04:05\n"
    "B.TXT\t20\tRA\t2022/01/02 03:04:06\n"
    "sub\t0\tD\t2021/02/03 04:05:06\n"
    "アイ.txt\t40\t\t2022/01/02 03:04:07\n"
    "表示.doc\t5000000000\tHA\t2023/12/31 23:59:59\n";

}  // namespace

class MarkBuiltins : public TVtlTest {
protected:
    void SetUp() override
    {
        Globals(2, 2);
        ShowBoth();
    }
    void ShowBoth()
    {
        ShowPaneList(host.pane1, kDir);
        ShowPaneList(host.pane2, kDir);
    }
    static int IndexOf(const TPaneState& pane, const std::string& name)
    {
        for (int i = 0; i < pane.EntryCount(); ++i)
            if (pane.EntryAt(i)->FileName() == name) return i;
        ADD_FAILURE() << name << " is not listed";
        return -1;
    }
    TCode At1(const std::string& name) const { return Num(IndexOf(host.pane1, name)); }
    static std::string Marked(const TPaneState& pane)
    {
        std::string out;
        for (int i = 0; i < pane.EntryCount(); ++i)
            if (pane.IsMarked(i)) out += (out.empty() ? "" : " ") + pane.EntryAt(i)->FileName();
        return out;
    }
    void MarkNames(TPaneState& pane, std::initializer_list<const char*> names)
    {
        for (const char* n : names) pane.SetMark(IndexOf(pane, n), true);
    }
    Lines Run(const std::vector<TCode>& statements)
    {
        host.lines.clear();
        return Init(statements);
    }
};

TEST_F(MarkBuiltins, PaneListsAreSortedWithTheCursorOnTheFirstEntry)
{
    std::string names;
    for (int i = 0; i < host.pane1.EntryCount(); ++i) names += host.pane1.EntryAt(i)->FileName() + " ";
    EXPECT_EQ(names, ". .. sub a.txt B.TXT アイ.txt 表示.doc ");
    EXPECT_EQ(host.pane1.ItemIndex(), 0);
    EXPECT_EQ(host.pane1.PaneStatus(), kPaneListed);
    EXPECT_EQ(host.pane1.EntryAt(IndexOf(host.pane1, "表示.doc"))->Size, 5000000000);
}

TEST_F(MarkBuiltins, SingleEntriesAllAndInvertActOnTheActivePane)
{
    EXPECT_EQ(Run({Call("Mark", {At1("a.txt")}), Call("Mark", {At1("sub")}), Call("Mark", {At1("..")}), Call("Mark", {Num(-1)}),
                   Call("Mark", {Num(99)}), Call("MarkTrigger", {At1("B.TXT")}), Call("MarkTrigger", {At1("sub")}),
                   Call("Unmark", {At1("表示.doc")}), SetNum(GN(0), SysNum("#_MARKNUM")),
                   SetNum(GN(1), SysNum("#_ALTMARKNUM"))}),
              Lines{});
    EXPECT_EQ(Marked(host.pane1), "a.txt B.TXT");
    EXPECT_EQ(Marked(host.pane2), "");
    EXPECT_EQ(G(0), 2);
    EXPECT_EQ(G(1), 0);
    Run({Call("Unmark", {At1("a.txt")})});
    EXPECT_EQ(Marked(host.pane1), "B.TXT");

    host.activeWindow = 2;
    Run({Call("AllMarkTrigger"), SetNum(GN(0), SysNum("#_MARKNUM")), SetNum(GN(1), SysNum("#_ALTMARKNUM"))});
    EXPECT_EQ(Marked(host.pane2), "a.txt B.TXT アイ.txt 表示.doc");
    EXPECT_EQ(G(0), 4);
    EXPECT_EQ(G(1), 1);
    Run({Call("AllMarkTrigger")});  // something is marked: everything is cleared
    EXPECT_EQ(Marked(host.pane2), "");
    Run({Call("RevMarkTrigger")});
    EXPECT_EQ(Marked(host.pane2), "sub a.txt B.TXT アイ.txt 表示.doc");
    EXPECT_EQ(Marked(host.pane1), "B.TXT");
}

TEST_F(MarkBuiltins, PatternMarking)
{
    struct TCase {
        const char* what;
        bool wildcard;
        bool allMarkedBefore;
        TCode call;
        std::string marked;
    };
    const TCase cases[] = {
        {"Str keeps case", false, false, Call("MarkMatchStr", {Str("txt"), Num(0)}), "a.txt アイ.txt"},
        {"Text ignores case", false, false, Call("MarkMatchText", {Str("TXT"), Num(0)}), "a.txt B.TXT アイ.txt"},
        {"a directory only with 1", false, false, Call("MarkMatchStr", {Str("u"), Num(0)}), ""},
        {"a directory with 1", false, false, Call("MarkMatchStr", {Str("u"), Num(1)}), "sub"},
        {"a directory not with 2", false, false, Call("MarkMatchStr", {Str("u"), Num(2)}), ""},
        {"Unmark Str", false, true, Call("UnmarkMatchStr", {Str("^[aB]"), Num(0)}), "sub アイ.txt 表示.doc"},
        {"Unmark Text spares directories", false, true, Call("UnmarkMatchText", {Str("S"), Num(0)}),
         "sub a.txt B.TXT アイ.txt 表示.doc"},
        {"Unmark Text with directories", false, true, Call("UnmarkMatchText", {Str("S"), Num(1)}),
         "a.txt B.TXT アイ.txt 表示.doc"},
        {"toggle Str", false, true, Call("MarkMatchStrTrigger", {Str("\\.[td]"), Num(0)}), "sub B.TXT"},
        {"toggle Text", false, false, Call("MarkMatchTextTrigger", {Str("\\.t"), Num(0)}), "a.txt B.TXT アイ.txt"},
        {"double-byte pattern", false, false, Call("MarkMatchStr", {Str("示\\.d"), Num(0)}), "表示.doc"},
        // ア is 83 41: lower-casing its trail byte would make it ヂ (83 61).
        {"lower-casing steps over trail bytes", false, false, Call("MarkMatchText", {Str("ヂ"), Num(0)}), ""},
        {"wildcard Str", true, false, Call("MarkMatchStr", {Str("*.TXT"), Num(0)}), "B.TXT"},
        {"wildcard Text", true, false, Call("MarkMatchText", {Str("*.TXT"), Num(0)}), "a.txt B.TXT アイ.txt"},
        {"wildcard list of masks", true, false, Call("MarkMatchStr", {Str("a*|*.doc"), Num(0)}), "a.txt 表示.doc"},
        {"wildcard toggle with directories", true, true, Call("MarkMatchTextTrigger", {Str("S*"), Num(1)}),
         "a.txt B.TXT アイ.txt 表示.doc"},
        {"an invalid mask takes no name", true, false, Call("MarkMatchStr", {Str("a>"), Num(0)}), ""},
    };
    for (const TCase& c : cases) {
        ShowBoth();
        host.pane1.SetMaskType(c.wildcard);
        if (c.allMarkedBefore) host.pane1.InvertMarks();
        EXPECT_EQ(Run({c.call}), Lines{}) << c.what;
        EXPECT_EQ(Marked(host.pane1), c.marked) << c.what;
        EXPECT_EQ(Marked(host.pane2), "") << c.what;
    }
}

TEST_F(MarkBuiltins, ABadRegularExpressionEndsTheRunAndKeepsTheMarks)
{
    MarkNames(host.pane1, {"a.txt"});
    Lines lines = Run({Call("MarkMatchText", {Str("(txt"), Num(0)}), Show(Str("after"))});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(GrammarError(""), 0), 0u) << lines[0];
    EXPECT_EQ(Marked(host.pane1), "a.txt");
    // The pane's own filter matcher is intact: the next pattern works.
    Run({Call("MarkMatchText", {Str("b\\.txt"), Num(0)})});
    EXPECT_EQ(Marked(host.pane1), "a.txt B.TXT");
}

TEST_F(MarkBuiltins, AnEmptyPaneIgnoresEveryMarking)
{
    host.pane1.ShowListing(TListing());
    EXPECT_EQ(Run({Call("Mark", {Num(0)}), Call("MarkTrigger", {Num(0)}), Call("AllMarkTrigger"), Call("RevMarkTrigger"),
                   Call("MarkMatchStr", {Str("(bad"), Num(1)}), SetNum(GN(0), SysNum("#_MARKNUM"))}),
              Lines{});
    EXPECT_EQ(G(0), 0);
}

TEST_F(MarkBuiltins, IsMarkTestsAnEntryOfTheActivePane)
{
    MarkNames(host.pane1, {"a.txt"});
    MarkNames(host.pane2, {"B.TXT"});
    auto isMarked = [&](const std::string& name) {
        return If(Cond({Term("IsMark", {At1(name)})}), Block({Show(Str(name))}));
    };
    EXPECT_EQ(Run({isMarked("a.txt"), isMarked("B.TXT"), isMarked("..")}), Lines{"[out] a.txt"});
    host.activeWindow = 2;
    EXPECT_EQ(Run({isMarked("a.txt"), isMarked("B.TXT")}), Lines{"[out] B.TXT"});
    const int count = host.pane2.EntryCount();
    for (int index : {-1, count}) {
        EXPECT_EQ(Run({If(Cond({Term("IsMark", {Num(index)})}), Block({}))}),
                  Lines{GrammarError("Indexが範囲外です : " + std::to_string(index))});
        // Stepped over, the bad index is not looked at.
        EXPECT_EQ(Run({If(Cond({Bool(false), And(), Term("IsMark", {Num(index)})}), Block({}))}), Lines{});
    }
}

TEST_F(MarkBuiltins, MarkQueriesGiveTheFieldsOfTheMarkedEntriesInListOrder)
{
    MarkNames(host.pane1, {"表示.doc", "sub", "B.TXT"});
    struct TCase {
        const char* builtin;
        int index;
        std::string text;
    };
    const TCase cases[] = {
        {"GetMarkFILENAME", 0, "sub"},
        {"GetMarkFILENAME", 1, "B.TXT"},
        {"GetMarkFILENAME", 2, "表示.doc"},
        {"GetMarkSFILENAME", 2, "表示.DOC"},
        {"GetMarkATTR", 0, "____D"},
        {"GetMarkATTR", 1, "R__A_"},
        {"GetMarkATTRC", 2, "_H_A__"},
        {"GetMarkCRDATETIME", 0, "2021/02/03 04:05:06"},
        {"GetMarkLWDATETIME", 1, "2022/01/02 03:04:06"},
        {"GetMarkACDATETIME", 2, "2023/12/31 23:59:59"},
        {"GetMarkFILETYPE", 0, "DIR"},
        {"GetMarkFILETYPE", 1, "FILE"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Run({Call(c.builtin, {Num(1), GS(0), Num(c.index)})}), Lines{}) << c.builtin;
        EXPECT_EQ(S(0), c.text) << c.builtin << " " << c.index;
    }
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(3)})}), Lines{GrammarError("インデックスが不正です : 3")});
    EXPECT_EQ(Run({Call("GetMarkATTR", {Num(1), GS(0), Num(-1)})}), Lines{GrammarError("インデックスが不正です : -1")});
}

TEST_F(MarkBuiltins, WithNothingMarkedTheSnapshotIsTheCursorEntry)
{
    host.pane1.SetItemIndex(IndexOf(host.pane1, "アイ.txt"));
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), Call("GetMarkFILENAME", {Num(1), GS(1), Num(1)})}),
              Lines{GrammarError("インデックスが不正です : 1")});
    EXPECT_EQ(S(0), "アイ.txt");
    host.pane1.ShowListing(TListing());
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)})}), Lines{GrammarError("インデックスが不正です : 0")});
}

TEST_F(MarkBuiltins, WindowNumbersOfQueriesAreCheckedBeforeTheIndex)
{
    for (std::int64_t w : {std::int64_t{0}, std::int64_t{3}, std::int64_t{4294967297}}) {
        EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(w), GS(0), Num(-7)})}),
                  Lines{GrammarError("窓の指定が不正です : " + std::to_string(w))});
        EXPECT_EQ(Run({Call("ReloadMarkInfo", {Num(w)})}), Lines{GrammarError("窓の指定が不正です : " + std::to_string(w))});
    }
    // Each window has its own snapshot, whichever pane is active.
    MarkNames(host.pane1, {"a.txt"});
    MarkNames(host.pane2, {"B.TXT"});
    host.activeWindow = 2;
    Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), Call("GetMarkFILENAME", {Num(2), GS(1), Num(0)})});
    EXPECT_EQ(S(0), "a.txt");
    EXPECT_EQ(S(1), "B.TXT");
}

TEST_F(MarkBuiltins, TheSnapshotStaysAsTakenUntilReloadMarkInfo)
{
    MarkNames(host.pane1, {"a.txt", "B.TXT"});
    const TCode unmarkAll = Call("AllMarkTrigger");
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), unmarkAll, Call("Mark", {At1("sub")}),
                   Call("GetMarkFILENAME", {Num(1), GS(1), Num(1)}), Call("ReloadMarkInfo", {Num(1)}),
                   Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), Call("GetMarkFILENAME", {Num(1), GS(1), Num(1)})}),
              Lines{GrammarError("インデックスが不正です : 1")});
    EXPECT_EQ(S(0), "sub");  // taken again: only the new mark
    EXPECT_EQ(S(1), "B.TXT");

    // With no marks left, the retaken snapshot is the cursor entry.
    host.pane1.SetItemIndex(IndexOf(host.pane1, "a.txt"));
    MarkNames(host.pane1, {"B.TXT"});
    Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), unmarkAll, Call("ReloadMarkInfo", {Num(1)}),
         Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)})});
    EXPECT_EQ(S(0), "a.txt");
}

TEST_F(MarkBuiltins, ReloadMarkInfoMakesNoSnapshotOfAWindowNotQueriedYet)
{
    MarkNames(host.pane1, {"a.txt"});
    Run({Call("ReloadMarkInfo", {Num(1)}), Call("Unmark", {At1("a.txt")}), Call("Mark", {At1("B.TXT")}),
         Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)})});
    EXPECT_EQ(S(0), "B.TXT");
}

TEST_F(MarkBuiltins, EachRunTakesItsOwnSnapshot)
{
    MarkNames(host.pane1, {"a.txt"});
    Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)})});
    EXPECT_EQ(S(0), "a.txt");
    host.pane1.InvertMarks();
    vtl.RunInit();
    EXPECT_EQ(S(0), "sub");
}

namespace {

// Stands in for a builtin that reloads pane 1 (Update, a file operation):
// a.txt is gone, B.TXT has a new time, a new file came.
void ReloadPane1(TKeySrc& vtl, TInitDatas& rec)
{
    vtl.ReadPaneWindow(rec);
    static_cast<TRecordingHost&>(vtl.Host())
        .pane1.TakeOverListing(ParsePaneList("B.TXT\t21\tA\t2024/05/06 07:08:09\nnew\t1\tA\t2024/05/06 07:08:09\n"));
}

}  // namespace

TEST_F(MarkBuiltins, SnapshotsStayValidWhenThePaneReloadsDuringTheRun)
{
    vtl.Tables().SetProcedure(bc::BuiltinId(bc::TBuiltinKind::SysProc, "Update"), ReloadPane1);
    MarkNames(host.pane1, {"a.txt", "B.TXT"});
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), Call("Update", {Num(1)}),
                   Call("GetMarkLWDATETIME", {Num(1), GS(0), Num(0)}), Call("GetMarkATTR", {Num(1), GS(1), Num(1)}),
                   SetNum(GN(0), SysNum("#_MARKNUM"))}),
              Lines{});
    EXPECT_EQ(S(0), "2022/01/02 03:04:05");  // a.txt as it was listed
    EXPECT_EQ(S(1), "R__A_");                // B.TXT as it was listed
    EXPECT_EQ(G(0), 1);                      // the pane kept the mark of B.TXT
    Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), Call("Update", {Num(1)}), Call("ReloadMarkInfo", {Num(1)}),
         Call("GetMarkLWDATETIME", {Num(1), GS(0), Num(0)}), Call("GetMarkFILENAME", {Num(1), GS(1), Num(0)})});
    EXPECT_EQ(S(0), "2024/05/06 07:08:09");
    EXPECT_EQ(S(1), "B.TXT");
}

TEST_F(MarkBuiltins, ASnapshotTakenInAFunctionInsideAnExpressionServesTheWholeRun)
{
    program.intFuncs = {{"F", "", Block({Call("GetMarkFILENAME", {Num(1), GS(0), Num(0)}), W(bc::bcReturnInt) + Num(1)})}};
    MarkNames(host.pane1, {"a.txt"});
    Run({SetNum(GN(0), CallNumFunc(0)), Call("Unmark", {At1("a.txt")}), Call("Mark", {At1("B.TXT")}),
         Call("GetMarkFILENAME", {Num(1), GS(1), Num(0)})});
    EXPECT_EQ(S(1), "a.txt");
}

TEST_F(MarkBuiltins, AFunctionInTheIndexMayRetakeTheSnapshotItIndexes)
{
    // F changes the marks and takes the snapshot again.
    program.intFuncs = {{"F", "", Block({Call("AllMarkTrigger"), Call("Mark", {At1("sub")}), Call("ReloadMarkInfo", {Num(1)}),
                                          W(bc::bcReturnInt) + Num(0)})}};
    MarkNames(host.pane1, {"a.txt", "B.TXT"});
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(0), Num(1)}), Call("GetMarkFILENAME", {Num(1), GS(1), CallNumFunc(0)})}),
              Lines{});
    EXPECT_EQ(S(0), "B.TXT");
    EXPECT_EQ(S(1), "sub");
    // Without ReloadMarkInfo the snapshot is the one taken before F ran.
    program.intFuncs = {{"F", "", Block({Call("AllMarkTrigger"), W(bc::bcReturnInt) + Num(0)})}};
    EXPECT_EQ(Run({Call("GetMarkFILENAME", {Num(1), GS(1), CallNumFunc(0)})}), Lines{});
    EXPECT_EQ(S(1), "sub");
    EXPECT_EQ(Marked(host.pane1), "");
}

TEST_F(MarkBuiltins, MarkTotalsAsSystemVariables)
{
    const TCode size1 = W(bc::BuiltinId(bc::TBuiltinKind::SysNumArray, "#_TOTALMARKSIZE")) + Num(1);
    const TCode size2 = W(bc::BuiltinId(bc::TBuiltinKind::SysNumArray, "#_TOTALMARKSIZE")) + Expr({Num(1), Op('+'), Num(1)});
    MarkNames(host.pane1, {"a.txt", "表示.doc", "sub"});
    MarkNames(host.pane2, {"B.TXT"});
    host.activeWindow = 2;
    EXPECT_EQ(Run({SetNum(GN(0), size1), SetNum(GN(1), size2)}), Lines{});
    EXPECT_EQ(G(0), 5000000010);
    EXPECT_EQ(G(1), 20);
    Run({SetNum(GN(0), SysNum("#_MARKNUM")), SetNum(GN(1), SysNum("#_ALTMARKNUM"))});
    EXPECT_EQ(G(0), 1);
    EXPECT_EQ(G(1), 3);
    for (std::int64_t w : {std::int64_t{0}, std::int64_t{3}, std::int64_t{4294967297}})
        EXPECT_EQ(Run({SetNum(GN(0), W(bc::BuiltinId(bc::TBuiltinKind::SysNumArray, "#_TOTALMARKSIZE")) + Num(w))}),
                  Lines{GrammarError("１つ目の添え字は１か２のみです : " + std::to_string(w))});

    // A pane whose status is not "listed" has no mark total.
    TListing listing = ParsePaneList(kDir);
    listing.status = kPaneNotReady;
    host.pane1.ShowListing(std::move(listing));
    MarkNames(host.pane1, {"a.txt"});
    Run({SetNum(GN(0), size1), SetNum(GN(1), SysNum("#_ALTMARKNUM"))});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(G(1), 1);
}

TEST_F(MarkBuiltins, BuiltinsWithoutImplementationAreUndefined)
{
    const std::pair<const char*, TCode> calls[] = {{"InputRegMark", Call("InputRegMark", {GS(0), GN(0), Str("prompt")})},
                                                   {"AllMark", Call("AllMark", {Num(1)})},
                                                   {"AllUnmark", Call("AllUnmark", {Num(1)})}};
    for (const auto& [name, call] : calls)
        EXPECT_EQ(Run({call}),
                  Lines{GrammarError("未定義の手続き文 : " + Hex8(bc::FindBuiltin(bc::TBuiltinKind::SysProc, name)->id))});
}

TEST(PaneList, LinesOfTheListText)
{
    TListing listing = ParsePaneList("\r\nbig\t8589934592\tRHSA\t2001/02/03 04:05:06\r\n\r\nd\t7\tD\t1999/12/31 23:59:59");
    ASSERT_EQ(listing.entries.Count(), 2);
    const TFileInfo& big = listing.entries[0];
    EXPECT_EQ(big.Size, 8589934592);
    EXPECT_EQ(std::string() + big.AttrR + big.AttrH + big.AttrS + big.AttrA + big.AttrD, "RHSA_");
    EXPECT_EQ(DateTimeToText(big.CreationTime), "2001/02/03 04:05:06");
    EXPECT_EQ(listing.entries[1].Size, 0);  // a directory has no size
    EXPECT_EQ(listing.entries[1].ListIndex, 1);

    const std::pair<const char*, const char*> bad[] = {
        {"a\t1\tA", "line 1 : four fields separated by tabs are needed"},
        {"ok\t1\tA\t2001/02/03 04:05:06\n\t1\tA\t2001/02/03 04:05:06", "line 2 : the name is empty"},
        {"a\t-1\tA\t2001/02/03 04:05:06", "line 1 : bad size : -1"},
        {"a\t1\tX\t2001/02/03 04:05:06", "line 1 : bad attribute letters : X"},
        {"a\t1\tA\t2001/13/03 04:05:06", "line 1 : bad last-write time : 2001/13/03 04:05:06"},
    };
    for (const auto& [text, message] : bad) {
        try {
            ParsePaneList(text);
            ADD_FAILURE() << text;
        } catch (const std::invalid_argument& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}
