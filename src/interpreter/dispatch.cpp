#include "interpreter/dispatch.h"

#include <stdexcept>

#include "platform/format.h"

namespace {

std::vector<TBuiltinFamily>& Families()
{
    static std::vector<TBuiltinFamily> families;
    return families;
}

}  // namespace

TBuiltinFamilyRegistration::TBuiltinFamilyRegistration(TBuiltinFamily family) { Families().push_back(family); }

std::span<const TBuiltinFamily> BuiltinFamilies() { return Families(); }

TDispatchTables::TDispatchTables()
    : procedures(dispatch::kProcedureCount), conditions(dispatch::kConditionCount),
      sysNums(dispatch::SystemTableSize(bc::TBuiltinKind::SysNum)),
      sysNumArrays(dispatch::SystemTableSize(bc::TBuiltinKind::SysNumArray)),
      sysStrs(dispatch::SystemTableSize(bc::TBuiltinKind::SysStr)),
      sysStrArrays(dispatch::SystemTableSize(bc::TBuiltinKind::SysStrArray))
{
}

template <class F>
void TDispatchTables::Put(std::vector<F>& table, std::int32_t i, F fn, std::int32_t id)
{
    // Registration happens in our own code: a wrong identifier is a bug.
    if (i < 0 || static_cast<std::size_t>(i) >= table.size())
        throw std::logic_error("builtin identifier outside its table: " + IntToHex(static_cast<std::uint32_t>(id), 8));
    table[static_cast<std::size_t>(i)] = fn;
}

void TDispatchTables::SetProcedure(std::int32_t id, TProcedureFn fn) { Put(procedures, id - dispatch::kFirstProcedure, fn, id); }
void TDispatchTables::SetCondition(std::int32_t id, TConditionFn fn) { Put(conditions, id - dispatch::kFirstCondition, fn, id); }
void TDispatchTables::SetSysNum(std::int32_t id, TSysNumFn fn) { Put(sysNums, bc::IndexOf(id), fn, id); }
void TDispatchTables::SetSysStr(std::int32_t id, TSysStrFn fn) { Put(sysStrs, bc::IndexOf(id), fn, id); }
void TDispatchTables::SetSysNumArray(std::int32_t id, TSysNumFn fn) { Put(sysNumArrays, bc::IndexOf(id), fn, id); }
void TDispatchTables::SetSysStrArray(std::int32_t id, TSysStrFn fn) { Put(sysStrArrays, bc::IndexOf(id), fn, id); }
