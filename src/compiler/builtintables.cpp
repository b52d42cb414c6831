#include "compiler/builtintables.h"

#include <stdexcept>

using bc::TBuiltinKind;

// The system variable kinds come first in the catalogue's order.
static_assert(static_cast<int>(TBuiltinKind::SysStrArray) == 3 && static_cast<int>(TBuiltinKind::CondFunc) == 4);

TBuiltinTables::TBuiltinTables()
{
    for (TBuiltinKind kind : bc::kBuiltinKinds) {
        int k = static_cast<int>(kind);
        for (const bc::TBuiltin& b : bc::Builtins(kind)) {
            if (k < kVariableKinds)
                variables_[k].AddInt(b.name, b.id);
            else
                routines_[k - kVariableKinds].AddStrInt(b.name, b.id, std::string(b.signature));
        }
    }
}

int TBuiltinTables::VariableSlot(TBuiltinKind kind)
{
    int k = static_cast<int>(kind);
    if (k >= kVariableKinds) throw std::invalid_argument("not a system variable kind");
    return k;
}

int TBuiltinTables::RoutineSlot(TBuiltinKind kind)
{
    int k = static_cast<int>(kind) - kVariableKinds;
    if (k < 0) throw std::invalid_argument("not a routine or dialog word kind");
    return k;
}

const TIntHashTable& TBuiltinTables::Variables(TBuiltinKind kind) const
{
    return variables_[VariableSlot(kind)];
}

const TStrIntHashTable& TBuiltinTables::Routines(TBuiltinKind kind) const
{
    return routines_[RoutineSlot(kind)];
}
