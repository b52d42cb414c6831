// Line lists, whole arrays and the selection blocks, as VTL calls.
#include <gtest/gtest.h>

#include "interpreter/vtlfixture.h"

using namespace kb;

class LineBuiltins : public TVtlTest {
protected:
    void Run(const std::string& initial, std::initializer_list<TCode> statements)
    {
        program.globalNums.clear();
        program.globalStrs.clear();
        Globals(2, 2);
        program.globalStrs[0].value = initial;
        host.lines.clear();
        Init(std::vector<TCode>(statements));
    }
};

namespace {

struct TLineCase {
    const char* what;
    std::string initial;  // $s0 before the call
    TCode call;
    std::string expected;  // $s0 after it
    std::int64_t result;   // #_RESULT (-99 when the builtin leaves it)
};

const char kThree[] = "one\r\ntwo\nthree";

}  // namespace

TEST_F(LineBuiltins, EditingLines)
{
    const TLineCase cases[] = {
        {"GetLine", "keep", Call("GetLine", {GS(0), Str(kThree), Num(2)}), "two", 1},
        {"GetLine 0 leaves T", "keep", Call("GetLine", {GS(0), Str(kThree), Num(0)}), "keep", 0},
        {"GetLine past the end leaves T", "keep", Call("GetLine", {GS(0), Str(kThree), Num(4)}), "keep", 0},
        {"GetLine of a lone CR", "keep", Call("GetLine", {GS(0), Str("a\rb\r"), Num(2)}), "b", 1},
        // A text without a final break comes back with one.
        {"SetLine", kThree, Call("SetLine", {GS(0), Str("2"), Num(2)}), "one\r\n2\r\nthree\r\n", 1},
        {"SetLine past the end", kThree, Call("SetLine", {GS(0), Str("x"), Num(4)}), kThree, 0},
        {"InsLine", kThree, Call("InsLine", {GS(0), Str("zero"), Num(1)}), "zero\r\none\r\ntwo\r\nthree\r\n", 1},
        {"InsLine just past the end appends", "a", Call("InsLine", {GS(0), Str("b"), Num(2)}), "a\r\nb\r\n", 1},
        {"InsLine further", "a", Call("InsLine", {GS(0), Str("b"), Num(3)}), "a", 0},
        {"DelLine", kThree, Call("DelLine", {GS(0), Num(1)}), "two\r\nthree\r\n", 1},
        {"DelLine of the only line", "a\r\n", Call("DelLine", {GS(0), Num(1)}), "", 1},
        {"DelLine 0", kThree, Call("DelLine", {GS(0), Num(0)}), kThree, 0},
        {"AddLine", "a", Call("AddLine", {GS(0), Str("b")}), "a\r\nb\r\n", -99},
        {"AddLine to empty", "", Call("AddLine", {GS(0), Str("b")}), "b\r\n", -99},
        {"SortLine bytes, case-sensitive", "b\na\nB\nA", Call("SortLine", {GS(0), Num(0), Num(2), Num(0)}),
         "A\r\nB\r\na\r\nb\r\n", 1},
        {"SortLine bytes, descending", "b\na\nc", Call("SortLine", {GS(0), Num(0), Num(2), Num(1)}), "c\r\nb\r\na\r\n", 1},
        // Without case, equal lines keep their order.
        {"SortLine bytes, without case", "b\nB\na", Call("SortLine", {GS(0), Num(0), Num(0), Num(0)}), "a\r\nb\r\nB\r\n", 1},
        {"SortLine locale, file names", "B.txt\na.TXT\nc", Call("SortLine", {GS(0), Num(1), Num(1), Num(0)}),
         "a.TXT\r\nB.txt\r\nc\r\n", 1},
        {"SortLine locale, case-sensitive", "b\na\nB", Call("SortLine", {GS(0), Num(1), Num(2), Num(0)}), "a\r\nb\r\nB\r\n", 1},
    };
    for (const TLineCase& c : cases) {
        Run(c.initial, {Call("SetResult", {Num(-99)}), c.call, SetNum(GN(0), SysNum("#_RESULT"))});
        EXPECT_EQ(S(0), c.expected) << c.what;
        EXPECT_EQ(G(0), c.result) << c.what;
        EXPECT_TRUE(host.lines.empty()) << c.what << ": " << ::testing::PrintToString(host.lines);
    }
}

TEST_F(LineBuiltins, LineCount)
{
    Run("", {Call("LineCount", {GN(0), Str("a\r\nb\r\n")}), Call("LineCount", {GN(1), Str("a\r\rb\n\n")})});
    EXPECT_EQ(G(0), 2);
    EXPECT_EQ(G(1), 4);
    Run("", {Call("LineCount", {GN(0), Str("")})});
    EXPECT_EQ(G(0), 0);
}

