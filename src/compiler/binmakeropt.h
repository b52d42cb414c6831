#pragma once

#include <string>

// What the driver hands to the compiler (copied by value).
struct TBinMakerOpt {
    std::string IncPath;  // directories separated by ";"
    std::string SrcName;  // full path of the main source
    std::string BinName;  // full path of the key-assign file to write
    bool ListMode = false;
    bool Verbose = false;
};
