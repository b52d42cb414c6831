// File-name builtins on a table of paths: drive paths, UNC paths with "."
// and ".." at server and share level, names with a 0x5C trail byte, roots
// and relative paths; long, short and special names on real files.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "interpreter/vtlfixture.h"
#include "support/testsupport.h"

using namespace kb;

namespace {

// Works in a fresh current directory; relative paths are completed there.
class FileNameBuiltins : public TVtlTest {
protected:
    TTempDir dir;
    std::string saved;

    void SetUp() override
    {
        char buf[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, buf);
        saved = buf;
        SetCurrentDirectoryA(dir.Path().c_str());
        Globals(1, 2);
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }

    // Runs one call that writes $s0 (and $s1).
    std::pair<std::string, std::string> Outputs(const TCode& call)
    {
        host.lines.clear();
        Init({call});
        EXPECT_TRUE(host.lines.empty()) << ::testing::PrintToString(host.lines);
        return {S(0), S(1)};
    }
    std::string Out(const TCode& call) { return Outputs(call).first; }
};

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail bytes are no separators.
const std::string H = "表", So = "ソ";

struct TCase {
    std::string path;
    std::int64_t n;
    std::string expected;
};

}  // namespace

TEST_F(FileNameBuiltins, ExpandFilename)
{
    const std::string cwd = dir.Path();
    const TCase cases[] = {
        {"C:\\a\\.\\b\\..\\c.txt", 0, "C:\\a\\c.txt"},
        {"rel\\x.txt", 0, cwd + "\\rel\\x.txt"},
        {H + "\\" + So + "x.txt", 0, cwd + "\\" + H + "\\" + So + "x.txt"},
        {"C:\\" + H + "\\..\\x", 0, "C:\\x"},
        {"C:\\", 0, "C:\\"},
        {"\\\\", 0, "\\\\"},
        {"", 0, ""},
        {"\\\\srv\\share\\dir\\..\\f", 0, "\\\\srv\\share\\f"},
        {"\\\\srv\\share\\.\\f\\.", 0, "\\\\srv\\share\\f"},
        {"\\\\srv\\.\\share\\d", 0, "\\\\srv\\share\\d"},
        {"\\\\srv\\share\\" + H + "\\.\\" + So, 0, "\\\\srv\\share\\" + H + "\\" + So},
        {"\\\\srv\\share\\" + H + "\\..\\x", 0, "\\\\srv\\share\\x"},
        {"\\\\srv\\share\\dir\\", 0, "\\\\srv\\share\\dir\\"},
        // A ".." above the share or the server: dropped with 0, climbs otherwise.
        {"\\\\srv\\share\\..\\other", 0, "\\\\srv\\share\\other"},
        {"\\\\srv\\share\\..\\other", 1, "\\\\srv\\other"},
        {"\\\\srv\\..\\x", 0, "\\\\srv\\x"},
        {"\\\\srv\\..\\x", 1, "\\\\x"},
        {"\\\\srv\\share\\..\\..", 1, "\\\\"},
        {"\\\\srv\\share\\..\\..\\..\\..", 1, "\\\\"},
        {"\\\\srv\\share\\..\\..", 0, "\\\\srv\\share"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Out(Call("ExpandFilename", {GS(0), Str(c.path), Num(c.n)})), c.expected) << c.path << " " << c.n;
}

TEST_F(FileNameBuiltins, ExtractDir)
{
    const TCase cases[] = {
        {"C:\\a\\b\\c.txt", 0, "C:\\"},
        {"C:\\a\\b\\c.txt", -1, "C:\\"},
        {"C:\\a\\b\\c.txt", 1, "C:\\a"},
        {"C:\\a\\b\\c.txt", 2, "C:\\a\\b"},
        {"C:\\a\\b\\c.txt", 3, "C:\\a\\b\\c.txt"},
        {"C:\\a\\b\\c.txt", 9, "C:\\a\\b\\c.txt"},
        {"C:\\" + H + "\\" + So + "\\x", 1, "C:\\" + H},
        {"C:\\" + H + "\\" + So + "\\x", 2, "C:\\" + H + "\\" + So},
        {"C:\\", 1, "C:\\"},
        {"\\\\srv\\share\\a\\b", 0, "\\\\srv\\share"},
        {"\\\\srv\\share\\a\\b", 1, "\\\\srv\\share\\a"},
        {"\\\\srv\\share\\" + H + "\\b", 1, "\\\\srv\\share\\" + H},
        {"\\\\srv\\share\\..\\a", 1, "\\\\srv\\a"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Out(Call("ExtractDir", {GS(0), Str(c.path), Num(c.n)})), c.expected) << c.path << " " << c.n;
}

TEST_F(FileNameBuiltins, GetRelativeName)
{
    struct TRel {
        std::string base, target, expected;
    };
    const std::string cwd = dir.Path();
    const TRel cases[] = {
        {"C:\\a\\b", "C:\\a\\c\\d.txt", "..\\c\\d.txt"},
        {"C:\\a\\b\\", "C:\\a\\b\\x.txt", "x.txt"},
        {"C:\\A\\B", "c:\\a\\b\\x", "x"},
        {"C:\\a\\b\\c", "C:\\a\\x", "..\\..\\x"},
        {"C:\\a", "C:\\a\\x\\", "x\\"},
        {"C:\\a", "C:\\a", ""},
        {"C:\\a", "D:\\a\\x", "D:\\a\\x"},
        {"C:\\" + H, "C:\\" + H + "\\" + So, So},
        {"C:\\" + H + "x", "C:\\" + H + "\\x", "..\\" + H + "\\x"},
        {"\\\\srv\\share\\a", "\\\\srv\\share\\b\\c", "..\\b\\c"},
        {"\\\\srv\\share\\a", "\\\\SRV\\Share\\a\\c", "c"},
        {"\\\\srv\\share\\a", "\\\\srv\\other\\a", "\\\\srv\\other\\a"},
        {cwd, "sub\\f.txt", "sub\\f.txt"},
    };
    for (const TRel& c : cases)
        EXPECT_EQ(Out(Call("GetRelativeName", {GS(0), Str(c.base), Str(c.target)})), c.expected)
            << c.base << " " << c.target;
}

TEST_F(FileNameBuiltins, DivPathAndNameAndDivNameAndExt)
{
    struct TDiv {
        std::string path, first, second;
    };
    const std::string cwd = dir.Path();
    const TDiv paths[] = {
        {"C:\\a\\b.txt", "C:\\a", "b.txt"},
        {"C:\\b.txt", "C:\\", "b.txt"},
        {"C:\\", "C:\\", ""},
        {"C:\\" + H + "\\" + So, "C:\\" + H, So},
        {"\\\\srv\\share\\f", "\\\\srv\\share", "f"},
        {"\\\\srv\\share", "\\\\srv", "share"},
        {"\\\\srv", "\\\\", "srv"},
        {"rel.txt", cwd, "rel.txt"},
    };
    for (const TDiv& c : paths)
        EXPECT_EQ(Outputs(Call("DivPathAndName", {GS(0), GS(1), Str(c.path)})), std::make_pair(c.first, c.second))
            << c.path;
    const TDiv names[] = {
        {"C:\\a\\b.tar.gz", "b.tar", ".gz"},
        {"C:\\a\\.profile", ".profile", ""},
        {"C:\\a.b\\c", "c", ""},
        {"C:\\" + H + "." + So, H, "." + So},
        {"C:\\a\\" + So, So, ""},
        {"noext", "noext", ""},
    };
    for (const TDiv& c : names)
        EXPECT_EQ(Outputs(Call("DivNameAndExt", {GS(0), GS(1), Str(c.path)})), std::make_pair(c.first, c.second))
            << c.path;
}

TEST_F(FileNameBuiltins, DivNameAndExtKeepsDirectoryNamesWholeWhenThePaneSaysSo)
{
    CreateDirectoryA(dir.File("x.d").c_str(), nullptr);
    WriteBytes(dir.File("y.d"), "");
    const TCode dirCall = Call("DivNameAndExt", {GS(0), GS(1), Str("x.d")});
    const TCode fileCall = Call("DivNameAndExt", {GS(0), GS(1), Str("y.d")});
    EXPECT_EQ(Outputs(dirCall), std::make_pair(std::string("x"), std::string(".d")));
    host.dirNoExt = true;
    EXPECT_EQ(Outputs(dirCall), std::make_pair(std::string("x.d"), std::string()));
    EXPECT_EQ(Outputs(fileCall), std::make_pair(std::string("y"), std::string(".d")));
}

TEST_F(FileNameBuiltins, LongShortAndUNCNames)
{
    const std::string longDir = dir.File("Long Directory Name");
    CreateDirectoryA(longDir.c_str(), nullptr);
    WriteBytes(longDir + "\\Mixed Case File.Text", "x");
    WriteBytes(longDir + "\\" + H + So + ".txt", "y");
    // Any case in, the stored case out; a missing file gives the completed path.
    EXPECT_EQ(Out(Call("GetLongName", {GS(0), Str("long directory name\\MIXED case file.text")})),
              longDir + "\\Mixed Case File.Text");
    EXPECT_EQ(Out(Call("GetLongName", {GS(0), Str("Long Directory Name\\.\\" + H + So + ".TXT")})),
              longDir + "\\" + H + So + ".txt");
    EXPECT_EQ(Out(Call("GetLongName", {GS(0), Str("Long Directory Name\\none\\..\\missing.txt")})),
              longDir + "\\missing.txt");
    EXPECT_EQ(Out(Call("GetLongName", {GS(0), Str("Long Directory Name\\*.txt")})), longDir + "\\*.txt");
    EXPECT_EQ(Out(Call("GetLongNameEx", {GS(0), Str("long directory name\\mixed case file.text")})),
              longDir + "\\Mixed Case File.Text");

    // The short form names the same file (its form is the file system's own).
    const std::string shortName = Out(Call("GetShortName", {GS(0), Str(longDir + "\\Mixed Case File.Text")}));
    char back[MAX_PATH] = {};
    GetLongPathNameA(shortName.c_str(), back, MAX_PATH);
    EXPECT_EQ(std::string(back), longDir + "\\Mixed Case File.Text") << shortName;
    EXPECT_EQ(Out(Call("GetShortName", {GS(0), Str("missing\\x")})), dir.File("missing\\x"));
    const std::string shortJapanese = Out(Call("GetShortName", {GS(0), Str(longDir + "\\" + H + So + ".txt")}));
    GetLongPathNameA(shortJapanese.c_str(), back, MAX_PATH);
    EXPECT_EQ(std::string(back), longDir + "\\" + H + So + ".txt") << shortJapanese;

    // No network drives here: the completed path.
    EXPECT_EQ(Out(Call("GetUNCName", {GS(0), Str("a.txt")})), dir.File("a.txt"));
    EXPECT_EQ(Out(Call("GetUNCName", {GS(0), Str("\\\\srv\\share\\.\\a")})), "\\\\srv\\share\\a");
}

TEST_F(FileNameBuiltins, GetLongNameExReplacesASubstitutedDrive)
{
    const std::string target = dir.File("Substituted");
    CreateDirectoryA(target.c_str(), nullptr);
    WriteBytes(target + "\\Inner.Txt", "x");
    char drive[] = "Q:";
    for (char d = 'Q'; d <= 'Y'; ++d)
        if (!((GetLogicalDrives() >> (d - 'A')) & 1)) {
            drive[0] = d;
            break;
        }
    if (!DefineDosDeviceA(0, drive, target.c_str())) GTEST_SKIP() << "no drive substitution here";
    EXPECT_EQ(Out(Call("GetLongNameEx", {GS(0), Str(std::string(drive) + "\\inner.txt")})), target + "\\Inner.Txt");
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, drive, nullptr);
}

TEST_F(FileNameBuiltins, SpecialFolders)
{
    char desktop[MAX_PATH] = {}, programs[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, programs, CSIDL_PROGRAMS, FALSE));
    Init({SetStr(GS(1), Str("keep")), Call("GetSpecialDir", {GS(0), Num(99)}), SetNum(GN(0), SysNum("#_RESULT"))});
    EXPECT_EQ(S(0), desktop);
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(Out(Call("GetSpecialDir", {GS(0), Num(1)})), programs);
    EXPECT_EQ(Out(Call("GetSPecialDirEx", {GS(0), Num(CSIDL_DESKTOPDIRECTORY)})), desktop);
    // A folder without a path (the virtual "My Computer"): 1 and T unchanged.
    Init({SetStr(GS(0), Str("keep")), Call("GetSPecialDirEx", {GS(0), Num(CSIDL_DRIVES)}),
          SetNum(GN(0), SysNum("#_RESULT"))});
    EXPECT_EQ(S(0), "keep");
    EXPECT_EQ(G(0), 1);
}
