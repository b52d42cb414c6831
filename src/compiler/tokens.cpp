#include "compiler/tokens.h"

#include <span>
#include <stdexcept>

#include "compiler/events.h"
#include "compiler/inputset.h"
#include "compiler/mouses.h"
#include "script-format/vtlname.h"

using bc::TBuiltinKind;

namespace {

constexpr std::string_view kDescriptions[] = {
    "tiError", "未知の識別子", "複文開始", "複文終了", "左括弧 (", "右括弧 )", "左中括弧 [", "右中括弧 ]", "カンマ",
    "システム変数", "ユーザー変数", "未知の変数", "定数", "ローカル変数", "システム文字列", "ユーザー文字列",
    "未知の文字列", "文字列定数", "特殊文字", "ローカル文字列", "値引数の変数", "変数引数の変数", "値引数の文字列",
    "変数引数の文字列", "システム変数配列", "グローバル変数配列", "定数配列", "ローカル変数配列", "値引数の変数配列",
    "変数引数の変数配列", "システム文字列配列", "グローバル文字列配列", "定数文字列配列", "ローカル文字列配列",
    "値引数の文字列配列", "変数引数の文字列配列", "文終了", "VAR", "IF", "THEN", "ELSEIF", "ELSE", "WHILE", "DO",
    "REPEAT", "UNTIL", "FOR", "TO", "DOWNTO", "CASE", "STRCASE", "STR", "TEXT", "REGSTR", "REGTEXT", "MASKSTR",
    "MASKTEXT", "OF", "TRY", "EXCEPT", "FINALLY", "論理NOT", "論理AND", "論理OR", "左==右", "左>右", "左>=右",
    "左<右", "左<=右", "左<>右", "手続き文", "判定式", "サブルーチン", "", "グローバル変数宣言", "サブルーチン宣言",
    "キーアサイン宣言", "キーアサインセット宣言", "INCLUDE宣言", "INIT宣言", "DONE宣言", "PreKEY宣言", "DLG宣言",
    "ユーザー定義関数", "コロン :", "イコール =", "プラス +", "マイナス -", "掛ける *", "割る /", "パーセント %",
    "BIT AND &", "BIT OR |", "BIT XOR ^", "\\", "BIT NOT !", "単純キー", "マウスキー", "複合キー補助", "複合キー",
    "ダイアログパーツ", "ダイアログパーツアイテム", "", "FALSE(偽)", "TRUE(真)", "ユーザー定義関数(数字)",
    "ユーザー定義関数(文字列)", "ユーザー定義関数(論理値)", "AS",
};
static_assert(std::size(kDescriptions) == kTokenKindCount);

struct TWordKind {
    std::string_view word;
    TTokenKind kind;
};

constexpr TWordKind kOperators[] = {
    {"==", tiEq}, {"!=", tiNotEq}, {"<>", tiNotEq}, {"<=", tiLEq}, {"=<", tiLEq}, {">=", tiGEq}, {"=>", tiGEq},
};

constexpr TWordKind kKeywords[] = {
    {"IF", tiIf},           {"DO", tiDo},           {"TO", tiTo},           {"OF", tiOf},
    {"AS", tiAs},           {"OR", tiOr},           {"NOT", tiNot},         {"AND", tiAnd},
    {"VAR", tiVar},         {"FOR", tiFor},         {"STR", tiStr},         {"TRY", tiTry},
    {"THEN", tiThen},       {"ELSE", tiElse},       {"CASE", tiCase},       {"TEXT", tiText},
    {"TRUE", tiTrue},       {"WHILE", tiWhile},     {"UNTIL", tiUntil},     {"FALSE", tiFalse},
    {"ELSEIF", tiElseIf},   {"REPEAT", tiRepeat},   {"DOWNTO", tiDownTo},   {"REGSTR", tiRegStr},
    {"EXCEPT", tiExcept},   {"STRCASE", tiStrCase}, {"REGTEXT", tiRegText}, {"MASKSTR", tiMaskStr},
    {"FINALLY", tiFinally}, {"MASKTEXT", tiMaskText},
};

constexpr TWordKind kDeclWords[] = {{"OR", tiOr}, {"NOT", tiNot}, {"AND", tiAnd}};

constexpr TWordKind kSections[] = {
    {"#GLOBALVAR", tiGlobalVarDecl}, {"#SUB", tiSubDecl},   {"#FUNC", tiFuncDecl}, {"#KEY", tiKeyDecl},
    {"#KEYSET", tiKeySetDecl},       {"#INCLUDE", tiIncludeDecl}, {"#INIT", tiInitDecl}, {"#DONE", tiDoneDecl},
    {"#PREKEY", tiPreKeyDecl},       {"#DLG", tiDlgDecl},
};

template <std::size_t N>
TTokenKind KindOfWord(const TWordKind (&table)[N], std::string_view word, TTokenKind otherwise)
{
    for (const TWordKind& w : table)
        if (w.word == word) return w.kind;
    return otherwise;
}

// One-character tokens of statements; tiError where the character goes on
// to the other rules.
TTokenKind SingleCharKind(char c)
{
    switch (c) {
    case '!': return tiBitNot;
    case '#':
    case '$': return tiNewIdent;
    case '%': return tiMod;
    case '&': return tiBitAnd;
    case '(': return tiLParen;
    case ')': return tiRParen;
    case '*': return tiMul;
    case '+': return tiPlus;
    case ',': return tiComma;
    case '-': return tiMinus;
    case '/': return tiDiv;
    case ':': return tiColon;
    case ';': return tiSemicolon;
    case '<': return tiLs;
    case '=': return tiEqual;
    case '>': return tiGrt;
    case '[': return tiLBracket;
    case '\\': return tiBackslash;
    case ']': return tiRBracket;
    case '^': return tiBitXor;
    case '{': return tiBegin;
    case '|': return tiBitOr;
    case '}': return tiEnd;
    default: return tiError;
    }
}

// Declarations know fewer symbols, and "#" or "$" alone is no name there.
TTokenKind SingleCharDeclKind(char c)
{
    switch (c) {
    case '#':
    case '$':
    case '%':
    case '*':
    case '/':
    case '{':
    case '}': return tiError;
    default: return SingleCharKind(c);
    }
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsNumberStart(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}

// Step 7 of the classification: quoted strings and backslash characters.
TTokenKind ConstantKind(std::string_view upper)
{
    if (upper.size() >= 2 && upper.front() == '\'' && upper.back() == '\'') return tiStrConst;
    if (upper.size() == 2 && upper[0] == '\\' && (upper[1] == 'N' || upper[1] == 'R' || upper[1] == 'T'))
        return tiSpecialChar;
    if (upper.size() == 3 && upper[0] == '\\' && IsHexDigit(upper[1]) && IsHexDigit(upper[2])) return tiSpecialChar;
    return tiError;
}

// A table or list that may hold a name, and the kind the name then has.
class TNameLookup {
public:
    template <class Table>
    TNameLookup(const Table& table, TTokenKind kind)
        : table_(&table), kind_(kind),
          indexOf_([](const void* t, std::string_view n) { return static_cast<const Table*>(t)->IndexOf(n); })
    {
    }
    bool Holds(std::string_view name) const { return indexOf_(table_, name) >= 0; }
    TTokenKind Kind() const { return kind_; }

private:
    const void* table_;
    TTokenKind kind_;
    int (*indexOf_)(const void*, std::string_view);
};

TTokenKind FirstHolder(std::string_view name, std::span<const TNameLookup> order, TTokenKind otherwise)
{
    for (const TNameLookup& l : order)
        if (l.Holds(name)) return l.Kind();
    return otherwise;
}

// System names hide arguments, arguments hide locals and globals; in
// declarations globals are tried before locals.
TTokenKind ClassifyScoped(std::string_view name, std::span<const TNameLookup> systemAndArgs,
                          std::span<const TNameLookup> locals, std::span<const TNameLookup> globals,
                          bool globalsFirst, TTokenKind newKind)
{
    TTokenKind k = FirstHolder(name, systemAndArgs, tiError);
    if (k == tiError) k = FirstHolder(name, globalsFirst ? globals : locals, tiError);
    if (k == tiError) k = FirstHolder(name, globalsFirst ? locals : globals, newKind);
    return k;
}

std::optional<TBuiltinKind> BuiltinKindOf(TTokenKind kind)
{
    switch (kind) {
    case tiSysNum: return TBuiltinKind::SysNum;
    case tiSysNumArray: return TBuiltinKind::SysNumArray;
    case tiSysStr: return TBuiltinKind::SysStr;
    case tiSysStrArray: return TBuiltinKind::SysStrArray;
    case tiCondFunc: return TBuiltinKind::CondFunc;
    case tiSysProc: return TBuiltinKind::SysProc;
    case tiDlgPart: return TBuiltinKind::DlgPart;
    case tiDlgItem: return TBuiltinKind::DlgItem;
    default: return std::nullopt;
    }
}

[[noreturn]] void Unexpected(std::string_view message, const std::string& token, TTokenKind kind)
{
    throw ESrcReaderError(std::string(message) + " : " + token + "(" + std::string(KindDescription(kind)) + ")");
}

std::string NextOrFail(std::string token, std::string_view message)
{
    if (token.empty()) throw ESrcReaderError(std::string(message));
    return token;
}

}  // namespace

std::string_view KindDescription(TTokenKind kind)
{
    return kind >= 0 && kind < kTokenKindCount ? kDescriptions[kind] : kDescriptions[tiError];
}

std::optional<std::int64_t> VtlNumber(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty() && text[0] == '$') {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : text) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (hex && IsHexDigit(c))
            d = static_cast<unsigned>((c | 0x20) - 'a' + 10);
        else
            return std::nullopt;
        if (hex) {
            if (v >> 60) return std::nullopt;
            v = v * 16 + d;
        } else {
            if (v > (UINT64_MAX - d) / 10) return std::nullopt;
            v = v * 10 + d;
        }
    }
    if (!hex && v > (negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1)) return std::nullopt;
    // Hexadecimal numbers take all 64 bits: 0xFFFFFFFFFFFFFFFF is -1.
    return static_cast<std::int64_t>(negative ? 0 - v : v);
}

