#include "compiler/listing.h"

#include "platform/format.h"

namespace {

std::string_view ParameterKind(char letter)
{
    switch (letter) {
    case 'N': return "#";
    case 'S': return "$";
    case 'R': return "#[]";
    case 'Y': return "$[]";
    case 'V': return "VAR #";
    case 'T': return "VAR $";
    case 'X': return "VAR #[]";
    case 'Z': return "VAR $[]";
    default: return "?";
    }
}

// An array of up to 268435456 elements makes one line of gigabytes: it goes
// out in pieces.
class TLineWriter {
public:
    explicit TLineWriter(TConsole& console) : console_(console) {}
    void Add(std::string_view text)
    {
        pending_ += text;
        if (pending_.size() >= kPiece) {
            console_.Write(pending_);
            pending_.clear();
        }
    }
    void End()
    {
        console_.WriteLine(pending_);
        pending_.clear();
    }

private:
    static constexpr std::size_t kPiece = 64 * 1024;
    TConsole& console_;
    std::string pending_;
};

template <class Table, class Element>
void ListArrays(TConsole& console, const char* heading, const Table& table, Element element, std::string_view unset)
{
    console.WriteLine(heading);
    for (int i = 0; i < table.Count(); ++i) {
        const auto& array = *table.PayloadAt(i);
        TLineWriter line(console);
        line.Add(Format("  %10s = [", {table.NameAt(i)}));
        for (std::int32_t e = 0; e < array.Size(); ++e) {
            if (e) line.Add(",");
            line.Add(e < array.UnsetFrom() ? element(array.At(e)) : std::string(unset));
        }
        line.Add("]");
        line.End();
    }
}

void ListRoutines(TConsole& console, const char* heading, const TSenHashTable& table)
{
    console.WriteLine(heading);
    for (int i = 0; i < table.Count(); ++i)
        console.WriteLine("  " + table.NameAt(i) + "(" + ListedParameters(table.PayloadAt(i)->signature) + ")");
}

template <class Set>
void ListBindings(TConsole& console, const char* heading, const Set* set)
{
    console.WriteLine(heading);
    if (!set) return;
    for (int i = 0; i < set->Count(); ++i) console.WriteLine("    " + set->NameAt(i));
}

template <class Set>
bool HasBindings(const Set* set)
{
    return set && set->Count() > 0;
}

void ListKeySets(TConsole& console, const TKeyAssigns& keys)
{
    console.WriteLine(std::string("KEYSET >>> ") + kDefaultKeySet);
    ListBindings(console, "  Key Assign", keys.KeySets().Find(kDefaultKeySet));
    ListBindings(console, "  Mouse Assign", keys.MouseSets().Find(kDefaultKeySet));
    ListBindings(console, "  Event Assign", keys.EventSets().Find(kDefaultKeySet));

    const TStrStrList& named = keys.NamedKeySets();
    for (int s = 0; s < named.Count(); ++s) {
        const std::string& name = named.NameAt(s);
        bool headed = false;
        auto list = [&](const char* heading, const auto* set) {
            if (!HasBindings(set)) return;
            if (!headed) console.WriteLine(name + " Set >>>");
            headed = true;
            ListBindings(console, heading, set);
        };
        const TKeySet* keySet = keys.KeySets().Find(name);
        if (HasBindings(keySet)) {
            console.WriteLine("KEYSET >>> " + name);
            headed = true;
            ListBindings(console, "  Key Assign", keySet);
        }
        list("  Mouse Assign", keys.MouseSets().Find(name));
        list("  Event Assign", keys.EventSets().Find(name));
    }
}

}  // namespace

std::string ListedParameters(std::string_view letters)
{
    std::string text;
    for (char letter : letters) {
        if (!text.empty()) text += ", ";
        text += ParameterKind(letter);
    }
    return text;
}

void WriteListing(const TProgramTables& t, TConsole& console)
{
    const TGlobalTables& g = t.globals;
    console.WriteLine("User define global numeric var");
    for (int i = 0; i < g.nums.Count(); ++i)
        console.WriteLine(Format("  %10s = %d", {g.nums.NameAt(i), g.nums.PayloadAt(i)->value}));
    console.WriteLine("User define global string var");
    for (int i = 0; i < g.strs.Count(); ++i)
        console.WriteLine(Format("  %10s = '%s'", {g.strs.NameAt(i), g.strs.PayloadAt(i)->str}));
    ListArrays(console, "User define global numeric array var", g.numArrays, [](std::int64_t v) { return IntToStr(v); },
               "0");
    ListArrays(console, "User define global string array var", g.strArrays,
               [](const std::string& v) { return "'" + v + "'"; }, "''");

    const TRoutineTables& r = t.routines;
    ListRoutines(console, "Subroutines", r.subs);
    ListRoutines(console, "User Int Funcs", r.intFuncs);
    ListRoutines(console, "User Str Funcs", r.strFuncs);
    ListRoutines(console, "User Bool Funcs", r.boolFuncs);
    ListRoutines(console, "Dialogs", r.dialogs);
    ListKeySets(console, t.keys);
}
