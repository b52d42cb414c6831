#pragma once
// Shift-JIS (code page 932) byte classification.

#include <array>

// The system's lead-byte table, read once from the ANSI code page.
const std::array<bool, 256>& SjisLeadByteTable();

inline bool IsSjisLeadByte(unsigned char b) { return SjisLeadByteTable()[b]; }

#include <string>
#include <string_view>

// Index of the last byte of s that is one of delims, stepping over
// double-byte characters so that a trail byte is never taken; npos if none.
std::size_t SjisLastDelimiter(std::string_view s, std::string_view delims);
// The directory part of a path, with its trailing "\" (or ":").
std::string SjisExtractFilePath(std::string_view path);
// The last path component.
std::string SjisExtractFileName(std::string_view path);
// The extension of the last component, from its last dot; a component
// that begins with its only dot has none.
std::string SjisExtractFileExt(std::string_view path);
// Replaces the extension (or appends ext when there is none).
std::string SjisChangeFileExt(std::string_view path, std::string_view ext);
