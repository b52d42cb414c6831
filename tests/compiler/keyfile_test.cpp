#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compiler/keyfile.h"
#include "script-format/binconst.h"
#include "script-format/senobject.h"
#include "support/testsupport.h"

namespace {

std::string Word(std::uint32_t w)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>(w >> (8 * i));
    return s;
}

std::string Int64(std::int64_t v)
{
    std::string s(8, '\0');
    for (int i = 0; i < 8; ++i) s[i] = static_cast<char>(static_cast<std::uint64_t>(v) >> (8 * i));
    return s;
}

std::string NameField(const std::string& name)
{
    std::string s = name;
    s.resize(64, '\0');
    return s;
}

const std::string kHeader("VELK BINCODE VER 0228\r\n\x1a", 24);

std::string EmptySection(std::uint32_t marker) { return Word(marker) + Word(0); }

TEST(KeyFileContainer, EmptyProgram)
{
    std::string expected = kHeader + EmptySection(0x00100001) + EmptySection(0x00100002) + EmptySection(0x00100003) +
                           EmptySection(0x00100040) + EmptySection(0x00100041) + EmptySection(0x00100042) +
                           EmptySection(0x0010001F);
    std::string bytes = SerializeKeyFile(TKeyFileContent{});
    EXPECT_EQ(bytes.size(), 24u + 7 * 8);
    EXPECT_EQ(bytes, expected) << HexDump(bytes);
}

TEST(KeyFileContainer, PaddedStringsAlwaysEndWithOneToFourZeros)
{
    struct Case {
        std::string value;
        std::string bytes;
    };
    const Case cases[] = {
        {"", Word(0) + std::string(4, '\0')},
        {"abc", Word(3) + "abc" + std::string(1, '\0')},
        {"abcd", Word(4) + "abcd" + std::string(4, '\0')},
        {"abcde", Word(5) + "abcde" + std::string(3, '\0')},
        {"表示", Word(4) + "表示" + std::string(4, '\0')},
    };
    for (const Case& c : cases) {
        TSenObject s;
        s.WritePaddedString(c.value);
        EXPECT_EQ(std::string(s.Bytes()), c.bytes) << c.value;
    }
}

TEST(KeyFileContainer, CompoundSizeIsPatchedAfterTheStatements)
{
    TSenObject s;
    std::size_t outer = s.BeginCompound();
    s.WriteWord(0x00920231);
    std::size_t inner = s.BeginCompound();
    s.EndCompound(inner);
    s.EndCompound(outer);
    std::string expected = Word(0x00100011) + Word(4 + 12) + Word(0x00920231) + Word(0x00100011) + Word(0) +
                           Word(0x00100012) + Word(0x00100012);
    EXPECT_EQ(std::string(s.Bytes()), expected);
    EXPECT_EQ(EmptyCompound(), Word(0x00100011) + Word(0) + Word(0x00100012));
}

TEST(KeyFileContainer, SectionsInFileOrder)
{
    TKeyFileContent c;
    c.globalNums = {{"#a", -5}};
    c.globalStrs = {{"$s", "x"}};
    c.numArrays = {{"#t", {1, 2}}};
    c.strArrays = {{"$u", {"", "ab"}}};
    const std::string body = EmptyCompound();
    c.subs = {{"S", "NSVN", body}};
    c.intFuncs = {{"I", "", body}};
    c.strFuncs = {{"T", "TZ", body}};
    c.boolFuncs = {{"B", "RXY", body}};
    c.keySets = {{"default", {{"ENTER", static_cast<std::int32_t>(0x8000000D), body}}}, {"EDIT", {}}};
    c.mouseSets = {{"DEFAULT", {}}, {"VIEW", {{"LCLICK", static_cast<std::int32_t>(0x80000000), body}}}};
    c.eventSets = {{"DEFAULT", {{"ACTIVATE", 1, body}}}};
    c.preKey = body;
    c.done = body;
    c.dialogs = {{"D", "N", body}};

    std::string e = kHeader;
    e += Word(0x00100001) + Word(1) + NameField("#a") + Int64(-5);
    e += Word(0x00100002) + Word(1) + NameField("$s") + Word(1) + "x" + std::string(3, '\0');
    e += Word(0x0010000B) + Word(1) + NameField("#t") + Word(2) + Word(0) + Int64(1) + Int64(2);
    e += Word(0x0010000C) + Word(1) + NameField("$u") + Word(2) + Word(0) + Word(0) + std::string(4, '\0') + Word(2) +
         "ab" + std::string(2, '\0');
    e += Word(0x00100003) + Word(1) + NameField("S") + Word(4) + Word(0x00440000) + Word(0x00540000) +
         Word(0x00450000) + Word(0x00440001) + body;
    e += Word(0x00100040) + Word(1) + NameField("I") + Word(0) + body;
    e += Word(0x00100041) + Word(1) + NameField("T") + Word(2) + Word(0x00550000) + Word(0x005D0000) + body;
    e += Word(0x00100042) + Word(1) + NameField("B") + Word(3) + Word(0x004C0000) + Word(0x004D0000) +
         Word(0x005C0000) + body;
    e += Word(0x00100004) + Word(1) + Word(0x8000000D) + body;
    e += Word(0x00100009) + NameField("EDIT") + Word(0);
    e += Word(0x00100005) + Word(0);
    e += Word(0x0010000A) + NameField("VIEW") + Word(1) + Word(0x80000000) + body;
    e += Word(0x0010000D) + Word(1) + Word(1) + body;
    e += Word(0x00100008) + body;
    e += Word(0x00100007) + body;
    e += Word(0x0010001F) + Word(1) + NameField("D") + Word(1) + Word(0x00440000) + body;

    std::string bytes = SerializeKeyFile(c);
    EXPECT_EQ(bytes, e) << HexDump(bytes, 2000);
}

TEST(KeyFileContainer, BadArgumentLetterIsReported)
{
    TKeyFileContent c;
    c.subs = {{"Sub1", "NQ", EmptyCompound()}};
    try {
        SerializeKeyFile(c);
        FAIL() << "no error";
    } catch (const EKeyFileContentError& e) {
        EXPECT_STREQ(e.what(), "#SUB Sub1 の 2 番目の引数指定が不正 : Q");
    }
}

TEST(KeyFileContainer, NameFieldsAreZeroPadded)
{
    TSenObject s;
    s.WriteNameField(std::string(60, 'N'));
    ASSERT_EQ(s.Bytes().size(), 64u);
    EXPECT_EQ(std::string(s.Bytes()), std::string(60, 'N') + std::string(4, '\0'));
}

}  // namespace
