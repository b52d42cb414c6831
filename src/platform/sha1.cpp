// SHA-1 (FIPS 180-4).
#include "digest.h"
#include "digestbytes.h"

void TSha1::Reset()
{
    ClearBuffer();
    h_[0] = 0x67452301u;
    h_[1] = 0xEFCDAB89u;
    h_[2] = 0x98BADCFEu;
    h_[3] = 0x10325476u;
    h_[4] = 0xC3D2E1F0u;
}

std::string TSha1::Final()
{
    Pad();
    std::string out = WordsToBytes(h_, 5, true);
    Reset();
    return out;
}

void TSha1::Compress(const std::uint8_t* block)
{
    std::uint32_t w[80];
    for (int i = 0; i < 16; ++i) w[i] = LoadBe32(block + 4 * i);
    for (int i = 16; i < 80; ++i) w[i] = Rotl32(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
    std::uint32_t a = h_[0], b = h_[1], c = h_[2], d = h_[3], e = h_[4];
    for (int i = 0; i < 80; ++i) {
        std::uint32_t f, k;
        if (i < 20) {
            f = d ^ (b & (c ^ d));
            k = 0x5A827999u;
        } else if (i < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1u;
        } else if (i < 60) {
            f = (b & c) | (d & (b | c));
            k = 0x8F1BBCDCu;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6u;
        }
        std::uint32_t t = Rotl32(a, 5) + f + e + k + w[i];
        e = d;
        d = c;
        c = Rotl32(b, 30);
        b = a;
        a = t;
    }
    h_[0] += a;
    h_[1] += b;
    h_[2] += c;
    h_[3] += d;
    h_[4] += e;
}
