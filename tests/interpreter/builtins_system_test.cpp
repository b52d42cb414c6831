// INI files, the clipboard, file digests and text measurement, as VTL calls.
#include <gtest/gtest.h>

#include <windows.h>

#include "interpreter/vtlfixture.h"
#include "support/testsupport.h"

using namespace kb;

namespace {

class SystemBuiltins : public TVtlTest {
protected:
    TTempDir dir;
    void SetUp() override { Globals(3, 3); }
    void Run(std::initializer_list<TCode> statements)
    {
        host.lines.clear();
        Init(std::vector<TCode>(statements));
    }
    TCode Result(int n) { return SetNum(GN(n), SysNum("#_RESULT")); }
};

}  // namespace

TEST_F(SystemBuiltins, IniKeysOfAHandEditedFile)
{
    const std::string ini = dir.File("設定.ini");
    const std::string original =
        "; 手で書いた説明\r\n"
        "[Main]\r\n"
        "  Name = 古い値  \r\n"
        "Count=$10\r\n"
        "\r\n"
        "; 次の節\r\n"
        "[Other]\r\n"
        "x=1\r\n";
    WriteBytes(ini, original);
    Run({Call("GetIniDataStr", {GS(0), Str(ini), Str("main"), Str("NAME"), Str("def")}),
         Call("GetIniDataStr", {GS(1), Str(ini), Str("Main"), Str("absent"), Str("def")}),
         Call("GetIniDataInt", {GN(0), Str(ini), Str("Main"), Str("Count"), Num(-1)}),
         Call("GetIniDataInt", {GN(1), Str(ini), Str("Main"), Str("Name"), Num(-1)}),
         Call("SetIniDataStr", {Str(ini), Str("Main"), Str("Name"), Str("新しい値")}), Result(2)});
    EXPECT_EQ(S(0), "古い値");
    EXPECT_EQ(S(1), "def");
    EXPECT_EQ(G(0), 16);
    EXPECT_EQ(G(1), -1);
    EXPECT_EQ(G(2), 0);
    Run({Call("SetIniDataInt", {Str(ini), Str("New"), Str("n"), Num(-5)}), Result(0)});
    EXPECT_EQ(G(0), 0);
    // Only the key's own line changed; comments, blanks and order stay.
    EXPECT_EQ(ReadBytes(ini),
              "; 手で書いた説明\r\n"
              "[Main]\r\n"
              "  Name = 新しい値\r\n"
              "Count=$10\r\n"
              "\r\n"
              "; 次の節\r\n"
              "[Other]\r\n"
              "x=1\r\n"
              "\r\n"
              "[New]\r\n"
              "n=-5\r\n")
        << HexDump(ReadBytes(ini));
}

TEST_F(SystemBuiltins, IniWritesThatFailReportOne)
{
    const std::string ini = dir.File("held.ini");
    WriteBytes(ini, "[A]\r\nk=1\r\n; note\r\n");
    // A key the file cannot hold, and a file another program holds open.
    Run({Call("SetIniDataStr", {Str(ini), Str("A"), Str("bad\r\nkey"), Str("v")}), Result(0)});
    EXPECT_EQ(G(0), 1);
    HANDLE h = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Run({Call("SetIniDataStr", {Str(ini), Str("A"), Str("k"), Str("2")}), Result(0)});
    CloseHandle(h);
    EXPECT_EQ(G(0), 1);
    // Nothing read means nothing written over the user's file.
    EXPECT_EQ(ReadBytes(ini), "[A]\r\nk=1\r\n; note\r\n");
    Run({Call("SetIniDataInt", {Str(dir.File("no such dir\\x.ini")), Str("A"), Str("k"), Num(1)}), Result(0)});
    EXPECT_EQ(G(0), 1);
}

