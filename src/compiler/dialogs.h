#pragma once
// Dialog bodies of #DLG routines: parts and their items, checked against
// what each part allows and written as part words, items and values.

#include "compiler/compilecontext.h"
#include "compiler/expressions.h"

class TDialogCompiler {
public:
    // Item values are read by the expression compiler, so they may use the
    // dialog's parameters and the program's globals.
    TDialogCompiler(TCompileContext& ctx, TExprCompiler& expressions) : ctx_(ctx), expr_(expressions) {}

    // The body from its "{" to the matching "}", framed like a compound
    // statement.
    void CompileBody(TSenObject& out);

private:
    // A part whose word has been read: its word, items and end marker.
    void Part(TSenObject& out, const TToken& word);
    void MaskedPart(TSenObject& out, std::int32_t partId, std::uint32_t allowed);
    void GroupBox(TSenObject& out);
    // An item's word and its values up to the ";".
    void Item(TSenObject& out, std::int32_t partId, std::int32_t itemId);
    TToken ExpectWord(std::string_view prompt, TTokenKinds allowed) const;
    std::int32_t WordId(const TToken& word) const;

    TCompileContext& ctx_;
    TExprCompiler& expr_;
};
