#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "compiler/tokens.h"

namespace {

const TBuiltinTables& Builtins()
{
    static const TBuiltinTables tables;
    return tables;
}

// An analyzer inside a routine, with globals, routines, arguments and locals
// of every kind declared.
class TokenAnalyzer : public ::testing::Test {
protected:
    TokenAnalyzer()
    {
        TGlobalTables& g = a.globals;
        g.nums.AddInt64("#g", 1);
        g.nums.AddInt64("#x", 2);  // hidden by the argument #x
        g.nums.AddInt64("#both", 3);
        g.strs.AddStrInt("$gs", 0, "v");
        g.numArrays.Add("#ga", std::make_unique<TInt64Array>("#ga", 2));
        g.strArrays.Add("$gsa", std::make_unique<TStrArray>("$gsa", 2));
        TRoutineTables& r = a.routines;
        auto routine = [](const char* letters) {
            auto code = std::make_unique<TSenObject>();
            code->signature = letters;
            return code;
        };
        r.subs.AddSen("Sub0", routine(""));
        r.subs.AddSen("MySub", routine("NSV"));
        r.intFuncs.AddSen("FI", routine("N"));
        r.strFuncs.AddSen("FS", routine("S"));
        r.boolFuncs.AddSen("FB", routine(""));
        r.dialogs.AddSen("Dlg", routine("T"));
        for (auto [letter, name] : {std::pair{'N', "#x"}, {'N', "#n2"}, {'V', "#v"}, {'S', "$s"}, {'T', "$t"},
                                    {'R', "#r"}, {'X', "#xa"}, {'Y', "$y"}, {'Z', "$z"}})
            a.scope.AddArgument(letter, name);
        a.scope.localNums.AddName("#lb");
        a.scope.localNums.AddName("#la");
        a.scope.localNums.AddName("#both");
        a.scope.localStrs.AddName("$ls");
        a.scope.localNumArrays.AddArray("#lna", 3);
        a.scope.localStrArrays.AddArray("$lsa", 3);
    }

