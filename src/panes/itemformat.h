#pragma once
// What a pane row shows: the cells of its display items with their exact
// texts and places, the widths of the cells, and the column width of the
// multi-column list. Painting them is the pane control's work.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panes/custdata.h"
#include "panes/fileinfo.h"
#include "panes/viewitems.h"

// Text measurement in the pane's font (pixels).
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int AveCharWidth() const = 0;
    virtual int MaxCharWidth() const = 0;
};

// The widths a row needs, measured once whenever the column width is
// computed, so that laying out a row asks the font nothing.
struct TPaneMetrics {
    int charWidth = 10;      // one display character
    int markCharWidth = 10;  // MARKCHAR
    int attrLetterWidth[5] = {10, 10, 10, 10, 10};  // R, H, S, A, C
    int attrWidth = 40;      // "RHSA"
    int attrCWidth = 50;     // "RHSAC"
};

// ave when 2 x ave = max, else ave + (max - 2 x ave) / 2.
int CharWidthFrom(int ave, int max);
TPaneMetrics MeasurePane(const TTextMeasure& measure, const TCustData& cust);

// Width of an item's cell in display characters; 0 for the attribute items,
// which are as wide as their letters (AttrItemPixels).
int ItemCharWidth(int code, const TCustData& cust);
int AttrItemPixels(int code, const TPaneMetrics& m);
// Pixels before the first item taken by the icon: 18 small, 34 large, else 0.
int IconAdvance(int showIcon);
// The list box's column width for the items in use (at least viLFN).
int ColumnWidth(const TViewItems& items, const TCustData& cust, const TPaneMetrics& m);

// A name cut to width bytes: the first width - 1 bytes and "~", or, when
// that would split a double-byte character, width - 2 bytes and "~~".
std::string TruncateName(std::string_view name, int width);
// A size in a cell of width characters, right-aligned, with or without the
// locale's thousands separator. A size with more digits than the cell holds
// is shown in the smallest unit of 1024 (K, M, G, T, P, E) that fits,
// rounded up; "#" fills a cell too narrow for any of them.
std::string SizeCellText(std::int64_t size, int width, bool separators);

enum class TTimeText { Date4, Date2, HourMinSec, HourMin, Milliseconds, DosTime };
// " " for a time of 0; the "?" form when the time cannot be shown.
std::string TimeCellText(TTimeText kind, TDateTime dt);

enum class TCellAlign : std::uint8_t { Left, Right, Center };
// Which colour pair of the settings a cell is drawn in.
enum class TCellColor : std::uint8_t { Entry, Mark, Size, CompSize, Creation, LastWrite, LastAccess, Attr };
// Which name colour rules apply to a name cell, and to what text.
enum class TNameRules : std::uint8_t { None, Name, Body, Ext };

struct TPaneCell {
    int x = 0;      // pixels from the row's left edge
    int width = 0;  // pixels; the text is clipped to it
    std::string text;
    TCellAlign align = TCellAlign::Left;
    TCellColor color = TCellColor::Entry;
    TNameRules rules = TNameRules::None;
    std::string ruleText;  // the text the name rules match
};

struct TRowLayout {
    TPaneCell mark;     // MARKCHAR when marked, else empty; always its width
    int iconX = -1;     // -1 without icons
    int iconSize = 0;
    std::vector<TPaneCell> cells;
};

struct TRowContext {
    const TCustData& cust;
    const TViewItems& items;
    const TPaneMetrics& metrics;
    bool dirNoExt = false;
};

TRowLayout LayoutRow(const TFileInfo& entry, const TRowContext& ctx);
