// Number conversions, string editing and searching, the environment and the
// system's error texts, as VTL calls.
#include <gtest/gtest.h>

#include <windows.h>

#include "interpreter/vtlfixture.h"
#include "platform/syserror.h"

using namespace kb;

class StringBuiltins : public TVtlTest {
protected:
    // Runs the statements on fresh globals #g0.. and $s0..; $s0 starts as
    // the initial text.
    void Run(const std::string& initial, std::initializer_list<TCode> statements)
    {
        program.globalNums.clear();
        program.globalStrs.clear();
        Globals(3, 3);
        program.globalStrs[0].value = initial;
        host.lines.clear();
        Init(std::vector<TCode>(statements));
    }
};

namespace {

// "表" and "ソ" end in the byte 0x5C, a backslash when read alone.
const std::string kHyo = "表";
const std::string kSo = "ソ";

struct TStrCase {
    const char* what;
    std::string initial;
    TCode call;  // writes $s0
    std::string expected;
};

}  // namespace

TEST_F(StringBuiltins, StringResults)
{
    ASSERT_EQ(kHyo, "\x95\x5C");
    const TStrCase cases[] = {
        {"CopyStr from 0 copies from the first byte", "", Call("CopyStr", {GS(0), Str("abcdef"), Num(0), Num(3)}), "abc"},
        {"CopyStr count past the end", "", Call("CopyStr", {GS(0), Str("abcdef"), Num(4), Num(100)}), "def"},
        {"CopyStr start past the end", "x", Call("CopyStr", {GS(0), Str("abc"), Num(4), Num(1)}), ""},
        {"CopyStr count 0", "x", Call("CopyStr", {GS(0), Str("abc"), Num(1), Num(0)}), ""},
        {"InsertStr before position 2", "abc", Call("InsertStr", {GS(0), Str("XY"), Num(2)}), "aXYbc"},
        {"InsertStr below 1 goes first", "abc", Call("InsertStr", {GS(0), Str("X"), Num(-5)}), "Xabc"},
        {"InsertStr past the end appends", "abc", Call("InsertStr", {GS(0), Str("X"), Num(99)}), "abcX"},
        {"DeleteStr", "abcdef", Call("DeleteStr", {GS(0), Num(2), Num(3)}), "aef"},
        {"DeleteStr count past the end", "abcdef", Call("DeleteStr", {GS(0), Num(5), Num(10)}), "abcd"},
        {"DeleteStr position 0 deletes nothing", "abc", Call("DeleteStr", {GS(0), Num(0), Num(2)}), "abc"},
        {"DeleteStr past the end deletes nothing", "abc", Call("DeleteStr", {GS(0), Num(4), Num(2)}), "abc"},
        {"UpperStr keeps double-byte letters", "", Call("UpperStr", {GS(0), Str("abc.txt ａｂ" + kHyo)}), "ABC.TXT ａｂ" + kHyo},
        {"LowerStr", "", Call("LowerStr", {GS(0), Str("ABC.TXT Ａ")}), "abc.txt Ａ"},
        {"LastChar single", "", Call("LastChar", {GS(0), Str("ab")}), "b"},
        {"LastChar double-byte", "", Call("LastChar", {GS(0), Str("a" + kHyo)}), kHyo},
        {"LastChar of empty", "x", Call("LastChar", {GS(0), Str("")}), ""},
        {"ReplaceStr first", "a-b-c", Call("ReplaceStr", {GS(0), Str("-"), Str("+"), Num(0)}), "a+b-c"},
        {"ReplaceStr every", "a-b-c", Call("ReplaceStr", {GS(0), Str("-"), Str("+"), Num(1)}), "a+b+c"},
        {"ReplaceStr is case-sensitive", "aAa", Call("ReplaceStr", {GS(0), Str("A"), Str("x"), Num(1)}), "axa"},
        {"ReplaceStr leaves trail bytes", kHyo + "\\" + kSo, Call("ReplaceStr", {GS(0), Str("\\"), Str("/"), Num(1)}),
         kHyo + "/" + kSo},
        {"ReplaceStr of nothing", "abc", Call("ReplaceStr", {GS(0), Str(""), Str("x"), Num(1)}), "abc"},
        {"ReplaceText", "Abc.TXT abc.txt", Call("ReplaceText", {GS(0), Str(".txt"), Str(".log"), Num(1)}), "Abc.log abc.log"},
        {"ReplaceText full-width", "ＡＢ", Call("ReplaceText", {GS(0), Str("ａ"), Str("x"), Num(0)}), "xＢ"},
        {"IntToHex of -1 with 4 digits", "", Call("IntToHex", {GS(0), Num(-1), Num(4)}), "FFFFFFFFFFFFFFFF"},
        {"IntToHex pads", "", Call("IntToHex", {GS(0), Num(255), Num(4)}), "00FF"},
        {"IntToStr", "", Call("IntToStr", {GS(0), Num(INT64_MIN)}), "-9223372036854775808"},
        {"IntToChar", "", Call("IntToChar", {GS(0), Num(0x41)}), "A"},
        {"IntToChar out of range leaves T", "keep", Call("IntToChar", {GS(0), Num(256)}), "keep"},
        {"GetSysErrMsg", "", Call("GetSysErrMsg", {GS(0), Num(2)}), SysErrorMessage(2)},
    };
    for (const TStrCase& c : cases) {
        Run(c.initial, {c.call});
        EXPECT_EQ(S(0), c.expected) << c.what;
        EXPECT_TRUE(host.lines.empty()) << c.what << ": " << ::testing::PrintToString(host.lines);
    }
}

