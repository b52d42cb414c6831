#pragma once
// VELKC's entry: banner, options, names of source, include path and output.

#include <string>
#include <vector>

#include "compiler/binmakeropt.h"
#include "compiler/console.h"

struct TDriverArgs {
    std::string src, bin, inc;
    bool srcGiven = false, binGiven = false, incGiven = false;
    bool useEnv = false;  // consult VELKCINC
    bool wait = false;    // /W
    bool verbose = false;
    bool list = false;
    bool help = false;
};

// Matches the arguments one by one; unknown arguments are ignored.
TDriverArgs ParseArguments(const std::vector<std::string>& args);

// The version text from the file version (major.minor.release.build).
std::string VersionText(bool readable, unsigned major, unsigned minor, unsigned release, unsigned build);

// The include path with the VELKCINC value appended, when it is usable.
std::string AppendEnvIncPath(const std::string& incPath, const std::string& envValue, bool envExists);

// The default output name: the source name with ".KEY" as extension.
std::string KeyFileNameFor(const std::string& srcName);

// The /I path, followed by VELKCINC when the arguments ask for it.
std::string IncludePathFor(const TDriverArgs& a);

// Source, include path and output made absolute against the current
// directory (the source falls back to VELK.SRC beside the program).
TBinMakerOpt ResolveNames(const TDriverArgs& a, const std::string& incPath);

// Runs VELKC; returns the process exit code.
int RunVelkc(const std::vector<std::string>& args, TConsole& console);

extern const char* const kUsageLines[];
