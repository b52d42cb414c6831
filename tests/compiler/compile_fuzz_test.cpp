// No source makes the compiler crash, hang or overflow its stack: every
// outcome is a reported error or a well-formed key-assign file.
#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "compile_harness.h"
#include "script-format/binconst_catalog.h"

namespace {

// A valid program with every section, statement and dialog part kind, its tokens
// separated by blanks so that mutations can work on whole tokens.
const char kSeed[] =
    "#GLOBALVAR #count = 0 , $name = 'Velkano' , #table [ 3 ] = [ 10 , -20 , 0x1F ] , $log [ 2 ] ; "
    "#SUB Log ( $text ) ; FORWARD ; "
    "#DLG Ask ( $title , VAR $answer , #w ) { DIALOG { CAPTION : $title ; SIZE : 0 , 0 , #w , 100 ; } ; "
    "EDIT { RESULT : $answer ; FOCUS ; DEFAULT : $name + 'x' ; } ; "
    "GROUPBOX { CAPTION : 'g' ; ALIGN CHECKBOX { RESULT : #count ; } ; } ; BUTTON { VALUE : -1 ; } ; } "
    "#FUNC INT Sum ( #values [ ] , #n ) { VAR #i , #total ; "
    "FOR #i = 1 TO #n DO { #total = #total + #values [ #i ] * 2 ; } ; Return ( #total ) ; } "
    "#FUNC STR Quote ( $s ) { Return ( '''' + $s + \\n ) ; } "
    "#FUNC BOOL IsBig ( #v , VAR $w ) { Return ( #v > 100 OR ( #v < -100 AND NOT IsDir ( $w ) ) ) ; } "
    "#SUB Log ( $text ) { VAR #k , $z [ 2 ] ; #k = ( 1 + #k ) % 3 ; "
    "WHILE ( #k < 2 ) DO { $log [ #k ] = $log [ #k + 1 ] + $text ; #k = #k + 1 ; } ; } "
    "#KEY ENTER { VAR $msg , #r ; #r = Sum ( #table , 3 ) ; "
    "IF ( IsBig ( #r , $msg ) ) THEN { $msg = Quote ( $name ) ; } ELSEIF ( ( #r + 1 ) == 0 ) THEN { Exit ( ) ; } "
    "ELSE { $msg = 'small' ; } ; "
    "CASE #r % 3 OF { 0 : { Log ( 'zero' ) ; } , 1 , 2 : { } , ELSE : { } } ; "
    "STRCASE $msg AS MASKTEXT OF { '*.txt' : { ExitProc ( ) ; } , ELSE : { } } ; "
    "REPEAT { #r = #r - 1 ; } UNTIL ( #r <= 0 ) ; "
    "TRY { Raise ( 'e' , 1 ) ; } EXCEPT { Log ( $_RAISESTR ) ; } FINALLY { CalcNum ( #count , 1 , + , 2 ) ; } ; "
    "MsgBox ( $msg , 'タイトル' , 0 , 'OK' ) ; Ask ( 'タイトル' , $msg , 200 ) ; SelectNum ( #r , 1 , { } , ELSE , { } ) ; "
    "PopupMenu ( [ 'a' , 'b' ] , 1 , 2 , 3 ) ; GetMaxIndex ( #r , $log ) ; } "
    "#KEY ALT+A { } #KEYSET = 'edit' CTRL+LCLICK { } #KEY RESIZE { } "
    "#PREKEY { ChangeKeySet ( 'EDIT' ) ; } #INIT { Log ( 'start' ) ; } #DONE { }";

std::vector<std::string> Tokens(const std::string& text)
{
    std::vector<std::string> t;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t j = text.find(' ', i);
        if (j == std::string::npos) j = text.size();
        if (j > i) t.push_back(text.substr(i, j - i));
        i = j + 1;
    }
    return t;
}

// Words of every kind the parser knows, and some it does not.
std::vector<std::string> Vocabulary()
{
    std::vector<std::string> v = Tokens(kSeed);
    for (const char* w : {"#GLOBALVAR", "#SUB", "#FUNC", "#KEY", "#KEYSET", "#INCLUDE", "#INIT", "#DONE", "#PREKEY",
                          "#DLG", "FORWARD", "INT", "STR", "BOOL", "VAR", "IF", "THEN", "ELSEIF", "ELSE", "WHILE",
                          "DO", "REPEAT", "UNTIL", "FOR", "TO", "DOWNTO", "CASE", "STRCASE", "AS", "OF", "TRY",
                          "EXCEPT", "FINALLY", "NOT", "AND", "OR", "TRUE", "FALSE", "TEXT", "REGSTR", "(", ")", "[",
                          "]", "{", "}", ",", ";", ":", "=", "==", "<>", "<", ">", "<=", "=>", "!=", "+", "-", "*",
                          "/", "%", "&", "|", "^", "!", "\\", "\\41", "\\n", "''", "'x'", "0", "268435456",
                          "99999999999999999999", "0x", "#_FILESIZE", "$_FILENAME", "#_RESULT", "$_CUR_FILENAME",
                          "#new", "$new", "name", "F01", "K*", "WHEELUP", "SHIFT+", "'main.src'", "#", "$"})
        v.push_back(w);
    for (bc::TBuiltinKind kind : bc::kBuiltinKinds)
        for (const bc::TBuiltin& b : bc::Builtins(kind)) v.emplace_back(b.name);
    return v;
}

std::string Join(const std::vector<std::string>& tokens)
{
    std::string s;
    for (const std::string& t : tokens) s += t + ' ';
    return s;
}

