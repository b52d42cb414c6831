#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "compiler/console.h"
#include "compiler/keyassign.h"
#include "compiler/keyfile.h"
#include "script-format/binconst.h"

namespace {

const TBuiltinTables& Builtins()
{
    static const TBuiltinTables tables;
    return tables;
}

std::int32_t FirstWord(const TSenObject& code)
{
    std::int32_t w = 0;
    std::memcpy(&w, code.Bytes().data(), 4);
    return w;
}

// Binds inputs as #KEY and #KEYSET do; a body is an empty "{ }".
class KeyAssigns : public ::testing::Test {
protected:
    // Returns the error message, or "" when the binding was stored.
    std::string Bind(const std::string& source, const std::string& set = kDefaultKeySet)
    {
        TSrcReader reader = TSrcReader::FromBytes(source);
        auto body = [&](TSenObject& code, const std::string& header) {
            headers.push_back(header);
            analyzer.Expect(reader, "{ が必要です", {tiBegin});
            std::size_t size = code.BeginCompound();
            analyzer.Expect(reader, "} が必要です", {tiEnd});
            code.EndCompound(size);
        };
        try {
            keys.ParseBinding(reader, analyzer, set, body, verbose ? &console : nullptr);
        } catch (const ESrcReaderError& e) {
            return e.what();
        }
        return "";
    }