TEST_F(StringBuiltins, CommaTextUsesTheLocaleSeparator)
{
    Run("", {Call("IntToCommaStr", {GS(0), Num(-1234567)}), Call("IntToCommaStr", {GS(1), Num(999)})});
    char sep[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
    EXPECT_EQ(S(0), std::string("-1") + sep + "234" + sep + "567");
    EXPECT_EQ(S(1), "999");
}

namespace {

struct TNumCase {
    const char* what;
    TCode call;  // writes #g0, may set #_RESULT
    std::int64_t expected;
    std::int64_t result;  // -99: #_RESULT not looked at
};

}  // namespace

TEST_F(StringBuiltins, NumberResults)
{
    const TNumCase cases[] = {
        {"StrToInt $FF", Call("StrToInt", {GN(0), Str("$FF")}), 255, 1},
        {"StrToInt negative", Call("StrToInt", {GN(0), Str("-42")}), -42, 1},
        {"StrToInt 12a fails and keeps V", Call("StrToInt", {GN(0), Str("12a")}), 7, 0},
        {"StrToInt $ of 16 digits", Call("StrToInt", {GN(0), Str("$FFFFFFFFFFFFFFFF")}), -1, 1},
        {"CharToInt big-endian", Call("CharToInt", {GN(0), Str("\x01\x02\x03"), Num(1), Num(2), Num(1)}), 0x0102, 1},
        {"CharToInt little-endian", Call("CharToInt", {GN(0), Str("\x01\x02\x03"), Num(2), Num(2), Num(0)}), 0x0302, 1},
        {"CharToInt unsigned bytes", Call("CharToInt", {GN(0), Str("\xFF\xFE"), Num(1), Num(2), Num(1)}), 0xFFFE, 1},
        {"CharToInt 8 bytes wrap", Call("CharToInt", {GN(0), Str("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"), Num(1), Num(8), Num(1)}),
         -1, 1},
        {"CharToInt position 0", Call("CharToInt", {GN(0), Str("ab"), Num(0), Num(1), Num(1)}), 7, 0},
        {"CharToInt count 9", Call("CharToInt", {GN(0), Str("abcdefghij"), Num(1), Num(9), Num(1)}), 7, 0},
        {"CharToInt too short", Call("CharToInt", {GN(0), Str("ab"), Num(2), Num(2), Num(1)}), 7, 0},
        {"LengthStr counts bytes", Call("LengthStr", {GN(0), Str("a" + kHyo)}), 3, -99},
        // The 0x5C of 表 is no backslash: only the later one is found.
        {"PosStr double-byte aware", Call("PosStr", {GN(0), Str(kHyo + "\\"), Str("\\")}), 3, -99},
        {"PosStr absent", Call("PosStr", {GN(0), Str("abc"), Str("x")}), 0, -99},
        {"PosStr of empty", Call("PosStr", {GN(0), Str("abc"), Str("")}), 0, -99},
        {"PosText case-sensitive", Call("PosText", {GN(0), Str("xABCabc"), Str("abc"), Num(0)}), 5, 1},
        {"PosText ASCII without case", Call("PosText", {GN(0), Str("xABCabc"), Str("abc"), Num(1)}), 2, 1},
        {"PosText bit 1 alone keeps case", Call("PosText", {GN(0), Str("xABCabc"), Str("abc"), Num(2)}), 5, 1},
        {"PosText full-width needs bits 0 and 1", Call("PosText", {GN(0), Str("ＡＢ"), Str("ｂ"), Num(1)}), 0, 0},
        {"PosText full-width by the locale", Call("PosText", {GN(0), Str("ＡＢ"), Str("ｂ"), Num(3)}), 3, 1},
        {"PosText not at a trail byte", Call("PosText", {GN(0), Str(kSo + "\\"), Str("\\"), Num(1)}), 3, 1},
        {"CharType single", Call("CharType", {GN(0), Str("a" + kHyo), Num(1)}), 0, -99},
        {"CharType lead", Call("CharType", {GN(0), Str("a" + kHyo), Num(2)}), 1, -99},
        {"CharType trail", Call("CharType", {GN(0), Str("a" + kHyo), Num(3)}), 2, -99},
        {"CharType outside", Call("CharType", {GN(0), Str("a" + kHyo), Num(4)}), -1, -99},
        {"CharType position 0", Call("CharType", {GN(0), Str("a"), Num(0)}), -1, -99},
    };
    for (const TNumCase& c : cases) {
        Run("", {SetNum(GN(0), Num(7)), Call("SetResult", {Num(-99)}), c.call, SetNum(GN(1), SysNum("#_RESULT"))});
        EXPECT_EQ(G(0), c.expected) << c.what;
        if (c.result != -99) {
            EXPECT_EQ(G(1), c.result) << c.what;
        }
        EXPECT_TRUE(host.lines.empty()) << c.what << ": " << ::testing::PrintToString(host.lines);
    }
}

TEST_F(StringBuiltins, PosTextMissSetsVToZero)
{
    Run("", {SetNum(GN(0), Num(7)), Call("PosText", {GN(0), Str("abc"), Str("x"), Num(1)}),
             SetNum(GN(1), SysNum("#_RESULT"))});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(G(1), 0);
}

TEST_F(StringBuiltins, CountsOutsideThe32BitRangeAreRefused)
{
    Run("", {Call("CopyStr", {GS(0), Str("abc"), Num(1), Num(4294967296)})});
    EXPECT_EQ(host.lines, Lines{GrammarError("範囲外の数です : 4294967296")});
}

TEST_F(StringBuiltins, GetEnv)
{
    SetEnvironmentVariableA("VELK_TEST_ENV", "値=1");
    SetEnvironmentVariableA("VELK_TEST_UNSET", nullptr);
    // 600 bytes of double-byte characters: cut to 511 bytes, never inside one.
    std::string longValue;
    for (int i = 0; i < 300; ++i) longValue += kHyo;
    SetEnvironmentVariableA("VELK_TEST_LONG", longValue.c_str());
    Run("keep", {Call("GetEnv", {GS(0), Str("VELK_TEST_ENV")}), SetNum(GN(0), SysNum("#_RESULT")),
                 SetStr(GS(1), Str("keep")), Call("GetEnv", {GS(1), Str("VELK_TEST_UNSET")}),
                 SetNum(GN(1), SysNum("#_RESULT")), Call("GetEnv", {GS(2), Str("VELK_TEST_LONG")})});
    EXPECT_EQ(S(0), "値=1");
    EXPECT_EQ(G(0), 1);
    EXPECT_EQ(S(1), "");
    EXPECT_EQ(G(1), 0);
    EXPECT_EQ(S(2), longValue.substr(0, 510));
    SetEnvironmentVariableA("VELK_TEST_ENV", nullptr);
    SetEnvironmentVariableA("VELK_TEST_LONG", nullptr);
}

TEST_F(StringBuiltins, TheBuiltinsOfTheFamilyAreDefinedExceptThoseWaitingForAWindow)
{
    for (const char* name :
         {"StrToInt", "IntToStr", "IntToHex", "IntToCommaStr", "IntToChar", "CharToInt", "UpperStr", "LowerStr", "CopyStr",
          "InsertStr", "DeleteStr", "LengthStr", "PosStr", "PosText", "ReplaceStr", "ReplaceText", "LastChar", "CharType",
          "GetEnv", "GetSysErrMsg", "LineCount", "GetLine", "SetLine", "InsLine", "DelLine", "AddLine", "SortLine",
          "GetMaxIndex", "SetMaxIndex", "ToStrArray", "ToLines", "SelectMatchStr", "SelectMatchText", "SelectStr",
          "SelectText", "SelectMaskStr", "SelectMaskText", "SelectNum", "GetLongName", "GetLongNameEx", "GetShortName",
          "GetUNCName", "GetRelativeName", "DivPathAndName", "DivNameAndExt", "ExpandFilename", "ExtractDir",
          "GetSpecialDir", "GetSPecialDirEx", "AddDirHist", "AddExecHist", "AddRegHist", "SetDirHist", "SetExecHist",
          "SetRegHist", "GetIniDataStr", "SetIniDataStr", "GetIniDataInt", "SetIniDataInt", "GetClipStr", "SetClipStr",
          "AddClipStr", "CalcMD5", "CalcSHA1", "CalcSHA256", "CalcSHA512", "CalcCRC32", "ShrinkPath", "TextWH"})
        EXPECT_TRUE(vtl.Tables().Procedure(bc::FindBuiltin(bc::TBuiltinKind::SysProc, name)->id)) << name;
    // The bitmap clipboard needs the picture view.
    Run("", {Call("GetClipBMP", {Num(1)})});
    EXPECT_EQ(host.lines, Lines{GrammarError("未定義の手続き文 : 009202D5")});
}
