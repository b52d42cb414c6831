#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "compiler/driver.h"
#include "platform/sjis.h"
#include "support/testsupport.h"

namespace {

TEST(VelkcVersionText, FromTheFileVersion)
{
    struct Case {
        bool readable;
        unsigned major, minor, release, build;
        const char* text;
    };
    const Case cases[] = {
        {true, 2, 28, 1, 2, "2.28"},
        {true, 2, 28, 1, 0, "2.28"},
        {true, 1, 5, 1, 0, "1.05"},
        {true, 2, 28, 0, 17, "2.28β [Build 17]"},
        {true, 2, 28, 2, 0, "2.28a "},
        {true, 2, 28, 27, 0, "2.28z "},
        {true, 2, 28, 28, 0, "2.28 release 28 "},
        {true, 2, 28, 300, 0, "2.28 release 300 "},
        {false, 2, 28, 1, 0, "?.??"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VersionText(c.readable, c.major, c.minor, c.release, c.build), c.text)
            << c.major << "." << c.minor << "." << c.release << "." << c.build;
}

TEST(VelkcArguments, MatchingRules)
{
    struct Case {
        std::vector<std::string> args;
        TDriverArgs expected;
    };
    auto with = [](auto f) {
        TDriverArgs a;
        f(a);
        return a;
    };
    const Case cases[] = {
        {{"/Sa.src"}, with([](TDriverArgs& a) { a.src = "a.src", a.srcGiven = true; })},
        {{"/sa.src"}, with([](TDriverArgs& a) { a.src = "a.src", a.srcGiven = true; })},
        {{"/Bout.key", "/bnew.key"}, with([](TDriverArgs& a) { a.bin = "new.key", a.binGiven = true; })},
        {{"/Ic:\\inc;d:\\x"}, with([](TDriverArgs& a) { a.inc = "c:\\inc;d:\\x", a.incGiven = true; })},
        {{"/iinc"}, with([](TDriverArgs& a) { a.inc = "inc", a.incGiven = true; })},
        {{"/E"}, with([](TDriverArgs& a) { a.useEnv = true; })},
        {{"/e+"}, with([](TDriverArgs& a) { a.useEnv = true; })},
        {{"/E", "/e-"}, with([](TDriverArgs&) {})},
        {{"/Efoo"}, with([](TDriverArgs&) {})},
        {{"/w", "/V", "/l"}, with([](TDriverArgs& a) { a.wait = a.verbose = a.list = true; })},
        {{"/Wx", "/Vx", "/Lx"}, with([](TDriverArgs&) {})},
        {{"/h"}, with([](TDriverArgs& a) { a.help = true; })},
        {{"/help"}, with([](TDriverArgs& a) { a.help = true; })},
        {{"/?"}, with([](TDriverArgs& a) { a.help = true; })},
        {{"x.src", "-S", "/", "", "/Q"}, with([](TDriverArgs&) {})},
        // The value starts right after the two option characters.
        {{"/S"}, with([](TDriverArgs& a) { a.srcGiven = true; })},
    };
    for (const Case& c : cases) {
        TDriverArgs a = ParseArguments(c.args);
        std::string args;
        for (const auto& s : c.args) args += s + " ";
        EXPECT_EQ(a.src, c.expected.src) << args;
        EXPECT_EQ(a.srcGiven, c.expected.srcGiven) << args;
        EXPECT_EQ(a.bin, c.expected.bin) << args;
        EXPECT_EQ(a.binGiven, c.expected.binGiven) << args;
        EXPECT_EQ(a.inc, c.expected.inc) << args;
        EXPECT_EQ(a.useEnv, c.expected.useEnv) << args;
        EXPECT_EQ(a.wait, c.expected.wait) << args;
        EXPECT_EQ(a.verbose, c.expected.verbose) << args;
        EXPECT_EQ(a.list, c.expected.list) << args;
        EXPECT_EQ(a.help, c.expected.help) << args;
    }
}

TEST(VelkcArguments, VelkcincIsAppendedOnlyWhenAskedForAndUsable)
{
    struct Case {
        std::vector<std::string> args;
        const char* env;  // nullptr: the variable is absent
        std::string incPath;
    };
    const std::string long511(511, 'x');
    const std::string long512(512, 'x');
    const Case cases[] = {
        {{"/Ia"}, "c:\\env", "a"},
        {{"/Ia", "/E"}, "c:\\env", "a;c:\\env"},
        {{"/E+"}, "c:\\env", "c:\\env"},
        {{"/e", "/E-"}, "c:\\env", ""},
        {{"/Ia", "/E"}, nullptr, "a"},
        {{"/Ia", "/E"}, "", "a"},
        {{"/E"}, long511.c_str(), long511},
        {{"/Ia", "/E"}, long512.c_str(), "a"},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableA("VELKCINC", c.env);
        EXPECT_EQ(IncludePathFor(ParseArguments(c.args)), c.incPath) << (c.env ? std::string(c.env).size() : 0);
    }
    SetEnvironmentVariableA("VELKCINC", nullptr);
}

TEST(VelkcNames, KeyFileNameReplacesTheExtension)
{
    struct Case {
        const char* src;
        const char* key;
    };
    const Case cases[] = {
        {"C:\\x\\VELK.SRC", "C:\\x\\VELK.KEY"},
        {"C:\\x\\a.b.src", "C:\\x\\a.b.KEY"},
        {"C:\\x\\noext", "C:\\x\\noext.KEY"},
        {"C:\\x\\.src", "C:\\x\\.src.KEY"},
        {"C:\\x.d\\name", "C:\\x.d\\name.KEY"},
        // The trail byte of ソ is a backslash: it is no separator.
        {"C:\\ソ.src", "C:\\ソ.KEY"},
        {"C:\\ソ\\表.d", "C:\\ソ\\表.KEY"},
    };
    for (const Case& c : cases) EXPECT_EQ(KeyFileNameFor(c.src), c.key) << c.src;
}

TEST(VelkcNames, ResolvedAgainstTheCurrentDirectory)
{
    TTempDir dir;
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
    char full[MAX_PATH];
    GetFullPathNameA(".", MAX_PATH, full, nullptr);
    std::string cwd = full;

    TBinMakerOpt o = ResolveNames(ParseArguments({"/sa.src", "/iinc;d:\\x", "/L"}), "inc;d:\\x");
    EXPECT_EQ(o.SrcName, cwd + "\\a.src");
    EXPECT_EQ(o.BinName, cwd + "\\a.KEY");
    EXPECT_EQ(o.IncPath, cwd + "\\;inc;d:\\x");
    EXPECT_TRUE(o.ListMode);
    EXPECT_FALSE(o.Verbose);

    o = ResolveNames(ParseArguments({"/Ssub\\b.src", "/Bout\\x.bin", "/V"}), "");
    EXPECT_EQ(o.SrcName, cwd + "\\sub\\b.src");
    EXPECT_EQ(o.BinName, cwd + "\\out\\x.bin");
    EXPECT_EQ(o.IncPath, cwd + "\\sub\\");
    EXPECT_TRUE(o.Verbose);

    // Without /S and without VELK.SRC here, the source beside the program.
    o = ResolveNames(ParseArguments({}), "");
    EXPECT_EQ(o.SrcName, TestProgramDir() + "VELK.SRC");
    EXPECT_EQ(o.BinName, TestProgramDir() + "VELK.KEY");
    WriteBytes(dir.File("VELK.SRC"), "");
    o = ResolveNames(ParseArguments({}), "");
    EXPECT_EQ(o.SrcName, cwd + "\\VELK.SRC");

    SetCurrentDirectoryA(old);
}

}  // namespace
