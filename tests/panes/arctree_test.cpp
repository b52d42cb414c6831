#include <gtest/gtest.h>

#include <string>

#include "panes/textlist.h"
#include "panes/uboxarclist.h"

namespace {

std::string Strings(const TTextList<int>& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? " " : "") + list[i];
    return out;
}

TEST(TextList, ComparisonByMethodCaseRuleAndDirection)
{
    TTextList<int> list(TCompareRule{0, 2});  // bytes, case kept
    for (const char* s : {"b", "A", "a", "C", "B"}) list.Add(s);
    list.SetSorted(true);
    EXPECT_EQ(Strings(list), "A B C a b");
    list.SetDirection(false);
    EXPECT_EQ(Strings(list), "b a C B A");
    list.SetAll(1, 0, true);  // the locale without case: strings that became equal go
    EXPECT_EQ(Strings(list), "a b C");
    int at = -1;
    EXPECT_TRUE(list.Find("B", at));
    EXPECT_EQ(list[at], "b");
    EXPECT_FALSE(list.Find("d", at));
    EXPECT_EQ(at, 3);  // where it would go
    EXPECT_EQ(list.Add("d"), 3);
    EXPECT_EQ(list.Add("D"), 3);  // held already
    list.SetCaseRule(2);
    EXPECT_EQ(Strings(list), "a b C d");
}

TArcEntryData Member(int index, std::int64_t size = 0, bool dir = false, double written = 0)
{
    TArcEntryData d;
    d.listIndex = index;
    d.size = size;
    d.isDirectory = dir;
    d.lastWriteTime = written;
    return d;
}

TEST(ArchiveTree, DeeperPathFirstMakesDirectories)
{
    TUBoxArcList root;
    root.AddPath("a\\b\\c.txt", Member(0, 30));
    const TUBoxArcList* ab = root.FindLevel("a\\b");
    ASSERT_NE(ab, nullptr);
    ASSERT_EQ(ab->Count(), 1);
    EXPECT_EQ(ab->Node(0).FileName(), "c.txt");
    const TArcFileInfo& b = root.FindLevel("a")->Node(0);
    EXPECT_TRUE(b.IsDirectory());
    EXPECT_TRUE(b.IsDirNode());
    EXPECT_EQ(b.ListIndex, 0);  // made with the adding member's position only
    EXPECT_EQ(b.LastWriteTime, 0);

    // The directory's own listing takes over its data; c.txt stays below.
    root.AddPath("a/b/", Member(1, 0, true, 40000));
    const TArcFileInfo& b2 = root.FindLevel("a")->Node(0);
    EXPECT_EQ(b2.ListIndex, 1);
    EXPECT_EQ(b2.LastWriteTime, 40000);
    EXPECT_FALSE(b2.Replaceable);
    EXPECT_EQ(root.FindLevel("a\\b")->Node(0).FileName(), "c.txt");
}

TEST(ArchiveTree, RepeatedFileShowsItsSecondListing)
{
    TUBoxArcList root;
    root.AddPath("x.txt", Member(0, 1));
    root.AddPath("X.TXT", Member(1, 2));
    root.AddPath("x.txt", Member(2, 3));
    ASSERT_EQ(root.Count(), 1);
    EXPECT_EQ(root.Node(0).Size, 2);
    EXPECT_EQ(root.Node(0).ListIndex, 1);
    EXPECT_EQ(root.Node(0).FileName(), "X.TXT");
}

TEST(ArchiveTree, Separators)
{
    TUBoxArcList root;
    root.AddPath("/top\\mid/leaf.txt\\", Member(0));
    root.AddPath(std::string("top\xFFother.txt"), Member(1));
    root.AddPath("表\\ソ.txt", Member(2));  // trail bytes 0x5C are no separators
    root.AddPath("//", Member(3));          // no component: ignored
    root.AddPath("top//x", Member(4));      // an empty component is dropped
    EXPECT_NE(root.FindLevel("top\\mid"), nullptr);
    EXPECT_EQ(root.FindLevel("top")->Count(), 3);
    ASSERT_NE(root.FindLevel("表"), nullptr);
    EXPECT_EQ(root.FindLevel("表")->Node(0).FileName(), "ソ.txt");
    EXPECT_EQ(root.Count(), 2);
    EXPECT_EQ(root.FindLevel(""), &root);
    EXPECT_EQ(root.FindLevel("TOP\\MID"), root.FindLevel("top\\mid"));  // without regard to case
}

TEST(ArchiveTree, FindLevelNeedsDirectories)
{
    TUBoxArcList root;
    root.AddPath("file.txt", Member(0));
    root.AddPath("dir", Member(1, 0, true));
    EXPECT_EQ(root.FindLevel("missing"), nullptr);
    EXPECT_EQ(root.FindLevel("file.txt"), nullptr);
    ASSERT_NE(root.FindLevel("dir"), nullptr);
    EXPECT_EQ(root.FindLevel("dir")->Count(), 0);
    EXPECT_EQ(root.FindLevel("dir\\missing"), nullptr);
}

TEST(ArchiveTree, FileOnTheWayBecomesADirectory)
{
    // An archive that lists a file "a" and then "a/b": the member below stays
    // reachable.
    TUBoxArcList root;
    root.AddPath("a", Member(0, 5));
    root.AddPath("a/b", Member(1, 6));
    ASSERT_NE(root.FindLevel("a"), nullptr);
    EXPECT_EQ(root.FindLevel("a")->Node(0).Size, 6);
    EXPECT_TRUE(root.Node(0).IsDirectory());
    // A later file listing of the directory keeps it a directory.
    root.AddPath("a", Member(2, 7));
    EXPECT_TRUE(root.Node(0).IsDirectory());
    EXPECT_NE(root.FindLevel("a"), nullptr);
}

TEST(ArchiveTree, LevelsStaySorted)
{
    TUBoxArcList root;
    for (const char* name : {"c", "B", "a", "表", "Ab"}) root.AddPath(name, Member(0));
    std::string order;
    for (int i = 0; i < root.Count(); ++i) order += root[i] + " ";
    EXPECT_EQ(order, "a Ab B c 表 ");
    root.Clear();
    EXPECT_EQ(root.Count(), 0);
}

}  // namespace
