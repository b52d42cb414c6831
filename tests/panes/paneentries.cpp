#include "paneentries.h"

TDateTime LocalTime(int year, int month, int day, int hour, int minute, int second, int ms)
{
    TDateTimeParts p{year, month, day, hour, minute, second, ms};
    TDateTime dt = 0;
    TryEncodeDateTime(p, dt);
    return dt;
}

FILETIME FileTimeOf(TDateTime local)
{
    FILETIME ft{};
    DateTimeToFileTime(local, ft);
    return ft;
}

TFileInfo FileEntry(const std::string& name, std::int64_t size, std::uint32_t attributes, const std::string& shortName)
{
    TFindData fd;
    fd.fileName = name;
    fd.alternateName = shortName;
    fd.attributes = attributes;
    fd.sizeHigh = static_cast<std::uint32_t>(static_cast<std::uint64_t>(size) >> 32);
    fd.sizeLow = static_cast<std::uint32_t>(size);
    fd.lastWriteTime = FileTimeOf(LocalTime(2020, 5, 6, 7, 8, 9));
    return MakeFoundEntry(fd, 0);
}

TFileInfo DirEntry(const std::string& name, std::uint32_t attributes)
{
    return FileEntry(name, 0, attributes | file_attr::kDirectory);
}

TListing ListingOf(std::vector<TFileInfo> entries)
{
    TListing listing;
    std::int32_t index = 0;
    for (TFileInfo& e : entries) {
        e.ListIndex = index++;
        listing.totalSize += e.Size;
        listing.entries.Add(std::move(e));
    }
    return listing;
}

std::string NamesOf(const TUBoxList& list)
{
    std::string out;
    for (int i = 0; i < list.Count(); ++i) out += (i ? " " : "") + list[i].FileName();
    return out;
}

std::string MarkedNames(const TPaneState& pane)
{
    std::string out;
    for (int i = 0; i < pane.EntryCount(); ++i)
        if (pane.IsMarked(i)) out += (out.empty() ? "" : " ") + pane.EntryAt(i)->FileName();
    return out;
}
