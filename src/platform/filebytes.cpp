#include "filebytes.h"

#include <windows.h>

#include <algorithm>
#include <utility>

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string out;
    char buf[65536];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(h, buf, sizeof buf, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        out.append(buf, got);
    }
    CloseHandle(h);
    if (ok) bytes = std::move(out);
    return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    // Written beside the target and moved over it only when complete, so a
    // full disk or a failing device never leaves the old file half replaced.
    static LONG counter = 0;
    const std::string temp = path + "." + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(InterlockedIncrement(&counter)) + ".tmp";
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD put = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
    }
    ok = FlushFileBuffers(h) && ok;
    ok = CloseHandle(h) && ok;
    DWORD oldAttributes = GetFileAttributesA(path.c_str());
    if (ok && oldAttributes != INVALID_FILE_ATTRIBUTES && (oldAttributes & FILE_ATTRIBUTE_DIRECTORY)) ok = false;
    if (ok) ok = MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DWORD error = GetLastError();
        DeleteFileA(temp.c_str());
        SetLastError(error);
        return false;
    }
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), oldAttributes);
    return true;
}
