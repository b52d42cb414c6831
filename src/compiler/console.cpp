#include "compiler/console.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

TStdConsole::TStdConsole()
{
    // Line ends are written as CR LF by WriteLine itself.
    _setmode(_fileno(stdout), _O_BINARY);
}

TStdConsole::~TStdConsole() { std::fflush(stdout); }

void TStdConsole::Write(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::string TStdConsole::ReadLine()
{
    std::fflush(stdout);
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string TStringConsole::ReadLine()
{
    std::size_t end = input.find('\n');
    std::string line = input.substr(0, end);
    input.erase(0, end == std::string::npos ? input.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}
