// Block buffering and padding shared by the digests, hexadecimal output.
#include "digest.h"

#include <algorithm>
#include <cstring>

std::string ToHexLower(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string DigestHex(TDigest& digest, std::string_view bytes)
{
    digest.Reset();
    digest.Update(bytes);
    return ToHexLower(digest.Final());
}

template <std::size_t kBlock, std::size_t kLengthBytes, bool kBigEndian>
void TBlockDigest<kBlock, kLengthBytes, kBigEndian>::Update(const void* data, std::size_t size)
{
    const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
    bytes_ += size;
    if (used_) {
        std::size_t take = std::min(size, kBlock - used_);
        std::memcpy(buffer_ + used_, p, take);
        used_ += take;
        p += take;
        size -= take;
        if (used_ < kBlock) return;
        Compress(buffer_);
        used_ = 0;
    }
    for (; size >= kBlock; p += kBlock, size -= kBlock) Compress(p);
    std::memcpy(buffer_, p, size);
    used_ = size;
}

template <std::size_t kBlock, std::size_t kLengthBytes, bool kBigEndian>
void TBlockDigest<kBlock, kLengthBytes, kBigEndian>::Pad()
{
    std::uint64_t bits = bytes_ * 8;
    std::uint8_t tail[kBlock * 2] = {0x80};
    std::size_t padLen = (used_ < kBlock - kLengthBytes ? kBlock : 2 * kBlock) - used_;
    // The length goes into the last kLengthBytes; only its low 64 bits can
    // be other than zero.
    for (std::size_t i = 0; i < 8; ++i) {
        std::uint8_t b = static_cast<std::uint8_t>(bits >> (8 * i));
        if (kBigEndian)
            tail[padLen - 1 - i] = b;
        else
            tail[padLen - kLengthBytes + i] = b;
    }
    std::uint64_t keep = bytes_;
    Update(tail, padLen);
    bytes_ = keep;
}

template class TBlockDigest<64, 8, false>;
template class TBlockDigest<64, 8, true>;
template class TBlockDigest<128, 16, true>;

void TCrc32::Update(const void* data, std::size_t size)
{
    // Slicing by eight: eight tables fold eight bytes per step.
    static const auto tables = [] {
        static std::uint32_t t[8][256];
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        return t;
    }();
    const std::uint8_t* p = static_cast<const std::uint8_t*>(data);
    std::uint32_t c = crc_;
    for (; size >= 8; p += 8, size -= 8) {
        std::uint32_t lo = (static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24) ^
                           c;
        c = tables[7][lo & 0xFF] ^ tables[6][lo >> 8 & 0xFF] ^ tables[5][lo >> 16 & 0xFF] ^ tables[4][lo >> 24] ^
            tables[3][p[4]] ^ tables[2][p[5]] ^ tables[1][p[6]] ^ tables[0][p[7]];
    }
    for (; size; --size, ++p) c = tables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    crc_ = c;
}

std::uint32_t TCrc32::Of(std::string_view bytes)
{
    TCrc32 c;
    c.Update(bytes);
    return c.Value();
}
