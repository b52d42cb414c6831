#include "panes/itemformat.h"

#include <cstdlib>

#include "platform/format.h"
#include "platform/sjis.h"

int CharWidthFrom(int ave, int max) { return 2 * ave == max ? ave : ave + (max - 2 * ave) / 2; }

TPaneMetrics MeasurePane(const TTextMeasure& measure, const TCustData& cust)
{
    TPaneMetrics m;
    m.charWidth = CharWidthFrom(measure.AveCharWidth(), measure.MaxCharWidth());
    m.markCharWidth = measure.TextWidth(cust.MARKCHAR);
    static const char* const letters[5] = {"R", "H", "S", "A", "C"};
    for (int i = 0; i < 5; ++i) m.attrLetterWidth[i] = measure.TextWidth(letters[i]);
    m.attrWidth = measure.TextWidth("RHSA");
    m.attrCWidth = measure.TextWidth("RHSAC");
    return m;
}

namespace {

// The six time items of one time (creation, last write, last access) in
// code order, with their widths.
const TTimeText kTimeKinds[6] = {TTimeText::Date4,   TTimeText::Date2,        TTimeText::HourMinSec,
                                 TTimeText::HourMin, TTimeText::Milliseconds, TTimeText::DosTime};
const int kTimeWidths[6] = {10, 8, 8, 5, 12, 8};

bool IsTimeItem(int code) { return code >= viCRDL && code <= viACTD; }

int WithSeparators(int digits) { return digits + (digits - 1) / 3; }

}  // namespace

int ItemCharWidth(int code, const TCustData& cust)
{
    if (IsTimeItem(code)) return kTimeWidths[(code - viCRDL) % 6];
    switch (code) {
    case viLFN: return cust.LONGNAMELEN;
    case viLFNE: return cust.FILENAMELEN + cust.EXTLEN;
    case viSFN:
    case viSFNE: return 12;
    case viSIZE: return cust.KETA;
    case viSIZEC: return WithSeparators(cust.KETA);
    case viCOMPSIZE: return cust.COMPKETA;
    case viCOMPSIZEC: return WithSeparators(cust.COMPKETA);
    case viCOMPMTHD:
    case viCRC: return 8;
    default: return 0;
    }
}

int AttrItemPixels(int code, const TPaneMetrics& m)
{
    return code == viATTR ? m.attrWidth : code == viATTRC ? m.attrCWidth : 0;
}

int IconAdvance(int showIcon) { return showIcon == 1 ? 18 : showIcon == 2 ? 34 : 0; }

int ColumnWidth(const TViewItems& items, const TCustData& cust, const TPaneMetrics& m)
{
    int n = ViewItemCount(items);
    TViewItems lfn{viLFN};
    const TViewItems& used = n ? items : lfn;
    n = n ? n : 1;
    int chars = 0, pixels = 0;
    for (int i = 0; i < n; ++i) {
        int code = used[static_cast<std::size_t>(i)];
        chars += ItemCharWidth(code, cust);
        pixels += AttrItemPixels(code, m);
    }
    return m.markCharWidth + m.charWidth * (n + chars - 1) + pixels + (m.charWidth / 3) * 2 +
           IconAdvance(cust.ShowIcon);
}

std::string TruncateName(std::string_view name, int width)
{
    if (width <= 0) return std::string();
    std::size_t w = static_cast<std::size_t>(width);
    if (name.size() <= w) return std::string(name);
    if (w >= 2 && SjisByteKind(name, w - 1) == TSjisByteKind::Trail) return std::string(name.substr(0, w - 2)) + "~~";
    return std::string(name.substr(0, w - 1)) + "~";
}

std::string SizeCellText(std::int64_t size, int width, bool separators)
{
    if (width <= 0) return std::string();
    std::string plain = Format(separators ? "%*.n" : "%*.f", {width, size});
    if (static_cast<int>(plain.size()) <= width) return plain;
    // More digits than the cell holds: a right-aligned text clipped at the
    // left would show another number. A true, shorter form in larger units.
    bool negative = size < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(size) : static_cast<std::uint64_t>(size);
    static const char kUnits[] = "KMGTPE";
    std::uint64_t divisor = 1;
    for (const char* unit = kUnits; *unit; ++unit) {
        divisor *= 1024;
        // Rounded up: a size never shows smaller than it is, nor as 0.
        std::uint64_t scaled = magnitude / divisor + (magnitude % divisor != 0 ? 1 : 0);
        std::int64_t value = negative ? -static_cast<std::int64_t>(scaled) : static_cast<std::int64_t>(scaled);
        std::string digits = separators ? IntToCommaStr(value) : IntToStr(value);
        digits += *unit;
        if (static_cast<int>(digits.size()) <= width)
            return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
    }
    return std::string(static_cast<std::size_t>(width), '#');
}

