// VTL sources compiled by the real VELKC and run by vtlrun, compared with
// the lines vtlrun prints. While VELKC still writes the empty program for
// every source, the tests that need compiled code skip themselves.
#include <gtest/gtest.h>

#include <string>

#include "interpreter/keyfile_builder.h"
#include "support/testsupport.h"

namespace {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

TProcessResult VtlRun(const std::string& keyFile, const std::string& args, const std::string& dir)
{
    return RunProgram(Quoted(TestProgramDir() + "vtlrun.exe") + " " + Quoted(keyFile) + (args.empty() ? "" : " " + args), dir);
}

// The file VELKC writes for a source without any section.
std::string EmptyProgram()
{
    std::string s = kb::FileOf("0228", "");
    for (std::int32_t m : {bc::bcSecGlobalNum, bc::bcSecGlobalStr, bc::bcSecSubs, bc::bcSecIntFuncs, bc::bcSecStrFuncs,
                           bc::bcSecBoolFuncs, bc::bcSecDialogs})
        s += kb::W(m) + kb::W(0);
    return s;
}

class EndToEnd : public ::testing::Test {
protected:
    TTempDir dir;

    // Compiles the source; false (and the test skipped) when VELKC does not
    // compile sections yet.
    bool Compile(const std::string& source)
    {
        WriteBytes(dir.File("t.src"), source);
        TProcessResult r = RunProgram(Quoted(TestProgramDir() + "VELKC.exe") + " /St.src /Bt.KEY", dir.Path());
        EXPECT_EQ(r.exitCode, 0) << r.output;
        if (ReadBytes(dir.File("t.KEY")) == EmptyProgram()) return false;
        return true;
    }
    std::string Run(const std::string& args)
    {
        TProcessResult r = VtlRun(dir.File("t.KEY"), args, dir.Path());
        EXPECT_EQ(r.exitCode, 0) << r.output;
        return r.output;
    }
};

#define COMPILE_OR_SKIP(source) \
    if (!Compile(source)) GTEST_SKIP() << "VELKC does not compile sections yet"

const char kEveryStatement[] =
    "#GLOBALVAR #count = 0, #fact = 0, #sum = 0, #loops = 0, $text = '', #a[3] = [1, 2, 3], $s[2] = ['x', 'y'];\r\n"
    "\r\n"
    "#SUB Swap(VAR #x, VAR #y)\r\n"
    "{\r\n"
    "  VAR #t;\r\n"
    "  #t = #x;\r\n"
    "  #x = #y;\r\n"
    "  #y = #t;\r\n"
    "}\r\n"
    "\r\n"
    "#SUB Fill(VAR #arr[], $tag, VAR $out[])\r\n"
    "{\r\n"
    "  #arr[1] = 100;\r\n"
    "  $out[2] = $tag + '!';\r\n"
    "}\r\n"
    "\r\n"
    "#FUNC INT Fact(#n)\r\n"
    "{\r\n"
    "  IF (#n < 2) { Return(1); };\r\n"
    "  Return(#n * Fact(#n - 1));\r\n"
    "}\r\n"
    "\r\n"
    "#FUNC STR Twice($t)\r\n"
    "{\r\n"
    "  Return($t + $t);\r\n"
    "}\r\n"
    "\r\n"
    "#FUNC BOOL IsBig(#n)\r\n"
    "{\r\n"
    "  Return(#n > 100);\r\n"
    "}\r\n"
    "\r\n"
    "#INIT\r\n"
    "{\r\n"
    "  VAR #i, #j;\r\n"
    "  #count = #count + 1;\r\n"
    "  #fact = Fact(10);\r\n"
    "  FOR #i = 1 TO 10 DO { #sum = #sum + #i; };\r\n"
    "  FOR #i = 3 DOWNTO 1 DO { $text = $text + 'd'; };\r\n"
    "  #j = 0;\r\n"
    "  WHILE (#j < 5) DO { #j = #j + 1; IF (#j == 3) { Continue(); }; #loops = #loops + 1; };\r\n"
    "  REPEAT { #j = #j - 1; } UNTIL (#j <= 0);\r\n"
    "  IF (#j == 0 AND #loops == 4 AND #sum == 55) THEN { ShowMessage('loops ok', 'out', 0); };\r\n"
    "  CASE #fact OF { 1, 2 : { ShowMessage('small', 'out', 0); }, 3628800 : { ShowMessage('fact ok', 'out', 0); },"
    " ELSE : { ShowMessage('else', 'out', 0); } };\r\n"
    "  STRCASE Twice('ab') AS REGSTR OF { '^ba' : { ShowMessage('no', 'out', 0); }, 'ba' : { ShowMessage('regex ok', 'out', 0); } };\r\n"
    "  IF (IsBig(#fact) AND NOT IsBig(5)) { ShowMessage('bool ok', 'out', 0); } ELSE { ShowMessage('bool wrong', 'out', 0); };\r\n"
    "  #i = 1;\r\n"
    "  #j = 2;\r\n"
    "  Swap(#i, #j);\r\n"
    "  IF (#i == 2 AND #j == 1) THEN { ShowMessage('swap ok', 'out', 0); };\r\n"
    "  Fill(#a, $text, $s);\r\n"
    "  IF (#a[1] == 100 AND $s[2] == 'ddd!' AND #a[2] == 2) THEN { ShowMessage('arrays ok', 'out', 0); };\r\n"
    "  TRY { Raise('boom', 7); } EXCEPT { ShowMessage('caught ' + $_RAISESTR, 'out', 0); }"
    " FINALLY { ShowMessage('finally', 'out', 0); };\r\n"
    "}\r\n"
    "\r\n"
    "#KEY ENTER\r\n"
    "{\r\n"
    "  #count = #count + 1;\r\n"
    "  IF (#count == 3) THEN { ShowMessage('count 3', 'out', 0); };\r\n"
    "}\r\n";

}  // namespace

