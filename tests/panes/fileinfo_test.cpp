#include <gtest/gtest.h>

#include <string>

#include "paneentries.h"
#include "panes/entrytext.h"
#include "panes/fileinfo.h"

namespace {

TEST(FileInfo, NameSplit)
{
    struct Case {
        const char* name;
        const char* body;
        const char* ext;
    };
    const Case cases[] = {
        {".profile", ".profile", ""},
        {"archive.tar.gz", "archive.tar", ".gz"},
        {"README.TXT", "readme", ".txt"},
        {"noext", "noext", ""},
        {"trailing.", "trailing", "."},
        {"..x", ".", ".x"},
        {"表.ＴＸＴ", "表", ".ＴＸＴ"},       // full-width letters keep their case
        {"アイ.TXT", "アイ", ".txt"},          // trail bytes 0x41 and 0x43 are no letters
        {"ソ表", "ソ表", ""},                  // trail bytes 0x5C are no separators
        {"", "", ""},
    };
    for (const Case& c : cases) {
        TFileInfo e;
        e.SetFileName(c.name);
        EXPECT_EQ(e.FileName(), c.name);
        EXPECT_EQ(e.LowerBody(), c.body) << c.name;
        EXPECT_EQ(e.LowerExt(), c.ext) << c.name;
        EXPECT_EQ(e.LowerName(), std::string(c.body) + c.ext) << c.name;
    }
}

TEST(FileInfo, FreshRecord)
{
    TFileInfo e;
    EXPECT_EQ(e.ListIndex, -1);
    EXPECT_EQ(std::string({e.AttrR, e.AttrH, e.AttrS, e.AttrA, e.AttrC, e.AttrD}), "______");
    EXPECT_EQ(e.LastWriteTime, 29221.0);
    EXPECT_EQ(e.CreationTime, 0);
    EXPECT_EQ(e.LastAccessTime, 0);
    EXPECT_FALSE(e.Marked);
    EXPECT_EQ(e.Size, 0);
}

TEST(FileInfo, FromSearchResult)
{
    TFindData fd;
    fd.fileName = "Report.Doc";
    fd.alternateName = "report~1.doc";
    fd.attributes = 0x01 | 0x02 | 0x04 | 0x20 | 0x800;
    fd.sizeHigh = 2;
    fd.sizeLow = 0x80000001u;
    TDateTime written = LocalTime(2021, 3, 4, 5, 6, 7, 890);
    fd.lastWriteTime = FileTimeOf(written);
    fd.creationTime = FileTimeOf(LocalTime(2020, 1, 2, 3, 4, 5));
    TFileInfo e = MakeFoundEntry(fd, 7);
    EXPECT_EQ(e.FileName(), "Report.Doc");
    EXPECT_EQ(e.ShortName(), "REPORT~1.DOC");
    EXPECT_EQ(e.ListIndex, 7);
    EXPECT_EQ(std::string({e.AttrR, e.AttrH, e.AttrS, e.AttrA, e.AttrC, e.AttrD}), "RHSAC_");
    EXPECT_EQ(e.AttributeWord(), 0x827u);
    EXPECT_EQ(e.Size, (std::int64_t{2} << 32) + 0x80000001LL);  // 64 bits, the low word unsigned
    EXPECT_NEAR(e.LastWriteTime, written, 1e-9);
    EXPECT_NEAR(e.CreationTime, LocalTime(2020, 1, 2, 3, 4, 5), 1e-9);
    EXPECT_EQ(e.LastAccessTime, 0);  // a zero file time is no time
    EXPECT_FALSE(e.IsCurDir || e.IsParentDir || e.IsSpecial());
}

TEST(FileInfo, SearchResultEdgeCases)
{
    {
        SCOPED_TRACE("a directory has no size, and a zero last-write time is 1980-01-01");
        TFindData fd;
        fd.fileName = "dir";
        fd.attributes = 0x10;
        fd.sizeLow = 4096;
        TFileInfo e = MakeFoundEntry(fd, 0);
        EXPECT_TRUE(e.IsDirectory());
        EXPECT_EQ(e.Size, 0);
        EXPECT_EQ(e.LastWriteTime, kDefaultLastWriteTime);
        EXPECT_EQ(e.ShortName(), "DIR");  // no short name: the long one upper-cased
    }
    {
        SCOPED_TRACE("a creation time with one zero half is not available");
        TFindData fd;
        fd.fileName = "a";
        fd.creationTime.dwLowDateTime = 5;
        fd.lastAccessTime.dwHighDateTime = 5;
        TFileInfo e = MakeFoundEntry(fd, 0);
        EXPECT_EQ(e.CreationTime, 0);
        EXPECT_EQ(e.LastAccessTime, 0);
    }
    {
        SCOPED_TRACE("a name the code page cannot show is listed under its short name");
        TFindData fd;
        fd.fileName = "caf?.txt";
        fd.alternateName = "CAF~1.TXT";
        EXPECT_EQ(MakeFoundEntry(fd, 0).FileName(), "CAF~1.TXT");
        fd.alternateName.clear();
        EXPECT_EQ(MakeFoundEntry(fd, 0).FileName(), "caf?.txt");  // nothing better to show
    }
    {
        SCOPED_TRACE("from a wide search, a name longer than 260 bytes too");
        TFindData fd;
        fd.fileName = std::string(261, 'x');
        fd.alternateName = "XXXXXX~1";
        fd.fromWide = true;
        EXPECT_EQ(MakeFoundEntry(fd, 0).FileName(), "XXXXXX~1");
        fd.fromWide = false;
        EXPECT_EQ(MakeFoundEntry(fd, 0).FileName(), fd.fileName);
    }
    {
        SCOPED_TRACE("the short name is cut to 12 bytes, never through a character");
        TFindData fd;
        fd.fileName = "abcdefghijk表.txt";  // 表 takes bytes 12 and 13
        TFileInfo e = MakeFoundEntry(fd, 0);
        EXPECT_EQ(e.ShortName(), "ABCDEFGHIJK");
        fd.fileName = "longer_name.txt";
        EXPECT_EQ(MakeFoundEntry(fd, 0).ShortName(), "LONGER_NAME.");
    }
    {
        SCOPED_TRACE("the links found by a search");
        TFindData fd;
        fd.attributes = 0x10;
        fd.fileName = ".";
        EXPECT_TRUE(MakeFoundEntry(fd, 0).IsCurDir);
        fd.fileName = "..";
        EXPECT_TRUE(MakeFoundEntry(fd, 0).IsParentDir);
    }
}

TEST(FileInfo, FromWideSearchResult)
{
    WIN32_FIND_DATAW w{};
    wcscpy(w.cFileName, L"\u8868\u00e9.txt");  // 表 and an e with an accent, which code page 932 lacks
    wcscpy(w.cAlternateFileName, L"E9B5~1.TXT");
    w.nFileSizeLow = 3;
    TFileInfo e = MakeFoundEntry(FindDataFromWide(w), 0);
    EXPECT_EQ(e.FileName(), "E9B5~1.TXT");
    EXPECT_EQ(e.Size, 3);
}

TEST(FileInfo, OtherVariants)
{
    for (TFileInfo e : {MakeCurDirEntry(), MakeParentDirEntry()}) {
        EXPECT_TRUE(e.IsDirectory());
        EXPECT_TRUE(e.IsSpecial());
        EXPECT_EQ(e.ShortName(), e.FileName());
        EXPECT_EQ(e.LastWriteTime, 0);
        EXPECT_EQ(e.CreationTime, 0);
        EXPECT_EQ(e.LastAccessTime, 0);
    }
    EXPECT_EQ(MakeCurDirEntry().FileName(), ".");
    EXPECT_TRUE(MakeCurDirEntry().IsCurDir);
    EXPECT_EQ(MakeParentDirEntry().FileName(), "..");
    EXPECT_TRUE(MakeParentDirEntry().IsParentDir);

    TFileInfo server = MakeServerEntry("\\\\SERVER");
    EXPECT_EQ(server.FileName(), "\\\\SERVER");
    EXPECT_TRUE(server.IsServer && server.IsSpecial() && !server.IsDirectory());

    TFileInfo share = MakeShareEntry("\\\\SERVER\\表示\\", 12345);
    EXPECT_EQ(share.FileName(), "表示");
    EXPECT_TRUE(share.IsShare);
    EXPECT_EQ(share.Size, 12345);

    TFileInfo drive = MakeDriveEntry("C:\\", 1LL << 40);
    EXPECT_EQ(drive.FileName(), "C:\\");
    EXPECT_TRUE(drive.IsDrive);
    EXPECT_EQ(drive.Size, 1LL << 40);

    TArcEntryData d;
    d.name = "LongMemberName.txt";
    d.listIndex = 4;
    d.crc = 0xDEADBEEF;
    d.method = "-lh5-";
    d.lastWriteTime = 40000.5;
    d.compSize = 10;
    d.size = 30;
    TFileInfo member = MakeArchiveEntry(d);
    EXPECT_EQ(member.ShortName(), "LongMemberNa");  // cut, case kept
    EXPECT_EQ(member.CRC, 0xDEADBEEFu);
    EXPECT_EQ(member.Method, "-lh5-");
    EXPECT_EQ(member.CompSize, 10);
    EXPECT_EQ(member.Size, 30);
    EXPECT_EQ(member.ListIndex, 4);
    EXPECT_FALSE(member.IsDirectory());
    d.isDirectory = true;
    EXPECT_TRUE(MakeArchiveEntry(d).IsDirectory());

    TFileInfo copy = member;
    EXPECT_TRUE(SameEntry(copy, member));
    EXPECT_EQ(copy.LowerBody(), "longmembername");
}

TEST(FileInfo, Equality)
{
    TFileInfo base = FileEntry("a.txt", 10);
    TFileInfo flags = base;
    flags.Marked = true;
    flags.IsShare = true;
    EXPECT_TRUE(SameEntry(base, flags));  // kind flags and marks do not count

    TFileInfo other = base;
    other.SetFileName("A.txt");
    EXPECT_FALSE(SameEntry(base, other));  // the name's case does
    auto differs = [&](auto change) {
        TFileInfo e = base;
        change(e);
        return !SameEntry(base, e);
    };
    EXPECT_TRUE(differs([](TFileInfo& e) { e.ListIndex = 5; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.AttrH = 'H'; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.Size = 11; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.LastAccessTime = 1; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.SetShortName("B.TXT"); }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.Method = "x"; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.CompSize = 1; }));
    EXPECT_TRUE(differs([](TFileInfo& e) { e.CRC = 1; }));
}

