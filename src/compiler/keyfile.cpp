#include "compiler/keyfile.h"

#include <algorithm>

#include "script-format/binconst.h"
#include "script-format/senobject.h"
#include "script-format/vtlname.h"

namespace {

constexpr std::size_t kFlushSize = 64 * 1024;

class TKeyFileWriter {
public:
    TKeyFileWriter(const TProgramTables& tables, TByteSink& sink) : t_(tables), sink_(sink), buf_(kFlushSize + 4096) {}

    void Write()
    {
        buf_.Write(bc::kMagic, bc::kMagicLength);
        buf_.Write(bc::kWrittenVersion, 4);
        buf_.Write("\r\n\x1a", 3);
        GlobalScalars();
        GlobalArrays();
        Routines(bc::bcSecSubs, "#SUB ", t_.routines.subs);
        Routines(bc::bcSecIntFuncs, "#FUNC INT ", t_.routines.intFuncs);
        Routines(bc::bcSecStrFuncs, "#FUNC STR ", t_.routines.strFuncs);
        Routines(bc::bcSecBoolFuncs, "#FUNC BOOL ", t_.routines.boolFuncs);
        KeySets();
        InputSets(t_.keys.MouseSets(), bc::bcSecDefaultMouse, bc::bcSecMouseSet, "Illigal MouseKey : ", MouseInputOfName);
        InputSets(t_.keys.EventSets(), bc::bcSecDefaultEvents, bc::bcSecEventSet, "Illigal EventKey : ", EventInputOfName);
        for (const TSenObject* block : {t_.preKey, t_.init, t_.done})
            if (block) Code(*block);
        Routines(bc::bcSecDialogs, "#DLG ", t_.routines.dialogs);
        Flush();
    }

private:
    void Flush()
    {
        if (buf_.Position()) sink_.Put(buf_.Bytes());
        buf_.Clear();
    }
    void Room()
    {
        if (buf_.Position() >= kFlushSize) Flush();
    }
    void Code(const TSenObject& code)
    {
        Flush();
        sink_.Put(code.Bytes());
    }
    // Elements never set are 0, or empty strings; both take 8 zero bytes.
    void ZeroElements(std::int64_t count)
    {
        static const char zeros[4096] = {};
        for (std::int64_t bytes = count * 8; bytes > 0; bytes -= static_cast<std::int64_t>(sizeof zeros)) {
            buf_.Write(zeros, static_cast<std::size_t>(std::min<std::int64_t>(bytes, sizeof zeros)));
            Room();
        }
    }

    void GlobalScalars()
    {
        const TGlobalTables& g = t_.globals;
        buf_.WriteWord(bc::bcSecGlobalNum);
        buf_.WriteWord(g.nums.Count());
        for (int i = 0; i < g.nums.Count(); ++i) {
            buf_.WriteNameField(g.nums.NameAt(i));
            buf_.WriteInt64(g.nums.PayloadAt(i)->value);
            Room();
        }
        buf_.WriteWord(bc::bcSecGlobalStr);
        buf_.WriteWord(g.strs.Count());
        for (int i = 0; i < g.strs.Count(); ++i) {
            buf_.WriteNameField(g.strs.NameAt(i));
            buf_.WritePaddedString(g.strs.PayloadAt(i)->str);
            Room();
        }
    }

    template <class Table, class WriteElement>
    void Arrays(std::int32_t marker, const Table& table, WriteElement writeElement)
    {
        if (table.Count() == 0) return;
        buf_.WriteWord(marker);
        buf_.WriteWord(table.Count());
        for (int i = 0; i < table.Count(); ++i) {
            const auto& a = *table.PayloadAt(i);
            buf_.WriteNameField(table.NameAt(i));
            buf_.WriteWord(a.Size());
            buf_.WriteWord(0);
            for (std::int32_t e = 0; e < a.UnsetFrom(); ++e) {
                writeElement(a.At(e));
                Room();
            }
            ZeroElements(a.Size() - a.UnsetFrom());
        }
    }

    void GlobalArrays()
    {
        Arrays(bc::bcSecGlobalNumArrays, t_.globals.numArrays, [this](std::int64_t v) { buf_.WriteInt64(v); });
        Arrays(bc::bcSecGlobalStrArrays, t_.globals.strArrays,
               [this](const std::string& v) { buf_.WritePaddedString(v); });
    }

