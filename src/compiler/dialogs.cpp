#include "compiler/dialogs.h"

#include <string>

#include "script-format/dialogbody.h"

namespace {

using bc::DialogItemId;
using bc::DialogPartId;

// Bit n allows item number n; GROUPBOX has rules of its own.
struct TPartMask {
    std::int32_t part;
    std::uint32_t allowed;
};
constexpr TPartMask kPartMasks[] = {
    {DialogPartId("DIALOG"), 0x00080106},      {DialogPartId("EDIT"), 0x01E2807A},
    {DialogPartId("COMBOBOX"), 0x0022C0DA},    {DialogPartId("BUTTON"), 0x00008302},
    {DialogPartId("RADIOBUTTON"), 0x00008D4A}, {DialogPartId("CHECKBOX"), 0x0000814A},
    {DialogPartId("MEMO"), 0x0000904A},        {DialogPartId("LABEL"), 0x00012102},
    {DialogPartId("BEVEL"), 0x00004002},       {DialogPartId("LISTBOX"), 0x00168C0A},
};

constexpr std::int32_t kGroupBox = DialogPartId("GROUPBOX");
constexpr std::int32_t kResult = DialogItemId("RESULT");
// A part whose mask allows RESULT must have one.
constexpr std::uint32_t kResultBit = 1u << bc::DialogItemNumber(kResult);

// Words a group box takes without a value and without writing anything.
bool IgnoredInGroupBox(std::int32_t item)
{
    return item == DialogItemId("ALIGN") || item == DialogItemId("MULTI") || item == DialogItemId("CLIENTSIZE") ||
           item == DialogItemId("ONEKEY");
}

constexpr char kPartPrompt[] = "ダイアログパーツが必要です";
constexpr char kItemPrompt[] = "ダイアログパーツアイテムが必要です";
constexpr char kGroupPrompt[] = "ダイアログパーツ／アイテムが必要です";

}  // namespace

TToken TDialogCompiler::ExpectWord(std::string_view prompt, TTokenKinds allowed) const
{
    return ctx_.analyzer.ExpectDialog(*ctx_.reader, prompt, allowed);
}

std::int32_t TDialogCompiler::WordId(const TToken& word) const
{
    return ctx_.analyzer.NumberOf(word.kind, word.text);
}

void TDialogCompiler::CompileBody(TSenObject& out)
{
    ctx_.Expect("{ が見つかりません", {tiBegin});
    const std::size_t size = out.BeginCompound();
    // An empty body is an error: the first token must be a part.
    TToken t = ExpectWord(kPartPrompt, {tiDlgPart});
    do {
        Part(out, t);
        t = ExpectWord(kPartPrompt, {tiEnd, tiDlgPart});
    } while (t.kind != tiEnd);
    out.EndCompound(size);
}

void TDialogCompiler::Part(TSenObject& out, const TToken& word)
{
    // Group boxes nest.
    TNestingLevel level(ctx_);
    const std::int32_t id = WordId(word);
    out.WriteWord(id);
    if (id == kGroupBox) return GroupBox(out);
    for (const TPartMask& m : kPartMasks)
        if (m.part == id) return MaskedPart(out, id, m.allowed);
    throw ESrcReaderError("不明なダイアログパーツ : " + word.text);
}

void TDialogCompiler::MaskedPart(TSenObject& out, std::int32_t partId, std::uint32_t allowed)
{
    // Messages name the part as the catalogue spells it, the item as written.
    const std::string part(bc::FindBuiltinById(partId)->name);
    ctx_.Expect("{ が必要です", {tiBegin});
    bool hasResult = false;
    for (TToken t = ExpectWord(kItemPrompt, {tiEnd, tiDlgItem}); t.kind != tiEnd;
         t = ExpectWord(kItemPrompt, {tiEnd, tiDlgItem})) {
        const std::int32_t item = WordId(t);
        const int n = bc::DialogItemNumber(item);
        if (n < 0 || n > 31 || !(allowed >> n & 1)) throw ESrcReaderError(part + " では " + t.text + " は使えません");
        Item(out, partId, item);
        hasResult = hasResult || item == kResult;
    }
    ctx_.Expect("; が必要です", {tiSemicolon});
    if ((allowed & kResultBit) && !hasResult) throw ESrcReaderError(part + " には Result が必要です");
    out.WriteWord(bc::bcDialogPartEnd);
}

void TDialogCompiler::GroupBox(TSenObject& out)
{
    ctx_.Expect("{ が必要です", {tiBegin});
    const TTokenKinds allowed{tiEnd, tiDlgPart, tiDlgItem};
    for (TToken t = ExpectWord(kGroupPrompt, allowed); t.kind != tiEnd; t = ExpectWord(kGroupPrompt, allowed)) {
        if (t.kind == tiDlgPart) {
            Part(out, t);
            continue;
        }
        const std::int32_t item = WordId(t);
        if (item == DialogItemId("SIZE") || item == DialogItemId("CAPTION"))
            Item(out, kGroupBox, item);
        else if (!IgnoredInGroupBox(item))
            throw ESrcReaderError("GROUBOXでは " + t.text + " は使用できません");
    }
    ctx_.Expect("; が必要です", {tiSemicolon});
    out.WriteWord(bc::bcDialogPartEnd);
}

void TDialogCompiler::Item(TSenObject& out, std::int32_t partId, std::int32_t itemId)
{
    out.WriteWord(itemId);
    const std::string_view values = bc::DialogItemValues(partId, itemId);
    if (values.empty()) {
        ctx_.Expect("; が必要です", {tiSemicolon});
        return;
    }
    ctx_.Expect(": が必要です", {tiColon});
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool last = i + 1 == values.size();
        const TTokenKinds end = last ? TTokenKinds{tiSemicolon} : TTokenKinds{tiComma};
        const char* prompt = last ? "; が必要です" : ", が必要です";
        switch (values[i]) {
        case 'N': expr_.NumExpr(out, end, prompt); break;
        case 'S': expr_.StrExpr(out, end, prompt); break;
        case 'V':
            expr_.NumVarRef(out);
            ctx_.Expect(prompt, end);
            break;
        default:
            expr_.StrVarRef(out);
            ctx_.Expect(prompt, end);
            break;
        }
    }
}
