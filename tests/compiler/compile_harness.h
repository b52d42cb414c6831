#pragma once
// Runs the real compiler on sources held in memory and takes the key-assign
// file it writes apart again, so that tests can compare code words.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "compiler/binmakeropt.h"

using Words = std::vector<std::uint32_t>;

// The folder the in-memory sources live in (with its trailing backslash).
extern const char kSourceDir[];

struct TCompileResult {
    int exitCode = -1;
    std::string output;  // what VELKC printed
    std::string bytes;       // the key-assign file (empty when none was written or above 64 MB)
    std::uint64_t size = 0;  // its size
};

// What VELKC prints besides its progress: nothing more, the listing (/L),
// or the listing and the detailed progress (/V).
enum class Shown { plain, list, verbose };

// Compiles kSourceDir + main; files maps names (relative to kSourceDir, or
// absolute) to their bytes. The include path is kSourceDir unless given.
TCompileResult CompileFiles(const std::map<std::string, std::string>& files, const std::string& main = "main.src",
                            Shown shown = Shown::plain, const std::string& incPath = kSourceDir);
TCompileResult CompileSource(const std::string& source, Shown shown = Shown::plain);

struct TDecodedRoutine {
    std::string name;
    Words args;  // argument code words
    Words body;  // the statements of its compound statement
};
struct TDecodedBinding {
    std::uint32_t input = 0;
    Words body;
};
struct TDecodedSet {
    std::string name;  // "DEFAULT" for the default sections
    std::vector<TDecodedBinding> bindings;
};

struct TDecodedFile {
    Words markers;  // section markers in file order
    std::vector<std::pair<std::string, std::int64_t>> nums;
    std::vector<std::pair<std::string, std::string>> strs;
    std::vector<std::pair<std::string, std::vector<std::int64_t>>> numArrays;
    std::vector<std::pair<std::string, std::vector<std::string>>> strArrays;
    std::vector<TDecodedRoutine> subs, intFuncs, strFuncs, boolFuncs, dialogs;
    std::vector<TDecodedSet> keySets, mouseSets, eventSets;
    std::optional<Words> preKey, init, done;
};

// Takes a key-assign file apart; a malformed file is a test failure.
TDecodedFile DecodeKeyFile(const std::string& bytes);
// Compiles a source that must compile, and takes its file apart.
TDecodedFile CompileAndDecode(const std::string& source);

// A code word as the 4 bytes of the file, and the file of an empty program.
std::string WordBytes(std::uint32_t w);
std::string EmptyKeyFile();

// The statement words of the binding #KEY A after the declarations in prelude,
// or a failure with the compiler's output.
Words StatementWords(const std::string& prelude, const std::string& statements);

// Expected word lists: numbers and word lists, joined in order.
struct TWordsPart {
    Words words;
    TWordsPart(long long w) : words{static_cast<std::uint32_t>(w)} {}
    TWordsPart(Words w) : words(std::move(w)) {}
};
Words Seq(std::initializer_list<TWordsPart> parts);
// A numeric constant, a string constant, a compound statement.
Words Num(std::int64_t v);
Words Str(const std::string& s);
Words Block(const Words& statements);
// The identifier of a system procedure or condition function.
std::uint32_t Proc(const char* name);
std::uint32_t Cond(const char* name);

// Words shown as hexadecimal, for failure messages.
std::string Hex(const Words& w);
