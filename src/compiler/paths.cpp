#include "compiler/paths.h"

#include <windows.h>

std::string FullPathName(const std::string& name)
{
    if (name.empty()) return name;
    char buf[MAX_PATH * 4];
    DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
    if (n == 0 || n >= sizeof buf) return name;
    return std::string(buf, n);
}

bool FileExists(const std::string& name)
{
    DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
