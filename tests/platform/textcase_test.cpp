#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(TextCase, SortKeysOrderAsTheLocaleComparison)
{
    // Plain ASCII names take a faster way to their keys than the rest; both
    // must agree with the locale on case, hyphens and apostrophes (which the
    // locale weighs last), digits, blanks, kana, full-width letters.
    const char* const pieces[] = {"a", "b", "A", "z", "-", "'", "0", "1", "9", " ", ".", "_", "~",
                                  "ア", "あ", "ｱ", "ー", "表", "Ａ", "ａ", "ソ", "co", "op"};
    std::vector<std::string> texts = {"", "-", "co-op", "coop", "it's", "its", "a", "A", "ab", "aB"};
    unsigned x = 7;
    for (int i = 0; i < 600; ++i) {
        std::string t;
        x = x * 1103515245u + 12345u;
        int n = static_cast<int>(x >> 16) % 5;
        for (int k = 0; k < n; ++k) {
            x = x * 1103515245u + 12345u;
            t += pieces[(x >> 16) % std::size(pieces)];
        }
        texts.push_back(t);
    }
    std::vector<std::string> keys;
    for (const std::string& t : texts) keys.push_back(LocaleSortKey(t));
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); j += 7)
            ASSERT_EQ(Sign(keys[i].compare(keys[j])), Sign(LocaleCompareStr(texts[i], texts[j])))
                << "'" << texts[i] << "' '" << texts[j] << "'";
}

TEST(TextCase, BatchKeysEqualSingleKeys)
{
    // Beginnings the locale weighs specially, with plain tails: the batch
    // composes their keys after seeing a beginning twice.
    const char* const heads[] = {"データ", "setup-x", "ﾃﾞｰﾀ", "it's", "Ab", "ア表", "co-op ", "表", "ｶﾞ", "a", ""};
    const char* const tails[] = {"1", "01", "_x.txt", "表12", "", " copy", "zz", "0"};
    std::vector<std::string> texts;
    for (int round = 0; round < 3; ++round)
        for (const char* h : heads)
            for (const char* t : tails) texts.push_back(std::string(h) + t);
    TLocaleSortKeys batch;
    for (const std::string& t : texts) {
        std::string key;
        batch.Append(t, key);
        ASSERT_EQ(key, LocaleSortKey(t)) << t;
    }
}

}  // namespace
