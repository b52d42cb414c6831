#pragma once
// Dialog bodies: a sequence of parts, each its part word, its items and
// bcDialogPartEnd. What follows an item's word depends on the item and,
// for RESULT and DEFAULT, on the part; the compiler that writes a body and
// the interpreter that reads it share this one rule.

#include <cstdint>
#include <string_view>

#include "script-format/binconst_catalog.h"

namespace bc {

consteval std::int32_t DialogPartId(std::string_view name) { return BuiltinId(TBuiltinKind::DlgPart, name); }
consteval std::int32_t DialogItemId(std::string_view name) { return BuiltinId(TBuiltinKind::DlgItem, name); }
// SIZE is item 1 ... AUTOSEL item 24.
constexpr int DialogItemNumber(std::int32_t itemId) { return itemId - (ccDialogItem << 16); }

// The values after an item's word, as argument letters: N a numeric
// expression, S a string expression, V or T a reference to a numeric or
// string variable of the program. FOCUS has none.
constexpr std::string_view DialogItemValues(std::int32_t partId, std::int32_t itemId)
{
    const bool textPart = partId == DialogPartId("EDIT") || partId == DialogPartId("COMBOBOX") ||
                          partId == DialogPartId("MEMO");
    if (itemId == DialogItemId("SIZE") || itemId == DialogItemId("CLIENTSIZE")) return "NNNN";
    if (itemId == DialogItemId("FONT")) return "SN";
    if (itemId == DialogItemId("RESULT")) return textPart || partId == DialogPartId("LISTBOX") ? "T" : "V";
    if (itemId == DialogItemId("DEFAULT")) return textPart ? "S" : "N";
    if (itemId == DialogItemId("MASK") || itemId == DialogItemId("HISTORY") || itemId == DialogItemId("CAPTION") ||
        itemId == DialogItemId("ITEMS"))
        return "S";
    if (itemId == DialogItemId("FOCUS")) return "";
    return "N";
}

}  // namespace bc