// The outcome must be one of the four the compiler knows, reported as such.
void CheckOutcome(const std::string& source, const std::string& included = kSeed)
{
    TCompileResult r = CompileFiles({{"main.src", source}, {"inc.vtl", included}});
    switch (r.exitCode) {
    case 0:
        ASSERT_NE(r.output.find("COMPILE >> DONE"), std::string::npos) << source;
        if (!r.bytes.empty()) DecodeKeyFile(r.bytes);
        break;
    case 1:
    case 2:
        ASSERT_NE(r.output.find("\r\nError : "), std::string::npos) << source;
        ASSERT_TRUE(r.bytes.empty()) << source;
        break;
    case 3:
        ASSERT_NE(r.output.find("INCLUDE >> "), std::string::npos) << source;
        ASSERT_TRUE(r.bytes.empty()) << source;
        break;
    default: FAIL() << r.exitCode << "\n" << source << "\n" << r.output;
    }
}

TEST(CompileFuzz, TheSeedCompiles)
{
    TCompileResult r = CompileSource(kSeed);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    DecodeKeyFile(r.bytes);
}

TEST(CompileFuzz, MutatedPrograms)
{
    const std::vector<std::string> seed = Tokens(kSeed), vocabulary = Vocabulary();
    std::mt19937 rng(20251211);
    for (int i = 0; i < 2500; ++i) {
        std::vector<std::string> t = seed;
        for (int edits = 1 + rng() % 4; edits > 0 && !t.empty(); --edits) {
            std::size_t at = rng() % t.size();
            // Constants replaced by others of their kind mostly keep the
            // program valid, so that the writer sees many programs too.
            if (rng() % 3 == 0) {
                if (std::isdigit(static_cast<unsigned char>(t[at][0]))) t[at] = std::to_string(rng() % 100000);
                if (t[at][0] == '\'') t[at] = rng() % 2 ? "'表示'" : "'" + std::string(rng() % 9, 'x') + "'";
                continue;
            }
            switch (rng() % 5) {
            case 0: t.erase(t.begin() + at); break;
            case 1: t.insert(t.begin() + at, vocabulary[rng() % vocabulary.size()]); break;
            case 2: t[at] = vocabulary[rng() % vocabulary.size()]; break;
            case 3: std::swap(t[at], t[rng() % t.size()]); break;
            default: t.insert(t.begin() + at, t[rng() % t.size()]); break;
            }
        }
        std::string source = Join(t);
        if (rng() % 8 == 0) source.insert(rng() % source.size(), 1, static_cast<char>(rng()));
        if (rng() % 8 == 0)
            CheckOutcome("#INCLUDE 'inc.vtl'", source);  // an error there is reported there
        else
            CheckOutcome(source);
        if (HasFatalFailure()) return;
    }
}

TEST(CompileFuzz, RandomTokenSequences)
{
    const std::vector<std::string> vocabulary = Vocabulary();
    const char* const starts[] = {"#GLOBALVAR", "#SUB S (", "#FUNC INT F (", "#FUNC BOOL B ( ) {", "#KEY A {",
                                  "#KEYSET = 'x' B {", "#INIT {", "#PREKEY { IF (", "#DLG D ( ) {"};
    std::mt19937 rng(4211);
    for (int i = 0; i < 2500; ++i) {
        std::vector<std::string> t{starts[rng() % std::size(starts)]};
        for (int n = rng() % 40; n > 0; --n) t.push_back(vocabulary[rng() % vocabulary.size()]);
        CheckOutcome(Join(t));
        if (HasFatalFailure()) return;
    }
}

// Nesting beyond the limit is a source error of its own; below it, it
// compiles without exhausting the stack.
TEST(CompileFuzz, DeepNesting)
{
    auto repeat = [](const std::string& s, int n) {
        std::string r;
        r.reserve(s.size() * static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    struct TNesting {
        const char* open;   // the statement up to the first level
        const char* inner;  // one level, opened
        const char* middle;
        const char* close;  // one level, closed
        const char* after;  // the rest of the statement
    };
    const TNesting kinds[] = {
        {"#a = ", "(", "1", ")", ";"},
        {"", "IF (TRUE) { ", "", "}; ", ""},
        {"IF ", "(", "IsDir('x')", ")", " { };"},
        {"IF ", "(", "#a == 1", ")", " { };"},
        {"IF (", "(", "#a", ")", " == 1) { };"},
        {"#a = ", "F(", "1", ")", ";"},
        {"#a = ", "#arr[", "1", "]", ";"},
        {"", "SelectNum(#a, 1, { ", "", "}); ", ""},
        {"", "TRY { ", "", "} FINALLY { }; ", ""},
    };
    for (const TNesting& k : kinds) {
        for (int depth : {900, 100000}) {
            const std::string statement =
                k.open + repeat(k.inner, depth) + k.middle + repeat(k.close, depth) + k.after;
            TCompileResult r =
                CompileSource("#GLOBALVAR #a, #arr[3]; #FUNC INT F(#x) { }\r\n#KEY A { " + statement + " }");
            if (depth < 1000) {
                EXPECT_EQ(r.exitCode, 0) << k.inner << "\n" << r.output.substr(0, 2000);
            } else {
                EXPECT_EQ(r.exitCode, 2) << k.inner;
                EXPECT_NE(r.output.find("\r\nError : 入れ子が深すぎます (1000 段まで)\r\nLine  :    2 "),
                          std::string::npos)
                    << k.inner << "\n" << r.output.substr(0, 2000);
            }
        }
    }
    // Braces alone are no statement.
    TCompileResult r = CompileSource("#KEY A " + repeat("{ ", 100000));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.output.find("Error : 文が必要です : {(複文開始)"), std::string::npos);
}

}  // namespace
