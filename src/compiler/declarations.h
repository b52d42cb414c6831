#pragma once
// Declarations: global variables and arrays with their initial values, a
// routine's parameters, and the local declarations after VAR.

#include <cstdint>
#include <string>

#include "compiler/compilecontext.h"

struct TParameters {
    std::string letters;  // N S R Y, or V T X Z for VAR, in order
    std::string display;  // the names as written, for /V ("#a, VAR $b, $c[]")
};

class TDeclCompiler {
public:
    explicit TDeclCompiler(TCompileContext& ctx) : ctx_(ctx) {}

    // The declarations after #GLOBALVAR, up to the ";".
    void GlobalVars();
    // A parameter list from "(" to ")"; the parameters join the scope.
    TParameters Parameters();
    // The declarations after VAR, up to the ";"; the locals join the scope.
    void LocalVars();

private:
    // A number with an optional sign written as a token of its own.
    std::int64_t Constant();
    std::string StringConstant();
    // An array size (1 to 268435456) and the "]" after it.
    std::int32_t ArraySize();
    // The rest of an array declaration; returns the "," or ";" after it.
    TTokenKind GlobalArray(const TToken& name);
    void CheckLength(const TToken& name) const;
    void WarnHiding(const TToken& name) const;

    TCompileContext& ctx_;
};
