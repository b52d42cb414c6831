// Sections and declarations: globals, routines, bindings and sets, special
// blocks, includes, warnings and progress lines, and a program of several
// files checked structurally.
#include <gtest/gtest.h>

#include "compile_harness.h"
#include "compiler/paths.h"
#include "script-format/binconst.h"

namespace {

using namespace bc;

const std::string kDir = kSourceDir;

// What a successful compile of main.src prints around the lines given; with
// /V the listing and an empty line come before WRITE.
std::string Done(const std::string& lines = "", const std::string& verboseListing = "")
{
    return "COMPILE >> " + kDir + "main.src\r\n\r\n" + lines + verboseListing + (verboseListing.empty() ? "" : "\r\n") +
           "WRITE   >> " + kDir + "out.KEY\r\n\r\nCOMPILE >> DONE\r\n\r\n";
}

TEST(Sections, EmptySourceHasTheSevenAlwaysPresentSections)
{
    TCompileResult r = CompileSource("// コメントだけ\r\n/* /* 入れ子 */ */");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Done());
    EXPECT_EQ(r.bytes.size(), 24u + 7 * 8);
    EXPECT_EQ(DecodeKeyFile(r.bytes).markers, (Words{bcSecGlobalNum, bcSecGlobalStr, bcSecSubs, bcSecIntFuncs,
                                                    bcSecStrFuncs, bcSecBoolFuncs, bcSecDialogs}));
}

TEST(Sections, GlobalsWithTheirInitialValues)
{
    TDecodedFile f = CompileAndDecode(
        "#GLOBALVAR #a = -3, $s = 'x', #t[3] = [1, 2, 3];\r\n"
        "#GLOBALVAR #h = 0x1F, #p = + 4, $n = \\n, $e, #z, $arr[2] = ['a', \\41], #big[5], #m = 0x8000000000000000, #x = -9223372036854775807;");
    using N = std::pair<std::string, std::int64_t>;
    using S = std::pair<std::string, std::string>;
    EXPECT_EQ(f.nums, (std::vector<N>{{"#a", -3}, {"#h", 31}, {"#p", 4}, {"#z", 0}, {"#m", INT64_MIN}, {"#x", -INT64_MAX}}));
    EXPECT_EQ(f.strs, (std::vector<S>{{"$s", "x"}, {"$n", "\n"}, {"$e", ""}}));
    ASSERT_EQ(f.numArrays.size(), 2u);
    EXPECT_EQ(f.numArrays[0], (std::pair<std::string, std::vector<std::int64_t>>{"#t", {1, 2, 3}}));
    EXPECT_EQ(f.numArrays[1], (std::pair<std::string, std::vector<std::int64_t>>{"#big", {0, 0, 0, 0, 0}}));
    ASSERT_EQ(f.strArrays.size(), 1u);
    EXPECT_EQ(f.strArrays[0], (std::pair<std::string, std::vector<std::string>>{"$arr", {"a", "A"}}));
    EXPECT_EQ(f.markers, (Words{bcSecGlobalNum, bcSecGlobalStr, bcSecGlobalNumArrays, bcSecGlobalStrArrays, bcSecSubs,
                                bcSecIntFuncs, bcSecStrFuncs, bcSecBoolFuncs, bcSecDialogs}));
}

TEST(Sections, LargestArrayAndNamesOfSixtyCharacters)
{
    const std::string name60 = "#" + std::string(60, 'n');
    TCompileResult r = CompileSource("#GLOBALVAR " + name60 + ", $big[268435456];\r\n#SUB " + std::string(60, 'S') +
                                     "(" + name60 + ") { }");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    // 268435456 empty strings of 8 bytes each follow the record head; the
    // file is written in pieces, never held whole.
    EXPECT_EQ(r.size, 24u + 8 + 72 + 8 + 8 + 64 + 8 + 268435456ull * 8 + 8 + 64 + 4 + 4 + 12 + 3 * 8 + 8);
}

