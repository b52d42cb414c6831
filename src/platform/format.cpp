#include "format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "sjis.h"

namespace {

struct TField {
    bool left = false;
    bool zeroPad = false;
    int width = -1;
    int precision = -1;
    char type = 0;
};

[[noreturn]] void Fail(std::string_view format)
{
    throw EFormatError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string UnsignedDigits(std::uint64_t v, unsigned base)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    do {
        s.insert(s.begin(), digits[v % base]);
        v /= base;
    } while (v);
    return s;
}

std::string Group(std::string_view digits, char separator)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

// Fixed-point text of a value; integers are written exactly.
std::string FixedText(const TFormatArg& a, int decimals, bool grouped, const TFormatSettings& fs)
{
    bool negative;
    std::string intPart, fraction;
    if (a.Kind() == TFormatArg::TKind::Int) {
        std::int64_t v = a.Int();
        negative = v < 0;
        intPart = UnsignedDigits(negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v), 10);
        fraction.assign(static_cast<std::size_t>(decimals), '0');
    } else {
        double v = a.Float();
        if (std::isnan(v)) return "NAN";
        if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
        negative = std::signbit(v) && v != 0;
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(v));
        std::string t = buf;
        std::size_t dot = t.find('.');
        intPart = t.substr(0, dot);
        if (dot != std::string::npos) fraction = t.substr(dot + 1);
        if (negative && intPart.find_first_not_of('0') == std::string::npos &&
            fraction.find_first_not_of('0') == std::string::npos)
            negative = false;  // rounds to zero: no "-0"
    }
    std::string out = negative ? "-" : "";
    out += grouped ? Group(intPart, fs.thousandSeparator) : intPart;
    if (decimals > 0) {
        out += fs.decimalSeparator;
        out += fraction;
    }
    return out;
}

// At most n bytes of s, never ending inside a double-byte character.
std::string_view CutText(std::string_view s, int n)
{
    if (n < 0 || static_cast<std::size_t>(n) >= s.size()) return s;
    std::size_t i = 0;
    while (i < s.size() && i + SjisCharLength(s, i) <= static_cast<std::size_t>(n)) i += SjisCharLength(s, i);
    return s.substr(0, i);
}

std::string Pad(std::string body, const TField& field, bool numeric)
{
    if (field.width < 0 || body.size() >= static_cast<std::size_t>(field.width)) return body;
    std::size_t fill = static_cast<std::size_t>(field.width) - body.size();
    if (field.left) return body + std::string(fill, ' ');
    if (field.zeroPad && numeric) {
        std::size_t signLen = !body.empty() && body[0] == '-' ? 1 : 0;
        return body.insert(signLen, fill, '0');
    }
    return std::string(fill, ' ') + body;
}

std::string MinDigits(std::string digits, int precision)
{
    if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
        digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
    return digits;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args)
{
    return Format(format, args, DefaultFormatSettings());
}

