#pragma once
// Whole files as byte strings (code page 932 names).

#include <string>

// False when the file cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or replaces the file, keeping an existing file's attributes. False
// when it cannot be written completely; the old file is then left as it was.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
