#include "textcase.h"

#include <windows.h>

#include "sjis.h"

std::wstring SjisToWide(std::string_view s)
{
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string WideToSjis(std::wstring_view w, bool* usedDefault)
{
    BOOL used = FALSE;
    std::string s;
    if (!w.empty()) {
        int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0, "?",
                                    &used);
        s.assign(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), s.data(), n, "?", &used);
    }
    if (usedDefault) *usedDefault = used != FALSE;
    return s;
}

namespace {
// Maps one character at a time through the wide case mapping, so that a
// byte sequence that does not survive the round trip is left untouched.
std::string LocaleMapCase(std::string_view s, bool upper)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = SjisCharLength(s, i);
        std::string_view ch = s.substr(i, n);
        i += n;
        if (n == 1) {
            out += upper ? AsciiUpper(ch[0]) : AsciiLower(ch[0]);
            continue;
        }
        wchar_t w[2];
        if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, ch.data(), 2, w, 2) != 1) {
            out += ch;
            continue;
        }
        if (upper)
            CharUpperBuffW(w, 1);
        else
            CharLowerBuffW(w, 1);
        char back[4];
        BOOL used = FALSE;
        int m = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w, 1, back, sizeof back, nullptr, &used);
        if (m == 2 && !used)
            out.append(back, 2);
        else
            out += ch;
    }
    return out;
}

int CompareWith(DWORD flags, std::string_view a, std::string_view b)
{
    int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    if (r == 0) return CompareBytes(a, b);  // the locale refused: fall back to bytes
    return r - CSTR_EQUAL;
}
}  // namespace

std::string LocaleLowerCase(std::string_view s) { return LocaleMapCase(s, false); }
std::string LocaleUpperCase(std::string_view s) { return LocaleMapCase(s, true); }

int LocaleCompareStr(std::string_view a, std::string_view b) { return CompareWith(0, a, b); }
int LocaleCompareText(std::string_view a, std::string_view b) { return CompareWith(NORM_IGNORECASE, a, b); }

int CompareFileName(std::string_view a, std::string_view b)
{
    return LocaleCompareStr(SjisLowerCase(a), SjisLowerCase(b));
}

int CompareBytes(std::string_view a, std::string_view b)
{
    int r = a.compare(b);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int CompareByRule(std::string_view a, std::string_view b, TCompareRule rule)
{
    int caseRule = rule.caseRule == 1 || rule.caseRule == 2 ? rule.caseRule : 0;
    if (rule.method == 0) {
        if (caseRule == 0) return CompareBytes(LocaleLowerCase(a), LocaleLowerCase(b));
        if (caseRule == 1) return CompareBytes(SjisLowerCase(a), SjisLowerCase(b));
        return CompareBytes(a, b);
    }
    if (caseRule == 0) return LocaleCompareText(a, b);
    if (caseRule == 1) return CompareFileName(a, b);
    return LocaleCompareStr(a, b);
}
