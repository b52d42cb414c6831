// Replacing the key-assign file: the previous one is kept as .SAV, and a
// failure at any point leaves the previous .KEY where it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "compile_harness.h"
#include "compiler/binmaker.h"
#include "support/testsupport.h"

namespace {

enum class Fault { none, create, halfway };

class TFaultyBinMaker : public TBinMaker {
public:
    TFaultyBinMaker(const TBinMakerOpt& opt, TConsole& console, Fault fault) : TBinMaker(opt, console), fault_(fault) {}

protected:
    void* CreateOutputFile(const std::string& path) override
    {
        if (fault_ == Fault::create) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        return TBinMaker::CreateOutputFile(path);
    }
    bool WriteOutput(void* file, const char* data, std::size_t n) override
    {
        if (fault_ != Fault::halfway) return TBinMaker::WriteOutput(file, data, n);
        TBinMaker::WriteOutput(file, data, n / 2);
        SetLastError(ERROR_DISK_FULL);
        return false;
    }

private:
    Fault fault_;
};

struct Compiled {
    int exitCode;
    std::string output;
};

Compiled Compile(const TTempDir& dir, Fault fault = Fault::none, const std::string& binName = "a.KEY")
{
    if (!PathExists(dir.File("a.src"))) WriteBytes(dir.File("a.src"), "");
    TBinMakerOpt opt;
    opt.SrcName = dir.File("a.src");
    opt.BinName = dir.File(binName);
    opt.IncPath = dir.Path() + "\\";
    TStringConsole console;
    TFaultyBinMaker maker(opt, console, fault);
    int code = maker.Run();
    return {code, console.output};
}

TEST(KeyFileWriter, BackupNameFollowsTheExtensionRule)
{
    EXPECT_EQ(KeyFileBackupName("C:\\x\\VELK.KEY"), "C:\\x\\VELK.SAV");
    EXPECT_EQ(KeyFileBackupName("C:\\x\\out"), "C:\\x\\out.SAV");
    EXPECT_EQ(KeyFileBackupName("C:\\x\\.key"), "C:\\x\\.key.SAV");
}

TEST(KeyFileWriter, PreviousFileIsKeptAsSav)
{
    TTempDir dir;
    WriteBytes(dir.File("a.KEY"), "previous");
    WriteBytes(dir.File("a.SAV"), "older");
    Compiled c = Compile(dir);
    EXPECT_EQ(c.exitCode, 0) << c.output;
    EXPECT_EQ(ReadBytes(dir.File("a.SAV")), "previous");
    EXPECT_EQ(ReadBytes(dir.File("a.KEY")), EmptyKeyFile());

    // Twice in a row: the first result in .SAV, the second in .KEY.
    c = Compile(dir);
    EXPECT_EQ(c.exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.File("a.SAV")), EmptyKeyFile());
    EXPECT_EQ(ReadBytes(dir.File("a.KEY")), EmptyKeyFile());
}

TEST(KeyFileWriter, FailuresRestoreThePreviousFile)
{
    for (Fault fault : {Fault::create, Fault::halfway}) {
        TTempDir dir;
        WriteBytes(dir.File("a.KEY"), "previous");
        Compiled c = Compile(dir, fault);
        EXPECT_EQ(c.exitCode, 4);
        EXPECT_NE(c.output.find("\r\nError : キーアサインファイルを"), std::string::npos) << c.output;
        EXPECT_NE(c.output.find("COMPILE >> DONE"), std::string::npos);
        EXPECT_EQ(ReadBytes(dir.File("a.KEY")), "previous");
        EXPECT_FALSE(PathExists(dir.File("a.SAV")));
    }
}

TEST(KeyFileWriter, FailureWithoutPreviousFileLeavesNoPartialFile)
{
    TTempDir dir;
    Compiled c = Compile(dir, Fault::halfway);
    EXPECT_EQ(c.exitCode, 4);
    EXPECT_FALSE(PathExists(dir.File("a.KEY")));
    EXPECT_FALSE(PathExists(dir.File("a.SAV")));
}

TEST(KeyFileWriter, NoBackupPossibleMeansNothingIsTouched)
{
    // The old .SAV is held open, so it can be neither deleted nor replaced.
    TTempDir dir;
    WriteBytes(dir.File("a.KEY"), "previous");
    WriteBytes(dir.File("a.SAV"), "older");
    HANDLE h = CreateFileA(dir.File("a.SAV").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Compiled c = Compile(dir);
    CloseHandle(h);
    EXPECT_EQ(c.exitCode, 4);
    EXPECT_NE(c.output.find("Error : バックアップファイルを"), std::string::npos) << c.output;
    EXPECT_EQ(ReadBytes(dir.File("a.KEY")), "previous");
    EXPECT_EQ(ReadBytes(dir.File("a.SAV")), "older");
}

}  // namespace

namespace {

TEST(KeyFileWriter, AnOutputNamedLikeTheSourceIsRefused)
{
    TTempDir dir;
    WriteBytes(dir.File("a.src"), "// the user's program\r\n");
    Compiled c = Compile(dir, Fault::none, "A.SRC");
    EXPECT_EQ(c.exitCode, 4);
    EXPECT_NE(c.output.find("Error : キーアサインファイルがソースファイルと同じです : "), std::string::npos) << c.output;
    EXPECT_EQ(ReadBytes(dir.File("a.src")), "// the user's program\r\n");
    EXPECT_FALSE(PathExists(dir.File("a.SAV")));
}

TEST(KeyFileWriter, AnOutputNamedSavIsReplacedWholeOrNotAtAll)
{
    // Its backup name would be itself: the previous file must survive a
    // failed write all the same.
    for (Fault fault : {Fault::create, Fault::halfway, Fault::none}) {
        TTempDir dir;
        WriteBytes(dir.File("out.sav"), "previous");
        Compiled c = Compile(dir, fault, "out.sav");
        EXPECT_EQ(c.exitCode, fault == Fault::none ? 0 : 4) << c.output;
        EXPECT_EQ(ReadBytes(dir.File("out.sav")), fault == Fault::none ? EmptyKeyFile() : "previous");
        EXPECT_FALSE(PathExists(dir.File("out.sav.tmp")));
    }
}

}  // namespace
