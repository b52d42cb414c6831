#include "sjis.h"

#include <windows.h>

#include <vector>

const std::array<bool, 256>& SjisLeadByteTable()
{
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != 0;
        return t;
    }();
    return table;
}

TSjisByteKind SjisByteKind(std::string_view s, std::size_t i)
{
    std::size_t p = 0;
    while (p < i) p += SjisCharLength(s, p);
    if (p > i) return TSjisByteKind::Trail;
    return SjisCharLength(s, i) == 2 ? TSjisByteKind::Lead : TSjisByteKind::Single;
}

std::size_t SjisFind(std::string_view s, std::string_view needle, std::size_t from)
{
    if (needle.size() > s.size()) return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= s.size(); i += SjisCharLength(s, i))
        if (s.compare(i, needle.size(), needle) == 0) return i;
    return std::string_view::npos;
}

std::size_t SjisFindFirstOf(std::string_view s, std::string_view chars, std::size_t from)
{
    for (std::size_t i = from; i < s.size(); i += SjisCharLength(s, i))
        if (SjisCharLength(s, i) == 1 && chars.find(s[i]) != std::string_view::npos) return i;
    return std::string_view::npos;
}

std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s, i))
        if (SjisCharLength(s, i) == 1 && delims.find(s[i]) != std::string_view::npos) found = i;
    return found;
}

std::vector<std::string> SjisSplit(std::string_view s, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t i = SjisFindFirstOf(s, std::string_view(&separator, 1), start);
        if (i == std::string_view::npos) break;
        parts.emplace_back(s.substr(start, i - start));
        start = i + 1;
    }
    parts.emplace_back(s.substr(start));
    return parts;
}

std::string SjisLastChar(std::string_view s)
{
    std::size_t last = 0;
    for (std::size_t i = 0; i < s.size(); i += SjisCharLength(s, i)) last = i;
    return std::string(s.substr(last));
}

namespace {
template <class Map>
std::string MapAscii(std::string_view s, Map map)
{
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += SjisCharLength(out, i))
        if (SjisCharLength(out, i) == 1) out[i] = map(out[i]);
    return out;
}
}  // namespace

std::string SjisUpperCase(std::string_view s) { return MapAscii(s, AsciiUpper); }
std::string SjisLowerCase(std::string_view s) { return MapAscii(s, AsciiLower); }

bool SjisSameTextAscii(std::string_view a, std::string_view b)
{
    // Byte by byte as SjisUpperCase would leave them, each string stepped
    // by its own characters; no copies.
    if (a.size() != b.size()) return false;
    bool trailA = false, trailB = false;  // the byte is the second of a double-byte character
    for (std::size_t i = 0; i < a.size(); ++i) {
        bool singleA = !trailA && SjisCharLength(a, i) == 1;
        bool singleB = !trailB && SjisCharLength(b, i) == 1;
        if ((singleA ? AsciiUpper(a[i]) : a[i]) != (singleB ? AsciiUpper(b[i]) : b[i])) return false;
        trailA = !trailA && !singleA;
        trailB = !trailB && !singleB;
    }
    return true;
}

std::string SjisExtractFilePath(std::string_view path)
{
    std::size_t i = SjisLastDelimiter(path, "\\:");
    return i == std::string_view::npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string SjisExtractFileName(std::string_view path)
{
    std::size_t i = SjisLastDelimiter(path, "\\:");
    return std::string(i == std::string_view::npos ? path : path.substr(i + 1));
}

namespace {
// Start of the extension in path, or npos.
std::size_t ExtensionStart(std::string_view path)
{
    std::size_t dir = SjisLastDelimiter(path, "\\:");
    std::size_t nameStart = dir == std::string_view::npos ? 0 : dir + 1;
    std::size_t dot = SjisLastDelimiter(path, "\\:.");
    if (dot == std::string_view::npos || dot < nameStart || path[dot] != '.') return std::string_view::npos;
    if (dot == nameStart) return std::string_view::npos;  // ".src": the dot begins the name
    return dot;
}
}  // namespace

std::string SjisExtractFileExt(std::string_view path)
{
    std::size_t i = ExtensionStart(path);
    return i == std::string_view::npos ? std::string() : std::string(path.substr(i));
}

std::string SjisChangeFileExt(std::string_view path, std::string_view ext)
{
    std::size_t i = ExtensionStart(path);
    std::string out(i == std::string_view::npos ? path : path.substr(0, i));
    out += ext;
    return out;
}

std::string SjisRemoveFileExt(std::string_view path) { return SjisChangeFileExt(path, ""); }

bool SjisHasTrailingBackslash(std::string_view path)
{
    return !path.empty() && SjisLastDelimiter(path, "\\") == path.size() - 1;
}

std::string SjisIncludeTrailingBackslash(std::string_view path)
{
    std::string out(path);
    if (!SjisHasTrailingBackslash(path)) out += '\\';
    return out;
}

std::string SjisExcludeTrailingBackslash(std::string_view path)
{
    std::string out(path);
    if (SjisHasTrailingBackslash(path)) out.pop_back();
    return out;
}

std::string SjisJoinPath(std::string_view dir, std::string_view name)
{
    if (dir.empty()) return std::string(name);
    return SjisIncludeTrailingBackslash(dir) + std::string(name);
}
