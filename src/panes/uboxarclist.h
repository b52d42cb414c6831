#pragma once
// The directory tree of an open archive: each level is a list of path
// components kept sorted by the file-name comparison, each with its node.

#include <memory>
#include <string_view>

#include "panes/fileinfo.h"
#include "panes/textlist.h"

class TUBoxArcList;

// A member or directory of the archive. A node may take the data of a
// later listing of its name once (Replaceable): a directory made for a
// deeper path takes the data of the directory's own listing, and of a file
// listed several times the second listing is shown.
struct TArcFileInfo : TFileInfo {
    std::unique_ptr<TUBoxArcList> Children;  // set on directory nodes
    bool Replaceable = true;
    bool IsDirNode() const { return Children != nullptr; }
};

class TUBoxArcList : public TTextList<std::unique_ptr<TArcFileInfo>> {
public:
    TUBoxArcList();

    // Adds a member by its path inside the archive ("/", "\" and the byte
    // 0xFF separate components; leading and trailing separators and empty
    // components are dropped). Missing directories on the way are made.
    void AddPath(std::string_view path, const TArcEntryData& data);
    // The level of a directory inside the archive: this one for an empty
    // path; nullptr when a component is missing or is not a directory.
    const TUBoxArcList* FindLevel(std::string_view innerPath) const;

    TArcFileInfo& Node(int i) { return *Object(i); }
    const TArcFileInfo& Node(int i) const { return *Object(i); }
};

// The components of a path inside an archive, as AddPath reads them.
std::vector<std::string> ArchivePathComponents(std::string_view path);