TEST(Sections, ForwardDeclarationsNeedOnlyTheSameLetters)
{
    TCompileResult r = CompileSource(
        "#SUB S(#a, $b); FORWARD;\r\n"
        "#FUNC BOOL B(VAR #x[]); FORWARD;\r\n"
        "#KEY A { S(1, 'x'); }\r\n"
        "#SUB S(#x, $y) { }\r\n"
        "#FUNC BOOL B(VAR #other[]) { }\r\n",
        Shown::verbose);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, Done("#SUB S\r\n  args : #a, $b\r\n  FORWARD宣言\r\n"
                             "#FUNC B\r\n  args : VAR #x[]\r\n  FORWARD宣言\r\n"
                             "#KEY A\r\n"
                             "#SUB S\r\n  args : #x, $y\r\n"
                             "#FUNC B\r\n  args : VAR #other[]\r\n",
                             "User define global numeric var\r\nUser define global string var\r\n"
                             "User define global numeric array var\r\nUser define global string array var\r\n"
                             "Subroutines\r\n  S(#, $)\r\nUser Int Funcs\r\nUser Str Funcs\r\n"
                             "User Bool Funcs\r\n  B(VAR #[])\r\nDialogs\r\n"
                             "KEYSET >>> DEFAULT\r\n  Key Assign\r\n    A\r\n  Mouse Assign\r\n  Event Assign\r\n"));
    TDecodedFile f = DecodeKeyFile(r.bytes);
    ASSERT_EQ(f.subs.size(), 1u);
    EXPECT_EQ(f.subs[0].args, (Words{0x00440000, 0x00540000}));
    EXPECT_EQ(f.boolFuncs[0].args, (Words{0x004D0000}));
}

TEST(Sections, WarningsAndProgressLines)
{
    const char* src =
        "#GLOBALVAR #g, $s, #h;\r\n"
        "#SUB S(#g, VAR $s[], #x) { VAR #l, $m, #n[3], $o[4], #h; }\r\n"
        "#KEYSET = '' B { }\r\n"
        "#INIT { VAR #g; }\r\n";
    TCompileResult quiet = CompileSource(src);
    ASSERT_EQ(quiet.exitCode, 0) << quiet.output;
    EXPECT_EQ(quiet.output, Done("#SUB S\r\n  WARINIG : #g はグローバル変数を隠します\r\n"
                                 "#SUB S\r\n  WARINIG : $s はグローバル文字列を隠します\r\n"
                                 "#SUB S\r\n  WARINIG : #h はグローバル変数を隠します\r\n"
                                 " warning : セット名が空なので、デフォルトセットと仮定します。\r\n"
                                 "初期化セクション\r\n  WARINIG : #g はグローバル変数を隠します\r\n"));

    TCompileResult verbose = CompileSource(src, Shown::verbose);
    ASSERT_EQ(verbose.exitCode, 0) << verbose.output;
    EXPECT_EQ(verbose.output, Done("#SUB S\r\n"
                                   "  WARINIG : #g はグローバル変数を隠します\r\n"
                                   "  WARINIG : $s はグローバル文字列を隠します\r\n"
                                   "  args : #g, VAR $s[], #x\r\n"
                                   "  WARINIG : #h はグローバル変数を隠します\r\n"
                                   "  LocalNum\r\n    #h\r\n    #l\r\n"
                                   "  LocalStr\r\n    $m\r\n"
                                   "  LocalArrayNum\r\n    #n[3]\r\n"
                                   "  LocalArrayStr\r\n    $o[4]\r\n"
                                   " warning : セット名が空なので、デフォルトセットと仮定します。\r\n"
                                   "#KEY B\r\n"
                                   "  WARINIG : #g はグローバル変数を隠します\r\n"
                                   "  LocalNum\r\n    #g\r\n  LocalStr\r\n  LocalArrayNum\r\n  LocalArrayStr\r\n",
                                   "User define global numeric var\r\n          #g = 0\r\n          #h = 0\r\n"
                                   "User define global string var\r\n          $s = ''\r\n"
                                   "User define global numeric array var\r\nUser define global string array var\r\n"
                                   "Subroutines\r\n  S(#, VAR $[], #)\r\nUser Int Funcs\r\nUser Str Funcs\r\n"
                                   "User Bool Funcs\r\nDialogs\r\n"
                                   "KEYSET >>> DEFAULT\r\n  Key Assign\r\n    B\r\n  Mouse Assign\r\n  Event Assign\r\n"));
    // The empty set name is the default set.
    TDecodedFile f = DecodeKeyFile(verbose.bytes);
    ASSERT_EQ(f.keySets.size(), 1u);
    EXPECT_EQ(f.markers[6], static_cast<std::uint32_t>(bcSecDefaultKeys));
}

