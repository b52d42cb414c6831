#pragma once
// The texts of an entry's fields that builtins hand to a VTL program: long
// and short name, attribute letters, times and the kind of entry.

#include <string>

#include "panes/fileinfo.h"

enum class TEntryField {
    FileName,    // the long name
    ShortName,   // the 8.3 name
    Attr,        // R H S A D, each the letter or "_"
    AttrC,       // the five above and C
    CrDateTime,  // "yyyy/mm/dd hh:nn:ss"
    LwDateTime,
    AcDateTime,
    FileType,  // "SERVER", "SHARE", "ROOTDRIVE", "DIR" or "FILE"
};

std::string EntryFieldText(const TFileInfo& e, TEntryField field);
