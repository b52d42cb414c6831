#pragma once
// The vocabulary that exists before any source is read: the builtin
// catalogue and the key names, loaded into hash tables once at start-up.

#include <iterator>

#include "compiler/keycodes.h"
#include "compiler/velkhtbl.h"
#include "script-format/binconst_catalog.h"

class TBuiltinTables {
public:
    TBuiltinTables();
    TBuiltinTables(const TBuiltinTables&) = delete;
    TBuiltinTables& operator=(const TBuiltinTables&) = delete;

    // Identifiers of system variables and arrays.
    const TIntHashTable& Variables(bc::TBuiltinKind kind) const;
    // Identifier and signature of procedures and condition functions;
    // identifier of dialog parts and items.
    const TStrIntHashTable& Routines(bc::TBuiltinKind kind) const;
    const TKeyNames& Keys() const { return keys_; }

private:
    static constexpr int kVariableKinds = 4;  // SysNum .. SysStrArray, then the routine kinds
    static int VariableSlot(bc::TBuiltinKind kind);
    static int RoutineSlot(bc::TBuiltinKind kind);

    TIntHashTable variables_[kVariableKinds];
    TStrIntHashTable routines_[std::size(bc::kBuiltinKinds) - kVariableKinds];
    TKeyNames keys_;
};
