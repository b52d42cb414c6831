#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/srcread.h"

namespace {

struct TokenRun {
    std::vector<std::string> tokens;
    std::string error;  // message of the exception that ended the run, if any
    bool mbc = false;   // the exception was EMBCFound
};

TokenRun Tokenize(const std::string& text, bool keys = false)
{
    TSrcReader r = TSrcReader::FromBytes(text);
    TokenRun run;
    try {
        for (;;) {
            std::string t = keys ? r.NextKeyToken() : r.NextToken();
            if (t.empty()) break;
            run.tokens.push_back(t);
        }
    } catch (const EMBCFound& e) {
        run.error = e.what();
        run.mbc = true;
    } catch (const ESrcReaderError& e) {
        run.error = e.what();
    }
    return run;
}

using Tokens = std::vector<std::string>;

struct TokenCase {
    const char* text;
    Tokens tokens;
    const char* error;  // nullptr: no error
};

void CheckCases(const std::vector<TokenCase>& cases, bool keys)
{
    for (const TokenCase& c : cases) {
        TokenRun run = Tokenize(c.text, keys);
        EXPECT_EQ(run.tokens, c.tokens) << "text: " << c.text;
        EXPECT_EQ(run.error, c.error ? c.error : "") << "text: " << c.text;
    }
}

TEST(SrcReaderTokens, EveryFirstByteOfTheTokenTable)
{
    CheckCases(
        {
            {"! != !x", {"!", "!=", "!", "x"}, nullptr},
            {"#a $b _c Abc_1 z9 #_RESULT", {"#a", "$b", "_c", "Abc_1", "z9", "#_RESULT"}, nullptr},
            {"#a#b $", {"#a", "#b", "$"}, nullptr},
            {"0x1F 0X1F 31 0x 0", {"0x1F", "0X1F", "31", "0x", "0"}, nullptr},
            {"0xfg 0123 12ab", {"0xf", "g", "0123", "12", "ab"}, nullptr},
            {"< <= <> ><", {"<", "<=", "<>", ">", "<"}, nullptr},
            {"= =< == => =>=", {"=", "=<", "==", "=>", "=>", "="}, nullptr},
            {"> >= >>", {">", ">=", ">", ">"}, nullptr},
            {"% & ( ) * + , - / : ; [ ] ^ { } |",
             {"%", "&", "(", ")", "*", "+", ",", "-", "/", ":", ";", "[", "]", "^", "{", "}", "|"},
             nullptr},
            {"a/b", {"a", "/", "b"}, nullptr},
            {"#a:=1;", {"#a", ":", "=", "1", ";"}, nullptr},
        },
        false);
}

TEST(SrcReaderTokens, SpecialCharacters)
{
    CheckCases(
        {
            {"\\n \\N \\r \\R \\t \\T", {"\\n", "\\N", "\\r", "\\R", "\\t", "\\T"}, nullptr},
            {"\\0D \\41 \\fF", {"\\0D", "\\41", "\\fF"}, nullptr},
            {"\\5x", {"\\5", "x"}, nullptr},
            {"\\ x", {"\\", "x"}, nullptr},
            {"\\413", {"\\41", "3"}, nullptr},
            {"\\g", {"\\", "g"}, nullptr},
        },
        false);
}

TEST(SrcReaderTokens, Comments)
{
    CheckCases(
        {
            {"#a/*x*/+1", {"#a", "+", "1"}, nullptr},
            {"/* a /* b */ c */ #a", {"#a"}, nullptr},
            {"// line\r\n#a // tail\n#b", {"#a", "#b"}, nullptr},
            {"#a /* runs /* into */ the end", {"#a"}, nullptr},
            {"#a // no line end", {"#a"}, nullptr},
            {"/**/#a/***/#b", {"#a", "#b"}, nullptr},
            {"/* 日本語 */ #a // 表示\r\n#b", {"#a", "#b"}, nullptr},
            // "*/" inside a comment is looked for character by character, so a
            // double-byte character whose trail byte is "*" closes nothing.
            {"/* \x83\x2a/ */ #a", {"#a"}, nullptr},
        },
        false);
}

TEST(SrcReaderTokens, StringConstants)
{
    CheckCases(
        {
            {"'It''s'", {"'It's'"}, nullptr},
            {"'' ''''", {"''", "'''"}, nullptr},
            {"'表示'", {"'表示'"}, nullptr},
            {"'a'+'b'", {"'a'", "+", "'b'"}, nullptr},
            {"'a\tb'", {}, "文字列定数が閉じていません"},
            {"'abc\r\n'", {}, "文字列定数が閉じていません"},
            {"#a 'abc", {"#a"}, "文字列定数が閉じていません"},
            {"'// not a comment'", {"'// not a comment'"}, nullptr},
            // A trail byte equal to the quote does not end the constant.
            {"'\x83\x27'", {"'\x83\x27'"}, nullptr},
        },
        false);
}

TEST(SrcReaderTokens, IllegalCharactersAndTheirMessages)
{
    struct Case {
        const char* text;
        const char* error;
        bool mbc;
    };
    const Case cases[] = {
        {"@", "不正な文字 : \"@\"(40h)", false},
        {"\"", "不正な文字 : \"\"\"(22h)", false},
        {".", "不正な文字 : \".\"(2Eh)", false},
        {"?", "不正な文字 : \"?\"(3Fh)", false},
        {"`", "不正な文字 : \"`\"(60h)", false},
        {"~", "不正な文字 : \"~\"(7Eh)", false},
        {"\x7f", "不正な文字 : \"\x7f\"(7Fh)", false},
        {"\x80", "不正な文字 : \"\x80\"(80h)", false},
        {"ｱ", "不正な文字 : \"ｱ\"(B1h)", false},
        {"\xff", "不正な文字 : \"\xff\"(FFh)", false},
        {"#a あ", "不正な文字 : \"あ\"(82A0h)", true},
        {"表", "不正な文字 : \"表\"(955Ch)", true},
    };
    for (const Case& c : cases) {
        TokenRun run = Tokenize(c.text);
        EXPECT_EQ(run.error, c.error) << c.text;
        EXPECT_EQ(run.mbc, c.mbc) << c.text;
    }
}

TEST(SrcReaderTokens, ByteFFIsAnOrdinaryByteNotTheEnd)
{
    // Everything after a stray 0xFF byte is still read: inside comments and
    // string constants it is kept, elsewhere it is reported.
    EXPECT_EQ(Tokenize("/* \xff */ #a").tokens, (Tokens{"#a"}));
    EXPECT_EQ(Tokenize("'\xff' #b").tokens, (Tokens{"'\xff'", "#b"}));
    EXPECT_EQ(Tokenize("#a \xff #b").tokens, (Tokens{"#a"}));
}

TEST(SrcReaderTokens, KeyTokens)
{
    CheckCases(
        {
            {"K* T+ F01 A", {"K*", "T+", "F01", "A"}, nullptr},
            {"ALT+X", {"ALT", "+", "X"}, nullptr},
            {"SHIFT+CTRL+F12", {"SHIFT", "+", "CTRL", "+", "F12"}, nullptr},
            {"+ , : ; < = > ? @ [ ] ^ _ ` { } ~ \\ |",
             {"+", ",", ":", ";", "<", "=", ">", "?", "@", "[", "]", "^", "_", "`", "{", "}", "~", "\\", "|"},
             nullptr},
            {"K- K. K/ K1x", {"K-", "K.", "K/", "K1x"}, nullptr},
            {"Ka_b", {"Ka", "_", "b"}, nullptr},
            {"K*x", {"K*x"}, nullptr},
            {"ENTER{", {"ENTER", "{"}, nullptr},
            {"/* c */ A // c\r\nB", {"A", "B"}, nullptr},
            {"1", {}, "不正な文字 : \"1\"(31h)"},
            {"A #", {"A"}, "不正な文字 : \"#\"(23h)"},
            {"あ", {}, "不正な文字 : \"あ\"(82A0h)"},
        },
        true);
}

TEST(SrcReaderLoading, LineBreaksAreJoinedWithCrLf)
{
    struct Case {
        std::string bytes;
        std::string text;
        int lines;
    };
    const Case cases[] = {
        {"", "", 0},
        {"a", "a\r\n", 1},
        {"a\r\n", "a\r\n", 1},
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n", 4},
        {"a\n\rb", "a\r\n\r\nb\r\n", 3},
        {"\r\n\r\n", "\r\n\r\n", 2},
        {std::string("ab\0cd\r\nef", 9), "ab\r\n", 1},
        {std::string("\0abc", 4), "", 0},
    };
    for (const Case& c : cases) {
        TSrcReader r = TSrcReader::FromBytes(c.bytes);
        EXPECT_EQ(r.Text(), c.text);
        EXPECT_EQ(r.LineCount(), c.lines);
    }
    TSrcReader r = TSrcReader::FromBytes("one\ntwo\r\nthree");
    EXPECT_EQ(r.LineText(0), "one");
    EXPECT_EQ(r.LineText(2), "three");
    EXPECT_EQ(r.LineText(3), "");
    EXPECT_EQ(r.LineText(-1), "");
}

TEST(SrcReaderLoading, EmptyTextIsAtTheEnd)
{
    for (const char* text : {"", "   \r\n\t", "// only a comment", "/* open"}) {
        TSrcReader r = TSrcReader::FromBytes(text);
        EXPECT_EQ(r.NextToken(), "") << text;
        EXPECT_EQ(r.NextToken(), "") << text;
        EXPECT_EQ(r.NextKeyToken(), "") << text;
    }
}

TEST(SrcReaderPosition, LineAndColumnCountDoubleByteCharactersAsTwo)
{
    TSrcReader r = TSrcReader::FromBytes("ab cd\r\n'あい' x\r\n\r\nz");
    EXPECT_EQ(r.NextToken(), "ab");
    EXPECT_EQ(r.CurrentLine(), 1);
    EXPECT_EQ(r.CurrentColumn(), 2);
    EXPECT_EQ(r.NextToken(), "cd");
    EXPECT_EQ(r.CurrentColumn(), 5);
    EXPECT_EQ(r.NextToken(), "'あい'");
    EXPECT_EQ(r.CurrentLine(), 2);
    EXPECT_EQ(r.CurrentColumn(), 6);
    EXPECT_EQ(r.NextToken(), "x");
    EXPECT_EQ(r.CurrentColumn(), 8);
    EXPECT_EQ(r.NextToken(), "z");
    EXPECT_EQ(r.CurrentLine(), 4);
    EXPECT_EQ(r.CurrentColumn(), 1);
    // The end of the text is reached after the last line feed: the caret
    // then stands after the end of the last line.
    EXPECT_EQ(r.NextToken(), "");
    EXPECT_EQ(r.CurrentLine(), 4);
    EXPECT_EQ(r.CurrentColumn(), 1);
}

TEST(SrcReaderPosition, ErrorsLeaveTheCaretOnTheOffendingCharacter)
{
    struct Case {
        const char* text;
        int line;
        int column;
    };
    const Case cases[] = {
        {"@\r\n", 1, 1},
        {"#a\r\n  #b ?", 2, 6},
        {"'日本' あ", 1, 9},
        // An unterminated constant is noticed at the line end: after the CR.
        {"#x 'abc\r\n#y", 1, 8},
        {"'abc", 1, 5},
    };
    for (const Case& c : cases) {
        TSrcReader r = TSrcReader::FromBytes(c.text);
        EXPECT_THROW(
            for (;;) {
                if (r.NextToken().empty()) break;
            },
            ESrcReaderError)
            << c.text;
        EXPECT_EQ(r.CurrentLine(), c.line) << c.text;
        EXPECT_EQ(r.CurrentColumn(), c.column) << c.text;
    }
}

TEST(SrcReaderPosition, CaretAfterALineFeedStandsAfterThatLine)
{
    TSrcReader r = TSrcReader::FromBytes("abc\r\n");
    EXPECT_EQ(r.NextToken(), "abc");
    EXPECT_EQ(r.NextToken(), "");
    EXPECT_EQ(r.CurrentLine(), 1);
    EXPECT_EQ(r.CurrentColumn(), 3);
}

TEST(SrcReaderPosition, SaveAndRestoreRewindTheStream)
{
    TSrcReader r = TSrcReader::FromBytes("#a = 1\r\n+ 2 ;");
    EXPECT_EQ(r.NextToken(), "#a");
    TSrcPosition saved = r.SavePosition();
    EXPECT_EQ(saved.line, 1);
    EXPECT_EQ(saved.column, 2);
    EXPECT_EQ(saved.position, 3u);
    EXPECT_EQ(saved.size, r.Text().size());
    EXPECT_EQ(r.NextToken(), "=");
    EXPECT_EQ(r.NextToken(), "1");
    EXPECT_EQ(r.NextToken(), "+");
    EXPECT_EQ(r.CurrentLine(), 2);
    r.RestorePosition(saved);
    EXPECT_EQ(r.CurrentLine(), 1);
    EXPECT_EQ(r.CurrentColumn(), 2);
    EXPECT_EQ(r.NextToken(), "=");
    EXPECT_EQ(r.NextToken(), "1");
}

}  // namespace