TEST_F(SystemBuiltins, ClipboardText)
{
    Run({Call("SetClipStr", {Str("一行目\r\nline2")}), Result(0), Call("AddClipStr", {Str("+追加")}), Result(1),
         Call("GetClipStr", {GS(0), Num(0)}), Result(2)});
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(G(1), 0);
    EXPECT_EQ(G(2), 0);
    EXPECT_EQ(S(0), "一行目\r\nline2+追加");

    // With 1 the clipboard is emptied after reading; then it holds no text.
    Run({Call("GetClipStr", {GS(0), Num(1)}), Result(0), SetStr(GS(1), Str("keep")), Call("GetClipStr", {GS(1), Num(0)}),
         Result(1)});
    EXPECT_EQ(S(0), "一行目\r\nline2+追加");
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(S(1), "keep");
    EXPECT_EQ(G(1), -1);

    // Appending to an empty clipboard puts the text there.
    Run({Call("AddClipStr", {Str("only")}), Call("GetClipStr", {GS(0), Num(1)})});
    EXPECT_EQ(S(0), "only");
}

TEST_F(SystemBuiltins, ClipboardHeldByAnotherWindowCannotBeReached)
{
    HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    Run({SetStr(GS(0), Str("keep")), Call("GetClipStr", {GS(0), Num(0)}), Result(0), Call("SetClipStr", {Str("x")}),
         Result(1), Call("AddClipStr", {Str("x")}), Result(2)});
    CloseClipboard();
    DestroyWindow(other);
    EXPECT_EQ(S(0), "keep");
    EXPECT_EQ(G(0), -10);
    EXPECT_EQ(G(1), -10);
    EXPECT_EQ(G(2), -10);
}

namespace {

// Several megabytes from a fixed xorshift generator; the digests below were
// computed from the same bytes by Python's hashlib and zlib.
std::string GeneratedBytes()
{
    std::string data(3 * 1024 * 1024 + 7, '\0');
    std::uint32_t x = 0x2545F491;
    for (char& b : data) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<char>(x & 0xFF);
    }
    return data;
}

}  // namespace

TEST_F(SystemBuiltins, DigestsOfALargeFile)
{
    const std::string file = dir.File("大きな" + std::string("表") + ".bin");
    WriteBytes(file, GeneratedBytes());
    program.globalStrs.push_back({"$s3", ""});
    Run({Call("CalcMD5", {GS(0), Str(file)}), Call("CalcSHA1", {GS(1), Str(file)}), Call("CalcSHA256", {GS(2), Str(file)}),
         Call("CalcSHA512", {GS(3), Str(file)}), Call("CalcCRC32", {GN(0), Str(file)}), Result(1)});
    EXPECT_EQ(S(0), "bb23a74ce271649bc94991d7fc991797");
    EXPECT_EQ(S(1), "ecc07c1d28cb225bdf082a7e59f6466863dae4fd");
    EXPECT_EQ(S(2), "6602fb5a4f7cb83c9f8634e4bcefa9c59ec4c237591bf97dd202eaeadd3dc3d4");
    EXPECT_EQ(S(3),
              "249b9294565db6b60d2b87cca9992f99f7e071abc1bdeed69852ec1d0471407e"
              "e328471b2500455a62c754ad170497de66312e0755d18aeda7c17c64aa07ffec");
    EXPECT_EQ(G(0), 641636344);
    EXPECT_EQ(G(1), 1);
    EXPECT_GT(host.pumps, 300);  // the window's messages were handled between chunks
}