std::string Format(std::string_view format, std::initializer_list<TFormatArg> args, const TFormatSettings& fs)
{
    std::string out;
    std::size_t next = 0;
    auto take = [&]() -> const TFormatArg& {
        if (next >= args.size()) Fail(format);
        return args.begin()[next++];
    };
    auto readNumber = [&](std::size_t& i, int& value) {
        if (i < format.size() && format[i] == '*') {
            const TFormatArg& a = take();
            if (a.Kind() != TFormatArg::TKind::Int) Fail(format);
            value = static_cast<int>(a.Int());
            ++i;
            return true;
        }
        bool any = false;
        value = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            if (value < 100000) value = value * 10 + (format[i] - '0');
            ++i;
            any = true;
        }
        return any;
    };
    for (std::size_t i = 0; i < format.size();) {
        std::size_t n = SjisCharLength(format, i);
        if (n == 2 || format[i] != '%') {
            out.append(format, i, n);
            i += n;
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        TField field;
        // An argument index: digits followed by ":".
        std::size_t save = i;
        int index;
        if (format.substr(i, 1) != "*" && readNumber(i, index) && i < format.size() && format[i] == ':') {
            if (index < 0 || static_cast<std::size_t>(index) >= args.size()) Fail(format);
            next = static_cast<std::size_t>(index);
            ++i;
        } else {
            i = save;
        }
        if (i < format.size() && format[i] == '-') {
            field.left = true;
            ++i;
        }
        if (i < format.size() && format[i] == '0') field.zeroPad = true;
        int width;
        if (readNumber(i, width)) {
            field.width = width;
            if (width < 0) {
                field.left = true;
                field.width = -width;
            }
        }
        if (i < format.size() && format[i] == '.') {
            ++i;
            int precision;
            field.precision = readNumber(i, precision) ? std::max(precision, 0) : 0;
        }
        if (i >= format.size()) Fail(format);
        field.type = AsciiLower(format[i++]);
        const TFormatArg& a = take();
        switch (field.type) {
        case 'd': {
            if (a.Kind() != TFormatArg::TKind::Int) Fail(format);
            std::int64_t v = a.Int();
            std::uint64_t mag = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            out += Pad((v < 0 ? "-" : "") + MinDigits(UnsignedDigits(mag, 10), field.precision), field, true);
            break;
        }
        case 'u':
        case 'x':
            if (a.Kind() != TFormatArg::TKind::Int) Fail(format);
            out += Pad(MinDigits(UnsignedDigits(static_cast<std::uint64_t>(a.Int()), field.type == 'x' ? 16 : 10),
                                 field.precision),
                       field, true);
            break;
        case 's':
            if (a.Kind() != TFormatArg::TKind::Text) Fail(format);
            out += Pad(std::string(CutText(a.Text(), field.precision)), field, false);
            break;
        case 'f':
        case 'n':
            if (a.Kind() == TFormatArg::TKind::Text) Fail(format);
            out += Pad(FixedText(a, field.precision < 0 ? 2 : std::min(field.precision, 18), field.type == 'n', fs),
                       field, true);
            break;
        default:
            Fail(format);
        }
    }
    return out;
}

std::string IntToStr(std::int64_t v) { return Format("%d", {v}); }

std::string IntToHex(std::int64_t v, int digits)
{
    return MinDigits(UnsignedDigits(static_cast<std::uint64_t>(v), 16), digits);
}

std::string IntToCommaStr(std::int64_t v) { return IntToCommaStr(v, DefaultFormatSettings()); }

std::string IntToCommaStr(std::int64_t v, const TFormatSettings& settings)
{
    return Format("%.0n", {v}, settings);
}

namespace {
int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiUpper(c);
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex(std::string_view digits, std::uint64_t& out)
{
    if (digits.empty() || digits.size() > 16) return false;
    std::uint64_t v = 0;
    for (char c : digits) {
        int d = HexDigit(c);
        if (d < 0) return false;
        v = v << 4 | static_cast<unsigned>(d);
    }
    out = v;
    return true;
}

// Decimal digits with an optional sign, within [min, max].
bool ParseDecimal(std::string_view t, std::int64_t min, std::int64_t max, std::int64_t& out)
{
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    std::uint64_t limit = negative ? 0 - static_cast<std::uint64_t>(min) : static_cast<std::uint64_t>(max);
    std::uint64_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
        unsigned d = static_cast<unsigned>(c - '0');
        if (v > (limit - d) / 10) return false;
        v = v * 10 + d;
    }
    out = negative ? static_cast<std::int64_t>(0 - v) : static_cast<std::int64_t>(v);
    return true;
}

std::string_view SkipBlanks(std::string_view t)
{
    while (!t.empty() && (t[0] == ' ' || t[0] == '\t')) t.remove_prefix(1);
    return t;
}
}  // namespace

bool TryStrToInt64(std::string_view text, std::int64_t& v)
{
    std::string_view t = SkipBlanks(text);
    if (!t.empty() && t[0] == '$') {
        std::uint64_t u;
        if (!ParseHex(t.substr(1), u)) return false;
        v = static_cast<std::int64_t>(u);
        return true;
    }
    return ParseDecimal(t, INT64_MIN, INT64_MAX, v);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t def)
{
    std::string_view t = SkipBlanks(text);
    std::string_view hex;
    if (!t.empty() && t[0] == '$')
        hex = t.substr(1);
    else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        hex = t.substr(2);
    if (!hex.empty()) {
        std::uint64_t u;
        if (hex.size() > 8 || !ParseHex(hex, u)) return def;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(u));
    }
    std::int64_t v;
    return ParseDecimal(t, INT32_MIN, INT32_MAX, v) ? static_cast<std::int32_t>(v) : def;
}
