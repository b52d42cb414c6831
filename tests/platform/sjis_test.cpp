#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sjis.h"

namespace {

// Names whose double-byte characters end in 0x5C, the byte of "\".
const char* const kSo = "ソ";      // 83 5C
const char* const kHyo = "表";     // 95 5C
const char* const kNou = "能";     // 94 5C

TEST(Sjis, TrailBytesOfFiveCAreNoSeparators)
{
    ASSERT_EQ(std::string(kSo), "\x83\x5C");
    ASSERT_EQ(std::string(kHyo), "\x95\x5C");
    ASSERT_EQ(std::string(kNou), "\x94\x5C");
    struct Case {
        std::string path, dir, name, ext;
    };
    const Case cases[] = {
        {"C:\\ソフト\\表.txt", "C:\\ソフト\\", "表.txt", ".txt"},
        {"C:\\能\\ソ", "C:\\能\\", "ソ", ""},
        {"表\\能.ソ", "表\\", "能.ソ", ".ソ"},
        {"ソ", "", "ソ", ""},
        {"C:表", "C:", "表", ""},
        {"\\\\srv\\共有\\能力.doc", "\\\\srv\\共有\\", "能力.doc", ".doc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisExtractFilePath(c.path), c.dir) << c.path;
        EXPECT_EQ(SjisExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(SjisExtractFileExt(c.path), c.ext) << c.path;
    }
    EXPECT_FALSE(SjisHasTrailingBackslash("C:\\ソ"));
    EXPECT_TRUE(SjisHasTrailingBackslash("C:\\ソ\\"));
    EXPECT_EQ(SjisIncludeTrailingBackslash("C:\\表"), "C:\\表\\");
    EXPECT_EQ(SjisIncludeTrailingBackslash("C:\\表\\"), "C:\\表\\");
    EXPECT_EQ(SjisExcludeTrailingBackslash("C:\\表"), "C:\\表");
    EXPECT_EQ(SjisExcludeTrailingBackslash("C:\\表\\"), "C:\\表");
    EXPECT_EQ(SjisJoinPath("C:\\能", "a.txt"), "C:\\能\\a.txt");
    EXPECT_EQ(SjisJoinPath("C:\\", "a.txt"), "C:\\a.txt");
    EXPECT_EQ(SjisJoinPath("", "a.txt"), "a.txt");
    EXPECT_EQ(SjisLastDelimiter("a\\ソ", "\\"), 1u);
    EXPECT_EQ(SjisLastDelimiter("ソ", "\\"), std::string::npos);
}

TEST(Sjis, NameSplits)
{
    struct Case {
        std::string path, ext, changed;
    };
    const Case cases[] = {
        {".src", "", ".src.KEY"},
        {"a.b.c", ".c", "a.b.KEY"},
        {"dir.x\\file", "", "dir.x\\file.KEY"},
        {"dir.x\\.profile", "", "dir.x\\.profile.KEY"},
        {"archive.tar.gz", ".gz", "archive.tar.KEY"},
        {".a.b", ".b", ".a.KEY"},
        {"name.", ".", "name.KEY"},
        {"", "", ".KEY"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisExtractFileExt(c.path), c.ext) << c.path;
        EXPECT_EQ(SjisChangeFileExt(c.path, ".KEY"), c.changed) << c.path;
    }
    EXPECT_EQ(SjisRemoveFileExt("C:\\ソ.txt"), "C:\\ソ");
}

TEST(Sjis, ByteKindsSearchAndSplit)
{
    const std::string s = "aソb";  // 61 83 5C 62
    const TSjisByteKind kinds[] = {TSjisByteKind::Single, TSjisByteKind::Lead, TSjisByteKind::Trail,
                                   TSjisByteKind::Single};
    for (std::size_t i = 0; i < s.size(); ++i) EXPECT_EQ(SjisByteKind(s, i), kinds[i]) << i;
    // A lead byte at the very end stands alone.
    EXPECT_EQ(SjisCharLength("a\x83", 1), 1u);
    EXPECT_EQ(SjisByteKind("a\x83", 1), TSjisByteKind::Single);

    // "\" occurs only as a trail byte before the last one.
    EXPECT_EQ(SjisFind("ソ\\", "\\"), 2u);
    EXPECT_EQ(SjisFind("ソ", "\\"), std::string::npos);
    EXPECT_EQ(SjisFind("アイ", "\x41\x83"), std::string::npos);  // straddles two characters
    EXPECT_EQ(SjisFind("xアイ", "イ"), 3u);
    EXPECT_EQ(SjisFind("abc", ""), 0u);
    EXPECT_EQ(SjisFindFirstOf("表/a", "/"), 2u);

    EXPECT_EQ(SjisSplit("表\\能\\ソ", '\\'), (std::vector<std::string>{"表", "能", "ソ"}));
    EXPECT_EQ(SjisSplit("ソ", '\\'), (std::vector<std::string>{"ソ"}));
    EXPECT_EQ(SjisSplit("a;;b;", ';'), (std::vector<std::string>{"a", "", "b", ""}));

    EXPECT_EQ(SjisLastChar("abソ"), "ソ");
    EXPECT_EQ(SjisLastChar("ソb"), "b");
    EXPECT_EQ(SjisLastChar(""), "");
}

TEST(Sjis, AsciiCaseLeavesDoubleByteCharactersAlone)
{
    struct Case {
        std::string in, upper, lower;
    };
    const Case cases[] = {
        {"abcXYZ.txt", "ABCXYZ.TXT", "abcxyz.txt"},
        {"ａｂＡＢ", "ａｂＡＢ", "ａｂＡＢ"},           // full-width letters stay
        {"ｱｲｳ", "ｱｲｳ", "ｱｲｳ"},                     // half-width katakana stay
        {"アa", "アA", "アa"},                        // trail byte 0x41 ("A") is not a letter
        {"ヂa", "ヂA", "ヂa"},                        // trail byte 0x61 ("a") is not a letter
        {"Ωω", "Ωω", "Ωω"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SjisUpperCase(c.in), c.upper) << c.in;
        EXPECT_EQ(SjisLowerCase(c.in), c.lower) << c.in;
    }
    EXPECT_TRUE(SjisSameTextAscii("Readme.TXT", "README.txt"));
    EXPECT_FALSE(SjisSameTextAscii("ａ", "Ａ"));
    EXPECT_FALSE(SjisSameTextAscii("ア", "ヂ"));  // 0x83 0x41 and 0x83 0x61: trail bytes are no letters
    EXPECT_TRUE(SjisSameTextAscii("aアb", "AアB"));
    EXPECT_FALSE(SjisSameTextAscii("aア", "aa"));
    EXPECT_FALSE(SjisSameTextAscii("ab", "abc"));
}

}  // namespace
