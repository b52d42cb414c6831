// The /L listing and the /V progress lines, byte for byte.
#include <gtest/gtest.h>

#include "compile_harness.h"

namespace {

const std::string kDir = kSourceDir;

// The headings of a listing with nothing declared, in order; each case
// fills in what it declares.
struct TListing {
    std::string nums = {}, strs = {}, numArrays = {}, strArrays = {}, subs = {}, intFuncs = {}, strFuncs = {},
                boolFuncs = {}, dialogs = {};
    std::string defaultKeys = {}, defaultMice = {}, defaultEvents = {}, namedSets = {};

    std::string Text() const
    {
        return "User define global numeric var\r\n" + nums + "User define global string var\r\n" + strs +
               "User define global numeric array var\r\n" + numArrays + "User define global string array var\r\n" +
               strArrays + "Subroutines\r\n" + subs + "User Int Funcs\r\n" + intFuncs + "User Str Funcs\r\n" +
               strFuncs + "User Bool Funcs\r\n" + boolFuncs + "Dialogs\r\n" + dialogs +
               "KEYSET >>> DEFAULT\r\n  Key Assign\r\n" + defaultKeys + "  Mouse Assign\r\n" + defaultMice +
               "  Event Assign\r\n" + defaultEvents + namedSets;
    }
};

// What VELKC prints with /L alone: the listing just before WRITE.
std::string Listed(const TListing& listing)
{
    return "COMPILE >> " + kDir + "main.src\r\n\r\n" + listing.Text() + "WRITE   >> " + kDir +
           "out.KEY\r\n\r\nCOMPILE >> DONE\r\n\r\n";
}

struct TListingCase {
    const char* source;
    TListing listing;
};

TEST(Listing, EdgeCases)
{
    const TListingCase cases[] = {
        {"", {}},
        // Names right-aligned in ten columns, longer ones unshortened.
        {"#GLOBALVAR #count = 5, #a = -9223372036854775807, #verylongname = 0x7FFFFFFFFFFFFFFF;",
         {.nums = "      #count = 5\r\n"
                  "          #a = -9223372036854775807\r\n"
                  "  #verylongname = 9223372036854775807\r\n"}},
        {"#GLOBALVAR $s = 'Velkano', $empty, $j = '表示';",
         {.strs = "          $s = 'Velkano'\r\n      $empty = ''\r\n          $j = '表示'\r\n"}},
        // Elements never set are listed too.
        {"#GLOBALVAR #t[3] = [1, -2, 3], #z[4], $n[2] = ['a', ''], $e[3];",
         {.numArrays = "          #t = [1,-2,3]\r\n          #z = [0,0,0,0]\r\n",
          .strArrays = "          $n = ['a','']\r\n          $e = ['','','']\r\n"}},
        {"#SUB S(#a, VAR $b, $c[]) { } #SUB T(VAR #x[], VAR #y[]) { } #SUB U() { } #SUB V(#p, VAR #q, $r, VAR $s[]) { }",
         {.subs = "  S(#, VAR $, $[])\r\n  T(VAR #[], VAR #[])\r\n  U()\r\n  V(#, VAR #, $, VAR $[])\r\n"}},
        {"#FUNC BOOL B(#x[]); FORWARD; #FUNC INT I($s) { } #FUNC STR S(VAR $t) { } #FUNC BOOL B(#y[]) { }",
         {.intFuncs = "  I($)\r\n", .strFuncs = "  S(VAR $)\r\n", .boolFuncs = "  B(#[])\r\n"}},
        {"#DLG D(#w, VAR $r) { EDIT { RESULT: $r; }; } #DLG E() { BUTTON { }; }", {.dialogs = "  D(#, VAR $)\r\n  E()\r\n"}},
        // Bindings by canonical name without regard to case; the default
        // headings even when empty.
        {"#KEY ENTER { } #KEY shift+ctrl+b { } #KEY a { } #KEY ; { } #KEY CTRL+RCLICK { } #KEY LCLICK { } "
         "#KEY SPLITMOVED { } #KEY resize { }",
         {.defaultKeys = "    ;\r\n    a\r\n    CTRL+SHIFT+b\r\n    ENTER\r\n",
          .defaultMice = "    CTRL+RCLICK\r\n    LCLICK\r\n",
          .defaultEvents = "    Resize\r\n    SplitMoved\r\n"}},
        // A set with only mouse bindings is headed by its name and " Set >>>".
        {"#KEYSET = 'edit' LCLICK { } #KEYSET = 'EDIT' ALT+WHEELUP { }",
         {.namedSets = "EDIT Set >>>\r\n  Mouse Assign\r\n    ALT+WHEELUP\r\n    LCLICK\r\n"}},
        // One heading per set, KEYSET >>> when it has keys; sets in order of
        // their names, a set named DEFAULT is the default set.
        {"#KEYSET = 'view' ACTIVE { } #KEYSET = 'view' RDOWN { } "
         "#KEYSET = 'all' F01 { } #KEYSET = 'all' CHANGEWINDOW { } "
         "#KEYSET = 'mixed' X1CLICK { } #KEYSET = 'mixed' TAB { } #KEYSET = 'mixed' DEACTIVE { } "
         "#KEYSET = 'default' HOME { }",
         {.defaultKeys = "    HOME\r\n",
          .namedSets = "KEYSET >>> ALL\r\n  Key Assign\r\n    F01\r\n  Event Assign\r\n    ChangeWindow\r\n"
                       "KEYSET >>> MIXED\r\n  Key Assign\r\n    TAB\r\n  Mouse Assign\r\n    X1CLICK\r\n"
                       "  Event Assign\r\n    Deactive\r\n"
                       "VIEW Set >>>\r\n  Mouse Assign\r\n    RDOWN\r\n  Event Assign\r\n    Active\r\n"}},
    };
    for (const TListingCase& c : cases) {
        TCompileResult r = CompileSource(c.source, Shown::list);
        ASSERT_EQ(r.exitCode, 0) << c.source << "\n" << r.output;
        const std::string expected = Listed(c.listing);
        EXPECT_EQ(r.output, expected) << c.source;
    }
}

// Lines longer than the pieces they are printed in stay whole.
TEST(Listing, LongArrayLines)
{
    std::string source = "#GLOBALVAR #big[100000] = [7", numbers = "7";
    for (int i = 1; i < 100000; ++i) {
        source += ", " + std::to_string(i);
        numbers += "," + std::to_string(i);
    }
    TCompileResult r = CompileSource(source + "], $s[40000];", Shown::list);
    ASSERT_EQ(r.exitCode, 0) << r.output.substr(0, 1000);
    std::string strings = "''";
    for (int i = 1; i < 40000; ++i) strings += ",''";
    EXPECT_EQ(r.output, Listed({.numArrays = "        #big = [" + numbers + "]\r\n",
                                .strArrays = "          $s = [" + strings + "]\r\n"}));
}

TEST(Listing, VerboseShowsParametersAsWrittenAndTheListing)
{
    TCompileResult r = CompileSource(
        "#GLOBALVAR #count = 5;\r\n"
        "#SUB S(#a, VAR $b, $c[]) { }\r\n"
        "#SUB T(VAR #x[], VAR #y[]) { VAR #i, $s[2]; }\r\n"
        "#KEYSET = 'edit' LCLICK { }\r\n",
        Shown::verbose);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    TListing listing{.nums = "      #count = 5\r\n", .subs = "  S(#, VAR $, $[])\r\n  T(VAR #[], VAR #[])\r\n",
                     .namedSets = "EDIT Set >>>\r\n  Mouse Assign\r\n    LCLICK\r\n"};
    EXPECT_EQ(r.output, "COMPILE >> " + kDir + "main.src\r\n\r\n"
                        "#SUB S\r\n  args : #a, VAR $b, $c[]\r\n"
                        "#SUB T\r\n  args : VAR #x[], VAR #y[]\r\n"
                        "  LocalNum\r\n    #i\r\n  LocalStr\r\n  LocalArrayNum\r\n  LocalArrayStr\r\n    $s[2]\r\n"
                        "#KEYSET=EDIT LCLICK\r\n" +
                            listing.Text() + "\r\nWRITE   >> " + kDir + "out.KEY\r\n\r\nCOMPILE >> DONE\r\n\r\n");
    TDecodedFile f = DecodeKeyFile(r.bytes);
    ASSERT_EQ(f.subs.size(), 2u);
    EXPECT_EQ(f.subs[0].args, (Words{0x00440000, 0x00550000, 0x005C0000}));
    EXPECT_EQ(f.subs[1].args, (Words{0x004D0000, 0x004D0001}));
}

TEST(Listing, NothingIsListedWhenTheCompileFails)
{
    for (const char* source : {"#SUB S(); FORWARD;", "#GLOBALVAR #a; #KEY A { #b = 1; }"}) {
        TCompileResult r = CompileSource(source, Shown::list);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_EQ(r.output.find("User define"), std::string::npos) << r.output;
    }
}

}  // namespace
