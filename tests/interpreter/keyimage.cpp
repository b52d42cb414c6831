#include "interpreter/keyimage.h"

#include <cstring>

#include "script-format/binconst.h"
#include "script-format/senobject.h"

namespace {

bool IsDefaultSet(const std::string& name)
{
    static const char kDefault[] = "DEFAULT";
    if (name.size() != 7) return false;
    for (int i = 0; i < 7; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kDefault[i]) return false;
    }
    return true;
}

void WriteRoutines(TSenObject& out, std::int32_t marker, const char* kind, const std::vector<TRoutineRecord>& routines)
{
    out.WriteWord(marker);
    out.WriteWord(static_cast<std::int32_t>(routines.size()));
    for (const TRoutineRecord& r : routines) {
        out.WriteNameField(r.name);
        out.WriteWord(static_cast<std::int32_t>(r.letters.size()));
        int seen[256] = {};
        for (std::size_t i = 0; i < r.letters.size(); ++i) {
            unsigned char letter = static_cast<unsigned char>(r.letters[i]);
            std::int32_t cls = bc::ArgClassOfLetter(static_cast<char>(letter));
            if (cls == 0)
                throw EKeyImageError(std::string(kind) + r.name + " の " + std::to_string(i + 1) +
                                           " 番目の引数指定が不正 : " + r.letters.substr(i, 1));
            out.WriteWord(cls << 16 | seen[letter]++);
        }
        out.Write(r.body.data(), r.body.size());
    }
}

void WriteSets(TSenObject& out, std::int32_t defaultMarker, std::int32_t namedMarker, const std::vector<TBindingSet>& sets)
{
    for (const TBindingSet& set : sets) {
        if (IsDefaultSet(set.name)) {
            out.WriteWord(defaultMarker);
        } else {
            out.WriteWord(namedMarker);
            out.WriteNameField(set.name);
        }
        out.WriteWord(static_cast<std::int32_t>(set.bindings.size()));
        for (const TBindingRecord& b : set.bindings) {
            out.WriteWord(b.code);
            out.Write(b.body.data(), b.body.size());
        }
    }
}

void WriteBlock(TSenObject& out, std::int32_t marker, const std::optional<std::string>& block)
{
    if (!block) return;
    out.WriteWord(marker);
    out.Write(block->data(), block->size());
}

}  // namespace

std::string SerializeKeyFile(const TKeyFileContent& c)
{
    TSenObject out;
    out.Write(bc::kMagic, bc::kMagicLength);
    out.Write(bc::kWrittenVersion, 4);
    out.Write("\r\n\x1a", 3);

    out.WriteWord(bc::bcSecGlobalNum);
    out.WriteWord(static_cast<std::int32_t>(c.globalNums.size()));
    for (const auto& g : c.globalNums) {
        out.WriteNameField(g.name);
        out.WriteInt64(g.value);
    }
    out.WriteWord(bc::bcSecGlobalStr);
    out.WriteWord(static_cast<std::int32_t>(c.globalStrs.size()));
    for (const auto& g : c.globalStrs) {
        out.WriteNameField(g.name);
        out.WritePaddedString(g.value);
    }
    if (!c.numArrays.empty()) {
        out.WriteWord(bc::bcSecGlobalNumArrays);
        out.WriteWord(static_cast<std::int32_t>(c.numArrays.size()));
        for (const auto& a : c.numArrays) {
            out.WriteNameField(a.name);
            out.WriteWord(static_cast<std::int32_t>(a.elements.size()));
            out.WriteWord(0);
            for (std::int64_t v : a.elements) out.WriteInt64(v);
        }
    }
    if (!c.strArrays.empty()) {
        out.WriteWord(bc::bcSecGlobalStrArrays);
        out.WriteWord(static_cast<std::int32_t>(c.strArrays.size()));
        for (const auto& a : c.strArrays) {
            out.WriteNameField(a.name);
            out.WriteWord(static_cast<std::int32_t>(a.elements.size()));
            out.WriteWord(0);
            for (const std::string& v : a.elements) out.WritePaddedString(v);
        }
    }
    WriteRoutines(out, bc::bcSecSubs, "#SUB ", c.subs);
    WriteRoutines(out, bc::bcSecIntFuncs, "#FUNC INT ", c.intFuncs);
    WriteRoutines(out, bc::bcSecStrFuncs, "#FUNC STR ", c.strFuncs);
    WriteRoutines(out, bc::bcSecBoolFuncs, "#FUNC BOOL ", c.boolFuncs);
    WriteSets(out, bc::bcSecDefaultKeys, bc::bcSecKeySet, c.keySets);
    WriteSets(out, bc::bcSecDefaultMouse, bc::bcSecMouseSet, c.mouseSets);
    WriteSets(out, bc::bcSecDefaultEvents, bc::bcSecEventSet, c.eventSets);
    WriteBlock(out, bc::bcSecPreKey, c.preKey);
    WriteBlock(out, bc::bcSecInit, c.init);
    WriteBlock(out, bc::bcSecDone, c.done);
    WriteRoutines(out, bc::bcSecDialogs, "#DLG ", c.dialogs);
    return std::string(out.Bytes());
}

std::string EmptyCompound()
{
    TSenObject s;
    s.EndCompound(s.BeginCompound());
    return std::string(s.Bytes());
}