TEST_F(EndToEnd, EveryStatementKindRoutinesArraysAndGlobalsAcrossRuns)
{
    COMPILE_OR_SKIP(kEveryStatement);
    EXPECT_EQ(Run("--init --key ENTER --key enter"),
              "[out] loops ok\r\n[out] fact ok\r\n[out] regex ok\r\n[out] bool ok\r\n[out] swap ok\r\n[out] arrays ok\r\n"
              "[out] caught boom\r\n[out] finally\r\n[out] count 3\r\n");
}

TEST_F(EndToEnd, ErrorsAreReportedAndTheNextRunStartsAfresh)
{
    COMPILE_OR_SKIP(
        "#GLOBALVAR #n = 0;\r\n"
        "#SUB Leave() { ExitLoop(); }\r\n"
        "#INIT { #n = #n + 1; Leave(); }\r\n"
        "#KEY F01 { IF (#n == 1) { ShowMessage('kept', 'out', 0); }; #n = 1 / 0; }\r\n"
        "#KEY CTRL+F01 { Raise('mine', -3); }\r\n");
    EXPECT_EQ(Run("--init --key F01 --key CTRL+F01"),
              "[Velkano] 文法エラー\\nFOR,WHILE,REPEATが無いのにExitLoop()が呼ばれました\r\n"
              "[out] kept\r\n"
              "[Velkano] 文法エラー\\n０で割ろうとしました\r\n"
              "[Velkano] ユーザー例外\\nmine\\nerr value=-3\r\n");
}

TEST_F(EndToEnd, PreKeyChoosesTheKeySet)
{
    COMPILE_OR_SKIP(
        "#PREKEY { IF (#_KEYCODE == 65) { ChangeKeySet('EDIT'); }; }\r\n"
        "#KEY A { ShowMessage('default', 'out', 0); }\r\n"
        "#KEY B { ShowMessage('default B', 'out', 0); }\r\n"
        "#KEYSET = 'edit' A { ShowMessage('edit ' + $_KEYSET, 'out', 0); }\r\n");
    EXPECT_EQ(Run("--key A --key B"), "[out] edit EDIT\r\n[out] default B\r\n");
}

// Dialogs are compiled and loaded but not shown yet: the call is the first
// thing that fails.
TEST_F(EndToEnd, ProgramWithDialogsLoadsAndStopsAtTheCall)
{
    COMPILE_OR_SKIP(
        "#DLG First() { BUTTON { }; }\r\n"
        "#DLG Ask($title, VAR $name) { DIALOG { CAPTION: $title; }; GROUPBOX { EDIT { RESULT: $name; }; }; }\r\n"
        "#KEY ENTER { VAR $n; ShowMessage('before', 'out', 0); Ask('x', $n); ShowMessage('after', 'out', 0); }\r\n");
    EXPECT_EQ(Run("--key ENTER"), "[out] before\r\n[Velkano] 文法エラー\\n未定義の手続き文 : 00D00001\r\n");
}

TEST(VtlRun, ABadFileIsALoadErrorWithExitCode1)
{
    TTempDir dir;
    WriteBytes(dir.File("bad.KEY"), kb::FileOf("0229", ""));
    TProcessResult r = VtlRun(dir.File("bad.KEY"), "", dir.Path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "[Velkano] 未サポートのバージョンです : 0229\r\n");
    r = VtlRun(dir.File("none.KEY"), "", dir.Path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, "[Velkano] " + dir.File("none.KEY") + " が開けません\r\n");
}

