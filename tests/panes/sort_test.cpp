#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "paneentries.h"
#include "panes/sortset.h"
#include "panes/uboxlist.h"
#include "platform/textcase.h"

namespace {

TEST(SortSet, TextForm)
{
    struct Case {
        const char* text;
        const char* printed;
    };
    const Case cases[] = {
        {"ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+,NONE+",
         "ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+,NONE+"},
        {"NAME-", "NAME-,NONE+"},                         // a NONE ascending follows the given pairs
        {"NAME+ EXT- \"SIZE+\"", "NAME+,EXT-,SIZE+,NONE+"},  // comma-text rules
        {"NAME+,NAMEX+,SIZE+", "NAME+,NONE+"},            // a misspelt key ends the order
        {"name+", "NONE+"},                               // key names are upper case
        {"NAME", "NONE+"},                                // a direction is required
        {"NONE-", "NONE-"},
        {"", "NONE+"},
        {"COMPSIZE-,ATTR_C+,ATTR_D-,DOSEXT+,DOSNAME-,CRDATETIME+,ACDATETIME-",
         "COMPSIZE-,ATTR_C+,ATTR_D-,DOSEXT+,DOSNAME-,CRDATETIME+,ACDATETIME-,NONE+"},
    };
    for (const Case& c : cases) EXPECT_EQ(SortSetText(ParseSortSet(c.text)), c.printed) << c.text;

    // Only 19 items are used; all 19 given leave no NONE to print.
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += i ? ",SIZE+" : "SIZE+";
    TSortSet full = ParseSortSet(twenty);
    EXPECT_EQ(full[18].key, skSIZE);
    EXPECT_EQ(SortSetText(full), twenty.substr(0, twenty.size() - 6));

    EXPECT_TRUE(SameSortSet(ParseSortSet("NAME+,NONE+,SIZE+"), ParseSortSet("NAME+")));
    EXPECT_FALSE(SameSortSet(ParseSortSet("NAME+"), ParseSortSet("NAME-")));
    EXPECT_FALSE(SameSortSet(ParseSortSet("NAME+,NONE-"), ParseSortSet("NAME+")));
    EXPECT_TRUE(SameSortSet(full, full));
    EXPECT_TRUE(SameSortSet(DefaultSortSet(), ParseSortSet("ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+")));
    EXPECT_STREQ(SortKeyLabel(skNONE), "格納");
    EXPECT_STREQ(SortKeyLabel(skCOMPSIZE), "圧縮サイズ");
    EXPECT_EQ(SortKeyName(19), nullptr);
}

// An entry from a short description: attrs holds the attribute letters
// (D for a directory), or one of ".", "..", "drive", "server", "share".
struct TEntryRow {
    const char* name;
    const char* attrs = "";
    std::int64_t size = 0;
    int day = 1;  // last write on that day of January 2020
    const char* shortName = "";
};

TFileInfo Build(const TEntryRow& s)
{
    std::string kind = s.attrs;
    if (kind == ".") return MakeCurDirEntry();
    if (kind == "..") return MakeParentDirEntry();
    if (kind == "drive") return MakeDriveEntry(s.name, s.size);
    if (kind == "server") return MakeServerEntry(s.name);
    if (kind == "share") return MakeShareEntry(s.name, s.size);
    std::uint32_t attributes = 0;
    for (char c : kind) {
        using namespace file_attr;
        attributes |= c == 'D' ? kDirectory : c == 'R' ? kReadOnly : c == 'H' ? kHidden : c == 'S' ? kSystem
                    : c == 'A' ? kArchive : c == 'C' ? kCompressed : 0;
    }
    TFileInfo e = FileEntry(s.name, s.size, attributes, s.shortName);
    e.LastWriteTime = LocalTime(2020, 1, s.day);
    return e;
}

TUBoxList ListOf(const std::vector<TEntryRow>& rows, const char* sortSet, bool dirNoExt)
{
    std::vector<TFileInfo> entries;
    for (const TEntryRow& s : rows) entries.push_back(Build(s));
    TUBoxList list = std::move(ListingOf(std::move(entries)).entries);
    list.SortSet = ParseSortSet(sortSet);
    list.DirNoExt = dirNoExt;
    return list;
}

TEST(Sorting, Orders)
{
    struct Case {
        const char* what;
        std::vector<TEntryRow> entries;
        const char* sortSet;
        bool dirNoExt;
        const char* order;
    };
    const char* kDefault = "ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+,NONE+";
    const std::vector<Case> cases = {
        {"default: links, system entries, directories, then names and extensions",
         {{"b.txt"}, {"sub", "D"}, {"..", ".."}, {"A.doc"}, {"a.txt"}, {"io.sys", "S"}, {".", "."}, {"Alpha", "D"}},
         kDefault, false, ". .. io.sys Alpha sub A.doc a.txt b.txt"},
        {"links stay on top in a descending order",
         {{"a"}, {"..", ".."}, {"z"}, {".", "."}}, "NAME-", false, ". .. z a"},
        {"equal bodies fall through to the reading order",
         {{"b.x"}, {"a.z"}, {"B.y"}, {"a.y"}}, "NAME-,NONE+", false, "b.x B.y a.z a.y"},
        {"NONE- reverses the reading order", {{"a"}, {"b"}, {"c"}}, "NONE-", false, "c b a"},
        {"equal extensions fall through to the name",
         {{"c.doc"}, {"a.txt"}, {"b.doc"}}, "EXT+,NAME+", false, "b.doc c.doc a.txt"},
        {"without DirNoExt a directory is split like a file",
         {{"ma"}, {"m.a", "D"}, {"m.z"}}, "NAME+,EXT+", false, "m.a m.z ma"},
        {"with DirNoExt a directory compares by its whole name",
         {{"ma"}, {"m.a", "D"}, {"m.z"}}, "NAME+,EXT+", true, "m.z m.a ma"},
        {"SIZE+ puts directories first", {{"big", "", 900}, {"d", "D"}, {"small", "", 5}}, "SIZE+", false,
         "d small big"},
        {"ATTR_D+ then SIZE-: directories, then the largest file",
         {{"small", "", 5}, {"d", "D"}, {"big", "", 900}, {"mid", "", 50}}, "ATTR_D+,SIZE-", false, "d big mid small"},
        {"sizes are 64-bit", {{"huge", "", 1LL << 40}, {"little", "", 1}}, "SIZE+", false, "little huge"},
        {"newest first", {{"old", "", 0, 1}, {"new", "", 0, 9}, {"mid", "", 0, 5}}, "DATETIME-", false,
         "new mid old"},
        {"attributes: the entry that has one first",
         {{"plain"}, {"hidden", "H"}, {"ro", "R"}, {"both", "RH"}}, "ATTR_H+,ATTR_R+,NONE+", false,
         "both hidden ro plain"},
        {"short names by their bytes", {{"b", "", 0, 1, "B~1.TXT"}, {"a", "", 0, 1, "C.DOC"}, {"c", "", 0, 1, "A.TXT"}},
         "DOSEXT+,DOSNAME+", false, "a c b"},
        {"drives, servers and shares by their kind",
         {{"\\\\SRV", "server"}, {"C:\\", "drive"}, {"\\\\SRV\\X", "share"}},
         "ROOTDRIVE+,SERVER+,SHARE+", false, "C:\\ \\\\SRV X"},
        {"the default set in the drive list: the name comes before the kind",
         {{"\\\\ALPHA", "server"}, {"D:\\", "drive"}, {"C:\\", "drive"}}, kDefault, false, "\\\\ALPHA C:\\ D:\\"},
    };
    for (const Case& c : cases) {
        TUBoxList list = ListOf(c.entries, c.sortSet, c.dirNoExt);
        list.Sort();
        EXPECT_EQ(NamesOf(list), c.order) << c.what;
    }
}

TEST(Sorting, ArchiveLinksComeFirstDespiteSharedPositions)
{
    // In an archive listing "." and ".." carry positions 0 and 1, and so do
    // the first two members.
    TUBoxList list;
    TArcEntryData d;
    d.name = "b.txt";
    d.listIndex = 0;
    list.Add(MakeArchiveEntry(d));
    d.name = "a.txt";
    d.listIndex = 1;
    list.Add(MakeArchiveEntry(d));
    TFileInfo cur = MakeCurDirEntry(), parent = MakeParentDirEntry();
    cur.ListIndex = 0;
    parent.ListIndex = 1;
    list.Add(cur);
    list.Add(parent);
    list.SortSet = ParseSortSet("NAME-");
    list.Sort();
    EXPECT_EQ(NamesOf(list), ". .. b.txt a.txt");
}

// The sort compares collation keys; the plain comparison asks the locale
// for every pair. Both must give one order on names that the locale treats
// specially (case, hyphens, apostrophes, digits, kana, full-width letters).
TEST(Sorting, SortAgreesWithThePlainComparison)
{
    const char* const pieces[] = {"a", "B", "-", "'", "1", "10", "_", " ", ".", "ア", "あ", "ｱ", "表", "Ａ", "ー", "~"};
    std::mt19937 rng(12345);
    std::vector<TFileInfo> entries;
    for (int i = 0; i < 400; ++i) {
        std::string name;
        int n = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < n; ++k) name += pieces[rng() % std::size(pieces)];
        entries.push_back(rng() % 4 == 0 ? DirEntry(name) : FileEntry(name, rng() % 3));
    }
    for (const char* set : {"NAME+,EXT+", "EXT-,NAME+", "ATTR_D+,NAME-,SIZE+"}) {
        for (bool dirNoExt : {false, true}) {
            TUBoxList list = std::move(ListingOf(entries).entries);
            list.SortSet = ParseSortSet(set);
            list.DirNoExt = dirNoExt;
            list.Sort();
            for (int i = 0; i + 1 < list.Count(); ++i)
                ASSERT_LE(CompareEntries(list[i], list[i + 1], list.SortSet, dirNoExt), 0)
                    << set << " " << dirNoExt << ": " << list[i].FileName() << " before " << list[i + 1].FileName();
        }
    }
}

TEST(Sorting, EmptyAndSingleListsAreLeftAlone)
{
    TUBoxList empty;
    empty.Sort();
    EXPECT_EQ(empty.Count(), 0);
    TUBoxList one = ListOf({{"x"}}, "NAME+", false);
    one.Sort();
    EXPECT_EQ(NamesOf(one), "x");
}

TEST(EntryList, LookupByName)
{
    TUBoxList list = ListOf({{"Read.me"}, {"read.ME"}, {"表ソ"}}, "NONE+", false);
    EXPECT_EQ(list.IndexOfName("READ.ME"), 0);  // the first, without regard to case
    EXPECT_EQ(list.IndexOfName("表ソ"), 2);
    EXPECT_EQ(list.IndexOfName("表"), -1);
    EXPECT_EQ(list.At(3), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
}

}  // namespace