void TRoutineScope::AddArgument(char letter, std::string_view name)
{
    switch (letter) {
    case 'N': valArgNums.AddName(name); break;
    case 'V': varArgNums.AddName(name); break;
    case 'S': valArgStrs.AddName(name); break;
    case 'T': varArgStrs.AddName(name); break;
    case 'R': valArgNumArrays.AddArray(name, 1); break;
    case 'X': varArgNumArrays.AddArray(name, 1); break;
    case 'Y': valArgStrArrays.AddArray(name, 1); break;
    case 'Z': varArgStrArrays.AddArray(name, 1); break;
    default: throw std::invalid_argument(std::string("no parameter letter: ") + letter);
    }
}

void TRoutineScope::ClearArguments()
{
    valArgNums.Clear();
    varArgNums.Clear();
    valArgStrs.Clear();
    varArgStrs.Clear();
    valArgNumArrays.Clear();
    varArgNumArrays.Clear();
    valArgStrArrays.Clear();
    varArgStrArrays.Clear();
}

void TRoutineScope::ClearLocals()
{
    localNums.Clear();
    localStrs.Clear();
    localNumArrays.Clear();
    localStrArrays.Clear();
}

TTokenKind TTokenAnalyzer::ClassifyNumName(std::string_view upper, bool globalsFirst) const
{
    const TRoutineScope& s = scope;
    const TNameLookup systemAndArgs[] = {
        {builtins_.Variables(TBuiltinKind::SysNum), tiSysNum},
        {builtins_.Variables(TBuiltinKind::SysNumArray), tiSysNumArray},
        {s.valArgNums, tiValArgNum}, {s.valArgNumArrays, tiValArgNumArray},
        {s.varArgNums, tiVarArgNum}, {s.varArgNumArrays, tiVarArgNumArray},
    };
    const TNameLookup locals[] = {{s.localNums, tiLocalNum}, {s.localNumArrays, tiLocalNumArray}};
    const TNameLookup globalNames[] = {{globals.nums, tiGlobalNum}, {globals.numArrays, tiGlobalNumArray}};
    return ClassifyScoped(upper, systemAndArgs, locals, globalNames, globalsFirst, tiNewNum);
}

