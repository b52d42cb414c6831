#pragma once
// Formatted texts: Format with "%" specifiers, and the number texts of the
// builtins and the status lines.
//
// A specifier is "%" [index ":"] ["-"] [width] ["." precision] type, where
// width and precision may be "*" (taken from the next argument) and a width
// that begins with "0" pads numbers with zeros instead of blanks. Types:
//   d  signed decimal; the precision is the least number of digits;
//   u  unsigned decimal (64-bit two's complement of the value);
//   x  upper-case hexadecimal; the precision is the least number of digits;
//   s  text; the precision is the most bytes taken (never half a character);
//   f  fixed point; the precision is the number of decimals (2 by default);
//   n  as f with thousands separators;
//   %  a percent sign ("%%").
// The text is right-aligned in the width, or left-aligned with "-".

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

class EFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TFormatArg {
public:
    enum class TKind { Int, Float, Text };
    TFormatArg(int v) : kind_(TKind::Int), i_(v) {}
    TFormatArg(long v) : kind_(TKind::Int), i_(v) {}
    TFormatArg(long long v) : kind_(TKind::Int), i_(v) {}
    TFormatArg(unsigned v) : kind_(TKind::Int), i_(v) {}
    TFormatArg(unsigned long v) : kind_(TKind::Int), i_(static_cast<std::int64_t>(v)) {}
    TFormatArg(unsigned long long v) : kind_(TKind::Int), i_(static_cast<std::int64_t>(v)) {}
    TFormatArg(double v) : kind_(TKind::Float), f_(v) {}
    TFormatArg(const char* v) : kind_(TKind::Text), s_(v) {}
    TFormatArg(std::string_view v) : kind_(TKind::Text), s_(v) {}
    TFormatArg(const std::string& v) : kind_(TKind::Text), s_(v) {}

    TKind Kind() const { return kind_; }
    std::int64_t Int() const { return i_; }
    double Float() const { return f_; }
    std::string_view Text() const { return s_; }

private:
    TKind kind_;
    std::int64_t i_ = 0;
    double f_ = 0;
    std::string_view s_;
};

struct TFormatSettings {
    char thousandSeparator = ',';
    char decimalSeparator = '.';
};
// The system locale's separators, read once.
const TFormatSettings& DefaultFormatSettings();

// Throws EFormatError for a bad specifier, a missing argument or an argument
// of the wrong kind.
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args);
std::string Format(std::string_view format, std::initializer_list<TFormatArg> args, const TFormatSettings& settings);

std::string IntToStr(std::int64_t v);
// Upper-case hexadecimal (two's complement for negative values), at least
// digits digits.
std::string IntToHex(std::int64_t v, int digits);
// Decimal with the locale's thousands separator.
std::string IntToCommaStr(std::int64_t v);
std::string IntToCommaStr(std::int64_t v, const TFormatSettings& settings);
// A 64-bit integer from decimal text (optional sign) or from hexadecimal
// after "$" (up to 16 digits, two's complement); leading blanks are allowed,
// nothing may follow. False, and v unchanged, for anything else.
bool TryStrToInt64(std::string_view text, std::int64_t& v);
// The same for 32-bit values ("$" or "0x" for hexadecimal); def on failure.
std::int32_t StrToIntDef(std::string_view text, std::int32_t def);
