#include <gtest/gtest.h>

#include <string>

#include "platform/inifile.h"
#include "support/testsupport.h"

namespace {

// A file as a user leaves it: comments, blank lines, odd spacing, Japanese
// keys and values, a value with a trail byte of 0x5C, no final line break.
const std::string kHandWritten =
    "; Velkano の設定\r\n"
    "\r\n"
    "[CONFIG]\r\n"
    "  VIEWITEMS = viLFNE,viSIZE  \r\n"
    "LONGNAMELEN=18\r\n"
    "; 色の設定\r\n"
    "\tDIRCOLOR\t=\t65280\r\n"
    "表示名=ソフト表\r\n"
    "Empty=\r\n"
    "\r\n"
    "[ POSITION ]\r\n"
    "X=10\r\n"
    "Y=-20\r\n"
    "Hex=$1F\r\n"
    "\r\n"
    "[スタートアップ]\r\n"
    "INI=C:\\能\\$USER.INI";

TEST(IniFile, RoundTripKeepsEveryByte)
{
    TMemIniFile ini;
    ini.SetText(kHandWritten);
    EXPECT_EQ(ini.Text(), kHandWritten);
    for (const std::string& text : {std::string("a=1\nb=2\n"), std::string("[s]\rk=v\r"), std::string("")}) {
        ini.SetText(text);
        EXPECT_EQ(ini.Text(), text);
    }
}

TEST(IniFile, Reading)
{
    TMemIniFile ini;
    ini.SetText(kHandWritten);
    EXPECT_EQ(ini.ReadString("CONFIG", "VIEWITEMS", "?"), "viLFNE,viSIZE");
    EXPECT_EQ(ini.ReadString("config", "viewitems", "?"), "viLFNE,viSIZE");
    EXPECT_EQ(ini.ReadString("CONFIG", "表示名", "?"), "ソフト表");
    EXPECT_EQ(ini.ReadString("スタートアップ", "ini", "?"), "C:\\能\\$USER.INI");
    EXPECT_EQ(ini.ReadString("CONFIG", "Empty", "?"), "");
    EXPECT_EQ(ini.ReadString("CONFIG", "X", "none"), "none");  // X is in another section
    EXPECT_EQ(ini.ReadString("NOSECTION", "X", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("CONFIG", "DIRCOLOR", 0), 65280);
    EXPECT_EQ(ini.ReadInteger("position", "Y", 0), -20);
    EXPECT_EQ(ini.ReadInteger("POSITION", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("CONFIG", "VIEWITEMS", 7), 7);
    EXPECT_EQ(ini.ReadInteger("CONFIG", "Missing", 7), 7);
    EXPECT_TRUE(ini.SectionExists("Position"));
    EXPECT_TRUE(ini.ValueExists("CONFIG", "empty"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"CONFIG", "POSITION", "スタートアップ"}));
    EXPECT_EQ(ini.ReadSectionKeys("POSITION"), (std::vector<std::string>{"X", "Y", "Hex"}));

    // Booleans: 0 is false, anything else true, absent or empty the default.
    ini.SetText("[B]\r\nzero=0\r\none=1\r\ntwo=2\r\nword=yes\r\nempty=\r\n");
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_TRUE(ini.ReadBool("B", "word", false));
    EXPECT_FALSE(ini.ReadBool("B", "empty", false));
    EXPECT_TRUE(ini.ReadBool("B", "missing", true));
}

TEST(IniFile, AWriteChangesOnlyItsOwnLine)
{
    TMemIniFile ini;
    ini.SetText(kHandWritten);
    ASSERT_TRUE(ini.WriteInteger("position", "x", 300));
    std::string expected = kHandWritten;
    expected.replace(expected.find("X=10"), 4, "X=300");
    EXPECT_EQ(ini.Text(), expected);

    // The key's spelling and spacing before the value stay.
    ASSERT_TRUE(ini.WriteString("CONFIG", "viewitems", "viLFN"));
    expected.replace(expected.find("  VIEWITEMS = viLFNE,viSIZE  "), 29, "  VIEWITEMS = viLFN");
    EXPECT_EQ(ini.Text(), expected);
    ASSERT_TRUE(ini.WriteString("CONFIG", "表示名", "能"));
    expected.replace(expected.find("表示名=ソフト表"), 15, "表示名=能");
    EXPECT_EQ(ini.Text(), expected);

    // A new key goes after the section's last key, before its blank line.
    ASSERT_TRUE(ini.WriteBool("POSITION", "W", true));
    expected.replace(expected.find("Hex=$1F\r\n"), 9, "Hex=$1F\r\nW=1\r\n");
    EXPECT_EQ(ini.Text(), expected);

    // A new section goes at the end after a blank line; the file then ends
    // with a line break.
    ASSERT_TRUE(ini.WriteString("NEW", "k", "v"));
    expected += "\r\n\r\n[NEW]\r\nk=v\r\n";
    EXPECT_EQ(ini.Text(), expected);

    ASSERT_TRUE(ini.DeleteKey("CONFIG", "LONGNAMELEN"));
    expected.erase(expected.find("LONGNAMELEN=18\r\n"), 16);
    EXPECT_EQ(ini.Text(), expected);
    EXPECT_FALSE(ini.DeleteKey("CONFIG", "LONGNAMELEN"));

    ini.EraseSection("NEW");
    EXPECT_FALSE(ini.SectionExists("NEW"));
}

TEST(IniFile, RefusesWhatTheFileCouldNotHold)
{
    TMemIniFile ini;
    ini.SetText("[S]\r\nk=v\r\n");
    const struct {
        const char *section, *key, *value;
    } bad[] = {
        {"S", "k", "two\r\nlines"}, {"S", "k", "x\n[EVIL]"}, {"S", "a=b", "v"}, {"S", "", "v"}, {"S", "  ", "v"},
        {"S", ";k", "v"},           {"S", "[k", "v"},        {"S]", "k", "v"},  {"S\r", "k", "v"},
    };
    for (const auto& b : bad) EXPECT_FALSE(ini.WriteString(b.section, b.key, b.value)) << b.key << " " << b.value;
    EXPECT_EQ(ini.Text(), "[S]\r\nk=v\r\n");
}

TEST(IniFile, LoadAndSaveAFile)
{
    TTempDir dir;
    const std::string path = dir.File("設定ソ.INI");
    WriteBytes(path, kHandWritten);
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("POSITION", "X", 0), 10);
    ASSERT_TRUE(ini.WriteInteger("POSITION", "X", 11));
    ASSERT_TRUE(ini.Save());
    std::string expected = kHandWritten;
    expected.replace(expected.find("X=10"), 4, "X=11");
    EXPECT_EQ(ReadBytes(path), expected);

    TMemIniFile missing(dir.File("none.ini"));
    EXPECT_EQ(missing.Text(), "");
    EXPECT_EQ(missing.ReadString("A", "B", "d"), "d");
    EXPECT_FALSE(TMemIniFile(dir.Path() + "\\no\\such\\dir.ini").Save());
}

}  // namespace
