#pragma once
// Date-times as days since 1899-12-30 in a double (the time of day is the
// fraction; before that day the integer part counts back and the fraction
// still adds the time), their texts, file times and DOS times.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

struct TDateTimeParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// False for a field out of range (years 1 to 9999).
bool TryEncodeDateTime(const TDateTimeParts& p, TDateTime& dt);
TDateTime EncodeDate(int year, int month, int day);  // 0 when out of range
// Rounded to the millisecond. False for a value outside years 1 to 9999.
bool TryDecodeDateTime(TDateTime dt, TDateTimeParts& p);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Texts: FormatDateTime knows yyyy, yy, mm (month), dd, hh, nn (minute), ss
// and zzz; every other byte is copied. False when dt cannot be decoded.
bool TryFormatDateTime(std::string_view format, TDateTime dt, std::string& text);
// "yyyy/mm/dd hh:nn:ss", or with ".zzz"; empty when dt cannot be decoded.
std::string DateTimeToText(TDateTime dt, bool withMilliseconds = false);
// Reads "yyyy/mm/dd", optionally followed by a blank and "hh:nn", ":ss" and
// ".zzz" (one to three digits); fields may have fewer digits; blanks around
// are allowed.
bool TryTextToDateTime(std::string_view text, TDateTime& dt);

// System times (local time fields).
bool SystemTimeToDateTime(const SYSTEMTIME& st, TDateTime& dt);
bool DateTimeToSystemTime(TDateTime dt, SYSTEMTIME& st);
// A file time (UTC) as a local date-time; fallback when it is zero or cannot
// be converted.
TDateTime FileTimeToDateTime(const FILETIME& ft, TDateTime fallback);
bool DateTimeToFileTime(TDateTime dt, FILETIME& ft);
inline bool IsZeroFileTime(const FILETIME& ft) { return ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0; }

// DOS date and time (date in the high word, time in the low word, two-second
// steps), for the years 1980 to 2079.
bool DosDateTimeToDateTime(std::uint32_t dos, TDateTime& dt);
// The time is cut down to its even second. False outside 1980 to 2079.
bool DateTimeToDosDateTime(TDateTime dt, std::uint32_t& dos);
// The time as a DOS file system stores it: left when it is an even second
// with no milliseconds, otherwise moved up to the next whole second and then
// to the next even one. False for years before 1980 or after 2079.
bool RoundUpToDosTime(TDateTime dt, TDateTime& rounded);