std::string TimeCellText(TTimeText kind, TDateTime dt)
{
    if (dt == 0) return " ";
    std::string text;
    switch (kind) {
    case TTimeText::Date4: return TryFormatDateTime("yyyy/mm/dd", dt, text) ? text : "\?\?\?\?/\?\?/\?\?";
    case TTimeText::Date2: return TryFormatDateTime("yy/mm/dd", dt, text) ? text : "\?\?/\?\?/\?\?";
    case TTimeText::HourMinSec: return TryFormatDateTime("hh:nn:ss", dt, text) ? text : "??:??:??";
    case TTimeText::HourMin: return TryFormatDateTime("hh:nn", dt, text) ? text : "??:??";
    case TTimeText::Milliseconds: {
        TDateTimeParts p;
        if (!TryFormatDateTime("hh:nn:ss", dt, text) || !TryDecodeDateTime(dt, p)) return "??:??:??.???";
        return text + "." + Format("%.3d", {p.millisecond});
    }
    case TTimeText::DosTime: {
        TDateTime rounded;
        if (!RoundUpToDosTime(dt, rounded) || !TryFormatDateTime("hh:nn:ss", rounded, text)) return "??:??:??";
        return text;
    }
    }
    return " ";
}

namespace {

class TRowBuilder {
public:
    TRowBuilder(const TFileInfo& e, const TRowContext& ctx) : e_(e), ctx_(ctx), cw_(ctx.metrics.charWidth) {}

    TRowLayout Build()
    {
        int x = cw_ / 3;
        row_.mark = TPaneCell{x, ctx_.metrics.markCharWidth, e_.Marked ? ctx_.cust.MARKCHAR : std::string(),
                              TCellAlign::Left, TCellColor::Mark, TNameRules::None, {}};
        x += ctx_.metrics.markCharWidth;
        if (ctx_.cust.ShowIcon == 1 || ctx_.cust.ShowIcon == 2) {
            row_.iconSize = ctx_.cust.ShowIcon == 1 ? 16 : 32;
            row_.iconX = x + 1;
            x += IconAdvance(ctx_.cust.ShowIcon);
        }
        int n = ViewItemCount(ctx_.items);
        TViewItems lfn{viLFN};
        const TViewItems& items = n ? ctx_.items : lfn;
        for (int i = 0; i < (n ? n : 1); ++i) {
            int code = items[static_cast<std::size_t>(i)];
            int width = code == viATTR || code == viATTRC ? AttrItemPixels(code, ctx_.metrics)
                                                          : ItemCharWidth(code, ctx_.cust) * cw_;
            AddItem(code, x);
            x += width + cw_;
        }
        return std::move(row_);
    }

private:
    bool IsLongItem(int code) const { return code == viLFN || code == viLFNE; }
    bool IsShortItem(int code) const { return code == viSFN || code == viSFNE; }
    // Drives, servers and shares show their name in the short-name items too.
    bool IsPlace() const { return e_.IsDrive || e_.IsServer || e_.IsShare; }
    // Names take the colour rules only on files.
    bool NameRules() const { return !e_.IsDirectory() && !e_.IsSpecial(); }

    const std::string* LinkText() const
    {
        if (e_.IsCurDir) return &ctx_.cust.CURRENTDIRSTR;
        if (e_.IsParentDir) return &ctx_.cust.PARENTDIRSTR;
        return nullptr;
    }

    void Cell(int x, int chars, std::string text, TCellAlign align = TCellAlign::Left,
              TCellColor color = TCellColor::Entry, TNameRules rules = TNameRules::None, std::string_view ruleText = {})
    {
        TPaneCell c{x, chars * cw_, std::move(text), align, color, rules, std::string()};
        if (rules != TNameRules::None && NameRules()) c.ruleText = std::string(ruleText);
        else c.rules = TNameRules::None;
        row_.cells.push_back(std::move(c));
    }

    // A name item that comes after one of the other kind (long or short)
    // stays empty when the long and the short name are the same.
    bool Blank(int code)
    {
        bool shortItem = IsShortItem(code);
        bool otherSeen = shortItem ? seenLong_ : seenShort_;
        (shortItem ? seenShort_ : seenLong_) = true;
        return otherSeen && e_.FileName() == e_.ShortName();
    }

