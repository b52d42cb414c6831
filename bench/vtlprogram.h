#pragma once
// Generates a valid VTL program of a given number of lines for benchmarks:
// globals, routines with parameters and locals, nested IF, WHILE, FOR, CASE
// and STRCASE, builtin calls with strings and expressions, calls of earlier
// routines, and key bindings.

#include <cstddef>
#include <string>

std::string GenerateVtlProgram(std::size_t lines, unsigned seed = 1);
