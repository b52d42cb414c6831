#pragma once
// The token analyzer: gives every token from the source reader a kind,
// from the keywords, the builtin catalogue and what the program has
// declared so far, and keeps the current routine's arguments and locals.
// Every "expected ..." error of the compiler is built here.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/builtintables.h"
#include "compiler/srcread.h"
#include "compiler/velkhtbl.h"

enum TTokenKind : int {
    tiError,
    tiNewIdent,
    tiBegin,
    tiEnd,
    tiLParen,
    tiRParen,
    tiLBracket,
    tiRBracket,
    tiComma,
    tiSysNum,
    tiGlobalNum,
    tiNewNum,
    tiNumConst,
    tiLocalNum,
    tiSysStr,
    tiGlobalStr,
    tiNewStr,
    tiStrConst,
    tiSpecialChar,
    tiLocalStr,
    tiValArgNum,
    tiVarArgNum,
    tiValArgStr,
    tiVarArgStr,
    tiSysNumArray,
    tiGlobalNumArray,
    tiConstNumArray,  // never produced by the classifier
    tiLocalNumArray,
    tiValArgNumArray,
    tiVarArgNumArray,
    tiSysStrArray,
    tiGlobalStrArray,
    tiConstStrArray,  // never produced by the classifier
    tiLocalStrArray,
    tiValArgStrArray,
    tiVarArgStrArray,
    tiSemicolon,
    tiVar,
    tiIf,
    tiThen,
    tiElseIf,
    tiElse,
    tiWhile,
    tiDo,
    tiRepeat,
    tiUntil,
    tiFor,
    tiTo,
    tiDownTo,
    tiCase,
    tiStrCase,
    tiStr,
    tiText,
    tiRegStr,
    tiRegText,
    tiMaskStr,
    tiMaskText,
    tiOf,
    tiTry,
    tiExcept,
    tiFinally,
    tiNot,
    tiAnd,
    tiOr,
    tiEq,
    tiGrt,
    tiGEq,
    tiLs,
    tiLEq,
    tiNotEq,
    tiSysProc,
    tiCondFunc,
    tiSub,
    tiDialog,
    tiGlobalVarDecl,
    tiSubDecl,
    tiKeyDecl,
    tiKeySetDecl,
    tiIncludeDecl,
    tiInitDecl,
    tiDoneDecl,
    tiPreKeyDecl,
    tiDlgDecl,
    tiFuncDecl,
    tiColon,
    tiEqual,
    tiPlus,
    tiMinus,
    tiMul,
    tiDiv,
    tiMod,
    tiBitAnd,
    tiBitOr,
    tiBitXor,
    tiBackslash,
    tiBitNot,
    tiCharKey,
    tiMouseKey,
    tiModifier,
    tiVKey,
    tiDlgPart,
    tiDlgItem,
    tiEvent,
    tiFalse,
    tiTrue,
    tiIntFunc,
    tiStrFunc,
    tiBoolFunc,
    tiAs,
    kTokenKindCount
};

// The text that names a kind in error messages.
std::string_view KindDescription(TTokenKind kind);

// A set of token kinds.
class TTokenKinds {
public:
    constexpr TTokenKinds() = default;
    constexpr TTokenKinds(std::initializer_list<TTokenKind> kinds)
    {
        for (TTokenKind k : kinds) words_[k / 64] |= std::uint64_t{1} << (k % 64);
    }
    constexpr bool Has(TTokenKind k) const { return (words_[k / 64] >> (k % 64)) & 1; }
    constexpr TTokenKinds operator|(TTokenKinds other) const
    {
        TTokenKinds r;
        for (int i = 0; i < kWords; ++i) r.words_[i] = words_[i] | other.words_[i];
        return r;
    }

private:
    static constexpr int kWords = (kTokenKindCount + 63) / 64;
    std::uint64_t words_[kWords] = {};
};

struct TToken {
    std::string text;
    TTokenKind kind = tiError;
};

// The value of a number token: decimal, or hexadecimal after "0x" (or "$"),
// with an optional sign; hexadecimal takes all 64 bits. nullopt when the
// text is no number or does not fit.
std::optional<std::int64_t> VtlNumber(std::string_view text);

// Module-wide names the program declares, numbered in declaration order.
struct TGlobalTables {
    TInt64HashTable nums;  // initial values
    TStrIntHashTable strs;  // 0 and the initial value
    TInt64AryHashTable numArrays;
    TStrAryHashTable strArrays;
};

struct TRoutineTables {
    TSenHashTable subs, intFuncs, strFuncs, boolFuncs, dialogs;
};

// The arguments and locals of the routine being compiled. Scalars are
// numbered by the ordinal in their entry, arrays by their position.
struct TRoutineScope {
    TId64StringList valArgNums{false}, varArgNums{false}, localNums{true};
    TStrStrList valArgStrs{false}, varArgStrs{false}, localStrs{true};
    TNumAryList localNumArrays, valArgNumArrays, varArgNumArrays;
    TStrAryList localStrArrays, valArgStrArrays, varArgStrArrays;

    // A parameter by its argument letter (N S R Y, or V T X Z for VAR);
    // a parameter array gets a placeholder of one element.
    void AddArgument(char letter, std::string_view name);
    void ClearArguments();
    void ClearLocals();
};

class TTokenAnalyzer {
public:
    explicit TTokenAnalyzer(const TBuiltinTables& builtins) : builtins_(builtins) {}
    TTokenAnalyzer(const TTokenAnalyzer&) = delete;
    TTokenAnalyzer& operator=(const TTokenAnalyzer&) = delete;

    const TBuiltinTables& Builtins() const { return builtins_; }
    TGlobalTables globals;
    TRoutineTables routines;
    TRoutineScope scope;

    // Statements and expressions: every kind but the section and key kinds.
    TTokenKind Classify(std::string_view token) const;
    // Declarations: names, constants and symbols only.
    TTokenKind ClassifyDecl(std::string_view token) const;
    // Section words, which must be written in capitals.
    static TTokenKind ClassifySection(std::string_view token);
    // Key, mouse and event names, modifiers and "+".
    TTokenKind ClassifyKey(std::string_view token) const;
    // Dialog part and item words.
    TTokenKind ClassifyDialogWord(std::string_view token) const;

    // Reads the next token and requires one of the allowed kinds; otherwise
    // throws ESrcReaderError: message + " : " + token + "(" + description + ")",
    // or the message alone at the end of the text. Where a number is
    // allowed, a sign and the number after it make one number token.
    TToken Expect(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const;
    // The same with ClassifyDecl and no sign rule.
    TToken ExpectDecl(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const;
    // With the key-name reader and ClassifyKey.
    TToken ExpectKey(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const;
    // A dialog word or, failing that, any token of the allowed kinds.
    TToken ExpectDialog(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const;

    // The number a name of a kind has in the code (catalogue identifier,
    // table position, ordinal or list position), or -1.
    int NumberOf(TTokenKind kind, std::string_view name) const;
    // The argument letters of a procedure, condition function or routine.
    std::optional<std::string> SignatureOf(TTokenKind kind, std::string_view name) const;

private:
    TTokenKind ClassifyNumName(std::string_view upper, bool globalsFirst) const;
    TTokenKind ClassifyStrName(std::string_view upper, bool globalsFirst) const;
    TTokenKind ClassifyOther(std::string_view upper) const;
    TToken Accept(TSrcReader& reader, std::string_view message, TTokenKinds allowed, std::string token,
                  TTokenKind kind) const;

    const TBuiltinTables& builtins_;
};