TEST(VtlRun, RunsInitOrTheNamedInputs)
{
    using namespace kb;
    TTempDir dir;
    TKeyFileContent p;
    p.init = Block({Show(Str("init"))});
    p.done = Block({Show(Str("done"))});
    p.keySets = {{"DEFAULT", {{";", 59, Block({Show(Str(";"))})},
                              {"ALT+SHIFT+F12", static_cast<std::int32_t>(0x8005007B), Block({Show(SysStr("$_CRLF"))})}}}};
    p.mouseSets = {{"DEFAULT", {{"CTRL+WHEELUP", static_cast<std::int32_t>(0x80020006), Block({Show(Str("wheel"))})}}}};
    p.eventSets = {{"DEFAULT", {{"SplitMoved", 1, Block({Show(Str("split"))})}}}};
    WriteBytes(dir.File("p.KEY"), SerializeKeyFile(p));
    EXPECT_EQ(VtlRun(dir.File("p.KEY"), "", dir.Path()).output, "[out] init\r\n");
    TProcessResult r = VtlRun(dir.File("p.KEY"), "--key ; --key shift+alt+f12 --key CTRL+WHEELUP --event SPLITMOVED --done", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "[out] ;\r\n[out] \\n\r\n[out] wheel\r\n[out] split\r\n[out] done\r\n");
}

TEST_F(EndToEnd, StringLineSelectionAndFileNameBuiltins)
{
    COMPILE_OR_SKIP(
        "#GLOBALVAR $s = '', #n = 0;\r\n"
        "#INIT\r\n"
        "{\r\n"
        "  StrToInt(#n, '$FF'); IntToStr($s, #n); ShowMessage($s, 'out', 0);\r\n"
        "  PosStr(#n, '表\\', '\\'); IntToStr($s, #n); ShowMessage($s, 'out', 0);\r\n"
        "  $s = 'b' + $_CRLF + 'a';\r\n"
        "  SortLine($s, 0, 2, 0); GetLine($s, $s, 2); ShowMessage($s, 'out', 0);\r\n"
        "  SelectText('ABC.txt', 'x', { ShowMessage('x', 'out', 0); }, 'abc.TXT', { ShowMessage('text', 'out', 0); },"
        " ELSE, { ShowMessage('else', 'out', 0); });\r\n"
        "  ExpandFilename($s, '\\\\srv\\share\\..\\x', 1); ShowMessage($s, 'out', 0);\r\n"
        "  ExtractDir($s, 'C:\\a\\b\\c.txt', 1); ShowMessage($s, 'out', 0);\r\n"
        "}\r\n");
    EXPECT_EQ(Run(""), "[out] 255\r\n[out] 3\r\n[out] b\r\n[out] text\r\n[out] \\\\srv\\x\r\n[out] C:\\a\r\n");
}

namespace {

// Window 1 of the mark programs; sorted: ".", "..", "sub", "a.txt", "B.TXT",
// "表示.doc". Window 2 holds files only.
const char kPane1[] =
    "B.TXT\t20\tRA\t2022/01/02 03:04:06\r\n"
    "..\t0\tD\t2020/01/01 00:00:00\r\n"
    "表示.doc\t5000000000\tHA\t2023/12/31 23:59:59\r\n"
    "sub\t0\tD\t2021/02/03 04:05:06\r\n"
    ".\t0\tD\t2020/01/01 00:00:00\r\n"
    "a.txt\t10\tA\t2022/01/02 03:04:05\r\n";
const char kPane2[] =
    "表.h\t1\tA\t2010/10/10 10:10:10\r\n"
    "ソース.c\t2\tA\t2011/11/11 11:11:11\r\n";

const char kMarkProgram[] =
    "#GLOBALVAR $t = '', $a = '', $d = '', $y = '', $n = '', #k = 0;\r\n"
    "\r\n"
    "#SUB ShowMarks(#w, #count)\r\n"
    "{\r\n"
    "  FOR #k = 0 TO #count - 1 DO {\r\n"
    "    GetMarkFILENAME(#w, $t, #k); GetMarkATTR(#w, $a, #k); GetMarkLWDATETIME(#w, $d, #k);\r\n"
    "    GetMarkFILETYPE(#w, $y, #k);\r\n"
    "    ShowMessage($t + ' ' + $a + ' ' + $d + ' ' + $y, 'mark', 0);\r\n"
    "  };\r\n"
    "}\r\n"
    "\r\n"
    "#INIT\r\n"
    "{\r\n"
    "  MarkMatchText('\\.TXT$', 0);\r\n"
    "  MarkMatchStr('u', 1);\r\n"
    "  Mark(1);\r\n"
    "  IntToStr($n, #_MARKNUM); ShowMessage('marked ' + $n, 'out', 0);\r\n"
    "  IntToStr($n, #_TOTALMARKSIZE[1]); ShowMessage('size ' + $n, 'out', 0);\r\n"
    "  ShowMarks(1, #_MARKNUM);\r\n"
    "  AllMarkTrigger();\r\n"
    "  IF (NOT IsMark(3) AND #_MARKNUM == 0) { ShowMessage('cleared', 'out', 0); };\r\n"
    "  GetMarkFILENAME(1, $t, 2); ShowMessage('still ' + $t, 'out', 0);\r\n"
    "  ReloadMarkInfo(1);\r\n"
    "  ShowMarks(1, 1);\r\n"
    "  ShowMarks(2, 1);\r\n"
    "  AllMarkTrigger();\r\n"
    "  IntToStr($n, #_TOTALMARKSIZE[1]); ShowMessage('files ' + $n, 'out', 0);\r\n"
    "}\r\n"
    "\r\n"
    "#KEY ENTER\r\n"
    "{\r\n"
    "  UnmarkMatchStr('示', 0);\r\n"
    "  MarkTrigger(3);\r\n"
    "  ShowMarks(1, #_MARKNUM);\r\n"
    "  GetMarkFILENAME(1, $t, #_MARKNUM);\r\n"
    "}\r\n";

}  // namespace

