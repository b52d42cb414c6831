#pragma once
// Word loads, stores and rotations for the digest units.

#include <cstdint>
#include <string>

inline std::uint32_t Rotl32(std::uint32_t x, int n) { return x << n | x >> (32 - n); }
inline std::uint32_t Rotr32(std::uint32_t x, int n) { return x >> n | x << (32 - n); }
inline std::uint64_t Rotr64(std::uint64_t x, int n) { return x >> n | x << (64 - n); }

inline std::uint32_t LoadBe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
inline std::uint32_t LoadLe32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}
inline std::uint64_t LoadBe64(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(LoadBe32(p)) << 32 | LoadBe32(p + 4);
}

// The words as bytes, most significant first (big) or last (little).
template <class TWord>
std::string WordsToBytes(const TWord* words, int count, bool bigEndian)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        for (std::size_t k = 0; k < sizeof(TWord); ++k) {
            std::size_t shift = 8 * (bigEndian ? sizeof(TWord) - 1 - k : k);
            out += static_cast<char>(words[i] >> shift & 0xFF);
        }
    return out;
}