TTokenKind TTokenAnalyzer::ClassifyStrName(std::string_view upper, bool globalsFirst) const
{
    const TRoutineScope& s = scope;
    const TNameLookup systemAndArgs[] = {
        {builtins_.Variables(TBuiltinKind::SysStr), tiSysStr},
        {builtins_.Variables(TBuiltinKind::SysStrArray), tiSysStrArray},
        {s.valArgStrs, tiValArgStr}, {s.valArgStrArrays, tiValArgStrArray},
        {s.varArgStrs, tiVarArgStr}, {s.varArgStrArrays, tiVarArgStrArray},
    };
    const TNameLookup locals[] = {{s.localStrs, tiLocalStr}, {s.localStrArrays, tiLocalStrArray}};
    const TNameLookup globalNames[] = {{globals.strs, tiGlobalStr}, {globals.strArrays, tiGlobalStrArray}};
    return ClassifyScoped(upper, systemAndArgs, locals, globalNames, globalsFirst, tiNewStr);
}

TTokenKind TTokenAnalyzer::ClassifyOther(std::string_view upper) const
{
    const TNameLookup order[] = {
        {builtins_.Routines(TBuiltinKind::SysProc), tiSysProc},
        {builtins_.Routines(TBuiltinKind::CondFunc), tiCondFunc},
        {routines.subs, tiSub}, {routines.intFuncs, tiIntFunc}, {routines.strFuncs, tiStrFunc},
        {routines.boolFuncs, tiBoolFunc}, {routines.dialogs, tiDialog},
    };
    return FirstHolder(upper, order, tiNewIdent);
}