    TTokenAnalyzer a{Builtins()};
};

struct TKindCase {
    const char* token;
    TTokenKind kind;
};

void CheckKinds(const std::vector<TKindCase>& cases, TTokenKind (*classify)(const TTokenAnalyzer&, std::string_view),
                const TTokenAnalyzer& a)
{
    for (const TKindCase& c : cases)
        EXPECT_EQ(classify(a, c.token), c.kind) << c.token << " is " << KindDescription(classify(a, c.token));
}

TEST_F(TokenAnalyzer, ClassifiesStatementTokens)
{
    CheckKinds(
        {
            // symbols and operators
            {"!", tiBitNot}, {"#", tiNewIdent}, {"$", tiNewIdent}, {"%", tiMod}, {"&", tiBitAnd}, {"(", tiLParen},
            {")", tiRParen}, {"*", tiMul}, {"+", tiPlus}, {",", tiComma}, {"-", tiMinus}, {"/", tiDiv},
            {":", tiColon}, {";", tiSemicolon}, {"<", tiLs}, {"=", tiEqual}, {">", tiGrt}, {"[", tiLBracket},
            {"\\", tiBackslash}, {"]", tiRBracket}, {"^", tiBitXor}, {"{", tiBegin}, {"|", tiBitOr}, {"}", tiEnd},
            {"==", tiEq}, {"!=", tiNotEq}, {"<>", tiNotEq}, {"<=", tiLEq}, {"=<", tiLEq}, {">=", tiGEq},
            {"=>", tiGEq},
            // keywords, any case
            {"if", tiIf}, {"If", tiIf}, {"IF", tiIf}, {"do", tiDo}, {"To", tiTo}, {"of", tiOf}, {"as", tiAs},
            {"or", tiOr}, {"not", tiNot}, {"and", tiAnd}, {"var", tiVar}, {"for", tiFor}, {"str", tiStr},
            {"try", tiTry}, {"then", tiThen}, {"else", tiElse}, {"case", tiCase}, {"text", tiText},
            {"true", tiTrue}, {"while", tiWhile}, {"until", tiUntil}, {"false", tiFalse}, {"elseif", tiElseIf},
            {"repeat", tiRepeat}, {"downto", tiDownTo}, {"regstr", tiRegStr}, {"except", tiExcept},
            {"strcase", tiStrCase}, {"regtext", tiRegText}, {"maskstr", tiMaskStr}, {"finally", tiFinally},
            {"masktext", tiMaskText},
            // numeric names: system names first, then arguments, locals, globals
            {"#_FILENUM", tiSysNum}, {"#_filesize", tiSysNumArray}, {"#X", tiValArgNum}, {"#r", tiValArgNumArray},
            {"#V", tiVarArgNum}, {"#xa", tiVarArgNumArray}, {"#la", tiLocalNum}, {"#lna", tiLocalNumArray},
            {"#both", tiLocalNum}, {"#G", tiGlobalNum}, {"#ga", tiGlobalNumArray}, {"#new", tiNewNum},
            {"#GLOBALVAR", tiNewNum},
            // string names
            {"$_CUR_DRIVE", tiSysStr}, {"$_Drive", tiSysStrArray}, {"$s", tiValArgStr}, {"$y", tiValArgStrArray},
            {"$t", tiVarArgStr}, {"$z", tiVarArgStrArray}, {"$LS", tiLocalStr}, {"$lsa", tiLocalStrArray},
            {"$gs", tiGlobalStr}, {"$gsa", tiGlobalStrArray}, {"$new", tiNewStr},
            // numbers
            {"31", tiNumConst}, {"0x1F", tiNumConst}, {"0X1F", tiNumConst}, {"0123", tiNumConst}, {"0", tiNumConst},
            {"9223372036854775807", tiNumConst}, {"0xFFFFFFFFFFFFFFFF", tiNumConst},
            {"9223372036854775808", tiNewIdent}, {"0x10000000000000000", tiNewIdent}, {"0x", tiNewIdent},
            // constants
            {"'abc'", tiStrConst}, {"''", tiStrConst}, {"\\n", tiSpecialChar}, {"\\T", tiSpecialChar},
            {"\\41", tiSpecialChar}, {"\\0d", tiSpecialChar}, {"\\5", tiNewIdent},
            // routines and builtins
            {"setnum", tiSysProc}, {"IsDir", tiCondFunc}, {"mysub", tiSub}, {"fi", tiIntFunc}, {"FS", tiStrFunc},
            {"fb", tiBoolFunc}, {"DLG", tiDialog}, {"Nothing", tiNewIdent}, {"", tiNewIdent},
            // no section, key or dialog words here
            {"EDIT", tiNewIdent}, {"ALT", tiNewIdent},
        },
        [](const TTokenAnalyzer& a, std::string_view t) { return a.Classify(t); }, a);
}

TEST_F(TokenAnalyzer, ClassifiesDeclarationTokens)
{
    CheckKinds(
        {
            {"!", tiBitNot}, {"#", tiError}, {"$", tiError}, {"&", tiBitAnd}, {"(", tiLParen}, {"+", tiPlus},
            {"-", tiMinus}, {"=", tiEqual}, {"[", tiLBracket}, {"]", tiRBracket}, {"\\", tiBackslash},
            {"|", tiBitOr}, {"%", tiError}, {"*", tiError}, {"/", tiError}, {"{", tiError}, {"}", tiError},
            {"==", tiEq}, {"<>", tiNotEq}, {"or", tiOr}, {"Not", tiNot}, {"AND", tiAnd}, {"IF", tiError},
            {"VAR", tiError},
            // globals before locals
            {"#both", tiGlobalNum}, {"#la", tiLocalNum}, {"#x", tiValArgNum}, {"#_RESULT", tiSysNum},
            {"#new", tiNewNum}, {"$gsa", tiGlobalStrArray}, {"$lsa", tiLocalStrArray}, {"$new", tiNewStr},
            {"'x'", tiStrConst}, {"\\r", tiSpecialChar}, {"12", tiNumConst}, {"0x0c", tiNumConst},
            // routine names are unknown here
            {"MySub", tiError}, {"SetNum", tiError}, {"x", tiError},
        },
        [](const TTokenAnalyzer& a, std::string_view t) { return a.ClassifyDecl(t); }, a);
}

TEST_F(TokenAnalyzer, SectionWordsMustBeCapitals)
{
    const TKindCase cases[] = {
        {"#GLOBALVAR", tiGlobalVarDecl}, {"#SUB", tiSubDecl},   {"#FUNC", tiFuncDecl},    {"#KEY", tiKeyDecl},
        {"#KEYSET", tiKeySetDecl},       {"#INCLUDE", tiIncludeDecl}, {"#INIT", tiInitDecl}, {"#DONE", tiDoneDecl},
        {"#PREKEY", tiPreKeyDecl},       {"#DLG", tiDlgDecl},   {"#globalvar", tiError}, {"#Sub", tiError},
        {"#keyset", tiError},            {"IF", tiError},
    };
    for (const TKindCase& c : cases) EXPECT_EQ(TTokenAnalyzer::ClassifySection(c.token), c.kind) << c.token;
}

TEST_F(TokenAnalyzer, ClassifiesKeyAndDialogWords)
{
    CheckKinds(
        {
            {";", tiCharKey}, {"K*", tiCharKey}, {"k/", tiCharKey}, {"_", tiCharKey}, {"resize", tiEvent},
            {"ChangeWindow", tiEvent}, {"alt", tiModifier}, {"CTRL", tiModifier}, {"Shift", tiModifier},
            {"+", tiPlus}, {"wheelup", tiMouseKey}, {"X2DOWN", tiMouseKey}, {"enter", tiVKey}, {"A", tiVKey},
            {"F01", tiVKey}, {"T*", tiVKey}, {"K0", tiVKey}, {"F1", tiError}, {"F17", tiError}, {"*", tiError},
        },
        [](const TTokenAnalyzer& a, std::string_view t) { return a.ClassifyKey(t); }, a);
    CheckKinds(
        {{"edit", tiDlgPart}, {"GroupBox", tiDlgPart}, {"result", tiDlgItem}, {"FOCUS", tiDlgItem},
         {"x", tiNewIdent}, {"", tiNewIdent}},
        [](const TTokenAnalyzer& a, std::string_view t) { return a.ClassifyDialogWord(t); }, a);
}

TEST(TokenKinds, DescriptionsFollowTheKinds)
{
    const std::pair<TTokenKind, const char*> cases[] = {
        {tiError, "tiError"},           {tiNewIdent, "未知の識別子"}, {tiBegin, "複文開始"},
        {tiComma, "カンマ"},            {tiSysNum, "システム変数"},   {tiNewNum, "未知の変数"},
        {tiSpecialChar, "特殊文字"},    {tiVarArgStr, "変数引数の文字列"}, {tiConstNumArray, "定数配列"},
        {tiVarArgStrArray, "変数引数の文字列配列"}, {tiSemicolon, "文終了"}, {tiVar, "VAR"},
        {tiMaskText, "MASKTEXT"},       {tiOf, "OF"},                 {tiNot, "論理NOT"},
        {tiNotEq, "左<>右"},            {tiSysProc, "手続き文"},      {tiCondFunc, "判定式"},
        {tiSub, "サブルーチン"},        {tiDialog, ""},               {tiGlobalVarDecl, "グローバル変数宣言"},
        {tiPreKeyDecl, "PreKEY宣言"},   {tiFuncDecl, "ユーザー定義関数"}, {tiBitOr, "BIT OR |"},
        {tiBackslash, "\\"},            {tiBitNot, "BIT NOT !"},      {tiCharKey, "単純キー"},
        {tiVKey, "複合キー"},           {tiDlgItem, "ダイアログパーツアイテム"}, {tiEvent, ""},
        {tiFalse, "FALSE(偽)"},         {tiBoolFunc, "ユーザー定義関数(論理値)"}, {tiAs, "AS"},
    };
    for (auto [kind, text] : cases) EXPECT_EQ(KindDescription(kind), text) << kind;
}

std::string ExpectError(const std::function<void(TSrcReader&)>& expect, const std::string& text)
{
    TSrcReader r = TSrcReader::FromBytes(text);
    try {
        expect(r);
    } catch (const ESrcReaderError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST_F(TokenAnalyzer, ExpectNamesTheWrongTokenAndItsKind)
{
    const TTokenKinds statement = {tiEnd, tiGlobalNum, tiSysProc};
    auto expect = [&](TSrcReader& r) { a.Expect(r, "文が必要です", statement); };
    EXPECT_EQ(ExpectError(expect, "#_FILENUM = 1;"), "文が必要です : #_FILENUM(システム変数)");
    EXPECT_EQ(ExpectError(expect, "IsDir($s)"), "文が必要です : IsDir(判定式)");
    EXPECT_EQ(ExpectError(expect, "Foo"), "文が必要です : Foo(未知の識別子)");
    EXPECT_EQ(ExpectError(expect, "#nope"), "文が必要です : #nope(未知の変数)");
    // A sign where no number is allowed is an error of its own.
    EXPECT_EQ(ExpectError(expect, "-5"), "文が必要です : -(マイナス -)");
    EXPECT_EQ(ExpectError(expect, "  // nothing\r\n"), "文が必要です");

    TSrcReader r = TSrcReader::FromBytes("#G } setnum");
    EXPECT_EQ(a.Expect(r, "x", statement).kind, tiGlobalNum);
    EXPECT_EQ(a.Expect(r, "x", statement).kind, tiEnd);
    TToken t = a.Expect(r, "x", statement);
    EXPECT_EQ(t.text, "setnum");
    EXPECT_EQ(t.kind, tiSysProc);
}

TEST_F(TokenAnalyzer, ExpectGluesASignToTheNumber)
{
    TSrcReader r = TSrcReader::FromBytes("-5 - 5 +0x10 - #a");
    const TTokenKinds number = {tiNumConst};
    for (const char* glued : {"-5", "-5", "+0x10"}) {
        TToken t = a.Expect(r, "定数を指定してください", number);
        EXPECT_EQ(t.text, glued);
        EXPECT_EQ(t.kind, tiNumConst);
    }
    // The error then names the token after the sign.
    EXPECT_EQ(ExpectError([&](TSrcReader& rr) { a.Expect(rr, "定数を指定してください", number); }, "- #a"),
              "定数を指定してください : #a(未知の変数)");
    EXPECT_EQ(ExpectError([&](TSrcReader& rr) { a.Expect(rr, "定数を指定してください", number); }, "-"),
              "定数を指定してください");
    // Where a sign itself is allowed it stays a token of its own.
    TSrcReader r2 = TSrcReader::FromBytes("-5");
    EXPECT_EQ(a.Expect(r2, "x", {tiMinus, tiNumConst}).kind, tiMinus);
}

TEST_F(TokenAnalyzer, ExpectVariants)
{
    // Declarations read signs as tokens of their own.
    EXPECT_EQ(ExpectError([&](TSrcReader& r) { a.ExpectDecl(r, "定数を指定してください", {tiNumConst}); }, "-5"),
              "定数を指定してください : -(マイナス -)");
    EXPECT_EQ(ExpectError([&](TSrcReader& r) { a.ExpectDecl(r, "識別子が必要です", {tiNewNum}); }, "#_RESULT"),
              "識別子が必要です : #_RESULT(システム変数)");
    // Key names are read by the key-name rules.
    TSrcReader keys = TSrcReader::FromBytes("K* ALT+X");
    EXPECT_EQ(a.ExpectKey(keys, "k", {tiCharKey}).text, "K*");
    EXPECT_EQ(a.ExpectKey(keys, "k", {tiModifier}).kind, tiModifier);
    EXPECT_EQ(a.ExpectKey(keys, "k", {tiPlus}).kind, tiPlus);
    EXPECT_EQ(ExpectError([&](TSrcReader& r) { a.ExpectKey(r, "キー識別子を指定してください", {tiVKey}); }, "FOO"),
              "キー識別子を指定してください : FOO(tiError)");
    // Dialog words first, then any other allowed kind; errors use the general kind.
    TSrcReader dlg = TSrcReader::FromBytes("edit }");
    EXPECT_EQ(a.ExpectDialog(dlg, "d", {tiDlgPart, tiEnd}).kind, tiDlgPart);
    EXPECT_EQ(a.ExpectDialog(dlg, "d", {tiDlgPart, tiEnd}).kind, tiEnd);
    EXPECT_EQ(ExpectError([&](TSrcReader& r) { a.ExpectDialog(r, "ダイアログパーツが必要です", {tiDlgPart}); }, "result"),
              "ダイアログパーツが必要です : result(未知の識別子)");
    // A token that is no dialog word is judged by its general kind only.
    EXPECT_EQ(ExpectError([&](TSrcReader& r) { a.ExpectDialog(r, "d", {tiNewIdent}); }, "}"), "d : }(複文終了)");
}

TEST_F(TokenAnalyzer, NumbersOfNamesInTheCode)
{
    const std::tuple<TTokenKind, const char*, int> cases[] = {
        {tiSysNum, "#_result", 0x00410031},     {tiSysStrArray, "$_FILESIZEC", 0x0059010D},
        {tiSysProc, "SetNum", 0x00920231},      {tiCondFunc, "isdir", 0x00800051},
        {tiDlgPart, "Edit", 0x00D10002},        {tiDlgItem, "autosel", 0x00D20018},
        {tiGlobalNum, "#both", 2},              {tiGlobalStr, "$GS", 0},
        {tiGlobalNumArray, "#ga", 0},           {tiGlobalStrArray, "$gsa", 0},
        // ordinals in declaration order, also in the sorted local list
        {tiLocalNum, "#lb", 0},                 {tiLocalNum, "#LA", 1},
        {tiLocalNum, "#both", 2},               {tiValArgNum, "#n2", 1},
        {tiVarArgNum, "#v", 0},                 {tiLocalStr, "$ls", 0},
        {tiValArgStr, "$s", 0},                 {tiVarArgStr, "$t", 0},
        {tiLocalNumArray, "#lna", 0},           {tiValArgNumArray, "#r", 0},
        {tiVarArgNumArray, "#xa", 0},           {tiLocalStrArray, "$lsa", 0},
        {tiValArgStrArray, "$y", 0},            {tiVarArgStrArray, "$z", 0},
        {tiSub, "mysub", 1},                    {tiIntFunc, "FI", 0},
        {tiStrFunc, "fs", 0},                   {tiBoolFunc, "FB", 0},
        {tiDialog, "dlg", 0},
        // failed lookups
        {tiSysProc, "NoSuchProc", -1},          {tiGlobalNum, "#nope", -1},
        {tiLocalNum, "#x", -1},                 {tiIf, "IF", -1},
    };
    for (auto [kind, name, number] : cases) EXPECT_EQ(a.NumberOf(kind, name), number) << name;

    EXPECT_EQ(a.SignatureOf(tiSysProc, "calcnum"), "VN+N");
    EXPECT_EQ(a.SignatureOf(tiCondFunc, "UseZip"), "-");
    EXPECT_EQ(a.SignatureOf(tiSub, "MYSUB"), "NSV");
    EXPECT_EQ(a.SignatureOf(tiDialog, "Dlg"), "T");
    EXPECT_EQ(a.SignatureOf(tiSub, "nope"), std::nullopt);
    EXPECT_EQ(a.SignatureOf(tiGlobalNum, "#g"), std::nullopt);
}

TEST_F(TokenAnalyzer, ClearingTheScopeUncoversGlobals)
{
    EXPECT_EQ(a.Classify("#x"), tiValArgNum);
    a.scope.ClearArguments();
    EXPECT_EQ(a.Classify("#x"), tiGlobalNum);
    EXPECT_EQ(a.Classify("$s"), tiNewStr);
    EXPECT_EQ(a.Classify("#both"), tiLocalNum);
    a.scope.ClearLocals();
    EXPECT_EQ(a.Classify("#both"), tiGlobalNum);
    EXPECT_EQ(a.Classify("$lsa"), tiNewStr);
}

TEST(VtlNumbers, DecimalAndHexadecimal)
{
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"31", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"$ff", 255},
        {"-5", -5},
        {"+5", 5},
        {"-0x10", -16},
        {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN},
        {"0xFFFFFFFFFFFFFFFF", -1},
        {"0x0000000000000000001", 1},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"0x10000000000000000", std::nullopt},
        {"0x", std::nullopt},
        {"-", std::nullopt},
        {"", std::nullopt},
        {"12ab", std::nullopt},
        {"0xfg", std::nullopt},
    };
    for (auto [text, value] : cases) EXPECT_EQ(VtlNumber(text), value) << text;
}

}  // namespace
