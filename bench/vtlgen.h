#pragma once
// Generates a large, lexically valid VTL source for benchmarks.

#include <cstddef>
#include <string>

// About `bytes` bytes of Shift-JIS VTL text: declarations, routines, key
// bindings, numbers, strings, comments, operators and Japanese text.
std::string GenerateVtlSource(std::size_t bytes, unsigned seed = 1);