TEST_F(EndToEnd, MarkBuiltinsOnPanesFromListFiles)
{
    ASSERT_TRUE(Compile(kMarkProgram));
    WriteBytes(dir.File("p1.txt"), kPane1);
    WriteBytes(dir.File("p2.txt"), kPane2);
    EXPECT_EQ(Run("--pane 1 p1.txt --pane 2 p2.txt --init --key ENTER"),
              "[out] marked 3\r\n"
              "[out] size 30\r\n"
              "[mark] sub ____D 2021/02/03 04:05:06 DIR\r\n"
              "[mark] a.txt ___A_ 2022/01/02 03:04:05 FILE\r\n"
              "[mark] B.TXT R__A_ 2022/01/02 03:04:06 FILE\r\n"
              "[out] cleared\r\n"
              "[out] still B.TXT\r\n"
              "[mark] . ____D 2020/01/01 00:00:00 DIR\r\n"
              "[mark] ソース.c ___A_ 2011/11/11 11:11:11 FILE\r\n"
              "[out] files 5000000030\r\n"
              // The next run: the marks are kept, the snapshot is new.
              "[mark] B.TXT R__A_ 2022/01/02 03:04:06 FILE\r\n"
              "[Velkano] 文法エラー\\nインデックスが不正です : 1\r\n");
}

TEST_F(EndToEnd, MarkBuiltinErrorsEndTheRun)
{
    ASSERT_TRUE(Compile(
        "#GLOBALVAR $t = '', #v = 0;\r\n"
        "#KEY F01 { GetMarkFILENAME(3, $t, 0); }\r\n"
        "#KEY F02 { MarkMatchStr('(', 0); }\r\n"
        "#KEY F03 { IF (IsMark(-1)) { }; }\r\n"
        "#KEY F04 { InputRegMark($t, #v, 'マークするファイルを指定してください。'); }\r\n"
        "#KEY F05 { #v = #_TOTALMARKSIZE[0]; }\r\n"));
    WriteBytes(dir.File("p1.txt"), kPane1);
    EXPECT_EQ(Run("--pane 1 p1.txt --key F01 --key F02 --key F03 --key F04 --key F05"),
              "[Velkano] 文法エラー\\n窓の指定が不正です : 3\r\n"
              "[Velkano] 文法エラー\\n正規表現の ( が閉じていません : (\r\n"
              "[Velkano] 文法エラー\\nIndexが範囲外です : -1\r\n"
              "[Velkano] 文法エラー\\n未定義の手続き文 : 0092005E\r\n"
              "[Velkano] 文法エラー\\n１つ目の添え字は１か２のみです : 0\r\n");
}

TEST(VtlRun, ABadPaneListIsACommandLineError)
{
    TTempDir dir;
    WriteBytes(dir.File("p.KEY"), SerializeKeyFile(TKeyFileContent{}));
    WriteBytes(dir.File("bad.txt"), "a.txt\t10\tA\t2022/01/02 03:04:05\nb.txt\tten\tA\t2022/01/02 03:04:05\n");
    const std::pair<std::string, std::string> cases[] = {
        {"--pane 1 bad.txt", "vtlrun : bad.txt line 2 : bad size : ten\r\n"},
        {"--pane 3 bad.txt", "vtlrun : the window of --pane is 1 or 2 : 3\r\n"},
        {"--pane 2 none.txt", "vtlrun : cannot read the pane list none.txt\r\n"},
    };
    for (const auto& [args, output] : cases) {
        TProcessResult r = VtlRun(dir.File("p.KEY"), args, dir.Path());
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_EQ(r.output, output) << args;
    }
}