TEST(FileInfo, FieldTexts)
{
    TFileInfo f = FileEntry("Long Name.txt", 5, file_attr::kReadOnly | file_attr::kCompressed, "LONGNA~1.TXT");
    f.CreationTime = LocalTime(2001, 2, 3, 4, 5, 6, 700);
    EXPECT_EQ(EntryFieldText(f, TEntryField::FileName), "Long Name.txt");
    EXPECT_EQ(EntryFieldText(f, TEntryField::ShortName), "LONGNA~1.TXT");
    EXPECT_EQ(EntryFieldText(f, TEntryField::Attr), "R____");
    EXPECT_EQ(EntryFieldText(f, TEntryField::AttrC), "R____C");
    EXPECT_EQ(EntryFieldText(f, TEntryField::CrDateTime), "2001/02/03 04:05:06");
    EXPECT_EQ(EntryFieldText(f, TEntryField::LwDateTime), "2020/05/06 07:08:09");
    EXPECT_EQ(EntryFieldText(DirEntry("d", file_attr::kHidden), TEntryField::Attr), "_H__D");

    struct Kind {
        TFileInfo e;
        const char* text;
    };
    const Kind kinds[] = {
        {MakeServerEntry("\\\\S"), "SERVER"}, {MakeShareEntry("\\\\S\\X", 0), "SHARE"},
        {MakeDriveEntry("C:\\", 0), "ROOTDRIVE"}, {DirEntry("d"), "DIR"},
        {MakeParentDirEntry(), "DIR"},         {f, "FILE"},
    };
    for (const Kind& k : kinds) EXPECT_EQ(EntryFieldText(k.e, TEntryField::FileType), k.text);
}

}  // namespace
