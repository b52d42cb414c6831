#pragma once
// File names as the compiler resolves them (code page 932).

#include <string>

// The name made absolute against the current directory ("" stays "").
std::string FullPathName(const std::string& name);
// True for an existing file (not a directory).
bool FileExists(const std::string& name);