TEST_F(LineBuiltins, ArraysFromAndToLines)
{
    program.strArrays = {{"$a", {"x"}}};
    program.numArrays = {{"#n", {1, 2, 3}}};
    Run("", {Call("ToStrArray", {Whole(GSA(0)), Num(0), Str("p\r\nq\nr")}), Call("GetMaxIndex", {GN(0), Whole(GSA(0))}),
             Call("ToLines", {GS(0), Whole(GSA(0))}), Call("GetMaxIndex", {GN(1), Whole(GNA(0))})});
    EXPECT_EQ(G(0), 3);
    EXPECT_EQ(S(0), "p\r\nq\r\nr\r\n");
    EXPECT_EQ(G(1), 3);

    // A positive N below the count cuts; a negative one counts as 0.
    Run("", {Call("ToStrArray", {Whole(GSA(0)), Num(2), Str("p\nq\nr")}), Call("GetMaxIndex", {GN(0), Whole(GSA(0))}),
             Call("ToStrArray", {Whole(GSA(0)), Num(-1), Str("p\nq\nr")}), Call("GetMaxIndex", {GN(1), Whole(GSA(0))})});
    EXPECT_EQ(G(0), 2);
    EXPECT_EQ(G(1), 3);

    Run("", {Call("ToLines", {GS(0), ArrayConst({Str("a"), Str("b")})})});
    EXPECT_EQ(S(0), "a\r\nb\r\n");
}

TEST_F(LineBuiltins, ToStrArrayOfAnEmptyTextLeavesNoElements)
{
    program.strArrays = {{"$a", {"x", "y"}}};
    Run("", {Call("ToStrArray", {Whole(GSA(0)), Num(0), Str("")}), Call("GetMaxIndex", {GN(0), Whole(GSA(0))}),
             Call("ToLines", {GS(1), Whole(GSA(0))}), SetStr(GS(0), At(GSA(0), Num(1)))});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(S(1), "");
    EXPECT_EQ(host.lines, Lines{GrammarError("グローバル文字列配列添字Over : $a : 1")});
}

TEST_F(LineBuiltins, ToStrArrayAboveTheMaximumFails)
{
    program.strArrays = {{"$a", {"x"}}};
    Run("", {Call("ToStrArray", {Whole(GSA(0)), Num(268435457), Str("a")})});
    EXPECT_EQ(host.lines, Lines{GrammarError("最大値は 268435456 までです")});
}

TEST_F(LineBuiltins, SetMaxIndex)
{
    program.numArrays = {{"#n", {5, 6}}};
    program.strArrays = {{"$a", {"x"}}};
    Run("", {Call("SetMaxIndex", {Whole(GNA(0)), Num(4)}), SetNum(GN(0), At(GNA(0), Num(4))),
             Call("SetMaxIndex", {Whole(GNA(0)), Num(1)}), Call("GetMaxIndex", {GN(1), Whole(GNA(0))}),
             Call("SetMaxIndex", {Whole(GSA(0)), Num(3)}), SetStr(GS(0), Expr({At(GSA(0), Num(1)), At(GSA(0), Num(3))}))});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(G(1), 1);
    EXPECT_EQ(S(0), "x");
    EXPECT_TRUE(host.lines.empty()) << ::testing::PrintToString(host.lines);
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, std::vector<std::int64_t>{5});

    for (std::int64_t bad : {0LL, 268435457LL}) {
        Run("", {Call("SetMaxIndex", {Whole(GNA(0)), Num(bad)})});
        EXPECT_EQ(host.lines, Lines{GrammarError("添字が範囲外です : " + std::to_string(bad))});
    }
}

TEST_F(LineBuiltins, ASizeThisProcessCannotHoldIsAScriptError)
{
    program.numArrays = {{"#n", {5, 6}}};
    program.strArrays = {{"$a", {"x"}}};
    Run("", {Call("SetMaxIndex", {Whole(GSA(0)), Num(268435456)})});
    EXPECT_EQ(host.lines, Lines{GrammarError("配列を確保できません : 268435456 $a")});
    Run("", {Call("SetMaxIndex", {Whole(GNA(0)), Num(268435456)})});
    EXPECT_EQ(host.lines, Lines{GrammarError("配列を確保できません : 268435456 #n")});
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{5, 6}));
}

TEST_F(LineBuiltins, ResizingAVarArrayArgumentResizesTheCallersArray)
{
    program.strArrays = {{"$a", {"x"}}};
    program.subs = {{"Fill", "Z", Block({Call("ToStrArray", {Whole(VSA(0)), Num(0), Str("1\n2\n3\n4")})})}};
    Run("", {CallSub(0, {Whole(GSA(0))}), Call("GetMaxIndex", {GN(0), Whole(GSA(0))})});
    EXPECT_EQ(G(0), 4);
}

