#pragma once
// The interpreter: the loaded key-assign file (globals, routines, code,
// key sets) and the execution of its code for keys, mouse actions, window
// events, #INIT and #DONE. Its implementation is split by concern:
// keyloader.cpp (loading), storage.cpp (variables, frames), expressions.cpp
// and conditions.cpp (operands), statements.cpp and calls.cpp (execution),
// keysrc.cpp (runs, reports, dispatch).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/codereader.h"
#include "interpreter/dispatch.h"
#include "interpreter/egrammer.h"
#include "interpreter/initdatas.h"
#include "interpreter/keysets.h"
#include "interpreter/userlists.h"
#include "interpreter/vtlhost.h"
#include "platform/awkstr.h"
#include "script-format/senobject.h"

// Kinds of user routine, for argument binding and its messages.
enum class TRoutineKind { Sub, NumFunc, StrFunc, BoolFunc, Dialog };

// An array handed to a builtin or routine: a variable's own object, or a
// temporary built from an array constant (owned here).
template <class TArray>
struct TArrayOperand {
    TArray* array = nullptr;
    std::unique_ptr<TArray> temporary;
    TArray& operator*() const { return *array; }
    TArray* operator->() const { return array; }
};

class TKeySrc {
public:
    // Routine calls nest at most this deep; blocks, expressions and
    // conditions (calls included) at most kMaxNesting deep. The stack the
    // programs are linked with holds both.
    static constexpr int kMaxCallDepth = 1000;
    static constexpr int kMaxNesting = 4000;

    explicit TKeySrc(TVtlHost& host);
    TKeySrc(const TKeySrc&) = delete;
    TKeySrc& operator=(const TKeySrc&) = delete;
    ~TKeySrc();

    // --- Loading ---------------------------------------------------------
    // Loads the file, adding to what is loaded; every failure is shown to
    // the user and leaves the object empty. True when it loaded.
    bool LoadKeyFile(const std::string& fileName);
    // The same from the file's bytes (fullPath becomes KeyFileName).
    bool LoadKeyImage(std::string_view bytes, const std::string& fullPath);
    void ClearKeyData();
    void ClearKeySets();

    const std::string& KeyFileName() const { return keyFileName_; }
    int FileVersion() const { return fileVersion_; }
    const TSenObject& CodeStream() const { return codeStream_; }
    std::int32_t InitOffset() const { return initOffset_; }
    std::int32_t DoneOffset() const { return doneOffset_; }
    std::int32_t PreKeyOffset() const { return preKeyOffset_; }
    TKeySets& KeySets() { return keySets_; }

    std::int32_t LookupCharKey(std::string_view setName, int code) const;
    std::int32_t LookupKey(std::string_view setName, int code, bool alt, bool ctrl, bool shift) const;
    std::int32_t LookupMouse(std::string_view setName, int code, bool alt, bool ctrl, bool shift) const;
    std::int32_t LookupEvent(std::string_view setName, int code) const;

    TUserNumList GlobalNums;
    TUserStrList GlobalStrs;
    TUserAryNumList GlobalNumArrays;
    TUserAryStrList GlobalStrArrays;
    TUserSubProcList SubProcs, NumFuncs, StrFuncs, BoolFuncs, Dialogs;

    // --- Runs (flags: bit 0 Shift, 1 Alt, 2 Ctrl, 3 left, 4 right, 5 middle)
    void RunCharKey(int character, int startIndex, int mouseY, int mouseX, int flags);
    void RunKey(int keyCode, int startIndex, int mouseY, int mouseX, int flags);
    void RunMouse(int mouseCode, int startIndex, int mouseY, int mouseX, int flags);
    void RunEvent(int eventCode, int startIndex, int mouseY, int mouseX, int flags);
    void RunInit();
    void RunDone(int startIndex);

    bool Running() const { return running_; }
    std::int64_t ReloadCount() const { return reloadCount_; }

    TVtlHost& Host() { return host_; }
    TDispatchTables& Tables() { return tables_; }
    // The one regular-expression matcher of all builtins.
    TAWKStr& Matcher() { return matcher_; }
    // The leftmost longest match of pattern in subject; a bad pattern is a
    // script error with the matcher's message.
    TAWKMatch MatchRegular(const std::string& subject, const std::string& pattern, bool fuzzy);
    TCodeReader& Code() { return code_; }

    // --- Storage ---------------------------------------------------------
    std::int64_t ReadNumVar(TVarRef ref, TInitDatas& rec) { return NumCell(ref, rec, false); }
    void WriteNumVar(TVarRef ref, TInitDatas& rec, std::int64_t v) { NumCell(ref, rec, true) = v; }
    std::string ReadStrVar(TVarRef ref, TInitDatas& rec) { return StrCell(ref, rec); }
    void WriteStrVar(TVarRef ref, std::string v, TInitDatas& rec) { StrCell(ref, rec) = std::move(v); }
    TInt64Array& GetNumArray(std::int32_t code, TInitDatas& rec);
    TStrArray& GetStrArray(std::int32_t code, TInitDatas& rec);
    // A subscript expression, accepted from 1 to 268,435,456.
    std::int32_t ReadSubscript(TInitDatas& rec);

