// Dialog bodies of #DLG routines: the words written for every part and
// every item kind, group boxes with nested parts, and how dialogs are
// numbered and called.
#include <gtest/gtest.h>

#include "compile_harness.h"
#include "script-format/binconst.h"

namespace {

using namespace bc;

// Globals: #n 0, #m 1; $s 0, $t 1; #na 0; $sa 0.
const char kPrelude[] = "#GLOBALVAR #n, #m, $s, $t, #na[3], $sa[2];\r\n";
constexpr std::uint32_t N = 0x00420000, M = 0x00420001, S = 0x00520000, T = 0x00520001;
constexpr std::uint32_t NA = 0x004A0000, SA = 0x005A0000;

// Part words
constexpr std::uint32_t kDialog = 0x00D10001, kEdit = 0x00D10002, kComboBox = 0x00D10003, kButton = 0x00D10004,
                        kRadioButton = 0x00D10005, kCheckBox = 0x00D10006, kMemo = 0x00D10007, kLabel = 0x00D10008,
                        kBevel = 0x00D10009, kGroupBox = 0x00D1000A, kListBox = 0x00D1000B;
// Item words
constexpr std::uint32_t kSize = 0x00D20001, kFont = 0x00D20002, kResult = 0x00D20003, kLimit = 0x00D20004,
                        kMask = 0x00D20005, kDefault = 0x00D20006, kHistory = 0x00D20007, kCaption = 0x00D20008,
                        kValue = 0x00D20009, kColumn = 0x00D2000A, kItems = 0x00D2000B, kReadOnly = 0x00D2000C,
                        kColor = 0x00D2000D, kType = 0x00D2000E, kFocus = 0x00D2000F, kAlign = 0x00D20010,
                        kRet = 0x00D20011, kMulti = 0x00D20012, kClientSize = 0x00D20013, kOneKey = 0x00D20014,
                        kFileNameComp = 0x00D20015, kCurPos = 0x00D20016, kSelLength = 0x00D20017,
                        kAutoSel = 0x00D20018;
constexpr std::uint32_t kEnd = bcDialogPartEnd;

Words Expr(const Words& inner) { return Seq({bcExprBegin, inner, bcExprEnd}); }
Words Sizes(long long l, long long t, long long w, long long h) { return Seq({Num(l), Num(t), Num(w), Num(h)}); }

struct TDialogCase {
    const char* parameters;
    const char* body;  // between the braces of the dialog
    Words expected;    // the words between the body's size and its end marker
};

TEST(Dialogs, EveryPartAndItemKind)
{
    const TDialogCase cases[] = {
        {"", "DIALOG { SIZE: 0, 0, 200, 100; CAPTION: 'Find'; }; EDIT { RESULT: $s; };",
         Seq({kDialog, kSize, Sizes(0, 0, 200, 100), kCaption, Str("Find"), kEnd, kEdit, kResult, S, kEnd})},
        {"", "DIALOG { FONT: 'ＭＳ ゴシック', 9; CLIENTSIZE: -1, 2, #n * 2, (3); };",
         Seq({kDialog, kFont, Str("ＭＳ ゴシック"), Num(9), kClientSize, Num(-1), Num(2),
              Expr(Seq({N, bcOpMul, Num(2)})), Expr(Num(3)), kEnd})},
        {"",
         "edit { result: $sa[#n + 1]; limit: 10; mask: '*'; default: $t + 'x'; focus; ret: 1; "
         "filenamecomp: 2; curpos: 3; sellength: 4; autosel: 0; };",
         Seq({kEdit, kResult, SA, Expr(Seq({N, bcOpAdd, Num(1)})), kLimit, Num(10), kMask, Str("*"), kDefault,
              Expr(Seq({T, Str("x")})), kFocus, kRet, Num(1), kFileNameComp, Num(2), kCurPos, Num(3), kSelLength,
              Num(4), kAutoSel, Num(0), kEnd})},
        {"", "COMBOBOX { SIZE: 1, 2, 3, 4; RESULT: $t; LIMIT: 5; DEFAULT: 'a'; HISTORY: $s; TYPE: 1; FOCUS; RET: 2; FILENAMECOMP: #m; };",
         Seq({kComboBox, kSize, Sizes(1, 2, 3, 4), kResult, T, kLimit, Num(5), kDefault, Str("a"), kHistory, S, kType,
              Num(1), kFocus, kRet, Num(2), kFileNameComp, M, kEnd})},
        {"", "BUTTON { SIZE: 8, 8, 75, 25; CAPTION: '&OK'; VALUE: -1; FOCUS; };",
         Seq({kButton, kSize, Sizes(8, 8, 75, 25), kCaption, Str("&OK"), kValue, Num(-1), kFocus, kEnd})},
        {"", "RADIOBUTTON { RESULT: #n; DEFAULT: 2; CAPTION: '種類'; COLUMN: 2; ITEMS: 'a' + \\n + 'b'; FOCUS; SIZE: 0, 0, 9, 9; };",
         Seq({kRadioButton, kResult, N, kDefault, Num(2), kCaption, Str("種類"), kColumn, Num(2), kItems,
              Expr(Seq({Str("a"), Str("\n"), Str("b")})), kFocus, kSize, Sizes(0, 0, 9, 9), kEnd})},
        {"", "CHECKBOX { RESULT: #na[2]; DEFAULT: #m; CAPTION: 'x'; FOCUS; SIZE: 1, 1, 1, 1; };",
         Seq({kCheckBox, kResult, NA, Num(2), kDefault, M, kCaption, Str("x"), kFocus, kSize, Sizes(1, 1, 1, 1), kEnd})},
        {"", "MEMO { RESULT: $s; DEFAULT: $_CRLF; READONLY: 1; FOCUS; SIZE: 0, 0, 1, 1; };",
         Seq({kMemo, kResult, S, kDefault, 0x00510063, kReadOnly, Num(1), kFocus, kSize, Sizes(0, 0, 1, 1), kEnd})},
        {"", "LABEL { SIZE: 1, 2, 3, 4; CAPTION: $s; COLOR: 0xFF; ALIGN: 1; };",
         Seq({kLabel, kSize, Sizes(1, 2, 3, 4), kCaption, S, kColor, Num(255), kAlign, Num(1), kEnd})},
        {"", "BEVEL { SIZE: 1, 2, 3, 4; TYPE: 2; };", Seq({kBevel, kSize, Sizes(1, 2, 3, 4), kType, Num(2), kEnd})},
        {"", "LISTBOX { SIZE: 1, 2, 3, 4; RESULT: $sa[1]; COLUMN: 1; ITEMS: $t; FOCUS; RET: 0; MULTI: 1; ONEKEY: 1; };",
         Seq({kListBox, kSize, Sizes(1, 2, 3, 4), kResult, SA, Num(1), kColumn, Num(1), kItems, T, kFocus, kRet, Num(0),
              kMulti, Num(1), kOneKey, Num(1), kEnd})},
        // Parts without items, in any order, any number of times; no DIALOG.
        {"", "BUTTON { }; LABEL { }; BUTTON { }; DIALOG { };",
         Seq({kButton, kEnd, kLabel, kEnd, kButton, kEnd, kDialog, kEnd})},
        // An item given twice is written twice.
        {"", "LABEL { CAPTION: 'a'; CAPTION: 'b'; };", Seq({kLabel, kCaption, Str("a"), kCaption, Str("b"), kEnd})},
        // Group boxes: nested parts with their own end, nested group boxes,
        // and the four words taken without value or code.
        {"", "GROUPBOX { CAPTION: 'Options'; CHECKBOX { RESULT: #m; }; };",
         Seq({kGroupBox, kCaption, Str("Options"), kCheckBox, kResult, M, kEnd, kEnd})},
        {"", "GROUPBOX { ALIGN CAPTION: 'x'; };", Seq({kGroupBox, kCaption, Str("x"), kEnd})},
        {"",
         "GroupBox { SIZE: 1, 2, 3, 4; multi CLIENTSIZE ONEKEY GROUPBOX { EDIT { RESULT: $s; }; }; }; "
         "GROUPBOX { }; BUTTON { };",
         Seq({kGroupBox, kSize, Sizes(1, 2, 3, 4), kGroupBox, kEdit, kResult, S, kEnd, kEnd, kEnd, kGroupBox, kEnd,
              kButton, kEnd})},
        // Parameters of every kind serve as values and results.
        {"#w, $c, VAR $r, VAR #k, #x[], VAR $y[]",
         "DIALOG { SIZE: 0, 0, #w, #x[1]; CAPTION: $c + $y[2]; }; EDIT { RESULT: $r; }; CHECKBOX { RESULT: #k; }; "
         "RADIOBUTTON { RESULT: #n; DEFAULT: #k; };",
         Seq({kDialog, kSize, Num(0), Num(0), 0x00440000, 0x004C0000, Num(1), kCaption,
              Expr(Seq({0x00540000, 0x005D0000, Num(2)})), kEnd, kEdit, kResult, 0x00550000, kEnd, kCheckBox, kResult,
              0x00450000, kEnd, kRadioButton, kResult, N, kDefault, 0x00450000, kEnd})},
    };
    for (const TDialogCase& c : cases) {
        const std::string source = std::string(kPrelude) + "#DLG D(" + c.parameters + ") { " + c.body + " }";
        TCompileResult r = CompileSource(source);
        ASSERT_EQ(r.exitCode, 0) << c.body << "\n" << r.output;
        TDecodedFile f = DecodeKeyFile(r.bytes);
        ASSERT_EQ(f.dialogs.size(), 1u) << c.body;
        EXPECT_EQ(f.dialogs[0].name, "D");
        EXPECT_EQ(f.dialogs[0].body, c.expected)
            << c.body << "\n  got      " << Hex(f.dialogs[0].body) << "\n  expected " << Hex(c.expected);
    }
}

TEST(Dialogs, NumberedInTheirTableAndCalledLikeRoutines)
{
    TDecodedFile f = CompileAndDecode(
        "#DLG Ask($title, VAR $answer) { EDIT { RESULT: $answer; }; DIALOG { CAPTION: $title; }; }\r\n"
        "#SUB Ask2() { }\r\n"
        "#DLG Pick(#a, #b) { BUTTON { VALUE: #b; }; }\r\n"
        "#KEY A { VAR $s; Pick(1, 2); Ask('質問', $s); }");
    ASSERT_EQ(f.dialogs.size(), 2u);
    EXPECT_EQ(f.dialogs[0].name, "Ask");
    EXPECT_EQ(f.dialogs[0].args, (Words{0x00540000, 0x00550000}));
    EXPECT_EQ(f.dialogs[1].name, "Pick");
    EXPECT_EQ(f.dialogs[1].args, (Words{0x00440000, 0x00440001}));
    EXPECT_EQ(f.dialogs[1].body, Seq({kButton, kValue, 0x00440001, kEnd}));
    ASSERT_EQ(f.keySets.size(), 1u);
    EXPECT_EQ(f.keySets[0].bindings[0].body,
              Seq({bcVar, 0, 1, 0, 0, 0x00D00001, Num(1), Num(2), 0, 0x00D00000, Str("質問"), 0x00530000, 0}));
    // The dialogs come last in the file.
    EXPECT_EQ(f.markers.back(), static_cast<std::uint32_t>(bcSecDialogs));
}

TEST(Dialogs, VerboseShowsTheHeaderAndParameters)
{
    TCompileResult r = CompileSource("#DLG D(#a, VAR $b, $c[]) { BUTTON { }; }", Shown::verbose);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("\r\n\r\n#DLG D\r\n  args : #a, VAR $b, $c[]\r\nUser define global numeric var\r\n"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("\r\nDialogs\r\n  D(#, VAR $, $[])\r\nKEYSET >>> DEFAULT\r\n"), std::string::npos)
        << r.output;
}

TEST(Dialogs, GroupBoxesNestUpToTheLimit)
{
    for (int depth : {900, 100000}) {
        std::string body;
        for (int i = 0; i < depth; ++i) body += "GROUPBOX { ";
        for (int i = 0; i < depth; ++i) body += "}; ";
        TCompileResult r = CompileSource("#DLG D() { " + body + "}");
        if (depth < 1000) {
            ASSERT_EQ(r.exitCode, 0) << r.output.substr(0, 1000);
            TDecodedFile f = DecodeKeyFile(r.bytes);
            ASSERT_EQ(f.dialogs.size(), 1u);
            EXPECT_EQ(f.dialogs[0].body.size(), 2u * depth);
        } else {
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_NE(r.output.find("Error : 入れ子が深すぎます (1000 段まで)"), std::string::npos)
                << r.output.substr(0, 1000);
        }
    }
}

}  // namespace