namespace {

// A selection block: the builtin, its subject, then (label, block) arms;
// an empty label stands for ELSE.
TCode Select(std::string_view builtin, const TCode& subject, std::initializer_list<std::pair<TCode, TCode>> arms)
{
    TCode s = Proc(builtin) + subject;
    for (const auto& [label, body] : arms) s += (label.empty() ? W(bc::bcElse) : label) + body;
    return s + W(bc::bcListEnd);
}
TCode Out(const char* text) { return Show(Str(text)); }

}  // namespace

TEST_F(LineBuiltins, SelectionBlocksRunTheFirstMatchingBranchOnly)
{
    struct TCase {
        const char* builtin;
        const char* subject;
        const char* first;
        const char* second;
        const char* ran;
    };
    const TCase cases[] = {
        {"SelectStr", "abc", "ABC", "abc", "2"},
        {"SelectText", "abc.TXT", "ABC.txt", "abc.TXT", "1"},
        {"SelectMaskStr", "Read.ME", "*.me", "*.ME", "2"},
        {"SelectMaskText", "Read.ME", "*.me", "*.ME", "1"},
        // A malformed mask matches nothing.
        {"SelectMaskText", "a>", "a>", "*", "2"},
        {"SelectMatchStr", "abcabc", "^b", "c", "2"},
        {"SelectMatchText", "ＡＢＣ", "abc", "x", "1"},
        {"SelectMatchStr", "abc", "x", "y", "else"},
    };
    for (const TCase& c : cases) {
        Run("", {Select(c.builtin, Str(c.subject),
                        {{Str(c.first), Block({Out("1")})}, {Str(c.second), Block({Out("2")})}, {"", Block({Out("else")})}}),
                 Out("after")});
        EXPECT_EQ(host.lines, (Lines{std::string("[out] ") + c.ran, "[out] after"})) << c.builtin << " " << c.subject;
    }
}

TEST_F(LineBuiltins, SelectMatchStrSetsTheMatchOfTheBranchThatRan)
{
    Run("", {Select("SelectMatchStr", Str("abcabc"),
                    {{Str("x"), Block({})},
                     {Str("c"), Block({SetNum(GN(0), SysNum("#_RSTART")), SetNum(GN(1), SysNum("#_RLENGTH"))})},
                     {Str("^a"), Block({Out("not run")})}}),
             Call("IntToStr", {GS(0), SysNum("#_RSTART")})});
    EXPECT_EQ(G(0), 3);
    EXPECT_EQ(G(1), 1);
    EXPECT_EQ(S(0), "3");
    EXPECT_TRUE(host.lines.empty()) << ::testing::PrintToString(host.lines);

    Run("", {Select("SelectMatchStr", Str("abc"), {{Str("("), Block({})}})});
    ASSERT_EQ(host.lines.size(), 1u);
    EXPECT_EQ(host.lines[0].rfind(GrammarError(""), 0), 0u) << host.lines[0];
}

TEST_F(LineBuiltins, SelectLabelsAfterAMatchAreStillEvaluated)
{
    // The labels call a function that counts its calls.
    program.strFuncs = {{"Count", "S", Block({Call("IncNum", {GN(0)}), W(bc::bcReturnStr) + AS(0)})}};
    Run("", {Select("SelectStr", Str("b"),
                    {{CallStrFunc(0, {Str("a")}), Block({Out("a")})},
                     {CallStrFunc(0, {Str("b")}), Block({Out("b")})},
                     {CallStrFunc(0, {Str("b")}), Block({Out("b again")})},
                     {"", Block({Out("else")})}})});
    EXPECT_EQ(G(0), 3);
    EXPECT_EQ(host.lines, Lines{"[out] b"});
}

TEST_F(LineBuiltins, SelectNumComparesAll64Bits)
{
    Run("", {Select("SelectNum", Num(4294967297),
                    {{Num(1), Block({Out("low bits")})}, {Num(4294967297), Block({Out("all bits")})}})});
    EXPECT_EQ(host.lines, Lines{"[out] all bits"});
    Run("", {Select("SelectNum", Num(5), {{Num(1), Block({Out("1")})}}), Out("none")});
    EXPECT_EQ(host.lines, Lines{"[out] none"});
}

TEST_F(LineBuiltins, BreakInABranchLeavesOnlyThatBranch)
{
    Run("", {Select("SelectNum", Num(1), {{Num(1), Block({Call("Break"), Out("not reached")})}, {"", Block({Out("else")})}}),
             Out("after")});
    EXPECT_EQ(host.lines, Lines{"[out] after"});
}