    TTokenAnalyzer analyzer{Builtins()};
    TKeyAssigns keys;
    std::vector<std::string> headers;
    TStringConsole console;
    bool verbose = false;
};

struct TBindCase {
    const char* source;
    char container;  // 'K'ey, 'M'ouse or 'E'vent set
    std::uint32_t code;
    const char* name;  // the canonical name the set lists
};

TEST_F(KeyAssigns, EveryClassOfInputName)
{
    const TBindCase cases[] = {
        // character keys: the character code, never bit 31
        {";{}", 'K', 59, ";"},
        {"K* {}", 'K', 42, "K*"},
        {"k/ {}", 'K', 47, "k/"},
        {", {}", 'K', 44, ","},
        {"\\ {}", 'K', 92, "\\"},
        {"| {}", 'K', 124, "|"},
        {"~ {}", 'K', 126, "~"},
        {"_ {}", 'K', 95, "_"},
        // virtual keys
        {"BS {}", 'K', 0x80000008, "BS"},
        {"ENTER {}", 'K', 0x8000000D, "ENTER"},
        {"SPACE {}", 'K', 0x80000020, "SPACE"},
        {"PRIOR {}", 'K', 0x80000021, "PRIOR"},
        {"DOWN {}", 'K', 0x80000028, "DOWN"},
        {"HELP {}", 'K', 0x8000002F, "HELP"},
        {"K0 {}", 'K', 0x80000030, "K0"},
        {"K9 {}", 'K', 0x80000039, "K9"},
        {"A {}", 'K', 0x80000041, "A"},
        {"z {}", 'K', 0x8000005A, "z"},
        {"T0 {}", 'K', 0x80000060, "T0"},
        {"T* {}", 'K', 0x8000006A, "T*"},
        {"T- {}", 'K', 0x8000006D, "T-"},
        {"T/ {}", 'K', 0x8000006F, "T/"},
        {"F01 {}", 'K', 0x80000070, "F01"},
        {"F16 {}", 'K', 0x8000007F, "F16"},
        // modifiers, in canonical order whatever the order written
        {"SHIFT+CTRL+ALT+F05 {}", 'K', 0x80070074, "ALT+CTRL+SHIFT+F05"},
        {"ctrl+enter {}", 'K', 0x8002000D, "CTRL+enter"},
        {"CTRL+CTRL+B {}", 'K', 0x80020042, "CTRL+B"},
        // mouse actions
        {"LDBLCLICK {}", 'M', 0x80000000, "LDBLCLICK"},
        {"x2down {}", 'M', 0x80000010, "X2DOWN"},
        {"ALT+WHEELUP {}", 'M', 0x80040006, "ALT+WHEELUP"},
        {"shift+alt+rclick {}", 'M', 0x80050005, "ALT+SHIFT+RCLICK"},
        // events
        {"RESIZE {}", 'E', 0, "Resize"},
        {"splitmoved {}", 'E', 1, "SplitMoved"},
        {"CHANGEWINDOW {}", 'E', 4, "ChangeWindow"},
    };
    for (const TBindCase& c : cases) {
        SCOPED_TRACE(c.source);
        keys = TKeyAssigns();
        ASSERT_EQ(Bind(c.source), "");
        const TInputSet* set = nullptr;
        if (c.container == 'K') set = keys.KeySets().Find("DEFAULT");
        if (c.container == 'M') set = keys.MouseSets().Find("DEFAULT");
        if (c.container == 'E') set = keys.EventSets().Find("DEFAULT");
        ASSERT_NE(set, nullptr);
        ASSERT_EQ(set->Count(), 1);
        EXPECT_EQ(set->NameAt(0), c.name);
        const TSenObject* code = set->CodeOf(c.name);
        ASSERT_NE(code, nullptr);
        EXPECT_EQ(static_cast<std::uint32_t>(FirstWord(*code)), c.code);
        // The body follows the input code word.
        EXPECT_EQ(code->Bytes().substr(4), EmptyCompound());
    }
}

TEST_F(KeyAssigns, KeyTablesHoldTheInputCodesOfTheFormat)
{
    const TKeyNames& names = Builtins().Keys();
    std::set<int> charCodes, virtualCodes;
    for (int i = 0; i < kCharKeyCount; ++i) charCodes.insert(names.CharKeyCode(i));
    for (int i = 0; i < kVirtualKeyCount; ++i) virtualCodes.insert(names.VirtualKeyCode(i));
    auto range = [](std::set<int>& s, int from, int to) {
        for (int c = from; c <= to; ++c) s.insert(c);
    };
    std::set<int> expectedChar, expectedVirtual{8, 9, 13, 27};
    range(expectedChar, 0x2A, 0x2F);
    range(expectedChar, 0x3A, 0x40);
    range(expectedChar, 0x5B, 0x60);
    range(expectedChar, 0x7B, 0x7E);
    range(expectedVirtual, 32, 40);
    range(expectedVirtual, 45, 57);
    range(expectedVirtual, 65, 90);
    range(expectedVirtual, 96, 107);
    range(expectedVirtual, 109, 127);
    EXPECT_EQ(charCodes, expectedChar);
    EXPECT_EQ(virtualCodes, expectedVirtual);
}

TEST_F(KeyAssigns, AnInputIsBoundOncePerSet)
{
    EXPECT_EQ(Bind("CTRL+SHIFT+A {}"), "");
    EXPECT_EQ(Bind("SHIFT+CTRL+A {}"), "CTRL+SHIFT+A は既に定義されています");
    EXPECT_EQ(Bind("enter {}"), "");
    EXPECT_EQ(Bind("ENTER {}"), "ENTER は既に定義されています");
    EXPECT_EQ(Bind("ALT+wheelup {}"), "");
    EXPECT_EQ(Bind("alt+WHEELUP {}"), "ALT+WHEELUP は既に定義されています");
    EXPECT_EQ(Bind("RESIZE {}"), "");
    EXPECT_EQ(Bind("resize {}"), "Resize は既に定義されています");
    // The character * and the numeric pad's * are different inputs.
    EXPECT_EQ(Bind("K* {}"), "");
    EXPECT_EQ(Bind("T* {}"), "");
    // Another set may bind the same input again.
    EXPECT_EQ(Bind("ENTER {}", "EDIT"), "");
}

TEST_F(KeyAssigns, ErrorsInInputNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CTRL+; {}", "複合キー識別子を指定してください : ;(単純キー)"},
        {"CTRL+RESIZE {}", "複合キー識別子を指定してください : RESIZE()"},
        {"CTRL A {}", "+ がありません : A(複合キー)"},
        {"ALT+", "複合キー識別子を指定してください"},
        {"FOO {}", "キー識別子を指定してください : FOO(tiError)"},
        {"+ {}", "キー識別子を指定してください : +(プラス +)"},
        {"", "キー識別子を指定してください"},
        {"A ;", "{ が必要です : ;(文終了)"},
    };
    for (auto [source, message] : cases) EXPECT_EQ(Bind(source), message) << source;
}