TEST(Sections, ParameterHidesTheGlobal)
{
    TDecodedFile f = CompileAndDecode("#GLOBALVAR #x, #y;\r\n#SUB S(#y, #x) { #x = #y; }");
    ASSERT_EQ(f.subs.size(), 1u);
    EXPECT_EQ(f.subs[0].body, Seq({Proc("SetNum"), 0x00440001, 0x00440000}));
}

TEST(Sections, NamesAndKeywordsIgnoreCase)
{
    TDecodedFile f = CompileAndDecode("#GLOBALVAR #Count;\r\n#KEY enter { if (#COUNT == 1) then { setnum(#count, 2); }; }");
    ASSERT_EQ(f.keySets.size(), 1u);
    EXPECT_EQ(f.keySets[0].bindings[0].input, 0x8000000Du);
    EXPECT_EQ(f.keySets[0].bindings[0].body,
              Seq({bcIf, bcCondBegin, Cond("EqNum"), 0x00420000, Num(1), bcCondEnd,
                   Block(Seq({Proc("SetNum"), 0x00420000, Num(2)})), bcEndIf}));
}

TEST(Sections, SetsAndBindingsInCaseInsensitiveOrder)
{
    TDecodedFile f = CompileAndDecode(
        "#KEYSET = 'zed' B { }\r\n"
        "#KEY ENTER { }\r\n"
        "#KEYSET='Alpha' SHIFT+F01 { }\r\n"
        "#KEY ALT+A { }\r\n"
        "#KEY ; { }\r\n"
        "#KEY a { }\r\n"
        "#KEYSET = 'ZED' _ { }\r\n"
        "#KEY WHEELUP { }\r\n"
        "#KEY CTRL+LCLICK { }\r\n"
        "#KEYSET = 'view' LDBLCLICK { }\r\n"
        "#KEYSET = 'edit' RESIZE { }\r\n"
        "#KEY ACTIVE { }\r\n"
        "#KEY changewindow { }\r\n"
        "#DONE { }\r\n#PREKEY { }\r\n#INIT { }\r\n");
    auto names = [](const std::vector<TDecodedSet>& sets) {
        std::vector<std::string> n;
        for (const TDecodedSet& s : sets) n.push_back(s.name);
        return n;
    };
    auto inputs = [](const TDecodedSet& set) {
        Words w;
        for (const TDecodedBinding& b : set.bindings) w.push_back(b.input);
        return w;
    };
    EXPECT_EQ(names(f.keySets), (std::vector<std::string>{"ALPHA", "DEFAULT", "ZED"}));
    EXPECT_EQ(inputs(f.keySets[0]), (Words{0x80010070}));
    // ";", "a", "ALT+A", "ENTER"
    EXPECT_EQ(inputs(f.keySets[1]), (Words{59, 0x80000041, 0x80040041, 0x8000000D}));
    // "B", "_"
    EXPECT_EQ(inputs(f.keySets[2]), (Words{0x80000042, 95}));
    EXPECT_EQ(names(f.mouseSets), (std::vector<std::string>{"DEFAULT", "VIEW"}));
    EXPECT_EQ(inputs(f.mouseSets[0]), (Words{0x80020001, 0x80000006}));
    EXPECT_EQ(names(f.eventSets), (std::vector<std::string>{"DEFAULT", "EDIT"}));
    // "Active", "ChangeWindow"
    EXPECT_EQ(inputs(f.eventSets[0]), (Words{2, 4}));
    EXPECT_EQ(f.markers, (Words{bcSecGlobalNum, bcSecGlobalStr, bcSecSubs, bcSecIntFuncs, bcSecStrFuncs, bcSecBoolFuncs,
                                bcSecKeySet, bcSecDefaultKeys, bcSecKeySet, bcSecDefaultMouse, bcSecMouseSet,
                                bcSecDefaultEvents, bcSecEventSet, bcSecPreKey, bcSecInit, bcSecDone, bcSecDialogs}));
}