TTokenKind TTokenAnalyzer::Classify(std::string_view token) const
{
    const std::string upper = UpperName(token);
    if (upper.empty()) return tiNewIdent;
    if (upper.size() == 1) {
        TTokenKind k = SingleCharKind(upper[0]);
        if (k != tiError) return k;
    }
    TTokenKind k = KindOfWord(kOperators, upper, KindOfWord(kKeywords, upper, tiError));
    if (k != tiError) return k;
    if (upper[0] == '#') return ClassifyNumName(upper, false);
    if (IsNumberStart(upper[0]) && VtlNumber(upper)) return tiNumConst;
    if (upper[0] == '$') return ClassifyStrName(upper, false);
    k = ConstantKind(upper);
    return k != tiError ? k : ClassifyOther(upper);
}

TTokenKind TTokenAnalyzer::ClassifyDecl(std::string_view token) const
{
    const std::string upper = UpperName(token);
    if (upper.empty()) return tiError;
    if (upper.size() == 1) {
        TTokenKind k = SingleCharDeclKind(upper[0]);
        if (k != tiError) return k;
    }
    TTokenKind k = KindOfWord(kOperators, upper, KindOfWord(kDeclWords, upper, tiError));
    if (k != tiError) return k;
    if (upper.size() > 1 && upper[0] == '#') return ClassifyNumName(upper, true);
    if (upper.size() > 1 && upper[0] == '$') return ClassifyStrName(upper, true);
    k = ConstantKind(upper);
    if (k != tiError) return k;
    return IsNumberStart(upper[0]) && VtlNumber(upper) ? tiNumConst : tiError;
}

TTokenKind TTokenAnalyzer::ClassifySection(std::string_view token)
{
    return KindOfWord(kSections, token, tiError);
}

TTokenKind TTokenAnalyzer::ClassifyKey(std::string_view token) const
{
    const TKeyNames& keys = builtins_.Keys();
    if (keys.CharKeyIndex(token) >= 0) return tiCharKey;
    if (EventCodeOf(token) >= 0) return tiEvent;
    if (ModifierBitOf(token)) return tiModifier;
    if (token == "+") return tiPlus;
    if (MouseCodeOf(token) >= 0) return tiMouseKey;
    if (keys.VirtualKeyIndex(token) >= 0) return tiVKey;
    return tiError;
}

TTokenKind TTokenAnalyzer::ClassifyDialogWord(std::string_view token) const
{
    const TNameLookup order[] = {{builtins_.Routines(TBuiltinKind::DlgPart), tiDlgPart},
                                 {builtins_.Routines(TBuiltinKind::DlgItem), tiDlgItem}};
    return FirstHolder(token, order, tiNewIdent);
}

TToken TTokenAnalyzer::Accept(TSrcReader& reader, std::string_view message, TTokenKinds allowed, std::string token,
                              TTokenKind kind) const
{
    if (allowed.Has(kind)) return TToken{std::move(token), kind};
    if ((kind == tiPlus || kind == tiMinus) && allowed.Has(tiNumConst)) {
        // A sign glued to the number after it: the only negative constants.
        std::string number = NextOrFail(reader.NextToken(), message);
        TTokenKind numberKind = Classify(number);
        if (numberKind != tiNumConst) Unexpected(message, number, numberKind);
        return TToken{token + number, tiNumConst};
    }
    Unexpected(message, token, kind);
}

