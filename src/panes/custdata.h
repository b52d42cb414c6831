#pragma once
// A pane's customisation, copied whole from the settings: display items,
// column widths, texts, colours, the default sort set and listing switches.

#include <cstdint>
#include <string>

#include "panes/sortset.h"
#include "panes/viewitems.h"

// A colour value of -1 leaves the colour unchanged where it is applied.
using TColor = std::int32_t;
constexpr TColor kNoColor = -1;

struct TCustData {
    TViewItems VIEWITEMS = DefaultViewItems();
    std::int32_t LONGNAMELEN = 18, FILENAMELEN = 12, EXTLEN = 6, KETA = 10, COMPKETA = 10;
    std::string MARKCHAR = "*", CURRENTDIRSTR = ".", PARENTDIRSTR = "..";

    TColor SERVER = 16776960, SHARE = 65280, ROOTDRIVE = 65280, FILECOLOR = 16777215;
    TColor DIRCOLOR = 65280, COMPCOLOR = 12632256, READONLYCOLOR = 16776960, HIDDENCOLOR = 16711680,
           SYSTEMCOLOR = 16711935, ERRORCOLOR = 65535, SIZECOLOR = kNoColor, COMPSIZECOLOR = kNoColor,
           LWCOLOR = kNoColor, ACCOLOR = kNoColor, CRCOLOR = kNoColor, ATTRCOLOR = kNoColor, MARKCHARCOLOR = kNoColor;
    TColor BackSERVER = 0, BackSHARE = 0, BackROOTDRIVE = 0, BackFILECOLOR = 0;
    TColor BackDIRCOLOR = 0, BackCOMPCOLOR = 0, BackREADONLYCOLOR = 0, BackHIDDENCOLOR = 0, BackSYSTEMCOLOR = 0,
           BackERRORCOLOR = 0, BackSIZECOLOR = kNoColor, BackCOMPSIZECOLOR = kNoColor, BackLWCOLOR = kNoColor,
           BackACCOLOR = kNoColor, BackCRCOLOR = kNoColor, BackATTRCOLOR = kNoColor, BackMARKCHARCOLOR = kNoColor;
    TColor WindowColor = 0;
    bool ReverseColor = false, UseUnderLine = false;

    TSortSet SORTSETS = DefaultSortSet();
    bool MASKTYPE = false;  // true: name masks are wildcard masks; false: regular expressions
    bool SHOWCURRENTDIR = true, ROOTPROBLEM = true;
    std::uint8_t ShowIcon = 0;  // 0 none, 1 small (16 px), 2 large (32 px)
};

// The mask that lets every name through: "*.*" for wildcard masks, ".+"
// for regular expressions.
inline const char* OpenMask(bool wildcard) { return wildcard ? "*.*" : ".+"; }
