#include "panes/entrytext.h"

std::string EntryFieldText(const TFileInfo& e, TEntryField field)
{
    switch (field) {
    case TEntryField::FileName: return e.FileName();
    case TEntryField::ShortName: return std::string(e.ShortName());
    case TEntryField::Attr: return {e.AttrR, e.AttrH, e.AttrS, e.AttrA, e.AttrD};
    case TEntryField::AttrC: return {e.AttrR, e.AttrH, e.AttrS, e.AttrA, e.AttrD, e.AttrC};
    case TEntryField::CrDateTime: return DateTimeToText(e.CreationTime);
    case TEntryField::LwDateTime: return DateTimeToText(e.LastWriteTime);
    case TEntryField::AcDateTime: return DateTimeToText(e.LastAccessTime);
    case TEntryField::FileType:
        if (e.IsServer) return "SERVER";
        if (e.IsShare) return "SHARE";
        if (e.IsDrive) return "ROOTDRIVE";
        return e.IsDirectory() ? "DIR" : "FILE";
    }
    return std::string();
}
