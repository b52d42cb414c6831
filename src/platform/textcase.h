#pragma once
// Comparisons and case mappings that follow the system's locale and its
// file-name rules, and conversions between code page 932 and UTF-16 for the
// calls that need wide strings.

#include <memory>
#include <string>
#include <string_view>

// UTF-16 from code page 932. Bytes that are not valid Shift-JIS become the
// system's replacement character.
std::wstring SjisToWide(std::string_view s);
// Code page 932 from UTF-16. A character with no Shift-JIS form becomes "?"
// (never a look-alike, which could name another existing file); usedDefault
// tells whether that happened.
std::string WideToSjis(std::wstring_view w, bool* usedDefault = nullptr);

// Lower or upper case by the locale: ASCII letters, and double-byte letters
// (full-width, Greek, Cyrillic) that the system maps; bytes that are no
// valid character stay.
std::string LocaleLowerCase(std::string_view s);
std::string LocaleUpperCase(std::string_view s);

// The locale's comparisons (negative, 0, positive).
int LocaleCompareStr(std::string_view a, std::string_view b);   // case-sensitive
int LocaleCompareText(std::string_view a, std::string_view b);  // case-insensitive
// A collation key: two keys compared as unsigned bytes (std::string's own
// comparison) are in the order, and equal exactly when, LocaleCompareStr
// says so. Sorting by keys asks the locale once per string instead of once
// per comparison.
std::string LocaleSortKey(std::string_view s);
// The same key appended to out (no allocation beyond out's growth).
void AppendLocaleSortKey(std::string_view s, std::string& out);
// The keys of many texts in a row, the same as LocaleSortKey's, made faster
// where texts share a beginning and differ only in a tail of characters
// with plain weights ("データ001", "データ002", ...): the locale is asked
// about such a beginning twice, then the keys are composed. The texts must
// outlive the object.
class TLocaleSortKeys {
public:
    TLocaleSortKeys();
    ~TLocaleSortKeys();
    TLocaleSortKeys(const TLocaleSortKeys&) = delete;
    TLocaleSortKeys& operator=(const TLocaleSortKeys&) = delete;
    void Append(std::string_view text, std::string& out);

private:
    struct THead;
    std::unique_ptr<THead[]> heads_;
};
// The system's file-name comparison: ASCII letters without case (double-byte
// characters kept as they are), then the locale's comparison.
int CompareFileName(std::string_view a, std::string_view b);
inline bool SameFileName(std::string_view a, std::string_view b) { return CompareFileName(a, b) == 0; }
// Plain byte comparison, a prefix first.
int CompareBytes(std::string_view a, std::string_view b);

// A comparison chosen by a method and a case rule, as the line sorts and the
// Ex comparisons choose it:
//   method 0 (bytes):  rule 0 both lower-cased by the locale, rule 1 both
//                      lower-cased by file-name rules, rule 2 neither; then
//                      byte by byte;
//   method 1 (locale): rule 0 case-insensitive, rule 1 the file-name
//                      comparison, rule 2 case-sensitive.
// A rule other than 1 or 2 counts as 0; a method other than 0 counts as 1.
struct TCompareRule {
    int method = 0;
    int caseRule = 0;
};
int CompareByRule(std::string_view a, std::string_view b, TCompareRule rule);
