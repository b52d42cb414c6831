#include "compiler/binmaker.h"

#include <windows.h>

#include <cstdio>

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

void TBinMaker::WriteKeyFile()
{
    std::string bytes;
    try {
        bytes = SerializeKeyFile(content_);
    } catch (const EKeyFileContentError& e) {
        throw EKeyFileWriteError(e.what());
    }
    if (opt_.Verbose) console_.WriteLine();
    console_.WriteLine("WRITE   >> " + opt_.BinName);

    HANDLE h = CreateFileA(opt_.BinName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw EKeyFileWriteError("キーアサインファイルを作成できません : " + opt_.BinName + " (" + SystemMessage(GetLastError()) + ")");
    std::size_t done = 0;
    DWORD error = 0;
    while (done < bytes.size()) {
        DWORD chunk = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(h, bytes.data() + done, want, &chunk, nullptr) || chunk == 0) {
            error = GetLastError();
            break;
        }
        done += chunk;
    }
    if (done == bytes.size() && !FlushFileBuffers(h)) error = GetLastError();
    CloseHandle(h);
    if (done != bytes.size() || error) {
        DeleteFileA(opt_.BinName.c_str());
        throw EKeyFileWriteError("キーアサインファイルを書き込めません : " + opt_.BinName + " (" + SystemMessage(error) + ")");
    }
}
