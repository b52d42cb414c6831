#pragma once
// Helpers for tests that run under Wine: temporary folders, files of raw
// bytes, and running a program with its output captured.

#include <cstdint>
#include <string>

// A fresh folder under the temporary directory, removed with its contents.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool PathExists(const std::string& path);
void RemoveTree(const std::string& path);

// The folder the running test program is in, with a trailing backslash.
std::string TestProgramDir();

struct TProcessResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error, as bytes
};

// Runs a command line in a working folder, feeding input to standard input.
TProcessResult RunProgram(const std::string& commandLine, const std::string& workDir, const std::string& input = "",
                          unsigned timeoutMs = 60000);

// Bytes shown as hex for failure messages.
std::string HexDump(const std::string& bytes, std::size_t max = 256);
