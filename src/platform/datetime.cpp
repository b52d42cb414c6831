#include "datetime.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Days from 0001-01-01 to 1899-12-30 are never needed; 1970-01-01 is day
// 25569 of the date-time scale.
constexpr std::int64_t kUnixEpochDay = 25569;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const std::int64_t kMinDay = DaysFromCivil(1, 1, 1) + kUnixEpochDay;
const std::int64_t kMaxDay = DaysFromCivil(9999, 12, 31) + kUnixEpochDay;

// A date-time as a count of milliseconds on a straight line (day * ms per
// day + time of day), which the encoding's negative days are not.
bool ToLinearMs(TDateTime dt, std::int64_t& ms)
{
    if (!std::isfinite(dt) || dt < static_cast<double>(kMinDay) - 1 || dt > static_cast<double>(kMaxDay) + 1)
        return false;
    double whole = std::trunc(dt);
    std::int64_t day = static_cast<std::int64_t>(whole);
    std::int64_t time = std::llround(std::fabs(dt - whole) * static_cast<double>(kMsPerDay));
    ms = day * kMsPerDay + time;
    return day >= kMinDay && ms <= (kMaxDay + 1) * kMsPerDay - 1;
}

TDateTime FromLinearMs(std::int64_t ms)
{
    std::int64_t day = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    std::int64_t time = ms - day * kMsPerDay;
    double t = static_cast<double>(time) / static_cast<double>(kMsPerDay);
    return day >= 0 ? static_cast<double>(day) + t : static_cast<double>(day) - t;
}

void Put(std::string& out, int value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    out += buf;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDateTime(const TDateTimeParts& p, TDateTime& dt)
{
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > DaysInMonth(p.year, p.month) || p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 ||
        p.second < 0 || p.second > 59 || p.millisecond < 0 || p.millisecond > 999)
        return false;
    std::int64_t day = DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) +
                       kUnixEpochDay;
    std::int64_t time = ((p.hour * 60LL + p.minute) * 60 + p.second) * 1000 + p.millisecond;
    dt = FromLinearMs(day * kMsPerDay + time);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTimeParts p;
    p.year = year;
    p.month = month;
    p.day = day;
    TDateTime dt = 0;
    return TryEncodeDateTime(p, dt) ? dt : 0;
}

bool TryDecodeDateTime(TDateTime dt, TDateTimeParts& p)
{
    std::int64_t ms;
    if (!ToLinearMs(dt, ms)) return false;
    std::int64_t day = ms >= 0 ? ms / kMsPerDay : -((-ms + kMsPerDay - 1) / kMsPerDay);
    std::int64_t time = ms - day * kMsPerDay;
    CivilFromDays(day - kUnixEpochDay, p.year, p.month, p.day);
    p.millisecond = static_cast<int>(time % 1000);
    time /= 1000;
    p.second = static_cast<int>(time % 60);
    time /= 60;
    p.minute = static_cast<int>(time % 60);
    p.hour = static_cast<int>(time / 60);
    return true;
}

bool TryFormatDateTime(std::string_view format, TDateTime dt, std::string& text)
{
    TDateTimeParts p;
    if (!TryDecodeDateTime(dt, p)) return false;
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        std::string_view rest = format.substr(i);
        auto starts = [&](std::string_view w) { return rest.substr(0, w.size()) == w; };
        if (starts("yyyy")) Put(out, p.year, 4), i += 4;
        else if (starts("yy")) Put(out, p.year % 100, 2), i += 2;
        else if (starts("mm")) Put(out, p.month, 2), i += 2;
        else if (starts("dd")) Put(out, p.day, 2), i += 2;
        else if (starts("hh")) Put(out, p.hour, 2), i += 2;
        else if (starts("nn")) Put(out, p.minute, 2), i += 2;
        else if (starts("ss")) Put(out, p.second, 2), i += 2;
        else if (starts("zzz")) Put(out, p.millisecond, 3), i += 3;
        else out += format[i++];
    }
    text = out;
    return true;
}

std::string DateTimeToText(TDateTime dt, bool withMilliseconds)
{
    std::string text;
    if (!TryFormatDateTime(withMilliseconds ? "yyyy/mm/dd hh:nn:ss.zzz" : "yyyy/mm/dd hh:nn:ss", dt, text))
        return std::string();
    return text;
}

