// File times (UTC, 100 ns steps since 1601) to and from local date-times.
#include "datetime.h"

TDateTime FileTimeToDateTime(const FILETIME& ft, TDateTime fallback)
{
    if (IsZeroFileTime(ft)) return fallback;
    FILETIME local;
    SYSTEMTIME st;
    TDateTime dt;
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st) || !SystemTimeToDateTime(st, dt))
        return fallback;
    return dt;
}

bool DateTimeToFileTime(TDateTime dt, FILETIME& ft)
{
    SYSTEMTIME st;
    FILETIME local;
    return DateTimeToSystemTime(dt, st) && SystemTimeToFileTime(&st, &local) && LocalFileTimeToFileTime(&local, &ft);
}
