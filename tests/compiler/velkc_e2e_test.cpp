// Runs the real VELKC.exe in temporary folders and checks its console
// output byte for byte, its exit code and the file it writes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "compile_harness.h"
#include "support/testsupport.h"

namespace {

const std::string kBanner =
    "Velkano Tiny Language Compiler Ver 2.28\r\n"
    "VTLソースをコンパイルしてキーアサインファイルを作ります\r\n"
    "\r\n";

const std::string kUsage =
    "usage : VELKC /options\r\n"
    "              /W        : コンパイル終了後、キー入力待ち\r\n"
    "              /Ssrcname : ソースファイルを指定(srcname)\r\n"
    "              /Bbinname : キーアサインファイルを指定(binname)\r\n"
    "              /Iincpath : #INCLUDEのサーチパス指定(;で区切って複数OK)\r\n"
    "              /E[+|-]   : 環境変数VELKCINCの参照の有無(default:- 参照しない)\r\n"
    "              /V        : コンパイルの詳細表示\r\n"
    "              /L        : 変数・サブルーチン・キー定義表示\r\n"
    "              /? or /H  : ヘルプ\r\n";

std::string Velkc() { return "\"" + TestProgramDir() + "VELKC.exe\""; }

TProcessResult RunVelkc(const std::string& args, const std::string& dir, const std::string& input = "")
{
    return RunProgram(Velkc() + (args.empty() ? "" : " " + args), dir, input);
}

// What a successful compile of src into key prints.
std::string Compiled(const std::string& src, const std::string& key)
{
    return kBanner + "COMPILE >> " + src + "\r\n\r\nWRITE   >> " + key + "\r\n\r\nCOMPILE >> DONE\r\n\r\n";
}

TEST(VelkcEndToEnd, EmptySourceWritesTheEmptyProgram)
{
    TTempDir dir;
    WriteBytes(dir.File("a.src"), "// nothing but a comment\r\n/* and\r\n another */\r\n");
    TProcessResult r = RunVelkc("/Sa.src", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(dir.File("a.src"), dir.File("a.KEY")));
    EXPECT_EQ(ReadBytes(dir.File("a.KEY")), EmptyKeyFile());
}

TEST(VelkcEndToEnd, OptionValuesAndLowerCase)
{
    TTempDir dir;
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    WriteBytes(dir.File("sub\\x.vtl"), "");
    WriteBytes(dir.File(".src"), "");

    TProcessResult r = RunVelkc("/ssub\\x.vtl", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(dir.File("sub\\x.vtl"), dir.File("sub\\x.KEY")));
    EXPECT_TRUE(PathExists(dir.File("sub\\x.KEY")));

    r = RunVelkc("/Ssub\\x.vtl /bout.bin /Iinc /e+", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(dir.File("sub\\x.vtl"), dir.File("out.bin")));
    EXPECT_EQ(ReadBytes(dir.File("out.bin")), EmptyKeyFile());

    // A source named by its extension only gets ".KEY" appended.
    r = RunVelkc("/S.src", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(PathExists(dir.File(".src.KEY")));
}

TEST(VelkcEndToEnd, WithoutArgumentsCompilesVelkSrc)
{
    TTempDir dir;
    // Here first, then beside the program.
    WriteBytes(dir.File("VELK.SRC"), "");
    TProcessResult r = RunVelkc("", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(dir.File("VELK.SRC"), dir.File("VELK.KEY")));

    TTempDir prog, work;
    ASSERT_TRUE(CopyFileA((TestProgramDir() + "VELKC.exe").c_str(), prog.File("VELKC.exe").c_str(), FALSE));
    WriteBytes(prog.File("VELK.SRC"), "");
    r = RunProgram("\"" + prog.File("VELKC.exe") + "\"", work.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(prog.File("VELK.SRC"), prog.File("VELK.KEY")));
    EXPECT_EQ(ReadBytes(prog.File("VELK.KEY")), EmptyKeyFile());
    EXPECT_FALSE(PathExists(work.File("VELK.KEY")));
}

TEST(VelkcEndToEnd, HelpPrintsTheUsage)
{
    TTempDir dir;
    WriteBytes(dir.File("VELK.SRC"), "");
    for (const char* arg : {"/?", "/h", "/H", "/help", "/Hxyz"}) {
        TProcessResult r = RunVelkc(arg, dir.Path());
        EXPECT_EQ(r.exitCode, 0) << arg;
        EXPECT_EQ(r.output, kBanner + kUsage) << arg;
    }
    EXPECT_FALSE(PathExists(dir.File("VELK.KEY")));
}

TEST(VelkcEndToEnd, MissingSourceIsReportedAndNothingWritten)
{
    TTempDir dir;
    TProcessResult r = RunVelkc("/Snope.src", dir.Path());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, kBanner + dir.File("nope.src") + " が見つからない\r\n");
    EXPECT_FALSE(PathExists(dir.File("nope.KEY")));
}

TEST(VelkcEndToEnd, LexicalErrorOnLine12)
{
    TTempDir dir;
    std::string src;
    for (int i = 1; i <= 10; ++i) src += "// line " + std::to_string(i) + " 表示\r\n";
    src += "#GLOBALVAR #a; #KEY A {\r\n  #a = 1; @ #b\r\n#c\r\n";
    WriteBytes(dir.File("bad.src"), src);
    TProcessResult r = RunVelkc("/Sbad.src", dir.Path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.output, kBanner + "COMPILE >> " + dir.File("bad.src") +
                            "\r\n\r\n"
                            "Error : 不正な文字 : \"@\"(40h)\r\n"
                            "Line  :   12   #a = 1; @ #b\r\n" +
                            std::string(12 + 11, ' ') + "^\r\n");
    EXPECT_FALSE(PathExists(dir.File("bad.KEY")));
}

TEST(VelkcEndToEnd, DoubleByteCharacterOutsideStringsIsReported)
{
    TTempDir dir;
    WriteBytes(dir.File("j.src"), "#GLOBALVAR $s = 'あ' /* い */ う\r\n");
    TProcessResult r = RunVelkc("/Sj.src", dir.Path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("Error : 不正な文字 : \"う\"(82A4h)\r\n"
                            "Line  :    1 #GLOBALVAR $s = 'あ' /* い */ う\r\n" +
                            std::string(12 + 32, ' ') + "^\r\n"),
              std::string::npos)
        << r.output;
}

TEST(VelkcEndToEnd, WaitReadsALineBeforeExiting)
{
    TTempDir dir;
    WriteBytes(dir.File("VELK.SRC"), "");
    TProcessResult r = RunVelkc("/W", dir.Path(), "\r\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, Compiled(dir.File("VELK.SRC"), dir.File("VELK.KEY")) + "\r\nHIT RETURN KEY ...");

    r = RunVelkc("/w /h", dir.Path(), "\n");
    EXPECT_EQ(r.output, kBanner + kUsage + "\r\nHIT RETURN KEY ...");
}

TEST(VelkcEndToEnd, GarbageSourceNeverCrashes)
{
    TTempDir dir;
    std::string garbage;
    unsigned x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245 + 12345;
        garbage += static_cast<char>(x >> 16);
    }
    WriteBytes(dir.File("g.src"), garbage);
    TProcessResult r = RunVelkc("/Sg.src", dir.Path());
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 2) << r.exitCode;
    EXPECT_EQ(r.output.rfind(kBanner, 0), 0u);

