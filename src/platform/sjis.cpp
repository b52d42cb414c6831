#include "sjis.h"

#include <windows.h>

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

std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsSjisLeadByte(b)) {
            ++i;
            continue;
        }
        if (delims.find(static_cast<char>(b)) != std::string_view::npos) found = i;
    }
    return found;
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
