#pragma once
// How the file-name builtins cut full paths: directory and name, name and
// extension, the first levels of a path, and one path relative to another.
// Paths are byte strings in code page 932; double-byte characters are
// stepped over, so a trail byte 0x5C is never a separator.

#include <string>
#include <string_view>

struct TPathAndName {
    std::string dir;
    std::string name;
};
// The directory part up to the last "\" or ":", without that backslash
// unless it follows a ":" or another backslash (a root), and the name.
TPathAndName DivPathAndName(std::string_view path);

struct TNameAndExt {
    std::string name;
    std::string ext;
};
// The last component split into name and extension (the extension with its
// dot; a name whose only dot is its first byte has none); with wholeName
// the component is not split.
TNameAndExt DivNameAndExt(std::string_view path, bool wholeName);

// The path cut after its level-th directory: level 0 (or below) is the root,
// "C:\" of a drive path or "\\server\share" of a UNC path; a path with fewer
// levels is returned whole.
std::string ExtractDirLevel(std::string_view path, int level);

// target written relative to the directory base: one "..\" for each level
// of base below the part both share, then the rest of target. Paths on
// different volumes give target unchanged.
std::string RelativeName(std::string_view base, std::string_view target);
