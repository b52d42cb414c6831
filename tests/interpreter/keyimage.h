#pragma once
// Key-assign files for tests, written from plain records: what a compiled
// program holds, in the form the file stores it. Callers give sets and
// bindings in file order.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct TGlobalNumRecord {
    std::string name;
    std::int64_t value = 0;
};
struct TGlobalStrRecord {
    std::string name;
    std::string value;
};
struct TNumArrayRecord {
    std::string name;
    std::vector<std::int64_t> elements;
};
struct TStrArrayRecord {
    std::string name;
    std::vector<std::string> elements;
};
struct TRoutineRecord {
    std::string name;
    std::string letters;  // argument letters in parameter order, e.g. "NSV"
    std::string body;     // one complete compound statement (or dialog body)
};
struct TBindingRecord {
    std::string name;  // canonical input name
    std::int32_t code = 0;
    std::string body;  // one complete compound statement
};
struct TBindingSet {
    std::string name;  // "DEFAULT" or a set name
    std::vector<TBindingRecord> bindings;
};

struct TKeyFileContent {
    std::vector<TGlobalNumRecord> globalNums;
    std::vector<TGlobalStrRecord> globalStrs;
    std::vector<TNumArrayRecord> numArrays;
    std::vector<TStrArrayRecord> strArrays;
    std::vector<TRoutineRecord> subs, intFuncs, strFuncs, boolFuncs, dialogs;
    std::vector<TBindingSet> keySets, mouseSets, eventSets;
    // Compound statements of the special blocks, without their section markers.
    std::optional<std::string> preKey, init, done;
};

// A record that cannot be written (an unknown argument letter).
class EKeyImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file, header included.
std::string SerializeKeyFile(const TKeyFileContent& content);

// The compound statement of an empty block (12 bytes).
std::string EmptyCompound();
