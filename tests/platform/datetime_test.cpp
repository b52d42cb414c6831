#include <gtest/gtest.h>

#include <string>

#include "platform/datetime.h"

namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    TDateTimeParts p;
    p.year = y;
    p.month = mo;
    p.day = d;
    p.hour = h;
    p.minute = mi;
    p.second = s;
    p.millisecond = ms;
    TDateTime dt = -1e9;
    EXPECT_TRUE(TryEncodeDateTime(p, dt)) << y << "/" << mo << "/" << d;
    return dt;
}

TEST(DateTime, DaysSinceTheEpochAtTheEdges)
{
    EXPECT_EQ(At(1899, 12, 30), 0.0);
    EXPECT_EQ(At(1899, 12, 31), 1.0);
    EXPECT_EQ(At(1899, 12, 29, 6), -1.25);  // before the epoch the time still adds
    EXPECT_EQ(At(1980, 1, 1), 29221.0);
    EXPECT_EQ(At(2079, 12, 31), 65745.0);
    EXPECT_EQ(At(2000, 2, 29, 12), 36585.5);
    EXPECT_EQ(At(1, 1, 1), -693593.0);
    EXPECT_EQ(At(9999, 12, 31), 2958465.0);

    TDateTimeParts p;
    const TDateTimeParts bad[] = {
        {2001, 2, 29, 0, 0, 0, 0}, {1900, 2, 29, 0, 0, 0, 0}, {0, 1, 1, 0, 0, 0, 0},     {10000, 1, 1, 0, 0, 0, 0},
        {2000, 13, 1, 0, 0, 0, 0}, {2000, 1, 1, 24, 0, 0, 0}, {2000, 1, 1, 0, 60, 0, 0}, {2000, 1, 1, 0, 0, 0, 1000},
    };
    TDateTime dt;
    for (const TDateTimeParts& b : bad) EXPECT_FALSE(TryEncodeDateTime(b, dt)) << b.year << "/" << b.month;
    EXPECT_EQ(EncodeDate(2001, 2, 29), 0.0);
    EXPECT_FALSE(TryDecodeDateTime(1e12, p));
    EXPECT_FALSE(TryDecodeDateTime(0.0 / 0.0, p));
}

TEST(DateTime, DecodeRoundsToTheMillisecond)
{
    struct Case {
        TDateTime dt;
        std::string text;
    };
    const Case cases[] = {
        {0.0, "1899/12/30 00:00:00.000"},
        {-1.25, "1899/12/29 06:00:00.000"},
        {-0.5, "1899/12/30 12:00:00.000"},
        {29221.0, "1980/01/01 00:00:00.000"},
        {At(2079, 12, 31, 23, 59, 59, 999), "2079/12/31 23:59:59.999"},
        {At(2024, 5, 6, 7, 8, 9, 10), "2024/05/06 07:08:09.010"},
        {29221.0 + 0.9999999999, "1980/01/02 00:00:00.000"},  // carries into the next day
    };
    for (const Case& c : cases) EXPECT_EQ(DateTimeToText(c.dt, true), c.text) << c.dt;
    EXPECT_EQ(DateTimeToText(At(2024, 5, 6, 7, 8, 9, 10)), "2024/05/06 07:08:09");
    EXPECT_EQ(DateTimeToText(1e12), "");
    std::string text;
    ASSERT_TRUE(TryFormatDateTime("yy/mm/dd hh:nn", At(2005, 1, 2, 3, 4), text));
    EXPECT_EQ(text, "05/01/02 03:04");
}

