#include "syserror.h"

#include <windows.h>

std::string SysErrorMessage(unsigned long code)
{
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    // Trail bytes of double-byte characters are never below 0x40, so this
    // cannot cut one in half.
    while (!s.empty() && (static_cast<unsigned char>(s.back()) <= 0x20 || s.back() == '.')) s.pop_back();
    return s;
}
