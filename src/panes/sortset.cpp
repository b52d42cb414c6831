#include "panes/sortset.h"

#include "panes/sortcompare.h"
#include "platform/sjis.h"
#include "platform/stringlist.h"
#include "platform/textcase.h"

namespace {

struct TKeyInfo {
    const char* name;
    const char* label;
};
const TKeyInfo kKeys[kSortKeyCount] = {
    {"NONE", "格納"},
    {"NAME", "名前"},
    {"EXT", "拡張子"},
    {"DOSNAME", "名前(DOS風)"},
    {"DOSEXT", "拡張子(DOS風)"},
    {"DATETIME", "変更日付"},
    {"ACDATETIME", "アクセス日付"},
    {"CRDATETIME", "作成日付"},
    {"SIZE", "サイズ"},
    {"SERVER", "サーバー名"},
    {"SHARE", "共有名"},
    {"ROOTDRIVE", "ドライブ名"},
    {"ATTR_R", "ReadOnly属性"},
    {"ATTR_H", "Hidden属性"},
    {"ATTR_S", "System属性"},
    {"ATTR_A", "Archive属性"},
    {"ATTR_D", "Directory属性"},
    {"ATTR_C", "Compress属性"},
    {"COMPSIZE", "圧縮サイズ"},
};

bool ValidKey(int key) { return key >= 0 && key < kSortKeyCount; }

}  // namespace

const char* SortKeyName(int key) { return ValidKey(key) ? kKeys[key].name : nullptr; }
const char* SortKeyLabel(int key) { return ValidKey(key) ? kKeys[key].label : nullptr; }

TSortSet DefaultSortSet() { return ParseSortSet("ATTR_S+,ATTR_D+,NAME+,EXT+,ROOTDRIVE+,SERVER+,SHARE+,NONE+"); }

TSortSet ParseSortSet(std::string_view text)
{
    TSortSet set{};
    std::vector<std::string> items = SplitCommaText(text);
    std::size_t n = std::min<std::size_t>(items.size(), kSortPairs);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& item = items[i];
        TSortPair pair;  // NONE ascending unless the item names a key
        if (item.size() >= 2 && (item.back() == '+' || item.back() == '-')) {
            std::string_view name(item.data(), item.size() - 1);
            for (int k = 0; k < kSortKeyCount; ++k)
                if (name == kKeys[k].name) {
                    pair.key = static_cast<std::uint8_t>(k);
                    pair.ascending = item.back() == '+';
                    break;
                }
        }
        set[i] = pair;
    }
    // The pairs after the given ones are NONE ascending already.
    return set;
}

std::string SortSetText(const TSortSet& set)
{
    std::vector<std::string> items;
    for (const TSortPair& p : set) {
        int key = ValidKey(p.key) ? p.key : static_cast<int>(skNONE);
        items.push_back(std::string(kKeys[key].name) + (p.ascending ? "+" : "-"));
        if (key == skNONE) break;
    }
    if (items.empty()) return "NONE+";
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) text += ',';
        text += item;
    }
    return text;
}

bool SameSortSet(const TSortSet& a, const TSortSet& b)
{
    for (int i = 0; i < kSortPairs; ++i) {
        if (a[i].key != b[i].key || (a[i].ascending != 0) != (b[i].ascending != 0)) return false;
        if (a[i].key == skNONE) return true;
    }
    return true;
}

std::string_view ShortNameBody(std::string_view shortName)
{
    std::size_t dot = SjisLastDelimiter(shortName, ".");
    return dot == std::string_view::npos ? shortName : shortName.substr(0, dot);
}

std::string_view ShortNameExt(std::string_view shortName) { return shortName.substr(ExtensionStart(shortName)); }

namespace {
struct TPlainAccess {
    bool dirNoExt;
    const TFileInfo& Entry(const TFileInfo& e) const { return e; }
    std::uint16_t Flags(const TFileInfo& e) const { return SortFlags(e); }
    std::int32_t ListIndex(const TFileInfo& e) const { return e.ListIndex; }
    int CompareText(const TFileInfo& a, const TFileInfo& b, int key) const
    {
        if (key == skNAME) return LocaleCompareStr(NameSortText(a, dirNoExt), NameSortText(b, dirNoExt));
        return LocaleCompareStr(ExtSortText(a, dirNoExt), ExtSortText(b, dirNoExt));
    }
};
}  // namespace

int CompareEntries(const TFileInfo& a, const TFileInfo& b, const TSortSet& set, bool dirNoExt)
{
    return CompareBySortSet(a, b, set, dirNoExt, TPlainAccess{dirNoExt});
}