TEST_F(SystemBuiltins, DigestsOfAnEmptyAndAMissingFile)
{
    const std::string empty = dir.File("empty");
    WriteBytes(empty, "");
    Run({Call("CalcMD5", {GS(0), Str(empty)}), Result(0), SetNum(GN(1), Num(5)), Call("CalcCRC32", {GN(1), Str(empty)}),
         Result(2)});
    EXPECT_EQ(S(0), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(G(0), 1);
    EXPECT_EQ(G(1), 0);
    EXPECT_EQ(G(2), 1);
    Run({SetStr(GS(0), Str("keep")), Call("CalcSHA256", {GS(0), Str(dir.File("missing"))}), Result(0),
         SetNum(GN(1), Num(5)), Call("CalcCRC32", {GN(1), Str(dir.File("missing"))}), Result(2)});
    EXPECT_EQ(S(0), "keep");
    EXPECT_EQ(G(0), 0);
    EXPECT_EQ(G(1), 5);
    EXPECT_EQ(G(2), 0);
}

TEST_F(SystemBuiltins, AStopDuringADigestGivesNoDigestAndStopsTheRun)
{
    const std::string file = dir.File("big.bin");
    WriteBytes(file, std::string(2 * 1024 * 1024, 'x'));
    for (const char* digest : {"CalcMD5", "CalcSHA512"}) {
        long seen = 0;
        host.onPump = [&] {
            if (++seen == 5) host.stopAfterPolls = host.polls;
        };
        Run({SetStr(GS(0), Str("keep")), Call(digest, {GS(0), Str(file)}), Result(0), Show(Str("not reached"))});
        EXPECT_EQ(S(0), "keep") << digest;
        EXPECT_EQ(G(0), 0) << digest;
        EXPECT_EQ(host.lines, Lines{"[status 3000] VTLを強制終了"}) << digest;
    }
    long seen = 0;
    host.onPump = [&] {
        if (++seen == 5) host.stopAfterPolls = host.polls;
    };
    Run({SetNum(GN(1), Num(5)), Call("CalcCRC32", {GN(1), Str(file)}), Show(Str("not reached"))});
    EXPECT_EQ(G(1), 5);
    EXPECT_EQ(host.lines, Lines{"[status 3000] VTLを強制終了"});
}

TEST_F(SystemBuiltins, TextWHMeasuresInTheFontAndSize)
{
    // Only ratios hold: every face here maps to the same Japanese font.
    Run({Call("TextWH", {GN(0), GN(1), Str("ＭＳ ゴシック"), Num(10), Str("ab")}),
         Call("TextWH", {GN(2), GN(1), Str("ＭＳ ゴシック"), Num(10), Str("abab")})});
    const std::int64_t w2 = G(0), w4 = G(2), h10 = G(1);
    EXPECT_GT(w2, 0);
    EXPECT_EQ(w4, 2 * w2);
    Run({Call("TextWH", {GN(0), GN(1), Str("ＭＳ ゴシック"), Num(10), Str("表")}),
         Call("TextWH", {GN(2), GN(1), Str("ＭＳ ゴシック"), Num(20), Str("ab")})});
    EXPECT_EQ(G(0), w2);  // one full-width character is two half-width ones
    EXPECT_GT(G(1), h10);
    EXPECT_GT(G(2), w2);
}

TEST_F(SystemBuiltins, ShrinkPathFitsTheWidth)
{
    const std::string path = "C:\\Program Files\\表示\\長いディレクトリの名前\\もっと長い名前\\file.txt";
    Run({Call("TextWH", {GN(0), GN(1), Str("Tahoma"), Num(9), Str(path)}),
         Call("ShrinkPath", {GS(0), Str("Tahoma"), Num(9), Str(path), Num(1000)}),
         Call("ShrinkPath", {GS(1), Str("Tahoma"), Num(9), Str(path), Num(150)})});
    ASSERT_GT(G(0), 150);
    EXPECT_EQ(S(0), path);  // it fits as it is
    const std::string shrunk = S(1);
    EXPECT_NE(shrunk, path);
    EXPECT_NE(shrunk.find("..."), std::string::npos) << shrunk;
    EXPECT_EQ(shrunk.substr(shrunk.size() - 9), "\\file.txt") << shrunk;
    Run({Call("TextWH", {GN(0), GN(1), Str("Tahoma"), Num(9), Str(shrunk)})});
    EXPECT_LE(G(0), 150) << shrunk;
}
