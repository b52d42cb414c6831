#pragma once
// The sets of token kinds the parser asks for, named by what they accept.

#include "compiler/tokens.h"

namespace kinds {

// Variables and arrays the program declares (global, local, argument).
inline constexpr TTokenKinds kNumVars{tiGlobalNum, tiLocalNum, tiValArgNum, tiVarArgNum};
inline constexpr TTokenKinds kNumArrays{tiGlobalNumArray, tiLocalNumArray, tiValArgNumArray, tiVarArgNumArray};
inline constexpr TTokenKinds kStrVars{tiGlobalStr, tiLocalStr, tiValArgStr, tiVarArgStr};
inline constexpr TTokenKinds kStrArrays{tiGlobalStrArray, tiLocalStrArray, tiValArgStrArray, tiVarArgStrArray};

// Every name with a "#" or "$", declared or not, system names included.
inline constexpr TTokenKinds kAnyNumName = kNumVars | kNumArrays | TTokenKinds{tiSysNum, tiSysNumArray, tiNewNum};
inline constexpr TTokenKinds kAnyStrName = kStrVars | kStrArrays | TTokenKinds{tiSysStr, tiSysStrArray, tiNewStr};
inline constexpr TTokenKinds kAnyName = kAnyNumName | kAnyStrName;
inline constexpr TTokenKinds kSystemNames{tiSysNum, tiSysNumArray, tiSysStr, tiSysStrArray};
inline constexpr TTokenKinds kArguments{tiValArgNum,      tiVarArgNum,      tiValArgStr,      tiVarArgStr,
                                        tiValArgNumArray, tiVarArgNumArray, tiValArgStrArray, tiVarArgStrArray};
inline constexpr TTokenKinds kGlobals{tiGlobalNum, tiGlobalStr, tiGlobalNumArray, tiGlobalStrArray};

// What a numeric or string operand may begin with ("(" is not among them).
inline constexpr TTokenKinds kNumOperands = kNumVars | kNumArrays | TTokenKinds{tiSysNum, tiNumConst, tiSysNumArray, tiIntFunc};
inline constexpr TTokenKinds kStrValues = kStrVars | kStrArrays | TTokenKinds{tiSysStr, tiStrConst, tiSpecialChar, tiSysStrArray};
inline constexpr TTokenKinds kStrOperands = kStrValues | TTokenKinds{tiStrFunc};
inline constexpr TTokenKinds kNumExprStart = kNumOperands | TTokenKinds{tiLParen};

inline constexpr TTokenKinds kArithmetic{tiPlus, tiMinus, tiMul, tiDiv, tiMod, tiBitAnd, tiBitOr, tiBitXor};
inline constexpr TTokenKinds kComparisons{tiEq, tiGrt, tiGEq, tiLs, tiLEq, tiNotEq};
inline constexpr TTokenKinds kRoutines{tiSub, tiIntFunc, tiStrFunc, tiBoolFunc, tiDialog};

}  // namespace kinds