TToken TTokenAnalyzer::Expect(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const
{
    std::string token = NextOrFail(reader.NextToken(), message);
    TTokenKind kind = Classify(token);
    return Accept(reader, message, allowed, std::move(token), kind);
}

TToken TTokenAnalyzer::ExpectDecl(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const
{
    std::string token = NextOrFail(reader.NextToken(), message);
    TTokenKind kind = ClassifyDecl(token);
    if (!allowed.Has(kind)) Unexpected(message, token, kind);
    return TToken{std::move(token), kind};
}

TToken TTokenAnalyzer::ExpectKey(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const
{
    std::string token = NextOrFail(reader.NextKeyToken(), message);
    TTokenKind kind = ClassifyKey(token);
    if (!allowed.Has(kind)) Unexpected(message, token, kind);
    return TToken{std::move(token), kind};
}

TToken TTokenAnalyzer::ExpectDialog(TSrcReader& reader, std::string_view message, TTokenKinds allowed) const
{
    std::string token = NextOrFail(reader.NextToken(), message);
    // Only a real dialog word takes its dialog kind; anything else is
    // judged by its general kind (a "}" must not pass as a new name).
    TTokenKind dialogKind = ClassifyDialogWord(token);
    if (dialogKind != tiNewIdent && allowed.Has(dialogKind)) return TToken{std::move(token), dialogKind};
    TTokenKind kind = Classify(token);
    return Accept(reader, message, allowed, std::move(token), kind);
}

int TTokenAnalyzer::NumberOf(TTokenKind kind, std::string_view name) const
{
    if (std::optional<TBuiltinKind> b = BuiltinKindOf(kind)) {
        if (static_cast<int>(*b) < static_cast<int>(TBuiltinKind::CondFunc))
            return builtins_.Variables(*b).IntOf(name).value_or(-1);
        const TStrIntObj* p = builtins_.Routines(*b).Find(name);
        return p ? p->value : -1;
    }
    const TRoutineScope& s = scope;
    switch (kind) {
    case tiGlobalNum: return globals.nums.IndexOf(name);
    case tiGlobalStr: return globals.strs.IndexOf(name);
    case tiGlobalNumArray: return globals.numArrays.IndexOf(name);
    case tiGlobalStrArray: return globals.strArrays.IndexOf(name);
    case tiLocalNum: return s.localNums.OrdinalOf(name);
    case tiValArgNum: return s.valArgNums.OrdinalOf(name);
    case tiVarArgNum: return s.varArgNums.OrdinalOf(name);
    case tiLocalStr: return s.localStrs.OrdinalOf(name);
    case tiValArgStr: return s.valArgStrs.OrdinalOf(name);
    case tiVarArgStr: return s.varArgStrs.OrdinalOf(name);
    case tiLocalNumArray: return s.localNumArrays.IndexOf(name);
    case tiValArgNumArray: return s.valArgNumArrays.IndexOf(name);
    case tiVarArgNumArray: return s.varArgNumArrays.IndexOf(name);
    case tiLocalStrArray: return s.localStrArrays.IndexOf(name);
    case tiValArgStrArray: return s.valArgStrArrays.IndexOf(name);
    case tiVarArgStrArray: return s.varArgStrArrays.IndexOf(name);
    case tiSub: return routines.subs.IndexOf(name);
    case tiIntFunc: return routines.intFuncs.IndexOf(name);
    case tiStrFunc: return routines.strFuncs.IndexOf(name);
    case tiBoolFunc: return routines.boolFuncs.IndexOf(name);
    case tiDialog: return routines.dialogs.IndexOf(name);
    default: return -1;
    }
}

std::optional<std::string> TTokenAnalyzer::SignatureOf(TTokenKind kind, std::string_view name) const
{
    if (kind == tiSysProc || kind == tiCondFunc) {
        const TStrIntObj* p = builtins_.Routines(*BuiltinKindOf(kind)).Find(name);
        return p ? std::optional<std::string>(p->str) : std::nullopt;
    }
    const TSenHashTable* table = kind == tiSub        ? &routines.subs
                                 : kind == tiIntFunc  ? &routines.intFuncs
                                 : kind == tiStrFunc  ? &routines.strFuncs
                                 : kind == tiBoolFunc ? &routines.boolFuncs
                                 : kind == tiDialog   ? &routines.dialogs
                                                      : nullptr;
    const TSenObject* code = table ? table->Find(name) : nullptr;
    return code ? std::optional<std::string>(code->signature) : std::nullopt;
}
