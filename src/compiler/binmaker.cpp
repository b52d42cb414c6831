#include "compiler/binmaker.h"

#include <windows.h>

#include <cstdio>

#include "platform/sjis.h"

TBinMaker::TBinMaker(const TBinMakerOpt& opt, TConsole& console) : opt_(opt), console_(console) {}

void ReportSourceError(TConsole& console, const TSrcReader& reader, const std::string& message)
{
    console.WriteLine("Error : " + message);
    int line = reader.CurrentLine();
    char number[32];
    std::snprintf(number, sizeof number, "Line  : %4d", line);
    console.WriteLine(std::string(number) + " " + reader.LineText(line - 1));
    console.WriteLine(std::string(12 + static_cast<std::size_t>(std::max(0, reader.CurrentColumn())), ' ') + "^");
}

int TBinMaker::Run()
{
    filesRead_.push_back(opt_.SrcName);
    console_.WriteLine("COMPILE >> " + opt_.SrcName);
    console_.WriteLine();

    int exitCode = kExitDone;
    try {
        TSrcReader reader(opt_.SrcName);
        try {
            CompileFile(reader);
        } catch (const ESrcReaderError& e) {
            ReportSourceError(console_, reader, e.what());
            return kExitSourceError;
        }
        WriteKeyFile();
    } catch (const ENoDefineError& e) {
        console_.WriteLine(std::string("Error : ") + e.what());
        return kExitMissingBody;
    } catch (const EErrInclude&) {
        return kExitIncludeError;
    } catch (const EKeyFileWriteError& e) {
        console_.WriteLine(std::string("Error : ") + e.what());
        exitCode = kExitWriteFailed;
    } catch (const ESrcReaderError& e) {
        // The main source vanished or could not be read after it was found.
        console_.WriteLine(std::string("Error : ") + e.what());
        return kExitSourceError;
    }
    console_.WriteLine();
    console_.WriteLine("COMPILE >> DONE");
    console_.WriteLine();
    return exitCode;
}

void TBinMaker::CompileFile(TSrcReader& reader)
{
    // Until sections are compiled, every token is read so that lexical
    // errors are reported; the program compiled is the empty one.
    while (!reader.NextToken().empty()) {
    }
}

namespace {

std::string SystemMessage(DWORD code)
{
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string s = n ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    if (s.empty()) s = "error " + std::to_string(code);
    return s;
}

}  // namespace

void* TBinMaker::CreateOutputFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

bool TBinMaker::WriteOutput(void* file, const char* data, std::size_t n)
{
    std::size_t done = 0;
    while (done < n) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, 1u << 20));
        if (!WriteFile(file, data + done, want, &chunk, nullptr) || chunk == 0) return false;
        done += chunk;
    }
    return true;
}

namespace {

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void TBinMaker::WriteKeyFile()
{
    // Everything is serialised before any file is touched, so that an
    // inconsistency never costs the user the previous key-assign file.
    std::string bytes;
    try {
        bytes = SerializeKeyFile(content_);
    } catch (const EKeyFileContentError& e) {
        throw EKeyFileWriteError(e.what());
    }

    const std::string& bin = opt_.BinName;
    const std::string backup = KeyFileBackupName(bin);
    if (FileExists(backup) && !DeleteFileA(backup.c_str()))
        throw EKeyFileWriteError("バックアップファイルを削除できません : " + backup + " (" + SystemMessage(GetLastError()) + ")");
    bool backedUp = false;
    if (FileExists(bin)) {
        // Without a backup the old file would be overwritten with nothing to
        // restore if writing then failed: stop while it is still intact.
        if (!MoveFileA(bin.c_str(), backup.c_str()))
            throw EKeyFileWriteError("バックアップファイルを作成できません : " + backup + " (" + SystemMessage(GetLastError()) + ")");
        backedUp = true;
    }

    if (opt_.Verbose) console_.WriteLine();
    console_.WriteLine("WRITE   >> " + bin);

    auto restore = [&](const std::string& message) {
        DeleteFileA(bin.c_str());
        if (backedUp && !MoveFileA(backup.c_str(), bin.c_str()))
            throw EKeyFileWriteError(message + "\r\nError : 元のキーアサインファイルは " + backup + " に残っています");
        throw EKeyFileWriteError(message);
    };

    void* file = CreateOutputFile(bin);
    if (!file) restore("キーアサインファイルを作成できません : " + bin + " (" + SystemMessage(GetLastError()) + ")");
    bool ok = WriteOutput(file, bytes.data(), bytes.size());
    DWORD error = ok ? 0 : GetLastError();
    if (ok && !FlushFileBuffers(file)) {
        ok = false;
        error = GetLastError();
    }
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) restore("キーアサインファイルを書き込めません : " + bin + " (" + SystemMessage(error) + ")");
}

std::string KeyFileBackupName(const std::string& binName)
{
    return SjisChangeFileExt(binName, ".SAV");
}