TEST(DateTime, TextToDateTime)
{
    struct Case {
        const char* text;
        bool ok;
        TDateTime dt;
    };
    const Case cases[] = {
        {"2024/05/06 07:08:09", true, At(2024, 5, 6, 7, 8, 9)},
        {"2024/05/06 07:08:09.010", true, At(2024, 5, 6, 7, 8, 9, 10)},
        {"2024/05/06 07:08:09.5", true, At(2024, 5, 6, 7, 8, 9, 500)},
        {"2024/5/6 7:08", true, At(2024, 5, 6, 7, 8)},
        {"2024/05/06", true, At(2024, 5, 6)},
        {"  1980/01/01 00:00:00  ", true, 29221.0},
        {"1899/12/30 00:00:00", true, 0.0},
        {"2024/02/30 00:00:00", false, 0},
        {"2024/05/06 24:00:00", false, 0},
        {"2024/05/06 07:08:09.1234", false, 0},
        {"2024-05-06", false, 0},
        {"2024/05/06 07", false, 0},
        {"2024/05/06x", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        TDateTime dt = -7;
        EXPECT_EQ(TryTextToDateTime(c.text, dt), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(dt, c.dt) << c.text;
        }
    }
    // Every millisecond text of a day reads back as itself.
    for (int ms = 0; ms < 86400000; ms += 86400000 / 997) {
        TDateTime dt = At(2010, 7, 8) + ms / 86400000.0;
        TDateTime back;
        ASSERT_TRUE(TryTextToDateTime(DateTimeToText(dt, true), back));
        EXPECT_EQ(DateTimeToText(back, true), DateTimeToText(dt, true));
    }
}

TEST(DateTime, DosTimes)
{
    struct Case {
        TDateTime in;
        bool ok;
        const char* rounded;
    };
    const Case cases[] = {
        {At(2020, 1, 1, 12, 0, 3), true, "2020/01/01 12:00:04.000"},
        {At(2020, 1, 1, 12, 0, 4), true, "2020/01/01 12:00:04.000"},
        {At(2020, 1, 1, 12, 0, 4, 1), true, "2020/01/01 12:00:06.000"},
        {At(2020, 1, 1, 12, 0, 3, 500), true, "2020/01/01 12:00:04.000"},
        {At(2020, 12, 31, 23, 59, 59, 1), true, "2021/01/01 00:00:00.000"},
        {At(1980, 1, 1), true, "1980/01/01 00:00:00.000"},
        {At(1979, 12, 31, 23, 59, 58), false, ""},
        {At(2079, 12, 31, 23, 59, 58), true, "2079/12/31 23:59:58.000"},
        {At(2080, 1, 1), false, ""},
    };
    for (const Case& c : cases) {
        TDateTime r = -1;
        EXPECT_EQ(RoundUpToDosTime(c.in, r), c.ok) << DateTimeToText(c.in, true);
        if (c.ok) {
            EXPECT_EQ(DateTimeToText(r, true), c.rounded);
        }
    }

    std::uint32_t dos = 0;
    ASSERT_TRUE(DateTimeToDosDateTime(At(2024, 5, 6, 7, 8, 9), dos));
    EXPECT_EQ(dos, (44u << 25) | (5u << 21) | (6u << 16) | (7u << 11) | (8u << 5) | 4u);
    TDateTime back;
    ASSERT_TRUE(DosDateTimeToDateTime(dos, back));
    EXPECT_EQ(DateTimeToText(back), "2024/05/06 07:08:08");
    ASSERT_TRUE(DosDateTimeToDateTime(0x00210000, back));  // 1980-01-01 00:00
    EXPECT_EQ(back, 29221.0);
    EXPECT_FALSE(DateTimeToDosDateTime(At(1979, 12, 31), dos));
    EXPECT_FALSE(DateTimeToDosDateTime(At(2080, 1, 1), dos));
    EXPECT_FALSE(DosDateTimeToDateTime(0, back));                     // month 0
    EXPECT_FALSE(DosDateTimeToDateTime(100u << 25 | 0x210000, back));  // 2080
}

TEST(DateTime, FileAndSystemTimes)
{
    FILETIME zero{0, 0};
    EXPECT_EQ(FileTimeToDateTime(zero, 29221.0), 29221.0);
    EXPECT_EQ(FileTimeToDateTime(zero, 0.0), 0.0);
    FILETIME huge{0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(FileTimeToDateTime(huge, 29221.0), 29221.0);

    // Local time round trip through the system's conversions.
    TDateTime dt = At(2024, 5, 6, 7, 8, 9, 123);
    FILETIME ft;
    ASSERT_TRUE(DateTimeToFileTime(dt, ft));
    EXPECT_EQ(DateTimeToText(FileTimeToDateTime(ft, 0), true), "2024/05/06 07:08:09.123");
    SYSTEMTIME utc;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &utc));
    TIME_ZONE_INFORMATION tz;
    GetTimeZoneInformation(&tz);
    TDateTime utcDt;
    ASSERT_TRUE(SystemTimeToDateTime(utc, utcDt));
    EXPECT_NEAR((dt - utcDt) * 1440.0, -static_cast<double>(tz.Bias), 1e-3);

    SYSTEMTIME st;
    ASSERT_TRUE(DateTimeToSystemTime(At(2024, 5, 6), st));
    EXPECT_EQ(st.wDayOfWeek, 1);  // a Monday
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_FALSE(DateTimeToSystemTime(At(1600, 1, 1), st));
}

}  // namespace
