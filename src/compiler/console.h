#pragma once
// The compiler's console: Shift-JIS lines on standard output, never standard error.

#include <string>
#include <string_view>

class TConsole {
public:
    virtual ~TConsole() = default;
    virtual void Write(std::string_view bytes) = 0;
    virtual std::string ReadLine() = 0;
    void WriteLine(std::string_view line = {})
    {
        Write(line);
        Write("\r\n");
    }
};

class TStdConsole : public TConsole {
public:
    TStdConsole();
    ~TStdConsole() override;
    void Write(std::string_view bytes) override;
    std::string ReadLine() override;
};

// Collects the output in memory; reads lines from a given text.
class TStringConsole : public TConsole {
public:
    std::string output;
    std::string input;
    void Write(std::string_view bytes) override { output.append(bytes); }
    std::string ReadLine() override;
};