    // One cell of the whole name, or body and extension side by side.
    void SplitName(int x, std::string_view name, bool hasExt, int bodyChars, int extChars, bool truncate)
    {
        auto cut = [truncate](std::string_view s, int w) { return truncate ? TruncateName(s, w) : std::string(s); };
        std::size_t at = hasExt ? ExtensionStart(name) : name.size();
        if (at == name.size()) {
            Cell(x, bodyChars + extChars, cut(name, bodyChars + extChars), TCellAlign::Left, TCellColor::Entry,
                 TNameRules::Body, name);
            return;
        }
        std::string_view body = name.substr(0, at), ext = name.substr(at);
        Cell(x, bodyChars, cut(body, bodyChars), TCellAlign::Left, TCellColor::Entry, TNameRules::Body, body);
        Cell(x + bodyChars * cw_, extChars, cut(ext, extChars), TCellAlign::Left, TCellColor::Entry, TNameRules::Ext,
             ext);
    }

    void NameItem(int code, int x)
    {
        const TCustData& c = ctx_.cust;
        if (Blank(code)) {
            Cell(x, ItemCharWidth(code, c), std::string());
            return;
        }
        const std::string* link = LinkText();
        bool hasExt = !IsPlace() && !(ctx_.dirNoExt && e_.IsDirectory());
        std::string_view name = IsShortItem(code) && !IsPlace() ? e_.ShortName() : std::string_view(e_.FileName());
        switch (code) {
        case viLFN:
            Cell(x, c.LONGNAMELEN, TruncateName(link ? *link : name, c.LONGNAMELEN), TCellAlign::Left,
                 TCellColor::Entry, TNameRules::Name, name);
            break;
        case viLFNE:
            if (link) Cell(x, c.FILENAMELEN + c.EXTLEN, *link);
            else SplitName(x, name, hasExt, c.FILENAMELEN, c.EXTLEN, true);
            break;
        case viSFN:
            Cell(x, 12, link ? *link : std::string(name), TCellAlign::Left, TCellColor::Entry, TNameRules::Name, name);
            break;
        case viSFNE:
            if (link) Cell(x, 12, *link);
            else SplitName(x, name, hasExt, 8, 4, false);
            break;
        }
    }

    void SizeItem(int code, int x)
    {
        bool comp = code == viCOMPSIZE || code == viCOMPSIZEC;
        TCellColor color = comp ? TCellColor::CompSize : TCellColor::Size;
        int chars = ItemCharWidth(code, ctx_.cust);
        const char* tag = e_.IsServer      ? "<SRV>"
                          : e_.IsShare     ? "<SHR>"
                          : e_.IsDrive     ? "<DRV>"
                          : e_.IsDirectory() ? "<DIR>"
                                             : nullptr;
        if (tag) {
            Cell(x, chars, tagShown_ ? " " : tag, TCellAlign::Center, color);
            tagShown_ = true;
            return;
        }
        bool separators = code == viSIZEC || code == viCOMPSIZEC;
        Cell(x, chars, SizeCellText(comp ? e_.CompSize : e_.Size, chars, separators), TCellAlign::Right, color);
    }

    void TimeItem(int code, int x)
    {
        int group = (code - viCRDL) / 6, kind = (code - viCRDL) % 6;
        static const TCellColor colors[3] = {TCellColor::Creation, TCellColor::LastWrite, TCellColor::LastAccess};
        TDateTime dt = group == 0 ? e_.CreationTime : group == 1 ? e_.LastWriteTime : e_.LastAccessTime;
        Cell(x, kTimeWidths[kind], TimeCellText(kTimeKinds[kind], dt), TCellAlign::Left, colors[group]);
    }

    void AttrItem(int code, int x)
    {
        const char letters[5] = {e_.AttrR, e_.AttrH, e_.AttrS, e_.AttrA, e_.AttrC};
        int count = code == viATTRC ? 5 : 4;
        for (int i = 0; i < count; ++i) {
            int w = ctx_.metrics.attrLetterWidth[i];
            row_.cells.push_back(
                TPaneCell{x, w, std::string(1, letters[i]), TCellAlign::Left, TCellColor::Attr, TNameRules::None, {}});
            x += w;
        }
    }

    void AddItem(int code, int x)
    {
        if (IsLongItem(code) || IsShortItem(code)) NameItem(code, x);
        else if (IsTimeItem(code)) TimeItem(code, x);
        else if (code == viATTR || code == viATTRC) AttrItem(code, x);
        else if (code == viCOMPMTHD) Cell(x, 8, e_.Method, TCellAlign::Center);
        else if (code == viCRC) Cell(x, 8, IntToHex(e_.CRC, 8), TCellAlign::Center);
        else SizeItem(code, x);
    }

    const TFileInfo& e_;
    const TRowContext& ctx_;
    const int cw_;
    TRowLayout row_;
    bool seenLong_ = false, seenShort_ = false, tagShown_ = false;
};

}  // namespace

TRowLayout LayoutRow(const TFileInfo& entry, const TRowContext& ctx) { return TRowBuilder(entry, ctx).Build(); }
