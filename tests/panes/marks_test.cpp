#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "panefixture.h"
#include "platform/awkstr.h"

namespace {

// Listed in this order by the default sort set: ".", "..", dir, then files.
std::vector<TFileInfo> SmallDir()
{
    return {MakeCurDirEntry(), MakeParentDirEntry(), DirEntry("dir"), FileEntry("a.txt", 10),
            FileEntry("B.TXT", 20), FileEntry("c.doc", 40)};
}

TEST(Marks, SetAndToggleKeepCountAndSize)
{
    TPaneFixture f;
    f.Show(SmallDir());
    const int a = f.IndexOf("a.txt"), b = f.IndexOf("B.TXT"), dir = f.IndexOf("dir");
    f.pane.SetMark(a, true);
    f.pane.SetMark(b, true);
    f.pane.SetMark(dir, true);
    EXPECT_EQ(f.pane.MarkedCount(), 3);
    EXPECT_EQ(f.pane.MarkedSize(), 30);
    EXPECT_EQ(f.markInfos, 3);
    f.pane.SetMark(a, true);  // already marked: nothing, not even a notification
    EXPECT_EQ(f.markInfos, 3);
    f.pane.ToggleMark(b);
    EXPECT_EQ(f.pane.MarkedCount(), 2);
    EXPECT_EQ(f.pane.MarkedSize(), 10);
    EXPECT_TRUE(f.pane.IsMarked(a));
    EXPECT_FALSE(f.pane.IsMarked(b));
    EXPECT_EQ(MarkedNames(f.pane), "dir a.txt");
}

TEST(Marks, SpecialEntriesAreNeverMarked)
{
    TPaneFixture f;
    f.Show({MakeCurDirEntry(), MakeParentDirEntry(), MakeDriveEntry("C:\\", 100), MakeServerEntry("\\\\S"),
            MakeShareEntry("\\\\S\\X", 5), FileEntry("f", 1)});
    for (int i = 0; i < f.pane.EntryCount(); ++i) {
        f.pane.SetMark(i, true);
        f.pane.ToggleMark(i);
        f.pane.ToggleMark(i);
    }
    EXPECT_EQ(MarkedNames(f.pane), "f");
    f.pane.InvertMarks();
    EXPECT_EQ(MarkedNames(f.pane), "");
    f.pane.InvertMarks();
    EXPECT_EQ(MarkedNames(f.pane), "f");
    EXPECT_EQ(f.pane.MarkedSize(), 1);

    TPaneFixture g;
    g.Show(SmallDir());
    g.pane.SetMark(1, true);  // ".."
    EXPECT_EQ(g.markInfos, 0);
    EXPECT_TRUE(g.view.redrawn.empty());
    g.pane.SetMark(-1, true);
    g.pane.SetMark(g.pane.EntryCount(), true);
    EXPECT_EQ(g.pane.MarkedCount(), 0);
}

TEST(Marks, OnlyVisibleRowsAreDrawnAgain)
{
    TPaneFixture f;
    f.Show(SmallDir());
    f.pane.SetGeometry(2, 1);  // two rows visible
    f.pane.SetTopIndex(2);
    f.view.redrawn.clear();
    f.pane.SetMark(3, true);
    f.pane.SetMark(5, true);  // below the visible rows
    EXPECT_EQ(f.view.redrawn, std::vector<int>{3});
}

TEST(Marks, MarkAllFilesAndInvert)
{
    TPaneFixture f;
    f.Show(SmallDir());
    f.pane.SetMark(f.IndexOf("dir"), true);
    f.markInfos = 0;
    f.pane.MarkAllFiles();  // something is marked: clear all
    EXPECT_EQ(MarkedNames(f.pane), "");
    f.pane.MarkAllFiles();  // nothing marked: every file, no directory
    EXPECT_EQ(MarkedNames(f.pane), "a.txt B.TXT c.doc");
    EXPECT_EQ(f.pane.MarkedSize(), 70);
    f.pane.InvertMarks();
    EXPECT_EQ(MarkedNames(f.pane), "dir");  // "." and ".." stay unmarked
    EXPECT_EQ(f.markInfos, 3);             // one report per operation
    EXPECT_EQ(f.view.held, 0);

    TPaneFixture empty;
    empty.pane.ShowListing(TListing());
    empty.markInfos = 0;
    empty.pane.MarkAllFiles();
    empty.pane.InvertMarks();
    empty.pane.MarkByPattern("*", true, false, true);
    EXPECT_EQ(empty.markInfos, 0);
}

struct TPatternCase {
    const char* what;
    bool wildcard;
    const char* pattern;
    bool exact, dirsToo;
    std::set<std::string> marked;
};

std::set<std::string> MarkedSet(const TPaneState& pane)
{
    std::set<std::string> names;
    for (int i = 0; i < pane.EntryCount(); ++i)
        if (pane.IsMarked(i)) names.insert(pane.EntryAt(i)->FileName());
    return names;
}

TEST(Marks, PatternMarking)
{
    const std::vector<TFileInfo> names = {
        DirEntry("x.txt"),   FileEntry("README.TXT"), FileEntry("readme.txt"), FileEntry("表.txt"),
        FileEntry("ア.txt"), FileEntry("ヂ.txt"),      FileEntry("ソフト.doc"), FileEntry("a.TXT.bak"),
    };
    const TPatternCase cases[] = {
        {"wildcards ignore case", true, "*.txt", false, false, {"README.TXT", "readme.txt", "表.txt", "ア.txt", "ヂ.txt"}},
        {"wildcards with case", true, "*.txt", true, false, {"readme.txt", "表.txt", "ア.txt", "ヂ.txt"}},
        {"directories only when asked", true, "*.txt", true, true, {"x.txt", "readme.txt", "表.txt", "ア.txt", "ヂ.txt"}},
        {"several masks", true, "*.doc|表*", false, false, {"表.txt", "ソフト.doc"}},
        {"a mask the matcher rejects takes nothing", true, "<>", false, true, {}},
        {"a double-byte character matches itself only", true, "ア*", false, false, {"ア.txt"}},
        {"regular expressions match anywhere", false, "txt", false, false,
         {"README.TXT", "readme.txt", "表.txt", "ア.txt", "ヂ.txt", "a.TXT.bak"}},
        {"regular expressions with case", false, "TXT", true, false, {"README.TXT", "a.TXT.bak"}},
        {"lower case with case", false, "txt", true, false, {"readme.txt", "表.txt", "ア.txt", "ヂ.txt"}},
        {"lower-casing steps over double-byte characters", false, "^ヂ", false, false, {"ヂ.txt"}},
        {"a trail byte is no capital either", false, "^ア", false, false, {"ア.txt"}},
        {"anchors and classes", false, "^[a-z]+\\.txt$", false, true, {"x.txt", "README.TXT", "readme.txt"}},
        {"the same with case", false, "^[a-z]+\\.txt$", true, true, {"x.txt", "readme.txt"}},
    };
    for (const TPatternCase& c : cases) {
        TCustData cust;
        cust.MASKTYPE = c.wildcard;
        TPaneFixture f(cust);
        f.Show(names);
        f.pane.MarkByPattern(c.pattern, true, c.exact, c.dirsToo);
        EXPECT_EQ(MarkedSet(f.pane), c.marked) << c.what;
        EXPECT_EQ(f.markInfos, 1) << c.what;
        f.pane.MarkByPattern(c.pattern, false, c.exact, c.dirsToo);
        EXPECT_EQ(MarkedNames(f.pane), "") << c.what;
    }
}

TEST(Marks, ToggleByPattern)
{
    TPaneFixture f;
    f.Show({FileEntry("a.txt"), FileEntry("b.txt"), FileEntry("c.doc"), DirEntry("d.txt")});
    f.pane.SetMark(f.IndexOf("a.txt"), true);
    f.pane.SetMark(f.IndexOf("c.doc"), true);
    f.pane.ToggleMarkByPattern("\\.txt$", false, false);
    EXPECT_EQ(MarkedNames(f.pane), "b.txt c.doc");
    f.pane.ToggleMarkByPattern("\\.txt$", true, false);
    EXPECT_EQ(MarkedNames(f.pane), "d.txt a.txt c.doc");
}

TEST(Marks, BadRegularExpressionRaisesAndRestoresTheMatcher)
{
    TPaneFixture f;
    f.Show({FileEntry("a.txt"), FileEntry("b.doc")});
    EXPECT_THROW(f.pane.MarkByPattern("[abc", true, false, false), EAWKStrError);
    EXPECT_EQ(f.pane.MarkedCount(), 0);
    EXPECT_EQ(f.view.held, 0);
    f.pane.MarkByPattern("doc", true, false, false);
    EXPECT_EQ(MarkedNames(f.pane), "b.doc");
}

TEST(Marks, KeptAcrossReload)
{
    TPaneFixture f;
    f.Show({FileEntry("keep.txt", 1), FileEntry("gone.txt", 2), FileEntry("Case.txt", 4), FileEntry("表ソ.txt", 8),
            FileEntry("plain.txt", 16)});
    for (const char* name : {"keep.txt", "gone.txt", "Case.txt", "表ソ.txt"}) f.pane.SetMark(f.IndexOf(name), true);
    f.WillRead({FileEntry("new.txt", 32), FileEntry("keep.txt", 1), FileEntry("CASE.TXT", 4), FileEntry("表ソ.txt", 8),
                FileEntry("plain.txt", 16)});
    f.pane.Reload();
    EXPECT_EQ(MarkedNames(f.pane), "CASE.TXT keep.txt 表ソ.txt");
    EXPECT_EQ(f.pane.MarkedCount(), 3);
    EXPECT_EQ(f.pane.MarkedSize(), 13);
    EXPECT_EQ(f.pane.TotalSize(), 61);
    EXPECT_EQ(f.dirInfos, 1);
    EXPECT_EQ(f.view.held, 0);
}

TEST(Marks, NamesThatDifferOnlyInCase)
{
    // An archive, or a case-sensitive file system, can list both.
    const std::vector<TFileInfo> both = {FileEntry("a.txt"), FileEntry("A.TXT"), FileEntry("b")};
    {
        TPaneFixture f;
        f.Show(both);
        f.pane.SetMark(f.IndexOf("a.txt"), true);
        f.pane.SetMark(f.IndexOf("A.TXT"), true);
        f.WillRead(both);
        EXPECT_NO_THROW(f.pane.Reload());
        EXPECT_EQ(f.pane.MarkedCount(), 2);
    }
    {
        TPaneFixture f;
        f.Show(both);
        f.pane.SetMark(f.IndexOf("A.TXT"), true);
        f.WillRead(both);
        f.pane.Reload();
        EXPECT_EQ(MarkedNames(f.pane), "A.TXT");  // the one that was marked, not its twin
    }
}

TEST(Marks, ResortKeepsMarksAndCursor)
{
    TPaneFixture f;
    f.Show({FileEntry("a", 3), FileEntry("b", 1), FileEntry("c", 2)});
    f.pane.SetMark(f.IndexOf("b"), true);
    f.pane.SetItemIndex(f.IndexOf("c"));
    f.pane.SetCurSortSet(ParseSortSet("SIZE-"));
    EXPECT_EQ(NamesOf(f.pane.Entries()), "a c b");
    EXPECT_EQ(MarkedNames(f.pane), "b");
    EXPECT_EQ(f.pane.CurrentName(), "c");
    EXPECT_EQ(f.lister.reads, 0);
}

TEST(Marks, CursorAndTopAfterReload)
{
    std::vector<TFileInfo> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(FileEntry("f" + std::to_string(i)));
    struct Case {
        const char* what;
        int cursor, top;
        std::vector<std::string> removed;
        int added;  // names sorted before all others
        int newCursor, newTop;
    };
    // Pages of three rows.
    const Case cases[] = {
        {"the cursor follows its name up: the page of the cursor", 5, 4, {"f0", "f1"}, 0, 3, 3},
        {"the top line stays while the cursor is on its page", 6, 5, {}, 0, 6, 5},
        {"the cursor follows its name down: the page of the cursor", 2, 1, {}, 6, 8, 6},
        {"a vanished name keeps the index", 4, 4, {"f4"}, 0, 4, 3},
        {"clamped to the last entry", 9, 8, {"f8", "f9"}, 0, 7, 6},
    };
    for (const Case& c : cases) {
        TPaneFixture f;
        f.pane.SetGeometry(3, 1);
        f.Show(ten);
        f.pane.SetItemIndex(c.cursor);
        f.pane.SetTopIndex(c.top);
        std::vector<TFileInfo> next;
        for (int i = 0; i < c.added; ++i) next.push_back(FileEntry("a" + std::to_string(i)));
        for (const TFileInfo& e : ten)
            if (std::find(c.removed.begin(), c.removed.end(), e.FileName()) == c.removed.end()) next.push_back(e);
        f.WillRead(next);
        f.pane.Reload();
        EXPECT_EQ(f.pane.ItemIndex(), c.newCursor) << c.what;
        EXPECT_EQ(f.pane.TopIndex(), c.newTop) << c.what;
    }
}

TEST(Marks, SnapshotsOutliveReloads)
{
    TPaneFixture f;
    f.Show({FileEntry("one", 1), FileEntry("two", 2), FileEntry("three", 3)});
    EXPECT_TRUE(f.pane.TakeMarkSnapshot().size() == 1);  // nothing marked: the cursor entry
    f.pane.SetItemIndex(f.IndexOf("two"));
    ASSERT_EQ(f.pane.TakeMarkSnapshot().size(), 1u);
    EXPECT_EQ(f.pane.TakeMarkSnapshot()[0].FileName(), "two");

    f.pane.SetMark(f.IndexOf("three"), true);
    f.pane.SetMark(f.IndexOf("one"), true);
    TSnapshotEntries snapshot = f.pane.TakeMarkSnapshot();
    ASSERT_EQ(snapshot.size(), 2u);
    EXPECT_EQ(snapshot[0].FileName(), "one");  // list order
    EXPECT_EQ(snapshot[1].FileName(), "three");

    // The pane reloads: every entry object is replaced, one file is gone.
    f.WillRead({FileEntry("two", 2)});
    f.pane.Reload();
    f.pane.MarkAllFiles();
    EXPECT_EQ(snapshot[1].FileName(), "three");
    EXPECT_EQ(snapshot[1].Size, 3);

    TPaneFixture empty;
    empty.pane.ShowListing(TListing());
    EXPECT_TRUE(empty.pane.TakeMarkSnapshot().empty());
}

}  // namespace