TEST(Sections, IncludesAreReadOnceAndSearchedInOrder)
{
    const std::string cwd = FullPathName("cwd.vtl");
    TCompileResult r = CompileFiles(
        {
            {"main.src", "#INCLUDE 'a.vtl'\r\n#INCLUDE 'cwd.vtl'\r\n#INCLUDE 'A.VTL'\r\n#INCLUDE 'only-b.vtl'"},
            {"p\\a.vtl", "#INCLUDE 'main.src' #GLOBALVAR #fromP;"},
            {"q\\a.vtl", "#GLOBALVAR #fromQ;"},
            {"q\\only-b.vtl", "#GLOBALVAR #fromQOnly;"},
            {cwd, "#GLOBALVAR #fromCurrentDirectory;"},
        },
        "main.src", Shown::plain, kDir + ";\"" + kDir + "p\";;" + kDir + "q\\");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string main = kDir + "main.src", p = kDir + "p\\a.vtl";
    EXPECT_EQ(r.output, "COMPILE >> " + main + "\r\n\r\n"
                        "INCLUDE >> " + p + "\r\n"
                        "        >> " + main + " is already read.\r\n"
                        "        >> DONE\r\n"
                        "COMPILE >> " + main + "\r\n"
                        "INCLUDE >> " + cwd + "\r\n"
                        "        >> DONE\r\n"
                        "COMPILE >> " + main + "\r\n"
                        "        >> " + kDir + "p\\A.VTL is already read.\r\n"
                        "INCLUDE >> " + kDir + "q\\only-b.vtl\r\n"
                        "        >> DONE\r\n"
                        "COMPILE >> " + main + "\r\n"
                        "WRITE   >> " + kDir + "out.KEY\r\n\r\nCOMPILE >> DONE\r\n\r\n");
    TDecodedFile f = DecodeKeyFile(r.bytes);
    std::vector<std::string> globals;
    for (const auto& g : f.nums) globals.push_back(g.first);
    EXPECT_EQ(globals, (std::vector<std::string>{"#fromP", "#fromCurrentDirectory", "#fromQOnly"}));
}

