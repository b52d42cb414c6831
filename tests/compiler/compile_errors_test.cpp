// Wrong sources: the exact message, the line and the caret, the exit code,
// and no key-assign file.
#include <gtest/gtest.h>

#include <cstdio>

#include "compile_harness.h"

namespace {

struct TErrorCase {
    std::string source;
    std::string message;
    // The caret stands after the last occurrence of this text; empty: at the
    // end of the source.
    std::string after;
};

// The report of a source error: message, line with its number, caret.
std::string Report(const std::string& source, const std::string& message, const std::string& after)
{
    std::size_t pos = after.empty() ? source.size() : source.rfind(after) + after.size();
    std::size_t lineStart = source.rfind('\n', pos == 0 ? 0 : pos - 1);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    int line = 1;
    for (std::size_t i = 0; i < lineStart; ++i) line += source[i] == '\n';
    std::size_t lineEnd = source.find_first_of("\r\n", lineStart);
    std::string text = source.substr(lineStart, lineEnd == std::string::npos ? std::string::npos : lineEnd - lineStart);
    char number[32];
    std::snprintf(number, sizeof number, "Line  : %4d ", line);
    return "Error : " + message + "\r\n" + number + text + "\r\n" + std::string(12 + (pos - lineStart), ' ') + "^\r\n";
}

void CheckErrors(const std::vector<TErrorCase>& cases, const std::string& prelude = "")
{
    for (const TErrorCase& c : cases) {
        const std::string source = prelude + c.source;
        TCompileResult r = CompileSource(source);
        EXPECT_EQ(r.exitCode, 2) << c.source;
        const std::string expected = Report(source, c.message, c.after);
        EXPECT_NE(r.output.find("\r\n" + expected), std::string::npos)
            << c.source << "\nexpected:\n" << expected << "output:\n" << r.output;
        EXPECT_EQ(r.output.find("COMPILE >> DONE"), std::string::npos) << c.source;
        EXPECT_TRUE(r.bytes.empty()) << c.source;
    }
}

const std::string kName61(61, 'n');

TEST(CompileErrors, SectionsAndDeclarations)
{
    CheckErrors({
        {"#globalvar #a;", "宣言が必要です", "#globalvar"},
        {"#keyset='x' A { }", "宣言が必要です", "#keyset"},
        {"#GLOBALVAR #a; x", "宣言が必要です", "x"},
        {"#GLOBALVAR #_FILENUM;", "#_FILENUM はシステムで使用しています", "#_FILENUM"},
        {"#GLOBALVAR $_CUR_FILENAME;", "$_CUR_FILENAME はシステムで使用しています", "$_CUR_FILENAME"},
        {"#GLOBALVAR #a, #A;", "#A は既に定義されています", "#A"},
        {"#GLOBALVAR #a[2], #a;", "#a は既に定義されています", "#a"},
        {"#GLOBALVAR #a[0];", "添字は１以上268435456以下です", "0"},
        {"#GLOBALVAR $a[268435457];", "添字は１以上268435456以下です", "7"},
        {"#GLOBALVAR #a[3;", "] がありません : ;(文終了)", ";"},
        {"#GLOBALVAR #t[3] = [1, 2];", ",が必要です : ](右中括弧 ])", "]"},
        {"#GLOBALVAR #t[2] = [1, 2, 3];", "] が必要です : ,(カンマ)", ","},
        {"#GLOBALVAR #t[2] = 1;", "[ が必要です : 1(定数)", "1"},
        {"#GLOBALVAR #t[2] #b;", "= か , か ; が必要です : #b(未知の変数)", "#b"},
        {"#GLOBALVAR #t[1] = [1] #b;", ", か ; が必要です : #b(未知の変数)", "#b"},
        {"#GLOBALVAR #a = x;", "定数を指定してください : x(tiError)", "x"},
        {"#GLOBALVAR #a = - x;", "定数を指定してください : x(tiError)", "x"},
        {"#GLOBALVAR #a = 1 #b;", "; か , が必要です : #b(未知の変数)", "#b"},
        {"#GLOBALVAR $s = 5;", "文字列定数を指定してください : 5(定数)", "5"},
        {"#GLOBALVAR $s[1] = [#a];", "文字列定数を指定してください : #a(未知の変数)", "#a"},
        {"#GLOBALVAR #a #b;", "; か , か = か [ が必要です : #b(未知の変数)", "#b"},
        {"#GLOBALVAR 5;", "識別子が必要です : 5(定数)", "5"},
        {"#GLOBALVAR #" + kName61 + ";", "名前は６０文字以内です", kName61},
        {"#SUB IsDir() { }", "IsDir は判定式名です", "IsDir"},
        {"#SUB msgbox() { }", "msgbox はシステム手続き名です", "msgbox"},
        {"#SUB IF() { }", "サブルーチンの名前を指定してください : IF(IF)", "IF"},
        {"#SUB " + std::string(61, 'S') + "() { }", "名前は６０文字以内です", std::string(61, 'S')},
        {"#FUNC INT F() { } #SUB F() { }", "F はユーザー定義関数名です", "F"},
        {"#SUB S() { } #FUNC INT S() { }", "S はサブルーチン名です", "S"},
        {"#SUB S() { } #SUB s() { }", "s は既に定義されています", "s()"},
        {"#SUB S(#a, $b); FORWARD; #SUB S($y, #x) { }", "#SUB S の引数がFORWARDしたものと違う", "#x)"},
        {"#SUB S(); BACKWARD;", "FORWARD が必要です", "BACKWARD"},
        {"#SUB S(); FORWARD", "; が必要です", ""},
        {"#SUB S() ; FORWARD; #SUB S() ; FORWARD;", "{ が必要です : ;(文終了)", "#SUB S() ;"},
        {"#FUNC LONG F() { }", "戻り値のタイプは INT, STR, BOOL のいずれかです", "LONG"},
        {"#FUNC INT F(); FORWARD; #FUNC STR F() { }", "FORWARD宣言したはずの#FUNC F が見つからない", "F()"},
        {"#FUNC INT F(#a); FORWARD; #FUNC INT F() { }", "#FUNC F の引数がFORWARDしたものと違う", "F()"},
        {"#FUNC BOOL F() { } #FUNC BOOL F() { }", "F は既に定義されています", "F()"},
        {"#SUB S(#_RESULT) { }", "#_RESULT はシステムで使用しています", "#_RESULT"},
        {"#SUB S(#a, VAR #a) { }", "#a は既に定義されています", "#a"},
        {"#SUB S($a[], $A) { }", "$A は既に定義されています", "$A"},
        {"#SUB S(#" + kName61 + ") { }", "名前は６０文字以内です", kName61},
        {"#SUB S(#a #b) { }", ", か ) か [ が必要です : #b(未知の変数)", "#b"},
        {"#SUB S(#a[) { }", "] が必要です : )(右括弧 ))", ")"},
        {"#SUB S(#a[] #b) { }", ", か ) が必要です : #b(未知の変数)", "#b"},
        {"#SUB S(VAR) { }", "引数が必要です : )(右括弧 ))", ")"},
        {"#SUB S(1) { }", "引数かVAR が必要です : 1(定数)", "1"},
        {"#SUB S { }", "( が見つかりません : {(複文開始)", "{"},
        {"#SUB S() #a", "{ か ; が必要です : #a(未知の変数)", "#a"},
        {"#KEY A ;", "{ が必要です : ;(文終了)", ";"},
        {"#KEYSET 'x' A { }", "= がありません : 'x'(文字列定数)", "'x'"},
        {"#KEYSET = x A { }", "セット名がありません : x(未知の識別子)", "x"},
        {"#KEYSET = '" + kName61 + "' A { }", "セット名は６０文字以内です。", "'"},
        {"#INIT { } #INIT { }", "既に#INITは定義されています", "#INIT"},
        {"#DONE { } #DONE { }", "既に#DONEは定義されています", "#DONE"},
        {"#PREKEY { } #PREKEY { }", "既に#PREKEYは定義されています", "#PREKEY"},
        {"#INIT ;", "{ が必要です : ;(文終了)", ";"},
        {"#INCLUDE x", "ファイル名を指定してください : x", "x"},
        {"#INCLUDE", "ファイル名を指定してください : ", ""},
        {"#INCLUDE 'nothere.vtl'", "インクルードファイルが見つかりません : nothere.vtl", "'nothere.vtl'"},
        {"#DLG MsgBox() { }", "MsgBox はシステム手続き名です", "MsgBox"},
        {"#SUB D() { } #DLG D() { }", "D はサブルーチン名です", "D"},
        {"#FUNC STR D() { } #DLG D() { }", "D はユーザー定義関数名です", "D"},
        // Local declarations.
        {"#KEY A { VAR #_RESULT; }", "#_RESULT はシステムで使用しています", "#_RESULT"},
        {"#SUB S(#a) { VAR #a; }", "#a は引数で使用されています", "#a"},
        {"#KEY A { VAR $x, $x[2]; }", "$x は既に定義されています", "$x"},
        {"#GLOBALVAR #g; #KEY A { VAR #g, #g; }", "#g は既に定義されています", "#g"},
        {"#KEY A { VAR #" + kName61 + "; }", "名前は６０文字以内です", kName61},
        {"#KEY A { VAR #x[0]; }", "添字は１以上268435456以下です", "0"},
        {"#KEY A { VAR #x[2; }", "] がありません : ;(文終了)", ";"},
        {"#KEY A { VAR #x[2] #y; }", "; か , が必要です : #y(未知の変数)", "#y"},
        {"#KEY A { VAR #x #y; }", "; か , か [ が必要です : #y(未知の変数)", "#y"},
        {"#KEY A { VAR 1; }", "識別子が必要です : 1(定数)", "1"},
    });
}

const std::string kPrelude =
    "#GLOBALVAR #a, #b, $s, #arr[3], $sa[2]; #SUB Sub0() { } #SUB Sub1(#n, $m) { } "
    "#FUNC STR Fs() { } #FUNC BOOL Fb(VAR #y) { }\r\n#KEY A {\r\n";

TEST(CompileErrors, Statements)
{
    CheckErrors(
        {
            {"#_FILENUM = 1; }", "文が必要です : #_FILENUM(システム変数)", "#_FILENUM"},
            {"IsDir('x'); }", "文が必要です : IsDir(判定式)", "IsDir"},
            {"#n = 1; }", "文が必要です : #n(未知の変数)", "#n"},
            {"foo(); }", "文が必要です : foo(未知の識別子)", "foo"},
            {"; }", "文が必要です : ;(文終了)", ";"},
            {"1; }", "文が必要です : 1(定数)", "1"},
            {"{ }", "文が必要です : {(複文開始)", "{"},
            {"IF (TRUE) { VAR #x; }; }", "文が必要です : VAR(VAR)", "VAR"},
            {"VAR #x; VAR #y; }", "VAR は複文の先頭でのみ使用可能です", "VAR"},
            {"Break; }", "( がありません : ;(文終了)", ";"},
            {"Break() }", "; がありません : }(複文終了)", "}"},
            {"Break(1); }", ") がありません : 1(定数)", "1"},
            {"IF (TRUE) { } Break(); }", "; が必要です : Break(手続き文)", "Break"},
            {"IF (#a == 1) THEN { } ELSEIF (#a == 2) { }; }", "THENが必要です : {(複文開始)", "{"},
            {"IF (TRUE) { } ELSE { } ELSE { }; }", "; が必要です : ELSE(ELSE)", "ELSE"},
            {"IF TRUE { }; }", "( が必要です : TRUE(TRUE(真))", "TRUE"},
            {"IF (TRUE) Break(); }", "THEN、又は複文が必要です : Break(手続き文)", "Break"},
            {"IF (TRUE) THEN Break(); }", "{ が見つかりません : Break(手続き文)", "Break"},
            {"WHILE (TRUE) Break(); }", "DO、又は複文が必要です : Break(手続き文)", "Break"},
            {"WHILE (TRUE) { } }", "; が見つかりません : }(複文終了)", "}"},
            {"REPEAT { } (TRUE); }", "UNTILが必要です : ((左括弧 ()", "("},
            {"REPEAT { } UNTIL TRUE; }", "( が必要です : TRUE(TRUE(真))", "TRUE"},
            {"FOR 1 = 1 TO 2 DO { }; }", "ユーザー変数が必要です : 1(定数)", "FOR 1"},
            {"FOR #_RESULT = 1 TO 2 DO { }; }", "ユーザー変数が必要です : #_RESULT(システム変数)", "#_RESULT"},
            {"FOR #a : 1 TO 2 DO { }; }", "= が必要です : :(コロン :)", ":"},
            {"FOR #a = 1 UPTO 2 DO { }; }", "TO か DOWNTO が必要です : UPTO(未知の識別子)", "UPTO"},
            {"FOR #a = 1 TO 2 { }; }", "DO が必要です : {(複文開始)", "{"},
            {"TRY { }; }", "EXCEPT か FINALLY が必要です : ;(文終了)", ";"},
            {"TRY { } EXCEPT { } Break(); }", "FINALLY か ; が必要です : Break(手続き文)", "Break"},
            {"TRY { } FINALLY { } }", "; が必要です : }(複文終了)", "}"},
            {"CASE #a OF { ELSE : { } }; }", "数字が必要です : ELSE(ELSE)", "ELSE"},
            {"CASE #a { 1 : { } }; }", "OF が必要です : {(複文開始)", "#a {"},
            {"CASE #a OF 1 : { } }; }", "{ が必要です : 1(定数)", "1"},
            {"CASE #a OF { 1 { } }; }", ", 又は : が必要です : {(複文開始)", "{"},
            {"CASE #a OF { 1 : Break(); }; }", "{ が見つかりません : Break(手続き文)", "Break"},
            {"CASE #a OF { 1 : { } 2 : { } }; }", ", か } が必要です : 2(定数)", "2"},
            {"CASE #a OF { 1 : { }, ELSE : { }, 2 : { } }; }", "} が必要です : ,(カンマ)", ","},
            {"CASE #a OF { 1 : { }, ELSE { } }; }", ": が必要です : {(複文開始)", "{"},
            {"CASE #a OF { 1 : { }, 'x' : { } }; }", "数字 又は ELSE が必要です : 'x'(文字列定数)", "'x'"},
            {"CASE #a OF { 1 : { } } }", "; がありません : }(複文終了)", "}"},
            {"STRCASE $s AS WORD OF { }; }",
             "STR,TEXT,REGSTR,REGTEXT,MASKSTR,MASKTEXTのいずれかが必要です : WORD(未知の識別子)", "WORD"},
            {"STRCASE $s AS TEXT { }; }", "OF が必要です : {(複文開始)", "{"},
            {"STRCASE $s IN { }; }", "OF 又は AS が必要です : IN(未知の識別子)", "IN"},
            {"STRCASE $s OF { 'a' : { }, 1 : { } }; }", "文字列 又は ELSEが必要です : 1(定数)", "1"},
            {"STRCASE #a OF { }; }", "文字列が必要です : #a(ユーザー変数)", "#a"},
            {"ChangeKeySet('x'); }", "ChangeKeySet は #PREKEY でのみ使用可能です", "ChangeKeySet"},
            {"MsgBox('a', 'b', 0, '1', '2', '3', '4', '5', '6'); }", ") が必要です : ,(カンマ)", ","},
            {"CalcNum(#a, 5, 3); }", "+ - * / % & | ^のどれかを指定してください : 3(定数)", "3"},
            {"CalcNum(#a, 5, * 3); }", ", がありません : 3(定数)", "3"},
            {"GetCurDir('x'); }", "文字列が必要です : 'x'(文字列定数)", "'x'"},
            {"GetCurDir($_CUR_FILENAME); }", "文字列が必要です : $_CUR_FILENAME(システム文字列)", "$_CUR_FILENAME"},
            {"IncNum(#_RESULT); }", "ユーザー変数が必要です : #_RESULT(システム変数)", "#_RESULT"},
            {"IncNum(1); }", "ユーザー変数が必要です : 1(定数)", "1"},
            {"GetMaxIndex(#a, #b); }", "#b は数字配列ではありません", "#b"},
            {"GetMaxIndex(#a, $s); }", "$s は文字列配列ではありません", "$s"},
            {"GetMaxIndex(#a, [1]); }", "変数配列か文字列配列が必要です : [(左中括弧 [)", "["},
            {"ToStrArray($s, 1, 'x'); }", "$s は文字列配列ではありません", "$s"},
            {"ToStrArray(['a'], 1, 'x'); }", "文字列配列が必要です : [(左中括弧 [)", "["},
            {"PopupMenu($_DRIVE, 1, 2, 3); }", "文字列配列が必要です : $_DRIVE(システム文字列配列)", "$_DRIVE"},
            {"PopupMenu([], 1, 2, 3); }", "文字列が必要です : ](右中括弧 ])", "]"},
            {"PopupMenu(['a' 'b'], 1, 2, 3); }", "] か , が必要です : 'b'(文字列定数)", "'b'"},
            {"SelectStr($s, ELSE, { }); }", "文字列が必要です : ELSE(ELSE)", "ELSE"},
            {"SelectStr($s, 'a' { }); }", ", が必要です : {(複文開始)", "{"},
            {"SelectStr($s, 'a', Break()); }", "{ が見つかりません : Break(手続き文)", "Break"},
            {"SelectStr($s, 'a', { } 'b'); }", ", か ) が必要です : 'b'(文字列定数)", "'b'"},
            {"SelectStr($s, 'a', { }, ELSE { }); }", ", が必要です : {(複文開始)", "{"},
            {"SelectStr($s, 'a', { }, ELSE, { }, 'b', { }); }", " ) が必要です : ,(カンマ)", "ELSE, { },"},
            {"SelectNum(#a, 1, { }, ELSE, { }, 2, { }); }", ") が必要です : ,(カンマ)", "ELSE, { },"},
            {"AddStr($s, 'a' 'b'); }", ", か ) が必要です : 'b'(文字列定数)", "'b'"},
            {"Sub1(1); }", ", がありません : )(右括弧 ))", ")"},
            {"Sub1(1, 'a', 2); }", ") がありません : ,(カンマ)", ","},
            {"Sub0(1); }", ") がみつかりません : 1(定数)", "1"},
            {"Sub0; }", "( がみつかりません : ;(文終了)", ";"},
            {"Sub0() }", "; が見つかりません : }(複文終了)", "}"},
            {"Fb(1); }", "ユーザー変数が必要です : 1(定数)", "1"},
            // Expressions and operands.
            {"#a = ; }", "数字が必要です : ;(文終了)", ";"},
            {"#a = -#b; }", "数字が必要です : #b(ユーザー変数)", "#b"},
            {"#a = 1 2; }", "; が必要です : 2(定数)", "2"},
            {"#a == 1; }", "= が見つかりません : ==(左==右)", "=="},
            {"#arr[1 = 2; }", "] が見つかりません : =(イコール =)", "="},
            {"#arr 1] = 2; }", "[ が見つかりません : 1(定数)", "1"},
            {"#arr[1] 2; }", "= がありません : 2(定数)", "2"},
            {"#a = $s; }", "数字が必要です : $s(ユーザー文字列)", "$s"},
            {"#a = 99999999999999999999; }", "数字が必要です : 99999999999999999999(未知の識別子)", "99999999999999999999"},
            {"#a = (1 + 2; }", ") が必要です : ;(文終了)", ";"},
            {"#a = #_DRIVESIZE[1, 2]; }", "] がありません : ,(カンマ)", ","},
            {"#a = #_FILESIZE[1]; }", ", がありません : ](右中括弧 ])", "]"},
            {"#a = Fs(); }", "数字が必要です : Fs(ユーザー定義関数(文字列))", "Fs"},
            {"$s = #a; }", "文字列が必要です : #a(ユーザー変数)", "#a"},
            {"$s == 'a'; }", "= が見つかりません : ==(左==右)", "=="},
            {"$s = 'a' 'b'; }", "+ か ; が必要です : 'b'(文字列定数)", "'b'"},
            {"$sa[1] = Fs(); }", "文字列が必要です : Fs(ユーザー定義関数(文字列))", "Fs"},
            {"$s = ('a'); }", "文字列が必要です : ((左括弧 ()", "("},
            {"#a = 1", "; が必要です", ""},
            // Conditions.
            {"IF (#a = 1) { }; }", "比較演算子が必要です : =(イコール =)", "="},
            {"IF (#a) { }; }", "比較演算子が必要です : )(右括弧 ))", ")"},
            {"IF (NOT #a == 1) { }; }", "判定式が必要です : #a(ユーザー変数)", "#a"},
            {"IF ((TRUE)) { }; }", "判定式で使用できないものです : TRUE(TRUE(真))", "TRUE"},
            {"IF ((#a + 1, 1)) { }; }", "判定式で使用できないものです : ,(カンマ)", ","},
            {"IF ((#a + 1 AND #b == 2)) { }; }", "判定式で使用できないものです : AND(論理AND)", "AND"},
            {"IF (#a == 1 #b) { }; }", "AND 又は OR 又は ) が必要です : #b(ユーザー変数)", "#b"},
            {"IF (IsDir($s) #b) { }; }", ") かANDかORが必要です : #b(ユーザー変数)", "#b"},
            {"IF () { }; }", "判定式が必要です : )(右括弧 ))", ")"},
            {"IF (#a == 1 AND) { }; }", "判定式が必要です : )(右括弧 ))", ")"},
            {"IF (IsDir $s) { }; }", "( がありません : $s(ユーザー文字列)", "$s"},
            {"IF (($s) == 'a') { }; }", "文字列が必要です : ((左括弧 ()", "("},
            {"IF ((Fb(#a))) { }; }", "数字 又は 文字列 が必要です : Fb(ユーザー定義関数(論理値))", "Fb"},
            {"IF (#a == $s) { }; }", "数字が必要です : $s(ユーザー文字列)", "$s"},
            {"IF ($s == #a) { }; }", "文字列が必要です : #a(ユーザー変数)", "#a"},
            {"IF (IsKeyPressed(1)) { }; }", ", が必要です : )(右括弧 ))", "(1)"},
            {"IF (UseUnlha(1)) { }; }", ") がありません : 1(定数)", "1"},
            {"IF (NOT TRUE) { }; }", "判定式が必要です : TRUE(TRUE(真))", "TRUE"},
            {"IF ((#a == 1) { }; }", ") かANDかORが必要です : {(複文開始)", "{"},
        },
        kPrelude);
}

TEST(CompileErrors, Dialogs)
{
    CheckErrors(
        {
            {"#DLG D() { }", "ダイアログパーツが必要です : }(複文終了)", "}"},
            {"#DLG D() BUTTON { }; }", "{ が見つかりません : BUTTON(未知の識別子)", "BUTTON"},
            {"#DLG D() { BUTTON { }; 5 }", "ダイアログパーツが必要です : 5(定数)", "5"},
            {"#DLG D() { SIZE: 1, 2, 3, 4; }", "ダイアログパーツが必要です : SIZE(未知の識別子)", "SIZE"},
            {"#DLG D() { BUTTON { };", "ダイアログパーツが必要です", ""},
            {"#DLG D() { BUTTON SIZE: 1, 2, 3, 4; }; }", "{ が必要です : SIZE(未知の識別子)", "SIZE"},
            {"#DLG D() { BUTTON { } }", "; が必要です : }(複文終了)", "} }"},
            {"#DLG D() { BUTTON { EDIT { }; }; }", "ダイアログパーツアイテムが必要です : EDIT(未知の識別子)", "EDIT"},
            {"#DLG D() { BUTTON { #n; }; }", "ダイアログパーツアイテムが必要です : #n(ユーザー変数)", "#n"},
            // Items a part does not allow: the part in capitals, the item as written.
            {"#DLG D() { LABEL { RESULT: #n; }; }", "LABEL では RESULT は使えません", "RESULT"},
            {"#DLG D() { label { result: #n; }; }", "LABEL では result は使えません", "result"},
            {"#DLG D() { DIALOG { FOCUS; }; }", "DIALOG では FOCUS は使えません", "FOCUS"},
            {"#DLG D() { EDIT { RESULT: $s; CAPTION: 'x'; }; }", "EDIT では CAPTION は使えません", "CAPTION"},
            {"#DLG D() { BEVEL { Caption: 'x'; }; }", "BEVEL では Caption は使えません", "Caption"},
            {"#DLG D() { LISTBOX { RESULT: $s; DEFAULT: 'a'; }; }", "LISTBOX では DEFAULT は使えません", "DEFAULT"},
            {"#DLG D() { BUTTON { FONT: 'x', 9; }; }", "BUTTON では FONT は使えません", "FONT"},
            // A missing RESULT is found once the part's ";" has been read.
            {"#DLG D() { EDIT { SIZE: 8, 8, 100, 20; }; }", "EDIT には Result が必要です", "20; };"},
            {"#DLG D() { COMBOBOX { }; }", "COMBOBOX には Result が必要です", "};"},
            {"#DLG D() { GROUPBOX { LISTBOX { COLUMN: 2; }; }; }", "LISTBOX には Result が必要です", "2; };"},
            // RESULT of the wrong kind, or not a variable of the program.
            {"#DLG D() { CHECKBOX { RESULT: $s; }; }", "ユーザー変数が必要です : $s(ユーザー文字列)", "$s"},
            {"#DLG D() { RADIOBUTTON { RESULT: #_RESULT; }; }", "ユーザー変数が必要です : #_RESULT(システム変数)", "#_RESULT"},
            {"#DLG D() { RADIOBUTTON { RESULT: 1; }; }", "ユーザー変数が必要です : 1(定数)", "1"},
            {"#DLG D() { EDIT { RESULT: #n; }; }", "文字列が必要です : #n(ユーザー変数)", "#n"},
            {"#DLG D() { MEMO { RESULT: $_CUR_FILENAME; }; }", "文字列が必要です : $_CUR_FILENAME(システム文字列)", "$_CUR_FILENAME"},
            {"#DLG D() { LISTBOX { RESULT: 'x'; }; }", "文字列が必要です : 'x'(文字列定数)", "'x'"},
            {"#DLG D() { EDIT { RESULT: $new; }; }", "文字列が必要です : $new(未知の文字列)", "$new"},
            // Values: the wrong kind, and missing ":", "," and ";".
            {"#DLG D() { BUTTON { VALUE: 'a'; }; }", "数字が必要です : 'a'(文字列定数)", "'a'"},
            {"#DLG D() { CHECKBOX { RESULT: #n; DEFAULT: 'a'; }; }", "数字が必要です : 'a'(文字列定数)", "'a'"},
            {"#DLG D() { EDIT { RESULT: $s; DEFAULT: 1; }; }", "文字列が必要です : 1(定数)", "1"},
            {"#DLG D() { BUTTON { CAPTION: #n; }; }", "文字列が必要です : #n(ユーザー変数)", "#n"},
            {"#DLG D() { DIALOG { FONT: 9, 'x'; }; }", "文字列が必要です : 9(定数)", "9"},
            {"#DLG D() { BUTTON { SIZE 1, 2, 3, 4; }; }", ": が必要です : 1(定数)", "1"},
            {"#DLG D() { BUTTON { SIZE: 1, 2, 3; }; }", ", が必要です : ;(文終了)", "3;"},
            {"#DLG D() { BUTTON { SIZE: 1, 2, 3, 4 }; }", "; が必要です : }(複文終了)", "4 }"},
            {"#DLG D() { DIALOG { FONT: 'x' 9; }; }", ", が必要です : 9(定数)", "9"},
            {"#DLG D() { CHECKBOX { RESULT: #n }; }", "; が必要です : }(複文終了)", "#n }"},
            {"#DLG D() { BUTTON { FOCUS : 1; }; }", "; が必要です : :(コロン :)", "FOCUS :"},
            // Group boxes.
            {"#DLG D() { GROUPBOX { RESULT: #n; }; }", "GROUBOXでは RESULT は使用できません", "RESULT"},
            {"#DLG D() { GROUPBOX { focus; }; }", "GROUBOXでは focus は使用できません", "focus"},
            {"#DLG D() { GROUPBOX { ALIGN: 1; }; }", "ダイアログパーツ／アイテムが必要です : :(コロン :)", ":"},
            {"#DLG D() { GROUPBOX { 1 }; }", "ダイアログパーツ／アイテムが必要です : 1(定数)", "1"},
            {"#DLG D() { GROUPBOX { } }", "; が必要です : }(複文終了)", "} }"},
            {"#DLG D() { GROUPBOX CAPTION: 'x'; }; }", "{ が必要です : CAPTION(未知の識別子)", "CAPTION"},
            // Names and the header.
            {"#DLG D() { BUTTON { }; } #DLG d() { BUTTON { }; }", "d は既に定義されています", "d"},
            {"#DLG D() { BUTTON { }; } #SUB D() { }", "D はダイアログ名です", "D"},
            {"#DLG D(#_RESULT) { BUTTON { }; }", "#_RESULT はシステムで使用しています", "#_RESULT"},
            {"#DLG D { BUTTON { }; }", "( が見つかりません : {(複文開始)", "D {"},
            // A dialog is known only once its body has compiled.
            {"#DLG D() { BUTTON { }; } #KEY A { D(1); }", ") がみつかりません : 1(定数)", "1"},
            {"#KEY A { D(); } #DLG D() { BUTTON { }; }", "文が必要です : D(未知の識別子)", "{ D"},
        },
        "#GLOBALVAR #n, $s;\r\n");
}

TEST(CompileErrors, ChangeKeySetOnlyInPreKeyAndSubs)
{
    EXPECT_EQ(CompileSource("#PREKEY { ChangeKeySet('EDIT'); }").exitCode, 0);
    EXPECT_EQ(CompileSource("#SUB S() { changekeyset('EDIT'); }").exitCode, 0);
    for (const char* section : {"#INIT", "#DONE", "#KEY A", "#KEYSET='EDIT' B", "#FUNC INT F()"}) {
        TCompileResult r = CompileSource(std::string(section) + " { ChangeKeySet('EDIT'); }");
        EXPECT_EQ(r.exitCode, 2) << section;
        EXPECT_NE(r.output.find("Error : ChangeKeySet は #PREKEY でのみ使用可能です\r\n"), std::string::npos) << r.output;
    }
}

TEST(CompileErrors, MissingBodiesEndWithExitCode1)
{
    struct TCase {
        const char* source;
        const char* message;
    };
    const TCase cases[] = {
        {"#SUB S(#a); FORWARD;", "#SUB S()の実体を宣言してください"},
        {"#FUNC INT I(); FORWARD; #SUB T(); FORWARD;", "#SUB T()の実体を宣言してください"},
        {"#FUNC BOOL B(); FORWARD; #FUNC STR S(); FORWARD;", "#FUNC str S()の実体を宣言してください"},
        {"#FUNC BOOL B(); FORWARD; #FUNC INT I(); FORWARD;", "#FUNC int I()の実体を宣言してください"},
        {"#FUNC BOOL B(); FORWARD;", "#FUNC bool B()の実体を宣言してください"},
    };
    for (const TCase& c : cases) {
        TCompileResult r = CompileSource(c.source);
        EXPECT_EQ(r.exitCode, 1) << c.source;
        EXPECT_EQ(r.output, "COMPILE >> " + std::string(kSourceDir) + "main.src\r\n\r\nError : " + c.message + "\r\n");
        EXPECT_TRUE(r.bytes.empty());
    }
}

TEST(CompileErrors, AnErrorInAnIncludeIsReportedThereWithExitCode3)
{
    const std::string dir = kSourceDir;
    TCompileResult r = CompileFiles({
        {"main.src", "#INCLUDE 'outer.vtl'\r\n#KEY A { }"},
        {"outer.vtl", "#GLOBALVAR #a;\r\n#INCLUDE 'inner.vtl'\r\n"},
        {"inner.vtl", "// inner\r\n#KEY B { #a = ; }\r\n"},
    });
    EXPECT_EQ(r.exitCode, 3);
    // Reported once, by the innermost file, with its own line and caret.
    EXPECT_EQ(r.output, "COMPILE >> " + dir + "main.src\r\n\r\n"
                        "INCLUDE >> " + dir + "outer.vtl\r\n"
                        "INCLUDE >> " + dir + "inner.vtl\r\n"
                        "\r\n"
                        "Error : 数字が必要です : ;(文終了)\r\n"
                        "Line  :    2 #KEY B { #a = ; }\r\n" +
                        std::string(12 + 15, ' ') + "^\r\n");
    EXPECT_TRUE(r.bytes.empty());

    // A hash table error inside an include is a source error there too.
    std::string many = "#GLOBALVAR ";
    for (int i = 0; i <= 16384; ++i) many += "#g" + std::to_string(i) + (i < 16384 ? ", " : ";");
    r = CompileFiles({{"main.src", "#INCLUDE 'many.vtl'"}, {"many.vtl", many}});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.output.find("\r\nError : Hash Err : Table full(1)\r\nLine  :    1 #GLOBALVAR"), std::string::npos);
}

}  // namespace
