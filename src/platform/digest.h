#pragma once
// Message digests (MD5, SHA-1, SHA-256, SHA-512) and CRC-32, fed in pieces.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TDigest {
public:
    virtual ~TDigest() = default;
    virtual void Update(const void* data, std::size_t size) = 0;
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    // The digest of everything fed since the last reset, as raw bytes; the
    // object is reset afterwards.
    virtual std::string Final() = 0;
    virtual void Reset() = 0;
};

// Lower-case hexadecimal, two digits per byte.
std::string ToHexLower(std::string_view bytes);
// The digest of bytes as lower-case hexadecimal.
std::string DigestHex(TDigest& digest, std::string_view bytes);

// Buffers input into blocks of kBlock bytes and pads the last one with the
// message length in bits (kLengthBytes wide, big- or little-endian).
template <std::size_t kBlock, std::size_t kLengthBytes, bool kBigEndian>
class TBlockDigest : public TDigest {
public:
    void Update(const void* data, std::size_t size) override;
    using TDigest::Update;

protected:
    virtual void Compress(const std::uint8_t* block) = 0;
    void Pad();
    void ClearBuffer()
    {
        used_ = 0;
        bytes_ = 0;
    }

private:
    std::uint8_t buffer_[kBlock];
    std::size_t used_ = 0;
    std::uint64_t bytes_ = 0;
};

class TMd5 : public TBlockDigest<64, 8, false> {
public:
    TMd5() { Reset(); }
    std::string Final() override;
    void Reset() override;

private:
    void Compress(const std::uint8_t* block) override;
    std::uint32_t h_[4];
};

class TSha1 : public TBlockDigest<64, 8, true> {
public:
    TSha1() { Reset(); }
    std::string Final() override;
    void Reset() override;

private:
    void Compress(const std::uint8_t* block) override;
    std::uint32_t h_[5];
};

class TSha256 : public TBlockDigest<64, 8, true> {
public:
    TSha256() { Reset(); }
    std::string Final() override;
    void Reset() override;

private:
    void Compress(const std::uint8_t* block) override;
    std::uint32_t h_[8];
};

class TSha512 : public TBlockDigest<128, 16, true> {
public:
    TSha512() { Reset(); }
    std::string Final() override;
    void Reset() override;

private:
    void Compress(const std::uint8_t* block) override;
    std::uint64_t h_[8];
};

// CRC-32 with the reflected polynomial 0xEDB88320, initial value all ones
// and final complement.
class TCrc32 {
public:
    void Update(const void* data, std::size_t size);
    void Update(std::string_view bytes) { Update(bytes.data(), bytes.size()); }
    std::uint32_t Value() const { return ~crc_; }
    void Reset() { crc_ = 0xFFFFFFFFu; }
    static std::uint32_t Of(std::string_view bytes);

private:
    std::uint32_t crc_ = 0xFFFFFFFFu;
};
