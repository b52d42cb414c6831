#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "paneentries.h"
#include "panes/itemformat.h"
#include "panes/viewitems.h"

namespace {

TEST(ViewItems, TextForm)
{
    struct Case {
        const char* text;
        const char* printed;
    };
    const Case cases[] = {
        {"viLFNE,viSIZE,viLWDS,viLWTS", "viLFNE,viSIZE,viLWDS,viLWTS,viNONE"},
        {"viLFN,viSIZEX,viSIZE", "viLFN,viNONE"},  // a word that is no name ends the list
        {"", "viLFN,viNONE"},                      // no first item: viLFN alone
        {"bogus", "viLFN,viNONE"},
        {"viCRC viCOMPMTHD \"viATTRC\"", "viCRC,viCOMPMTHD,viATTRC,viNONE"},
        {"vilfn", "viLFN,viNONE"},  // names are compared exactly
    };
    for (const Case& c : cases) EXPECT_EQ(ViewItemsText(ParseViewItems(c.text)), c.printed) << c.text;

    std::string sixteen;
    for (int i = 0; i < 17; ++i) sixteen += i ? ",viCRC" : "viCRC";
    TViewItems full = ParseViewItems(sixteen);
    EXPECT_EQ(ViewItemCount(full), 16);
    EXPECT_EQ(ViewItemsText(full), sixteen.substr(0, sixteen.size() - 6));  // 16 used, no viNONE

    EXPECT_EQ(ViewItemsText(TViewItems{}), "viLFN");
    EXPECT_TRUE(SameViewItems(ParseViewItems("viLFN"), ParseViewItems("viLFN,bogus,viSIZE")));
    EXPECT_FALSE(SameViewItems(ParseViewItems("viLFN"), ParseViewItems("viLFN,viSIZE")));
    EXPECT_TRUE(SameViewItems(DefaultViewItems(), ParseViewItems("viLFNE,viSIZE,viLWDS,viLWTS")));
    EXPECT_STREQ(ViewItemLabel(viSIZEC), "サイズ(，付)");
    EXPECT_STREQ(ViewItemLabel(viCRC), "ＣＲＣ");
}

TEST(Display, CharacterWidth)
{
    EXPECT_EQ(CharWidthFrom(8, 16), 8);
    EXPECT_EQ(CharWidthFrom(7, 20), 10);
    EXPECT_EQ(CharWidthFrom(8, 15), 8);  // (15 - 16) / 2 is 0
    EXPECT_EQ(CharWidthFrom(6, 10), 5);
}

TEST(Display, Truncation)
{
    const std::string twenty = "abcdefghijklmnopqrst";
    const std::string kanjiAt17 = "abcdefghijklmnop表rs";  // 表 takes bytes 17 and 18
    struct Case {
        std::string name;
        int width;
        std::string shown;
    };
    const Case cases[] = {
        {twenty, 18, "abcdefghijklmnopq~"},
        {kanjiAt17, 18, "abcdefghijklmnop~~"},
        {kanjiAt17, 17, "abcdefghijklmnop~"},  // byte 17 begins the character
        {kanjiAt17, 19, "abcdefghijklmnop表~"},
        {twenty, 20, twenty},
        {twenty, 25, twenty},
        {"表表", 3, "表~"},
        {"表表", 2, "~~"},
        {"表表", 1, "~"},
        {"abc", 0, ""},
    };
    for (const Case& c : cases) {
        std::string shown = TruncateName(c.name, c.width);
        EXPECT_EQ(shown, c.shown) << c.name << " " << c.width;
        if (c.width > 0 && static_cast<int>(c.name.size()) > c.width) {
            EXPECT_EQ(static_cast<int>(shown.size()), c.width);
        }
    }
}

TEST(Display, SizeTexts)
{
    struct Case {
        std::int64_t size;
        int width;
        bool separators;
        const char* text;
    };
    const Case cases[] = {
        {12345, 10, false, "     12345"},
        {0, 10, false, "         0"},
        {1234567, 13, true, "    1,234,567"},
        {9999999999LL, 10, false, "9999999999"},                 // exactly fits
        {10000000000LL, 10, false, "  9765625K"},                // one digit more: kibibytes
        {10000000001LL, 10, false, "  9765626K"},                // rounded up
        {LLONG_MAX, 10, false, "  8388608T"},                    // the largest size
        {LLONG_MAX, 13, true, "   8,388,608T"},
        {LLONG_MAX, 19, false, "9223372036854775807"},
        {LLONG_MAX, 2, false, "8E"},
        {123456, 2, false, "1M"},                                // never shown as 0
        {123456, 1, false, "#"},                                 // nothing fits
        {-5, 10, false, "        -5"},
        {5, 0, false, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SizeCellText(c.size, c.width, c.separators), c.text) << c.size << " " << c.width;
}

TEST(Display, TimeTexts)
{
    struct Case {
        TTimeText kind;
        TDateTime dt;
        const char* text;
    };
    const TDateTime at3 = LocalTime(2020, 5, 6, 12, 0, 3, 0);
    const Case cases[] = {
        {TTimeText::DosTime, at3, "12:00:04"},
        {TTimeText::Milliseconds, at3, "12:00:03.000"},
        {TTimeText::HourMinSec, at3, "12:00:03"},
        {TTimeText::HourMin, at3, "12:00"},
        {TTimeText::Date4, at3, "2020/05/06"},
        {TTimeText::Date2, at3, "20/05/06"},
        {TTimeText::DosTime, LocalTime(2020, 5, 6, 12, 0, 2, 0), "12:00:02"},
        {TTimeText::DosTime, LocalTime(2020, 5, 6, 12, 0, 2, 1), "12:00:04"},
        {TTimeText::DosTime, LocalTime(2020, 5, 6, 12, 0, 1, 500), "12:00:02"},
        {TTimeText::DosTime, LocalTime(2020, 5, 6, 23, 59, 59, 500), "00:00:00"},
        {TTimeText::Milliseconds, LocalTime(2020, 5, 6, 1, 2, 3, 45), "01:02:03.045"},
        {TTimeText::DosTime, LocalTime(1979, 12, 31, 23, 59, 58), "??:??:??"},
        {TTimeText::DosTime, LocalTime(2080, 1, 1), "??:??:??"},
        {TTimeText::DosTime, LocalTime(1980, 1, 1), "00:00:00"},
        {TTimeText::Date4, 0, " "},  // no time
        {TTimeText::DosTime, 0, " "},
        {TTimeText::Date4, 1e9, "\?\?\?\?/\?\?/\?\?"},
        {TTimeText::Date2, -1e9, "\?\?/\?\?/\?\?"},
        {TTimeText::HourMinSec, 1e9, "\?\?:\?\?:\?\?"},
        {TTimeText::HourMin, 1e9, "\?\?:\?\?"},
        {TTimeText::Milliseconds, 1e9, "\?\?:\?\?:\?\?.\?\?\?"},
    };
    for (const Case& c : cases) EXPECT_EQ(TimeCellText(c.kind, c.dt), c.text) << c.dt;
}

// Widths of a font whose half-width characters are 8 pixels wide.
TPaneMetrics EightPixels()
{
    TPaneMetrics m;
    m.charWidth = 8;
    m.markCharWidth = 8;
    for (int& w : m.attrLetterWidth) w = 8;
    m.attrWidth = 32;
    m.attrCWidth = 40;
    return m;
}

class TEightPixelFont : public TTextMeasure {
public:
    int TextWidth(std::string_view text) const override { return 8 * static_cast<int>(text.size()); }
    int AveCharWidth() const override { return 8; }
    int MaxCharWidth() const override { return 16; }
};

std::string Texts(const TRowLayout& row)
{
    std::string out;
    for (const TPaneCell& c : row.cells) out += "[" + c.text + "]";
    return out;
}

TRowLayout Row(const TFileInfo& e, const char* items, TCustData cust = TCustData(), bool dirNoExt = false)
{
    static TPaneMetrics m = EightPixels();
    TViewItems list = ParseViewItems(items);
    return LayoutRow(e, TRowContext{cust, list, m, dirNoExt});
}

TEST(Display, DefaultRowLayout)
{
    TFileInfo e = FileEntry("report.txt", 10);
    e.Marked = true;
    TRowLayout row = Row(e, "viLFNE,viSIZE,viLWDS,viLWTS");
    EXPECT_EQ(row.mark.x, 2);  // a third of a character in
    EXPECT_EQ(row.mark.text, "*");
    EXPECT_EQ(row.iconX, -1);
    ASSERT_EQ(row.cells.size(), 5u);
    struct Expected {
        int x, width;
        const char* text;
        TCellAlign align;
        TCellColor color;
    };
    const Expected expected[] = {
        {10, 96, "report", TCellAlign::Left, TCellColor::Entry},
        {106, 48, ".txt", TCellAlign::Left, TCellColor::Entry},  // no blank between body and extension
        {162, 80, "        10", TCellAlign::Right, TCellColor::Size},
        {250, 64, "20/05/06", TCellAlign::Left, TCellColor::LastWrite},
        {322, 40, "07:08", TCellAlign::Left, TCellColor::LastWrite},
    };
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(row.cells[i].x, expected[i].x) << i;
        EXPECT_EQ(row.cells[i].width, expected[i].width) << i;
        EXPECT_EQ(row.cells[i].text, expected[i].text) << i;
        EXPECT_EQ(row.cells[i].align, expected[i].align) << i;
        EXPECT_EQ(row.cells[i].color, expected[i].color) << i;
    }
    EXPECT_EQ(row.cells[0].rules, TNameRules::Body);
    EXPECT_EQ(row.cells[0].ruleText, "report");
    EXPECT_EQ(row.cells[1].rules, TNameRules::Ext);
    EXPECT_EQ(row.cells[1].ruleText, ".txt");

    // The column: mark, margins of a third of a character on both sides, the
    // 41 characters of the items and one blank between each two of them.
    TCustData cust;
    TViewItems items = ParseViewItems("viLFNE,viSIZE,viLWDS,viLWTS");
    EXPECT_EQ(ColumnWidth(items, cust, EightPixels()), 8 + 41 * 8 + 3 * 8 + 2 * 2);
    EXPECT_EQ(ColumnWidth(items, cust, MeasurePane(TEightPixelFont(), cust)), 364);
    EXPECT_EQ(ColumnWidth(TViewItems{}, cust, EightPixels()),
              ColumnWidth(ParseViewItems("viLFN"), cust, EightPixels()));
    cust.ShowIcon = 2;
    EXPECT_EQ(ColumnWidth(items, cust, EightPixels()), 364 + 34);
}

TEST(Display, CellTexts)
{
    TCustData cust;
    cust.CURRENTDIRSTR = "<cur>";
    cust.PARENTDIRSTR = "<up>";
    TFileInfo zeroCreation = FileEntry("a.txt", 1);
    TFileInfo member;
    member.SetFileName("m.lzh");
    member.Method = "-lh5-";
    member.CRC = 0xBEEF;
    member.CompSize = 1234567;
    TFileInfo attrs = FileEntry("x", 0, file_attr::kReadOnly | file_attr::kArchive | file_attr::kCompressed);
    struct Case {
        const char* what;
        TFileInfo entry;
        const char* items;
        bool dirNoExt;
        const char* cells;
    };
    const Case cases[] = {
        {"only the items before a word that is no item", FileEntry("a.txt", 5), "viLFN,bogus,viSIZE", false,
         "[a.txt]"},
        {"the later short name stays empty when it equals the long one", FileEntry("HELLO.TXT"), "viLFN,viSFN", false,
         "[HELLO.TXT][]"},
        {"both names when they differ", FileEntry("readme.txt", 0, 0, "README.TXT"), "viLFN,viSFN", false,
         "[readme.txt][README.TXT]"},
        {"the later long name stays empty too", FileEntry("HELLO.TXT"), "viSFNE,viLFNE", false, "[HELLO][.TXT][]"},
        {"a long name cut with a tilde", FileEntry("abcdefghijklmnopqrst"), "viLFN", false, "[abcdefghijklmnopq~]"},
        {"a long name cut before a double-byte character", FileEntry("abcdefghijklmnop表rs"), "viLFN", false,
         "[abcdefghijklmnop~~]"},
        {"body and extension cut separately", FileEntry("a_very_long_body.extension"), "viLFNE", false,
         "[a_very_long~][.exte~]"},
        {"a name without extension in one cell", FileEntry("a_very_long_body_name"), "viLFNE", false,
         "[a_very_long_body_~]"},
        {"a directory's tag, and a blank second size", DirEntry("dir"), "viSIZE,viSIZEC", false, "[<DIR>][ ]"},
        {"the links' texts", MakeCurDirEntry(), "viLFN,viLFNE,viSIZE", false, "[<cur>][<cur>][<DIR>]"},
        {"the parent link's text in the short items", MakeParentDirEntry(), "viSFN,viSFNE", false, "[<up>][<up>]"},
        {"drives", MakeDriveEntry("C:\\", 5), "viLFNE,viSFN,viSIZE", false, "[C:\\][C:\\][<DRV>]"},
        {"servers", MakeServerEntry("\\\\SRV"), "viSFNE,viSIZE", false, "[\\\\SRV][<SRV>]"},
        {"shares", MakeShareEntry("\\\\SRV\\DOCS", 5), "viSIZE", false, "[<SHR>]"},
        {"a directory split like a file", DirEntry("a.b"), "viLFNE", false, "[a][.b]"},
        {"a directory whole with DirNoExt", DirEntry("a.b"), "viLFNE", true, "[a.b]"},
        {"a zero creation time is blank", zeroCreation, "viCRDL,viCRTLL,viCRTD,viLWDL", false,
         "[ ][ ][ ][2020/05/06]"},
        {"archive columns", member, "viCOMPMTHD,viCRC,viCOMPSIZE,viCOMPSIZEC", false,
         "[-lh5-][0000BEEF][   1234567][    1,234,567]"},
        {"attribute letters", attrs, "viATTR,viATTRC", false, "[R][_][_][A][R][_][_][A][C]"},
    };
    for (const Case& c : cases) EXPECT_EQ(Texts(Row(c.entry, c.items, cust, c.dirNoExt)), c.cells) << c.what;
}

TEST(Display, CellPlacesAndRules)
{
    TCustData cust;
    cust.ShowIcon = 1;
    TRowLayout row = Row(FileEntry("x.txt"), "viATTR,viLFN", cust);
    EXPECT_EQ(row.mark.text, "");  // not marked: the cell keeps its width
    EXPECT_EQ(row.mark.width, 8);
    EXPECT_EQ(row.iconX, 11);
    EXPECT_EQ(row.iconSize, 16);
    ASSERT_EQ(row.cells.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(row.cells[i].x, 28 + 8 * i);  // letters side by side
    EXPECT_EQ(row.cells[4].x, 28 + 32 + 8);
    EXPECT_EQ(row.cells[4].rules, TNameRules::Name);
    EXPECT_EQ(row.cells[4].ruleText, "x.txt");

    cust.ShowIcon = 2;
    EXPECT_EQ(Row(FileEntry("x"), "viLFN", cust).cells[0].x, 10 + 34);
    // Name rules are for files only.
    EXPECT_EQ(Row(DirEntry("x.txt"), "viLFN").cells[0].rules, TNameRules::None);
    EXPECT_EQ(Row(MakeDriveEntry("C:\\", 0), "viLFN").cells[0].rules, TNameRules::None);
    // A method and a CRC are centred; a tag too.
    EXPECT_EQ(Row(FileEntry("x"), "viCRC").cells[0].align, TCellAlign::Center);
    EXPECT_EQ(Row(DirEntry("x"), "viSIZE").cells[0].align, TCellAlign::Center);
}

}  // namespace
