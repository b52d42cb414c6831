#include <gtest/gtest.h>

#include <string>

#include "platform/textcase.h"

namespace {

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

TEST(TextCase, WideConversions)
{
    EXPECT_EQ(SjisToWide("aソ表"), L"a\u30BD\u8868");
    EXPECT_EQ(SjisToWide(""), L"");
    bool usedDefault = true;
    EXPECT_EQ(WideToSjis(L"a\u30BD\u8868", &usedDefault), "aソ表");
    EXPECT_FALSE(usedDefault);
    // Outside code page 932: a question mark, never a look-alike letter
    // (best fit would turn the accented e into "e").
    EXPECT_EQ(WideToSjis(L"caf\u00E9\u4E02", &usedDefault), "caf??");
    EXPECT_TRUE(usedDefault);
}

TEST(TextCase, LocaleCaseMapsFullWidthLettersToo)
{
    EXPECT_EQ(LocaleLowerCase("ABCＡＢ"), "abcａｂ");
    EXPECT_EQ(LocaleUpperCase("abcａｂ"), "ABCＡＢ");
    EXPECT_EQ(LocaleLowerCase("アイ表"), "アイ表");
    EXPECT_EQ(LocaleLowerCase("ﾃｽﾄ"), "ﾃｽﾄ");
    // An invalid double-byte pair stays as it is.
    EXPECT_EQ(LocaleLowerCase(std::string("\x81\x7F", 2)), std::string("\x81\x7F", 2));
}

TEST(TextCase, Comparisons)
{
    EXPECT_EQ(CompareFileName("ABC.TXT", "abc.txt"), 0);
    EXPECT_TRUE(SameFileName("表ソ.TXT", "表ソ.txt"));
    EXPECT_FALSE(SameFileName("ａ", "Ａ"));  // the file-name rules leave full-width letters alone
    EXPECT_LT(CompareFileName("a", "B"), 0);
    EXPECT_NE(LocaleCompareStr("ABC", "abc"), 0);
    EXPECT_EQ(LocaleCompareText("ABC", "abc"), 0);
    EXPECT_LT(CompareBytes("ab", "abc"), 0);
    EXPECT_GT(CompareBytes("\x83", "a"), 0);  // bytes compare unsigned
    EXPECT_LT(CompareBytes("B", "a"), 0);
}

TEST(TextCase, CompareByRule)
{
    struct Case {
        const char* a;
        const char* b;
        int method, rule, sign;
    };
    const Case cases[] = {
        {"ABC", "abc", 0, 2, -1},  // plain bytes: "A" before "a"
        {"ABC", "abc", 0, 0, 0},
        {"ABC", "abc", 0, 1, 0},
        {"ABC", "abc", 0, 7, 0},  // another rule counts as 0
        {"Ａ", "ａ", 0, 0, 0},    // the locale lowers full-width letters
        {"Ａ", "ａ", 0, 1, -1},   // the file-name rules do not
        {"ABC", "abc", 1, 0, 0},
        {"ABC", "abc", 1, 1, 0},
        {"ABC", "abd", 1, 2, -1},
        {"b", "A", 1, 0, 1},
        {"b", "A", 0, 2, 1},
        {"a", "a", 5, 2, 0},  // any method other than 0 is the locale
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sign(CompareByRule(c.a, c.b, TCompareRule{c.method, c.rule})), c.sign)
            << c.a << " " << c.b << " " << c.method << "," << c.rule;
}

}  // namespace
