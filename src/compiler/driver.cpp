#include "compiler/driver.h"

#include <windows.h>

#include <cstdio>

#include "compiler/binmaker.h"
#include "compiler/paths.h"
#include "platform/sjis.h"

const char* const kUsageLines[] = {
    "usage : VELKC /options",
    "              /W        : コンパイル終了後、キー入力待ち",
    "              /Ssrcname : ソースファイルを指定(srcname)",
    "              /Bbinname : キーアサインファイルを指定(binname)",
    "              /Iincpath : #INCLUDEのサーチパス指定(;で区切って複数OK)",
    "              /E[+|-]   : 環境変数VELKCINCの参照の有無(default:- 参照しない)",
    "              /V        : コンパイルの詳細表示",
    "              /L        : 変数・サブルーチン・キー定義表示",
    "              /? or /H  : ヘルプ",
    nullptr,
};

namespace {

const char kNotice[] = "VTLソースをコンパイルしてキーアサインファイルを作ります";

std::string AsciiUpper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string ProgramPath()
{
    char buf[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string OwnVersionText()
{
    std::string exe = ProgramPath();
    DWORD dummy = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &dummy);
    if (size) {
        std::string data(size, '\0');
        VS_FIXEDFILEINFO* info = nullptr;
        UINT len = 0;
        if (GetFileVersionInfoA(exe.c_str(), 0, size, data.data()) &&
            VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len) && info && len >= sizeof *info)
            return VersionText(true, HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                               HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
    }
    return VersionText(false, 0, 0, 0, 0);
}

void WaitForReturn(TConsole& console)
{
    console.WriteLine();
    console.Write("HIT RETURN KEY ...");
    console.ReadLine();
}

}  // namespace

TDriverArgs ParseArguments(const std::vector<std::string>& args)
{
    TDriverArgs a;
    for (const std::string& arg : args) {
        std::string head = AsciiUpper(arg.substr(0, 2));
        std::string whole = AsciiUpper(arg);
        if (head == "/S") {
            a.src = arg.substr(2);
            a.srcGiven = true;
        } else if (head == "/B") {
            a.bin = arg.substr(2);
            a.binGiven = true;
        } else if (head == "/I") {
            a.inc = arg.substr(2);
            a.incGiven = true;
        } else if (whole == "/E" || whole == "/E+") {
            a.useEnv = true;
        } else if (whole == "/E-") {
            a.useEnv = false;
        } else if (whole == "/W") {
            a.wait = true;
        } else if (whole == "/V") {
            a.verbose = true;
        } else if (whole == "/L") {
            a.list = true;
        } else if (head == "/?" || head == "/H") {
            a.help = true;
        }
    }
    return a;
}

std::string VersionText(bool readable, unsigned major, unsigned minor, unsigned release, unsigned build)
{
    if (!readable) return "?.??";
    char number[32];
    std::snprintf(number, sizeof number, "%u.%.2u", major, minor);
    std::string text = number;
    if (release == 0)
        text += "β [Build " + std::to_string(build) + "]";
    else if (release >= 2 && release <= 27)
        text += std::string(1, static_cast<char>('a' + release - 2)) + " ";
    else if (release >= 28)
        text += " release " + std::to_string(release) + " ";
    return text;
}

std::string AppendEnvIncPath(const std::string& incPath, const std::string& envValue, bool envExists)
{
    if (!envExists || envValue.empty() || envValue.size() > 511) return incPath;
    return incPath.empty() ? envValue : incPath + ";" + envValue;
}

std::string KeyFileNameFor(const std::string& srcName)
{
    return SjisChangeFileExt(srcName, ".KEY");
}

std::string IncludePathFor(const TDriverArgs& a)
{
    if (!a.useEnv) return a.inc;
    // The variable is read into a buffer of 512 characters; a longer value
    // is ignored as if it were absent.
    char buf[512];
    DWORD n = GetEnvironmentVariableA("VELKCINC", buf, sizeof buf);
    bool exists = n > 0 && n < sizeof buf;
    return AppendEnvIncPath(a.inc, exists ? std::string(buf, n) : std::string(), exists);
}

TBinMakerOpt ResolveNames(const TDriverArgs& a, const std::string& incPath)
{
    TBinMakerOpt opt;
    if (a.srcGiven) {
        opt.SrcName = FullPathName(a.src);
    } else {
        opt.SrcName = FullPathName("VELK.SRC");
        if (!FileExists(opt.SrcName)) opt.SrcName = SjisExtractFilePath(ProgramPath()) + "VELK.SRC";
    }
    // Search order for includes: the source's directory, /I, VELKCINC.
    std::string srcDir = SjisExtractFilePath(opt.SrcName);
    opt.IncPath = incPath.empty() ? srcDir : srcDir + ";" + incPath;
    opt.BinName = a.binGiven ? FullPathName(a.bin) : KeyFileNameFor(opt.SrcName);
    opt.ListMode = a.list;
    opt.Verbose = a.verbose;
    return opt;
}

int RunVelkc(const std::vector<std::string>& args, TConsole& console)
{
    console.WriteLine("Velkano Tiny Language Compiler Ver " + OwnVersionText());
    console.WriteLine(kNotice);

    TDriverArgs a = ParseArguments(args);
    std::string incPath = IncludePathFor(a);

    console.WriteLine();
    if (a.help) {
        for (const char* const* line = kUsageLines; *line; ++line) console.WriteLine(*line);
        if (a.wait) WaitForReturn(console);
        return kExitDone;
    }

    TBinMakerOpt opt = ResolveNames(a, incPath);
    if (!FileExists(opt.SrcName)) {
        console.WriteLine(opt.SrcName + " が見つからない");
        if (a.wait) WaitForReturn(console);
        return kExitDone;
    }

    int exitCode;
    {
        TBinMaker maker(opt, console);
        exitCode = maker.Run();
    }
    if (a.wait) WaitForReturn(console);
    return exitCode;
}
