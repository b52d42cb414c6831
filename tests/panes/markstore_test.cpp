#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panes/markstore.h"

namespace {

TEST(MarkStore, HashSlots)
{
    // Worked by hand from the rotation hash.
    EXPECT_EQ(UNCLBoxHashSlot("A"), 516);
    EXPECT_EQ(UNCLBoxHashSlot("AB"), 6304);
    EXPECT_EQ(UNCLBoxHashSlot("Z["), 181);      // the rotation starts at 13 and wraps to 0
    EXPECT_EQ(UNCLBoxHashSlot("表"), 2664);     // bytes above 0x7F count unsigned
    EXPECT_EQ(UNCLBoxHashSlot(""), 0);
    EXPECT_EQ(UNCLBoxNextSlot(16383), 4210);
    // A name's slot is its upper-cased key's, trail bytes left alone.
    EXPECT_EQ(UNCLBoxNameSlot("ab"), UNCLBoxHashSlot("AB"));
    EXPECT_EQ(UNCLBoxNameSlot("aア"), UNCLBoxHashSlot("Aア"));
    std::string longKey(300, '\xFC');
    int slot = UNCLBoxHashSlot(longKey);
    EXPECT_GE(slot, 0);
    EXPECT_LT(slot, kUNCLBoxHashSlots);
}

TEST(MarkStore, KeysIgnoreCaseOfAsciiLettersOnly)
{
    TUNCLBoxMarkHash store;
    store.Add("Readme.txt");
    store.Add("ａ.txt");
    EXPECT_TRUE(store.Contains("README.TXT"));
    EXPECT_TRUE(store.Contains("readme.txt"));
    EXPECT_TRUE(store.Contains("ａ.TXT"));
    EXPECT_FALSE(store.Contains("Ａ.txt"));  // full-width letters keep their case
    EXPECT_FALSE(store.Contains("readme"));
    EXPECT_EQ(store.Count(), 2);
}

TEST(MarkStore, SecondNameOfOneKeyIsStoredToo)
{
    // Archives (and case-sensitive file systems) can hold a.txt and A.TXT.
    TUNCLBoxMarkHash store;
    store.Add("a.txt");
    EXPECT_NO_THROW(store.Add("A.TXT"));
    EXPECT_EQ(store.Count(), 2);
    TMarkSlot* slot = store.Find("a.Txt");
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->name, "a.txt");
    ASSERT_EQ(slot->more.size(), 1u);
    EXPECT_EQ(slot->more[0], "A.TXT");
    EXPECT_TRUE(slot->Holds("A.TXT"));
    EXPECT_FALSE(slot->Holds("a.TXT"));
}

TEST(MarkStore, ManyNames)
{
    const int n = 40000;
    std::vector<std::string> names;  // the store holds views of them
    for (int i = 0; i < n; ++i) names.push_back("file" + std::to_string(i) + ".txt");
    // Told the count, or growing a table at a time when it fills.
    for (int expected : {n, 0}) {
        TUNCLBoxMarkHash store(expected);
        for (const std::string& name : names) store.Add(name);
        EXPECT_EQ(store.Count(), n);
        EXPECT_GE(store.TableCount(), 4);
        for (int i = 0; i < n; i += 7) ASSERT_TRUE(store.Contains("FILE" + std::to_string(i) + ".TXT")) << i;
        EXPECT_FALSE(store.Contains("file40000.txt"));
        // A name whose key is held already joins it, wherever it is.
        store.Add("FILE5.TXT");
        EXPECT_EQ(store.Find("file5.txt")->more.size(), 1u);
        EXPECT_EQ(store.Find("file5.txt")->name, "file5.txt");
    }
}

}  // namespace
