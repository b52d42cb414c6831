#pragma once
// Display items: the columns of a pane row, as a list of up to 16 item
// codes, and their text form ("viLFNE,viSIZE").

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum TViewItem : std::uint8_t {
    viNONE = 0,  // ends a list shorter than 16
    viLFN,
    viLFNE,
    viSFN,
    viSFNE,
    viSIZE,
    viSIZEC,
    viCRDL,
    viCRDS,
    viCRTL,
    viCRTS,
    viCRTLL,
    viCRTD,
    viLWDL,
    viLWDS,
    viLWTL,
    viLWTS,
    viLWTLL,
    viLWTD,
    viACDL,
    viACDS,
    viACTL,
    viACTS,
    viACTLL,
    viACTD,
    viATTR,
    viATTRC,
    viCOMPSIZE,
    viCOMPSIZEC,
    viCOMPMTHD,
    viCRC,
};
constexpr int kViewItemCodes = 31;  // 0..30
constexpr int kViewItemSlots = 16;
using TViewItems = std::array<std::uint8_t, kViewItemSlots>;

bool IsViewItem(int code);  // 1..30
// "viLFN", ...; nullptr for a code that is no item.
const char* ViewItemName(int code);
// The view-item dialog's label of an item ("長いファイル名", ...).
const char* ViewItemLabel(int code);

// "viLFNE,viSIZE,viLWDS,viLWTS".
TViewItems DefaultViewItems();
// At most 16 items of a comma list; a word that is no item name ends the
// list there; a list without a first item is viLFN alone.
TViewItems ParseViewItems(std::string_view text);
// The names joined by commas, followed by "viNONE" when the list is shorter
// than 16; "viLFN" for an empty list.
std::string ViewItemsText(const TViewItems& items);
// The codes agree up to and including the first 0, or over all 16.
bool SameViewItems(const TViewItems& a, const TViewItems& b);
// The number of items in use: up to the first code that is no item.
int ViewItemCount(const TViewItems& items);
