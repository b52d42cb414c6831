// Loading key-assign files: every check with its message, the code stream
// offsets, key sets and their lookups, reload.
#include <gtest/gtest.h>

#include <windows.h>

#include "interpreter/vtlfixture.h"
#include "support/testsupport.h"

using namespace kb;

namespace {

const TCode kEmpty = Block({});

}  // namespace

class Loader : public TVtlTest {
protected:
    bool LoadBytes(const std::string& bytes) { return vtl.LoadKeyImage(bytes, "C:\\K.KEY"); }
};

TEST_F(Loader, HeaderOnlyLoadsNothingAndSetsTheName)
{
    ASSERT_TRUE(LoadBytes(FileOf("0228", "")));
    EXPECT_EQ(vtl.KeyFileName(), "C:\\K.KEY");
    EXPECT_EQ(vtl.InitOffset(), -1);
    EXPECT_EQ(vtl.DoneOffset(), -1);
    EXPECT_EQ(vtl.PreKeyOffset(), -1);
    EXPECT_EQ(vtl.LookupKey("DEFAULT", 13, false, false, false), -1);
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(Loader, EveryCheckFailsWithItsMessageAndLeavesTheObjectEmpty)
{
    auto field = [](std::string_view n) { return std::string(n) + std::string(64 - n.size(), '\0'); };
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty file", "", "ヘッダーを読み込めません"},
        {"short header", std::string(FileOf("0228", "")).substr(0, 23), "ヘッダーを読み込めません"},
        {"wrong magic", "VELK BINCODE Ver 0228\r\n\x1a", "KEYファイルではありません"},
        {"zero in magic", std::string("VELK BINCODE\0VER 0228\r\n\x1a", 24), "KEYファイルではありません"},
        {"version 0229", FileOf("0229", ""), "未サポートのバージョンです : 0229"},
        {"version 0199", FileOf("0199", ""), "未サポートのバージョンです : 0199"},
        {"version ABCD", FileOf("ABCD", ""), "未サポートのバージョンです : ABCD"},
        // 228 in hexadecimal is no decimal version.
        {"version $0E4", FileOf("$0E4", ""), "未サポートのバージョンです : $0E4"},
        {"version 0xE4", FileOf("0xE4", ""), "未サポートのバージョンです : 0xE4"},
        {"unknown marker", FileOf("0228", W(0x00100077)), "未知のマーカー : $00100077"},
        {"array size 0", FileOf("0228", W(bc::bcSecGlobalNumArrays) + W(1) + field("#a") + W(0) + W(0)),
         "配列の添字範囲が不正 : 0 #a"},
        {"array size 2^28 + 1", FileOf("0228", W(bc::bcSecGlobalStrArrays) + W(1) + field("$a") + W(0x10000001) + W(0)),
         "配列の添字範囲が不正 : 268435457 $a"},
        {"array reserved word", FileOf("0228", W(bc::bcSecGlobalNumArrays) + W(1) + field("#a") + W(1) + W(0xAB) + I64(1)),
         "配列の添字定義が不正 : 000000AB #a"},
        {"negative argument count", FileOf("0228", W(bc::bcSecSubs) + W(1) + field("S") + W(-2) + kEmpty),
         "引数の数が不正です : -2\r\nSUB : S"},
        {"unknown argument code", FileOf("0228", W(bc::bcSecDialogs) + W(1) + field("D") + W(1) + W(0x00460000) + kEmpty),
         "不明な引数コード : 00460000\r\nDLG : D"},
        {"missing begin marker", FileOf("0228", W(bc::bcSecInit) + W(0x00100012) + W(0) + W(bc::bcCompoundEnd)),
         "複文開始マーカーが見つかりません"},
        {"end marker not where the size says",
         FileOf("0228", W(bc::bcSecInit) + W(bc::bcCompoundBegin) + W(4) + W(bc::bcCompoundEnd) + W(0x12345678)),
         "複文終了マーカーが見つかりません"},
        {"virtual key 108", FileOf("0228", W(bc::bcSecDefaultKeys) + W(1) + W(0x8000006C) + kEmpty), "不明なキーコード : 108"},
        {"character 97", FileOf("0228", W(bc::bcSecDefaultKeys) + W(1) + W(97) + kEmpty), "不明なキーコード : 00000061"},
        {"mouse code 17", FileOf("0228", W(bc::bcSecDefaultMouse) + W(1) + W(0x80070011) + kEmpty), "不明なマウスコード : 17"},
        {"event code 5", FileOf("0228", W(bc::bcSecDefaultEvents) + W(1) + W(5) + kEmpty), "不明なイベントコード : 5"},
        {"event code -1", FileOf("0228", W(bc::bcSecEventSet) + field("E") + W(1) + W(-1) + kEmpty),
         "不明なイベントコード : -1"},
        {"file ends inside a record", FileOf("0228", W(bc::bcSecGlobalNum) + W(2) + field("#a") + I64(1)),
         "ストリームの読み込みエラー"},
        {"file ends inside a marker", FileOf("0228", "\x01\x00"), "ストリームの読み込みエラー"},
        // Mended: counts and lengths the writer never produces.
        {"negative count", FileOf("0228", W(bc::bcSecGlobalStr) + W(-1)), "セクション $00100002 の個数が不正です : -1"},
        {"negative string length", FileOf("0228", W(bc::bcSecGlobalStr) + W(1) + field("$a") + W(-5)),
         "文字列の長さが不正です : -5"},
        {"huge array the file cannot hold",
         FileOf("0228", W(bc::bcSecGlobalNumArrays) + W(1) + field("#big") + W(0x10000000) + W(0) + I64(1)),
         "ストリームの読み込みエラー"},
        {"huge compound size", FileOf("0228", W(bc::bcSecInit) + W(bc::bcCompoundBegin) + W(0x7FFFFFF0) + W(bc::bcCompoundEnd)),
         "ストリームの読み込みエラー"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.lines.clear();
        // Something loaded before must be gone afterwards.
        ASSERT_TRUE(LoadBytes(FileOf("0228", W(bc::bcSecGlobalNum) + W(1) + field("#x") + I64(7) + W(bc::bcSecInit) + kEmpty)));
        EXPECT_FALSE(LoadBytes(c.bytes));
        EXPECT_EQ(host.lines, Lines{TRecordingHost::Line("Velkano", c.message)});
        EXPECT_TRUE(vtl.GlobalNums.empty());
        EXPECT_EQ(vtl.InitOffset(), -1);
        EXPECT_EQ(vtl.KeyFileName(), "");
        EXPECT_EQ(vtl.CodeStream().Bytes().size(), 0u);
    }
}

TEST_F(Loader, VersionsAtTheEdgesLoadAndArraySectionsWithoutCountAreEmpty)
{
    for (const char* v : {"0200", "0228"}) EXPECT_TRUE(LoadBytes(FileOf(v, ""))) << v;
    EXPECT_TRUE(LoadBytes(FileOf("0228", W(bc::bcSecGlobalNumArrays) + W(-3) + W(bc::bcSecGlobalStrArrays) + W(0))));
    EXPECT_TRUE(vtl.GlobalNumArrays.empty());
}

TEST_F(Loader, AFileThatCannotBeOpenedKeepsWhatIsLoaded)
{
    ASSERT_TRUE(LoadBytes(FileOf("0228", W(bc::bcSecInit) + kEmpty)));
    TTempDir dir;
    EXPECT_FALSE(vtl.LoadKeyFile(dir.File("missing.KEY")));
    EXPECT_EQ(host.lines, Lines{TRecordingHost::Line("Velkano", dir.File("missing.KEY") + " が開けません")});
    EXPECT_EQ(vtl.InitOffset(), 0);
    EXPECT_EQ(vtl.KeyFileName(), "C:\\K.KEY");
}

TEST_F(Loader, TheNameIsExpandedWithTheUNCStepsOfFullPaths)
{
    // A ".." above the share climbs to the server, as in every full path.
    EXPECT_FALSE(vtl.LoadKeyFile("\\\\srv\\share\\.\\d\\..\\..\\x.KEY"));
    EXPECT_EQ(host.lines, Lines{TRecordingHost::Line("Velkano", "\\\\srv\\x.KEY が開けません")});
}

TEST_F(Loader, ReadsTheFileAndExpandsItsName)
{
    TTempDir dir;
    program.globalNums = {{"#a", -5}};
    program.globalStrs = {{"$s", "abcd"}, {"$t", "xyz"}};
    program.numArrays = {{"#n", {1, 2, 3}}};
    program.strArrays = {{"$y", {"", "12345"}}};
    WriteBytes(dir.File("a.KEY"), SerializeKeyFile(program));
    SetCurrentDirectoryA(dir.Path().c_str());
    ASSERT_TRUE(vtl.LoadKeyFile("a.KEY"));
    SetCurrentDirectoryA(TestProgramDir().c_str());
    EXPECT_EQ(vtl.KeyFileName(), dir.File("a.KEY"));
    EXPECT_EQ(vtl.FileVersion(), 228);
    ASSERT_EQ(vtl.GlobalNums.size(), 1u);
    EXPECT_EQ(vtl.GlobalNums[0].Name, "#a");
    EXPECT_EQ(vtl.GlobalNums[0].Value, -5);
    EXPECT_EQ(vtl.GlobalStrs[1].Value, "xyz");
    EXPECT_EQ(vtl.GlobalNumArrays[0]->Items, (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(vtl.GlobalStrArrays[0]->Items, (std::vector<std::string>{"", "12345"}));
    EXPECT_EQ(vtl.GlobalStrArrays[0]->Name, "$y");
}

TEST_F(Loader, CompoundStatementsFollowEachOtherInTheCodeStream)
{
    const TCode body = Block({Call("Break")});
    program.subs = {{"First", "NSV", body}};
    program.intFuncs = {{"F", "", kEmpty}};
    program.init = kEmpty;
    program.done = body;
    ASSERT_TRUE(Load());
    EXPECT_EQ(vtl.SubProcs[0].CodeOffset, 0);
    EXPECT_EQ(vtl.SubProcs[0].Signature, "NSV");
    EXPECT_EQ(vtl.NumFuncs[0].CodeOffset, 12 + 4);
    EXPECT_EQ(vtl.InitOffset(), 16 + 12);
    EXPECT_EQ(vtl.DoneOffset(), 28 + 12);
    EXPECT_EQ(vtl.CodeStream().Bytes(), body + kEmpty + kEmpty + body);
}

TEST_F(Loader, ASecondInitReplacesTheFirst)
{
    ASSERT_TRUE(LoadBytes(FileOf("0228", W(bc::bcSecInit) + kEmpty + W(bc::bcSecInit) + Block({Call("Exit")}))));
    EXPECT_EQ(vtl.InitOffset(), 12);
}

TEST_F(Loader, BindingsGoToTheirSlots)
{
    program.keySets = {{"DEFAULT", {{";", 59, kEmpty}, {"CTRL+SHIFT+F01", static_cast<std::int32_t>(0x80030070), kEmpty}}}};
    program.mouseSets = {{"DEFAULT", {{"ALT+CTRL+SHIFT+X2DOWN", static_cast<std::int32_t>(0x80070010), kEmpty}}}};
    program.eventSets = {{"DEFAULT", {{"ChangeWindow", 4, kEmpty}}}};
    ASSERT_TRUE(Load());
    EXPECT_EQ(vtl.LookupCharKey("DEFAULT", 59), 0);
    EXPECT_EQ(vtl.LookupKey("DEFAULT", 112, false, true, true), 12);
    EXPECT_EQ(vtl.LookupKey("DEFAULT", 112, false, true, false), -1);
    EXPECT_EQ(vtl.LookupMouse("DEFAULT", 16, true, true, true), 24);
    EXPECT_EQ(vtl.LookupEvent("DEFAULT", 4), 36);
    // Codes outside the tables find nothing.
    for (int c : {97, 41, 200, -1}) EXPECT_EQ(vtl.LookupCharKey("DEFAULT", c), -1) << c;
    for (int c : {108, 128, 7, -5}) EXPECT_EQ(vtl.LookupKey("DEFAULT", c, false, false, false), -1) << c;
    for (int c : {17, -1}) EXPECT_EQ(vtl.LookupMouse("DEFAULT", c, false, false, false), -1) << c;
    for (int c : {5, -1, 1000000}) EXPECT_EQ(vtl.LookupEvent("DEFAULT", c), -1) << c;
}

TEST_F(Loader, TheSetAllIsTheFallbackOfEveryOtherSet)
{
    const std::int32_t f1 = static_cast<std::int32_t>(0x80000070), f2 = static_cast<std::int32_t>(0x80000071);
    program.keySets = {{"ALL", {{"F01", f1, kEmpty}, {"F02", f2, kEmpty}}},
                       {"DEFAULT", {{"F01", f1, Block({Call("Exit")})}}},
                       {"Edit", {{"ENTER", static_cast<std::int32_t>(0x8000000D), kEmpty}}}};
    ASSERT_TRUE(Load());
    const std::int32_t inAll = vtl.LookupKey("ALL", 112, false, false, false);
    const std::int32_t inDefault = vtl.LookupKey("DEFAULT", 112, false, false, false);
    EXPECT_NE(inAll, inDefault);
    EXPECT_EQ(vtl.LookupKey("EDIT", 112, false, false, false), inAll);
    EXPECT_EQ(vtl.LookupKey("nosuchset", 112, false, false, false), inAll);
    EXPECT_EQ(vtl.LookupKey("DEFAULT", 113, false, false, false), vtl.LookupKey("ALL", 113, false, false, false));
    EXPECT_EQ(vtl.LookupKey("edit", 13, false, false, false), vtl.LookupKey("EDIT", 13, false, false, false));
    EXPECT_EQ(vtl.LookupKey("ALL", 13, false, false, false), -1);
    EXPECT_EQ(vtl.KeySets().Count(), 3);
}

TEST_F(Loader, NoSetAllMeansNothingElseIsFound)
{
    program.keySets = {{"DEFAULT", {{"F01", static_cast<std::int32_t>(0x80000070), kEmpty}}}};
    ASSERT_TRUE(Load());
    EXPECT_EQ(vtl.LookupKey("OTHER", 112, false, false, false), -1);
    EXPECT_EQ(vtl.LookupKey("ALL", 112, false, false, false), -1);
}

TEST_F(Loader, ReloadKeyDataReplacesTheProgramAndRunsTheNewInit)
{
    TTempDir dir;
    TKeyFileContent second;
    second.globalNums = {{"#second", 2}};
    second.init = Block({Show(Str("new init"))});
    WriteBytes(dir.File("second.KEY"), SerializeKeyFile(second));

    program.globalNums = {{"#first", 1}};
    program.init = Block({Show(Str("old init")), Call("ReloadKeyData", {Str(dir.File("second.KEY")), Num(1)}),
                          Show(Str("still old"))});
    ASSERT_TRUE(Load());
    vtl.RunInit();
    EXPECT_EQ(host.lines, (Lines{"[out] old init", "[out] still old", "[out] new init"}));
    EXPECT_EQ(vtl.KeyFileName(), dir.File("second.KEY"));
    EXPECT_EQ(vtl.GlobalNums[0].Name, "#second");
    EXPECT_EQ(vtl.ReloadCount(), 1);
}

TEST_F(Loader, ReloadWithoutInitAndAfterAnErrorNone)
{
    TTempDir dir;
    TKeyFileContent second;
    second.init = Block({Show(Str("new init"))});
    WriteBytes(dir.File("b.KEY"), SerializeKeyFile(second));
    program.keySets = {{"DEFAULT",
                        {{"A", static_cast<std::int32_t>(0x80000041), Block({Call("ReloadKeyData", {Str(dir.File("b.KEY")), Num(2)})})},
                         {"B", static_cast<std::int32_t>(0x80000042),
                          Block({Call("ReloadKeyData", {Str(dir.File("b.KEY")), Num(1)}), Call("AllMark", {Num(1)})})}}}};
    ASSERT_TRUE(Load());
    vtl.RunKey('B', 0, 0, 0, 0);
    EXPECT_EQ(vtl.ReloadCount(), 0);
    EXPECT_EQ(vtl.KeyFileName(), "C:\\T.KEY");
    vtl.RunKey('A', 0, 0, 0, 0);
    EXPECT_EQ(vtl.ReloadCount(), 1);
    EXPECT_EQ(host.lines, Lines{GrammarError("未定義の手続き文 : 0092005C")});
    EXPECT_EQ(vtl.InitOffset(), 0);
}
