#include <gtest/gtest.h>

#include <string>

#include "platform/orumask.h"

namespace {

std::string ErrorOf(const std::string& name, const std::string& masks, bool exact = false)
{
    try {
        MatchMask(name, masks, exact);
    } catch (const EOruMatchError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(OruMask, Matching)
{
    struct Case {
        const char* name;
        const char* masks;
        bool exact, match;
    };
    const Case cases[] = {
        {"a.DOC", "*.txt|*.doc", false, true},
        {"a.DOC", "*.txt|*.doc", true, false},
        {"a.doc", "*.txt|*.doc", true, true},
        {"beta", "<a-c>*", false, true},
        {"Apple", "<a-c>*", false, true},
        {"delta", "<a-c>*", false, false},
        {"delta", "<!a-c>*", false, true},
        {"Apple", "<a-c>*", true, false},
        {"", "*?", false, true},
        {"", "?", false, false},
        {"", "*", false, true},
        {"", "", false, false},   // a string without masks
        {"x", "||", false, false},
        {"abc", "a?c", false, true},
        {"ac", "a?c", false, false},
        {"abbbc", "a*c", false, true},
        {"abcd", "a*c", false, false},
        {"a.b.c", "*.*", false, true},
        {"abc", "*.*", false, false},
        {"readme.txt", "*e*e*.txt", false, true},
        {"x1y", "x<0-9>y", false, true},
        {"x!y", "x<!!>y", false, false},
        {"x!y", "x<a!>y", false, true},
        {"[1].txt", "[*].txt", false, true},
        {"表.txt", "表.*", false, true},
        {"ソ.txt", "*.txt", false, true},
        {"能力", "*力", false, true},
        {"能力", "能?", false, false},   // "?" takes one byte, and 力 has two
        {"能力", "能??", false, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchMask(c.name, c.masks, c.exact), c.match) << c.name << " ~ " << c.masks << " " << c.exact;
}

TEST(OruMask, DoubleByteCharactersStayWhole)
{
    // ア is 83 41: its trail byte is "A". A double-byte literal never
    // matches across two characters, and "*" moves by whole characters
    // before it.
    EXPECT_FALSE(MatchMask("ャャ", "*ャ?", true));  // ャ = 83 83: the middle bytes spell ャ too
    EXPECT_TRUE(MatchMask("ャャ", "*ャ", true));
    EXPECT_TRUE(MatchMask("xアイア", "*ア", true));
    EXPECT_TRUE(MatchMask("ソ\\", "*ソ\\", true));
}

TEST(OruMask, Errors)
{
    EXPECT_EQ(ErrorOf("x", "a>b"), "不正な文字 > (2)");
    EXPECT_EQ(ErrorOf("x", "<a<b>"), "不正な文字 < (3)");
    EXPECT_EQ(ErrorOf("x", "<a|b>"), "<>が閉じていません (3)");
    EXPECT_EQ(ErrorOf("x", "ab\x83"), "漢字が変？ (4)");
    EXPECT_EQ(ErrorOf("x", "*.txt|<>"), "'<>' is an invalid mask at (2)");
    EXPECT_EQ(ErrorOf("x", "<abc"), "'<abc' is an invalid mask at (5)");
    EXPECT_EQ(ErrorOf("x", "a<-b>"), "'a<-b>' is an invalid mask at (3)");
    EXPECT_EQ(ErrorOf("x", "a<b->"), "'a<b->' is an invalid mask at (4)");
    EXPECT_EQ(ErrorOf("x", "<!>"), "'<!>' is an invalid mask at (3)");
    // A double-byte character in a set is skipped, leaving this one empty.
    EXPECT_EQ(ErrorOf("x", "<能>*"), "'<能>*' is an invalid mask at (4)");
    // The first mask matches: the bad second one is never compiled.
    EXPECT_EQ(ErrorOf("a.txt", "*.txt|<>"), "(no error)");
    EXPECT_THROW(TOruMask("<>", false), EOruMatchError);
    EXPECT_FALSE(IsValidMask("*.txt|<>"));
    EXPECT_FALSE(IsValidMask("a>b"));
    EXPECT_TRUE(IsValidMask("*.txt|<a-c>?*"));
}

TEST(OruMask, ThirtyStarsAreTheLimit)
{
    std::string thirty, thirtyOne;
    for (int i = 0; i < 30; ++i) thirty += "*a";
    thirtyOne = thirty + "*";  // the end step takes the 31st star
    EXPECT_NO_THROW(TOruMask(thirty, false));
    EXPECT_EQ(ErrorOf("x", thirtyOne), "'" + thirtyOne + "' is an invalid mask at (" +
                                           std::to_string(thirtyOne.size() + 1) + ")");
    // Stars in a row count once, and a star drops the "?" after it.
    std::string rows = "**?a";
    for (int i = 0; i < 29; ++i) rows += "*a";
    EXPECT_TRUE(TOruMask(rows, false).Match(std::string(30, 'a')));
    EXPECT_THROW(TOruMask(rows + "*?", false), EOruMatchError);

    // The pathological case answers correctly (its time is in a benchmark).
    std::string many(200, 'a');
    EXPECT_TRUE(TOruMask(thirty, false).Match(many));
    EXPECT_FALSE(TOruMask(thirty, false).Match(many + "b"));
    EXPECT_FALSE(TOruMask(thirty + "b", false).Match(std::string(200, 'a')));
}

// A mask string compiled once must answer every name as MatchMask does,
// errors included.
TEST(OruMask, CompiledListAnswersAsMatchMask)
{
    const char* const strings[] = {"*.txt|*.doc", "*.txt|<>", "<>|*.txt", "a>b", "<a-c>*|?", "表*|*ソ", "", "<abc"};
    const char* const names[] = {"a.txt", "A.DOC", "b", "表.doc", "xソ", "", "delta"};
    for (const char* masks : strings)
        for (bool exact : {false, true}) {
            TOruMaskList list(masks, exact);
            for (const char* name : names) {
                std::string expected = ErrorOf(name, masks, exact), got = "(no error)";
                bool expectedMatch = false, match = false;
                if (expected == "(no error)") expectedMatch = MatchMask(name, masks, exact);
                try {
                    match = list.Match(name);
                } catch (const EOruMatchError& e) {
                    got = e.what();
                }
                EXPECT_EQ(got, expected) << masks << " ~ " << name;
                EXPECT_EQ(match, expectedMatch) << masks << " ~ " << name << " " << exact;
            }
        }
}

}  // namespace
