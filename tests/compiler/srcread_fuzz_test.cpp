// Sources of any bytes are tokenized or reported as a source error: never a
// crash, a hang or another kind of failure.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "compiler/srcread.h"

namespace {

// Reads the whole text, switching between the two token kinds the way the
// compiler does, and checks that every token makes progress.
void ReadAll(const std::string& bytes, std::mt19937& rng)
{
    TSrcReader r = TSrcReader::FromBytes(bytes);
    const std::size_t limit = r.Text().size() + 2;
    std::size_t count = 0;
    try {
        for (;;) {
            TSrcPosition before = r.SavePosition();
            bool key = rng() % 4 == 0;
            std::string t = key ? r.NextKeyToken() : r.NextToken();
            if (t.empty()) break;
            ASSERT_GT(r.SavePosition().position, before.position);
            ASSERT_LE(++count, limit);
            if (rng() % 16 == 0) {
                // Rewinding and reading again gives the same token.
                TSrcPosition after = r.SavePosition();
                r.RestorePosition(before);
                ASSERT_EQ(key ? r.NextKeyToken() : r.NextToken(), t);
                ASSERT_EQ(r.SavePosition().position, after.position);
            }
        }
    } catch (const ESrcReaderError&) {
    }
    int line = r.CurrentLine();
    (void)r.LineText(line - 1);
    EXPECT_GE(r.CurrentColumn(), 0);
}

const char* const kSeeds[] = {
    "#GLOBALVAR #a = -3, $s = 'x', #t[3] = [1, 2, 3];\r\n",
    "#KEY ALT+X { #a = #a + 1; IF (#a > 0x1F) { MsgBox('表示'); } }\r\n",
    "/* outer /* inner */ still */ #SUB S(#a, VAR $b) { $b = 'It''s' + \\n; }\r\n",
    "// comment\r\n#INIT { Return; }\r\n",
};

TEST(SrcReaderFuzz, RandomBytes)
{
    std::mt19937 rng(20261211);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes(rng() % 300, '\0');
        for (char& b : bytes) b = static_cast<char>(rng());
        ReadAll(bytes, rng);
        if (HasFatalFailure()) return;
    }
}

TEST(SrcReaderFuzz, MutatedSources)
{
    std::mt19937 rng(4211);
    const char special[] = "'\\/*\r\n\x81\x9f\xe0\xfc\xff\x00{}";
    for (int i = 0; i < 3000; ++i) {
        std::string bytes = kSeeds[rng() % std::size(kSeeds)];
        int edits = 1 + rng() % 8;
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            std::size_t at = rng() % bytes.size();
            switch (rng() % 4) {
            case 0: bytes[at] = static_cast<char>(rng()); break;
            case 1: bytes.insert(bytes.begin() + at, special[rng() % (sizeof special - 1)]); break;
            case 2: bytes.erase(at, 1 + rng() % 4); break;
            default: bytes.insert(at, bytes.substr(rng() % bytes.size(), 1 + rng() % 16)); break;
            }
        }
        ReadAll(bytes, rng);
        if (HasFatalFailure()) return;
    }
}

TEST(SrcReaderFuzz, VeryLongLineAndLargeText)
{
    std::mt19937 rng(7);
    // One line of ten million bytes.
    std::string line;
    line.reserve(10'000'000);
    while (line.size() < 10'000'000) line += "#abc + 12 * 'x' ";
    ReadAll(line, rng);

    // A text of about 100 MB: tokenized to the end.
    std::string big;
    big.reserve(100'000'000 + 64);
    const std::string chunk = "#name_1 = 0x1F + $s; // コメント\r\n'文字列' /* block */\r\n";
    while (big.size() < 100'000'000) big += chunk;
    TSrcReader r = TSrcReader::FromBytes(big);
    big.clear();
    big.shrink_to_fit();
    std::size_t tokens = 0;
    while (!r.NextToken().empty()) ++tokens;
    EXPECT_GT(tokens, 10'000'000u);
    EXPECT_EQ(r.CurrentLine(), r.LineCount());
}

TEST(SrcReaderFuzz, UnterminatedConstructsAtTheEnd)
{
    // A lead byte, a quote or a backslash as the very last byte of the text.
    for (const char* text : {"\x82", "'", "'\x82", "\\", "/*", "/", "#a \x82", "0x"}) {
        std::mt19937 rng(1);
        ReadAll(text, rng);
    }
}

}  // namespace
