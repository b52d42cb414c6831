// The separators of the user's locale, for the number texts.
#include <windows.h>

#include "format.h"

namespace {
char LocaleChar(LCTYPE type, char fallback)
{
    char buf[8];
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    // A separator of more than one byte cannot be used in a byte-wide slot.
    return n == 2 ? buf[0] : fallback;
}
}  // namespace

const TFormatSettings& DefaultFormatSettings()
{
    static const TFormatSettings settings = [] {
        TFormatSettings s;
        s.thousandSeparator = LocaleChar(LOCALE_STHOUSAND, ',');
        s.decimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
        return s;
    }();
    return settings;
}