    WriteBytes(dir.File("ff.src"), std::string(100000, '\xff'));
    r = RunVelkc("/Sff.src", dir.Path());
    EXPECT_EQ(r.exitCode, 2);
}

TEST(VelkcEndToEnd, ProgramWithIncludesIsWritten)
{
    TTempDir dir;
    CreateDirectoryA(dir.File("lib").c_str(), nullptr);
    WriteBytes(dir.File("main.src"), "#INCLUDE 'util.vtl'\r\n#KEY ENTER { Hello('表示'); }\r\n");
    WriteBytes(dir.File("lib\\util.vtl"), "#SUB Hello($s) { MsgBox($s, 'Velkano', 0, 'OK'); }\r\n");
    TProcessResult r = RunVelkc("/Smain.src /Ilib /V", dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.output;
    const std::string util = dir.File("lib\\util.vtl");
    EXPECT_EQ(r.output, kBanner + "COMPILE >> " + dir.File("main.src") + "\r\n\r\n" +
                            "INCLUDE >> " + util + "\r\n#SUB Hello\r\n  args : $s\r\n        >> DONE\r\n" +
                            "COMPILE >> " + dir.File("main.src") + "\r\n#KEY ENTER\r\n" +
                            "User define global numeric var\r\nUser define global string var\r\n"
                            "User define global numeric array var\r\nUser define global string array var\r\n"
                            "Subroutines\r\n  Hello($)\r\nUser Int Funcs\r\nUser Str Funcs\r\nUser Bool Funcs\r\n"
                            "Dialogs\r\nKEYSET >>> DEFAULT\r\n  Key Assign\r\n    ENTER\r\n  Mouse Assign\r\n"
                            "  Event Assign\r\n"
                            "\r\nWRITE   >> " + dir.File("main.KEY") + "\r\n\r\nCOMPILE >> DONE\r\n\r\n");
    const std::string key = ReadBytes(dir.File("main.KEY"));
    // One #SUB with one S argument, one DEFAULT key binding for ENTER.
    EXPECT_NE(key.find(WordBytes(0x00100003) + WordBytes(1) + "Hello"), std::string::npos);
    EXPECT_NE(key.find(WordBytes(0x00100004) + WordBytes(1) + WordBytes(0x8000000D) + WordBytes(0x00100011)), std::string::npos);
}

// Each failure has its exit code, and the previous key-assign file stays as
// it was, with no backup made.
TEST(VelkcEndToEnd, FailedCompilesLeaveThePreviousFileAlone)
{
    struct TCase {
        const char* main;
        const char* included;
        int exitCode;
        const char* report;
    };
    const TCase cases[] = {
        {"#KEY A { #a = 1; }", "", 2, "Error : 文が必要です : #a(未知の変数)\r\nLine  :    1 #KEY A { #a = 1; }\r\n"},
        {"#INCLUDE 'inc.vtl'", "#KEY A {\r\n  Break;\r\n}", 3,
         "\r\nError : ( がありません : ;(文終了)\r\nLine  :    2   Break;\r\n"},
        {"#SUB S(); FORWARD;", "", 1, "Error : #SUB S()の実体を宣言してください\r\n"},
    };
    for (const TCase& c : cases) {
        TTempDir dir;
        WriteBytes(dir.File("a.src"), c.main);
        WriteBytes(dir.File("inc.vtl"), c.included);
        WriteBytes(dir.File("a.KEY"), "previous");
        TProcessResult r = RunVelkc("/Sa.src", dir.Path());
        EXPECT_EQ(r.exitCode, c.exitCode) << c.main;
        EXPECT_NE(r.output.find(c.report), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find("COMPILE >> DONE"), std::string::npos);
        EXPECT_EQ(ReadBytes(dir.File("a.KEY")), "previous");
        EXPECT_FALSE(PathExists(dir.File("a.SAV")));
    }
}

TEST(VelkcEndToEnd, NestingUpToTheLimitAndBeyond)
{
    TTempDir dir;
    for (int depth : {990, 100000}) {
        std::string src = "#GLOBALVAR #a; #FUNC INT F(#x) { }\r\n#KEY A { ";
        for (int i = 0; i < depth; ++i) src += "IF ((F(#a) + 1) == 1) { ";
        for (int i = 0; i < depth; ++i) src += "}; ";
        src += "}";
        WriteBytes(dir.File("deep.src"), src);
        TProcessResult r = RunVelkc("/Sdeep.src", dir.Path());
        if (depth < 1000) {
            EXPECT_EQ(r.exitCode, 0) << r.output.substr(0, 1000);
        } else {
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_NE(r.output.find("Error : 入れ子が深すぎます (1000 段まで)"), std::string::npos) << r.output.substr(0, 1000);
        }
    }
}

TEST(VelkcEndToEnd, CompilingTwiceKeepsTheFirstResultAsSav)
{
    TTempDir dir;
    WriteBytes(dir.File("VELK.SRC"), "#GLOBALVAR #version = 1;");
    ASSERT_EQ(RunVelkc("", dir.Path()).exitCode, 0);
    const std::string first = ReadBytes(dir.File("VELK.KEY"));
    EXPECT_FALSE(PathExists(dir.File("VELK.SAV")));

    WriteBytes(dir.File("VELK.SRC"), "#GLOBALVAR #version = 2;\r\n#KEY ENTER { #version = 3; }");
    TProcessResult r = RunVelkc("", dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, Compiled(dir.File("VELK.SRC"), dir.File("VELK.KEY")));
    EXPECT_EQ(ReadBytes(dir.File("VELK.SAV")), first);
    const std::string second = ReadBytes(dir.File("VELK.KEY"));
    EXPECT_NE(second, first);
    EXPECT_NE(second.find(WordBytes(0x00100004) + WordBytes(1) + WordBytes(0x8000000D)), std::string::npos);
}

// Lines joined with CR LF, as the sources and the console have them.
std::string CrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

const char kRealisticProgram[] = R"vtl(// ファイル一覧のキー定義
#GLOBALVAR #count = 0, #maxLines = 100, $editor = 'notepad.exe', $lastDir;
#GLOBALVAR #widths[3] = [10, 20, -30], $exts[2] = ['.txt', '.doc'], #flags[2];

#SUB ShowCount(); FORWARD;
#FUNC STR Quote($s) { Return('"' + $s + '"'); }
#FUNC INT Twice(#n) { Return(#n * 2); }
#FUNC BOOL IsText($name, VAR #size, #limits[]) { Return(MatchText($name, '*.txt')); }

#DLG AskName($title, VAR $name, VAR #kind)
{
  DIALOG { CAPTION: $title; CLIENTSIZE: 0, 0, 300, 120; };
  LABEL { SIZE: 8, 8, 100, 13; CAPTION: 'ファイル名'; };
  EDIT { SIZE: 8, 24, 284, 20; RESULT: $name; DEFAULT: $_CUR_FILENAMEEXT; FOCUS; };
  GROUPBOX {
    SIZE: 8, 50, 284, 40; CAPTION: '種類';
    RADIOBUTTON { SIZE: 4, 12, 270, 24; RESULT: #kind; ITEMS: 'テキスト' + $_CRLF + 'その他'; COLUMN: 2; };
  };
  BUTTON { SIZE: 136, 96, 75, 20; CAPTION: 'OK'; VALUE: 1; };
  BUTTON { SIZE: 216, 96, 75, 20; CAPTION: 'キャンセル'; VALUE: -1; };
}

#SUB ShowCount() { VAR $msg; IntToStr($msg, #count); ShowMessage($msg, 'Velkano', 0); }
#SUB EditFile($file, VAR $names[]) { Exec($editor, Quote($file), 1, 0); }

#KEY ENTER { #count = Twice(#count); ShowCount(); }
#KEY SHIFT+ENTER { VAR $name, #kind; AskName('名前', $name, #kind); }
#KEY UP { CursorUp(); }
#KEY DOWN { CursorDown(); }
#KEY CTRL+Q { QuitVELK(0); }
#KEY LDBLCLICK { EditFile($_CUR_FILENAMEEXT, $exts); }
#KEY WHEELUP { CursorUp(); }
#KEY RESIZE { #count = #count + 1; }
#KEYSET = 'view' ESC { Break(); }
#KEYSET = 'view' SPACE { CursorNext(); }
#KEYSET = 'view' RCLICK { Break(); }
#KEYSET = 'menu' ACTIVE { ShowCount(); }
#PREKEY { IF (#count > #maxLines) THEN { ChangeKeySet('VIEW'); }; }
#INIT { $lastDir = $_CUR_DIRECTORY; }
#DONE { }
)vtl";

const char kRealisticListing[] = R"(User define global numeric var
      #count = 0
   #maxLines = 100
User define global string var
     $editor = 'notepad.exe'
    $lastDir = ''
User define global numeric array var
     #widths = [10,20,-30]
      #flags = [0,0]
User define global string array var
       $exts = ['.txt','.doc']
Subroutines
  ShowCount()
  EditFile($, VAR $[])
User Int Funcs
  Twice(#)
User Str Funcs
  Quote($)
User Bool Funcs
  IsText($, VAR #, #[])
Dialogs
  AskName($, VAR $, VAR #)
KEYSET >>> DEFAULT
  Key Assign
    CTRL+Q
    DOWN
    ENTER
    SHIFT+ENTER
    UP
  Mouse Assign
    LDBLCLICK
    WHEELUP
  Event Assign
    Resize
MENU Set >>>
  Event Assign
    Active
KEYSET >>> VIEW
  Key Assign
    ESC
    SPACE
  Mouse Assign
    RCLICK
)";

TEST(VelkcEndToEnd, FullListingOfARealisticProgram)
{
    TTempDir dir;
    WriteBytes(dir.File("VELK.SRC"), CrLf(kRealisticProgram));
    TProcessResult r = RunVelkc("/L", dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, kBanner + "COMPILE >> " + dir.File("VELK.SRC") + "\r\n\r\n" + CrLf(kRealisticListing) +
                            "WRITE   >> " + dir.File("VELK.KEY") + "\r\n\r\nCOMPILE >> DONE\r\n\r\n");
    const std::string key = ReadBytes(dir.File("VELK.KEY"));
    // The dialog table comes last: one dialog with three parameters.
    EXPECT_NE(key.find(WordBytes(0x0010001F) + WordBytes(1) + "AskName"), std::string::npos);

    // /L and /V together list once, after the progress lines.
    r = RunVelkc("/L /V", dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.output;
    const std::size_t listed = r.output.find(CrLf(kRealisticListing));
    EXPECT_NE(listed, std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("User define global numeric var", listed + 1), std::string::npos);
    EXPECT_NE(r.output.find("#DLG AskName\r\n  args : $title, VAR $name, VAR #kind\r\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.File("VELK.SAV")), key);
}

TEST(VelkcEndToEnd, UnwritableOutputKeepsNothingHalfWritten)
{
    TTempDir dir;
    WriteBytes(dir.File("a.src"), "");
    // The output is held open without sharing: it cannot be created.
    WriteBytes(dir.File("a.KEY"), "previous");
    HANDLE h = CreateFileA(dir.File("a.KEY").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    TProcessResult r = RunVelkc("/Sa.src", dir.Path());
    CloseHandle(h);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_NE(r.output.find("Error : "), std::string::npos) << r.output;
    EXPECT_EQ(ReadBytes(dir.File("a.KEY")), "previous");
}

}  // namespace

TEST(VelkcEndToEnd, TheBundledSampleCompiles)
{
    // The source tree is reached through Wine's drive for the Linux root.
    std::string sample = std::string("Z:") + VELK_SAMPLE_DIR + "/VELK.SRC";
    for (char& c : sample)
        if (c == '/') c = '\\';
    TTempDir dir;
    ASSERT_TRUE(CopyFileA(sample.c_str(), dir.File("VELK.SRC").c_str(), FALSE)) << sample;
    TProcessResult r = RunProgram("\"" + TestProgramDir() + "VELKC.exe\"", dir.Path());
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(PathExists(dir.File("VELK.KEY")));
}