    // --- Operands (each reads at the current position) -------------------
    std::int64_t ReadNum(TInitDatas& rec);
    // ReadNum with the signed 32-bit range test.
    std::int32_t ReadInt(TInitDatas& rec);
    std::string ReadStr(TInitDatas& rec);
    TVarRef ReadNumRef(TInitDatas& rec);
    TVarRef ReadStrRef(TInitDatas& rec);
    // An array constant or a whole array variable.
    TArrayOperand<TInt64Array> ReadNumArray(TInitDatas& rec);
    TArrayOperand<TStrArray> ReadStrArray(TInitDatas& rec);
    // A whole array variable (no constant): its operand code.
    std::int32_t ReadNumArrayVar();
    std::int32_t ReadStrArrayVar();
    // String operands up to the end-of-list marker (letters A and F).
    std::vector<std::string> ReadStrList(TInitDatas& rec);
    // An arithmetic operator word (letter +).
    std::int32_t ReadOperator();
    static std::int64_t Calculate(std::int64_t a, std::int32_t op, std::int64_t b);

    bool EvalCondition(TInitDatas& rec, bool skip);
    // A truth constant or else a whole condition.
    bool ReadBool(TInitDatas& rec);

    // --- Execution -------------------------------------------------------
    void RunCompound(TInitDatas& rec);
    void SkipCompound();
    void DispatchProcedure(std::int32_t id, TInitDatas& rec);
    bool DispatchCondition(std::int32_t id, TInitDatas& rec, bool skip);

    // A window number of the list and mark builtins: 1 or 2, compared as
    // 64 bits, else a script error.
    int ReadPaneWindow(TInitDatas& rec);
    // The first subscript of a system array: a window number, 1 or 2,
    // compared as 64 bits, else a script error.
    int ReadSysArrayWindow(TInitDatas& rec);

    // Routine calls: the call word has been read.
    void CallSub(std::int32_t word, TInitDatas& rec);
    std::int64_t CallNumFunc(std::int32_t word, TInitDatas& rec);
    std::string CallStrFunc(std::int32_t word, TInitDatas& rec);
    bool CallBoolFunc(std::int32_t word, TInitDatas& rec, bool skip);
    void CallDialog(std::int32_t word, TInitDatas& rec);
    // The routine a call word names (checked), and its terminator word.
    const TUserSubProc& Routine(TRoutineKind kind, std::int32_t word);
    void ReadTerminator(TRoutineKind kind, const TUserSubProc& routine);
    TFrameLists BindArguments(TRoutineKind kind, const TUserSubProc& routine, TInitDatas& rec);
    void EnterFrame(TInitDatas& rec, TFrameLists& args);
    void LeaveFrame(TInitDatas& rec, TFrameLists& args);

private:
    friend class TNestingGuard;

    std::int64_t& NumCell(TVarRef ref, TInitDatas& rec, bool writing);
    std::string& StrCell(TVarRef ref, TInitDatas& rec);
    std::string ReadStrOperand(std::int32_t w, TInitDatas& rec, bool inConcatenation);
    std::int64_t ReadArithmetic(TInitDatas& rec);
    std::string ReadPaddedConst();
    std::int64_t ReadSysNum(std::int32_t id, TInitDatas& rec);
    std::string ReadSysStr(std::int32_t id, TInitDatas& rec);
    bool EvalTerm(TInitDatas& rec, bool skip);
    bool EvalConditionBody(TInitDatas& rec, bool skip);

    void RunStatement(std::int32_t code, TInitDatas& rec);
    void RunIf(TInitDatas& rec);
    void StepOverElse(TInitDatas& rec);
    void RunWhile(TInitDatas& rec);
    void RunRepeat(TInitDatas& rec);
    void RunFor(TInitDatas& rec);
    void RunCase(TInitDatas& rec);
    void RunStrCase(TInitDatas& rec);
    // The arms shared by CASE and STRCASE; labelHits reads one label.
    template <class LabelHits>
    void RunCaseArms(TInitDatas& rec, LabelHits labelHits);
    void RunTry(TInitDatas& rec);
    void RunVar(TInitDatas& rec);
    void PollBeforeStatement();

    template <class TNormalEnd>
    void RunBody(const TUserSubProc& routine, TFrameLists& args, TInitDatas& rec);

    void RunBinding(TKeyMode mode, int code, int startIndex, int mouseY, int mouseX, int flags);
    std::int32_t LookupBinding(std::string_view setName, TKeyMode mode, int code, int flags) const;
    void Report(const std::string& text);
    void EndOfRun(TInitDatas& rec);
    void ReloadAfterRun(std::string file);

    TVtlHost& host_;
    TDispatchTables tables_;
    TAWKStr matcher_;
    TCodeReader code_;

    std::string keyFileName_;
    int fileVersion_ = 0;
    TSenObject codeStream_;
    TKeySets keySets_;
    std::int32_t initOffset_ = -1, doneOffset_ = -1, preKeyOffset_ = -1;

    bool running_ = false;
    struct TReloadRequest {
        std::string file;
        bool runInit;
    };
    std::optional<TReloadRequest> pendingReload_;
    std::int64_t reloadCount_ = 0;
    int nesting_ = 0;
    int callDepth_ = 0;
    unsigned pollCountdown_ = 0;
    unsigned long lastPump_ = 0;
};

// Counts one level of recursion of the interpreter for its whole life.
class TNestingGuard {
public:
    explicit TNestingGuard(TKeySrc& vtl) : vtl_(vtl)
    {
        if (++vtl_.nesting_ > TKeySrc::kMaxNesting) {
            --vtl_.nesting_;
            Overflow();
        }
    }
    ~TNestingGuard() { --vtl_.nesting_; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    [[noreturn]] static void Overflow();
    TKeySrc& vtl_;
};

// "未定義の手続き文 : 0092005C" and its kin: the word in 8 upper-case digits.
std::string Hex8(std::int32_t word);
