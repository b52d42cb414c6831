#pragma once
// Shift-JIS (code page 932) byte classification, stepping, searching, ASCII
// case mapping, name splits and path helpers. Every scan steps over
// double-byte characters, so a trail byte equal to "\", "/", "." or ":" is
// never taken for a separator.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The system's lead-byte table, read once from the ANSI code page.
const std::array<bool, 256>& SjisLeadByteTable();

inline bool IsSjisLeadByte(unsigned char b) { return SjisLeadByteTable()[b]; }
// The code page's own lead-byte ranges, for texts compiled into the program
// (they are Shift-JIS whatever the system's code page is).
inline bool IsCp932LeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Bytes taken by the character that starts at s[i]: 2 for a lead byte with
// a byte after it, otherwise 1 (a lead byte at the very end stands alone).
inline std::size_t SjisCharLength(std::string_view s, std::size_t i)
{
    return IsSjisLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

enum class TSjisByteKind { Single = 0, Lead = 1, Trail = 2 };
// The kind of the byte at index i, found by stepping from the start.
TSjisByteKind SjisByteKind(std::string_view s, std::size_t i);

// Index of the first byte of needle in s at a character boundary, searching
// from index from (which must be a boundary); npos if none.
std::size_t SjisFind(std::string_view s, std::string_view needle, std::size_t from = 0);
// Index of the first byte of s that is one of chars (single-byte characters
// only); npos if none.
std::size_t SjisFindFirstOf(std::string_view s, std::string_view chars, std::size_t from = 0);
// Index of the last byte of s that is one of delims, stepping over
// double-byte characters so that a trail byte is never taken; npos if none.
std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims);
// Splits at every single-byte separator; n separators give n + 1 parts.
std::vector<std::string> SjisSplit(std::string_view s, char separator);
// The last character (two bytes for a double-byte one); empty for "".
std::string SjisLastChar(std::string_view s);

// ASCII letters only: double-byte characters (full-width letters among them)
// and half-width katakana stay as they are, whatever the system's case
// mapping would do.
std::string SjisUpperCase(std::string_view s);
std::string SjisLowerCase(std::string_view s);
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// Equal when ASCII letters are compared without case.
bool SjisSameTextAscii(std::string_view a, std::string_view b);

// The directory part of a path, with its trailing "\" (or ":").
std::string SjisExtractFilePath(std::string_view path);
// The last path component.
std::string SjisExtractFileName(std::string_view path);
// The extension of the last component, from its last dot; a component
// that begins with its only dot has none.
std::string SjisExtractFileExt(std::string_view path);
// Replaces the extension (or appends ext when there is none).
std::string SjisChangeFileExt(std::string_view path, std::string_view ext);
// The path without its extension.
std::string SjisRemoveFileExt(std::string_view path);

// True when the path's last character is a "\" (not a trail byte).
bool SjisHasTrailingBackslash(std::string_view path);
std::string SjisIncludeTrailingBackslash(std::string_view path);
std::string SjisExcludeTrailingBackslash(std::string_view path);
// The directory, a "\" unless it already ends with one, and the name.
std::string SjisJoinPath(std::string_view dir, std::string_view name);
