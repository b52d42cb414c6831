#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/format.h"

namespace {

const TFormatSettings kPlain{',', '.'};

TEST(Format, Specifiers)
{
    struct Case {
        std::string text, expected;
    };
    const Case cases[] = {
        {Format("%d", {42}, kPlain), "42"},
        {Format("%d.%.2d", {2, 8}, kPlain), "2.08"},
        {Format("%.2d", {123}, kPlain), "123"},
        {Format("%.3d", {-7}, kPlain), "-007"},
        {Format("Line  : %4d", {12}, kPlain), "Line  :   12"},
        {Format("%d", {INT64_MIN}, kPlain), "-9223372036854775808"},
        {Format("%d", {INT64_MAX}, kPlain), "9223372036854775807"},
        {Format("%u", {-1}, kPlain), "18446744073709551615"},
        {Format("%x", {255}, kPlain), "FF"},
        {Format("%.8x", {0xBEEF}, kPlain), "0000BEEF"},
        {Format("%x", {-1LL}, kPlain), "FFFFFFFFFFFFFFFF"},
        {Format("  %10s = %d", {"abc", 5}, kPlain), "         abc = 5"},
        {Format("  %10s = '%s'", {"a_very_long_name", "v"}, kPlain), "  a_very_long_name = 'v'"},
        {Format("%-7s|", {"ab"}, kPlain), "ab     |"},
        {Format("%4s|%-4s|", {"表", "表"}, kPlain), "  表|表  |"},
        {Format("%.3s", {"表ソb"}, kPlain), "表"},  // never half a character
        {Format("%.4s", {"表ソb"}, kPlain), "表ソ"},
        {Format("%s%%", {"50"}, kPlain), "50%"},
        {Format("%*.f", {8, 1234567.0}, kPlain), " 1234567"},
        {Format("%*.f", {8, 12345}, kPlain), "   12345"},
        {Format("%*.n", {10, 1234567}, kPlain), " 1,234,567"},
        {Format("%.0n ", {987654321}, kPlain), "987,654,321 "},
        {Format("%7.0n/%7.0n ", {1234, 56}, kPlain), "  1,234/     56 "},
        {Format("%17.n", {1024}, kPlain), "            1,024"},
        {Format("%.0n", {-1234}, kPlain), "-1,234"},
        {Format("%f", {1.5}, kPlain), "1.50"},
        {Format("%n", {1234.5}, kPlain), "1,234.50"},
        {Format("%.0f", {-0.4}, kPlain), "0"},
        {Format("%2.2d-%2.2d-%02d", {3, 4, 5}, kPlain), "03-04-05"},
        {Format("%7d  %-7s%7d", {100, "Deflate", 50}, kPlain), "    100  Deflate     50"},
        {Format("%1:s %0:s", {"a", "b"}, kPlain), "b a"},
        {Format("%*d", {-5, 1}, kPlain), "1    "},
        {Format("no specifiers", {}, kPlain), "no specifiers"},
        {Format("'%s' is an invalid mask at (%d)", {"<>", 2}, kPlain), "'<>' is an invalid mask at (2)"},
        {Format("%.0n", {1234}, TFormatSettings{'.', ','}), "1.234"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(Format, ErrorsAreRaised)
{
    const char* const bad[] = {"%d", "%s", "%", "%q", "%5"};
    for (const char* f : bad) EXPECT_THROW(Format(f, {}, kPlain), EFormatError) << f;
    EXPECT_THROW(Format("%d", {"text"}, kPlain), EFormatError);
    EXPECT_THROW(Format("%s", {1}, kPlain), EFormatError);
    EXPECT_THROW(Format("%f", {"x"}, kPlain), EFormatError);
    EXPECT_THROW(Format("%3:d", {1}, kPlain), EFormatError);
}

TEST(Format, NumberTexts)
{
    EXPECT_EQ(IntToStr(-12), "-12");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToCommaStr(1234567, kPlain), "1,234,567");
    EXPECT_EQ(IntToCommaStr(999, kPlain), "999");
    EXPECT_EQ(IntToCommaStr(INT64_MIN, kPlain), "-9,223,372,036,854,775,808");
    // The Japanese locale groups with commas.
    EXPECT_EQ(IntToCommaStr(1234567), "1,234,567");
}

TEST(Format, StrToInt)
{
    struct Case {
        const char* text;
        bool ok;
        std::int64_t value;
    };
    const Case cases[] = {
        {"123", true, 123},
        {"-45", true, -45},
        {"+7", true, 7},
        {"  8", true, 8},
        {"$FF", true, 255},
        {"$ff", true, 255},
        {"$FFFFFFFFFFFFFFFF", true, -1},
        {"9223372036854775807", true, INT64_MAX},
        {"-9223372036854775808", true, INT64_MIN},
        {"9223372036854775808", false, 0},
        {"$10000000000000000", false, 0},
        {"12a", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"0x10", false, 0},
        {"1 ", false, 0},
    };
    for (const Case& c : cases) {
        std::int64_t v = 99;
        EXPECT_EQ(TryStrToInt64(c.text, v), c.ok) << c.text;
        EXPECT_EQ(v, c.ok ? c.value : 99) << c.text;
    }
    EXPECT_EQ(StrToIntDef("2147483647", 0), INT32_MAX);
    EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
    EXPECT_EQ(StrToIntDef("0x1F", 0), 31);
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
    EXPECT_EQ(StrToIntDef("abc", -3), -3);
}

}  // namespace
