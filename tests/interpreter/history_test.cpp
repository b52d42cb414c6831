// The history builtins and system variables, in this process and across
// processes: vtlrun attaches to the same shared histories as VELK would.
#include <gtest/gtest.h>

#include <windows.h>

#include "interpreter/vtlfixture.h"
#include "support/testsupport.h"

using namespace kb;

namespace {

std::string UniqueBase()
{
    static int n = 0;
    return "VelkBuiltinHist" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++n);
}

TCode ShowNum(const TCode& n) { return Call("IntToStr", {GS(0), n}) + Show(GS(0)); }

}  // namespace

class HistoryBuiltins : public TVtlTest {
protected:
    TTempDir dir;
    std::string base = UniqueBase();
    std::string file = dir.File("VELK.HIS");
    void SetUp() override { Globals(0, 1); }

    // Runs vtlrun on the program's #INIT, attached to the histories.
    TProcessResult RunPeer(const std::vector<TCode>& statements)
    {
        TKeyFileContent p = program;
        p.init = Block(statements);
        WriteBytes(dir.File("peer.KEY"), SerializeKeyFile(p));
        return RunProgram("\"" + TestProgramDir() + "vtlrun.exe\" \"" + dir.File("peer.KEY") + "\" --history " + base +
                              " \"" + file + "\"",
                          dir.Path());
    }
};

TEST_F(HistoryBuiltins, WithoutSharedHistoryNothingIsKept)
{
    Init({Call("AddDirHist", {Str("C:\\x")}), Call("SetExecHist", {Str("a\r\nb")}), Show(SysStr("$_DIRHIST")),
          Show(SysStr("$_EXECHIST")), ShowNum(SysNum("#_VELKCOUNT")), ShowNum(SysNum("#_VELKINDEX"))});
    EXPECT_EQ(host.lines, (Lines{"[out] ", "[out] ", "[out] -1", "[out] -1"}));
}

TEST_F(HistoryBuiltins, AddSetAndRead)
{
    host.history = std::make_unique<TRefCountEx>(base, 2, 20, 20, file);
    Init({Call("AddDirHist", {Str("C:\\a")}), Call("AddDirHist", {Str("")}), Call("AddDirHist", {Str("C:\\b")}),
          Call("AddDirHist", {Str("C:\\A")}), Call("AddDirHist", {Str("C:\\c")}), Call("AddExecHist", {Str("notepad")}),
          Call("SetRegHist", {Str("x\ny")}), Call("AddRegHist", {Str("z")}), Show(SysStr("$_DIRHIST")),
          Show(SysStr("$_EXECHIST")), Show(SysStr("$_REGHIST")), ShowNum(SysNum("#_VELKCOUNT")),
          ShowNum(SysNum("#_VELKINDEX"))});
    EXPECT_EQ(host.lines, (Lines{"[out] C:\\c\\nC:\\A\\n", "[out] notepad\\n", "[out] z\\nx\\ny\\n", "[out] 1", "[out] 1"}));
    host.lines.clear();
    Init({Call("SetDirHist", {Str("")}), Show(SysStr("$_DIRHIST"))});
    EXPECT_EQ(host.lines, Lines{"[out] "});
}

TEST_F(HistoryBuiltins, AnotherProcessAddsAndThisOneSeesIt)
{
    // This process is the first copy: its sizes hold for the other one.
    auto mine = std::make_unique<TRefCountEx>(base, 2, 20, 20, file);
    mine->Add(hlDirectory, "C:\\mine");
    TProcessResult r = RunPeer({Call("AddDirHist", {Str("C:\\1")}), Call("AddDirHist", {Str("C:\\2")}),
                                ShowNum(SysNum("#_VELKCOUNT")), ShowNum(SysNum("#_VELKINDEX")), Show(SysStr("$_DIRHIST"))});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "[out] 2\r\n[out] 2\r\n[out] C:\\2\\nC:\\1\\n\r\n");
    EXPECT_EQ(mine->Get(hlDirectory), "C:\\2\r\nC:\\1\r\n");
    // The other copy ended while this one runs: no file yet.
    EXPECT_FALSE(PathExists(file));
    EXPECT_EQ(mine->AttachedCount(), 1);
    ASSERT_TRUE(mine->Save());
    EXPECT_EQ(ReadBytes(file), "C:\\2\r\nC:\\1\r\n\r\n\r\n");
}

TEST_F(HistoryBuiltins, AFileSavedByOneInstanceIsReadByTheNext)
{
    TProcessResult first = RunPeer({Call("AddExecHist", {Str("cmd /c 表示")}), Call("AddRegHist", {Str("^a")})});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.output, "");
    EXPECT_EQ(ReadBytes(file), "\r\ncmd /c 表示\r\n\r\n^a\r\n");
    TProcessResult next = RunPeer({Show(SysStr("$_EXECHIST")), Show(SysStr("$_REGHIST")), ShowNum(SysNum("#_VELKINDEX"))});
    EXPECT_EQ(next.output, "[out] cmd /c 表示\\n\r\n[out] ^a\\n\r\n[out] 1\r\n");
}
