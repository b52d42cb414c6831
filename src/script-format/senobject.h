#pragma once
// A growable byte stream with a position, in which code is built and kept.
// As a routine record it also carries the routine's number, argument letters
// and whether its body has been compiled.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TSenObject {
public:
    static constexpr std::size_t kInitialCapacity = 8192;

    // Buffers that receive finished code in one piece can start empty, so
    // that thousands of small routines do not each hold 8 KB.
    explicit TSenObject(std::size_t capacity = kInitialCapacity) { bytes_.reserve(capacity); }

    int number = -1;
    std::string signature;
    bool defined = false;

    // Writes at the position, which advances; the stream grows as needed.
    void Write(const void* data, std::size_t n);
    void WriteWord(std::int32_t word);
    void WriteInt64(std::int64_t value);
    // A name copied into a zero-filled field of 64 bytes (at most 63 kept).
    void WriteNameField(std::string_view name);
    // int32 length, the bytes, then 1 to 4 zero bytes up to a multiple of 4.
    void WritePaddedString(std::string_view s);

    // Writes bcCompoundBegin and a size placeholder; returns the place of the
    // size field for EndCompound.
    std::size_t BeginCompound();
    // Writes bcCompoundEnd and patches the size of what came after BeginCompound.
    void EndCompound(std::size_t sizeField);
    // Overwrites a word already written, keeping the position.
    void PatchWord(std::size_t at, std::int32_t word);

    std::size_t Position() const { return pos_; }
    void SetPosition(std::size_t pos);

    // The bytes from 0 up to the position.
    std::string_view Bytes() const { return std::string_view(reinterpret_cast<const char*>(bytes_.data()), pos_); }
    void AppendTo(TSenObject& other) const { other.Write(bytes_.data(), pos_); }
    void AppendTo(std::string& out) const { out.append(Bytes()); }
    void Clear() { bytes_.clear(); pos_ = 0; }

private:
    std::vector<unsigned char> bytes_;
    std::size_t pos_ = 0;
};