TEST_F(KeyAssigns, SetsAndNamesAreSortedWithoutRegardToCase)
{
    for (const char* key : {"B", "ALT+A", "a", ";", "_"}) ASSERT_EQ(Bind(std::string(key) + " {}", "ZED"), "");
    ASSERT_EQ(Bind("A {}"), "");
    ASSERT_EQ(Bind("A {}", "ALPHA"), "");
    ASSERT_EQ(Bind("LCLICK {}", "MOUSEONLY"), "");

    const TNamedList<TKeySet>& sets = keys.KeySets();
    ASSERT_EQ(sets.Count(), 3);
    EXPECT_EQ(sets.NameAt(0), "ALPHA");
    EXPECT_EQ(sets.NameAt(1), "DEFAULT");
    EXPECT_EQ(sets.NameAt(2), "ZED");
    const TKeySet& zed = sets.PayloadAt(2);
    std::vector<std::string> names;
    for (int i = 0; i < zed.Count(); ++i) names.push_back(zed.NameAt(i));
    EXPECT_EQ(names, (std::vector<std::string>{";", "a", "ALT+A", "B", "_"}));

    const TStrStrList& named = keys.NamedKeySets();
    ASSERT_EQ(named.Count(), 3);
    EXPECT_EQ(named.NameAt(0), "ALPHA");
    EXPECT_EQ(named.NameAt(1), "MOUSEONLY");
    EXPECT_EQ(named.NameAt(2), "ZED");
    EXPECT_EQ(keys.MouseSets().Count(), 1);
    EXPECT_EQ(keys.EventSets().Count(), 0);
}

TEST_F(KeyAssigns, HeaderTextsAndProgress)
{
    verbose = true;
    ASSERT_EQ(Bind("shift+ctrl+x {}"), "");
    ASSERT_EQ(Bind("ALT+LCLICK {}", "EDIT"), "");
    ASSERT_EQ(Bind("active {}", "default"), "");
    EXPECT_EQ(headers, (std::vector<std::string>{"#KEY CTRL+SHIFT+x", "#KEYSET=EDIT ALT+LCLICK", "#KEY Active"}));
    EXPECT_EQ(console.output, "#KEY CTRL+SHIFT+x\r\n#KEYSET=EDIT ALT+LCLICK\r\n#KEY Active\r\n");
    EXPECT_EQ(keys.NamedKeySets().Count(), 1);

    verbose = false;
    console.output.clear();
    ASSERT_EQ(Bind("B {}"), "");
    EXPECT_EQ(console.output, "");
}

TEST(InputNames, ConversionsForTheWriter)
{
    const TKeyNames& names = Builtins().Keys();
    std::optional<TKeySlot> a = names.SlotOfKeyName("shift+ctrl+a");
    std::optional<TKeySlot> b = names.SlotOfKeyName("CTRL+SHIFT+A");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(TKeySet::SlotNumber(*a), TKeySet::SlotNumber(*b));
    EXPECT_EQ(a->code, static_cast<std::int32_t>(0x80030041));
    std::optional<TKeySlot> semicolon = names.SlotOfKeyName(";");
    ASSERT_TRUE(semicolon);
    EXPECT_TRUE(semicolon->charKey);
    EXPECT_EQ(semicolon->code, 59);
    EXPECT_FALSE(names.SlotOfKeyName("CTRL+;"));
    EXPECT_FALSE(names.SlotOfKeyName("CTRL+"));

    EXPECT_EQ(MouseInputOfName("CTRL+LCLICK"), static_cast<std::int32_t>(0x80020001));
    EXPECT_EQ(MouseInputOfName("WHEELDOWN"), static_cast<std::int32_t>(0x80000007));
    EXPECT_EQ(MouseInputOfName("CTRL+ENTER"), std::nullopt);
    EXPECT_EQ(MouseNameOfInput(static_cast<std::int32_t>(0x80070010)), "ALT+CTRL+SHIFT+X2DOWN");
    EXPECT_EQ(MouseNameOfInput(static_cast<std::int32_t>(0x80000011)), "unknown mouse key");
    EXPECT_EQ(EventInputOfName("splitmoved"), 1);
    EXPECT_EQ(EventInputOfName("SPLITMOVED"), 1);
    EXPECT_EQ(EventInputOfName("Nothing"), std::nullopt);
    EXPECT_EQ(EventNameOfInput(3), "Deactive");
    EXPECT_EQ(EventNameOfInput(5), "unknown event key");
    EXPECT_EQ(EventNameOfInput(-1), "unknown event key");
}

}  // namespace
