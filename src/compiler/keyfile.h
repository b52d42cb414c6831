#pragma once
// The key-assign file, written straight from the compiler's tables, in the
// section order and record layout of the format; sets and their bindings
// come out in the tables' case-insensitive order.

#include <stdexcept>
#include <string>
#include <string_view>

#include "compiler/keyassign.h"
#include "compiler/tokens.h"

// What the compiler has built, as the writer reads it.
struct TProgramTables {
    const TGlobalTables& globals;
    const TRoutineTables& routines;
    const TKeyAssigns& keys;
    const TKeyNames& keyNames;
    // The special blocks, each beginning with its section marker, or nullptr.
    const TSenObject* preKey = nullptr;
    const TSenObject* init = nullptr;
    const TSenObject* done = nullptr;
};

// An inconsistency in the tables being written; reported like a source error.
class EKeyFileContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the bytes go, piece by piece.
class TByteSink {
public:
    virtual ~TByteSink() = default;
    virtual void Put(std::string_view bytes) = 0;
};

// The whole file, header first. A file can be far larger than the source
// (arrays of up to 268435456 elements), so it is never held whole.
void WriteKeyFileBytes(const TProgramTables& tables, TByteSink& sink);
// The same into memory.
std::string SerializeKeyFile(const TProgramTables& tables);

// The compound statement of an empty block (12 bytes).
std::string EmptyCompound();
