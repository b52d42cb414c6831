#pragma once
// The compiler proper: compiles the main source section by section (with
// the files it includes) and writes the key-assign file.

#include <memory>
#include <stdexcept>
#include <string>

#include "compiler/binmakeropt.h"
#include "compiler/builtintables.h"
#include "compiler/compilecontext.h"
#include "compiler/console.h"
#include "compiler/declarations.h"
#include "compiler/dialogs.h"
#include "compiler/keyassign.h"
#include "compiler/keyfile.h"
#include "compiler/srcread.h"
#include "compiler/statements.h"
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
    TBinMaker(const TBinMaker&) = delete;
    TBinMaker& operator=(const TBinMaker&) = delete;

    // Compiles and writes; returns the process exit code.
    int Run();

    // What has been compiled, as the writer reads it.
    TProgramTables Tables() const;

protected:
    // The file system under the compiler (replaced in tests).
    virtual TSrcReader OpenSource(const std::string& path);
    virtual bool SourceExists(const std::string& path);
    virtual void* CreateOutputFile(const std::string& path);
    virtual bool WriteOutput(void* file, const char* data, std::size_t n);
    // Flushes and closes; false (with the error as the last error) on failure.
    virtual bool CloseOutput(void* file);

private:
    // The top-level loop over one file's sections.
    void CompileFile(TSrcReader& reader);
    void CompileSection(TTokenKind kind);
    void SubSection();
    void FuncSection();
    void DialogSection();
    void KeySetSection();
    void Binding(const std::string& setName);
    void SpecialBlock(std::unique_ptr<TSenObject>& block, std::int32_t marker, const char* word, const char* header);
    void IncludeSection();
    std::string ResolveInclude(const std::string& name);
    // Reads a routine's name; rejects names the kind of routine may not take.
    TToken RoutineName(std::string_view prompt, TTokenKind own);
    TParameters RoutineHeader(const std::string& header);
    // Adds a new routine to the table and compiles its body, or compiles the
    // body of one declared FORWARD.
    void DefineRoutine(TSenHashTable& table, TSenObject* declared, const TToken& name, const TParameters& p,
                       const char* kind);
    // Compiles the body into code; false for a FORWARD declaration.
    bool CompileRoutineBody(TSenObject& code, bool forwardAllowed);
    void CheckMissingBodies() const;
    // Lists the tables with /L or /V, then writes the file, keeping the
    // previous one as .SAV; on any failure the partial file is removed and
    // the previous one put back.
    void WriteKeyFile();

    TBinMakerOpt opt_;
    TConsole& console_;
    // The catalogue and key names, built once when the compiler starts.
    const TBuiltinTables builtins_;
    TTokenAnalyzer analyzer_{builtins_};
    TKeyAssigns keyAssigns_;
    std::unique_ptr<TSenObject> preKey_, init_, done_;
    // Full paths of the main source and every included file.
    TStrStrList filesRead_{true};
    TCompileContext ctx_;
    TDeclCompiler decls_{ctx_};
    TStmtCompiler statements_{ctx_};
    TDialogCompiler dialogs_{ctx_, statements_};
    // Bodies are compiled here and then copied to a buffer of their size.
    TSenObject scratch_;
};
