#include <gtest/gtest.h>

#include <string>

#include "compiler/velkhtbl.h"

namespace {

TEST(VelkHash, SlotsOfKnownNames)
{
    const std::pair<const char*, int> cases[] = {
        {"A", 516}, {"a", 516}, {"#A", 660}, {"SetNum", 5005}, {"SETNUM", 5005}, {"DEFAULT", 5121},
    };
    for (auto [name, slot] : cases) EXPECT_EQ(TVELKHash::HashSlot(name), slot) << name;
}

TEST(VelkHash, EntriesAreNumberedInInsertionOrderAndFoundWithoutCase)
{
    TInt64HashTable t;
    EXPECT_EQ(t.AddInt64("#Count", 5), 0);
    EXPECT_EQ(t.AddInt64("#b", -1), 1);
    EXPECT_EQ(t.AddInt64("#A", 7), 2);
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.IndexOf("#COUNT"), 0);
    EXPECT_EQ(t.IndexOf("#a"), 2);
    EXPECT_EQ(t.IndexOf("#c"), -1);
    EXPECT_EQ(t.NameAt(0), "#Count");
    EXPECT_EQ(t.Int64Of("#B"), -1);
    EXPECT_EQ(t.Int64Of("#nothing"), std::nullopt);
}

struct TCounted {
    static inline int alive = 0;
    TCounted() { ++alive; }
    ~TCounted() { --alive; }
};

TEST(VelkHash, AddingANameTwiceFailsWhateverItsCase)
{
    TVELKHashOf<TCounted> t;
    t.Add("SetNum", std::make_unique<TCounted>());
    try {
        t.Add("SETNUM", std::make_unique<TCounted>());
        FAIL() << "no error";
    } catch (const EHashAlreadyExist& e) {
        EXPECT_STREQ(e.what(), "Already exists");
    }
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(TCounted::alive, 1) << "the refused payload is freed";
}

TEST(VelkHash, HoldsSixteenThousandNamesAndNoMore)
{
    TIntHashTable t;
    for (int i = 0; i < TVELKHash::kCapacity; ++i) ASSERT_EQ(t.AddInt("#v" + std::to_string(i), i), i);
    // Every name is still found once the table is full, past all collisions.
    for (int i = 0; i < TVELKHash::kCapacity; ++i) ASSERT_EQ(t.IndexOf("#V" + std::to_string(i)), i);
    EXPECT_EQ(t.IndexOf("#v16384"), -1);
    try {
        t.AddInt("#v16384", 0);
        FAIL() << "no error";
    } catch (const EHashFull& e) {
        EXPECT_STREQ(e.what(), "Table full(1)");
    }
    // The compiler reports every table error alike.
    EXPECT_THROW(t.AddInt("#v0", 0), EHashError);
}

TEST(VelkHash, CodeBuffersReceiveTheirNumber)
{
    TSenHashTable t;
    t.AddSen("First", std::make_unique<TSenObject>());
    t.AddSen("Second", std::make_unique<TSenObject>());
    EXPECT_EQ(t.Find("second")->number, 1);
    EXPECT_EQ(t.PayloadAt(0)->number, 0);
}

TEST(SrcArrays, SizesAreClampedAndElementsStartEmpty)
{
    const std::pair<std::int64_t, std::int32_t> sizes[] = {
        {0, 1}, {-5, 1}, {1, 1}, {3, 3}, {268435456, 268435456}, {268435457, 268435456}, {1LL << 40, 268435456},
    };
    for (auto [requested, size] : sizes) {
        EXPECT_EQ(TInt64Array("#a", requested).Size(), size) << requested;
        EXPECT_EQ(TStrArray("$a", requested).Size(), size) << requested;
    }
    TInt64Array big("#big", 268435456);
    EXPECT_EQ(big.At(268435455), 0);
    big.Set(2, 42);
    EXPECT_EQ(big.At(2), 42);
    EXPECT_EQ(big.At(1), 0);
    EXPECT_THROW(big.At(268435456), std::out_of_range);
    TStrArray s("$s", 2);
    EXPECT_EQ(s.At(1), "");
    s.Set(1, "x");
    EXPECT_EQ(s.At(1), "x");
}

TEST(NamedLists, SortedListsKeepTheFirstEntryAndItsOrdinal)
{
    TId64StringList sorted(true);
    sorted.AddName("#b");
    sorted.AddName("#A");
    sorted.AddName("#a");  // already there
    sorted.AddName("#c");
    ASSERT_EQ(sorted.Count(), 3);
    EXPECT_EQ(sorted.NameAt(0), "#A");
    EXPECT_EQ(sorted.NameAt(1), "#b");
    // Ordinals follow the order of adding, positions the order of names.
    EXPECT_EQ(sorted.OrdinalOf("#a"), 1);
    EXPECT_EQ(sorted.OrdinalOf("#B"), 0);
    EXPECT_EQ(sorted.OrdinalOf("#c"), 2);  // the ignored #a took no ordinal
    EXPECT_EQ(sorted.OrdinalOf("#d"), -1);

    TStrStrList unsorted(false);
    unsorted.AddName("$z");
    unsorted.AddName("$y");
    EXPECT_EQ(unsorted.IndexOf("$Y"), 1);
    EXPECT_EQ(unsorted.OrdinalOf("$Z"), 0);
    unsorted.Clear();
    EXPECT_EQ(unsorted.Count(), 0);
    EXPECT_EQ(unsorted.IndexOf("$z"), -1);
}

TEST(NamedLists, ArrayListsNumberByPosition)
{
    TNumAryList arrays;
    arrays.AddArray("#x", 4);
    arrays.AddArray("#w", 0);
    EXPECT_EQ(arrays.IndexOf("#W"), 1);
    EXPECT_EQ(arrays.Find("#x")->Size(), 4);
    EXPECT_EQ(arrays.Find("#w")->Size(), 1);
}

}  // namespace