    void Routines(std::int32_t marker, const char* kind, const TSenHashTable& table)
    {
        buf_.WriteWord(marker);
        buf_.WriteWord(table.Count());
        for (int i = 0; i < table.Count(); ++i) {
            const TSenObject& r = *table.PayloadAt(i);
            const std::string& letters = r.signature;
            buf_.WriteNameField(table.NameAt(i));
            buf_.WriteWord(static_cast<std::int32_t>(letters.size()));
            // The low half counts the earlier parameters with the same letter.
            int seen[256] = {};
            for (std::size_t k = 0; k < letters.size(); ++k) {
                const unsigned char letter = static_cast<unsigned char>(letters[k]);
                const std::int32_t cls = bc::ArgClassOfLetter(static_cast<char>(letter));
                if (cls == 0)
                    throw EKeyFileContentError(kind + table.NameAt(i) + " の " + std::to_string(k + 1) +
                                               " 番目の引数指定が不正 : " + letters.substr(k, 1));
                buf_.WriteWord(cls << 16 | seen[letter]++);
            }
            Code(r);
        }
    }

    void SetHeader(const std::string& name, std::int32_t defaultMarker, std::int32_t namedMarker, int count)
    {
        if (SameName(name, kDefaultKeySet)) {
            buf_.WriteWord(defaultMarker);
        } else {
            buf_.WriteWord(namedMarker);
            buf_.WriteNameField(name);
        }
        buf_.WriteWord(count);
    }

    [[noreturn]] static void NoCode(const std::string& set, const std::string& binding)
    {
        throw EKeyFileContentError("キー定義(" + set + ") " + binding + " のコードが取得できません");
    }

    void KeySets()
    {
        const TNamedList<TKeySet>& sets = t_.keys.KeySets();
        for (int s = 0; s < sets.Count(); ++s) {
            const TKeySet& set = sets.PayloadAt(s);
            SetHeader(sets.NameAt(s), bc::bcSecDefaultKeys, bc::bcSecKeySet, set.Count());
            for (int b = 0; b < set.Count(); ++b) {
                std::optional<TKeySlot> slot = t_.keyNames.SlotOfKeyName(set.NameAt(b));
                const TSenObject* code = slot ? set.CodeAtSlot(TKeySet::SlotNumber(*slot)) : nullptr;
                if (!code) NoCode(sets.NameAt(s), set.NameAt(b));
                Code(*code);
            }
        }
    }

    // Mouse and event bindings are fetched by the code their names stand for.
    template <class Set>
    void InputSets(const TNamedList<Set>& sets, std::int32_t defaultMarker, std::int32_t namedMarker,
                   const char* illegal, std::optional<std::int32_t> (*inputOfName)(std::string_view))
    {
        for (int s = 0; s < sets.Count(); ++s) {
            const Set& set = sets.PayloadAt(s);
            SetHeader(sets.NameAt(s), defaultMarker, namedMarker, set.Count());
            for (int b = 0; b < set.Count(); ++b) {
                std::optional<std::int32_t> input = inputOfName(set.NameAt(b));
                if (!input) throw EKeyFileContentError(illegal + set.NameAt(b));
                const TSenObject* code = set.CodeOfInput(*input);
                if (!code) NoCode(sets.NameAt(s), set.NameAt(b));
                Code(*code);
            }
        }
    }

    const TProgramTables& t_;
    TByteSink& sink_;
    TSenObject buf_;
};

class TStringSink : public TByteSink {
public:
    std::string bytes;
    void Put(std::string_view b) override { bytes.append(b); }
};

}  // namespace

void WriteKeyFileBytes(const TProgramTables& tables, TByteSink& sink)
{
    TKeyFileWriter(tables, sink).Write();
}

std::string SerializeKeyFile(const TProgramTables& tables)
{
    TStringSink sink;
    WriteKeyFileBytes(tables, sink);
    return std::move(sink.bytes);
}

std::string EmptyCompound()
{
    TSenObject s(0);
    s.EndCompound(s.BeginCompound());
    return std::string(s.Bytes());
}
