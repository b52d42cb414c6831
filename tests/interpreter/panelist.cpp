#include "interpreter/panelist.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "platform/format.h"

namespace {

std::vector<std::string_view> Split(std::string_view s, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        std::size_t end = s.find(separator, start);
        parts.push_back(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

bool ReadSize(std::string_view text, std::int64_t& size)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    return TryStrToInt64(text, size);
}

bool ReadAttributes(std::string_view letters, std::uint32_t& attributes)
{
    attributes = 0;
    for (char c : letters) {
        switch (c) {
        case 'D': attributes |= file_attr::kDirectory; break;
        case 'R': attributes |= file_attr::kReadOnly; break;
        case 'H': attributes |= file_attr::kHidden; break;
        case 'S': attributes |= file_attr::kSystem; break;
        case 'A': attributes |= file_attr::kArchive; break;
        default: return false;
        }
    }
    return true;
}

TFileInfo ParseEntry(std::string_view line, std::int32_t listIndex)
{
    std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() != 4) throw std::invalid_argument("four fields separated by tabs are needed");
    TFindData fd;
    fd.fileName = std::string(fields[0]);
    if (fd.fileName.empty()) throw std::invalid_argument("the name is empty");
    std::int64_t size = 0;
    if (!ReadSize(fields[1], size)) throw std::invalid_argument("bad size : " + std::string(fields[1]));
    fd.sizeHigh = static_cast<std::uint32_t>(static_cast<std::uint64_t>(size) >> 32);
    fd.sizeLow = static_cast<std::uint32_t>(size);
    if (!ReadAttributes(fields[2], fd.attributes))
        throw std::invalid_argument("bad attribute letters : " + std::string(fields[2]));
    TDateTime time = 0;
    if (!TryTextToDateTime(fields[3], time) || !DateTimeToFileTime(time, fd.lastWriteTime))
        throw std::invalid_argument("bad last-write time : " + std::string(fields[3]));
    fd.creationTime = fd.lastAccessTime = fd.lastWriteTime;
    return MakeFoundEntry(fd, listIndex);
}

}  // namespace

TListing ParsePaneList(std::string_view text)
{
    TListing listing;
    int lineNumber = 0;
    for (std::string_view line : Split(text, '\n')) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        try {
            TFileInfo e = ParseEntry(line, listing.entries.Count());
            listing.totalSize += e.Size;
            listing.entries.Add(std::move(e));
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument("line " + std::to_string(lineNumber) + " : " + error.what());
        }
    }
    return listing;
}

void ShowPaneList(TPaneState& pane, std::string_view text) { pane.ShowListing(ParsePaneList(text)); }
