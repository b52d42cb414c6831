#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compiler/keyfile.h"
#include "compiler/srcread.h"
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

const TBuiltinTables& Builtins()
{
    static const TBuiltinTables tables;
    return tables;
}

// Tables filled by hand, as the compiler would fill them.
struct TTables {
    TGlobalTables globals;
    TRoutineTables routines;
    TKeyAssigns keys;
    TTokenAnalyzer analyzer{Builtins()};
    std::unique_ptr<TSenObject> preKey, init, done;

    TProgramTables Program() const
    {
        return {globals, routines, keys, Builtins().Keys(), preKey.get(), init.get(), done.get()};
    }
    void AddRoutine(TSenHashTable& table, const char* name, const char* letters, const std::string& body)
    {
        auto code = std::make_unique<TSenObject>();
        code->signature = letters;
        code->Write(body.data(), body.size());
        table.AddSen(name, std::move(code));
    }
    // Binds an input whose body is the given bytes.
    void Bind(const std::string& set, const std::string& input, const std::string& body)
    {
        TSrcReader reader = TSrcReader::FromBytes(input);
        keys.ParseBinding(reader, analyzer, set,
                          [&](TSenObject& code, const std::string&) { code.Write(body.data(), body.size()); }, nullptr);
    }
    static std::unique_ptr<TSenObject> Block(std::int32_t marker, const std::string& body)
    {
        auto code = std::make_unique<TSenObject>();
        code->WriteWord(marker);
        code->Write(body.data(), body.size());
        return code;
    }
};

std::string EmptySection(std::uint32_t marker) { return Word(marker) + Word(0); }

TEST(KeyFileContainer, EmptyProgram)
{
    std::string expected = kHeader + EmptySection(0x00100001) + EmptySection(0x00100002) + EmptySection(0x00100003) +
                           EmptySection(0x00100040) + EmptySection(0x00100041) + EmptySection(0x00100042) +
                           EmptySection(0x0010001F);
    std::string bytes = SerializeKeyFile(TTables().Program());
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
    TTables t;
    t.globals.nums.AddInt64("#a", -5);
    t.globals.strs.AddStrInt("$s", 0, "x");
    auto numbers = std::make_unique<TInt64Array>("#t", 2);
    numbers->Set(0, 1);
    numbers->Set(1, 2);
    t.globals.numArrays.Add("#t", std::move(numbers));
    auto strings = std::make_unique<TStrArray>("$u", 2);
    strings->Set(1, "ab");
    t.globals.strArrays.Add("$u", std::move(strings));
    const std::string body = EmptyCompound();
    t.AddRoutine(t.routines.subs, "S", "NSVN", body);
    t.AddRoutine(t.routines.intFuncs, "I", "", body);
    t.AddRoutine(t.routines.strFuncs, "T", "TZ", body);
    t.AddRoutine(t.routines.boolFuncs, "B", "RXY", body);
    t.AddRoutine(t.routines.dialogs, "D", "N", body);
    t.Bind("EDIT", "B", body);
    t.Bind("DEFAULT", "ENTER", body);
    t.Bind("VIEW", "LCLICK", body);
    t.Bind("DEFAULT", "SPLITMOVED", body);
    t.preKey = TTables::Block(bc::bcSecPreKey, body);
    t.done = TTables::Block(bc::bcSecDone, body);

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
    // Sets in ascending order, DEFAULT by its own marker.
    e += Word(0x00100004) + Word(1) + Word(0x8000000D) + body;
    e += Word(0x00100009) + NameField("EDIT") + Word(1) + Word(0x80000042) + body;
    e += Word(0x0010000A) + NameField("VIEW") + Word(1) + Word(0x80000001) + body;
    e += Word(0x0010000D) + Word(1) + Word(1) + body;
    e += Word(0x00100008) + body;
    e += Word(0x00100007) + body;
    e += Word(0x0010001F) + Word(1) + NameField("D") + Word(1) + Word(0x00440000) + body;

    std::string bytes = SerializeKeyFile(t.Program());
    EXPECT_EQ(bytes, e) << HexDump(bytes, 2000);
}

TEST(KeyFileContainer, ArrayElementsNeverSetAreWrittenAsZeros)
{
    TTables t;
    auto numbers = std::make_unique<TInt64Array>("#n", 3);
    numbers->Set(0, 7);
    t.globals.numArrays.Add("#n", std::move(numbers));
    t.globals.strArrays.Add("$e", std::make_unique<TStrArray>("$e", 2));
    std::string e = kHeader + EmptySection(0x00100001) + EmptySection(0x00100002);
    e += Word(0x0010000B) + Word(1) + NameField("#n") + Word(3) + Word(0) + Int64(7) + Int64(0) + Int64(0);
    e += Word(0x0010000C) + Word(1) + NameField("$e") + Word(2) + Word(0) + std::string(16, '\0');
    for (std::uint32_t m : {0x00100003u, 0x00100040u, 0x00100041u, 0x00100042u, 0x0010001Fu}) e += EmptySection(m);
    EXPECT_EQ(SerializeKeyFile(t.Program()), e);
}

TEST(KeyFileContainer, BadArgumentLetterIsReported)
{
    TTables t;
    t.AddRoutine(t.routines.subs, "Sub1", "NQ", EmptyCompound());
    try {
        SerializeKeyFile(t.Program());
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
