#pragma once
// What the section, statement and expression compilers share while one
// program is compiled: the file being read (an include swaps it), the
// analyzer with every table, the section being compiled and the console.

#include <string>
#include <string_view>

#include "compiler/console.h"
#include "compiler/srcread.h"
#include "compiler/tokens.h"

// Blocks, parentheses, conditions and includes nest at most this deep, so
// that no source can exhaust the stack.
constexpr int kMaxNesting = 1000;

enum class TFuncKind { None, Int, Str, Bool };

struct TCompileContext {
    TCompileContext(TTokenAnalyzer& a, TConsole& c, bool verboseOutput) : analyzer(a), console(c), verbose(verboseOutput)
    {
    }

    TTokenAnalyzer& analyzer;
    TConsole& console;
    const bool verbose;
    TSrcReader* reader = nullptr;
    TTokenKind sectionKind = tiError;
    TFuncKind funcKind = TFuncKind::None;
    // Names the current section in listings and warnings.
    std::string headerText;
    int depth = 0;

    TToken Expect(std::string_view message, TTokenKinds allowed) const
    {
        return analyzer.Expect(*reader, message, allowed);
    }
    TToken ExpectDecl(std::string_view message, TTokenKinds allowed) const
    {
        return analyzer.ExpectDecl(*reader, message, allowed);
    }
    // A /V progress line.
    void Progress(std::string_view line) const
    {
        if (verbose) console.WriteLine(line);
    }
    // Printed with or without /V; /V has already shown the header.
    void Warning(std::string_view line) const
    {
        if (!verbose) console.WriteLine(headerText);
        console.WriteLine(line);
    }
};

// One level of nesting for as long as it lives.
class TNestingLevel {
public:
    explicit TNestingLevel(TCompileContext& ctx);
    ~TNestingLevel() { --ctx_.depth; }
    TNestingLevel(const TNestingLevel&) = delete;
    TNestingLevel& operator=(const TNestingLevel&) = delete;

private:
    TCompileContext& ctx_;
};

// The source error for nesting beyond kMaxNesting.
[[noreturn]] void NestingTooDeep();
