#include "panes/fileinfo.h"

#include <cstring>

#include "platform/sjis.h"
#include "platform/textcase.h"

namespace {

// The longest prefix of at most max bytes that ends on a character boundary.
std::string_view CutAtCharBoundary(std::string_view s, std::size_t max)
{
    if (s.size() <= max) return s;
    std::size_t end = 0;
    while (end < s.size()) {
        std::size_t next = end + SjisCharLength(s, end);
        if (next > max) break;
        end = next;
    }
    return s.substr(0, end);
}

// A search result's name is unshowable when the code page had no form for
// one of its characters (the conversion put "?" there), or, from a wide
// search, when its code-page form is too long for the narrow calls.
bool UnshowableName(const TFindData& fd)
{
    return SjisFind(fd.fileName, "?") != std::string_view::npos || (fd.fromWide && fd.fileName.size() > MAX_PATH);
}

TDateTime OptionalTime(const FILETIME& ft)
{
    if (ft.dwLowDateTime == 0 || ft.dwHighDateTime == 0) return 0;
    return FileTimeToDateTime(ft, 0);
}

}  // namespace

TFindData FindDataFromNarrow(const WIN32_FIND_DATAA& fd)
{
    TFindData d;
    d.attributes = fd.dwFileAttributes;
    d.creationTime = fd.ftCreationTime;
    d.lastAccessTime = fd.ftLastAccessTime;
    d.lastWriteTime = fd.ftLastWriteTime;
    d.sizeHigh = fd.nFileSizeHigh;
    d.sizeLow = fd.nFileSizeLow;
    d.fileName = fd.cFileName;
    d.alternateName = fd.cAlternateFileName;
    return d;
}

TFindData FindDataFromWide(const WIN32_FIND_DATAW& fd)
{
    TFindData d;
    d.attributes = fd.dwFileAttributes;
    d.creationTime = fd.ftCreationTime;
    d.lastAccessTime = fd.ftLastAccessTime;
    d.lastWriteTime = fd.ftLastWriteTime;
    d.sizeHigh = fd.nFileSizeHigh;
    d.sizeLow = fd.nFileSizeLow;
    d.fileName = WideToSjis(fd.cFileName);
    d.alternateName = WideToSjis(fd.cAlternateFileName);
    d.fromWide = true;
    return d;
}

std::size_t ExtensionStart(std::string_view name)
{
    return name.size() - SjisExtractFileExt(name).size();
}

void TFileInfo::SetFileName(std::string name)
{
    fileName_ = std::move(name);
    lowerName_ = SjisLowerCase(fileName_);
    extPos_ = static_cast<std::uint32_t>(ExtensionStart(fileName_));
}

void TFileInfo::SetShortName(std::string_view name)
{
    std::string_view cut = CutAtCharBoundary(name, kShortNameMax);
    std::memcpy(shortName_, cut.data(), cut.size());
    shortLength_ = static_cast<std::uint8_t>(cut.size());
}

std::uint32_t TFileInfo::AttributeWord() const
{
    using namespace file_attr;
    return (AttrR == 'R' ? kReadOnly : 0) | (AttrH == 'H' ? kHidden : 0) | (AttrS == 'S' ? kSystem : 0) |
           (AttrA == 'A' ? kArchive : 0) | (AttrC == 'C' ? kCompressed : 0) | (AttrD == 'D' ? kDirectory : 0);
}

bool SameEntry(const TFileInfo& a, const TFileInfo& b)
{
    return a.FileName() == b.FileName() && a.ListIndex == b.ListIndex && a.AttrR == b.AttrR && a.AttrH == b.AttrH &&
           a.AttrS == b.AttrS && a.AttrA == b.AttrA && a.AttrC == b.AttrC && a.AttrD == b.AttrD && a.Size == b.Size &&
           a.CreationTime == b.CreationTime && a.LastAccessTime == b.LastAccessTime &&
           a.LastWriteTime == b.LastWriteTime && a.ShortName() == b.ShortName() && a.Method == b.Method &&
           a.CompSize == b.CompSize && a.CRC == b.CRC;
}

void SetAttributeChars(TFileInfo& e, std::uint32_t attributes)
{
    using namespace file_attr;
    e.AttrR = attributes & kReadOnly ? 'R' : '_';
    e.AttrH = attributes & kHidden ? 'H' : '_';
    e.AttrS = attributes & kSystem ? 'S' : '_';
    e.AttrA = attributes & kArchive ? 'A' : '_';
    e.AttrC = attributes & kCompressed ? 'C' : '_';
    e.AttrD = attributes & kDirectory ? 'D' : '_';
}

TFileInfo MakeFoundEntry(const TFindData& fd, std::int32_t listIndex)
{
    TFileInfo e;
    e.ListIndex = listIndex;
    SetAttributeChars(e, fd.attributes);
    if (!e.IsDirectory()) e.Size = static_cast<std::int64_t>((std::uint64_t{fd.sizeHigh} << 32) | fd.sizeLow);
    bool useShort = UnshowableName(fd) && !fd.alternateName.empty();
    e.SetFileName(useShort ? fd.alternateName : fd.fileName);
    e.SetShortName(SjisUpperCase(fd.alternateName.empty() ? e.FileName() : fd.alternateName));
    e.IsCurDir = e.FileName() == ".";
    e.IsParentDir = e.FileName() == "..";
    e.LastWriteTime = FileTimeToDateTime(fd.lastWriteTime, kDefaultLastWriteTime);
    e.CreationTime = OptionalTime(fd.creationTime);
    e.LastAccessTime = OptionalTime(fd.lastAccessTime);
    return e;
}

namespace {
TFileInfo MakeLinkEntry(const char* name)
{
    TFileInfo e;
    e.SetFileName(name);
    e.SetShortName(name);
    e.AttrD = 'D';
    e.LastWriteTime = 0;
    return e;
}
}  // namespace

TFileInfo MakeCurDirEntry()
{
    TFileInfo e = MakeLinkEntry(".");
    e.IsCurDir = true;
    return e;
}

TFileInfo MakeParentDirEntry()
{
    TFileInfo e = MakeLinkEntry("..");
    e.IsParentDir = true;
    return e;
}

TFileInfo MakeServerEntry(std::string_view serverPath)
{
    TFileInfo e;
    e.SetFileName(std::string(serverPath));
    e.IsServer = true;
    return e;
}

TFileInfo MakeShareEntry(std::string_view uncPath, std::int64_t totalSize)
{
    TFileInfo e;
    e.SetFileName(SjisExtractFileName(SjisExcludeTrailingBackslash(uncPath)));
    e.IsShare = true;
    e.Size = totalSize;
    return e;
}

TFileInfo MakeDriveEntry(std::string_view root, std::int64_t totalSize)
{
    TFileInfo e;
    e.SetFileName(std::string(root));
    e.IsDrive = true;
    e.Size = totalSize;
    return e;
}

TFileInfo MakeArchiveEntry(const TArcEntryData& data)
{
    TFileInfo e;
    e.SetFileName(data.name);
    e.SetShortName(data.name);
    e.ListIndex = data.listIndex;
    e.CRC = data.crc;
    e.Method = data.method;
    e.CreationTime = data.creationTime;
    e.LastAccessTime = data.lastAccessTime;
    e.LastWriteTime = data.lastWriteTime;
    e.CompSize = data.compSize;
    e.Size = data.size;
    if (data.isDirectory) e.AttrD = 'D';
    return e;
}
