#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "script-format/binconst_catalog.h"
#include "script-format/vtlname.h"

namespace {

using bc::TBuiltinKind;

const char* KindName(TBuiltinKind kind)
{
    static const char* const names[] = {"SysNum",   "SysNumArray", "SysStr",  "SysStrArray",
                                        "CondFunc", "SysProc",     "DlgPart", "DlgItem"};
    return names[static_cast<int>(kind)];
}

bool HasSignature(TBuiltinKind kind)
{
    return kind == TBuiltinKind::CondFunc || kind == TBuiltinKind::SysProc;
}

TEST(Catalogue, CountsPerTable)
{
    const std::pair<TBuiltinKind, std::size_t> counts[] = {
        {TBuiltinKind::SysNum, 54},   {TBuiltinKind::SysNumArray, 11}, {TBuiltinKind::SysStr, 54},
        {TBuiltinKind::SysStrArray, 23}, {TBuiltinKind::CondFunc, 66}, {TBuiltinKind::SysProc, 469},
        {TBuiltinKind::DlgPart, 11},  {TBuiltinKind::DlgItem, 24},
    };
    for (auto [kind, count] : counts) EXPECT_EQ(bc::Builtins(kind).size(), count) << KindName(kind);
}

TEST(Catalogue, IdentifiersAndNamesAreUniqueAndInTheirClass)
{
    std::set<std::int32_t> allIds;
    for (TBuiltinKind kind : bc::kBuiltinKinds) {
        std::set<std::string> names;
        for (const bc::TBuiltin& b : bc::Builtins(kind)) {
            SCOPED_TRACE(std::string(KindName(kind)) + " " + std::string(b.name));
            EXPECT_EQ(bc::ClassOf(b.id), bc::BuiltinClass(kind));
            EXPECT_NE(bc::IndexOf(b.id), 0);
            EXPECT_TRUE(allIds.insert(b.id).second) << "identifier used twice";
            EXPECT_TRUE(names.insert(UpperName(b.name)).second) << "name used twice";
            // Both lookups lead back to the entry.
            EXPECT_EQ(bc::FindBuiltin(kind, UpperName(b.name)), &b);
            EXPECT_EQ(bc::FindBuiltinById(b.id), &b);
        }
    }
}

TEST(Catalogue, NamesCarryTheirTypePrefix)
{
    const std::pair<TBuiltinKind, const char*> prefixes[] = {
        {TBuiltinKind::SysNum, "#_"}, {TBuiltinKind::SysNumArray, "#_"},
        {TBuiltinKind::SysStr, "$_"}, {TBuiltinKind::SysStrArray, "$_"},
    };
    for (auto [kind, prefix] : prefixes)
        for (const bc::TBuiltin& b : bc::Builtins(kind)) EXPECT_EQ(b.name.substr(0, 2), prefix) << b.name;
}

TEST(Catalogue, SignaturesAreMadeOfArgumentLetters)
{
    for (TBuiltinKind kind : bc::kBuiltinKinds) {
        for (const bc::TBuiltin& b : bc::Builtins(kind)) {
            SCOPED_TRACE(std::string(b.name));
            if (!HasSignature(kind)) {
                EXPECT_TRUE(b.signature.empty());
                continue;
            }
            ASSERT_FALSE(b.signature.empty());
            if (b.signature == bc::kNoArgs) continue;
            for (char c : b.signature) EXPECT_NE(std::strchr(bc::kBuiltinArgLetters, c), nullptr) << c;
            // "-" stands only alone; F takes the rest of the arguments.
            EXPECT_EQ(b.signature.find('-'), std::string_view::npos);
            std::size_t f = b.signature.find('F');
            if (f != std::string_view::npos) {
                EXPECT_EQ(f, b.signature.size() - 1);
            }
        }
    }
}

TEST(Catalogue, ExamplesOfTheFormat)
{
    for (const char* name : {"setnum", "SETNUM", "SetNum"}) {
        const bc::TBuiltin* b = bc::FindBuiltin(TBuiltinKind::SysProc, name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->id, 0x00920231);
        EXPECT_EQ(b->signature, "VN");
    }
    EXPECT_EQ(bc::FindBuiltin(TBuiltinKind::SysProc, "Break")->id, 0x00920001);
    static_assert(bc::BuiltinId(TBuiltinKind::SysProc, "SetNum") == 0x00920231);
    static_assert(bc::BuiltinId(TBuiltinKind::SysNumArray, "#_FILESIZE") == 0x00490201);
    // A name of one kind is not found under another.
    EXPECT_EQ(bc::FindBuiltin(TBuiltinKind::CondFunc, "SetNum"), nullptr);
    EXPECT_EQ(bc::FindBuiltin(TBuiltinKind::SysProc, "SetNumX"), nullptr);
    EXPECT_EQ(bc::FindBuiltinById(0x00920000), nullptr);
}

TEST(Catalogue, SystemArraysWithTwoIndexes)
{
    std::set<std::string> twoIndexes;
    for (TBuiltinKind kind : {TBuiltinKind::SysNumArray, TBuiltinKind::SysStrArray})
        for (const bc::TBuiltin& b : bc::Builtins(kind))
            if (bc::TakesTwoIndexes(b.id)) twoIndexes.insert(std::string(b.name));
    const std::set<std::string> expected = {
        "#_FILESIZE", "$_FILENAME",    "$_FILEEXT", "$_FILENAMEEXT", "$_SFILENAME",  "$_SFILEEXT",   "$_SFILENAMEEXT",
        "$_ATTR",     "$_ATTRC",       "$_CRDATETIME", "$_LWDATETIME", "$_ACDATETIME", "$_FILESIZE", "$_FILESIZEC",
    };
    EXPECT_EQ(twoIndexes, expected);
    EXPECT_FALSE(bc::TakesTwoIndexes(0x004901FF));
    EXPECT_FALSE(bc::TakesTwoIndexes(0x00590080));
    // The class decides too: a system variable is no two-index array.
    EXPECT_FALSE(bc::TakesTwoIndexes(0x00510101));
}

TEST(Catalogue, OperatorAndTypedReturnWordsAreNoProcedures)
{
    // They share the procedures' class, so a clash would make VELK run the
    // wrong builtin.
    for (std::int32_t word : {bc::bcOpAdd, bc::bcOpSub, bc::bcOpMul, bc::bcOpDiv, bc::bcOpMod, bc::bcOpAnd, bc::bcOpOr,
                              bc::bcOpXor, bc::bcReturnInt, bc::bcReturnStr, bc::bcReturnBool})
        EXPECT_EQ(bc::FindBuiltinById(word), nullptr) << std::hex << word;
}

struct TSpotCheck {
    TBuiltinKind kind;
    const char* name;
    std::int32_t id;
    const char* signature;
};

// Typed from the catalogue's own text, apart from the table it guards:
// at least a few entries of every table and of every procedure group.
const TSpotCheck kSpotChecks[] = {
    // system numeric variables
    {TBuiltinKind::SysNum, "#_FILENUM", 0x00410001, ""},
    {TBuiltinKind::SysNum, "#_curdrvsize", 0x0041000D, ""},
    {TBuiltinKind::SysNum, "#_ALTBTMINDEX", 0x00410015, ""},
    {TBuiltinKind::SysNum, "#_NOACTIVEWINDOW", 0x00410025, ""},
    {TBuiltinKind::SysNum, "#_RESULT", 0x00410031, ""},
    {TBuiltinKind::SysNum, "#_KEYCODE", 0x00410039, ""},
    {TBuiltinKind::SysNum, "#_RAISENUM", 0x0041003F, ""},
    {TBuiltinKind::SysNum, "#_OSPLATFORM", 0x00410044, ""},
    {TBuiltinKind::SysNum, "#_SPLITTER_W", 0x00410058, ""},
    // system numeric arrays
    {TBuiltinKind::SysNumArray, "#_TOTALMARKSIZE", 0x00490002, ""},
    {TBuiltinKind::SysNumArray, "#_DRIVESIZE", 0x00490011, ""},
    {TBuiltinKind::SysNumArray, "#_NODIVDIREXT", 0x00490017, ""},
    {TBuiltinKind::SysNumArray, "#_FILER_H", 0x00490019, ""},
    {TBuiltinKind::SysNumArray, "#_FileSize", 0x00490201, ""},
    // system string variables
    {TBuiltinKind::SysStr, "$_CUR_FILENAME", 0x00510001, ""},
    {TBuiltinKind::SysStr, "$_CUR_ATTRC", 0x0051000B, ""},
    {TBuiltinKind::SysStr, "$_CUR_FILESYSTEM", 0x00510018, ""},
    {TBuiltinKind::SysStr, "$_ALT_ACDATETIME", 0x0051002A, ""},
    {TBuiltinKind::SysStr, "$_ALT_SDIRWITHOUTYEN", 0x00510037, ""},
    {TBuiltinKind::SysStr, "$_NOWERROR", 0x00510041, ""},
    {TBuiltinKind::SysStr, "$_RAISESTR", 0x0051004F, ""},
    {TBuiltinKind::SysStr, "$_keyset", 0x0051005F, ""},
    {TBuiltinKind::SysStr, "$_CRLF", 0x00510063, ""},
    // system string arrays
    {TBuiltinKind::SysStrArray, "$_DRIVE", 0x00590001, ""},
    {TBuiltinKind::SysStrArray, "$_BASEDIR", 0x00590009, ""},
    {TBuiltinKind::SysStrArray, "$_PARAMSTR", 0x00590080, ""},
    {TBuiltinKind::SysStrArray, "$_FILENAME", 0x00590101, ""},
    {TBuiltinKind::SysStrArray, "$_LWDATETIME", 0x0059010A, ""},
    {TBuiltinKind::SysStrArray, "$_FILESIZEC", 0x0059010D, ""},
    // condition functions
    {TBuiltinKind::CondFunc, "EqNum", 0x00800011, "NN"},
    {TBuiltinKind::CondFunc, "NotEqStr", 0x00800026, "SS"},
    {TBuiltinKind::CondFunc, "LsStrEx", 0x0080002A, "SSNN"},
    {TBuiltinKind::CondFunc, "NotEqText", 0x00800036, "SS"},
    {TBuiltinKind::CondFunc, "matchtext", 0x00800042, "SS"},
    {TBuiltinKind::CondFunc, "IsNeedPassword", 0x00800059, "S"},
    {TBuiltinKind::CondFunc, "IsMark", 0x00800061, "N"},
    {TBuiltinKind::CondFunc, "UseUnIso", 0x0080007F, "-"},
    {TBuiltinKind::CondFunc, "CheckArc", 0x0080008B, "SSSN"},
    {TBuiltinKind::CondFunc, "CheckIso", 0x0080008C, "SN"},
    {TBuiltinKind::CondFunc, "IsKeyPressed", 0x008000A1, "NN"},
    {TBuiltinKind::CondFunc, "CheckWildCard", 0x008000A3, "S"},
    // dialog parts and items
    {TBuiltinKind::DlgPart, "DIALOG", 0x00D10001, ""},
    {TBuiltinKind::DlgPart, "RadioButton", 0x00D10005, ""},
    {TBuiltinKind::DlgPart, "GROUPBOX", 0x00D1000A, ""},
    {TBuiltinKind::DlgPart, "LISTBOX", 0x00D1000B, ""},
    {TBuiltinKind::DlgItem, "SIZE", 0x00D20001, ""},
    {TBuiltinKind::DlgItem, "COLUMN", 0x00D2000A, ""},
    {TBuiltinKind::DlgItem, "focus", 0x00D2000F, ""},
    {TBuiltinKind::DlgItem, "ONEKEY", 0x00D20014, ""},
    {TBuiltinKind::DlgItem, "AUTOSEL", 0x00D20018, ""},
    // control and media
    {TBuiltinKind::SysProc, "Break", 0x00920001, "-"},
    {TBuiltinKind::SysProc, "Return", 0x00920005, "N"},
    {TBuiltinKind::SysProc, "Raise", 0x00920007, "SN"},
    {TBuiltinKind::SysProc, "ForceEject", 0x0092000E, "S"},
    {TBuiltinKind::SysProc, "Eject", 0x00920010, "S"},
    // directories, drives and network
    {TBuiltinKind::SysProc, "InputDir", 0x00920012, "TSSN"},
    {TBuiltinKind::SysProc, "GetFilenameCompleteKey", 0x0092001C, "VV"},
    {TBuiltinKind::SysProc, "ConnectNetEx", 0x00920023, "SSSSNN"},
    {TBuiltinKind::SysProc, "GetMyComputerName", 0x00920028, "T"},
    // cursor
    {TBuiltinKind::SysProc, "CursorLeft", 0x00920031, "-"},
    {TBuiltinKind::SysProc, "SetCursor", 0x00920039, "N"},
    // arrays
    {TBuiltinKind::SysProc, "GetMaxIndex", 0x00920041, "VW"},
    {TBuiltinKind::SysProc, "ToStrArray", 0x00920043, "ZNS"},
    {TBuiltinKind::SysProc, "ToLines", 0x00920044, "TY"},
    // marks
    {TBuiltinKind::SysProc, "MarkTrigger", 0x00920053, "N"},
    {TBuiltinKind::SysProc, "MarkMatchTextTrigger", 0x0092005B, "SN"},
    {TBuiltinKind::SysProc, "InputRegMark", 0x0092005E, "TVS"},
    // file operations
    {TBuiltinKind::SysProc, "MaskCopy", 0x00920061, "SSSSNNN"},
    {TBuiltinKind::SysProc, "ForceMoveNoCheck", 0x0092006C, "N"},
    {TBuiltinKind::SysProc, "CopyEx2", 0x00920079, "SSN"},
    {TBuiltinKind::SysProc, "Rename", 0x00920085, "SSN"},
    {TBuiltinKind::SysProc, "GetFileSize", 0x0092008F, "VS"},
    {TBuiltinKind::SysProc, "ReadTextFileEx", 0x00920094, "TSNN"},
    {TBuiltinKind::SysProc, "SetDTSp", 0x0092009B, "SSSS"},
    {TBuiltinKind::SysProc, "ListUpDir", 0x0092009F, "TS"},
    // program execution
    {TBuiltinKind::SysProc, "Exec", 0x009200A1, "SSNN"},
    {TBuiltinKind::SysProc, "InputExec", 0x009200A3, "TVVS"},
    {TBuiltinKind::SysProc, "RunAsSp", 0x009200A8, "SSN"},
    // archives
    {TBuiltinKind::SysProc, "Unlha", 0x009200B1, "S"},
    {TBuiltinKind::SysProc, "ArcDll", 0x009200BF, "SSS"},
    {TBuiltinKind::SysProc, "UnIso", 0x009200C0, "S"},
    {TBuiltinKind::SysProc, "UnIsoVer", 0x009200CF, "V"},
    {TBuiltinKind::SysProc, "LzhList", 0x009200D1, "ZSSNN"},
    {TBuiltinKind::SysProc, "ArcList", 0x009200DA, "SSSZSSNN"},
    {TBuiltinKind::SysProc, "ArcDllVersions", 0x009200DF, "SSVV"},
    {TBuiltinKind::SysProc, "UnIsoSubVer", 0x009200E5, "V"},
    // file search
    {TBuiltinKind::SysProc, "FileFindStr", 0x009200F1, "VSNN"},
    {TBuiltinKind::SysProc, "FileFindMaskText", 0x009200F4, "VSNN"},
    // file lists and refresh
    {TBuiltinKind::SysProc, "GetListFILENAME", 0x00920101, "NTN"},
    {TBuiltinKind::SysProc, "GetMarkFILETYPE", 0x00920118, "NTN"},
    {TBuiltinKind::SysProc, "ReloadMarkInfo", 0x0092011F, "N"},
    // SSTP
    {TBuiltinKind::SysProc, "SSTPSend", 0x009201C1, "VTSSSNN"},
    // file names and histories
    {TBuiltinKind::SysProc, "GetLongName", 0x009201E1, "TS"},
    {TBuiltinKind::SysProc, "GetSpecialDirEx", 0x009201F0, "TN"},
    {TBuiltinKind::SysProc, "SetRegHist", 0x009201FA, "S"},
    // strings and numbers
    {TBuiltinKind::SysProc, "SetStr", 0x00920201, "TS"},
    {TBuiltinKind::SysProc, "AddStr", 0x00920202, "TA"},
    {TBuiltinKind::SysProc, "CharToInt", 0x0092020C, "VSNNN"},
    {TBuiltinKind::SysProc, "SortLine", 0x0092021D, "TNNN"},
    {TBuiltinKind::SysProc, "SetNum", 0x00920231, "VN"},
    {TBuiltinKind::SysProc, "CalcNum", 0x00920232, "VN+N"},
    // numbers
    {TBuiltinKind::SysProc, "NotNum", 0x0092023B, "VN"},
    {TBuiltinKind::SysProc, "StrToInt", 0x0092023F, "VS"},
    // menus and selections
    {TBuiltinKind::SysProc, "Menu", 0x00920241, "NNSA"},
    {TBuiltinKind::SysProc, "SelectNum", 0x00920255, "NI"},
    {TBuiltinKind::SysProc, "SelectMaskText", 0x00920257, "SC"},
    // pane settings and key data
    {TBuiltinKind::SysProc, "SetSortSets", 0x00920261, "S"},
    {TBuiltinKind::SysProc, "ReloadKeyData", 0x00920279, "SN"},
    {TBuiltinKind::SysProc, "ChangeKeySet", 0x0092027C, "S"},
    {TBuiltinKind::SysProc, "SetVELKFont", 0x0092027E, "SN"},
    // message boxes, input and splash
    {TBuiltinKind::SysProc, "MsgBox", 0x00920281, "SSNF"},
    {TBuiltinKind::SysProc, "MsgBoxEx", 0x00920282, "NSSNF"},
    {TBuiltinKind::SysProc, "ShowSplash", 0x00920296, "SSNNNNNNNF"},
    {TBuiltinKind::SysProc, "SetSplashBtnMsg", 0x0092029F, "NS"},
    // window and colours
    {TBuiltinKind::SysProc, "WindowTrigger", 0x009202A1, "-"},
    {TBuiltinKind::SysProc, "AddAttrColor", 0x009202AB, "NSNN"},
    {TBuiltinKind::SysProc, "AddFileExtColor", 0x009202AF, "SNN"},
    // program, system and view settings
    {TBuiltinKind::SysProc, "QuitVELK", 0x009202B1, "N"},
    {TBuiltinKind::SysProc, "SuspendState", 0x009202C0, "NNN"},
    {TBuiltinKind::SysProc, "GetIniDataStr", 0x009202CA, "TSSSS"},
    {TBuiltinKind::SysProc, "GetCursorRect", 0x009202DB, "NVVVV"},
    {TBuiltinKind::SysProc, "SetTinyMsgWithTimer", 0x009202E0, "SNN"},
    {TBuiltinKind::SysProc, "LoadPackGraphic", 0x009202EE, "NSS"},
    {TBuiltinKind::SysProc, "SetInfoFont", 0x009202FF, "SN"},
    // archives, masks, hashes, menus
    {TBuiltinKind::SysProc, "SetArchive", 0x00920300, "NSSN"},
    {TBuiltinKind::SysProc, "MinimamEx", 0x00920350, "-"},
    {TBuiltinKind::SysProc, "CalcCRC32", 0x00920378, "VS"},
    {TBuiltinKind::SysProc, "PopupMenu", 0x0092037B, "YNNN"},
    {TBuiltinKind::SysProc, "CloseITV", 0x00920384, "N"},
    // inner text viewer
    {TBuiltinKind::SysProc, "SetITVColor", 0x00920394, "NNNNNNNNN"},
    {TBuiltinKind::SysProc, "GetITVColor", 0x00920395, "NVVVVVVVV"},
    {TBuiltinKind::SysProc, "CurScrollITV", 0x009203A8, "NN"},
    {TBuiltinKind::SysProc, "GetSelectInfoITV", 0x009203C4, "NVVVVV"},
    {TBuiltinKind::SysProc, "FindUpITV", 0x009203D3, "NVVV"},
    // log-on
    {TBuiltinKind::SysProc, "LockWorkStation", 0x009203F0, "-"},
    {TBuiltinKind::SysProc, "LogonUser", 0x009203F1, "SSS"},
    {TBuiltinKind::SysProc, "RevertToSelf", 0x009203F2, "-"},
};

TEST(Catalogue, SpotChecksOfTheTranscription)
{
    for (const TSpotCheck& c : kSpotChecks) {
        const bc::TBuiltin* b = bc::FindBuiltin(c.kind, c.name);
        ASSERT_NE(b, nullptr) << KindName(c.kind) << " " << c.name;
        EXPECT_EQ(b->id, c.id) << c.name;
        EXPECT_EQ(b->signature, c.signature) << c.name;
    }
}

}  // namespace
