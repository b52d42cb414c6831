#include "panes/viewitems.h"

#include "platform/stringlist.h"

namespace {

struct TItemInfo {
    const char* name;
    const char* label;
};
const TItemInfo kItems[kViewItemCodes] = {
    {"viNONE", ""},
    {"viLFN", "長いファイル名"},
    {"viLFNE", "長いファイル名(分離)"},
    {"viSFN", "短いファイル名"},
    {"viSFNE", "短いファイル名(分離)"},
    {"viSIZE", "サイズ"},
    {"viSIZEC", "サイズ(，付)"},
    {"viCRDL", "作成日付(年４桁)"},
    {"viCRDS", "作成日付(年２桁)"},
    {"viCRTL", "作成時間(時分秒)"},
    {"viCRTS", "作成時間(時分)"},
    {"viCRTLL", "作成時間(1/100秒)"},
    {"viCRTD", "作成時間(DOS)"},
    {"viLWDL", "変更日付(年４桁)"},
    {"viLWDS", "変更日付(年２桁)"},
    {"viLWTL", "変更時間(時分秒)"},
    {"viLWTS", "変更時間(時分)"},
    {"viLWTLL", "変更時間(1/100秒)"},
    {"viLWTD", "変更時間(DOS)"},
    {"viACDL", "アクセス日付(年４桁)"},
    {"viACDS", "アクセス日付(年２桁)"},
    {"viACTL", "アクセス時間(時分秒)"},
    {"viACTS", "アクセス時間(時分)"},
    {"viACTLL", "アクセス時間(1/100秒)"},
    {"viACTD", "アクセス時間(DOS)"},
    {"viATTR", "属性(RHSA)"},
    {"viATTRC", "属性(RHSAC)"},
    {"viCOMPSIZE", "圧縮サイズ"},
    {"viCOMPSIZEC", "圧縮サイズ(，付き)"},
    {"viCOMPMTHD", "圧縮方式"},
    {"viCRC", "ＣＲＣ"},
};

}  // namespace

bool IsViewItem(int code) { return code >= 1 && code < kViewItemCodes; }
const char* ViewItemName(int code) { return IsViewItem(code) ? kItems[code].name : nullptr; }
const char* ViewItemLabel(int code) { return IsViewItem(code) ? kItems[code].label : nullptr; }

TViewItems DefaultViewItems() { return ParseViewItems("viLFNE,viSIZE,viLWDS,viLWTS"); }

TViewItems ParseViewItems(std::string_view text)
{
    TViewItems items{};
    std::vector<std::string> words = SplitCommaText(text);
    std::size_t n = std::min<std::size_t>(words.size(), kViewItemSlots);
    for (std::size_t i = 0; i < n; ++i)
        for (int code = 1; code < kViewItemCodes; ++code)
            if (words[i] == kItems[code].name) {
                items[i] = static_cast<std::uint8_t>(code);
                break;
            }
    if (items[0] == viNONE) items[0] = viLFN;
    return items;
}

std::string ViewItemsText(const TViewItems& items)
{
    int n = ViewItemCount(items);
    if (n == 0) return "viLFN";
    std::string text;
    for (int i = 0; i < n; ++i) {
        if (i) text += ',';
        text += kItems[items[static_cast<std::size_t>(i)]].name;
    }
    if (n < kViewItemSlots) text += ",viNONE";
    return text;
}

bool SameViewItems(const TViewItems& a, const TViewItems& b)
{
    for (int i = 0; i < kViewItemSlots; ++i) {
        if (a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)]) return false;
        if (a[static_cast<std::size_t>(i)] == viNONE) return true;
    }
    return true;
}

int ViewItemCount(const TViewItems& items)
{
    int n = 0;
    while (n < kViewItemSlots && IsViewItem(items[static_cast<std::size_t>(n)])) ++n;
    return n;
}
