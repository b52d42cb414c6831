#include "support/testsupport.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <thread>

TTempDir::TTempDir()
{
    static std::atomic<unsigned> counter{0};
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    std::string base = tmp;
    if (!base.empty() && base.back() == '\\') base.pop_back();
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "\\velktest_%lu_%u_%lu", GetCurrentProcessId(), counter++, GetTickCount());
        path_ = base + name;
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + path_);
    }
}

TTempDir::~TTempDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        if (!WriteFile(h, bytes.data() + done, want, &n, nullptr) || n == 0) break;
        done += n;
    }
    CloseHandle(h);
    if (done != bytes.size()) throw std::runtime_error("cannot write " + path);
}

std::string ReadBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    std::string bytes;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
    CloseHandle(h);
    return bytes;
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TestProgramDir()
{
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string p(buf, n);
    return p.substr(0, p.find_last_of('\\') + 1);
}

TProcessResult RunProgram(const std::string& commandLine, const std::string& workDir, const std::string& input,
                          unsigned timeoutMs)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE outRead, outWrite, inRead, inWrite;
    if (!CreatePipe(&outRead, &outWrite, &sa, 0) || !CreatePipe(&inRead, &inWrite, &sa, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = outWrite;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, workDir.empty() ? nullptr : workDir.c_str(),
                        &si, &pi)) {
        DWORD e = GetLastError();
        CloseHandle(outRead);
        CloseHandle(outWrite);
        CloseHandle(inRead);
        CloseHandle(inWrite);
        throw std::runtime_error("CreateProcess failed (" + std::to_string(e) + "): " + commandLine);
    }
    CloseHandle(outWrite);
    CloseHandle(inRead);

    TProcessResult result;
    std::thread reader([&] {
        char buf[65536];
        DWORD n = 0;
        while (ReadFile(outRead, buf, sizeof buf, &n, nullptr) && n > 0) result.output.append(buf, n);
    });
    if (!input.empty()) {
        DWORD n = 0;
        WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &n, nullptr);
    }
    CloseHandle(inWrite);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 259);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    reader.join();
    CloseHandle(outRead);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return result;
}

std::string HexDump(const std::string& bytes, std::size_t max)
{
    std::string s;
    char b[4];
    for (std::size_t i = 0; i < bytes.size() && i < max; ++i) {
        std::snprintf(b, sizeof b, "%02X ", static_cast<unsigned char>(bytes[i]));
        s += b;
    }
    if (bytes.size() > max) s += "...";
    return s;
}