namespace {
// Reads 1 to maxDigits decimal digits.
bool ReadField(std::string_view t, std::size_t& i, int maxDigits, int& value, int* digitsRead = nullptr)
{
    int n = 0;
    value = 0;
    while (i < t.size() && n < maxDigits && t[i] >= '0' && t[i] <= '9') {
        value = value * 10 + (t[i] - '0');
        ++i;
        ++n;
    }
    if (digitsRead) *digitsRead = n;
    return n > 0;
}

bool Expect(std::string_view t, std::size_t& i, char c)
{
    if (i < t.size() && t[i] == c) {
        ++i;
        return true;
    }
    return false;
}
}  // namespace

bool TryTextToDateTime(std::string_view text, TDateTime& dt)
{
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return false;
    std::string_view t = text.substr(b, text.find_last_not_of(' ') - b + 1);
    TDateTimeParts p;
    std::size_t i = 0;
    if (!ReadField(t, i, 4, p.year) || !Expect(t, i, '/') || !ReadField(t, i, 2, p.month) || !Expect(t, i, '/') ||
        !ReadField(t, i, 2, p.day))
        return false;
    if (i < t.size()) {
        if (!Expect(t, i, ' ')) return false;
        while (i < t.size() && t[i] == ' ') ++i;
        if (!ReadField(t, i, 2, p.hour) || !Expect(t, i, ':') || !ReadField(t, i, 2, p.minute)) return false;
        if (Expect(t, i, ':')) {
            if (!ReadField(t, i, 2, p.second)) return false;
            if (Expect(t, i, '.')) {
                int digits;
                if (!ReadField(t, i, 3, p.millisecond, &digits)) return false;
                for (; digits < 3; ++digits) p.millisecond *= 10;
            }
        }
        if (i != t.size()) return false;
    }
    return TryEncodeDateTime(p, dt);
}

bool SystemTimeToDateTime(const SYSTEMTIME& st, TDateTime& dt)
{
    TDateTimeParts p;
    p.year = st.wYear;
    p.month = st.wMonth;
    p.day = st.wDay;
    p.hour = st.wHour;
    p.minute = st.wMinute;
    p.second = st.wSecond;
    p.millisecond = st.wMilliseconds;
    return TryEncodeDateTime(p, dt);
}

bool DateTimeToSystemTime(TDateTime dt, SYSTEMTIME& st)
{
    TDateTimeParts p;
    if (!TryDecodeDateTime(dt, p) || p.year < 1601) return false;
    std::int64_t days = DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day));
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDay = static_cast<WORD>(p.day);
    st.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    st.wHour = static_cast<WORD>(p.hour);
    st.wMinute = static_cast<WORD>(p.minute);
    st.wSecond = static_cast<WORD>(p.second);
    st.wMilliseconds = static_cast<WORD>(p.millisecond);
    return true;
}

bool DosDateTimeToDateTime(std::uint32_t dos, TDateTime& dt)
{
    TDateTimeParts p;
    p.year = 1980 + static_cast<int>(dos >> 25);
    p.month = static_cast<int>(dos >> 21 & 15);
    p.day = static_cast<int>(dos >> 16 & 31);
    p.hour = static_cast<int>(dos >> 11 & 31);
    p.minute = static_cast<int>(dos >> 5 & 63);
    p.second = static_cast<int>(dos & 31) * 2;
    return p.year <= 2079 && TryEncodeDateTime(p, dt);
}

bool DateTimeToDosDateTime(TDateTime dt, std::uint32_t& dos)
{
    TDateTimeParts p;
    if (!TryDecodeDateTime(dt, p) || p.year < 1980 || p.year > 2079) return false;
    dos = static_cast<std::uint32_t>(p.year - 1980) << 25 | static_cast<std::uint32_t>(p.month) << 21 |
          static_cast<std::uint32_t>(p.day) << 16 | static_cast<std::uint32_t>(p.hour) << 11 |
          static_cast<std::uint32_t>(p.minute) << 5 | static_cast<std::uint32_t>(p.second / 2);
    return true;
}

bool RoundUpToDosTime(TDateTime dt, TDateTime& rounded)
{
    TDateTimeParts p;
    std::int64_t ms;
    if (!TryDecodeDateTime(dt, p) || p.year < 1980 || p.year > 2079 || !ToLinearMs(dt, ms)) return false;
    if (p.millisecond == 0 && p.second % 2 == 0) {
        rounded = FromLinearMs(ms);
        return true;
    }
    std::int64_t second = ms / 1000 + 1;  // days from 1980 on are positive
    if (second % 2 != 0) ++second;
    rounded = FromLinearMs(second * 1000);
    return true;
}
