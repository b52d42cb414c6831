#pragma once
// Listings for the test host's panes, read from a list text: one entry per
// line (LF or CR LF; blank lines are skipped), four fields separated by
// tabs: the long name, the size in bytes, the attribute letters (any of
// D R H S A, D for a directory; none for a plain file) and the last-write
// time as "yyyy/mm/dd hh:nn:ss". The names "." and ".." are the links.
// Creation and last-access times equal the last-write time.

#include <string_view>

#include "panes/panestate.h"

// Entries in the order of the text; a malformed line raises
// std::invalid_argument with a message naming the line.
TListing ParsePaneList(std::string_view text);

// Shows the listing in the pane as a change of directory does: sorted by
// the pane's sort set, nothing marked, the cursor on the first entry.
void ShowPaneList(TPaneState& pane, std::string_view text);
