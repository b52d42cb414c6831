// Speed of VELK's interpreter: a loop of ten million simple statements (a
// FOR loop whose body does a CalcNum and an IF), the same loop in Lua 5.4
// for comparison, and the loading of a key-assign file of about 10 MB.
// Prints the median of several runs of each with its target.
//   interpreter_bench [--runs N]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "benchutil.h"
#include "interpreter/keyfile_builder.h"
#include "interpreter/keysrc.h"
#include "interpreter/recordinghost.h"
#include "support/testsupport.h"

using namespace kb;

namespace {

constexpr std::int64_t kPasses = 5000000;  // two statements each

// FOR #i = 1 TO 5000000 DO { CalcNum(#s, #s, +, #i); IF (#i % 1000 == 0) { IncNum(#k); }; }
std::string LoopProgram()
{
    TKeyFileContent p;
    p.globalNums = {{"#i", 0}, {"#s", 0}, {"#k", 0}};
    p.init = Block({ForTo(GN(0), Num(1), Num(kPasses),
                          Block({Call("CalcNum", {GN(1), GN(1), Op('+'), GN(0)}),
                                 If(Cond({Term("EqNum", {Expr({GN(0), Op('%'), Num(1000)}), Num(0)})}),
                                    Block({Call("IncNum", {GN(2)})}))}))});
    return SerializeKeyFile(p);
}

// Writes its time into the file (a path of the host system).
std::string LuaLoop(const std::string& unixFile)
{
    return "local t = os.clock() local s, k = 0, 0 "
           "for i = 1, 5000000 do s = s + i if i % 1000 == 0 then k = k + 1 end end "
           "local f = io.open('" + unixFile + "', 'w') f:write(os.clock() - t) f:close()";
}

// Routines and bindings with bodies of ordinary statements, and global
// arrays, up to about the given size.
std::string LargeProgram(std::size_t bytes)
{
    TKeyFileContent p;
    std::vector<TCode> statements;
    for (int i = 0; i < 40; ++i) {
        statements.push_back(SetNum(GN(i % 8), Expr({GN(1), Op('+'), Num(i), Op('*'), GN(2)})));
        statements.push_back(If(Cond({Term("EqStr", {GS(0), Str("some text of a message")})}),
                                Block({Show(Expr({Str("value "), GS(1)}))})));
    }
    const TCode body = Block(statements);
    for (int i = 0; i < 8; ++i) p.globalNums.push_back({"#g" + std::to_string(i), i});
    p.globalStrs = {{"$a", "first"}, {"$b", "second"}};
    p.numArrays = {{"#table", std::vector<std::int64_t>(10000, 7)}};
    p.strArrays = {{"$names", std::vector<std::string>(2000, "name.txt")}};
    std::size_t size = 0;
    for (int i = 0; size < bytes; ++i) {
        p.subs.push_back({"Sub" + std::to_string(i), "NVS", body});
        size += body.size() + 80;
    }
    p.init = body;
    return SerializeKeyFile(p);
}

void Report(const char* what, double value, const char* unit, const char* target, bool met)
{
    std::printf("%-34s %12.2f %-6s (target %s)%s\n", what, value, unit, target, met ? "" : "  BELOW TARGET");
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));

    TRecordingHost host;
    TKeySrc vtl(host);
    if (!vtl.LoadKeyImage(LoopProgram(), "LOOP.KEY")) return 1;
    double loop = MedianSeconds(runs, [&] { vtl.RunInit(); });
    const double statements = 2.0 * static_cast<double>(kPasses);
    const double rate = statements / loop / 1e6;
    Report("VTL loop (FOR, CalcNum, IF)", rate, "M st/s", ">= 5", rate >= 5.0);

    TTempDir dir;
    // Lua runs as a program of the host system: Wine neither connects it to
    // our pipes nor lets us wait for it. Its figure comes back in a file
    // under /tmp (drive Z:), written when it is done.
    const std::string luaFile = "/tmp/velk_lua_bench_" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::string luaFileHere = "Z:" + luaFile;
    std::replace(luaFileHere.begin(), luaFileHere.end(), '/', '\\');
    TProcessResult lua = RunProgram("cmd /c Z:\\usr\\bin\\lua5.4 -e \"" + LuaLoop(luaFile) + "\"", dir.Path());
    for (int waited = 0; lua.exitCode == 0 && waited < 600 && (!PathExists(luaFileHere) || ReadBytes(luaFileHere).empty()); ++waited)
        Sleep(100);
    Sleep(100);
    double luaSeconds = PathExists(luaFileHere) ? std::atof(ReadBytes(luaFileHere).c_str()) : 0;
    DeleteFileA(luaFileHere.c_str());
    if (luaSeconds > 0) {
        std::printf("%-34s %12.2f %-6s\n", "Lua 5.4, the same loop", statements / luaSeconds / 1e6, "M st/s");
        std::printf("%-34s %12.2f %-6s\n", "VTL time / Lua time", loop / luaSeconds, "");
    } else {
        std::printf("Lua 5.4 not run (exit code %d): %s\n", lua.exitCode, lua.output.c_str());
    }

    const std::string big = LargeProgram(10u << 20);
    WriteBytes(dir.File("big.KEY"), big);
    double load = MedianSeconds(runs, [&] {
        vtl.ClearKeyData();
        if (!vtl.LoadKeyFile(dir.File("big.KEY"))) std::exit(1);
    });
    char what[64];
    std::snprintf(what, sizeof what, "load %.1f MB key-assign file", static_cast<double>(big.size()) / (1 << 20));
    Report(what, load * 1000, "ms", "< 100", load < 0.1);
    return 0;
}
