#pragma once
// Key-assign files that use every statement kind, for the fuzz test and
// the benchmarks.

#include <string>
#include <vector>

// Programs with globals, routines of every kind, bindings in two sets,
// #PREKEY, #INIT and #DONE.
std::vector<std::string> SeedPrograms();
