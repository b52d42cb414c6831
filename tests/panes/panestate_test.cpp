#include <gtest/gtest.h>

#include <string>

#include "panefixture.h"
#include "panes/attrmask.h"

namespace {

TEST(PaneState, FreshPaneListsEverything)
{
    // The open mask of the mode in use, so that a new pane lists all names.
    TPaneState regex;
    EXPECT_EQ(regex.DefaultMask(), ".+");
    EXPECT_EQ(regex.CurrentMask(), ".+");
    TCustData wild;
    wild.MASKTYPE = true;
    TPaneState wildcard(wild);
    EXPECT_EQ(wildcard.DefaultMask(), "*.*");
    EXPECT_EQ(wildcard.CurrentMask(), "*.*");

    EXPECT_EQ(regex.PaneStatus(), kPaneNothing);
    EXPECT_EQ(regex.EntryCount(), 0);
    EXPECT_EQ(regex.CharWidth(), 10);
    EXPECT_EQ(regex.CurrentEntry(), nullptr);
    EXPECT_EQ(regex.CurrentName(), "");
    EXPECT_EQ(regex.StatusText(), "-unknown status-");
    EXPECT_EQ(regex.DefaultAttrMasks().Text(), "******");
}

TEST(PaneState, StatusLines)
{
    struct Case {
        int status;
        const char* text;
    };
    const Case cases[] = {{kPaneListed, "-No Files-"}, {kPaneNoDrive, "-NoDrive-"}, {kPaneNotReady, "-NotReady-"},
                          {kPaneNotExist, "-NotExist-"}, {9, "-unknown status-"}};
    for (const Case& c : cases) {
        TPaneState pane;
        TListing listing;
        listing.status = c.status;
        pane.ShowListing(std::move(listing));
        EXPECT_EQ(pane.StatusText(), c.text);
        EXPECT_EQ(pane.EntryCount(), 0);
    }
    TPaneState listed;
    listed.ShowListing(ListingOf({FileEntry("a")}));
    EXPECT_EQ(listed.StatusText(), "");
}

TEST(PaneState, Queries)
{
    TPaneFixture f;
    f.Show({FileEntry("b"), FileEntry("a")});
    EXPECT_EQ(f.pane.EntryName(0), "a");
    EXPECT_EQ(f.pane.EntryName(2), "");
    EXPECT_EQ(f.pane.EntryAt(-1), nullptr);
    f.pane.SetItemIndex(-1);
    EXPECT_EQ(f.pane.CurrentName(), "a");  // no cursor: the first entry
    EXPECT_EQ(f.pane.ItemIndex(), 0);

    struct PathCase {
        const char* path;
        const char* with;
        const char* without;
    };
    const PathCase paths[] = {
        {"C:\\WORK", "C:\\WORK\\", "C:\\WORK"}, {"C:\\", "C:\\", "C:"},
        {"", "", ""},                           {"\\\\SRV\\SHARE\\", "\\\\SRV\\SHARE\\", "\\\\SRV\\SHARE"},
        {"C:\\表", "C:\\表\\", "C:\\表"},       // the trail byte of 表 is no backslash
    };
    for (const PathCase& p : paths) {
        f.pane.SetLocation(p.path);
        EXPECT_EQ(f.pane.DirPathWithSlash(), p.with) << p.path;
        EXPECT_EQ(f.pane.DirPathWithoutSlash(), p.without) << p.path;
    }
}

TEST(PaneState, ShowListingStartsWithoutMarks)
{
    TPaneFixture f;
    f.Show({FileEntry("a", 1), FileEntry("b", 2)});
    f.pane.SetMark(0, true);
    TListing next = ListingOf({FileEntry("a", 1), FileEntry("c", 4)});
    next.entries[0].Marked = true;  // a reader's stray flag counts for nothing
    f.pane.SetGeometry(1, 1);
    f.pane.ShowListing(std::move(next), "c");
    EXPECT_EQ(f.pane.MarkedCount(), 0);
    EXPECT_EQ(MarkedNames(f.pane), "");
    EXPECT_EQ(f.pane.ItemIndex(), 1);  // on the named entry, its page at the top
    EXPECT_EQ(f.pane.TopIndex(), 1);
    EXPECT_EQ(f.pane.TotalSize(), 5);
    EXPECT_EQ(f.dirInfos, 1);
}

TEST(PaneState, MaskSetters)
{
    TPaneFixture f;
    f.Show({FileEntry("a")});
    f.pane.SetMaskType(false);  // in effect already
    EXPECT_EQ(f.lister.reads, 0);
    f.pane.SetMaskType(true);
    EXPECT_EQ(f.pane.DefaultMask(), "*.*");
    EXPECT_EQ(f.lister.reads, 1);
    EXPECT_TRUE(f.pane.WildcardMasks());

    f.pane.SetDefaultMask("<>");  // rejected by the wildcard matcher: ignored
    EXPECT_EQ(f.pane.DefaultMask(), "*.*");
    EXPECT_EQ(f.lister.reads, 1);
    f.pane.SetMask("*.txt");
    EXPECT_EQ(f.pane.CurrentMask(), "*.txt");
    EXPECT_EQ(f.pane.DefaultMask(), "*.*");
    EXPECT_EQ(f.lister.reads, 2);
    f.pane.SetMask("*.txt");
    EXPECT_EQ(f.lister.reads, 2);
    f.pane.SetDefaultMask("*.doc");
    EXPECT_EQ(f.pane.CurrentMask(), "*.doc");
    EXPECT_EQ(f.lister.reads, 3);

    f.pane.SetMaskType(false);
    EXPECT_EQ(f.pane.DefaultMask(), ".+");
    EXPECT_EQ(f.pane.CurrentMask(), ".+");
    f.pane.SetDefaultMask("<>");  // any text in regular-expression mode
    EXPECT_EQ(f.pane.DefaultMask(), "<>");
}

TEST(PaneState, AttrMaskSetters)
{
    TPaneFixture f;
    f.Show({FileEntry("a")});
    f.pane.SetDefaultAttrMask("R*****");
    EXPECT_EQ(f.pane.DefaultAttrMasks().Text(), "R*****");
    EXPECT_EQ(f.pane.CurrentAttrMasks().Text(), "R*****");
    EXPECT_EQ(f.lister.reads, 1);
    EXPECT_THROW(f.pane.SetAttrMask("R****"), EAttrMaskError);
    EXPECT_EQ(f.pane.CurrentAttrMasks().Text(), "R*****");
    f.pane.SetAttrMask("*H****");
    EXPECT_EQ(f.pane.CurrentAttrMasks().Text(), "*H****");
    EXPECT_EQ(f.pane.DefaultAttrMasks().Text(), "R*****");
    EXPECT_EQ(f.lister.reads, 2);
    // Attribute masks do not apply inside archives: nothing to read again.
    f.pane.SetLocation("C:\\A.LZH", 1);
    f.pane.SetAttrMask("-*****");
    EXPECT_EQ(f.lister.reads, 2);
}

TEST(PaneState, SortSetters)
{
    TPaneFixture f;
    f.Show({FileEntry("b", 1), FileEntry("a", 2), DirEntry("d.x"), DirEntry("d")});
    EXPECT_EQ(NamesOf(f.pane.Entries()), "d d.x a b");
    f.pane.SetCurSortSet(ParseSortSet("SIZE-"));
    EXPECT_EQ(NamesOf(f.pane.Entries()), "a b d.x d");  // equal sizes fall through to the reading order
    EXPECT_TRUE(SameSortSet(f.pane.CustData().SORTSETS, DefaultSortSet()));
    f.pane.SetSortSet(ParseSortSet("NAME-,NONE+"));
    EXPECT_EQ(NamesOf(f.pane.Entries()), "d.x d b a");
    EXPECT_TRUE(SameSortSet(f.pane.CustData().SORTSETS, ParseSortSet("NAME-")));
    int reads = f.lister.reads, dirInfos = f.dirInfos;
    f.pane.SetSortSet(ParseSortSet("NAME-,NONE+,SIZE+"));  // the same up to NONE
    EXPECT_EQ(f.dirInfos, dirInfos);
    f.pane.SetDirNoExt(true);
    EXPECT_TRUE(f.pane.DirNoExt());
    EXPECT_EQ(NamesOf(f.pane.Entries()), "d.x d b a");
    f.pane.SetCurSortSet(ParseSortSet("NAME+,EXT+"));
    EXPECT_EQ(NamesOf(f.pane.Entries()), "a b d d.x");
    f.pane.SetDirNoExt(false);
    EXPECT_EQ(NamesOf(f.pane.Entries()), "a b d d.x");
    EXPECT_EQ(f.lister.reads, reads);  // sorting reads nothing
}

class TEightPixelFont : public TTextMeasure {
public:
    int TextWidth(std::string_view text) const override { return 8 * static_cast<int>(text.size()); }
    int AveCharWidth() const override { return 8; }
    int MaxCharWidth() const override { return 16; }
};

TEST(PaneState, LookSetters)
{
    TPaneFixture f;
    TEightPixelFont font;
    f.pane.SetMeasure(&font);
    EXPECT_EQ(f.pane.CharWidth(), 8);
    const int base = f.pane.ColumnWidth();
    EXPECT_EQ(base, 364);
    int layouts = f.view.layouts;
    f.pane.SetKeta(-3);  // ignored
    f.pane.SetKeta(10);  // in effect
    EXPECT_EQ(f.view.layouts, layouts);
    f.pane.SetKeta(12);
    EXPECT_EQ(f.pane.ColumnWidth(), base + 2 * 8);
    f.pane.SetLongNameLen(30);  // not among the items in use
    EXPECT_EQ(f.pane.ColumnWidth(), base + 2 * 8);
    f.pane.SetFileNameLen(10);
    f.pane.SetExtLen(4);
    f.pane.SetCompKeta(3);
    EXPECT_EQ(f.pane.ColumnWidth(), base + 2 * 8 - 4 * 8);

    f.pane.SetCurViewItems(TViewItems{});  // nothing: the long name alone
    EXPECT_EQ(ViewItemsText(f.pane.ViewItems()), "viLFN,viNONE");
    EXPECT_EQ(f.pane.ColumnWidth(), 8 + 8 * 30 + 4);
    EXPECT_TRUE(SameViewItems(f.pane.CustData().VIEWITEMS, DefaultViewItems()));
    f.pane.SetViewItems(ParseViewItems("viSFN"));
    EXPECT_TRUE(SameViewItems(f.pane.CustData().VIEWITEMS, ParseViewItems("viSFN")));

    f.pane.SetFontHeight(-12);
    EXPECT_EQ(f.pane.ItemHeight(), 14);
    f.pane.SetShowIcon(1);
    EXPECT_EQ(f.pane.ItemHeight(), 16);
    EXPECT_EQ(f.pane.ColumnWidth(), 8 + 8 * 12 + 4 + 18);
    f.pane.SetShowIcon(2);
    EXPECT_EQ(f.pane.ItemHeight(), 32);
    f.pane.SetFontHeight(40);
    EXPECT_EQ(f.pane.ItemHeight(), 42);

    int repaints = f.view.repaints;
    f.pane.SetUseUnderLine(true);
    f.pane.SetShowInactiveCursor(true);
    f.pane.SetShowInactiveCursor(true);
    EXPECT_EQ(f.view.repaints, repaints + 2);
    EXPECT_TRUE(f.pane.CustData().UseUnderLine);
}

TEST(PaneState, CustData)
{
    TPaneFixture f;
    f.Show({FileEntry("b", 1), FileEntry("a", 2)});
    TCustData data;
    data.MASKTYPE = true;
    data.VIEWITEMS = ParseViewItems("viLFN,viSIZE");
    data.SORTSETS = ParseSortSet("SIZE+");
    data.MARKCHAR = "**";
    f.pane.SetCustData(data);
    EXPECT_EQ(f.pane.DefaultMask(), "*.*");
    EXPECT_EQ(f.pane.CurrentMask(), "*.*");
    EXPECT_EQ(ViewItemsText(f.pane.ViewItems()), "viLFN,viSIZE,viNONE");
    EXPECT_TRUE(SameSortSet(f.pane.SortSet(), data.SORTSETS));
    EXPECT_EQ(NamesOf(f.pane.Entries()), "b a");
    EXPECT_EQ(f.pane.ColumnWidth(), 10 + 10 * (2 + 18 + 10 - 1) + 6);  // ten-pixel metrics until measured
    EXPECT_EQ(f.pane.LayoutRow(0).mark.width, 10);
    EXPECT_EQ(f.pane.LayoutRow(5).cells.size(), 0u);
}

TEST(PaneState, ReplaceIfChanged)
{
    TPaneFixture f;
    f.Show({FileEntry("a", 1), FileEntry("b", 2)});
    f.pane.SetMark(1, true);
    EXPECT_FALSE(f.pane.ReplaceIfChanged(ListingOf({FileEntry("a", 1), FileEntry("b", 2)})));
    EXPECT_EQ(f.dirInfos, 0);
    EXPECT_TRUE(f.pane.ReplaceIfChanged(ListingOf({FileEntry("a", 1), FileEntry("b", 3)})));
    EXPECT_EQ(MarkedNames(f.pane), "b");
    EXPECT_EQ(f.pane.MarkedSize(), 3);
    EXPECT_EQ(f.dirInfos, 1);
}

TEST(PaneState, ReloadWithoutListerReadsNothing)
{
    TPaneState pane;
    pane.ShowListing(ListingOf({FileEntry("a")}));
    pane.Reload();
    EXPECT_EQ(pane.EntryCount(), 1);
}

}  // namespace
