#pragma once
// The compiler proper: compiles the main source (and what it includes) and
// writes the key-assign file.

#include <stdexcept>
#include <string>
#include <vector>

#include "compiler/binmakeropt.h"
#include "compiler/builtintables.h"
#include "compiler/console.h"
#include "compiler/keyassign.h"
#include "compiler/keyfile.h"
#include "compiler/srcread.h"
#include "compiler/tokens.h"

// A routine declared FORWARD and never given a body.
class ENoDefineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Ends the compilation after an included file has reported its own error.
class EErrInclude : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key-assign file could not be written; the previous one is kept.
class EKeyFileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TCompileExitCode {
    kExitDone = 0,
    kExitMissingBody = 1,
    kExitSourceError = 2,
    kExitIncludeError = 3,
    kExitWriteFailed = 4,
};

// The name the previous key-assign file is kept under: ".SAV" for the extension.
std::string KeyFileBackupName(const std::string& binName);

// "Error : ", the line with its number, and the caret under the column.
void ReportSourceError(TConsole& console, const TSrcReader& reader, const std::string& message);

class TBinMaker {
public:
    TBinMaker(const TBinMakerOpt& opt, TConsole& console);
    virtual ~TBinMaker() = default;

    // Compiles and writes; returns the process exit code.
    int Run();

    const TKeyFileContent& Content() const { return content_; }

protected:
    // The top-level loop over one file's sections.
    virtual void CompileFile(TSrcReader& reader);
    // Writes the file, keeping the previous one as .SAV; on any failure the
    // partial file is removed and the previous one put back.
    void WriteKeyFile();
    // The file system under the writer (replaced in tests to make it fail).
    virtual void* CreateOutputFile(const std::string& path);
    virtual bool WriteOutput(void* file, const char* data, std::size_t n);

    TBinMakerOpt opt_;
    TConsole& console_;
    // The catalogue and key names, built once when the compiler starts.
    const TBuiltinTables builtins_;
    TTokenAnalyzer analyzer_{builtins_};
    TKeyAssigns keyAssigns_;
    TKeyFileContent content_;
    std::vector<std::string> filesRead_;
};
