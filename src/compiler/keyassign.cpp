#include "compiler/keyassign.h"

#include "script-format/binconst.h"
#include "script-format/vtlname.h"

namespace {

// The input a binding names, where it goes, and its canonical name.
struct TBindingInput {
    TTokenKind kind = tiError;  // tiCharKey/tiVKey for keys, tiMouseKey, tiEvent
    std::int32_t code = 0;
    int slot = 0;
    std::string name;
};

TBindingInput ReadInput(TSrcReader& reader, const TTokenAnalyzer& analyzer)
{
    const TKeyNames& keys = analyzer.Builtins().Keys();
    TToken t = analyzer.ExpectKey(reader, "キー識別子を指定してください",
                                  {tiCharKey, tiMouseKey, tiModifier, tiVKey, tiEvent});
    TBindingInput in;
    in.kind = t.kind;
    std::int32_t modifiers = 0;
    while (t.kind == tiModifier) {
        // Repeating a modifier adds nothing; a character key takes none.
        modifiers |= ModifierBitOf(t.text);
        analyzer.ExpectKey(reader, "+ がありません", {tiPlus});
        t = analyzer.ExpectKey(reader, "複合キー識別子を指定してください", {tiMouseKey, tiModifier, tiVKey});
        in.kind = t.kind;
    }
    const int combination = bc::ModifiersOf(modifiers);
    switch (t.kind) {
    case tiCharKey: {
        int index = keys.CharKeyIndex(t.text);
        in.code = keys.CharKeyCode(index);
        in.slot = TKeySet::SlotNumber(TKeySlot{true, 0, index, in.code});
        in.name = t.text;
        break;
    }
    case tiVKey: {
        int index = keys.VirtualKeyIndex(t.text);
        in.code = bc::kInputVirtualBit | modifiers | keys.VirtualKeyCode(index);
        in.slot = TKeySet::SlotNumber(TKeySlot{false, combination, index, in.code});
        in.name = ModifierPrefix(combination) + t.text;
        break;
    }
    case tiMouseKey:
        in.code = bc::kInputVirtualBit | modifiers | MouseCodeOf(t.text);
        in.slot = TMouseSet::SlotNumber(in.code);
        in.name = MouseNameOfInput(in.code);
        break;
    default:  // tiEvent
        in.code = EventCodeOf(t.text);
        in.slot = in.code;
        in.name = EventNameOfInput(in.code);
        break;
    }
    return in;
}

}  // namespace

template <class Set>
Set& TKeyAssigns::SetNamed(TNamedList<Set>& sets, const std::string& name)
{
    if (Set* s = sets.Find(name)) return *s;
    return sets.PayloadAt(sets.Add(name, std::make_unique<Set>()));
}

void TKeyAssigns::ParseBinding(TSrcReader& reader, const TTokenAnalyzer& analyzer, const std::string& setName,
                               const TBindingBodyCompiler& compileBody, TConsole* progress)
{
    TBindingInput in = ReadInput(reader, analyzer);
    const bool isDefault = SameName(setName, kDefaultKeySet);
    const std::string header = isDefault ? "#KEY " + in.name : "#KEYSET=" + setName + " " + in.name;

    TInputSet& set = in.kind == tiMouseKey ? static_cast<TInputSet&>(SetNamed(mouseSets_, setName))
                     : in.kind == tiEvent  ? static_cast<TInputSet&>(SetNamed(eventSets_, setName))
                                           : static_cast<TInputSet&>(SetNamed(keySets_, setName));
    if (set.Filled(in.slot)) throw ESrcReaderError(in.name + " は既に定義されています");

    if (progress) progress->WriteLine(header);
    auto code = std::make_unique<TSenObject>(0);
    code->WriteWord(in.code);
    compileBody(*code, header);
    set.Store(in.slot, in.name, std::move(code));
    if (!isDefault) namedKeySets_.AddName(setName);
}
