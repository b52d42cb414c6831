#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/stringlist.h"

namespace {

using TLines = std::vector<std::string>;

TEST(StringList, LineRules)
{
    struct Case {
        std::string text;
        TLines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\rb", {"a", "", "b"}},  // LF then a lone CR: two breaks
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\r\n", {"a", ""}},
        {"表\nソ", {"表", "ソ"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines({}), "");
}

TEST(StringList, CommaText)
{
    struct Case {
        std::string text;
        TLines items;
    };
    const Case cases[] = {
        {"viLFNE,viSIZE,viLWDS,viLWTS", {"viLFNE", "viSIZE", "viLWDS", "viLWTS"}},
        {"a b,c", {"a", "b", "c"}},
        {" a , b ", {"a", "b"}},
        {"\"a b\",\"c,d\",\"e\"\"f\"", {"a b", "c,d", "e\"f"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"\"", {""}},
        {"", {}},
        {"  ", {}},
        {"表,ソ能", {"表", "ソ能"}},
        {"\"unclosed", {"unclosed"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text;
    const TLines round[] = {{"a b", "", "c,d", "e\"f", "表"}, {"x"}, {""}, {"", ""}};
    for (const TLines& items : round) EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
    EXPECT_EQ(JoinCommaText({"a", "b c", ""}), "a,\"b c\",\"\"");
}

TEST(StringList, SortedListIgnoresCaseAndDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("server2"), 0);
    EXPECT_EQ(list.Add("Server1"), 0);
    EXPECT_EQ(list.Add("SERVER2"), 1);  // already there
    EXPECT_EQ(list.Add("alpha"), 0);
    EXPECT_EQ(list.Strings(), (TLines{"alpha", "Server1", "server2"}));
    int at = -1;
    EXPECT_TRUE(list.Find("SERVER1", at));
    EXPECT_EQ(at, 1);
    EXPECT_FALSE(list.Find("beta", at));
    EXPECT_EQ(at, 1);  // where it would go
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    EXPECT_EQ(list.IndexOf("zeta"), -1);
    EXPECT_THROW(list.Insert(0, "x"), std::logic_error);

    // Byte order instead of the locale's case-insensitive order.
    list.SetCompare(CompareBytes);
    EXPECT_EQ(list.Strings(), (TLines{"Server1", "alpha", "server2"}));
}

TEST(StringList, UnsortedListKeepsOrderAndPayloads)
{
    TStringListOf<std::unique_ptr<int>> list;
    list.Add("b", std::make_unique<int>(2));
    list.Add("a", std::make_unique<int>(1));
    list.Add("B", std::make_unique<int>(3));
    list.Insert(1, "c", std::make_unique<int>(4));
    EXPECT_EQ(list.Strings(), (TLines{"b", "c", "a", "B"}));
    EXPECT_EQ(*list.Object(3), 3);
    EXPECT_EQ(list.IndexOf("b"), 0);  // the first equal one
    list.Delete(0);
    EXPECT_EQ(list.IndexOf("b"), 2);
    EXPECT_THROW(list.Delete(5), std::out_of_range);
    list.Sort();
    EXPECT_EQ(list.Strings(), (TLines{"a", "B", "c"}));
    EXPECT_EQ(*list.Object(1), 3);

    // Sorting on drops the later of two equal strings.
    TStringList dup;
    dup.SetText("x\r\ny\r\nX\r\n");
    dup.SetSorted(true);
    EXPECT_EQ(dup.Strings(), (TLines{"x", "y"}));
    EXPECT_EQ(dup.Text(), "x\r\ny\r\n");
    dup.SetCommaText("q,\"r s\"");
    EXPECT_EQ(dup.CommaText(), "q,\"r s\"");
}

}  // namespace
