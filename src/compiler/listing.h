#pragma once
// The /L listing, printed just before the key-assign file is written:
// globals with their values, routines with the kinds of their parameters,
// and the bindings of every key set.

#include <string>
#include <string_view>

#include "compiler/console.h"
#include "compiler/keyfile.h"

void WriteListing(const TProgramTables& tables, TConsole& console);

// Parameter kinds of argument letters as the listing shows them: the
// letters NVS give "#, VAR #, $".
std::string ListedParameters(std::string_view letters);
