#pragma once
// The builtin catalogue shared by VELKC and VELK: system variables and
// arrays, condition functions, system procedures, dialog parts and items.
// VELKC maps names to these identifiers; VELK dispatches on them.

#include <cstdint>
#include <span>
#include <string_view>

#include "script-format/binconst.h"

namespace bc {

struct TBuiltin {
    std::string_view name;  // as the catalogue spells it
    std::int32_t id;
    std::string_view signature = {};  // procedures and condition functions only
};

enum class TBuiltinKind {
    SysNum,
    SysNumArray,
    SysStr,
    SysStrArray,
    CondFunc,
    SysProc,
    DlgPart,
    DlgItem,
};
inline constexpr TBuiltinKind kBuiltinKinds[] = {
    TBuiltinKind::SysNum,   TBuiltinKind::SysNumArray, TBuiltinKind::SysStr,  TBuiltinKind::SysStrArray,
    TBuiltinKind::CondFunc, TBuiltinKind::SysProc,     TBuiltinKind::DlgPart, TBuiltinKind::DlgItem,
};

// The class (high half) every identifier of a kind has.
constexpr std::int32_t BuiltinClass(TBuiltinKind kind)
{
    switch (kind) {
    case TBuiltinKind::SysNum: return OperandClass(false, false, scSystem);
    case TBuiltinKind::SysNumArray: return OperandClass(false, true, scSystem);
    case TBuiltinKind::SysStr: return OperandClass(true, false, scSystem);
    case TBuiltinKind::SysStrArray: return OperandClass(true, true, scSystem);
    case TBuiltinKind::CondFunc: return ccCondFunc;
    case TBuiltinKind::SysProc: return ccSysProc;
    case TBuiltinKind::DlgPart: return ccDialogPart;
    case TBuiltinKind::DlgItem: return ccDialogItem;
    }
    return 0;
}

}  // namespace bc

#include "script-format/binconst_catalog_data.h"

namespace bc {

constexpr std::span<const TBuiltin> Builtins(TBuiltinKind kind)
{
    switch (kind) {
    case TBuiltinKind::SysNum: return catalog_data::kSysNums;
    case TBuiltinKind::SysNumArray: return catalog_data::kSysNumArrays;
    case TBuiltinKind::SysStr: return catalog_data::kSysStrs;
    case TBuiltinKind::SysStrArray: return catalog_data::kSysStrArrays;
    case TBuiltinKind::CondFunc: return catalog_data::kCondFuncs;
    case TBuiltinKind::SysProc: return catalog_data::kSysProcs;
    case TBuiltinKind::DlgPart: return catalog_data::kDlgParts;
    case TBuiltinKind::DlgItem: return catalog_data::kDlgItems;
    }
    return {};
}

// By name, without regard to case; nullptr when the kind has no such name.
const TBuiltin* FindBuiltin(TBuiltinKind kind, std::string_view name);
// By identifier, of any kind (the class tells the kind); nullptr if unknown.
const TBuiltin* FindBuiltinById(std::int32_t id);

// The identifier of a name spelled exactly as in the catalogue, for code
// that dispatches on identifiers: a misspelt name does not compile.
consteval std::int32_t BuiltinId(TBuiltinKind kind, std::string_view name)
{
    for (const TBuiltin& b : Builtins(kind))
        if (b.name == name) return b.id;
    throw "no such builtin";
}

}  // namespace bc
