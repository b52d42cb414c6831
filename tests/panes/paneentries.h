#pragma once
// Entries and listings for pane tests, made through the real construction
// from search results.

#include <cstdint>
#include <string>
#include <vector>

#include "panes/fileinfo.h"
#include "panes/panestate.h"

// A local date-time.
TDateTime LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0);
FILETIME FileTimeOf(TDateTime local);

TFileInfo FileEntry(const std::string& name, std::int64_t size = 0, std::uint32_t attributes = file_attr::kArchive,
                    const std::string& shortName = "");
TFileInfo DirEntry(const std::string& name, std::uint32_t attributes = 0);

// The entries in reading order (ListIndex 0, 1, ...) with their total size.
TListing ListingOf(std::vector<TFileInfo> entries);
// The names of a list in order, joined by blanks.
std::string NamesOf(const TUBoxList& list);
// The names of the marked entries, joined by blanks.
std::string MarkedNames(const TPaneState& pane);