// Declarations made in one file are visible in the files compiled after it.
TEST(Sections, ProgramOfSeveralFiles)
{
    const std::map<std::string, std::string> files = {
        {"main.src",
         "// メインのソース\r\n"
         "#INCLUDE 'lib.vtl'\r\n"
         "#GLOBALVAR #count = 0, $name = 'Velkano', #table[3] = [10, 20, 30];\r\n"
         "#INCLUDE 'keys.vtl'\r\n"
         "#PREKEY\r\n{\r\n  IF ($_KEYSET == 'EDIT') { ChangeKeySet('EDIT'); };\r\n}\r\n"
         "#INIT { #count = 0; Log('start'); }\r\n"
         "#DONE { Log('done'); }\r\n"},
        {"lib.vtl",
         "#GLOBALVAR $log[4];\r\n"
         "#SUB Log($text); FORWARD;\r\n"
         "#FUNC INT Sum(#values[], #n)\r\n"
         "{\r\n"
         "  VAR #i, #total;\r\n"
         "  FOR #i = 1 TO #n DO { #total = #total + #values[#i]; };\r\n"
         "  Return(#total);\r\n"
         "}\r\n"
         "#FUNC STR Quote($s) { Return('''' + $s + ''''); }\r\n"
         "#FUNC BOOL IsBig(#v) { Return(#v > 100 OR #v < -100); }\r\n"
         "#SUB Log($text)\r\n"
         "{\r\n"
         "  VAR #k;\r\n"
         "  #k = 1;\r\n"
         "  WHILE (#k < 4) DO { $log[#k] = $log[#k + 1]; #k = #k + 1; };\r\n"
         "  $log[4] = $text;\r\n"
         "}\r\n"},
        {"keys.vtl",
         "#INCLUDE 'lib.vtl'\r\n"
         "#KEY ENTER\r\n"
         "{\r\n"
         "  VAR $msg, #r;\r\n"
         "  #r = Sum(#table, 3);\r\n"
         "  IF (IsBig(#r)) THEN { $msg = Quote($name); } ELSEIF (#r == 0) THEN { Exit(); } ELSE { $msg = 'small'; };\r\n"
         "  CASE #r % 3 OF { 0 : { Log('zero'); }, 1, 2 : { }, ELSE : { } };\r\n"
         "  STRCASE $msg AS MASKTEXT OF { '*.txt' : { ExitProc(); }, ELSE : { } };\r\n"
         "  REPEAT { #r = #r - 1; } UNTIL (#r <= 0);\r\n"
         "  TRY { Raise('e', 1); } EXCEPT { Log($_RAISESTR); } FINALLY { #count = #count + 1; };\r\n"
         "  MsgBox($msg, 'タイトル', 0, 'OK');\r\n"
         "}\r\n"
         "#KEY a { }\r\n#KEY ; { }\r\n#KEY ALT+A { }\r\n"
         "#KEYSET = 'edit' B { Log('edit'); }\r\n"
         "#KEYSET = 'Alpha' SHIFT+F01 { }\r\n"
         "#KEY CTRL+LCLICK { }\r\n#KEY WHEELUP { }\r\n"
         "#KEYSET = 'edit' RESIZE { }\r\n#KEY ACTIVE { }\r\n"},
    };
    TCompileResult r = CompileFiles(files);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const std::string main = kDir + "main.src";
    EXPECT_EQ(r.output, "COMPILE >> " + main + "\r\n\r\n"
                        "INCLUDE >> " + kDir + "lib.vtl\r\n        >> DONE\r\nCOMPILE >> " + main + "\r\n"
                        "INCLUDE >> " + kDir + "keys.vtl\r\n"
                        "        >> " + kDir + "lib.vtl is already read.\r\n"
                        "        >> DONE\r\nCOMPILE >> " + main + "\r\n"
                        "WRITE   >> " + kDir + "out.KEY\r\n\r\nCOMPILE >> DONE\r\n\r\n");

    TDecodedFile f = DecodeKeyFile(r.bytes);
    EXPECT_EQ(f.markers, (Words{bcSecGlobalNum, bcSecGlobalStr, bcSecGlobalNumArrays, bcSecGlobalStrArrays, bcSecSubs,
                                bcSecIntFuncs, bcSecStrFuncs, bcSecBoolFuncs, bcSecKeySet, bcSecDefaultKeys, bcSecKeySet,
                                bcSecDefaultMouse, bcSecDefaultEvents, bcSecEventSet, bcSecPreKey, bcSecInit, bcSecDone,
                                bcSecDialogs}));
    ASSERT_EQ(f.nums.size(), 1u);
    EXPECT_EQ(f.strs.size(), 1u);
    ASSERT_EQ(f.numArrays.size(), 1u);
    EXPECT_EQ(f.numArrays[0].second, (std::vector<std::int64_t>{10, 20, 30}));
    ASSERT_EQ(f.strArrays.size(), 1u);
    EXPECT_EQ(f.strArrays[0].second.size(), 4u);

    ASSERT_EQ(f.subs.size(), 1u);
    EXPECT_EQ(f.subs[0].name, "Log");
    EXPECT_EQ(f.subs[0].args, (Words{0x00540000}));
    ASSERT_EQ(f.intFuncs.size(), 1u);
    EXPECT_EQ(f.intFuncs[0].args, (Words{0x004C0000, 0x00440000}));
    ASSERT_EQ(f.strFuncs.size(), 1u);
    ASSERT_EQ(f.boolFuncs.size(), 1u);
    EXPECT_TRUE(f.dialogs.empty());

    ASSERT_EQ(f.keySets.size(), 3u);
    EXPECT_EQ(f.keySets[0].name, "ALPHA");
    EXPECT_EQ(f.keySets[2].name, "EDIT");
    const TDecodedSet& keys = f.keySets[1];
    ASSERT_EQ(keys.bindings.size(), 4u);
    EXPECT_EQ(keys.bindings[3].input, 0x8000000Du);
    // The ENTER binding: its locals, then #r = Sum(#table, 3); with the
    // function numbered in its own table.
    const Words& enter = keys.bindings[3].body;
    const Words start = Seq({bcVar, 1, 1, 0, 0, Proc("SetNum"), 0x00430000, 0x00880000, 0x004A0000, 0, Num(3), 0});
    ASSERT_GE(enter.size(), start.size());
    EXPECT_EQ(Words(enter.begin(), enter.begin() + start.size()), start);
    EXPECT_EQ(f.keySets[2].bindings[0].body, Seq({0x00910001, Str("edit"), 0}));
    EXPECT_EQ(f.mouseSets[0].bindings.size(), 2u);
    EXPECT_EQ(f.eventSets[1].bindings[0].input, 0u);

    ASSERT_TRUE(f.preKey && f.init && f.done);
    EXPECT_EQ(*f.preKey, Seq({bcIf, bcCondBegin, Cond("EqStr"), 0x0051005F, Str("EDIT"), bcCondEnd,
                              Block(Seq({Proc("ChangeKeySet"), Str("EDIT")})), bcEndIf}));
    EXPECT_EQ(*f.init, Seq({Proc("SetNum"), 0x00420000, Num(0), 0x00910001, Str("start"), 0}));
}

}  // namespace
