#pragma once
// The dispatch tables of the builtins, indexed by catalogue identifier.
// Each builtin family fills its entries from its own source file through a
// TBuiltinFamilyRegistration; an empty entry is reported as undefined.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "script-format/binconst_catalog.h"

class TKeySrc;
struct TInitDatas;

// A builtin reads its own arguments from the code stream at the current
// position and leaves the position after the last one.
using TProcedureFn = void (*)(TKeySrc& vtl, TInitDatas& rec);
using TConditionFn = bool (*)(TKeySrc& vtl, TInitDatas& rec);
using TSysNumFn = std::int64_t (*)(TKeySrc& vtl, TInitDatas& rec);
using TSysStrFn = std::string (*)(TKeySrc& vtl, TInitDatas& rec);
// A #DLG call: its call word has been read; the arguments follow.
using TDialogCallFn = void (*)(TKeySrc& vtl, std::int32_t callWord, TInitDatas& rec);

// Catalogue identifiers by name, for the families' registrations: a
// misspelt name does not compile.
consteval std::int32_t ProcId(std::string_view name) { return bc::BuiltinId(bc::TBuiltinKind::SysProc, name); }
consteval std::int32_t CondId(std::string_view name) { return bc::BuiltinId(bc::TBuiltinKind::CondFunc, name); }

namespace dispatch {
constexpr std::int32_t kFirstProcedure = bc::BuiltinId(bc::TBuiltinKind::SysProc, "Break");
constexpr std::int32_t kLastProcedure = bc::BuiltinId(bc::TBuiltinKind::SysProc, "RevertToSelf");
constexpr std::int32_t kFirstCondition = bc::BuiltinId(bc::TBuiltinKind::CondFunc, "EqNum");
constexpr std::int32_t kLastCondition = bc::BuiltinId(bc::TBuiltinKind::CondFunc, "CheckWildCard");
constexpr int kProcedureCount = kLastProcedure - kFirstProcedure + 1;
constexpr int kConditionCount = kLastCondition - kFirstCondition + 1;
static_assert(kProcedureCount == 1010 && kConditionCount == 147);
// Table sizes of the system variables and arrays: the largest index + 1.
constexpr int SystemTableSize(bc::TBuiltinKind kind)
{
    int n = 0;
    for (const bc::TBuiltin& b : bc::Builtins(kind)) n = std::max(n, bc::IndexOf(b.id) + 1);
    return n;
}
}  // namespace dispatch

class TDispatchTables {
public:
    TDispatchTables();

    void SetProcedure(std::int32_t id, TProcedureFn fn);
    void SetCondition(std::int32_t id, TConditionFn fn);
    // System numeric and string arrays read their own subscripts.
    void SetSysNum(std::int32_t id, TSysNumFn fn);
    void SetSysStr(std::int32_t id, TSysStrFn fn);
    void SetSysNumArray(std::int32_t id, TSysNumFn fn);
    void SetSysStrArray(std::int32_t id, TSysStrFn fn);
    void SetDialogCall(TDialogCallFn fn) { dialogCall = fn; }

    // Empty when the identifier is outside its table or has no entry.
    TProcedureFn Procedure(std::int32_t id) const { return Entry(procedures, id - dispatch::kFirstProcedure); }
    TConditionFn Condition(std::int32_t id) const { return Entry(conditions, id - dispatch::kFirstCondition); }
    TSysNumFn SysNum(std::int32_t id) const { return Entry(sysNums, bc::IndexOf(id)); }
    TSysStrFn SysStr(std::int32_t id) const { return Entry(sysStrs, bc::IndexOf(id)); }
    TSysNumFn SysNumArray(std::int32_t id) const { return Entry(sysNumArrays, bc::IndexOf(id)); }
    TSysStrFn SysStrArray(std::int32_t id) const { return Entry(sysStrArrays, bc::IndexOf(id)); }
    TDialogCallFn DialogCall() const { return dialogCall; }

private:
    template <class F>
    static F Entry(const std::vector<F>& table, std::int32_t i)
    {
        return i >= 0 && static_cast<std::size_t>(i) < table.size() ? table[static_cast<std::size_t>(i)] : nullptr;
    }
    template <class F>
    static void Put(std::vector<F>& table, std::int32_t i, F fn, std::int32_t id);

    std::vector<TProcedureFn> procedures;
    std::vector<TConditionFn> conditions;
    std::vector<TSysNumFn> sysNums, sysNumArrays;
    std::vector<TSysStrFn> sysStrs, sysStrArrays;
    TDialogCallFn dialogCall = nullptr;
};

// A builtin family: fills its entries into the tables of every interpreter.
using TBuiltinFamily = void (*)(TDispatchTables& tables);

// Declared once, at namespace scope, in each family's source file.
class TBuiltinFamilyRegistration {
public:
    explicit TBuiltinFamilyRegistration(TBuiltinFamily family);
};

std::span<const TBuiltinFamily> BuiltinFamilies();
