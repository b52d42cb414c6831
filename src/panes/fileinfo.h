#pragma once
// One listed item of a pane: a file or directory, a drive, a network server
// or share, a member of an archive, or one of the links "." and "..".

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/datetime.h"

// 1980-01-01 00:00, the last-write time of an entry whose time is unknown.
constexpr TDateTime kDefaultLastWriteTime = 29221.0;

// What a directory search returns, in code page 932. Entries are made from
// this record so that they can be made without a file system.
struct TFindData {
    std::uint32_t attributes = 0;
    FILETIME creationTime{};
    FILETIME lastAccessTime{};
    FILETIME lastWriteTime{};
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;
    std::string fileName;
    std::string alternateName;  // the 8.3 name; empty when there is none
    // Converted from a wide search result: a name longer than the code page
    // allows then counts as unshowable, as one with "?" does.
    bool fromWide = false;
};

TFindData FindDataFromNarrow(const WIN32_FIND_DATAA& fd);
TFindData FindDataFromWide(const WIN32_FIND_DATAW& fd);

// An archive member as a lister reports it.
struct TArcEntryData {
    std::string name;
    std::int32_t listIndex = 0;
    std::uint32_t crc = 0;
    std::string method;
    TDateTime creationTime = 0, lastAccessTime = 0, lastWriteTime = 0;
    std::int64_t compSize = 0;
    std::int64_t size = 0;
    bool isDirectory = false;
};

// Attribute words of directory searches.
namespace file_attr {
constexpr std::uint32_t kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kDirectory = 0x10, kArchive = 0x20,
                        kCompressed = 0x800;
}

class TFileInfo {
public:
    static constexpr std::size_t kShortNameMax = 12;

    // The fresh record: attributes '_', ListIndex -1, last write 1980-01-01.
    TFileInfo() = default;

    const std::string& FileName() const { return fileName_; }
    // The name without its extension and the extension with its dot, both
    // lower-cased by the file-name rules (ASCII letters only).
    std::string_view LowerBody() const { return std::string_view(lowerName_).substr(0, extPos_); }
    std::string_view LowerExt() const { return std::string_view(lowerName_).substr(extPos_); }
    // The whole name lower-cased (LowerBody followed by LowerExt).
    const std::string& LowerName() const { return lowerName_; }
    void SetFileName(std::string name);

    std::string_view ShortName() const { return std::string_view(shortName_, shortLength_); }
    // Cut to 12 bytes, never through a double-byte character.
    void SetShortName(std::string_view name);

    bool IsDirectory() const { return AttrD == 'D'; }
    // ".", "..", drives, servers and shares: never marked.
    bool IsSpecial() const { return IsCurDir || IsParentDir || IsServer || IsShare || IsDrive; }
    // The attribute word these characters stand for.
    std::uint32_t AttributeWord() const;

    std::int32_t ListIndex = -1;
    char AttrR = '_', AttrH = '_', AttrS = '_', AttrA = '_', AttrC = '_', AttrD = '_';
    std::int64_t Size = 0;
    TDateTime CreationTime = 0, LastAccessTime = 0, LastWriteTime = kDefaultLastWriteTime;
    bool IsCurDir = false, IsParentDir = false, IsServer = false, IsShare = false, IsDrive = false, Marked = false;
    std::string Method;
    std::int64_t CompSize = 0;
    std::uint32_t CRC = 0;

private:
    std::string fileName_;
    std::string lowerName_;
    std::uint32_t extPos_ = 0;
    std::uint8_t shortLength_ = 0;
    char shortName_[kShortNameMax] = {};
};

// Equal for change detection: name (exact case), reading position,
// attributes, sizes, times, short name and the archive fields; kind flags
// and marks do not count.
bool SameEntry(const TFileInfo& a, const TFileInfo& b);

// The name split: the extension runs from the last dot of the last path
// component, dot included; a last component that begins with its only dot
// has none. Returns the index where the extension starts.
std::size_t ExtensionStart(std::string_view name);

// The construction variants.
TFileInfo MakeFoundEntry(const TFindData& fd, std::int32_t listIndex);
TFileInfo MakeCurDirEntry();
TFileInfo MakeParentDirEntry();
TFileInfo MakeServerEntry(std::string_view serverPath);
// totalSize: the capacity of the share's or drive's disk, 0 when unknown.
TFileInfo MakeShareEntry(std::string_view uncPath, std::int64_t totalSize);
TFileInfo MakeDriveEntry(std::string_view root, std::int64_t totalSize);
TFileInfo MakeArchiveEntry(const TArcEntryData& data);
void SetAttributeChars(TFileInfo& e, std::uint32_t attributes);
