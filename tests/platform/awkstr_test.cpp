#include <gtest/gtest.h>

#include <string>

#include "platform/awkstr.h"

namespace {

struct TCase {
    const char* pattern;
    const char* subject;
    int start, length;
};

void ExpectMatches(const TCase* cases, std::size_t count, bool fuzzy,
                   const TFuzzyCharDict& dict = TFuzzyCharDict::Standard())
{
    TAWKStr re;
    re.SetFuzzy(fuzzy);
    re.SetFuzzyDict(dict);
    for (std::size_t i = 0; i < count; ++i) {
        const TCase& c = cases[i];
        re.SetPattern(c.pattern);
        TAWKMatch m = re.Match(c.subject);
        EXPECT_EQ(m.start, c.start) << "/" << c.pattern << "/ in \"" << c.subject << "\"";
        EXPECT_EQ(m.length, c.length) << "/" << c.pattern << "/ in \"" << c.subject << "\"";
    }
}

TEST(AWKStr, EveryConstruct)
{
    const TCase cases[] = {
        // literals, leftmost and then longest
        {"c", "abcabc", 3, 1},
        {"x", "abc", 0, -1},
        {"", "abc", 1, 0},
        {"", "", 1, 0},
        {"abc", "xxabcxx", 3, 3},
        {"a|ab", "xabc", 2, 2},
        {"ab|a", "xabc", 2, 2},
        {"b|abc", "abc", 1, 3},
        {"bc|abcd", "abcd", 1, 4},
        // ".", sets, ranges, classes
        {"a.c", "abc", 1, 3},
        {"a.c", "a\nc", 1, 3},
        {".", "", 0, -1},
        {"[abc]+", "xxcabz", 3, 3},
        {"[^abc]+", "abxyc", 3, 2},
        {"[a-c]+", "zzbcad", 3, 3},
        {"[]a]+", "x]a]", 2, 3},
        {"[^]a]", "]ab", 3, 1},
        {"[a-]+", "x-a-", 2, 3},
        {"[-a]+", "x-a-", 2, 3},
        {"[--/]+", "a-./b", 2, 3},
        {"[\\]]", "a]", 2, 1},
        {"[\\t]", "a\tb", 2, 1},
        {"[[:digit:]]+", "ab123c", 3, 3},
        {"[[:alpha:][:digit:]]+", "--a1b2--", 3, 4},
        {"[^[:space:]]+", "  ab ", 3, 2},
        {"[[:upper:]]", "abC", 3, 1},
        {"[[:xdigit:]]+", "xyzBEEFz", 4, 4},
        {"[[:punct:]]", "ab.", 3, 1},
        // repetition
        {"a*", "baaa", 1, 0},
        {"a+", "baaa", 2, 3},
        {"ba?", "baaa", 1, 2},
        {"ba*", "baaa", 1, 4},
        {"(ab)+", "xababab", 2, 6},
        {"(a|b)*c", "abbac", 1, 5},
        {"a**", "aaa", 1, 3},
        {"a+*", "aaa", 1, 3},
        {"(a*)*b", "aaab", 1, 4},
        {"(a*)+$", "aaa", 1, 3},
        {"()", "abc", 1, 0},
        {"(|a)b", "ab", 1, 2},
        {"a|", "xa", 1, 0},
        // nothing to repeat: the operator stands for itself
        {"*a", "x*a", 2, 2},
        {"+a", "x+a", 2, 2},
        {"?a", "x?a", 2, 2},
        {"(*a)", "x*a", 2, 2},
        {"^*", "*x", 1, 1},
        {"a)", "a)", 1, 2},
        {"{", "a{", 2, 1},
        {"a{2}", "aa{2}", 2, 4},
        // anchors
        {"^a", "aa", 1, 1},
        {"^a", "ba", 0, -1},
        {"a$", "aa", 2, 1},
        {"$", "abc", 4, 0},
        {"^$", "", 1, 0},
        {"^$", "a", 0, -1},
        {"b|^a", "ab", 1, 1},
        {"x(^a)", "xa", 0, -1},
        {"a^b", "a^b", 0, -1},
        {"(a$)b", "ab", 0, -1},
        {"^^a$$", "a", 1, 1},
        {"a$*", "a$*", 0, -1},  // after an anchor "*" stands for itself
        {"$?a", "x?a", 0, -1},
        // escapes
        {"\\.", "a.b", 2, 1},
        {"a\\.b", "axb", 0, -1},
        {"\\*", "a*", 2, 1},
        {"\\(\\)", "f()", 2, 2},
        {"\\[x\\]", "[x]", 1, 3},
        {"\\^\\$", "a^$", 2, 2},
        {"\\|", "a|b", 2, 1},
        {"\\+\\?", "+?", 1, 2},
        {"\\\\", "a\\b", 2, 1},
        {"\\/", "a/b", 2, 1},
        {"\\t", "a\tb", 2, 1},
        {"\\n", "a\nb", 2, 1},
        {"\\r\\f\\v\\a\\b", "\r\f\v\a\b", 1, 5},
        {"\\101\\x42", "xAB", 2, 2},
        {"\\q", "q", 1, 1},
        {"\\{", "{", 1, 1},
        // file-name patterns the program uses
        {"[0-9]+\\.txt$", "report2024.txt", 7, 8},
        {"[0-9]+\\.txt$", "report2024.txt.bak", 0, -1},
        {"\\.txt$", "a.TXT", 0, -1},
        {".+", "name", 1, 4},
    };
    ExpectMatches(cases, std::size(cases), false);
}

TEST(AWKStr, DoubleByteCharactersAreOneCharacter)
{
    const TCase cases[] = {
        {"表", "ソ表", 3, 2},
        {"\\\\", "ソ表\\", 5, 1},          // the 0x5C trail bytes of ソ and 表 are not "\"
        {"ソ.", "ソ表x", 1, 4},             // "." takes the whole 表
        {"^.$", "能", 1, 2},
        {"^..$", "能", 0, -1},
        {"A", "ア", 0, -1},                  // ア is 83 41: its trail byte is no "A"
        {"[A]", "アA", 3, 1},
        {"[^A]", "ア", 1, 2},
        {"[ぁ-ん]+", "abかなカナ", 3, 4},
        {"[ア-ン]+", "かなカナ", 5, 4},
        {"[^ぁ-ん]", "かなカ", 5, 2},
        {"(表|ソ)+", "x表ソ表y", 2, 6},
        {"能*力", "能能力", 1, 6},
        {"[表ソ]", "能ソ", 3, 2},
        {"\\表", "表", 1, 2},
        {"[a-ア]", "ｱ", 1, 1},              // half-width katakana lie between
        {"x", "\x83", 0, -1},               // a lone lead byte at the end
        {"\x83", "a\x83", 2, 1},
        {"\\x83\\x41", "ア", 0, -1},        // two escapes are two characters
    };
    ExpectMatches(cases, std::size(cases), false);
}

TEST(AWKStr, FuzzyDictionaryGroups)
{
    const TCase groups[] = {
        {"abc", "xABC", 2, 3},
        {"ABC", "ａｂｃ", 1, 6},
        {"ａ", "A", 1, 1},
        {"Ｚ", "ｚ", 1, 2},
        {"123", "１２３", 1, 6},
        {"!\\?", "！？", 1, 4},
        {"\\(x\\)", "（x）", 1, 5},
        {" ", "　", 1, 2},
        {"あ", "ア", 1, 2},
        {"ア", "ｱ", 1, 1},
        {"ｱ", "ぁ", 1, 2},
        {"つ", "ッ", 1, 2},
        {"かけ", "ヵヶ", 1, 4},
        {"ｶﾞ", "ｶﾞ", 1, 2},
        {"ガ", "が", 1, 2},
        {"ー", "ｰ", 1, 1},
        {"。", "｡", 1, 1},
        {"α", "Α", 1, 2},
        {"я", "Я", 1, 2},
        {"[a-c]+", "ＡＢc", 1, 5},
        {"[^a]", "Ａb", 3, 1},
        {"[ア-オ]", "ぅ", 1, 2},
        {"ファイル", "ふぁいる", 1, 8},
        {"x", "y", 0, -1},
        {"あ", "い", 0, -1},
        {"ガ", "カ", 0, -1},  // voiced and plain kana stay apart
    };
    ExpectMatches(groups, std::size(groups), true);

    // Fuzzy off: none of them meet.
    const TCase strict[] = {
        {"abc", "xABC", 0, -1},
        {"あ", "ア", 0, -1},
        {"1", "１", 0, -1},
    };
    ExpectMatches(strict, std::size(strict), false);

    // The file operations' dictionary pairs only the ASCII letters.
    const TCase ascii[] = {
        {"readme", "README.TXT", 1, 6},
        {"a", "ａ", 0, -1},
        {"あ", "ア", 0, -1},
    };
    ExpectMatches(ascii, std::size(ascii), true, TFuzzyCharDict::AsciiCase());
}

TEST(AWKStr, BadPatternsRaiseAndKeepThePreviousPattern)
{
    const char* const bad[] = {"(", "(a", "((a)", "a(b|c", "[", "[a", "[]", "[^]", "[z-a]", "[a-c-e]",
                               "[[:foo:]]", "[[:alpha:]", "a\\", "[\\", "[a-[:digit:]]"};
    for (const char* p : bad) {
        EXPECT_THROW(TAWKStr().SetPattern(p), EAWKStrError) << p;
        EXPECT_FALSE(TAWKStr::IsValid(p)) << p;
    }
    EXPECT_TRUE(TAWKStr::IsValid(")"));
    EXPECT_TRUE(TAWKStr::IsValid("[a-a]"));

    TAWKStr re;
    re.SetPattern("b+");
    EXPECT_THROW(re.SetPattern("("), EAWKStrError);
    EXPECT_EQ(re.Pattern(), "b+");
    EXPECT_EQ(re.Match("abbc").start, 2);

    // Nesting is bounded instead of overflowing the stack.
    EXPECT_THROW(re.SetPattern(std::string(5000, '(') + std::string(5000, ')')), EAWKStrError);
    EXPECT_NO_THROW(re.SetPattern(std::string(500, '(') + "a" + std::string(500, ')')));
    EXPECT_EQ(re.Match("xa").start, 2);
}

TEST(AWKStr, CompiledOnceMatchedMany)
{
    TAWKStr re;
    re.SetPattern("[0-9]+\\.(txt|doc)$");
    const TCase names[] = {
        {"", "a1.txt", 2, 5}, {"", "b.txt", 0, -1}, {"", "22.doc", 1, 6}, {"", "3.docx", 0, -1}, {"", "写真9.txt", 5, 5},
    };
    for (int round = 0; round < 3; ++round)
        for (const TCase& c : names) {
            TAWKMatch m = re.Match(c.subject);
            EXPECT_EQ(m.start, c.start) << c.subject;
            EXPECT_EQ(m.length, c.length) << c.subject;
        }
    // Switching fuzzy mode after compiling takes effect at once.
    re.SetPattern("TXT");
    EXPECT_FALSE(re.Match("a.txt").Found());
    re.SetFuzzy(true);
    EXPECT_EQ(re.Match("a.txt").start, 3);
}

}  // namespace
